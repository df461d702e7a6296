// The schéma document's header record (settings, default styles, folio
// identification blocks), its folios' object-list records, the document size
// and the title block.
#include "store/saodoc.h"

#include "base/buffer.h"
#include "base/log.h"
#include "base/objfile.h"
#include "base/userinterface.h"
#include "shapes/shape.h"
#include "shapes/symbolnode.h"
#include "shapes/symbolresolver.h"
#include "store/editedsymbol.h"
#include "store/folio.h"
#include "store/storestrings.h"

#include <algorithm>

namespace plexo {

namespace {

// Paper sizes A4..A0 in micrometres (width, height, portrait).
constexpr std::int32_t kPaperMicrometres[5][2] = {
    {210000, 297000}, {297000, 420000}, {420000, 594000}, {594000, 841000}, {841000, 1189000}};
// Scale percentages by scaleIndex; index 6 (100 %) leaves the size as it is.
constexpr std::int32_t kScalePercent[11] = {10, 25, 33, 50, 66, 75, 100, 125, 150, 200, 400};

std::int32_t micrometresToUnits(std::int32_t micrometres) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(micrometres) * 360 / 127);
}

// The stored style record carries values only: a record read back takes the
// unset/indeterminate pattern of the document's default for that slot.
void keepFlagsOf(Style& style, const Style& pattern) {
    style.unset = pattern.unset;
    style.indeterminate = pattern.indeterminate;
}

} // namespace

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
    HeaderReadProgress ignored;
    return readHeaderRecord(buffer, ignored, false);
}

bool saoDoc::readHeaderRecord(Buffer& buffer, HeaderReadProgress& progress) {
    progress = HeaderReadProgress{};
    return readHeaderRecord(buffer, progress, true);
}

bool saoDoc::readHeaderRecord(Buffer& buffer, HeaderReadProgress& progress, bool keepReadFolios) {
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
    progress.settings = true;
    Style* styles[4] = {&objectStyle, &symbolStyle, &wireStyle, &fourthStyle};
    const Style patterns[4] = {objectDefaultStyle(), symbolDefaultStyle(), wireDefaultStyle(),
                               rubberBandStyle()};
    for (int i = 0; i < 4; ++i) {
        if (!readStyle(buffer, *styles[i]))
            return false;
        keepFlagsOf(*styles[i], patterns[i]);
        progress.styles = i + 1;
    }
    std::int32_t count = 0;
    buffer.readInt32(nextSerial);
    if (!buffer.readInt32(count) || count < 0 || !buffer.checkLength(count, kFolioHeaderSize))
        return false;
    progress.folioCount = count;
    // Serials key the object lists: a damaged header must not let two folios share
    // one, nor let a new folio take one in use.
    std::int32_t largest = 0;
    std::vector<std::unique_ptr<Folio>> read;
    for (std::int32_t i = 0; i < count; ++i) {
        auto folio = newFolio();
        if (!folio->readHeader(buffer)) {
            if (keepReadFolios)
                for (auto& whole : read)
                    insertFolio(std::move(whole));
            return false;
        }
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
    notifySaveViewState();
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
    std::unique_ptr<Buffer> record =
        symbolNode ? container->readRecord(kSymbolDrawingRecordType, symbolNode->symbolKey())
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
        height =
            static_cast<std::int32_t>(static_cast<std::int64_t>(height) * 100 / kScalePercent[scaleIndex]);
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
    SymbolNode* node = resolveSymbolInstance(*shape);
    if (!node) {
        logMessage(0, 0, kError, strings::kTitleBlockNotFound, true);
        return;
    }
    if (!shape->infoSymbole->drawingAcquired || !node->drawingObjects() || node->drawingObjects()->empty()) {
        logMessage(0, 0, kError, strings::kTitleBlockUnusable, true);
        return; // the object goes, releasing the drawing
    }
    shape->points = {{0, 0}, {0, 0}};
    Folio::rebuildShape(*shape);
    titleBlock = std::move(shape);
}

} // namespace plexo
