// One track of a séquence: its events in file order.
#pragma once

#include "midi/midievent.h"

#include <string>
#include <vector>

namespace plexo {

class MidiPiste {
public:
    std::vector<MidiEvent> events;

    // The data of the first track-name event (Windows-1252 bytes), or empty.
    std::string trackName() const;
    // The time of the first end-of-track event, or 0 when the track has none.
    std::int32_t trackLength() const;

    // Links each note-on with a non-zero velocity to the first later event that
    // ends it: a note-on with velocity 0 or a note-off of the same channel and
    // key, or an end of track. One pass from the end, so that a track of many
    // unended notes costs no more than any other.
    void linkNoteEnds();

    // The event that ends the note started at index, or nullptr.
    const MidiEvent* noteEndOf(std::size_t index) const;
};

} // namespace plexo
