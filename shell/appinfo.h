// Program-wide facts: the caption and version, and where the program keeps its
// files (settings, log, default symbol library folder).
#pragma once

#include "base/shutdown.h" // shuttingDown(), setShuttingDown()

#include <filesystem>

namespace plexo {

inline constexpr const char* kAppCaption = "Plexo v1.0.5"; // frame caption and version text
inline constexpr int kSettingsVersion = 105;               // "Plexo"/"version" in the settings file

// The folder of the executable (without trailing "/").
std::filesystem::path programDir();

// Sets programDir from argv[0]; the executable's real location is preferred.
void initProgramDir(const char* argv0);

// The folder that holds "Plexo.ini", "Plexo.log.txt" and the default library
// folder: $PLEXO_HOME when set (tests always set it), else programDir when this
// user may write there, else the user's configuration folder (settingsFolder).
std::filesystem::path homeDir();

} // namespace plexo
