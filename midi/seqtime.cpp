#include "midi/seqtime.h"

#include "midi/seqdoc.h"

#include <algorithm>

namespace plexo {
namespace {

constexpr int kMaxDenominatorPower = 6;  // a sixty-fourth note
constexpr std::size_t kMaxLines = 20000; // guards a view against a degenerate file

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

// The first step of 1, 2, 5, 10, 20, 50... bars whose span is at least minSpacing.
std::int64_t barStep(std::int64_t barTicks, std::int64_t minSpacing) {
    std::int64_t step = 1;
    for (int i = 0; step * barTicks < minSpacing && step < (std::int64_t{1} << 40); ++i)
        step = (i % 3 == 1) ? step / 2 * 5 : step * 2;
    return step;
}

} // namespace

int ticksPerQuarter(std::uint8_t divisionHigh, std::uint8_t divisionLow) {
    if (divisionHigh & 0x80) {
        const int framesPerSecond = -static_cast<int>(static_cast<std::int8_t>(divisionHigh));
        const int perQuarter = framesPerSecond * divisionLow / 2;
        return perQuarter > 0 ? perQuarter : kDefaultTicksPerQuarter;
    }
    const int perQuarter = divisionHigh << 8 | divisionLow;
    return perQuarter > 0 ? perQuarter : kDefaultTicksPerQuarter;
}

SeqTimeline::SeqTimeline(const seqDoc& doc)
    : SeqTimeline(plexo::ticksPerQuarter(doc.divisionHigh, doc.divisionLow), [&doc] {
          std::vector<Meter> meters;
          for (const auto& track : doc.tracks)
              for (const auto& event : track.events)
                  if (event.kind == kMidiTimeSignature)
                      meters.push_back({event.time, event.bytes[0], event.bytes[1]});
          return meters;
      }()) {}

SeqTimeline::SeqTimeline(int perQuarter, std::vector<Meter> meters)
    : ticksPerQuarter_(perQuarter > 0 ? perQuarter : kDefaultTicksPerQuarter) {
    std::erase_if(meters, [](const Meter& m) { return m.numerator <= 0; });
    std::stable_sort(meters.begin(), meters.end(),
                     [](const Meter& a, const Meter& b) { return a.time < b.time; });
    auto segmentOf = [this](const Meter& meter, std::int64_t start, std::int64_t firstBar) {
        const int power = std::clamp(meter.denominatorPower, 0, kMaxDenominatorPower);
        const std::int64_t beat = std::max<std::int64_t>(std::int64_t{ticksPerQuarter_} * 4 >> power, 1);
        return Segment{start, firstBar, meter.numerator, beat};
    };
    segments_.push_back(segmentOf(Meter{}, 0, 1));
    for (const Meter& meter : meters) {
        const std::int64_t time = std::max<std::int64_t>(meter.time, 0);
        Segment& last = segments_.back();
        if (time == last.start) {
            last = segmentOf(meter, last.start, last.firstBar);
            continue;
        }
        const std::int64_t bars = ceilDiv(time - last.start, last.barTicks());
        segments_.push_back(segmentOf(meter, time, last.firstBar + bars));
    }
}

std::size_t SeqTimeline::segmentAt(std::int64_t time) const {
    const auto after = std::upper_bound(segments_.begin(), segments_.end(), time,
                                        [](std::int64_t t, const Segment& s) { return t < s.start; });
    return static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - segments_.begin() - 1, 0));
}

BarBeatTick SeqTimeline::at(std::int64_t time) const {
    time = std::max<std::int64_t>(time, 0);
    const Segment& s = segments_[segmentAt(time)];
    const std::int64_t offset = time - s.start;
    const std::int64_t inBar = offset % s.barTicks();
    return {s.firstBar + offset / s.barTicks(), inBar / s.ticksPerBeat, inBar % s.ticksPerBeat};
}

std::string SeqTimeline::text(std::int64_t time) const {
    const BarBeatTick t = at(time);
    return std::to_string(t.bar) + ':' + std::to_string(t.beat) + ':' + std::to_string(t.tick);
}

std::vector<GridLine> SeqTimeline::lines(std::int64_t from, std::int64_t to, std::int64_t minSpacing) const {
    std::vector<GridLine> lines;
    from = std::max<std::int64_t>(from, 0);
    for (std::size_t i = segmentAt(from); i < segments_.size() && segments_[i].start < to; ++i) {
        const Segment& s = segments_[i];
        const std::int64_t end = i + 1 < segments_.size() ? std::min(to, segments_[i + 1].start) : to;
        const bool beats = s.ticksPerBeat >= minSpacing;
        const std::int64_t step = barStep(s.barTicks(), minSpacing);
        const std::int64_t unit = beats ? s.ticksPerBeat : s.barTicks();
        // The first beat (or bar) at or after from.
        std::int64_t time = s.start + ceilDiv(std::max<std::int64_t>(from - s.start, 0), unit) * unit;
        for (; time < end; time += unit) {
            const std::int64_t offset = time - s.start;
            if (offset % s.barTicks() != 0) {
                lines.push_back({time, 0});
            } else {
                const std::int64_t bar = s.firstBar + offset / s.barTicks();
                if ((bar - 1) % step == 0)
                    lines.push_back({time, bar});
            }
            if (lines.size() >= kMaxLines)
                return lines;
        }
    }
    return lines;
}

} // namespace plexo
