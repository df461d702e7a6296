#include "shapes/shaperecord.h"

#include "base/buffer.h"
#include "shapes/shape.h"
#include "shapes/symbolresolver.h"

#include <algorithm>

namespace plexo {

namespace {

// Smallest stored sizes, used to check a stored count against the bytes left
// before anything is allocated.
constexpr std::int64_t kPointBytes = 8;
constexpr std::int64_t kMinLabelBytes = 4 + 1 + 4;    // text length, terminator, id
constexpr std::int64_t kMinNoteBytes = 4 * 4 + 1 + 3; // day, month, year, length, terminator, marks
constexpr std::int64_t kEventBytes = 5 * 4;           // three values and two reserved words

void writeSymbolPart(const Shape& shape, Buffer& buffer) {
    static const InfoSymbole kEmpty;
    const InfoSymbole& info = shape.infoSymbole ? *shape.infoSymbole : kEmpty;
    buffer.writeText(info.name);
    buffer.writeInt32(static_cast<std::int32_t>(info.labels.size()));
    for (const Etiquette& label : info.labels) {
        buffer.writeText(label.text);
        buffer.writeInt32(label.shape ? label.shape->id : 0);
    }
    buffer.writeInt32(static_cast<std::int32_t>(info.block.size()));
    buffer.writeBytes(info.block);
    buffer.writeInt32(shape.epx);
    buffer.writeInt32(shape.epy);
}

void writeCalendarPart(const Shape& shape, Buffer& buffer) {
    static const InfoCalendrier kEmpty;
    const InfoCalendrier& info = shape.infoCalendrier ? *shape.infoCalendrier : kEmpty;
    buffer.writeInt32(info.year);
    buffer.writeInt32(info.month);
    buffer.writeInt32(info.secondYear);
    buffer.writeInt32(info.secondMonth);
    buffer.writeInt32(info.day);
    buffer.writeInt32(info.monthCount);
    buffer.writeInt32(static_cast<std::int32_t>(info.notes.size()));
    for (const RDV& note : info.notes) {
        buffer.writeInt32(note.day);
        buffer.writeInt32(note.month);
        buffer.writeInt32(note.year);
        buffer.writeText(std::string_view(note.text).substr(0, RDV::kMaxText));
        buffer.writeByte(note.mark1);
        buffer.writeByte(note.mark2);
        buffer.writeByte(note.hatched);
    }
}

bool readSymbolPart(Shape& shape, Buffer& buffer, ShapeReadProgress* progress) {
    shape.infoSymbole = std::make_unique<InfoSymbole>();
    InfoSymbole& info = *shape.infoSymbole;
    if (!buffer.readText(info.name))
        return false;
    resolveSymbolInstance(shape);
    const std::size_t built = info.node ? info.labels.size() : 0;
    std::int32_t stored = 0;
    if (!buffer.readInt32(stored) || !buffer.checkLength(stored, kMinLabelBytes))
        return false;
    for (std::int32_t i = 0; i < stored; ++i) {
        std::string text;
        std::int32_t labelId = 0;
        if (!buffer.readText(text) || !buffer.readInt32(labelId))
            return false;
        if (progress)
            progress->storedLabels.emplace_back(text, labelId);
        if (static_cast<std::size_t>(i) < built) {
            Etiquette& label = info.labels[static_cast<std::size_t>(i)];
            label.text = std::move(text);
            if (label.shape)
                label.shape->id = labelId;
        }
    }
    std::int32_t blockLength = 0;
    if (!buffer.readInt32(blockLength) || !buffer.readBytes(info.block, blockLength))
        return false;
    buffer.readInt32(shape.epx);
    buffer.readInt32(shape.epy);
    return !buffer.failed();
}

bool readCalendarPart(Shape& shape, Buffer& buffer) {
    shape.infoCalendrier = std::make_unique<InfoCalendrier>();
    InfoCalendrier& info = *shape.infoCalendrier;
    buffer.readInt32(info.year);
    buffer.readInt32(info.month);
    buffer.readInt32(info.secondYear);
    buffer.readInt32(info.secondMonth);
    buffer.readInt32(info.day);
    buffer.readInt32(info.monthCount);
    std::int32_t count = 0;
    if (!buffer.readInt32(count) || !buffer.checkLength(count, kMinNoteBytes))
        return false;
    info.notes.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        RDV note;
        buffer.readInt32(note.day);
        buffer.readInt32(note.month);
        buffer.readInt32(note.year);
        buffer.readText(note.text, RDV::kMaxText);
        buffer.readByte(note.mark1);
        buffer.readByte(note.mark2);
        buffer.readByte(note.hatched);
        if (buffer.failed())
            return false;
        info.notes.push_back(std::move(note));
    }
    return true;
}

bool readSequencePart(Shape& shape, Buffer& buffer) {
    shape.infoSequence = std::make_unique<InfoSequence>();
    std::int32_t count = 0;
    if (!buffer.readInt32(count) || !buffer.checkLength(count, kEventBytes))
        return false;
    shape.infoSequence->events.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        EvenementSequence event;
        buffer.readInt32(event.minute);
        buffer.readInt32(event.second);
        buffer.readInt32(event.position);
        buffer.skip(8); // two reserved words
        shape.infoSequence->events.push_back(event);
    }
    return !buffer.failed() && buffer.readPos() <= buffer.capacity();
}

bool readKindPart(Shape& shape, Buffer& buffer, ShapeReadProgress* progress);

} // namespace

void writeShape(const Shape& shape, Buffer& buffer) {
    buffer.writeInt32(shape.id);
    buffer.writeByte(static_cast<std::uint8_t>(shape.kind));
    writeStyle(buffer, shape.style);
    buffer.writeInt32(shape.angle);
    buffer.writeInt32(shape.size());
    buffer.writeBytes(shape.data);
    buffer.writeInt32(static_cast<std::int32_t>(shape.points.size()));
    for (const Point& p : shape.points) {
        buffer.writeInt32(p.x);
        buffer.writeInt32(p.y);
    }

    switch (shape.kind) {
    case kDibPicture:
        if (shape.dib) {
            buffer.writeInt32(shape.dib->blockSize());
            buffer.write(shape.dib->block().data(), shape.dib->blockSize());
        } else {
            buffer.writeInt32(0);
        }
        break;
    case kSymbol:
        writeSymbolPart(shape, buffer);
        break;
    case kWire:
    case kCable:
        buffer.writeInt32(shape.infoFil ? shape.infoFil->amontId : 0);
        buffer.writeInt32(shape.infoFil ? shape.infoFil->avalId : 0);
        break;
    case kChordGrid:
    case kTablature:
        for (int s = 0; s < kTuningStrings; ++s) {
            const bool usable = shape.style.isUsable(kTuning0 + s);
            buffer.writeByte(usable ? shape.style.tuning[static_cast<std::size_t>(s)] : 0);
        }
        break;
    case kCalendar:
        writeCalendarPart(shape, buffer);
        break;
    case kSequence: {
        const std::size_t count = shape.infoSequence ? shape.infoSequence->events.size() : 0;
        buffer.writeInt32(static_cast<std::int32_t>(count));
        for (std::size_t i = 0; i < count; ++i) {
            const EvenementSequence& event = shape.infoSequence->events[i];
            buffer.writeInt32(event.minute);
            buffer.writeInt32(event.second);
            buffer.writeInt32(event.position);
            buffer.writeInt32(0);
            buffer.writeInt32(0);
        }
        break;
    }
    default:
        break;
    }
}

namespace {

bool readRecord(Shape& shape, Buffer& buffer, ShapeReadProgress* progress) {
    auto reached = [progress](ShapeReadProgress::Part part) {
        if (progress)
            progress->complete = part;
    };
    std::uint8_t kindByte = 0;
    buffer.readInt32(shape.id);
    if (!buffer.readByte(kindByte))
        return false;
    if (progress)
        progress->storedKind = kindByte;
    // An unknown kind has an unknown kind part: the records after it cannot be found.
    if (kindByte >= kShapeKindCount) {
        buffer.fail();
        return false;
    }
    shape.kind = kindByte;
    reached(ShapeReadProgress::Header);
    if (!readStyle(buffer, shape.style))
        return false;
    reached(ShapeReadProgress::Style);
    if (!buffer.readInt32(shape.angle))
        return false;
    reached(ShapeReadProgress::Angle);
    std::int32_t length = 0;
    if (!buffer.readInt32(length) || !buffer.readBytes(shape.data, length))
        return false;
    reached(ShapeReadProgress::Text);
    std::int32_t count = 0;
    if (!buffer.readInt32(count) || !buffer.checkLength(count, kPointBytes))
        return false;
    shape.points.clear();
    shape.points.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        Point p;
        buffer.readInt32(p.x);
        buffer.readInt32(p.y);
        shape.points.push_back(p);
    }
    if (buffer.failed())
        return false;
    reached(ShapeReadProgress::Points);
    const bool whole = readKindPart(shape, buffer, progress);
    if (whole)
        reached(ShapeReadProgress::KindPart);
    return whole;
}

bool readKindPart(Shape& shape, Buffer& buffer, ShapeReadProgress* progress) {
    switch (shape.kind) {
    case kDibPicture: {
        std::int32_t size = 0;
        if (!buffer.readInt32(size) || !buffer.checkLength(size))
            return false;
        std::vector<std::uint8_t> block(static_cast<std::size_t>(size));
        buffer.read(block.data(), size);
        if (buffer.failed())
            return false;
        shape.dib = std::make_unique<saoDib>(std::move(block));
        return true;
    }
    case kSymbol:
        return readSymbolPart(shape, buffer, progress);
    case kWire:
    case kCable:
        shape.infoFil = std::make_unique<InfoFil>();
        buffer.readInt32(shape.infoFil->amontId);
        buffer.readInt32(shape.infoFil->avalId);
        return !buffer.failed();
    case kTextZone:
    case kTerminal:
    case kSymbolText:
        shape.infoBorne = std::make_unique<InfoBorneSymbole>();
        return true;
    case kChordGrid:
    case kTablature:
        for (int s = 0; s < kTuningStrings; ++s) {
            if (!buffer.readByte(shape.style.tuning[static_cast<std::size_t>(s)]))
                return false;
            shape.style.markSet(kTuning0 + s);
        }
        return true;
    case kCalendar:
        return readCalendarPart(shape, buffer);
    case kSequence:
        return readSequencePart(shape, buffer);
    default:
        return true;
    }
}

} // namespace

bool readShape(Shape& shape, Buffer& buffer) {
    return readRecord(shape, buffer, nullptr);
}

bool readShape(Shape& shape, Buffer& buffer, ShapeReadProgress& progress) {
    progress = ShapeReadProgress{};
    return readRecord(shape, buffer, &progress);
}

} // namespace plexo
