#include "store/folio.h"

#include "base/buffer.h"
#include "base/log.h"
#include "base/objfile.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/shaperecord.h"
#include "shapes/symbolnode.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "store/storestrings.h"
#include "store/undo.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <ctime>
#include <unordered_set>

namespace plexo {

namespace {

struct NumberParts {
    std::string_view prefix;
    long long value = 0;
    std::string_view suffix;
};

NumberParts splitNumber(std::string_view number) {
    NumberParts parts;
    std::size_t i = 0;
    while (i < number.size() && !std::isdigit(static_cast<unsigned char>(number[i])))
        ++i;
    parts.prefix = number.substr(0, i);
    std::size_t digits = i;
    while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) {
        // Folio numbers hold at most 19 characters; clamp rather than overflow.
        if (parts.value < 1'000'000'000'000'000LL)
            parts.value = parts.value * 10 + (number[i] - '0');
        ++i;
    }
    (void)digits;
    parts.suffix = number.substr(i);
    return parts;
}

// Every object from index first joinable by a wire end, in list order: wires and cables, and each
// symbol's label shapes in label order.
std::vector<Shape*> joinableObjects(const std::vector<std::unique_ptr<Shape>>& objects, std::size_t first) {
    std::vector<Shape*> list;
    for (std::size_t i = first; i < objects.size(); ++i) {
        const auto& object = objects[i];
        if (object->isWire())
            list.push_back(object.get());
        else if (object->kind == kSymbol && object->infoSymbole)
            for (auto& label : object->infoSymbole->labels)
                if (label.shape)
                    list.push_back(label.shape.get());
    }
    return list;
}

// Forgets every link between the objects going (or one of their labels) and the
// other objects, so that destroying them leaves no dangling reference.
void unhook(std::vector<std::unique_ptr<Shape>>& objects, const std::vector<Shape*>& going) {
    std::unordered_set<const Shape*> gone;
    for (Shape* shape : going) {
        gone.insert(shape);
        if (shape->infoSymbole)
            for (auto& label : shape->infoSymbole->labels)
                if (label.shape)
                    gone.insert(label.shape.get());
    }
    auto isGone = [&](const Shape* s) { return s && gone.count(s) != 0; };
    for (auto& object : objects) {
        if (isGone(object.get()))
            continue;
        if (object->infoFil) {
            InfoFil& fil = *object->infoFil;
            if (isGone(fil.amont))
                fil.amont = nullptr;
            if (isGone(fil.aval))
                fil.aval = nullptr;
            std::erase_if(fil.attachedWires, isGone);
        }
        if (object->infoSymbole)
            for (auto& label : object->infoSymbole->labels)
                if (label.shape && label.shape->infoBorne && isGone(label.shape->infoBorne->wire))
                    label.shape->infoBorne->wire = nullptr;
        if (object->infoBorne && isGone(object->infoBorne->wire))
            object->infoBorne->wire = nullptr;
    }
}

std::int32_t saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

Folio::Folio(saoDoc* owner) : document(owner), date(today()) {}

Folio::~Folio() {
    destroyObjects();
}

std::string Folio::today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    return text;
}

void Folio::rebuildShape(Shape& shape) {
    rebuildGeometry(shape);
}

void Folio::acquire() {
    // Objects kept after a failed write are newer than the stored record.
    if (++useCount == 1 && document && !objectsUnwritten)
        document->readFolioObjects(*this);
}

void Folio::release(bool saveObjects) {
    if (useCount <= 0)
        return;
    if (--useCount > 0)
        return;
    bool written = true;
    if (document) {
        if (saveObjects || objectsUnwritten)
            written = storeObjects();
        document->closePendingAction();
    }
    // Objects that could not be written are all the document has of them.
    if (written)
        destroyObjects();
    // The selection summary must not keep pointing at the objects just destroyed.
    if (document && document->selection.folio == this)
        refreshSelectionSummary(*document);
}

bool Folio::storeObjects() {
    if (!document)
        return false;
    if (document->writeFolioObjects(*this)) {
        objectsUnwritten = false;
        return true;
    }
    objectsUnwritten = true;
    const ObjFile* container = document->store();
    const std::string file = container ? container->path() : document->title();
    logMessage(0, 0, kError, strings::format(strings::kCannotStoreFolio, cp1252ToUtf8(number), file), false);
    return false;
}

void Folio::writeHeader(Buffer& buffer) const {
    buffer.writeInt32(serial);
    buffer.writeFixedText(number, kFolioNumberSize);
    buffer.writeFixedText(date, kFolioDateSize);
    buffer.writeFixedText(author, kFolioAuthorSize);
    buffer.writeFixedText(object, kFolioObjectSize);
    buffer.writeByte(static_cast<std::uint8_t>(index));
    for (const auto& title : titles)
        buffer.writeFixedText(title, kFolioTitleSize);
    for (const auto& text : revisionAuthors)
        buffer.writeFixedText(text, kFolioRevisionAuthorSize);
    for (const auto& text : revisionDates)
        buffer.writeFixedText(text, kFolioRevisionDateSize);
    for (const auto& text : revisionObjects)
        buffer.writeFixedText(text, kFolioRevisionObjectSize);
    buffer.writeByte(pagesDown);
    buffer.writeByte(pagesAcross);
}

bool Folio::readHeader(Buffer& buffer) {
    if (!buffer.checkLength(kFolioHeaderSize))
        return false;
    buffer.readInt32(serial);
    buffer.readFixedText(number, kFolioNumberSize);
    buffer.readFixedText(date, kFolioDateSize);
    buffer.readFixedText(author, kFolioAuthorSize);
    buffer.readFixedText(object, kFolioObjectSize);
    std::uint8_t letter = 0;
    buffer.readByte(letter);
    index = static_cast<char>(letter);
    for (auto& title : titles)
        buffer.readFixedText(title, kFolioTitleSize);
    for (auto& text : revisionAuthors)
        buffer.readFixedText(text, kFolioRevisionAuthorSize);
    for (auto& text : revisionDates)
        buffer.readFixedText(text, kFolioRevisionDateSize);
    for (auto& text : revisionObjects)
        buffer.readFixedText(text, kFolioRevisionObjectSize);
    buffer.readByte(pagesDown);
    buffer.readByte(pagesAcross);
    if (pagesDown == 0)
        pagesDown = 1;
    if (pagesAcross == 0)
        pagesAcross = 1;
    return !buffer.failed();
}

void Folio::writeObjects(Buffer& buffer, WhichObjects which) const {
    for (const auto& shape : objects) {
        if (!shape->alive || (which == WhichObjects::Selected && !shape->selected))
            continue;
        buffer.writeByte(1);
        writeShape(*shape, buffer);
    }
    buffer.writeByte(0);
    if (which == WhichObjects::All)
        userInterface().advanceProgress(buffer.writePos());
}

bool Folio::readObjects(Buffer& buffer, ReadMode how) {
    std::uint8_t marker = 0;
    buffer.readByte(marker);
    while (!buffer.failed() && marker != 0) {
        auto shape = std::make_unique<Shape>(kLine, this);
        if (!readShape(*shape, buffer)) {
            logMessage(0, 0, kError, strings::kObjectListDamaged, false);
            return false;
        }
        if (shape->kind == kSymbol) {
            std::string name = shape->infoSymbole ? cp1252ToUtf8(shape->infoSymbole->name) : std::string();
            if (!shape->infoSymbole) {
                logMessage(0, 0, kError, strings::kSymbolDataMissing, true);
                shape.reset();
            } else if (!shape->infoSymbole->node) {
                logMessage(0, 0, kError, strings::format(strings::kSymbolNotFound, name), true);
                shape.reset();
            } else {
                const auto* drawing = shape->infoSymbole->node->drawingObjects();
                if (!drawing || drawing->empty()) {
                    logMessage(0, 0, kError, strings::format(strings::kSymbolIncorrect, name), true);
                    shape.reset();
                }
            }
        }
        if (shape) {
            shape->setApplicability();
            rebuildShape(*shape);
            if (how == ReadMode::Paste)
                markCreated(*shape, true);
            append(std::move(shape));
        }
        marker = 0;
        buffer.readByte(marker);
        if (how == ReadMode::Load)
            userInterface().advanceProgress(buffer.readPos());
    }
    if (buffer.failed()) {
        // The list ran past the end of its record without its closing marker.
        logMessage(0, 0, kError, strings::kObjectListDamaged, false);
        return false;
    }
    return true;
}

void Folio::renumberObjects() {
    std::int32_t counter = 1;
    for (auto& shape : objects) {
        shape->id = counter++;
        if (shape->kind == kSymbol && shape->infoSymbole)
            for (auto& label : shape->infoSymbole->labels)
                if (label.shape)
                    label.shape->id = counter++;
    }
    for (auto& shape : objects) {
        if (!shape->isWire() || !shape->infoFil)
            continue;
        InfoFil& fil = *shape->infoFil;
        fil.amontId = fil.amont ? fil.amont->id : 0;
        fil.avalId = fil.aval ? fil.aval->id : 0;
    }
}

void Folio::relinkWires(std::size_t first) {
    std::vector<Shape*> joinable = joinableObjects(objects, first);
    for (std::size_t i = first; i < objects.size(); ++i) {
        Shape* wire = objects[i].get();
        if (!wire->isWire() || !wire->infoFil)
            continue;
        InfoFil& fil = *wire->infoFil;
        Shape* upstream = nullptr;
        Shape* downstream = nullptr;
        for (Shape* candidate : joinable) {
            if (!upstream && fil.amontId != 0 && candidate->id == fil.amontId)
                upstream = candidate;
            if (!downstream && fil.avalId != 0 && candidate->id == fil.avalId)
                downstream = candidate;
            if ((upstream || fil.amontId == 0) && (downstream || fil.avalId == 0))
                break;
        }
        fil.amont = upstream;
        fil.aval = downstream;
        for (Shape* end : {upstream, downstream}) {
            if (!end)
                continue;
            if (end->kind == kTerminal) {
                if (!end->infoBorne)
                    end->infoBorne = std::make_unique<InfoBorneSymbole>();
                end->infoBorne->wire = wire;
                // A terminal carries at most one wire.
                std::erase(joinable, end);
            } else if (end->isWire() && end->infoFil && end != wire) {
                end->infoFil->attachedWires.push_back(wire);
            }
        }
    }
    followDisplacedWireEnds(first);
}

bool Folio::isBandFreeOfSymbols(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) const {
    const std::int32_t low = std::min(y1, y2);
    const std::int32_t high = std::max(y1, y2);
    for (const auto& shape : objects) {
        if (shape->kind != kSymbol)
            continue;
        const Rect& r = shape->outline;
        bool edgeInside = (r.top > low && r.top < high) || (r.bottom > low && r.bottom < high);
        if (edgeInside && r.left <= x1 && r.right >= x2)
            return false;
    }
    return true;
}

std::vector<std::uint8_t> Folio::clipboardData() {
    renumberObjects();
    Buffer measure;
    writeHeader(measure);
    writeObjects(measure, WhichObjects::All);
    measure.allocateMeasured();
    writeHeader(measure);
    writeObjects(measure, WhichObjects::All);
    if (measure.failed())
        return {};
    return measure.detachBlock();
}

bool Folio::readClipboardData(Buffer& buffer) {
    if (!readHeader(buffer))
        return false;
    bool ok = readObjects(buffer, ReadMode::Load);
    relinkWires();
    return ok;
}

Shape& Folio::append(std::unique_ptr<Shape> shape) {
    shape->folio = this;
    objects.push_back(std::move(shape));
    return *objects.back();
}

void Folio::destroyObject(Shape* shape) {
    auto it = std::find_if(objects.begin(), objects.end(), [&](const auto& s) { return s.get() == shape; });
    if (it == objects.end())
        return;
    unhook(objects, {shape});
    objects.erase(it);
}

void Folio::destroyObjects() {
    // Every object goes, so links between them need not be undone one by one.
    objects.clear();
}

void Folio::destroyDeadObjects() {
    std::vector<Shape*> dead;
    for (auto& object : objects) {
        if (!object->alive)
            dead.push_back(object.get());
        object->changed = false;
    }
    if (dead.empty())
        return;
    unhook(objects, dead);
    std::erase_if(objects, [](const std::unique_ptr<Shape>& object) { return !object->alive; });
}

PageSize Folio::pageSize() const {
    PageSize size;
    if (document && document->documentWidth > 0 && document->documentHeight > 0) {
        size.width = document->documentWidth;
        size.height = document->documentHeight;
    }
    return size;
}

Rect Folio::extent() const {
    const PageSize page = pageSize();
    const std::int64_t across = std::max<int>(pagesAcross, 1), down = std::max<int>(pagesDown, 1);
    return {0, 0, saturated(std::int64_t{page.width} * across), saturated(std::int64_t{page.height} * down)};
}

bool Folio::isNumberBefore(std::string_view a, std::string_view b) {
    NumberParts pa = splitNumber(a);
    NumberParts pb = splitNumber(b);
    if (pa.prefix.empty() != pb.prefix.empty())
        return !pa.prefix.empty();
    if (!pa.prefix.empty() && pa.prefix != pb.prefix)
        return pa.prefix < pb.prefix;
    if (pa.value != pb.value)
        return pa.value < pb.value;
    if (pa.suffix.empty())
        return !pb.suffix.empty();
    return !pb.suffix.empty() && pa.suffix < pb.suffix;
}

Folio* folioOf(const Shape& shape) {
    return dynamic_cast<Folio*>(shape.folio);
}

} // namespace plexo
