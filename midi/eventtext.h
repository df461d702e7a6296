// What the séquence view says about an event under the mouse, and the names of
// the keys (C-1 for key 0, C4 for key 60, G9 for key 127).
#pragma once

#include "midi/midipiste.h"

#include <cstddef>
#include <string>

namespace plexo {

class SeqTimeline;

// "C4", "C#4"...; an empty text out of 0..127.
std::string keyName(int key);
// Whether the key is a black key of the keyboard.
bool isBlackKey(int key);

// The French name of the event's kind ("Note", "Contrôleur"...).
std::string eventKindText(const MidiEvent& event);

// The lines of the tooltip of event index of track (UTF-8): its time in ticks and
// as bar:beat:tick, its kind with its channel (from 1), key or controller and
// value, and for a note its duration in ticks. Empty when index is out of range.
std::string eventTooltip(const MidiPiste& track, std::size_t index, const SeqTimeline& timeline);

} // namespace plexo
