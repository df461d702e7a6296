// The shape record: how one drawing object is written into and read from a
// buffer (folio object lists, the clipboard, library drawings).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace plexo {

class Buffer;
class Shape;

// Appends one record for the shape as it is (ids and wire end ids already filled).
void writeShape(const Shape& shape, Buffer& buffer);

// Reads one record into a shape created empty by the caller (kind 0, folio set).
// Returns false when the record is damaged: the buffer has failed (it ended inside
// the record, or a count or length did not fit the bytes left) or the kind is
// outside 0..24; the caller then discards the shape and stops reading the list.
// A symbol instance is resolved through symbolResolver(). The caller sets the
// applicability and recomputes the outline afterwards.
bool readShape(Shape& shape, Buffer& buffer);

// How far readShape got in one record, for a reader that reports damage ("plexo
// dump"): the parts read whole, in stored order, and what the record holds that
// the shape does not keep.
struct ShapeReadProgress {
    enum Part { Nothing, Header, Style, Angle, Text, Points, KindPart };
    Part complete = Nothing; // the last part read whole (Header: id and a known kind)
    int storedKind = -1;     // the kind byte as stored, also when it is unknown
    // A symbol instance's labels as stored (text, id): the shape keeps them only
    // when its symbol is resolved through the libraries.
    std::vector<std::pair<std::string, std::int32_t>> storedLabels;
};
// The same, telling how far it got; the shape is read exactly as above.
bool readShape(Shape& shape, Buffer& buffer, ShapeReadProgress& progress);

} // namespace plexo
