// Which folder the application's symbol library set is scanned in.
//
// The rule: the folder of the settings ("Librairie"/"path") when it holds at
// least one ".dly" file; otherwise the program folder when that one holds some
// (the libraries the build writes beside the program, so that a new user sees
// them without configuring anything), or the installed program's bundled data
// folder (bundledDataFolder: ../share/plexo); otherwise the settings' folder all the
// same (an empty set, where the user's first library will be created). The
// settings keep the path the user chose: the fall-back is decided at each start,
// so the user's own folder wins as soon as it holds a library.
#pragma once

#include <filesystem>

namespace plexo {

// Whether the folder holds a regular file whose name ends in ".dly" (any case).
bool holdsLibraries(const std::filesystem::path& folder);

std::filesystem::path libraryFolderToScan(const std::filesystem::path& configured,
                                          const std::filesystem::path& programFolder);

// The folder the editor would scan, for the command-line verbs given no
// "--library": the "Librairie"/"path" setting of home's "Plexo.ini" (home itself
// when the file or the key is absent, as at the editor's first start), with the
// fall-back of libraryFolderToScan to the program folder, without a trailing
// separator.
std::filesystem::path editorLibraryFolder(const std::filesystem::path& home,
                                          const std::filesystem::path& programFolder);

} // namespace plexo
