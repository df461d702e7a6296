// A copy kept of a file that ends in a damaged record, before anything rewrites
// it: a library is cut after its last readable record, a document is saved over
// with what could be read. The copy holds every byte of the original, so that
// whatever the tail still held can be looked at or mended later.
#pragma once

#include <string>

namespace plexo {

class ObjFile;

// Appended to the file's name for its copy.
inline constexpr const char* kDamagedCopySuffix = ".endommage";

// The name of the copy: "<path>.endommage", then "<path>.endommage-2" and so on.
std::string damagedCopyPath(const std::string& path, int attempt);

// Copies the whole open file, damaged tail included, to a new file beside it
// (never over an existing one), with the original's permission bits, flushed to
// the disk. The copy's path, or empty when no copy could be made.
std::string keepDamagedCopy(ObjFile& file, const std::string& path);

} // namespace plexo
