// Bars and beats of a séquence: where each bar and beat starts in ticks, from
// the header's division and the time-signature events, and the
// "bar:beat:tick" reading of a time. Bars count from 1, beats and ticks from 0,
// so that time 0 reads "1:0:0".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plexo {

class seqDoc;

// Used when the header's division is not a number of ticks per quarter note.
inline constexpr int kDefaultTicksPerQuarter = 96;

// A time signature from an event (meta 0x58): numerator and the power of two of
// the denominator (2 for /4, 3 for /8).
struct Meter {
    std::int64_t time = 0;
    int numerator = 4;
    int denominatorPower = 2;
};

struct BarBeatTick {
    std::int64_t bar = 1;
    std::int64_t beat = 0;
    std::int64_t tick = 0;
    friend bool operator==(const BarBeatTick&, const BarBeatTick&) = default;
};

// A bar or beat line: its time, and for a bar line the bar's number.
struct GridLine {
    std::int64_t time = 0;
    std::int64_t bar = 0; // 0 for a beat line
    friend bool operator==(const GridLine&, const GridLine&) = default;
};

// Ticks per quarter note from the header's division bytes. A time-code division
// (top bit set: frames per second and ticks per frame) counts a quarter note as
// half a second, as a tempo of 120 would.
int ticksPerQuarter(std::uint8_t divisionHigh, std::uint8_t divisionLow);

class SeqTimeline {
public:
    // 4/4 at 96 ticks per quarter note.
    SeqTimeline() : SeqTimeline(kDefaultTicksPerQuarter, {}) {}
    // The time signatures of every track of the document (a time signature holds
    // for the whole séquence whatever track carries it); 4/4 until the first.
    explicit SeqTimeline(const seqDoc& doc);
    // The meters need not be sorted; a meter with a zero numerator is ignored, and
    // of two at the same time the later one in the list holds.
    SeqTimeline(int ticksPerQuarter, std::vector<Meter> meters);

    int ticksPerQuarter() const { return ticksPerQuarter_; }
    // A negative time reads as 0.
    BarBeatTick at(std::int64_t time) const;
    std::string text(std::int64_t time) const;

    // The bar and beat lines with from <= time < to, in time order. Beats closer
    // than minSpacing ticks are left out, and bars closer than that are thinned
    // to every second, fifth, tenth... bar, so that a zoomed-out view stays readable.
    std::vector<GridLine> lines(std::int64_t from, std::int64_t to, std::int64_t minSpacing = 0) const;

private:
    // A run of bars of one meter. A time signature starts a new bar at its time:
    // one that falls inside a bar cuts that bar short.
    struct Segment {
        std::int64_t start = 0;
        std::int64_t firstBar = 1;
        std::int64_t beatsPerBar = 4;
        std::int64_t ticksPerBeat = kDefaultTicksPerQuarter;
        std::int64_t barTicks() const { return beatsPerBar * ticksPerBeat; }
    };
    std::size_t segmentAt(std::int64_t time) const;

    int ticksPerQuarter_;
    std::vector<Segment> segments_;
};

} // namespace plexo
