// The geometric operations of a drawing object, in document units on its points:
// outline, hit test with handles, move, reshaping by a handle, quarter turns,
// mirroring, stretching inside a symbol drawing, grid snapping and the title
// block's placement. Every operation that changes points leaves the outline
// consistent by recomputing it at the end.
#pragma once

#include "shapes/point.h"
#include "shapes/rendercontext.h"
#include "shapes/shapeholder.h"
#include "shapes/textmeasurer.h"

#include <cstdint>
#include <vector>

namespace plexo {

class Shape;

// The settings of the document owning the shape's folio; the defaults above for
// a shape without a folio or a folio without a document.
GridSettings gridSettingsOf(const Shape& shape);

// Tolerance, in document units, within which a point touches a handle.
constexpr std::int32_t kHandleTolerance = 2000;
// Slack of the segment test: |AB| + kSegmentSlack > |PA| + |PB|.
constexpr double kSegmentSlack = 300.0;
// Widening of the outline of most kinds beyond the line width.
constexpr std::int32_t kOutlineMargin = 2000;
// Growth of right and bottom for a shadow.
constexpr std::int32_t kShadowOffset = 5000;

// ---- symbol drawings ----------------------------------------------------------

// The library drawing a symbol instance shows: its objects in drawing order and
// their extent (terminals and text zones excluded), as the library node keeps them.
struct SymbolDrawing {
    std::vector<Shape*> objects;
    Rect bounds;
    Point centre() const { return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2}; }
    Point halfSize() const { return {(bounds.right - bounds.left) / 2, (bounds.bottom - bounds.top) / 2}; }
};

// The drawing of a symbol instance (kind 16) through its library node; false when
// the instance has no node or the node's drawing is not loaded or empty.
bool symbolDrawingOf(const Shape& instance, SymbolDrawing& drawing);

// Puts an object of a symbol drawing (or one of the instance's label shapes) at
// the instance's place: takes its geometry copy, turns it by the instance's angle
// about the drawing's centre, moves the centre onto the instance's first point and
// stretches it about that point by the instance's epx, epy. Its outline is not
// recomputed. unplaceFromSymbol puts it back (restoreGeometryCopy).
void placeInSymbol(Shape& object, const Shape& instance, const SymbolDrawing& drawing);
void unplaceFromSymbol(Shape& object);

// ---- outline and labels -------------------------------------------------------

// Sets shape.outline (normalising the box kinds first).
void computeOutline(Shape& shape);
// The outline computeOutline sets, for a shape whose corners are already
// normalised; the shape keeps its outline.
Rect outlineOf(const Shape& shape);
// Normalises the corners and recomputes the outline: the derived data of a shape
// after its points, style, text or kind changed.
void rebuildGeometry(Shape& shape);

// The rectangle around which a one-line label is placed: the outline of the
// object's geometry without its label (and without its shadow).
Rect labelRectangle(const Shape& shape);

// True for the kinds that show a one-line label (0..8, 10..14, 19).
bool showsOneLineLabel(int kind);

// The font of a shape's one-line label and end labels, at natural size (height
// in points as pixels).
TextFont labelFont(const Shape& shape);
// The extent of a one-line label (at most 254 bytes of the text), in pixels of
// labelFont.
TextExtent measureLabel(const Shape& shape);

// The origin of a label of extent (w, h) placed around box by textAlign and angle
// (the anchor table of the renderer); any unit, as long as all values share it.
// An unknown alignment or angle leaves the origin at (left, top).
Point labelOrigin(const Rect& box, int textAlign, int angle, std::int32_t w, std::int32_t h);
// The rectangle covered by a text of extent (w, h) written from origin, turned by
// angle (90: upward, 180: upside down, 270: downward).
Rect turnedTextRect(Point origin, int angle, std::int32_t w, std::int32_t h);

// The extent, in document units, of the tag word of a MIDI shortcut ("Midi") or
// a recorded sequence ("Séquence"): bold "Ms Sans Serif" 14 points.
TextExtent tagExtent(int kind);

// ---- hit test and handles -----------------------------------------------------

// The segment test: P touches segment AB when |AB| + kSegmentSlack > |PA| + |PB|.
bool hitsSegment(Point a, Point b, Point p);

// The handle points of a shape, handle k at index k - 1 (box kinds: the 4 corners
// and 4 edge midpoints clockwise from top-left; half-ovals: 3; control wires: the
// first point, every segment's midpoint, the last point; chord grids and
// tablatures: the 4 corners; symbols: those of the outline; others: every point).
std::vector<Point> handlePoints(const Shape& shape);

// What a point touches of an object.
struct HitResult {
    const Shape* object = nullptr; // the object touched; nullptr when p misses it
    // The handle number: 0 the body, 1..n a handle, -1..-8 the outline handles
    // of a symbol instance.
    int handle = 0;
    // For a symbol instance with its terminals shown: its terminal label whose
    // placed point lies within kHandleTolerance of p, if any.
    const Shape* terminal = nullptr;
    explicit operator bool() const { return object != nullptr; }
};

// What p touches of the object. The tolerances are in document units and do
// not depend on the context's zoom; terminals are reported only when the
// context shows them.
HitResult hit(const Shape& shape, Point p, const RenderContext& context);

// ---- transformations ----------------------------------------------------------

// Adds (dx, dy) to every point and to the outline.
void move(Shape& shape, std::int32_t dx, std::int32_t dy);

// Resizes or reshapes by a handle (numbers as for hit). For a control wire a
// segment handle moves the segment across, snapped to the grid; moving an end of
// a wire or any handle of a cable drops the wire's links and connects its loose
// ends again. An object left too small is put back as it was (its undo copy is
// exchanged back and retaken). The outline is recomputed.
void moveHandle(Shape& shape, std::int32_t dx, std::int32_t dy, int handle);

// Quarter turn about (cx, cy): degrees 90 (counterclockwise on screen), 180, 270
// or -90 (clockwise). Chord grids, tablatures and calendars do not turn.
void turn(Shape& shape, std::int32_t cx, std::int32_t cy, int degrees);

// Horizontal symmetry (x about cx) or vertical (y about cy). Chord grids,
// tablatures and calendars are left as they are.
void mirror(Shape& shape, std::int32_t cx, std::int32_t cy, bool horizontal);

// Stretches the points about (x0, y0): x becomes x0 + d + d·ex / hx (d = x − x0)
// when hx and ex are not 0, likewise y; epx, epy become ex, ey. The outline is not
// recomputed (used while a symbol drawing is placed).
void stretch(Shape& shape, std::int32_t x0, std::int32_t y0, std::int32_t hx, std::int32_t hy,
             std::int32_t ex, std::int32_t ey);

// A value snapped to a step: s × ((v + s / 2) / s), truncating toward zero; in
// millimetres the step and the value are converted first (the step with the
// round-trip correction) and the result converted back. A step <= 0 leaves v.
std::int32_t snapValue(std::int32_t v, std::int32_t step, bool unitIsMm);

// Moves the shape so that its anchor lies on the grid (nothing when the document's
// snap switch is off and force is false). The anchor is the first point, or for a
// symbol whose drawing has a terminal the placed first terminal; symbols snap to
// half the main grid steps, other objects to the secondary step.
void snapToGrid(Shape& shape, bool force);
void snapToGrid(Shape& shape, const GridSettings& grid, bool force);

// The displacement snapToGrid would apply (0, 0 when it would do nothing).
Point snapDisplacement(const Shape& shape, const GridSettings& grid, bool force);

// Turns the title block to 0 or 90 degrees and moves it so that its outline
// touches the chosen corner of a page of the given size (corner 0 top-left,
// 1 top-right, 2 bottom-left, 3 bottom-right).
void placeTitleBlock(Shape& shape, int corner, bool rotated, std::int32_t pageWidth, std::int32_t pageHeight);
// The same with the settings of the shape's document.
void placeTitleBlock(Shape& shape);

// The middle of a rectangle, halves rounded down.
Point centreOf(const Rect& r);

} // namespace plexo
