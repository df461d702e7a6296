// Symbol labels, title-block fields, and the links between wires, cables,
// terminals and other wires: how a wire follows its ends, keeps its horizontal
// and vertical segments and its junctions, drops and re-makes links, and where
// its two end labels are written.
#pragma once

#include "shapes/point.h"

#include <cstdint>
#include <string>

namespace plexo {

class Folio;
class Shape;
struct Etiquette;

// Two coordinates closer than this count as equal in the routing tests.
constexpr std::int32_t kWireTolerance = 16;
// Distance within which a free wire end lands on a terminal or a wire (5 pixels at 100 %).
constexpr std::int32_t kConnectTolerance = 5000;

// ---- symbol labels --------------------------------------------------------------

// Rebuilds the instance's label list from its symbol drawing: one label per
// terminal (kind 14) and per editable text zone (as kind 19), in drawing order,
// each with an empty text (an existing list's texts are kept by position) and a
// shape owned by the instance with the drawing object's points, text, style
// (applied, applicability set) and angle. The labels are built unplaced, in the
// instance's drawing coordinates: nested symbols of the drawing contribute
// theirs put where the nested symbol sits in the drawing. placeLabels then puts
// them at the instance's place. Used when an instance is read, created or dropped.
void buildLabels(Shape& instance);

// Places every label shape of the instance (taking geometry copies) and puts them
// back. Placed labels have their outline computed.
void placeLabels(Shape& instance);
void unplaceLabels(Shape& instance);

// The first terminal label of an instance (in label order), or nullptr.
const Shape* firstTerminal(const Shape& instance);
// Where a label shape's first point lies once its instance is placed.
Point placedPoint(const Shape& label, const Shape& instance);
// The same through the label's owner (the label's own first point without one).
Point placedPoint(const Shape& label);

// The page being printed, for "#Page" and "#TPages" (0: not printing, the page
// is found from the label's position). Returns the previous value.
int setPrintedPage(int page);

// The text a label shows (title-block fields are filled from the instance's folio
// and document). The label shape is in drawing coordinates (not placed): the
// page of "#Page" is found where the label lies once placed.
std::string labelText(const Etiquette& label, const Shape& instance);
// Sets the label shape's text to labelText before it is drawn or measured.
void refreshLabel(Etiquette& label, const Shape& instance);

// ---- links ------------------------------------------------------------------------

// Joins an end of a wire (upstream at the first point, downstream at the last) to
// a terminal label or a wire or cable, recording the link on both sides. Any
// previous link of that end is dropped first. nullptr just drops it.
void linkEnd(Shape& wire, bool upstream, Shape* end);

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
Shape* findConnectable(Folio& folio, Point p, const Shape* except,
                       std::int32_t tolerance = kConnectTolerance);

// ---- routing ----------------------------------------------------------------------

// Moves the wire's end points onto its ends and, for a control wire, makes every
// segment horizontal or vertical again. The outline is recomputed.
void followEnds(Shape& wire);

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
void followWireSegment(Folio& folio, std::int32_t dx, std::int32_t dy, Shape& wire, int pointIndex);

// ---- end labels -------------------------------------------------------------------

struct EndLabelPlacement {
    Point origin;        // top-left of the text cell, in the unit of the points
    bool turned = false; // written turned by 90 degrees
};
// The origin of the first (from P1 using P2) or second (from Pn using Pp) end
// label of extent w × h; q = h / 4.
EndLabelPlacement endLabelOrigin(Point end, Point neighbour, bool first, std::int32_t w, std::int32_t h);

} // namespace plexo
