// The small drawing operations the object renderer combines: patterned
// segments and arcs, box outlines, half-oval fills, fill brushes, quadratic
// curve pieces and arrow heads.
//
// Coordinates are output pixels; line widths are document units (1000 per
// point) and are turned into pixels at the zoom level (0..8, or −1 for natural
// size), at least one pixel. Everything draws with the pen and brush already
// selected on the surface unless said otherwise.
#pragma once

#include "shapes/palette.h"
#include "shapes/point.h"
#include "shapes/surface.h"

namespace plexo {

// Line types: 0 solid, 1 dashed (dash, gap, dash, gap of 3 widths each),
// 2 and above dash-dot (8-width dash, 3-width gap, 1-width dash, 3-width gap).
struct DashPattern {
    int longDash = 0; // pixels
    int gap = 0;
    int shortDash = 0;
    int cycle() const { return longDash + shortDash + 2 * gap; }
    friend bool operator==(const DashPattern&, const DashPattern&) = default;
};

// The pattern of a line type for a width in document units at a zoom level.
// Type 0 gives 100-pixel dashes without gaps. Every type is solid at zoom 0, 1
// and 2, where dashesApply is false.
DashPattern dashPattern(int width, int zoom, int lineType);
bool dashesApply(int zoom);

// A straight line from (x1, y1) to (x2, y2) in the line type's pattern. A
// segment no longer than one cycle is one solid stroke, and so is one longer
// than 2^20 pixels (only damaged coordinates reach that far).
void patternedSegment(Surface& surface, int x1, int y1, int x2, int y2, int width, int zoom, int lineType);

// The arc of the ellipse inscribed in box, counter-clockwise from the radial
// through start to the radial through end. The dash cycle is laid out along
// the chord start → end and each dash is the arc between the radials through
// its chord points.
void patternedArc(Surface& surface, const Rect& box, Point start, Point end, int width, int zoom,
                  int lineType);

// Outlines of a normalised box (left a, top b, right c, bottom d). The
// rectangle's sides pass through (a, b) and (c, d); ellipse boxes are widened
// by one pixel right and down at zoom ≥ 0, so that curves reach c and d too.
void rectangleOutline(Surface& surface, const Rect& box, int width, int zoom, int lineType);
// Corner radius 4 points, at most half the box width (horizontally) and half
// its height (vertically).
void roundedRectangleOutline(Surface& surface, const Rect& box, int width, int zoom, int lineType);
void ovalOutline(Surface& surface, const Rect& box, int width, int zoom, int lineType);

// Half-ovals are given by the object's two points. Horizontal: the flat side
// lies on y = first.y between the two x, the curve reaches y = second.y.
// Vertical: the flat side lies on x = first.x, the curve reaches x = second.x.
// The flat side is not stroked by the outline.
void horizontalHalfOvalOutline(Surface& surface, Point first, Point second, int width, int zoom,
                               int lineType);
void verticalHalfOvalOutline(Surface& surface, Point first, Point second, int width, int zoom, int lineType);
// The interior as a chord of the same ellipse, filled with the current brush.
void horizontalHalfOvalFill(Surface& surface, Point first, Point second, int zoom);
void verticalHalfOvalFill(Surface& surface, Point first, Point second, int zoom);

// Pattern 0 a solid brush of the colour, 1..6 hatches (horizontal, vertical,
// forward diagonal, backward diagonal, cross, diagonal cross); any other value
// leaves the current brush. Returns whether a brush was selected.
bool selectFillBrush(Surface& surface, Rgb colour, int pattern);
// The brush style of a fill pattern, Solid for 0, None for values outside 0..6.
BrushStyle fillBrushStyle(int pattern);

// A quadratic curve piece from p0 to p2 with control point p1, as one polyline
// through t = 0.05, 0.08, 0.11 … ≤ 1 and ending at p2.
void quadraticPiece(Surface& surface, Point p0, Point p1, Point p2);

// Arrow head of kind 0..12 at tip, pointing away from `from`. colour fills the
// solid heads, dots and squares; white heads are pure white whatever the video
// mode. The brush selected on entry is restored on exit.
void arrowHead(Surface& surface, Point from, Point tip, Rgb colour, int kind, int zoom);

// The two barb points of an arrow head of length `length` (document units) at
// tip pointing away from `from`.
struct Barbs {
    Point first;
    Point second;
    friend bool operator==(const Barbs&, const Barbs&) = default;
};
Barbs arrowBarbs(Point from, Point tip, int length, int zoom);

} // namespace plexo
