#include "store/saodoc.h"

#include "shapes/saodib.h"
#include "shapes/shape.h"
#include "shapes/symbolnode.h"
#include "shapes/symbolresolver.h"
#include "store/editedsymbol.h"
#include "base/buffer.h"
#include "base/desktopservices.h"
#include "store/folio.h"
#include "base/log.h"
#include "base/objfile.h"
#include "base/shutdown.h"
#include "store/storestrings.h"
#include "base/textcodec.h"
#include "base/userinterface.h"

#include <algorithm>
#include <climits>
#include <ctime>
#include <system_error>

namespace plexo {

namespace {

// Paper sizes A4..A0 in micrometres (width, height, portrait).
constexpr std::int32_t kPaperMicrometres[5][2] = {
    {210000, 297000}, {297000, 420000}, {420000, 594000}, {594000, 841000}, {841000, 1189000}};
// Scale percentages by scaleIndex; index 6 (100 %) leaves the size as it is.
constexpr std::int32_t kScalePercent[11] = {10, 25, 33, 50, 66, 75, 100, 125, 150, 200, 400};

constexpr const char* kWorkingCopySuffix = ".tmp";
constexpr const char* kNewFileSuffix = ".new";
// Caption of the messages that name no file.
constexpr const char* kProgramCaption = "Plexo";

std::int32_t micrometresToUnits(std::int32_t micrometres) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(micrometres) * 360 / 127);
}

std::string utf8Path(const std::filesystem::path& path) { return path.string(); }

// The stored style record carries values only: a record read back takes the
// unset/indeterminate pattern of the document's default for that slot.
void keepFlagsOf(Style& style, const Style& pattern) {
    style.unset = pattern.unset;
    style.indeterminate = pattern.indeterminate;
}

} // namespace

saoDoc::saoDoc(EditedSymbol* node) : symbolNode(node) {
    objectStyle = objectDefaultStyle();
    symbolStyle = symbolDefaultStyle();
    wireStyle = wireDefaultStyle();
    fourthStyle = rubberBandStyle();
    computeDocumentSize();
}

saoDoc::~saoDoc() {
    if (!closed_)
        close();
}

ObjFile* saoDoc::store() const {
    if (symbolNode)
        return symbolNode->symbolStore();
    return workingCopy_ && workingCopy_->isOpen() ? workingCopy_.get() : nullptr;
}

std::uint8_t saoDoc::headerRecordType() const { return symbolNode ? kSymbolHeaderRecordType : kHeaderRecordType; }

std::int32_t saoDoc::headerRecordKey() const { return symbolNode ? symbolNode->symbolKey() : 0; }

std::string saoDoc::title() const {
    if (symbolNode)
        return cp1252ToUtf8(symbolNode->symbolName()) + strings::kSymbolTitleSuffix;
    if (path().empty())
        return strings::kUntitledSchema;
    return path().filename().string() + strings::kSchemaTitleSuffix;
}

std::unique_ptr<Folio> saoDoc::newFolio() { return std::make_unique<Folio>(this); }

Folio& saoDoc::insertFolio(std::unique_ptr<Folio> folio) {
    folio->document = this;
    // After every folio that the new one does not sort before: after its equals.
    auto position = std::find_if(folios.begin(), folios.end(),
                                 [&](const auto& existing) { return folio->isBefore(*existing); });
    return **folios.insert(position, std::move(folio));
}

std::unique_ptr<Folio> saoDoc::takeFolio(Folio* folio) {
    auto it = std::find_if(folios.begin(), folios.end(), [&](const auto& f) { return f.get() == folio; });
    if (it == folios.end())
        return nullptr;
    std::unique_ptr<Folio> taken = std::move(*it);
    folios.erase(it);
    return taken;
}

int saoDoc::indexOf(const Folio* folio) const {
    for (std::size_t i = 0; i < folios.size(); ++i)
        if (folios[i].get() == folio)
            return static_cast<int>(i);
    return -1;
}

Folio* saoDoc::folioAt(int index) const {
    if (index < 0 || index >= static_cast<int>(folios.size()))
        return nullptr;
    return folios[static_cast<std::size_t>(index)].get();
}

// ---- opening and saving -------------------------------------------------------

std::filesystem::path saoDoc::untitledWorkingCopyPath(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char stem[64];
    std::snprintf(stem, sizeof stem, "Plexo.%02d%02d%04d%02d%02d%02d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
        folder = "/tmp";
    std::filesystem::path candidate = folder / (std::string(stem) + kWorkingCopySuffix);
    // Two documents made in the same second must not share a working copy.
    for (int n = 2; std::filesystem::exists(candidate, error) && n < 100000; ++n)
        candidate = folder / (std::string(stem) + "-" + std::to_string(n) + kWorkingCopySuffix);
    return candidate;
}

bool saoDoc::openWorkingCopy() {
    auto tryOpen = [&](const std::filesystem::path& candidate) {
        auto file = std::make_unique<ObjFile>();
        if (!file->open(utf8Path(candidate), false, kWorkingCopyKind, kDocumentFileVersion, true))
            return false;
        if (file->kindAndVersion() != std::pair<char, std::int32_t>{kWorkingCopyKind, kDocumentFileVersion}) {
            file->close();
            return false;
        }
        workingCopy_ = std::move(file);
        workingCopyPath_ = candidate;
        return true;
    };
    std::error_code error;
    if (!path().empty()) {
        // Beside the document, unless that name is taken (another instance, a crash:
        // the file is left alone) or the folder is not writable.
        std::filesystem::path beside = path();
        beside += kWorkingCopySuffix;
        if (!std::filesystem::exists(beside, error) && tryOpen(beside))
            return true;
    }
    return tryOpen(untitledWorkingCopyPath(std::time(nullptr)));
}

bool saoDoc::open(const std::filesystem::path& documentPath) {
    BusyCursor busy;
    if (symbolNode) {
        symbolNode->beginEdit();
        editCountRaised_ = true;
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
        logMessage(0, 0, kInformation, strings::format(strings::kLoading, shown.c_str(), static_cast<long>(version)));
        if (kind != kDocumentFileKind || version > kDocumentFileVersion) {
            logMessage(0, 0, kInformation,
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
        if (tiled != file.fileSize())
            logMessage(0, 0, kError, strings::format(strings::kFileDamaged, shown.c_str(), static_cast<long>(tiled)),
                       true);
        bool copied = file.copyLiveRecordsTo(*workingCopy_);
        file.close();
        if (!copied || !readHeader())
            return failOpen();
        setModified(false);
        desktopServices().addRecentFile(path());
    }
    ensureFirstFolio();
    return true;
}

std::int32_t saoDoc::takeNextSerial() {
    if (nextSerial >= 0 && nextSerial < INT32_MAX)
        return ++nextSerial;
    // Serials are never reused, but a damaged header may have used them all up:
    // take the smallest one no folio holds.
    for (std::int32_t candidate = 1;; ++candidate)
        if (std::none_of(folios.begin(), folios.end(), [&](const auto& f) { return f->serial == candidate; }))
            return candidate;
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
    recordAction(*this, &folio, kUndoPaste);
    auto shape = std::make_unique<Shape>(kDibPicture, &folio);
    shape->dib = std::move(imageForNewSymbol);
    shape->style = objectStyle;
    shape->setApplicability();
    // At zoom 100 % one picture pixel is one point.
    const std::int32_t width = shape->dib->width() * 1000;
    const std::int32_t height = shape->dib->height() * 1000;
    shape->points = {{10000, 10000}, {10000 + width, 10000 + height}};
    Folio::rebuildShape(*shape);
    shape->alive = false;
    shape->takeUndoCopy();
    shape->alive = true;
    shape->isNew = true;
    shape->changed = true;
    shape->selected = true;
    folio.append(std::move(shape));
    setModified();
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
        // The new file is built beside the old one and replaces it only once it is
        // complete: a full disk or a lost permission never costs the saved file.
        std::filesystem::path fresh = path();
        fresh += kNewFileSuffix;
        std::error_code error;
        std::filesystem::remove(fresh, error);
        bool ok = false;
        {
            ObjFile file;
            ok = file.open(utf8Path(fresh), false, kDocumentFileKind, kDocumentFileVersion, true) &&
                 file.kindAndVersion() == std::pair<char, std::int32_t>{kDocumentFileKind, kDocumentFileVersion} &&
                 workingCopy_ && workingCopy_->copyLiveRecordsTo(file);
            file.close();
        }
        if (ok) {
            std::filesystem::rename(fresh, path(), error);
            ok = !error;
        }
        if (!ok) {
            std::filesystem::remove(fresh, error);
            userInterface().messageBox(strings::kCannotSave, shown, MessageIcon::Error);
            return false;
        }
    }
    setModified(false);
    return true;
}

void saoDoc::close() {
    if (closed_)
        return;
    closed_ = true;
    if (!presentationTime.isZero())
        logMessage(0, 0, kInformation,
                   strings::format(strings::kPresentationTotal, utf8Path(path()).c_str(), presentationTime.hours,
                                   presentationTime.minutes, presentationTime.seconds));
    notifyViews(kNotifyReleaseFolio);
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
    changedFolio = nullptr;
    if (symbolNode) {
        if (editCountRaised_)
            symbolNode->endEdit();
        editCountRaised_ = false;
    } else if (workingCopy_) {
        workingCopy_->close();
        workingCopy_->deleteFile();
        workingCopy_.reset();
    }
}

// ---- header record ---------------------------------------------------------------

void saoDoc::writeHeaderRecord(Buffer& buffer) const {
    buffer.writeByte(paperSize);
    buffer.writeByte(scaleIndex);
    buffer.writeByte(portrait);
    buffer.writeInt32(horizontalGrid);
    buffer.writeInt32(verticalGrid);
    buffer.writeInt32(secondaryGrid);
    buffer.writeByte(unitIsMm);
    buffer.writeByte(snapToGrid);
    buffer.writeInt32(viewX);
    buffer.writeInt32(viewY);
    buffer.writeInt32(viewWidth);
    buffer.writeInt32(viewHeight);
    buffer.writeByte(showTabs);
    buffer.writeByte(showRulers);
    for (std::uint8_t kept : keptViewBytes)
        buffer.writeByte(kept);
    buffer.writeByte(showGrid);
    buffer.writeByte(showTerminals);
    buffer.writeByte(zoomIndex);
    buffer.writeFixedText(titleBlockName, kTitleBlockNameSize);
    buffer.writeByte(titleBlockCorner);
    buffer.writeByte(titleBlockRotated);
    writeStyle(buffer, objectStyle);
    writeStyle(buffer, symbolStyle);
    writeStyle(buffer, wireStyle);
    writeStyle(buffer, fourthStyle);
    buffer.writeInt32(nextSerial);
    buffer.writeInt32(static_cast<std::int32_t>(folios.size()));
    for (const auto& folio : folios)
        folio->writeHeader(buffer);
}

bool saoDoc::readHeaderRecord(Buffer& buffer) {
    buffer.readByte(paperSize);
    buffer.readByte(scaleIndex);
    buffer.readByte(portrait);
    buffer.readInt32(horizontalGrid);
    buffer.readInt32(verticalGrid);
    buffer.readInt32(secondaryGrid);
    buffer.readByte(unitIsMm);
    buffer.readByte(snapToGrid);
    buffer.readInt32(viewX);
    buffer.readInt32(viewY);
    buffer.readInt32(viewWidth);
    buffer.readInt32(viewHeight);
    buffer.readByte(showTabs);
    buffer.readByte(showRulers);
    for (std::uint8_t& kept : keptViewBytes)
        buffer.readByte(kept);
    buffer.readByte(showGrid);
    buffer.readByte(showTerminals);
    buffer.readByte(zoomIndex);
    buffer.readFixedText(titleBlockName, kTitleBlockNameSize);
    buffer.readByte(titleBlockCorner);
    buffer.readByte(titleBlockRotated);
    if (buffer.failed())
        return false;
    Style* styles[4] = {&objectStyle, &symbolStyle, &wireStyle, &fourthStyle};
    const Style patterns[4] = {objectDefaultStyle(), symbolDefaultStyle(), wireDefaultStyle(), rubberBandStyle()};
    for (int i = 0; i < 4; ++i) {
        if (!readStyle(buffer, *styles[i]))
            return false;
        keepFlagsOf(*styles[i], patterns[i]);
    }
    std::int32_t count = 0;
    buffer.readInt32(nextSerial);
    if (!buffer.readInt32(count) || count < 0 || !buffer.checkLength(count, kFolioHeaderSize))
        return false;
    // Serials key the object lists: a damaged header must not let two folios share
    // one, nor let a new folio take one in use.
    std::int32_t largest = 0;
    std::vector<std::unique_ptr<Folio>> read;
    for (std::int32_t i = 0; i < count; ++i) {
        auto folio = newFolio();
        if (!folio->readHeader(buffer))
            return false;
        largest = std::max(largest, folio->serial);
        read.push_back(std::move(folio));
    }
    nextSerial = std::max({nextSerial, largest, 0});
    std::vector<std::int32_t> seen;
    for (auto& folio : read) {
        if (folio->serial <= 0 || std::find(seen.begin(), seen.end(), folio->serial) != seen.end())
            folio->serial = 0;
        else
            seen.push_back(folio->serial);
    }
    std::vector<Folio*> unnumbered;
    for (auto& folio : read) {
        if (folio->serial == 0)
            unnumbered.push_back(folio.get());
        insertFolio(std::move(folio));
    }
    for (Folio* folio : unnumbered)
        folio->serial = takeNextSerial();
    return true;
}

bool saoDoc::readHeader() {
    ObjFile* container = store();
    if (!container)
        return false;
    std::unique_ptr<Buffer> record = container->readRecord(headerRecordType(), headerRecordKey());
    if (record) {
        folios.clear();
        if (record->failed() || !readHeaderRecord(*record)) {
            logMessage(0, 0, kError, strings::format(strings::kHeaderDamaged, title()), false);
            folios.clear();
            return false;
        }
        headerLoaded = 1;
    }
    if (!symbolNode)
        loadTitleBlock();
    computeDocumentSize();
    return true;
}

bool saoDoc::writeHeader() {
    notifyViews(kNotifySaveViewState);
    ObjFile* container = store();
    if (!container)
        return false;
    bool ok = true;
    for (auto& folio : folios)
        if (folio->useCount > 0 || !folio->objects.empty())
            ok = writeFolioObjects(*folio) && ok;
    Buffer buffer;
    writeHeaderRecord(buffer);
    buffer.allocateMeasured();
    writeHeaderRecord(buffer);
    return container->writeRecord(headerRecordType(), headerRecordKey(), buffer) && ok;
}

// ---- object lists -------------------------------------------------------------------

bool saoDoc::writeFolioObjects(Folio& folio) {
    ObjFile* container = store();
    if (!container)
        return false;
    Buffer buffer;
    folio.writeObjects(buffer, WhichObjects::All);
    buffer.allocateMeasured();
    userInterface().startProgress(buffer.capacity(), strings::format(strings::kSavingProgress, title()));
    folio.renumberObjects();
    folio.writeObjects(buffer, WhichObjects::All);
    bool ok = symbolNode ? container->writeRecord(kSymbolDrawingRecordType, symbolNode->symbolKey(), buffer)
                         : container->writeRecord(kFolioRecordType, folio.serial, buffer);
    userInterface().resetProgress();
    return ok;
}

bool saoDoc::readFolioObjects(Folio& folio) {
    ObjFile* container = store();
    if (!container)
        return false;
    std::unique_ptr<Buffer> record = symbolNode ? container->readRecord(kSymbolDrawingRecordType, symbolNode->symbolKey())
                                                : container->readRecord(kFolioRecordType, folio.serial);
    if (!record)
        return true;
    userInterface().startProgress(record->capacity(), strings::format(strings::kReadingProgress, title()));
    bool ok = !record->failed() && folio.readObjects(*record, ReadMode::Load);
    folio.relinkWires();
    userInterface().resetProgress();
    return ok;
}

// ---- size, title block, folio list ------------------------------------------------

void saoDoc::computeDocumentSize() {
    std::int32_t width = documentWidth;
    std::int32_t height = documentHeight;
    if (paperSize < 5) {
        width = micrometresToUnits(kPaperMicrometres[paperSize][0]);
        height = micrometresToUnits(kPaperMicrometres[paperSize][1]);
    }
    if (scaleIndex < 11 && scaleIndex != 6) {
        width = static_cast<std::int32_t>(static_cast<std::int64_t>(width) * 100 / kScalePercent[scaleIndex]);
        height = static_cast<std::int32_t>(static_cast<std::int64_t>(height) * 100 / kScalePercent[scaleIndex]);
    }
    if (portrait == 0)
        std::swap(width, height);
    documentWidth = width;
    documentHeight = height;
    printerLandscape = height < width;
}

void saoDoc::loadTitleBlock() {
    titleBlock.reset();
    if (titleBlockName.empty())
        return;
    Folio* first = folios.empty() ? nullptr : folios.front().get();
    auto shape = std::make_unique<Shape>(kSymbol, first);
    shape->createKindRecord();
    shape->infoSymbole->name = titleBlockName;
    SymbolResolver* resolver = symbolResolver();
    SymbolNode* node = resolver ? resolver->findSymbol(titleBlockName) : nullptr;
    if (!node) {
        logMessage(0, 0, kError, strings::kTitleBlockNotFound, true);
        return;
    }
    shape->infoSymbole->node = node;
    shape->infoSymbole->drawingAcquired = resolver->acquireAndBuildLabels(*shape, *node);
    if (!shape->infoSymbole->drawingAcquired || !node->drawingObjects() || node->drawingObjects()->empty()) {
        logMessage(0, 0, kError, strings::kTitleBlockUnusable, true);
        return;   // the object goes, releasing the drawing
    }
    shape->points = {{0, 0}, {0, 0}};
    Folio::rebuildShape(*shape);
    titleBlock = std::move(shape);
}

void saoDoc::changeFolioList(Folio* folio, int kind) {
    changedFolio = folio;
    switch (kind) {
    case kFolioAdded:
        // The caller has filed the folio with insertFolio.
        setModified();
        notifyViews(kNotifyFolioListChanged, kFolioAdded);
        break;
    case kFolioResorted:
        if (auto taken = takeFolio(folio))
            insertFolio(std::move(taken));
        setModified();
        notifyViews(kNotifyFolioListChanged, kFolioResorted);
        break;
    case kFolioPagesChanged:
        // The page counts are stored in the header: the document must be saved
        // again, or the change would be lost.
        setModified();
        notifyViews(kNotifyFolioListChanged, kFolioPagesChanged);
        break;
    case kFolioDeleted: {
        if (indexOf(folio) < 0)
            return;
        // Select all and delete, as the user would ("suppression"), then make the
        // deletion permanent: the folio is about to go, so nothing may be left to
        // undo on it, and no undo copy or selection may point into it.
        for (auto& shape : folio->objects)
            shape->selected = shape->alive;
        deleteSelection(*this, *folio);
        commitAction(*this, nullptr);
        setModified();
        notifyViews(kNotifyFolioListChanged, kFolioDeleted);
        if (ObjFile* container = store(); container && !symbolNode)
            container->freeRecord(kFolioRecordType, folio->serial);
        std::unique_ptr<Folio> taken = takeFolio(folio);
        changedFolio = nullptr;
        if (undoState.folio == folio)
            undoState.folio = nullptr;
        if (titleBlock && titleBlock->folio == folio) {
            Folio* first = folios.empty() ? nullptr : folios.front().get();
            titleBlock->folio = first;
            if (titleBlock->infoSymbole)
                for (auto& label : titleBlock->infoSymbole->labels)
                    if (label.shape)
                        label.shape->folio = first;
        }
        taken.reset();
        // The summary is recomputed without the folio (it could name it or one of
        // its objects when a view deselected nothing in between).
        refreshSelectionSummary(*this);
        notifyViews(kNotifyFolioListChanged, kFolioRemoved);
        break;
    }
    default:
        break;
    }
}

void saoDoc::closePendingAction() {
    // The undo code's commit: the dead objects of every folio go, the others take
    // their undo copy, and nothing is left to undo.
    commitAction(*this, undoState.folio);
}

} // namespace plexo
