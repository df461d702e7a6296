// The links between wires, cables, terminals and other wires: how a wire
// follows its ends, keeps its horizontal and vertical segments and its
// junctions, drops and re-makes links, and where its two end labels are written.
#pragma once

#include "shapes/point.h"
// Wire code works on symbol labels (terminals) throughout; callers of either
// get both.
#include "shapes/symbollabels.h"
#include "shapes/titlefields.h"

#include <cstdint>
#include <string>

namespace plexo {

class Shape;
class ShapeHolder;

// Two coordinates closer than this count as equal in the routing tests.
constexpr std::int32_t kWireTolerance = 16;
// Distance within which a free wire end lands on a terminal or a wire (5 pixels at 100 %).
constexpr std::int32_t kConnectTolerance = 5000;

// ---- links ------------------------------------------------------------------------

// Joins an end of a wire (upstream at the first point, downstream at the last) to
// a terminal label or a wire or cable, recording the link on both sides. Any
// previous link of that end is dropped first. nullptr just drops it. A terminal
// carries at most one wire: a terminal already carrying another wire is refused
// (false) and the end stays free, as when no end is found under it.
bool linkEnd(Shape& wire, bool upstream, Shape* end);

// Removes every link between the object and wires: for a wire or cable its ends
// and the wires attached to it; for a symbol the wires on its terminals. Only for
// objects that are not alive, unless force is set.
void dropLinks(Shape& object, bool force);

// For an alive wire or cable with a free end: the first free terminal of an alive
// symbol, or the first alive wire or cable segment, under that end (in folio
// order, within kConnectTolerance) becomes the end.
void connectLooseEnds(Shape& wire);

// The terminal label (not carrying a wire) or alive wire or cable under p, looked
// for in folio order among the alive objects other than except; nullptr when none.
// Objects within kWireTolerance are preferred to those merely within tolerance.
Shape* findConnectable(const ShapeHolder& folio, Point p, const Shape* except,
                       std::int32_t tolerance = kConnectTolerance);

// ---- routing ----------------------------------------------------------------------

// Moves the wire's end points onto its ends and, for a control wire, makes every
// segment horizontal or vertical again. The outline is recomputed.
void followEnds(Shape& wire);

// Whether a joined end of the wire lies away from its end: an end point that is
// not on its terminal's placed point, or not on a segment of its control wire.
bool endsOutOfPlace(const Shape& wire);

// The orthogonalisation of a control wire's points alone (no end following).
void orthogonalise(Shape& wire);

// Keeps a junction J on the other wire: unchanged when it lies on one of its
// segments, else P projected on the nearest segment, clamped to its extent.
void keepJunction(const Shape& otherWire, Point p, Point& junction);

// The segment of an orthogonal wire holding (x, y): the 1-based index of the
// segment's end point plus one (1 for the first segment, from point 1 to 2, is 2),
// or 0 when none.
int findSegment(const Shape& wire, std::int32_t x, std::int32_t y);

// For a control wire whose segment ending at pointIndex (0-based) moved by
// (dx, dy): the ends of the wires attached to it that lay on the segment before
// the move go along.
void followWireSegment(ShapeHolder& folio, std::int32_t dx, std::int32_t dy, Shape& wire, int pointIndex);

// ---- end labels -------------------------------------------------------------------

struct EndLabelPlacement {
    Point origin;        // top-left of the text cell, in the unit of the points
    bool turned = false; // written turned by 90 degrees
};
// The origin of the first (from P1 using P2) or second (from Pn using Pp) end
// label of extent w × h; q = h / 4.
EndLabelPlacement endLabelOrigin(Point end, Point neighbour, bool first, std::int32_t w, std::int32_t h);

} // namespace plexo
