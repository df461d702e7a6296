// The shape record: how one drawing object is written into and read from a
// buffer (folio object lists, the clipboard, library drawings).
#pragma once

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

} // namespace plexo
