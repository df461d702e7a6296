#include "library/libraryfile.h"

#include "base/damagedcopy.h"
#include "base/log.h"
#include "base/objfile.h"
#include "base/privatefile.h"
#include "library/librarystrings.h"


namespace plexo {

namespace {

bool isLibrary(const ObjFile& file) {
    return file.kindAndVersion() == std::pair<char, std::int32_t>{kLibraryFileKind, kLibraryFileVersion};
}

} // namespace

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
        const std::string copy = keepDamagedCopy(*file, path);
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
