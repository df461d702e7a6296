// Paths given to the editor on its command line, dropped on the frame or
// handed over by a second instance.
#pragma once

#include <string>
#include <string_view>

namespace plexo {

// The argument in its long, absolute form: relative to the current folder,
// with the existing part of the path resolved as the file system names it
// (links followed, "." and ".." removed). A path that does not exist keeps
// its missing components as typed, so it stays usable in messages.
std::string longPathOf(std::string_view argument);

// The path with ".dls" appended unless it ends with ".dls" or ".mid" (in any case).
std::string withDocumentExtension(std::string_view path);

} // namespace plexo
