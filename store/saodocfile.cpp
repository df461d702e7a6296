// The schéma document's file: opening into a working copy, saving a compact
// copy of it, closing.
#include "store/saodoc.h"

#include "base/buffer.h"
#include "base/damagedcopy.h"
#include "base/desktopservices.h"
#include "base/log.h"
#include "base/objfile.h"
#include "base/privatefile.h"
#include "base/shutdown.h"
#include "base/userinterface.h"
#include "shapes/saodib.h"
#include "shapes/shape.h"
#include "shapes/symbolnode.h"
#include "store/editedsymbol.h"
#include "store/edittransaction.h"
#include "store/folio.h"
#include "store/saodocrecovery.h"
#include "store/storestrings.h"

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace plexo {

namespace {

constexpr const char* kWorkingCopySuffix = ".tmp";
constexpr const char* kNewFileSuffix = ".new";
constexpr int kWorkingCopyMode = 0600;       // the working copy is for this user alone
constexpr int kDocumentMode = 0644;          // a saved document, before the umask
constexpr int kWorkingCopyAttempts = 100000; // names tried in the private folder
// Caption of the messages that name no file.
constexpr const char* kProgramCaption = "Plexo";

std::string utf8Path(const std::filesystem::path& path) {
    return path.string();
}

// The file a save replaces: the document's path, or the file a symbolic link
// there leads to, so that the link stays a link (a dangling link's target is
// made). A chain too long to be a real one is left as it is.
std::filesystem::path savedFilePath(const std::filesystem::path& documentPath) {
    constexpr int kLinkHops = 40; // the system's own limit on links followed
    std::filesystem::path target = documentPath;
    std::error_code error;
    for (int hop = 0; hop < kLinkHops && std::filesystem::is_symlink(target, error); ++hop) {
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error)
            return documentPath;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return std::filesystem::is_symlink(target, error) ? documentPath : target;
}

bool flushToDisk(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

bool (*saoDoc::flushFile)(const std::filesystem::path& file) = flushToDisk;

bool saoDoc::saveCompactCopy(const std::filesystem::path& target) {
    // The new file is built beside the old one and replaces it only once it is
    // complete and on the disk: a full disk, a lost permission or a power cut
    // never costs the saved file.
    std::filesystem::path fresh = target;
    fresh += kNewFileSuffix;
    // A stale "path.new" (a save cut short) goes first; whatever is at that
    // name afterwards, a link included, makes the save fail rather than be followed.
    std::error_code error;
    std::filesystem::remove(fresh, error);
    bool ok = false;
    {
        ObjFile file;
        ok =
            file.create(utf8Path(fresh), kDocumentFileKind, kDocumentFileVersion, kDocumentMode) &&
            file.kindAndVersion() == std::pair<char, std::int32_t>{kDocumentFileKind, kDocumentFileVersion} &&
            workingCopy_ && workingCopy_->copyLiveRecordsTo(file);
        file.close();
    }
    // The saved file keeps the permissions the user gave the old one.
    std::error_code absent;
    const std::filesystem::file_status old = std::filesystem::status(target, absent);
    if (ok && !absent && std::filesystem::is_regular_file(old)) {
        std::filesystem::permissions(fresh, old.permissions() & std::filesystem::perms::all, error);
        ok = !error;
    }
    ok = ok && flushFile(fresh);
    if (ok) {
        std::filesystem::rename(fresh, target, error);
        ok = !error;
    }
    if (!ok) {
        std::filesystem::remove(fresh, error);
        return false;
    }
    // The rename itself reaches the disk with its folder.
    flushFile(target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path());
    return true;
}

std::filesystem::path saoDoc::untitledWorkingCopyPath(std::time_t now, int attempt) {
    std::tm local{};
    localtime_r(&now, &local);
    char stem[64];
    std::snprintf(stem, sizeof stem, "Plexo.%02d%02d%04d%02d%02d%02d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    const std::string suffix = attempt > 1 ? "-" + std::to_string(attempt) : std::string();
    return privateFolder() / (stem + suffix + kWorkingCopySuffix);
}

bool saoDoc::openWorkingCopy() {
    // Made exclusively: a name that is taken (another instance, a crash, a link
    // planted beside a received document) is left alone and never followed.
    auto tryCreate = [&](const std::filesystem::path& candidate) {
        auto file = std::make_unique<ObjFile>();
        if (!file->create(utf8Path(candidate), kWorkingCopyKind, kDocumentFileVersion, kWorkingCopyMode))
            return false;
        if (file->kindAndVersion() != std::pair<char, std::int32_t>{kWorkingCopyKind, kDocumentFileVersion}) {
            file->close();
            file->deleteFile();
            return false;
        }
        workingCopy_ = std::move(file);
        workingCopyPath_ = candidate;
        // Marked in use at once; a file system without locks leaves it unmarked.
        workingCopyLock_ = WorkingCopyLock::tryLock(candidate);
        return true;
    };
    if (!path().empty()) {
        // Beside the document, unless that name is taken or the folder is not
        // writable. A copy left there holding nothing newer goes first.
        std::filesystem::path beside = path();
        beside += kWorkingCopySuffix;
        if (tryCreate(beside) || (removeStaleWorkingCopy(path()) && tryCreate(beside)))
            return true;
    }
    const std::time_t now = std::time(nullptr);
    if (untitledWorkingCopyPath(now).parent_path().empty())
        return false;
    // Two documents made in the same second must not share a working copy.
    for (int attempt = 1; attempt < kWorkingCopyAttempts; ++attempt) {
        const std::filesystem::path candidate = untitledWorkingCopyPath(now, attempt);
        if (tryCreate(candidate))
            return true;
        if (!nameTaken(candidate))
            return false;
    }
    return false;
}

bool saoDoc::open(const std::filesystem::path& documentPath) {
    BusyCursor busy;
    if (symbolNode) {
        if (!symbolNode->mayEdit())
            return false;
        symbolNode->beginEdit();
        editCountRaised_ = true;
        keepSavedSymbol();
        readHeader();
        setModified(false);
        ensureFirstFolio();
        return true;
    }
    setPath(documentPath);
    if (!openWorkingCopy()) {
        userInterface().messageBox(strings::kCannotCreateTemporary, kProgramCaption, MessageIcon::Error);
        return false;
    }
    if (!path().empty()) {
        const std::string shown = utf8Path(path());
        auto failOpen = [&] {
            userInterface().messageBox(strings::kCannotOpenFile, shown, MessageIcon::Error);
            workingCopy_->close();
            workingCopy_->deleteFile();
            workingCopy_.reset();
            folios.clear();
            return false;
        };
        ObjFile file;
        if (!file.open(shown, true, 0, 0, false))
            return failOpen();
        auto [kind, version] = file.kindAndVersion();
        logMessage(0, 0, kInformation,
                   strings::format(strings::kLoading, shown.c_str(), static_cast<long>(version)));
        if (kind != kDocumentFileKind || version > kDocumentFileVersion) {
            logMessage(
                0, 0, kInformation,
                strings::format(strings::kCannotOpenVersion, shown.c_str(), static_cast<long>(version)));
            file.close();
            workingCopy_->close();
            workingCopy_->deleteFile();
            workingCopy_.reset();
            return false;
        }
        // Records that do not tile the file to its end (a cut or damaged file) are
        // left out; what comes before them still opens.
        std::int64_t tiled = kObjFileHeaderSize;
        if (!file.index().empty())
            tiled = std::int64_t{file.index().back().offset} + file.index().back().size + kRecordHeaderSize;
        if (tiled != file.fileSize()) {
            // A save will replace the file with what could be read: the whole of
            // it is kept beside it first.
            const std::string copy = keepDamagedCopy(file, shown);
            logMessage(0, 0, kError,
                       copy.empty() ? strings::format(strings::kFileDamagedNoCopy, shown.c_str(), static_cast<long>(tiled))
                                    : strings::format(strings::kFileDamaged, shown.c_str(), static_cast<long>(tiled),
                                                      copy.c_str()),
                       true);
        }
        bool copied = file.copyLiveRecordsTo(*workingCopy_);
        file.close();
        if (!copied || !readHeader())
            return failOpen();
        setModified(false);
        markWorkingCopyUnchanged();
        desktopServices().addRecentFile(path());
    }
    ensureFirstFolio();
    return true;
}

void saoDoc::ensureFirstFolio() {
    if (!folios.empty())
        return;
    auto folio = newFolio();
    folio->serial = takeNextSerial();
    Folio& added = insertFolio(std::move(folio));
    headerLoaded = 0;
    if (imageForNewSymbol)
        addImageObject(added);
}

void saoDoc::addImageObject(Folio& folio) {
    for (auto& shape : folio.objects)
        shape->selected = false;
    // An object the document adds itself is recorded as a paste.
    EditTransaction edit(*this, folio, kUndoPaste);
    auto shape = std::make_unique<Shape>(kDibPicture, &folio);
    shape->dib = std::move(imageForNewSymbol);
    shape->style = objectStyle;
    shape->setApplicability();
    // At zoom 100 % one picture pixel is one point.
    const std::int32_t width = shape->dib->width() * 1000;
    const std::int32_t height = shape->dib->height() * 1000;
    shape->points = {{10000, 10000}, {10000 + width, 10000 + height}};
    edit.changed(edit.create(std::move(shape), true));
    edit.finish();
}

bool saoDoc::commit(bool force) {
    if (path().empty() && !symbolNode)
        return false;
    if (!isModified() && !force)
        return true;
    BusyCursor busy;
    if (!writeHeader()) {
        userInterface().messageBox(strings::kCannotSave, symbolNode ? title() : utf8Path(path()),
                                   MessageIcon::Error);
        return false;
    }
    if (!symbolNode) {
        const std::string shown = utf8Path(path());
        desktopServices().addRecentFile(path());
        logMessage(0, 0, kInformation, strings::format(strings::kSaving, shown));
        if (!saveCompactCopy(savedFilePath(path()))) {
            userInterface().messageBox(strings::kCannotSave, shown, MessageIcon::Error);
            return false;
        }
    }
    if (symbolNode)
        keepSavedSymbol();
    setModified(false);
    return true;
}

void saoDoc::keepSavedSymbol() {
    ObjFile* container = store();
    auto bytesOf = [&](std::uint8_t type) -> std::optional<std::string> {
        std::unique_ptr<Buffer> record = container ? container->readRecord(type, symbolNode->symbolKey()) : nullptr;
        if (!record)
            return std::nullopt;
        const char* data = reinterpret_cast<const char*>(record->data());
        return data ? std::string(data, static_cast<std::size_t>(record->capacity())) : std::string();
    };
    savedSymbolHeader_ = bytesOf(kSymbolHeaderRecordType);
    savedSymbolPage_ = bytesOf(kSymbolDrawingRecordType);
}

void saoDoc::restoreSavedSymbol() {
    ObjFile* container = store();
    if (!container)
        return;
    const std::int32_t key = symbolNode->symbolKey();
    auto put = [&](std::uint8_t type, const std::optional<std::string>& bytes) {
        if (!bytes) {
            container->freeRecord(type, key);
            return;
        }
        Buffer buffer(Buffer::Block(bytes->begin(), bytes->end()));
        container->writeRecord(type, key, buffer);
    };
    put(kSymbolHeaderRecordType, savedSymbolHeader_);
    put(kSymbolDrawingRecordType, savedSymbolPage_);
}

void saoDoc::close() {
    if (closed_)
        return;
    closed_ = true;
    // Taken before the views let go of their folios, which may mark the document.
    const bool closedUnsaved = isModified();
    // The document's path names it; an untitled document is named by its title.
    if (!presentationTime.isZero())
        logMessage(0, 0, kInformation,
                   strings::format(strings::kPresentationTotal,
                                   path().empty() ? title().c_str() : utf8Path(path()).c_str(),
                                   presentationTime.hours, presentationTime.minutes,
                                   presentationTime.seconds));
    notifyReleaseFolio();
    // While the application shuts down the library goes with it: the title block
    // is let go without giving its drawing back to a library node that may be gone.
    if (shuttingDown() && titleBlock && titleBlock->infoSymbole)
        titleBlock->infoSymbole->drawingAcquired = false;
    titleBlock.reset();
    // The folios go before the store; their symbol objects let go of their drawings.
    folios.clear();
    // Nothing may keep pointing at them.
    undoState = UndoState{};
    selection = SelectionSummary{};
    if (symbolNode) {
        // Closed without saving: what the views wrote as they went is undone.
        if (editCountRaised_ && closedUnsaved)
            restoreSavedSymbol();
        if (editCountRaised_)
            symbolNode->endEdit();
        editCountRaised_ = false;
    } else if (workingCopy_) {
        workingCopy_->close();
        workingCopy_->deleteFile();
        workingCopy_.reset();
    }
    // Deleted while still marked, so that no other editor takes it meanwhile.
    workingCopyLock_.reset();
}

} // namespace plexo
