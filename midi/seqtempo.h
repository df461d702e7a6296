// Real time of a séquence: which tick is playing a number of microseconds
// after the start, from the header's division and the tempo events.
#pragma once

#include <cstdint>
#include <vector>

namespace plexo {

class seqDoc;

inline constexpr std::int64_t kDefaultQuarterMicroseconds = 500000; // 120 quarter notes a minute

// A tempo event (meta 0x51): microseconds per quarter note from its time on.
struct TempoChange {
    std::int64_t time = 0;
    std::int64_t quarterMicroseconds = kDefaultQuarterMicroseconds;
};

class SeqTempo {
public:
    // The tempo events of every track; a time-code division plays at a fixed
    // number of ticks a second whatever the tempo events say.
    explicit SeqTempo(const seqDoc& doc);
    SeqTempo(int ticksPerQuarter, std::vector<TempoChange> changes);

    // The tick playing at elapsed microseconds from the start (0 before it).
    std::int64_t tickAt(std::int64_t microseconds) const;

private:
    struct Segment {
        std::int64_t tick = 0;
        std::int64_t microseconds = 0; // when the segment starts
        std::int64_t quarterMicroseconds = kDefaultQuarterMicroseconds;
    };
    std::int64_t ticksPerQuarter_;
    std::int64_t ticksPerSecond_ = 0; // a time-code division; 0 otherwise
    std::vector<Segment> segments_;
};

} // namespace plexo
