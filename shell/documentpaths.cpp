#include "shell/documentpaths.h"

#include "shell/profilefile.h"

#include <filesystem>
#include <system_error>

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

} // namespace plexo
