// Crash recovery from the working copy: the checkpoint that keeps the copy of a
// modified document up to date, the search for copies left behind by an editor
// that stopped without closing them, and their opening as modified documents.
#include "store/saodocrecovery.h"

#include "base/desktopservices.h"
#include "base/log.h"
#include "base/objfile.h"
#include "base/privatefile.h"
#include "base/userinterface.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/storestrings.h"

#include <algorithm>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace plexo {

namespace {

constexpr const char* kWorkingCopySuffix = ".tmp";
constexpr const char* kUntitledPrefix = "Plexo."; // untitled working copies: "Plexo.<date>.tmp"

// A regular file of this user (a link or another user's file planted beside a
// received document is never offered).
bool isOwnRegularFile(const std::filesystem::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid();
}

// Whether the file is a working copy container; with header, whether it holds
// a live document header record too.
bool isWorkingCopy(const std::filesystem::path& path, bool withHeader) {
    ObjFile file;
    if (!file.open(path.string(), withHeader, 0, 0, false))
        return false;
    const auto [kind, version] = file.kindAndVersion();
    bool ok = kind == kWorkingCopyKind && version > 0 && version <= kDocumentFileVersion;
    if (ok && withHeader)
        ok = std::any_of(file.index().begin(), file.index().end(), [](const Handler& record) {
            return !record.free && record.type == kHeaderRecordType && record.key == 0;
        });
    file.close();
    return ok;
}

} // namespace

RecoveryCandidate findRecoverableCopy(const std::filesystem::path& document) {
    std::filesystem::path copy = document;
    copy += kWorkingCopySuffix;
    if (!isOwnRegularFile(copy))
        return {};
    std::error_code error;
    const auto copyTime = std::filesystem::last_write_time(copy, error);
    if (error)
        return {};
    const auto documentTime = std::filesystem::last_write_time(document, error);
    // Changes made after the last save, or a document whose file is gone.
    if (!error && copyTime <= documentTime)
        return {};
    auto lock = WorkingCopyLock::tryLock(copy);
    if (!lock || !isWorkingCopy(copy, false))
        return {};
    return {copy, document, std::move(lock)};
}

std::vector<RecoveryCandidate> findUntitledCopies(const std::filesystem::path& folder) {
    std::vector<std::pair<std::filesystem::file_time_type, RecoveryCandidate>> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path copy = it->path();
        const std::string name = copy.filename().string();
        if (!name.starts_with(kUntitledPrefix) || !name.ends_with(kWorkingCopySuffix) ||
            !isOwnRegularFile(copy))
            continue;
        auto lock = WorkingCopyLock::tryLock(copy);
        if (!lock || !isWorkingCopy(copy, true))
            continue;
        std::error_code timeError;
        const auto time = std::filesystem::last_write_time(copy, timeError);
        found.push_back({time, RecoveryCandidate{copy, {}, std::move(lock)}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<RecoveryCandidate> candidates;
    for (auto& entry : found)
        candidates.push_back(std::move(entry.second));
    return candidates;
}

std::vector<RecoveryCandidate> findUntitledCopies() {
    const std::filesystem::path folder = privateFolder();
    if (folder.empty())
        return {};
    return findUntitledCopies(folder);
}

bool removeStaleWorkingCopy(const std::filesystem::path& document) {
    std::filesystem::path copy = document;
    copy += kWorkingCopySuffix;
    if (!isOwnRegularFile(copy))
        return false;
    std::error_code error;
    const auto copyTime = std::filesystem::last_write_time(copy, error);
    if (error)
        return false;
    const auto documentTime = std::filesystem::last_write_time(document, error);
    if (error || copyTime > documentTime)
        return false; // changes made after the last save: for the recovery to offer
    auto lock = WorkingCopyLock::tryLock(copy);
    if (!lock || !isWorkingCopy(copy, false))
        return false;
    const bool removed = std::filesystem::remove(copy, error) && !error;
    lock.reset();
    return removed;
}

bool discardRecoverableCopy(RecoveryCandidate& candidate) {
    if (!candidate)
        return false;
    std::error_code error;
    const bool removed = std::filesystem::remove(candidate.copy, error);
    candidate.lock.reset();
    return removed && !error;
}

// ---- saoDoc -------------------------------------------------------------------------

void saoDoc::markWorkingCopyUnchanged() {
    if (path().empty() || !workingCopyLock_)
        return;
    std::error_code error;
    const auto saved = std::filesystem::last_write_time(path(), error);
    if (!error)
        workingCopyLock_->setModificationTime(saved);
}

bool saoDoc::checkpoint() {
    if (symbolNode || !workingCopy_ || closed_)
        return true;
    if (!isModified()) {
        markWorkingCopyUnchanged();
        return true;
    }
    bool ok = writeHeader();
    if (workingCopyLock_)
        ok = workingCopyLock_->flush() && ok;
    if (!ok)
        logMessage(0, 0, kError, strings::format(strings::kCheckpointFailed, workingCopyPath_.string()),
                   false);
    return ok;
}

bool saoDoc::openRecovered(const std::filesystem::path& documentPath, RecoveryCandidate&& candidate) {
    if (symbolNode || !candidate || workingCopy_)
        return false;
    BusyCursor busy;
    setPath(documentPath);
    const std::string shown = candidate.copy.string();
    auto file = std::make_unique<ObjFile>();
    const bool opened = file->open(shown, true, 0, 0, false) &&
                        file->kindAndVersion().first == kWorkingCopyKind &&
                        file->kindAndVersion().second <= kDocumentFileVersion;
    if (!opened) {
        file->close();
        userInterface().messageBox(strings::kCannotOpenFile, shown, MessageIcon::Error);
        return false;
    }
    workingCopy_ = std::move(file);
    workingCopyPath_ = candidate.copy;
    workingCopyLock_ = std::move(candidate.lock);
    logMessage(0, 0, kInformation,
               strings::format(strings::kRecovering,
                               documentPath.empty() ? title().c_str() : documentPath.c_str(), shown.c_str()));
    if (!readHeader()) {
        // The copy is the user's only trace of the work: it is left as it was.
        folios.clear();
        workingCopy_->close();
        workingCopy_.reset();
        workingCopyLock_.reset();
        userInterface().messageBox(strings::kCannotOpenFile, shown, MessageIcon::Error);
        return false;
    }
    ensureFirstFolio();
    setModified(true);
    if (!documentPath.empty())
        desktopServices().addRecentFile(documentPath);
    return true;
}

} // namespace plexo
