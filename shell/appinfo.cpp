#include "shell/appinfo.h"

#include "shell/documentpaths.h"

#include <cstdlib>
#include <system_error>

namespace plexo {
namespace {

std::filesystem::path& storedProgramDir() {
    static std::filesystem::path dir;
    return dir;
}

} // namespace

std::filesystem::path programDir() {
    if (storedProgramDir().empty()) {
        std::error_code ec;
        auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        storedProgramDir() = ec ? std::filesystem::current_path() : exe.parent_path();
    }
    return storedProgramDir();
}

void initProgramDir(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argv0)
        exe = std::filesystem::absolute(argv0, ec);
    storedProgramDir() = exe.parent_path();
}

std::filesystem::path homeDir() {
    if (const char* home = std::getenv("PLEXO_HOME"); home && *home)
        return std::filesystem::path(home);
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const char* userHome = std::getenv("HOME");
    return settingsFolder(programDir(), configHome ? configHome : "", userHome ? userHome : "");
}

} // namespace plexo
