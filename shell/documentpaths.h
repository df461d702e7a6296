// Paths given to the editor on its command line, dropped on the frame or
// handed over by a second instance.
#pragma once

#include <filesystem>
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

// Where the files that come with the program are (the bundled symbol libraries,
// the example and the help documents): "../share/plexo" from the program's folder
// when that folder exists (an installed program), else the program's folder
// itself (the build tree, where the build writes them beside the program).
std::filesystem::path bundledDataFolder(const std::filesystem::path& programFolder);

// Where the settings and the log go when PLEXO_HOME does not say: the program's
// folder when this user may write there, else "plexo" in the user's
// configuration folder ($XDG_CONFIG_HOME, else $HOME/.config). configHome and
// userHome are the values of those two variables (empty when unset); when
// neither gives a folder, the program's folder all the same.
std::filesystem::path settingsFolder(const std::filesystem::path& programFolder, std::string_view configHome,
                                     std::string_view userHome);

} // namespace plexo
