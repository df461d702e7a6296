// Opening the container of a library file (".dly"): for reading and writing when
// the file allows it, else read-only, so that a library on a read-only disk or
// without write permission can still be placed from. A file ending in a damaged
// record (a header running past the end, as after a crash during an append) is
// copied aside whole, then cut after its last readable record, so that no later
// write lands where no walk of the records reaches; when no copy can be made it
// stays as it is and is opened read-only. Either case is logged once.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace plexo {

class ObjFile;

// path: the file's real path (UTF-8); shownName: the library's name for the log
// (UTF-8). A missing file is created only with createIfMissing, and never
// through a name that is taken. nullptr when the file is missing or is not a
// library of kind "L", version 100.
std::unique_ptr<ObjFile> openLibraryContainer(const std::string& path, std::string_view shownName,
                                              bool createIfMissing);

} // namespace plexo
