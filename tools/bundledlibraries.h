// The symbol libraries that come with Plexo, built from code so that they can
// be reviewed and rebuilt: the symbols of the JCL flowcharts, the title block
// and a small set of general flowchart and electrical symbols. The build writes
// them into the default library folder beside the program.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plexo {

// File names of the bundled libraries (in the library folder).
inline constexpr const char* kJclLibraryFile = "Jcl.dly";
inline constexpr const char* kTitleBlockLibraryFile = "Cartouches.dly";
inline constexpr const char* kGeneralLibraryFile = "Symboles.dly";
// The title block symbol (type "Cartouche").
inline constexpr const char* kBundledTitleBlock = "Cartouche A4";

// Writes the three libraries into folder (created when missing), replacing
// files of the same names. False with a French message when a file cannot be
// written. Uses a Lib of its own: the application's library set is left alone.
bool writeBundledLibraries(const std::filesystem::path& folder, std::string& error);

// The names of the symbols of each library, in the order they are written.
std::vector<std::string> jclSymbolNames();
std::vector<std::string> generalSymbolNames();

} // namespace plexo
