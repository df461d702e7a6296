// Draws a whole folio as the editor shows it, without its grid: the page
// borders, the document's title block on every page and every alive object in
// folio order. The pane, the render verb, the benchmark and the tests use it.
#pragma once

#include "shapes/point.h"
#include "shapes/rendercontext.h"
#include "shapes/surface.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace plexo {

class Folio;
class Shape;

struct FolioRenderOptions {
    int zoom = 5; // 0..8, or −1 for natural size
    bool pageBorders = true;
    bool titleBlock = true;
    // Only objects whose outline meets this rectangle (document units) are drawn;
    // none draws them all.
    std::optional<Rect> visible;
    Rgb borderColour{0, 0, 0}; // the page borders' pen
    int printedPage = 0;       // the page being printed ("#Page"); 0 when not printing
    bool inverseVideo = false;
};

// The page borders: a line at every multiple of the page width and height up to
// the folio's extent, the last ones doubled one pixel further out.
void drawPageBorders(const Folio& folio, Surface& surface, int zoom, Rgb colour);

// The context objects of the folio are drawn in at a zoom: terminals shown as
// the document's option says (shown for a folio without a document), not
// printing, normal video.
RenderContext renderContextOf(const Folio& folio, int zoom);

// The document's title block placed on each page of the folio (across, then
// down) and drawn with the folio's identification in its fields.
void drawTitleBlocks(Folio& folio, Surface& surface, const RenderContext& context,
                     const std::optional<Rect>& visible = {});

// Shifts an object for one drawing (a printed sheet, the presentation's
// centring) and puts it back exactly when the scope ends, even where the shift
// saturated.
class ShiftedForDrawing {
public:
    ShiftedForDrawing(Shape& shape, std::int32_t dx, std::int32_t dy);
    ~ShiftedForDrawing();
    ShiftedForDrawing(const ShiftedForDrawing&) = delete;
    ShiftedForDrawing& operator=(const ShiftedForDrawing&) = delete;

private:
    Shape& shape_;
    std::vector<Point> points_;
    Rect outline_;
};

// Borders, title blocks and objects. The folio's objects must be loaded (acquire).
void renderFolio(Folio& folio, Surface& surface, const FolioRenderOptions& options);

} // namespace plexo
