// The séquence document: a Standard MIDI File held in memory as tracks of
// events, read and written in the file's own layout.
#pragma once

#include "base/document.h"
#include "midi/midipiste.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plexo {

class seqDoc : public Document {
public:
    // A new document: format 1, 96 ticks per quarter note, one track named "Master".
    seqDoc();

    // Reads the file at path (an empty path makes a new document). On failure the
    // reason is in the message log and the document keeps no tracks of the file.
    bool open(const std::filesystem::path& path) override;
    // Writes the file at path(); force writes even when unmodified.
    bool commit(bool force) override;
    bool save(bool force = false) { return commit(force); }

    std::string title() const override;
    std::string typeName() const override;

    // The first track-name text of the track (Windows-1252), empty when it has none
    // or the index is out of range.
    std::string trackName(std::size_t track) const;
    // The document's description (string 904), set at each read.
    const std::string& description() const { return description_; }

    // Makes the content that of a new document.
    void makeNew();

    std::uint16_t format = 1;
    std::uint16_t trackCount = 1;  // as read from the header; the real count after writing
    std::uint8_t divisionHigh = 0; // the two bytes of the header's division, kept as read
    std::uint8_t divisionLow = 96;
    std::vector<MidiPiste> tracks;

private:
    std::string description_;
};

} // namespace plexo
