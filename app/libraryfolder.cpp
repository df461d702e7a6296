#include "app/libraryfolder.h"

#include "library/libnode.h"
#include "shell/documentpaths.h"
#include "shell/profilefile.h"
#include "shell/settings.h"

#include <string>
#include <system_error>

namespace plexo {

bool holdsLibraries(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() >= 4 && namesEqualIgnoringCase(name.substr(name.size() - 4), kLibraryExtension) &&
            it->is_regular_file(error))
            return true;
    }
    return false;
}

std::filesystem::path libraryFolderToScan(const std::filesystem::path& configured,
                                          const std::filesystem::path& programFolder) {
    if (holdsLibraries(configured))
        return configured;
    // Beside the program in the build tree, in ../share/plexo once installed.
    for (const std::filesystem::path& bundled : {programFolder, bundledDataFolder(programFolder)})
        if (bundled != configured && holdsLibraries(bundled))
            return bundled;
    return configured;
}

std::filesystem::path editorLibraryFolder(const std::filesystem::path& home,
                                          const std::filesystem::path& programFolder) {
    ProfileFile profile;
    profile.load(home / "Plexo.ini"); // a missing file reads as empty
    Settings settings;
    // The screen only places the editor's windows: none is needed here.
    settings.read(profile, home.string(), Rect{});
    std::string folder = libraryFolderToScan(settings.libraryPath, programFolder).string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace plexo
