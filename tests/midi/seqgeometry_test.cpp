#include "midi/seqgeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace plexo {
namespace {

MidiEvent event(std::int32_t kind, std::int32_t time, std::uint8_t key = 0, std::uint8_t velocity = 0) {
    MidiEvent e;
    e.kind = kind;
    e.time = time;
    e.bytes = {0, key, velocity, 0, 0, 0};
    return e;
}

TEST(SeqGeometry, NoteBarsAndEventSquaresAtEveryZoom) {
    MidiPiste track;
    track.events = {
        event(kMidiTrackName, 0),
        event(kMidiNoteOn, 100, 60, 90),  // lasts 48 ticks
        event(kMidiNoteOn, 148, 60, 0),   // ends it; not drawn
        event(kMidiNoteOn, 200, 10, 90),  // never ended: a square
    };
    track.linkNoteEnds();
    struct Case {
        int zoom;
        Rect square, bar, unended;
    };
    const Case cases[] = {
        {0, {0, 0, 0, 0}, {10, 600, 14, 600}, {20, 100, 20, 100}},          // 10 %: 4 long, 0 high
        {1, {0, 0, 0, 0}, {25, 600, 37, 602}, {50, 100, 52, 102}},
        {2, {0, 0, 1, 1}, {50, 600, 74, 604}, {100, 100, 104, 104}},
        {3, {0, 0, 1, 1}, {66, 600, 98, 606}, {133, 100, 139, 106}},
        {4, {0, 0, 1, 1}, {75, 600, 111, 606}, {150, 100, 156, 106}},
        {5, {0, 0, 2, 2}, {100, 600, 148, 609}, {200, 100, 209, 109}},
        {6, {0, 0, 2, 2}, {125, 600, 185, 611}, {250, 100, 261, 111}},
        {7, {0, 0, 3, 3}, {150, 600, 222, 613}, {300, 100, 313, 113}},
        {8, {0, 0, 4, 4}, {200, 600, 296, 618}, {400, 100, 418, 118}},      // 200 %: 96 long, 18 high
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        const auto drawn = trackRectangles(track, c.zoom);
        ASSERT_EQ(drawn.size(), 3u);
        EXPECT_EQ(drawn[0].index, 0u);
        EXPECT_EQ(drawn[0].rect, c.square);
        EXPECT_EQ(drawn[1].index, 1u);
        EXPECT_EQ(drawn[1].rect, c.bar);
        EXPECT_EQ(drawn[2].index, 3u);
        EXPECT_EQ(drawn[2].rect, c.unended);
    }
}

TEST(SeqGeometry, EventsPastThe31999PixelCutOffAreNotDrawn) {
    struct Case {
        int zoom;
        std::int32_t time;
        bool drawn;
    };
    const Case cases[] = {
        {5, 31999, true},  {5, 32000, false}, {8, 15999, true},  {8, 16000, false},
        {0, 319999, true}, {0, 320000, false}, {6, 25599, true}, {6, 25600, false},
        {8, std::numeric_limits<std::int32_t>::max(), false}, // no overflow on the way
        {5, -1, false}, // taken as unsigned, a negative position is past the cut-off
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " time " << c.time);
        MidiPiste track;
        track.events = {event(kMidiTimingClock, c.time)};
        EXPECT_EQ(eventRectangle(track, 0, c.zoom).has_value(), c.drawn);
    }
    MidiPiste long_;
    long_.events = {event(kMidiStart, 100), event(kMidiStop, 31999), event(kMidiStart, 32000),
                    event(kMidiStop, 40000)};
    const auto drawn = trackRectangles(long_, 5);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].index, 1u);
    EXPECT_EQ(drawn[1].rect, (Rect{31999, 0, 32001, 2}));

    // A note that starts before the cut-off and lasts very long keeps a sane bar.
    MidiPiste track;
    track.events = {event(kMidiNoteOn, 0, 127, 1), event(kMidiEndOfTrack, std::numeric_limits<std::int32_t>::max())};
    track.linkNoteEnds();
    const auto bar = eventRectangle(track, 0, 8);
    ASSERT_TRUE(bar.has_value());
    EXPECT_EQ(bar->top, 1270);
    EXPECT_GT(bar->right, 31999);
    EXPECT_GT(bar->width(), 0);
}

TEST(SeqGeometry, TabsFromX5AndClicksOnTheScrolledSpans) {
    const int widths[] = {20, 0, 7};
    const auto tabs = layoutTabs(widths);
    const std::vector<TabSpan> expected = {{5, 30}, {35, 10}, {45, 17}};
    EXPECT_EQ(tabs, expected);
    EXPECT_EQ(tabScrollRange(tabs, 100), 0);
    EXPECT_EQ(tabScrollRange(tabs, 40), 62 - 40 + 5);

    struct Click {
        int x, scroll, current, selected;
    };
    const Click clicks[] = {
        {20, 0, 1, 0},  // inside the first tab
        {20, 0, 0, -1}, // the current tab: nothing
        {4, 0, 1, -1},  // before the first tab
        {35, 0, 0, 1},  // the boundary belongs to both; the current one is passed over
        {35, 0, 2, 0},
        {62, 0, 0, 2},  // the last tab's right end is included
        {63, 0, 0, -1}, // beyond the last tab
        {5, 30, 0, 1},  // scrolled by 30: the second tab starts at 5
    };
    for (const auto& c : clicks)
        EXPECT_EQ(tabToSelect(tabs, c.x, c.scroll, c.current), c.selected)
            << "x " << c.x << " scroll " << c.scroll << " current " << c.current;
}

TEST(SeqGeometry, ZoomCommandsStepAndClamp) {
    struct Case {
        int command, current, level;
    };
    const Case cases[] = {
        {760, 5, 0}, {764, 0, 4}, {768, 2, 8}, {769, 3, 4}, {770, 3, 2},
        {769, 8, 8}, {770, 0, 0}, // zoom in at 200 % and out at 10 % stay
        {771, 4, 8},              // code 11: above 8
        {888, 4, 0},              // code 128: top bit set
    };
    for (const auto& c : cases)
        EXPECT_EQ(zoomAfterCommand(c.command, c.current), c.level) << c.command << " at " << c.current;
}

} // namespace
} // namespace plexo
