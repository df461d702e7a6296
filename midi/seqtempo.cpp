#include "midi/seqtempo.h"

#include "midi/seqdoc.h"
#include "midi/seqtime.h"

#include <algorithm>

namespace plexo {

SeqTempo::SeqTempo(const seqDoc& doc)
    : SeqTempo(ticksPerQuarter(doc.divisionHigh, doc.divisionLow), [&doc] {
          std::vector<TempoChange> changes;
          for (const auto& track : doc.tracks)
              for (const auto& event : track.events)
                  if (event.kind == kMidiTempo)
                      changes.push_back({event.time, std::int64_t{event.bytes[0]} << 16 |
                                                         event.bytes[1] << 8 | event.bytes[2]});
          return changes;
      }()) {
    if (doc.divisionHigh & 0x80) {
        const int framesPerSecond = -static_cast<int>(static_cast<std::int8_t>(doc.divisionHigh));
        ticksPerSecond_ = std::max(framesPerSecond * doc.divisionLow, 0);
    }
}

SeqTempo::SeqTempo(int ticksPerQuarter, std::vector<TempoChange> changes)
    : ticksPerQuarter_(ticksPerQuarter > 0 ? ticksPerQuarter : kDefaultTicksPerQuarter) {
    std::erase_if(changes, [](const TempoChange& c) { return c.quarterMicroseconds <= 0; });
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.time < b.time; });
    segments_.push_back({});
    for (const TempoChange& change : changes) {
        Segment& last = segments_.back();
        const std::int64_t tick = std::max<std::int64_t>(change.time, 0);
        if (tick == last.tick) {
            last.quarterMicroseconds = change.quarterMicroseconds;
            continue;
        }
        const std::int64_t elapsed = (tick - last.tick) * last.quarterMicroseconds / ticksPerQuarter_;
        segments_.push_back({tick, last.microseconds + elapsed, change.quarterMicroseconds});
    }
}

std::int64_t SeqTempo::tickAt(std::int64_t microseconds) const {
    if (microseconds <= 0)
        return 0;
    if (ticksPerSecond_ > 0)
        return microseconds * ticksPerSecond_ / 1000000;
    const auto after =
        std::upper_bound(segments_.begin(), segments_.end(), microseconds,
                         [](std::int64_t us, const Segment& s) { return us < s.microseconds; });
    const Segment& s = *(after - 1);
    return s.tick + (microseconds - s.microseconds) * ticksPerQuarter_ / s.quarterMicroseconds;
}

} // namespace plexo
