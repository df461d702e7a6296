// Fuzzes the Standard MIDI File reader, and checks that whatever it accepts the
// writer writes back to the same events.
#include "midi/midireader.h"
#include "midi/midiwriter.h"
#include "midi/seqdoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plexo::seqDoc first;
    const auto read = plexo::readStandardMidiFile({data, size}, first);
    if (!read.ok)
        return 0;
    for (auto& track : first.tracks)
        track.linkNoteEnds();
    const auto written = plexo::encodeStandardMidiFile(first);
    if (!written.ok) {
        // Only two kept events further apart than a delta can say (the skipped
        // events between them took the time) make writing fail.
        for (const auto& track : first.tracks) {
            std::int64_t previous = 0;
            for (const auto& event : track.events) {
                if (event.time - previous > 0x0FFFFFFF)
                    return 0;
                previous = event.time;
            }
        }
        std::abort();
    }
    plexo::seqDoc second;
    if (!plexo::readStandardMidiFile(written.bytes, second).ok || second.tracks.size() != first.tracks.size() ||
        second.divisionHigh != first.divisionHigh || second.divisionLow != first.divisionLow)
        std::abort();
    for (std::size_t t = 0; t < first.tracks.size(); ++t) {
        const auto& a = first.tracks[t].events;
        const auto& b = second.tracks[t].events;
        // The writer ends a track that has no end of track with one.
        const bool endAdded = a.empty() || a.back().kind != plexo::kMidiEndOfTrack;
        if (b.size() != a.size() + (endAdded ? 1 : 0))
            std::abort();
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].kind != b[i].kind || a[i].time != b[i].time || a[i].bytes != b[i].bytes ||
                a[i].data != b[i].data)
                std::abort();
    }
    return 0;
}
