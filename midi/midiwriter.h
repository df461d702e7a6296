// Writing a séquence document as a Standard MIDI File.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plexo {

class seqDoc;

struct MidiWriteResult {
    std::vector<std::uint8_t> bytes; // the whole file
    bool ok = false;
    std::string problem; // French, UTF-8, when not ok; "%s" stands for the path
};

// Encodes the document: the header with the real number of tracks and the kept
// division bytes, then each track with deltas recomputed from the event times,
// its length measured by a counting pass. Channel events use running status
// between consecutive channel events only (a meta, system-exclusive or system
// event in between makes the next channel event carry its status again, as the
// file format asks). A track that does not end with an end-of-track event gets
// one in the file. Fails on events out of time order, two events further apart
// than a delta can say (0x0FFFFFFF ticks), or more than 65535 tracks.
MidiWriteResult encodeStandardMidiFile(const seqDoc& doc);

// The variable-length quantity of value (0 to 0x0FFFFFFF), most significant group first.
void appendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value);

} // namespace plexo
