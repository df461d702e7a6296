// The values of the property dialogs of ordinary objects, without a window:
// "Propriétés Objet" (the name and the box of the object in the working unit,
// with an optional calibration), "Propriétés Fil" (the two end labels) and
// "Fichier Midi" (the path of a MIDI shortcut). Each is loaded from the object,
// checked, and written into the object alone as one "modification".
#pragma once

#include "shapes/point.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plexo {

class Folio;
class Shape;
class saoDoc;

// A check that failed: the French message to show; empty when all is well.
using PropertyProblem = std::string;

// A UTF-8 text as the document stores it (Windows-1252), or none when a
// character cannot be stored.
std::optional<std::string> toDocumentText(std::string_view utf8);

// How lengths are shown: in points or millimetres, each in thousandths, and
// multiplied by a calibration factor (the real length a drawn length stands for).
struct LengthScale {
    bool millimetres = false;
    double factor = 1.0; // always > 0
};

// A length in document units as shown (decimal comma, hundredths).
std::string showLength(std::int32_t units, const LengthScale& scale);
// A typed length back to document units; none with a message when the text is
// not a number (digits, one optional "-" in front, one "," or "." and at most
// three decimals) or the length lies beyond the drawing's range.
std::optional<std::int32_t> readLength(std::string_view text, const LengthScale& scale,
                                       PropertyProblem& problem);

// "Propriétés Objet".
struct ObjectProperties {
    std::string name; // "Libellé :", UTF-8
    Rect box;         // the extent of the object's points, document units
};

ObjectProperties loadObjectProperties(const Shape& shape);
// The extent of the object's points (what the dialog shows as its outline).
Rect pointsExtent(const Shape& shape);
// The scale that makes the object's current width read as `length` (document
// units, as read by readLength without calibration); none when the object has no
// width or the length is not > 0.
std::optional<LengthScale> calibratedScale(const Rect& box, bool millimetres, std::int32_t length);
// The box must not be reversed; an object with no width (or height) keeps it.
PropertyProblem checkObjectProperties(const Shape& shape, const ObjectProperties& values);
// The object's points are mapped from their extent onto the new box and its
// name is set. False when the values do not pass the check or hold nothing new.
bool applyObjectProperties(saoDoc& document, Folio& folio, Shape& shape, const ObjectProperties& values);

// "Propriétés Fil": the labels at the first and at the last end of a wire or cable.
struct WireProperties {
    std::string first;  // UTF-8
    std::string second; // UTF-8
};

WireProperties loadWireProperties(const Shape& wire);
PropertyProblem checkWireProperties(const WireProperties& values);
// A tab would split a label in two: it is written as a space.
bool applyWireProperties(saoDoc& document, Folio& folio, Shape& wire, const WireProperties& values);

// "Fichier Midi".
struct MidiProperties {
    std::string path; // "Emplacement :", UTF-8
};

MidiProperties loadMidiProperties(const Shape& shortcut);
PropertyProblem checkMidiProperties(const MidiProperties& values);
bool applyMidiProperties(saoDoc& document, Folio& folio, Shape& shortcut, const MidiProperties& values);

// Formats one of the messages above holding "%s" with a value.
std::string withValue(const char* message, std::string_view value);

} // namespace plexo
