#include "base/privatefile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plexo {

namespace {

constexpr mode_t kPrivateFolderMode = 0700;

bool writeAll(int fd, std::string_view bytes) {
    const char* at = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t put = ::write(fd, at, left);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        at += put;
        left -= static_cast<std::size_t>(put);
    }
    return true;
}

std::filesystem::path temporaryFolder() {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : folder;
}

// The folder, made 0700 when missing; empty when it is there but not private.
std::filesystem::path ownFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST)
        return {};
    return isPrivateFolder(folder) ? folder : std::filesystem::path();
}

} // namespace

int createExclusiveFile(const std::string& path, int mode) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  static_cast<mode_t>(mode));
}

bool nameTaken(const std::filesystem::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 || errno != ENOENT;
}

bool isPrivateFolder(const std::filesystem::path& folder) {
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & 077) == 0;
}

std::filesystem::path privateFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        std::filesystem::path folder = ownFolder(std::filesystem::path(runtime) / "plexo");
        if (!folder.empty())
            return folder;
    }
    const std::filesystem::path temporary = temporaryFolder();
    std::filesystem::path folder = ownFolder(temporary / ("plexo-" + std::to_string(::geteuid())));
    if (!folder.empty())
        return folder;
    // Someone else holds the usual name: a folder of our own for this session.
    static std::filesystem::path sessionFolder;
    if (sessionFolder.empty() || !isPrivateFolder(sessionFolder)) {
        std::string pattern = (temporary / ("plexo-" + std::to_string(::geteuid()) + "-XXXXXX")).string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        sessionFolder = ::mkdtemp(name.data()) ? std::filesystem::path(name.data()) : std::filesystem::path();
    }
    return sessionFolder;
}

bool writeNewFile(const std::filesystem::path& path, std::string_view bytes, int mode) {
    const int fd = createExclusiveFile(path.string(), mode);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    if (!ok)
        ::unlink(path.c_str());
    return ok;
}

bool replaceFile(const std::filesystem::path& path, std::string_view bytes) {
    std::string pattern = path.string() + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(name.data(), path.c_str()) == 0)
        return true;
    ::unlink(name.data());
    return false;
}

} // namespace plexo
