#include "midi/midireader.h"

#include "midi/midistrings.h"
#include "midi/seqdoc.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace plexo {
namespace {

constexpr std::size_t kChunkHeaderSize = 8; // 4-byte id and 4-byte big-endian length
constexpr std::size_t kMThdSize = 6;        // format, track count, division
constexpr int kMaxQuantityBytes = 4;        // a variable-length quantity holds at most 28 bits

// Meta types and the fixed length they must have; -1 for the text-like ones.
struct MetaRule {
    std::uint8_t type;
    std::int32_t kind;
    int size;
};
constexpr MetaRule kMetaRules[] = {
    {0x00, kMidiSequenceNumber, 2}, {0x01, kMidiText, -1},          {0x02, kMidiCopyright, -1},
    {0x03, kMidiTrackName, -1},     {0x04, kMidiInstrumentName, -1}, {0x05, kMidiLyric, -1},
    {0x06, kMidiMarker, -1},        {0x07, kMidiCuePoint, -1},       {0x20, kMidiChannelPrefix, 1},
    {0x21, kMidiPort, 1},           {0x2F, kMidiEndOfTrack, 0},      {0x51, kMidiTempo, 3},
    {0x54, kMidiSmpteOffset, 5},    {0x58, kMidiTimeSignature, 4},   {0x59, kMidiKeySignature, 2},
    {0x7F, kMidiSequencerSpecific, -1},
};

const MetaRule* metaRule(std::uint8_t type) {
    for (const auto& rule : kMetaRules)
        if (rule.type == type)
            return &rule;
    return nullptr;
}

// How one track chunk ended.
enum class TrackEnd { Complete, Short, Bad };

class TrackReader {
public:
    TrackReader(std::span<const std::uint8_t> bytes, int trackIndex, MidiReadResult& result)
        : bytes_(bytes), trackIndex_(trackIndex), result_(result) {}

    TrackEnd read(MidiPiste& track) {
        while (pos_ < bytes_.size()) {
            std::uint32_t delta = 0;
            switch (readQuantity(delta)) {
            case Quantity::Short: return TrackEnd::Short;
            case Quantity::Bad: return bad(midistr::format(midistr::kBadQuantity, trackIndex_));
            case Quantity::Good: break;
            }
            const std::int64_t time = std::int64_t{time_} + delta;
            if (time > std::numeric_limits<std::int32_t>::max())
                return bad(midistr::format(midistr::kTimeOverflow, trackIndex_));
            time_ = static_cast<std::int32_t>(time);
            if (pos_ >= bytes_.size())
                return TrackEnd::Short;

            std::uint8_t status = bytes_[pos_];
            if (status & 0x80) {
                ++pos_;
            } else if (runningStatus_ != 0) {
                status = runningStatus_; // the byte is the first data byte
            } else {
                return bad(midistr::format(midistr::kNoRunningStatus, trackIndex_, time_));
            }

            // Read in place; an event that is skipped or cut short is taken off again.
            MidiEvent& event = track.events.emplace_back();
            event.kind = -1;
            event.time = time_;
            event.delta = static_cast<std::int32_t>(delta);
            const TrackEnd end = readEvent(status, event);
            if (end != TrackEnd::Complete || event.kind < 0)
                track.events.pop_back();
            if (end != TrackEnd::Complete)
                return end;
        }
        return TrackEnd::Complete;
    }

private:
    enum class Quantity { Good, Short, Bad };

    Quantity readQuantity(std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < kMaxQuantityBytes; ++i) {
            if (pos_ >= bytes_.size())
                return Quantity::Short;
            const std::uint8_t byte = bytes_[pos_++];
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80))
                return Quantity::Good;
        }
        return Quantity::Bad;
    }

    std::size_t left() const { return bytes_.size() - pos_; }

    TrackEnd bad(std::string problem) {
        result_.problem = std::move(problem);
        return TrackEnd::Bad;
    }

    // Reads count data bytes into event.bytes from index first; each must be below 0x80.
    TrackEnd readDataBytes(MidiEvent& event, int first, int count) {
        if (left() < static_cast<std::size_t>(count))
            return TrackEnd::Short;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t byte = bytes_[pos_++];
            if (byte & 0x80)
                return bad(midistr::format(midistr::kBadDataByte, byte, trackIndex_, time_));
            event.bytes[static_cast<std::size_t>(first + i)] = byte;
        }
        return TrackEnd::Complete;
    }

    TrackEnd readEvent(std::uint8_t status, MidiEvent& event) {
        if (status < 0xF0) {
            // Channel event: only these statuses become the running status.
            runningStatus_ = status;
            const int group = status >> 4;
            event.kind = kMidiNoteOff + (group - 0x8);
            event.bytes[0] = status & 0x0F;
            const int count = group == 0xC || group == 0xD ? 1 : 2;
            return readDataBytes(event, 1, count);
        }
        switch (status) {
        case 0xFF: return readMeta(event);
        case 0xF0: return readSysEx(event, kMidiSysEx);
        case 0xF7: return readSysEx(event, kMidiSysExPacket);
        case 0xF2: event.kind = kMidiSongPosition; return readDataBytes(event, 0, 2);
        case 0xF3: event.kind = kMidiSongSelect; return readDataBytes(event, 0, 1);
        case 0xF6: event.kind = kMidiTuneRequest; return TrackEnd::Complete;
        case 0xF8: event.kind = kMidiTimingClock; return TrackEnd::Complete;
        case 0xFA: event.kind = kMidiStart; return TrackEnd::Complete;
        case 0xFB: event.kind = kMidiContinue; return TrackEnd::Complete;
        case 0xFC: event.kind = kMidiStop; return TrackEnd::Complete;
        default: break;
        }
        // 0xF1, 0xF4, 0xF5, 0xF9, 0xFD, 0xFE have no meaning in a file.
        if (pos_ < bytes_.size())
            ++pos_;
        return bad(midistr::format(midistr::kBadStatus, status, trackIndex_, time_));
    }

    // Reads a variable length and checks it against the bytes left in the chunk:
    // a length past the end ends the track.
    TrackEnd readLength(std::size_t& length) {
        std::uint32_t value = 0;
        switch (readQuantity(value)) {
        case Quantity::Short: return TrackEnd::Short;
        case Quantity::Bad: return bad(midistr::format(midistr::kBadQuantity, trackIndex_));
        case Quantity::Good: break;
        }
        if (value > left())
            return TrackEnd::Short;
        length = value;
        return TrackEnd::Complete;
    }

    TrackEnd readMeta(MidiEvent& event) {
        if (pos_ >= bytes_.size())
            return TrackEnd::Short;
        const std::uint8_t type = bytes_[pos_++];
        std::size_t length = 0;
        if (const TrackEnd end = readLength(length); end != TrackEnd::Complete)
            return end;
        const MetaRule* rule = metaRule(type);
        if (!rule) {
            pos_ += length; // a meta type of no use here is skipped
            return TrackEnd::Complete;
        }
        if (rule->size < 0) {
            event.kind = rule->kind;
            event.data.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                              bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + length));
            pos_ += length;
            return TrackEnd::Complete;
        }
        if (rule->kind == kMidiEndOfTrack && length != 0) {
            pos_ += length; // ignored
            return TrackEnd::Complete;
        }
        if (length != static_cast<std::size_t>(rule->size))
            return bad(midistr::format(midistr::kBadMetaLength, type, trackIndex_, time_));
        event.kind = rule->kind;
        std::memcpy(event.bytes.data(), bytes_.data() + pos_, length);
        pos_ += length;
        return TrackEnd::Complete;
    }

    TrackEnd readSysEx(MidiEvent& event, std::int32_t kind) {
        std::size_t length = 0;
        if (const TrackEnd end = readLength(length); end != TrackEnd::Complete)
            return end;
        const std::size_t kept = std::min(length, kMaxSysExKept);
        event.kind = kind;
        event.data.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                          bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + kept));
        if (kept < length) {
            event.data.back() = 0xF7; // the shortened message stays a complete one
            result_.warnings.push_back(midistr::format(midistr::kSysExCut, static_cast<int>(length),
                                                       static_cast<int>(kept), trackIndex_, time_));
        }
        pos_ += length;
        return TrackEnd::Complete;
    }

    std::span<const std::uint8_t> bytes_; // the chunk's data, cut at the end of the file
    std::size_t pos_ = 0;
    int trackIndex_;
    MidiReadResult& result_;
    std::int32_t time_ = 0;
    std::uint8_t runningStatus_ = 0; // none at the start of a track
};

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

} // namespace

MidiReadResult readStandardMidiFile(std::span<const std::uint8_t> bytes, seqDoc& doc) {
    MidiReadResult result;
    doc.tracks.clear();
    bool headerSeen = false;
    bool trackSeen = false;
    std::size_t pos = 0;
    // Reading ends at the first short read: a chunk header cut by the end of the
    // file, or a chunk whose length runs past it (read as far as it goes).
    while (bytes.size() - pos >= kChunkHeaderSize) {
        const std::uint8_t* header = bytes.data() + pos;
        const std::uint64_t length = bigEndian32(header + 4);
        pos += kChunkHeaderSize;
        const std::size_t available = static_cast<std::size_t>(std::min<std::uint64_t>(length, bytes.size() - pos));
        const bool cut = available < length;
        const auto data = bytes.subspan(pos, available);

        if (std::memcmp(header, "MThd", 4) == 0) {
            if (length < kMThdSize) {
                result.problem = midistr::kShortHeader;
                return result;
            }
            if (available < kMThdSize)
                break;
            doc.format = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
            doc.trackCount = static_cast<std::uint16_t>(data[2] << 8 | data[3]);
            doc.divisionHigh = data[4];
            doc.divisionLow = data[5];
            headerSeen = true; // the rest of a longer header is skipped
        } else if (std::memcmp(header, "MTrk", 4) == 0) {
            trackSeen = true;
            doc.tracks.emplace_back();
            TrackReader reader(data, static_cast<int>(doc.tracks.size() - 1), result);
            if (reader.read(doc.tracks.back()) == TrackEnd::Bad) {
                doc.tracks.clear();
                return result;
            }
        }
        if (cut)
            break;
        pos += available;
    }
    if (!headerSeen)
        result.problem = midistr::kNoHeader;
    else if (!trackSeen)
        result.problem = midistr::kNoTrack;
    result.ok = headerSeen && trackSeen;
    if (!result.ok)
        doc.tracks.clear();
    return result;
}

} // namespace plexo
