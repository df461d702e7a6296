// The records of a schéma or library container decoded by the readers the editor
// uses (shape records, document and folio headers, library tree nodes) and turned
// into JSON values for "plexo dump" and "plexo check". A damaged record keeps what
// was read before the damage; the damage comes back as a French reason that names
// the byte of the record where reading stopped.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace plexo {

class Buffer;

// Objects keep their fields in the order they are stored.
using DumpJson = nlohmann::ordered_json;

struct DecodedRecord {
    DumpJson value;      // what was read
    std::string damage;  // empty when the record decoded whole
    int objectCount = 0; // object lists: the objects read whole
};

// An object list: an array of objects (a damaged object that got as far as its
// known kind is the array's last element, with the parts read whole).
DecodedRecord decodeObjectList(Buffer& record);
// A document or symbol header: an object; its folios carry no objects.
DecodedRecord decodeDocumentHeader(Buffer& record);
// A library tree: an object with "expanded" and "nodes".
DecodedRecord decodeLibraryTree(Buffer& record);

// The text of a dump: two-space indents, valid UTF-8, a closing newline.
std::string dumpText(const DumpJson& value);

} // namespace plexo
