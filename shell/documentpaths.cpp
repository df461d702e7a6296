#include "shell/documentpaths.h"

#include "shell/profilefile.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace plexo {

std::string longPathOf(std::string_view argument) {
    if (argument.empty())
        return {};
    std::error_code ec;
    std::filesystem::path path{std::string(argument)};
    auto absolute = std::filesystem::absolute(path, ec);
    if (ec)
        return std::string(argument);
    auto resolved = std::filesystem::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal().string() : resolved.string();
}

std::string withDocumentExtension(std::string_view path) {
    std::string result(path);
    std::string_view tail = path.size() >= 4 ? path.substr(path.size() - 4) : std::string_view{};
    if (!equalsIgnoringCase(tail, ".dls") && !equalsIgnoringCase(tail, ".mid"))
        result += ".dls";
    return result;
}

std::filesystem::path bundledDataFolder(const std::filesystem::path& programFolder) {
    std::error_code ec;
    const std::filesystem::path shared = (programFolder / ".." / "share" / "plexo").lexically_normal();
    if (std::filesystem::is_directory(shared, ec))
        return shared;
    return programFolder;
}

std::filesystem::path settingsFolder(const std::filesystem::path& programFolder, std::string_view configHome,
                                     std::string_view userHome) {
    if (::access(programFolder.c_str(), W_OK | X_OK) == 0)
        return programFolder;
    // The XDG rule: a relative $XDG_CONFIG_HOME is invalid and ignored.
    if (!configHome.empty() && configHome.front() == '/')
        return std::filesystem::path(configHome) / "plexo";
    if (!userHome.empty() && userHome.front() == '/')
        return std::filesystem::path(userHome) / ".config" / "plexo";
    return programFolder;
}

} // namespace plexo
