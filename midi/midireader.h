// Reading a Standard MIDI File ("MThd" and "MTrk" chunks, big-endian lengths,
// variable-length quantities, running status) into a séquence document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plexo {

class seqDoc;

// The largest file read (the events take some twenty times the file's size in memory).
inline constexpr std::size_t kMaxMidiFileSize = 64u << 20;
// The longest system-exclusive message kept whole; a longer one is read to its
// end and kept cut to this size, its last kept byte made 0xF7.
inline constexpr std::size_t kMaxSysExKept = 1u << 20;

struct MidiReadResult {
    bool ok = false;
    std::string problem;               // why the file was refused (French, UTF-8); empty when ok
    std::vector<std::string> warnings; // what was kept shortened ("Attention, ...")
};

// Reads a whole file's bytes into doc's format, trackCount, division bytes and
// tracks (the tracks are replaced). Reading stops at the first short read, and
// the result is good when no damage was found, a header and at least one track
// were seen. Logs nothing; the caller reports. Note ends are not linked here.
MidiReadResult readStandardMidiFile(std::span<const std::uint8_t> bytes, seqDoc& doc);

} // namespace plexo
