#include "midi/seqdoc.h"
#include "midi/seqtempo.h"
#include "midi/seqtime.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

MidiEvent meta(std::int32_t kind, std::int32_t time, std::array<std::uint8_t, 6> bytes) {
    MidiEvent e;
    e.kind = kind;
    e.time = time;
    e.bytes = bytes;
    return e;
}

TEST(SeqTime, TicksPerQuarterFromTheDivision) {
    EXPECT_EQ(ticksPerQuarter(0, 96), 96);
    EXPECT_EQ(ticksPerQuarter(0x01, 0xE0), 480);
    EXPECT_EQ(ticksPerQuarter(0, 0), kDefaultTicksPerQuarter); // a zero division cannot count beats
    EXPECT_EQ(ticksPerQuarter(0xE7, 40), 25 * 40 / 2);         // 25 frames of 40 ticks: half a second
}

TEST(SeqTime, BarBeatTickOfEventTimes) {
    struct Case {
        std::vector<Meter> meters;
        std::int64_t time;
        const char* text;
    };
    const std::vector<Meter> none;
    const std::vector<Meter> threeFour = {{0, 3, 2}};
    const std::vector<Meter> sixEight = {{0, 6, 3}};
    // 4/4 for two bars, then 3/4 from 768; a 6/8 at 1000 cuts the bar begun at 960 short.
    const std::vector<Meter> changes = {{1000, 6, 3}, {768, 3, 2}};
    const Case cases[] = {
        {none, 0, "1:0:0"},       {none, 95, "1:0:95"},      {none, 96, "1:1:0"},
        {none, 383, "1:3:95"},    {none, 384, "2:0:0"},      {none, 1000, "3:2:40"},
        {none, -5, "1:0:0"},      {threeFour, 288, "2:0:0"}, {threeFour, 500, "2:2:20"},
        {sixEight, 48, "1:1:0"},  {sixEight, 288, "2:0:0"},  {sixEight, 300, "2:0:12"},
        {changes, 767, "2:3:95"}, {changes, 768, "3:0:0"},   {changes, 960, "3:2:0"},
        {changes, 999, "3:2:39"}, {changes, 1000, "4:0:0"},  {changes, 1288, "5:0:0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SeqTimeline(96, c.meters).text(c.time), c.text) << c.time;
    EXPECT_EQ(SeqTimeline(96, changes).at(1300), (BarBeatTick{5, 0, 12}));
}

TEST(SeqTime, MetersComeFromEveryTrackAndBadOnesAreIgnored) {
    seqDoc doc;
    doc.divisionHigh = 0x01;
    doc.divisionLow = 0xE0; // 480
    doc.tracks.resize(2);
    doc.tracks[1].events = {meta(kMidiTimeSignature, 0, {3, 2, 24, 8, 0, 0}),
                            meta(kMidiTimeSignature, 1440, {0, 2, 24, 8, 0, 0})}; // 0/4: ignored
    const SeqTimeline timeline(doc);
    EXPECT_EQ(timeline.ticksPerQuarter(), 480);
    EXPECT_EQ(timeline.text(1440), "2:0:0");
    EXPECT_EQ(timeline.text(2880), "3:0:0");
    // Of two meters at the same time the later one holds.
    EXPECT_EQ(SeqTimeline(96, {{0, 3, 2}, {0, 2, 2}}).text(192), "2:0:0");
}

TEST(SeqTime, BarAndBeatLines) {
    auto lines = [](const SeqTimeline& t, std::int64_t from, std::int64_t to, std::int64_t spacing = 0) {
        std::vector<std::pair<std::int64_t, std::int64_t>> out;
        for (const GridLine& l : t.lines(from, to, spacing))
            out.emplace_back(l.time, l.bar);
        return out;
    };
    using L = std::vector<std::pair<std::int64_t, std::int64_t>>;
    const SeqTimeline threeFour(96, {{0, 3, 2}});
    EXPECT_EQ(lines(threeFour, 0, 600),
              (L{{0, 1}, {96, 0}, {192, 0}, {288, 2}, {384, 0}, {480, 0}, {576, 3}}));
    EXPECT_EQ(lines(threeFour, 100, 290), (L{{192, 0}, {288, 2}}));
    const SeqTimeline sixEight(96, {{0, 6, 3}});
    EXPECT_EQ(lines(sixEight, 240, 340), (L{{240, 0}, {288, 2}, {336, 0}}));
    // 4/4 then 3/4 from 768, and a 6/8 cutting the fourth bar short at 1000.
    const SeqTimeline changes(96, {{768, 3, 2}, {1000, 6, 3}});
    EXPECT_EQ(lines(changes, 672, 1100),
              (L{{672, 0}, {768, 3}, {864, 0}, {960, 0}, {1000, 4}, {1048, 0}, {1096, 0}}));
    // Beats closer than the spacing go; bars closer than it are thinned to every 2nd, 5th, 10th...
    EXPECT_EQ(lines(threeFour, 0, 900, 100), (L{{0, 1}, {288, 2}, {576, 3}, {864, 4}}));
    EXPECT_EQ(lines(threeFour, 0, 2000, 400), (L{{0, 1}, {576, 3}, {1152, 5}, {1728, 7}}));
    EXPECT_EQ(lines(threeFour, 0, 4000, 1000), (L{{0, 1}, {1440, 6}, {2880, 11}}));
}

TEST(SeqTempo, TicksFromElapsedTimeFollowTheTempoChanges) {
    // 96 ticks a quarter at 120 (500,000 µs), then at 60 from tick 192 (one second in).
    const SeqTempo tempo(96, {{192, 1000000}});
    EXPECT_EQ(tempo.tickAt(-10), 0);
    EXPECT_EQ(tempo.tickAt(0), 0);
    EXPECT_EQ(tempo.tickAt(250000), 48);
    EXPECT_EQ(tempo.tickAt(1000000), 192);
    EXPECT_EQ(tempo.tickAt(2000000), 288);

    seqDoc doc;
    doc.tracks[0].events.push_back(meta(kMidiTempo, 0, {0x0F, 0x42, 0x40, 0, 0, 0})); // 1,000,000 µs
    EXPECT_EQ(SeqTempo(doc).tickAt(500000), 48);
    doc.divisionHigh = 0xE7; // 25 frames a second, 40 ticks a frame: 1000 ticks a second
    doc.divisionLow = 40;
    EXPECT_EQ(SeqTempo(doc).tickAt(500000), 500);
}

} // namespace
} // namespace plexo
