#include "midi/midipiste.h"

#include <algorithm>
#include <array>

namespace plexo {

std::string MidiPiste::trackName() const {
    for (const auto& event : events)
        if (event.kind == kMidiTrackName)
            return std::string(event.data.begin(), event.data.end());
    return {};
}

std::int32_t MidiPiste::trackLength() const {
    for (const auto& event : events)
        if (event.kind == kMidiEndOfTrack)
            return event.time;
    return 0;
}

void MidiPiste::linkNoteEnds() {
    constexpr std::int32_t kNone = -1;
    // nextEnd[channel][key]: the nearest later event ending that note; nextTrackEnd:
    // the nearest later end of track.
    std::array<std::array<std::int32_t, 128>, 16> nextEnd;
    for (auto& row : nextEnd)
        row.fill(kNone);
    std::int32_t nextTrackEnd = kNone;

    for (std::size_t i = events.size(); i-- > 0;) {
        auto& event = events[i];
        const int channel = event.bytes[0] & 0x0F;
        const int key = event.bytes[1] & 0x7F;
        event.noteEnd = kNone;
        if (event.startsNote()) {
            const std::int32_t byKey = nextEnd[channel][key];
            if (byKey == kNone)
                event.noteEnd = nextTrackEnd;
            else if (nextTrackEnd == kNone)
                event.noteEnd = byKey;
            else
                event.noteEnd = std::min(byKey, nextTrackEnd);
        } else if (event.kind == kMidiNoteOff || event.kind == kMidiNoteOn) {
            nextEnd[channel][key] = static_cast<std::int32_t>(i);
        } else if (event.kind == kMidiEndOfTrack) {
            nextTrackEnd = static_cast<std::int32_t>(i);
        }
    }
}

const MidiEvent* MidiPiste::noteEndOf(std::size_t index) const {
    if (index >= events.size())
        return nullptr;
    const std::int32_t end = events[index].noteEnd;
    if (end < 0 || static_cast<std::size_t>(end) >= events.size())
        return nullptr;
    return &events[static_cast<std::size_t>(end)];
}

} // namespace plexo
