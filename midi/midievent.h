// One event of a séquence track, as read from or written to a Standard MIDI File.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace plexo {

// Event kinds. 0-15 are meta events, 16-22 channel events, 23-30 system events;
// 31 is the 0xF7 system-exclusive packet of the file format (a continuation of,
// or an escape outside, a 0xF0 message).
enum MidiKind : std::int32_t {
    kMidiSequenceNumber = 0, // meta 0x00, 2 bytes
    kMidiText = 1,           // meta 0x01..0x07: text-like, kept as data
    kMidiCopyright = 2,
    kMidiTrackName = 3,
    kMidiInstrumentName = 4,
    kMidiLyric = 5,
    kMidiMarker = 6,
    kMidiCuePoint = 7,
    kMidiChannelPrefix = 8,     // meta 0x20, 1 byte
    kMidiPort = 9,              // meta 0x21, 1 byte
    kMidiEndOfTrack = 10,       // meta 0x2F, no byte
    kMidiTempo = 11,            // meta 0x51, 3 bytes
    kMidiSmpteOffset = 12,      // meta 0x54, 5 bytes
    kMidiTimeSignature = 13,    // meta 0x58, 4 bytes
    kMidiKeySignature = 14,     // meta 0x59, 2 bytes
    kMidiSequencerSpecific = 15, // meta 0x7F, kept as data
    kMidiNoteOff = 16,          // 0x8n
    kMidiNoteOn = 17,           // 0x9n
    kMidiPolyPressure = 18,     // 0xAn
    kMidiControlChange = 19,    // 0xBn
    kMidiProgramChange = 20,    // 0xCn
    kMidiChannelPressure = 21,  // 0xDn
    kMidiPitchBend = 22,        // 0xEn
    kMidiSysEx = 23,            // 0xF0, kept as data (the bytes after the length, normally ending in 0xF7)
    kMidiSongPosition = 24,     // 0xF2, 2 bytes
    kMidiSongSelect = 25,       // 0xF3, 1 byte
    kMidiTuneRequest = 26,      // 0xF6
    kMidiTimingClock = 27,      // 0xF8
    kMidiStart = 28,            // 0xFA
    kMidiContinue = 29,         // 0xFB
    kMidiStop = 30,             // 0xFC
    kMidiSysExPacket = 31,      // 0xF7, kept as data
};

inline constexpr int kMidiKindCount = 32;

struct MidiEvent {
    std::int32_t kind = kMidiText;
    std::int32_t time = 0;  // ticks from the start of the track
    std::int32_t delta = 0; // ticks since the previous event; recomputed from time before writing
    // For a note-on with a non-zero velocity: index in the same track of the event
    // that ends the note (computed after reading); -1 otherwise. An index rather
    // than a pointer, so that the link survives copies and moves of the track.
    std::int32_t noteEnd = -1; // kept here, before the bytes, to keep the event at 48 bytes
    // Channel events: channel (0-15), then the data bytes. Fixed-size meta and
    // system events: their data bytes in file order. Zero otherwise.
    std::array<std::uint8_t, 6> bytes{};
    // Variable data of the text-like meta events, the sequencer-specific event and
    // system exclusive; its size is the event's length.
    std::vector<std::uint8_t> data;

    std::int32_t length() const { return static_cast<std::int32_t>(data.size()); }
    bool isChannelEvent() const { return kind >= kMidiNoteOff && kind <= kMidiPitchBend; }
    std::uint8_t channel() const { return bytes[0]; }
    std::uint8_t key() const { return bytes[1]; }
    std::uint8_t velocity() const { return bytes[2]; }
    // A note-on with a non-zero velocity: the start of a note.
    bool startsNote() const { return kind == kMidiNoteOn && bytes[2] != 0; }
};

} // namespace plexo
