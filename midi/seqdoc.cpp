#include "midi/seqdoc.h"

#include "base/log.h"
#include "base/privatefile.h"
#include "base/userinterface.h"
#include "midi/midireader.h"
#include "midi/midistrings.h"
#include "midi/midiwriter.h"

#include <fstream>
#include <new>
#include <system_error>

namespace plexo {
namespace {

std::string displayPath(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Reads the whole file, refusing one larger than the reader takes.
// Returns false when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes, bool& tooLarge) {
    tooLarge = false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0)
        return false;
    if (static_cast<std::uint64_t>(size) > kMaxMidiFileSize) {
        tooLarge = true;
        return true;
    }
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    // A file that shrank while being read is taken as far as it was read.
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

} // namespace

seqDoc::seqDoc() {
    makeNew();
}

void seqDoc::makeNew() {
    format = 1;
    trackCount = 1;
    divisionHigh = 0;
    divisionLow = 96;
    tracks.clear();
    MidiEvent name;
    name.kind = kMidiTrackName;
    name.data.assign(midistr::kMasterTrack, midistr::kMasterTrack + 6);
    tracks.emplace_back().events.push_back(std::move(name));
}

bool seqDoc::open(const std::filesystem::path& path) {
    if (path.empty()) {
        makeNew();
        setModified(false);
        return true;
    }
    BusyCursor busy;
    const std::string shown = displayPath(path);
    logInfo(midistr::format(midistr::kLoading, shown.c_str()));
    description_ = midistr::kDescription;
    auto refuse = [&](const std::string& problem) {
        if (!problem.empty())
            logError(midistr::format(midistr::kProblemLine, problem.c_str(), shown.c_str()), false);
        logError(midistr::format(midistr::kCannotOpenPath, shown.c_str()));
        tracks.clear();
        return false;
    };
    try {
        std::vector<std::uint8_t> bytes;
        bool tooLarge = false;
        if (!readWholeFile(path, bytes, tooLarge))
            return refuse({});
        if (tooLarge)
            return refuse(midistr::kFileTooLarge);
        seqDoc read;
        MidiReadResult result = readStandardMidiFile(bytes, read);
        if (!result.ok)
            return refuse(result.problem);
        for (const auto& warning : result.warnings)
            logError(warning + " : '" + shown + "'", false);
        format = read.format;
        trackCount = read.trackCount;
        divisionHigh = read.divisionHigh;
        divisionLow = read.divisionLow;
        tracks = std::move(read.tracks);
        for (auto& track : tracks)
            track.linkNoteEnds();
    } catch (const std::exception&) {
        tracks.clear();
        userInterface().messageBox(midistr::kCannotOpenFile, shown, MessageIcon::Error);
        return false;
    }
    setPath(path);
    setModified(false);
    return true;
}

bool seqDoc::commit(bool force) {
    const std::string shown = displayPath(path());
    if (path().empty()) {
        logError(midistr::kCannotSave);
        return false;
    }
    if (!isModified() && !force)
        return true;
    BusyCursor busy;
    auto fail = [&](const std::string& problem) {
        if (!problem.empty())
            logError(midistr::format(problem.c_str(), shown.c_str()), false);
        logError(std::string(midistr::kCannotSave) + " '" + shown + "'", false);
        userInterface().messageBox(midistr::kCannotSave, shown, MessageIcon::Error);
        return false;
    };
    try {
        MidiWriteResult encoded = encodeStandardMidiFile(*this);
        if (!encoded.ok)
            return fail(encoded.problem);
        // The new file is written beside the old one and replaces it only once
        // complete, so that a failed save leaves the saved file as it was.
        std::filesystem::path temporary = path();
        temporary += ".tmp";
        // Made exclusively: a link at that name (a received file may come with
        // one) is removed, never written through.
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        if (!writeNewFile(temporary,
                          {reinterpret_cast<const char*>(encoded.bytes.data()), encoded.bytes.size()}, 0666))
            return fail({});
        std::error_code error;
        std::filesystem::rename(temporary, path(), error);
        if (error) {
            std::filesystem::remove(temporary, error);
            return fail({});
        }
    } catch (const std::exception&) {
        return fail({});
    }
    trackCount = static_cast<std::uint16_t>(tracks.size());
    for (auto& track : tracks) {
        std::int32_t previous = 0;
        for (auto& event : track.events) {
            event.delta = event.time - previous;
            previous = event.time;
        }
    }
    logInfo(midistr::format(midistr::kSaving, shown.c_str()));
    setModified(false);
    return true;
}

std::string seqDoc::title() const {
    if (path().empty())
        return midistr::kUntitled;
    return displayPath(path().filename()) + midistr::kTitleSuffix;
}

std::string seqDoc::typeName() const {
    return midistr::kTypeName;
}

std::string seqDoc::trackName(std::size_t track) const {
    return track < tracks.size() ? tracks[track].trackName() : std::string();
}

} // namespace plexo
