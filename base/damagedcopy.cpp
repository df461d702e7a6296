#include "base/damagedcopy.h"

#include "base/objfile.h"
#include "base/privatefile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plexo {

namespace {

constexpr int kCopyAttempts = 100;             // names tried for the copy
constexpr std::int64_t kCopyChunk = 64 * 1024; // bytes copied at a time

bool writeAll(int fd, const std::uint8_t* bytes, std::int64_t n) {
    while (n > 0) {
        const ssize_t put = ::write(fd, bytes, static_cast<std::size_t>(n));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes += put;
        n -= put;
    }
    return true;
}

} // namespace

std::string damagedCopyPath(const std::string& path, int attempt) {
    std::string copy = path + kDamagedCopySuffix;
    if (attempt > 1)
        copy += "-" + std::to_string(attempt);
    return copy;
}

std::string keepDamagedCopy(ObjFile& file, const std::string& path) {
    struct stat original {};
    const int mode = ::stat(path.c_str(), &original) == 0 ? static_cast<int>(original.st_mode & 0777) : 0644;
    for (int attempt = 1; attempt <= kCopyAttempts; ++attempt) {
        const std::string copy = damagedCopyPath(path, attempt);
        const int fd = createExclusiveFile(copy, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        std::vector<std::uint8_t> chunk(static_cast<std::size_t>(kCopyChunk));
        std::int64_t left = file.fileSize();
        bool ok = file.seek(0);
        while (ok && left > 0) {
            const std::int64_t n = std::min(left, kCopyChunk);
            ok = file.readBytes(chunk.data(), n) && writeAll(fd, chunk.data(), n);
            left -= n;
        }
        ok = ::fsync(fd) == 0 && ok;
        ok = ::close(fd) == 0 && ok;
        if (ok)
            return copy;
        ::unlink(copy.c_str());
        return {};
    }
    return {};
}

} // namespace plexo
