// Playing a whole séquence through the desktop's MIDI service, and knowing
// where the playing is: the document is written to a temporary Standard MIDI
// File that the service plays, and the position is read from a clock through
// the séquence's tempo map, so that tests drive it with a clock of their own.
#pragma once

#include "midi/seqtempo.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace plexo {

class seqDoc;

class SeqPlayer {
public:
    // Microseconds from any fixed origin, never going back.
    using Clock = std::function<std::int64_t()>;
    static Clock steadyClock();

    explicit SeqPlayer(Clock clock = steadyClock());
    ~SeqPlayer();
    SeqPlayer(const SeqPlayer&) = delete;
    SeqPlayer& operator=(const SeqPlayer&) = delete;

    void setClock(Clock clock) { clock_ = std::move(clock); }

    // Whether the desktop can play MIDI at all.
    static bool available();
    // Stops what the service was playing, then plays doc from its start. On a
    // failure the user is told (message box) and false is returned.
    bool play(const seqDoc& doc);
    // Stops the service and forgets the temporary file; nothing when not playing.
    void stop();
    bool isPlaying() const { return playing_; }

    // The tick playing now, -1 when not playing. Once the time passes the
    // séquence's end the playing stops and -1 is returned.
    std::int64_t position();
    // The last tick of the séquence played.
    std::int64_t endTick() const { return end_; }
    // The temporary file handed to the service (empty when not playing).
    const std::filesystem::path& file() const { return file_; }

private:
    Clock clock_;
    bool playing_ = false;
    std::int64_t start_ = 0; // the clock at the start of the playing
    std::int64_t end_ = 0;
    std::optional<SeqTempo> tempo_;
    std::filesystem::path file_;
};

} // namespace plexo
