// The labels of a symbol instance: one per terminal and editable text zone of
// its symbol drawing (nested symbols included), built in drawing coordinates
// and placed with the instance.
#pragma once

#include "shapes/point.h"

#include <string_view>

namespace plexo {

class Shape;
struct Etiquette;
struct SymbolDrawing;

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

// A point of a symbol drawing where it lies once the instance is placed (the
// arithmetic of placeInSymbol).
Point placeDrawingPoint(Point q, const Shape& instance, const SymbolDrawing& drawing);

// The text the symbol drawing gives the label (its terminal's or text zone's
// own text); the label shape's text when the drawing is not at hand.
std::string_view defaultLabelText(const Etiquette& label, const Shape& instance);

} // namespace plexo
