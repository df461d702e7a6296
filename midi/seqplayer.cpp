#include "midi/seqplayer.h"

#include "base/desktopservices.h"
#include "base/privatefile.h"
#include "base/userinterface.h"
#include "midi/midiwriter.h"
#include "midi/seqdoc.h"
#include "midi/seqscroll.h"
#include "store/storestrings.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include <unistd.h>

namespace plexo {
namespace {

// In the per-user private folder: nobody else can put a link at that name.
std::filesystem::path temporaryFile() {
    static int count = 0;
    const std::filesystem::path folder = privateFolder();
    if (folder.empty())
        return {};
    return folder / ("plexo-sequence-" + std::to_string(::getpid()) + "-" + std::to_string(++count) + ".mid");
}

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    if (path.empty())
        return false;
    // A file left by an earlier run with the same process number goes first.
    std::error_code error;
    std::filesystem::remove(path, error);
    return writeNewFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, 0600);
}

} // namespace

SeqPlayer::Clock SeqPlayer::steadyClock() {
    return [] {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

SeqPlayer::SeqPlayer(Clock clock) : clock_(std::move(clock)) {}

SeqPlayer::~SeqPlayer() {
    stop();
}

bool SeqPlayer::available() {
    return desktopServices().hasMidiService();
}

bool SeqPlayer::play(const seqDoc& doc) {
    stop();
    DesktopServices& services = desktopServices();
    services.stopMidi();
    const MidiWriteResult written = encodeStandardMidiFile(doc);
    const std::filesystem::path file = temporaryFile();
    const std::string shown = file.string();
    if (!written.ok) {
        userInterface().messageBox(format(written.problem.c_str(), shown.c_str()), strings::kMidiCaption,
                                   MessageIcon::Warning);
        return false;
    }
    if (!writeFile(file, written.bytes)) {
        userInterface().messageBox(strings::kMidiOpenFailed, strings::kMidiCaption, MessageIcon::Warning);
        std::error_code error;
        std::filesystem::remove(file, error);
        return false;
    }
    auto fail = [&](const MediaResult& result, const char* otherwise) {
        userInterface().messageBox(result.errorText.empty() ? otherwise : result.errorText,
                                   strings::kMidiCaption, MessageIcon::Warning);
        services.stopMidi();
        std::error_code error;
        std::filesystem::remove(file, error);
        return false;
    };
    if (const MediaResult opened = services.openMidi(file); !opened.ok)
        return fail(opened, strings::kMidiOpenFailed);
    if (const MediaResult played = services.playMidi(); !played.ok)
        return fail(played, strings::kMidiPlayFailed);
    std::int64_t end = 0;
    for (const auto& track : doc.tracks)
        end = std::max(end, trackEnd(track));
    end_ = end;
    tempo_.emplace(doc);
    file_ = file;
    start_ = clock_();
    playing_ = true;
    return true;
}

void SeqPlayer::stop() {
    if (!playing_)
        return;
    playing_ = false;
    desktopServices().stopMidi();
    std::error_code error;
    std::filesystem::remove(file_, error);
    file_.clear();
}

std::int64_t SeqPlayer::position() {
    if (!playing_)
        return -1;
    const std::int64_t tick = tempo_->tickAt(clock_() - start_);
    if (tick > end_) {
        stop();
        return -1;
    }
    return tick;
}

} // namespace plexo
