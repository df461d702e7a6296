// The rulers beside the pane: graduated in centimetres (labelled) and
// millimetres, at the pane's zoom, scrolled with it. Drawn on any Surface so
// that the tests read the ticks from a recording.
#pragma once

#include "edit/bandcolours.h"
#include "shapes/surface.h"

#include <cstdint>

namespace plexo {

enum class RulerOrientation { Horizontal, Vertical };

struct RulerView {
    RulerOrientation orientation = RulerOrientation::Horizontal;
    int zoom = 5;
    std::int32_t length = 0;       // the folio's length along the ruler, document units
    std::int32_t visibleStart = 0; // the pane's visible region along the ruler, document units
    std::int32_t visibleEnd = 0;
    int scroll = 0;            // the pane's scroll origin along the ruler, pixels
    int width = 0, height = 0; // the ruler window, pixels
};

// One centimetre step: 10 mm in document units.
constexpr std::int32_t kRulerStep = 28346;

// Paints the ruler: the band, its edges, the centimetre ticks with their
// numbers and the base line, and the millimetre ticks when a millimetre is
// wider than a pixel. font: the view's small font.
void drawRuler(Surface& surface, const RulerView& view, const BandColours& colours, const Font& font);

} // namespace plexo
