// Small helpers shared by the renderer's source files (render*.cpp): style
// values read the renderer's way, pixel conversion of points, pens and fonts.
#pragma once

#include "shapes/palette.h"
#include "shapes/point.h"
#include "shapes/shape.h"
#include "shapes/surface.h"
#include "shapes/units.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plexo::render {

// Line widths above this (1000 points) are taken as damaged values.
constexpr std::int32_t kMaxLineWidth = 1000000;

// A style item as the renderer reads it: 0 when unset or indeterminate.
inline std::int64_t item(const Style& style, int which) {
    return style.isUsable(which) ? style.value(which) : 0;
}

// The colour index of an item, 0 (black) when not usable.
inline int colourIndex(const Style& style, int which) {
    return static_cast<int>(item(style, which));
}

inline std::int32_t lineWidthUnits(const Style& style) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(item(style, kLineWidth), 0, kMaxLineWidth));
}

inline Point toPixels(Point p, int zoom) {
    return {plexo::toPixels(p.x, zoom), plexo::toPixels(p.y, zoom)};
}

inline std::vector<Point> toPixels(const std::vector<Point>& points, int zoom) {
    std::vector<Point> out;
    out.reserve(points.size());
    for (const Point& p : points)
        out.push_back(toPixels(p, zoom));
    return out;
}

// Filled rectangles and ellipses reach their right and bottom edges at zoom ≥ 0.
inline int extraPixel(int zoom) {
    return zoom >= 0 ? 1 : 0;
}

inline Rect normalised(Point a, Point b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

inline Rect grown(const Rect& r, int extra) {
    return {r.left, r.top, r.right + extra, r.bottom + extra};
}

inline Rect toPixels(const Rect& r, int zoom) {
    return {plexo::toPixels(r.left, zoom), plexo::toPixels(r.top, zoom), plexo::toPixels(r.right, zoom),
            plexo::toPixels(r.bottom, zoom)};
}

// The line pen of a style: its colour, its width in pixels (at least one).
inline Pen linePen(const Style& style, int zoom, bool inverse) {
    return Pen::solid(paletteColour(colourIndex(style, kColour), inverse),
                      toPixelsAtLeastOne(lineWidthUnits(style), zoom));
}

// The pen of ghost drawings: pure black whatever the video mode.
inline Pen ghostPen() {
    return Pen::solid({0, 0, 0}, 1);
}

// Puts back, at the end of a scope, the state items of a surface that changed
// in it, and only those: each object leaves the surface as it found it without
// recreating pens, brushes and fonts it did not touch.
class StateGuard {
public:
    explicit StateGuard(Surface& surface) : surface_(surface), saved_(surface.state()) {}
    ~StateGuard() {
        const SurfaceState& now = surface_.state();
        if (!(now.pen == saved_.pen))
            surface_.setPen(saved_.pen);
        if (!(now.brush == saved_.brush))
            surface_.setBrush(saved_.brush);
        if (!(now.font == saved_.font))
            surface_.setFont(saved_.font);
        if (!(now.textColour == saved_.textColour))
            surface_.setTextColour(saved_.textColour);
        if (!(now.backgroundColour == saved_.backgroundColour))
            surface_.setBackgroundColour(saved_.backgroundColour);
        if (now.backgroundMode != saved_.backgroundMode)
            surface_.setBackgroundMode(saved_.backgroundMode);
        if (now.rasterMode != saved_.rasterMode)
            surface_.setRasterMode(saved_.rasterMode);
        if (!(now.brushOrigin == saved_.brushOrigin))
            surface_.setBrushOrigin(saved_.brushOrigin);
    }
    StateGuard(const StateGuard&) = delete;
    StateGuard& operator=(const StateGuard&) = delete;

private:
    Surface& surface_;
    SurfaceState saved_;
};

// Draws a rectangle outline with the current pen and no fill.
inline void frame(Surface& surface, const Rect& box) {
    surface.moveTo(box.left, box.top);
    surface.lineTo(box.right, box.top);
    surface.lineTo(box.right, box.bottom);
    surface.lineTo(box.left, box.bottom);
    surface.lineTo(box.left, box.top);
}

// Texts: the laid-out text of kind 9, the one-line label of kinds 0..8, 10..14
// and 19, the two end labels of wires and cables.
void drawTextObject(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost);
void drawOneLineLabel(const Shape& shape, Surface& surface, int zoom, bool inverse);
void drawEndLabels(const Shape& shape, Surface& surface, int zoom, bool inverse);

// Chord grid (20) and tablature (21).
void drawChordGrid(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost);
void drawTablature(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost);

} // namespace plexo::render
