#include "library/libraryfile.h"

#include "base/log.h"
#include "base/objfile.h"
#include "base/privatefile.h"
#include "library/librarystrings.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plexo {

namespace {

constexpr int kCopyAttempts = 100;             // names tried for the copy of a damaged library
constexpr std::int64_t kCopyChunk = 64 * 1024; // bytes copied at a time

bool isLibrary(const ObjFile& file) {
    return file.kindAndVersion() == std::pair<char, std::int32_t>{kLibraryFileKind, kLibraryFileVersion};
}

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

// Copies the whole file, damaged tail included, to a new file beside it (never
// over an existing one), flushed to disk before the original is cut. The copy
// keeps the original's permission bits. Empty when no copy could be made.
std::string keepCopy(ObjFile& file, const std::string& path) {
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

} // namespace

std::string damagedCopyPath(const std::string& path, int attempt) {
    std::string copy = path + strings::kDamagedCopySuffix;
    if (attempt > 1)
        copy += "-" + std::to_string(attempt);
    return copy;
}

std::unique_ptr<ObjFile> openLibraryContainer(const std::string& path, std::string_view shownName,
                                              bool createIfMissing) {
    auto file = std::make_unique<ObjFile>();
    if (!file->open(path, true, kLibraryFileKind, kLibraryFileVersion, false)) {
        if (createIfMissing && !nameTaken(path)) {
            if (!file->create(path, kLibraryFileKind, kLibraryFileVersion) || !isLibrary(*file))
                return nullptr;
            return file;
        }
        // Present but not writable (a read-only disk or folder, no permission).
        if (!file->openReadOnly(path, true))
            return nullptr;
    }
    if (!isLibrary(*file))
        return nullptr;
    if (!file->hasUnreachableTail())
        return file;

    const auto damagedAt = static_cast<long long>(file->reachableEnd());
    const std::string shown(shownName);
    if (!file->isReadOnly()) {
        const std::string copy = keepCopy(*file, path);
        if (!copy.empty() && file->cutUnreachableTail()) {
            logMessage(0, 0, kError, strings::format(strings::kLibraryTailCut, shown, damagedAt, copy));
            return file;
        }
        // Without a copy nothing is cut: the library is read as it is.
        if (!file->openReadOnly(path, true) || !isLibrary(*file))
            return nullptr;
    }
    logMessage(0, 0, kError, strings::format(strings::kLibraryTailKept, shown, damagedAt));
    return file;
}

} // namespace plexo
