#include "edit/ruler.h"

#include "shapes/units.h"

#include <algorithm>
#include <string>

namespace plexo {

namespace {

constexpr int kTickFrom = 5; // centimetre ticks run across the ruler from here...
constexpr int kTickTo = 13;  // ...to here
constexpr int kBaseLine = 12;
constexpr int kMillimetreFrom = 10; // millimetre ticks
constexpr int kHalfCentimetreFrom = 8;

// Draws a segment across the ruler at position p (pixels along the ruler).
void across(Surface& surface, const RulerView& view, int p, int from, int to) {
    if (view.orientation == RulerOrientation::Horizontal) {
        surface.moveTo(p, from);
        surface.lineTo(p, to);
    } else {
        surface.moveTo(from, p);
        surface.lineTo(to, p);
    }
}

// Draws a segment along the ruler at depth d, from a to b (pixels along the ruler).
void along(Surface& surface, const RulerView& view, int d, int a, int b) {
    if (view.orientation == RulerOrientation::Horizontal) {
        surface.moveTo(a, d);
        surface.lineTo(b, d);
    } else {
        surface.moveTo(d, a);
        surface.lineTo(d, b);
    }
}

void drawBand(Surface& surface, const RulerView& view, const BandColours& colours) {
    surface.setPen(Pen::null());
    surface.setBrush(Brush::solid(colours.face));
    surface.rectangle({0, 0, view.width + 1, view.height + 1});
    const bool horizontal = view.orientation == RulerOrientation::Horizontal;
    const int extent = horizontal ? view.width : view.height;
    const int depth = horizontal ? view.height : view.width;
    surface.setPen(Pen::solid(colours.highlight));
    along(surface, view, 0, 0, extent);
    surface.setPen(Pen::solid(colours.shadow));
    along(surface, view, depth - 2, 0, extent);
    surface.setPen(Pen::solid(colours.text));
    along(surface, view, depth - 1, 0, extent);
}

void drawLabel(Surface& surface, const RulerView& view, int k, int q, int p) {
    const std::string label = std::to_string(k);
    const Extent extent = surface.textExtent(label);
    if (view.orientation == RulerOrientation::Horizontal) {
        // Right-aligned and centred on one line in (q + 1, 1, p - 2, 12).
        surface.textOut(p - 2 - extent.width, 1 + (kBaseLine - 1 - extent.height) / 2, label);
    } else {
        // Right-aligned at the bottom of the cell that ends at the tick.
        surface.textOut(kBaseLine - extent.width, p - 2 - extent.height, label);
    }
}

} // namespace

void drawRuler(Surface& surface, const RulerView& view, const BandColours& colours, const Font& font) {
    SurfaceSaver saver(surface);
    drawBand(surface, view, colours);
    surface.setFont(font);
    surface.setTextColour(colours.text);
    surface.setBackgroundMode(BackgroundMode::Transparent);
    surface.setPen(Pen::solid(colours.text));

    const bool millimetres = toPixels(millimetresToPoints(1000), view.zoom) > 1;
    const std::int64_t limit = std::int64_t{view.length} + kRulerStep / 2;
    for (std::int64_t k = 1; k * kRulerStep <= limit; ++k) {
        const std::int64_t tick = k * kRulerStep;
        const std::int64_t previous = tick - kRulerStep;
        if (tick < view.visibleStart || previous > view.visibleEnd)
            continue;
        const int p = toPixels(static_cast<std::int32_t>(tick), view.zoom) - view.scroll;
        const int q = toPixels(static_cast<std::int32_t>(previous), view.zoom) - view.scroll;
        drawLabel(surface, view, static_cast<int>(k), q, p);
        across(surface, view, p, kTickFrom, kTickTo);
        along(surface, view, kBaseLine, q + 1, p);
        if (!millimetres)
            continue;
        for (int m = 1; m <= 9; ++m) {
            const std::int64_t at = previous + millimetresToPoints(m * 1000);
            if (at < view.visibleStart || at > view.visibleEnd)
                continue;
            const int x = toPixels(static_cast<std::int32_t>(at), view.zoom) - view.scroll;
            across(surface, view, x, m == 5 ? kHalfCentimetreFrom : kMillimetreFrom, kTickTo);
        }
    }
}

} // namespace plexo
