#include "midi/midiwriter.h"

#include "midi/midistrings.h"
#include "midi/seqdoc.h"

#include <limits>

namespace plexo {
namespace {

constexpr std::uint32_t kMaxQuantity = 0x0FFFFFFF; // 28 bits in four 7-bit groups

// Meta type of each meta kind 0..15.
constexpr std::uint8_t kMetaTypes[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                       0x20, 0x21, 0x2F, 0x51, 0x54, 0x58, 0x59, 0x7F};
// Fixed size of each meta kind 0..15; -1 for the ones written from data.
constexpr int kMetaSizes[] = {2, -1, -1, -1, -1, -1, -1, -1, 1, 1, 0, 3, 5, 4, 2, -1};

// The two passes share one encoder: the first only counts the bytes.
class CountingSink {
public:
    void put(std::uint8_t) { ++size; }
    void put(const std::vector<std::uint8_t>& bytes) { size += bytes.size(); }
    std::size_t size = 0;
};

class ByteSink {
public:
    explicit ByteSink(std::vector<std::uint8_t>& out) : out_(out) {}
    void put(std::uint8_t byte) { out_.push_back(byte); }
    void put(const std::vector<std::uint8_t>& bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

private:
    std::vector<std::uint8_t>& out_;
};

template <class Sink> void putQuantity(Sink& sink, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count-- > 1)
        sink.put(static_cast<std::uint8_t>(groups[count] | 0x80));
    sink.put(groups[0]);
}

// Writes the events of a track. Returns false when the times are not in order
// (or a delta does not fit a variable-length quantity) or a kind is unknown.
template <class Sink> bool putTrack(Sink& sink, const MidiPiste& track) {
    std::int32_t previousTime = 0;
    std::uint8_t runningStatus = 0;
    auto putDelta = [&](std::int32_t time) {
        const std::int64_t delta = std::int64_t{time} - previousTime;
        if (delta < 0 || delta > kMaxQuantity)
            return false;
        putQuantity(sink, static_cast<std::uint32_t>(delta));
        previousTime = time;
        return true;
    };
    for (const auto& event : track.events) {
        if (!putDelta(event.time))
            return false;
        const std::int32_t kind = event.kind;
        if (event.isChannelEvent()) {
            const auto status = static_cast<std::uint8_t>((0x80 + ((kind - kMidiNoteOff) << 4)) | (event.bytes[0] & 0x0F));
            if (status != runningStatus)
                sink.put(status);
            runningStatus = status;
            sink.put(event.bytes[1] & 0x7F);
            if (kind != kMidiProgramChange && kind != kMidiChannelPressure)
                sink.put(event.bytes[2] & 0x7F);
            continue;
        }
        // Any other event ends the running status, so that readers that follow the
        // file format to the letter read the next channel event right.
        runningStatus = 0;
        if (kind >= kMidiSequenceNumber && kind <= kMidiSequencerSpecific) {
            sink.put(0xFF);
            sink.put(kMetaTypes[kind]);
            const int size = kMetaSizes[kind];
            if (size < 0) {
                putQuantity(sink, static_cast<std::uint32_t>(event.data.size()));
                sink.put(event.data);
            } else {
                sink.put(static_cast<std::uint8_t>(size));
                for (int i = 0; i < size; ++i)
                    sink.put(event.bytes[static_cast<std::size_t>(i)]);
            }
            continue;
        }
        switch (kind) {
        case kMidiSysEx:
        case kMidiSysExPacket:
            sink.put(kind == kMidiSysEx ? 0xF0 : 0xF7);
            putQuantity(sink, static_cast<std::uint32_t>(event.data.size()));
            sink.put(event.data);
            break;
        case kMidiSongPosition:
            sink.put(0xF2);
            sink.put(event.bytes[0] & 0x7F);
            sink.put(event.bytes[1] & 0x7F);
            break;
        case kMidiSongSelect:
            sink.put(0xF3);
            sink.put(event.bytes[0] & 0x7F);
            break;
        case kMidiTuneRequest: sink.put(0xF6); break;
        case kMidiTimingClock: sink.put(0xF8); break;
        case kMidiStart: sink.put(0xFA); break;
        case kMidiContinue: sink.put(0xFB); break;
        case kMidiStop: sink.put(0xFC); break;
        default: return false;
        }
    }
    if (track.events.empty() || track.events.back().kind != kMidiEndOfTrack) {
        // The file format ends every track with an end of track.
        putQuantity(sink, 0);
        sink.put(0xFF);
        sink.put(0x2F);
        sink.put(0x00);
    }
    return true;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value >> 16);
    put16(out, value & 0xFFFF);
}

} // namespace

void appendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    ByteSink sink(out);
    putQuantity(sink, value);
}

MidiWriteResult encodeStandardMidiFile(const seqDoc& doc) {
    MidiWriteResult result;
    if (doc.tracks.size() > std::numeric_limits<std::uint16_t>::max()) {
        result.problem = midistr::kTooManyTracks;
        return result;
    }
    // Measure every track first, so that the file is allocated once.
    std::vector<std::size_t> lengths;
    std::size_t total = 14;
    for (std::size_t i = 0; i < doc.tracks.size(); ++i) {
        CountingSink counter;
        if (!putTrack(counter, doc.tracks[i]) || counter.size > std::numeric_limits<std::uint32_t>::max()) {
            result.problem = midistr::format(midistr::kEventsOutOfOrder, static_cast<int>(i), "%s");
            return result;
        }
        lengths.push_back(counter.size);
        total += 8 + counter.size;
    }
    auto& out = result.bytes;
    out.reserve(total);
    out.insert(out.end(), {'M', 'T', 'h', 'd'});
    put32(out, 6);
    put16(out, doc.format);
    put16(out, static_cast<std::uint32_t>(doc.tracks.size()));
    out.push_back(doc.divisionHigh);
    out.push_back(doc.divisionLow);
    ByteSink sink(out);
    for (std::size_t i = 0; i < doc.tracks.size(); ++i) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        put32(out, static_cast<std::uint32_t>(lengths[i]));
        putTrack(sink, doc.tracks[i]);
    }
    result.ok = true;
    return result;
}

} // namespace plexo
