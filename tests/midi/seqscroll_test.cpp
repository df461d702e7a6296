#include "midi/seqgeometry.h"
#include "midi/seqscroll.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

MidiEvent event(std::int32_t kind, std::int32_t time, std::uint8_t key = 0, std::uint8_t velocity = 0) {
    MidiEvent e;
    e.kind = kind;
    e.time = time;
    e.bytes = {0, key, velocity, 0, 0, 0};
    return e;
}

MidiPiste bassTrack() {
    MidiPiste track;
    track.events = {event(kMidiNoteOn, 0, 40, 90), event(kMidiNoteOn, 96, 40, 0),
                    event(kMidiNoteOn, 27000, 52, 90), event(kMidiNoteOff, 27200, 52, 0),
                    event(kMidiEndOfTrack, 27225)};
    track.linkNoteEnds();
    return track;
}

TEST(SeqScroll, RangesCoverTheTrackAndTheKeysAtEveryZoom) {
    const MidiPiste track = bassTrack();
    EXPECT_EQ(trackEnd(track), 27225);
    struct Case {
        int zoom;
        int across, down;
    };
    // A viewport of 800 × 500 pixels; the track is 27,225 ticks long, the 40-pixel margin after it.
    const Case cases[] = {
        {0, 2722 + 40 - 800, 1280 - 500},
        {5, 27225 + 40 - 800, 1280 - 500},
        {8, 54450 + 40 - 800, 1288 - 500}, // the last key's bar is 18 pixels high
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scrollAxis(contentWidth(track, c.zoom), 800, kHorizontalStep),
                  (ScrollAxis{c.across, 800, kHorizontalStep}))
            << c.zoom;
        EXPECT_EQ(scrollAxis(contentHeight(c.zoom), 500, kKeySpacing), (ScrollAxis{c.down, 500, kKeySpacing}))
            << c.zoom;
    }
    // A viewport larger than the drawing has nothing to scroll.
    EXPECT_EQ(scrollAxis(300, 800, 20).maximum, 0);
    // Without an end of track, the last note's end counts.
    MidiPiste unended;
    unended.events = {event(kMidiNoteOn, 10, 60, 90), event(kMidiNoteOff, 500, 60, 0)};
    unended.linkNoteEnds();
    EXPECT_EQ(trackEnd(unended), 500);
    EXPECT_EQ(trackEnd(MidiPiste{}), 0);
}

TEST(SeqScroll, PixelsBackToTicksAndTheCentreKeptAcrossZooms) {
    for (int zoom = 0; zoom < kZoomLevelCount; ++zoom)
        for (std::int64_t x : {0, 1, 2, 3, 7, 100, 999, 31999}) {
            const std::int64_t time = timeAtX(x, zoom);
            EXPECT_GE(scaleByZoom(time, zoom), x) << zoom << " " << x;
            if (time > 0) { // the smallest such time
                EXPECT_LT(scaleByZoom(time - 1, zoom), x) << zoom << " " << x;
            }
        }
    // At 100 % the view 800 wide centred on tick 5000; at 200 % the same tick stays in the middle.
    const int max200 = 54450 + 40 - 800;
    EXPECT_EQ(scrollToCentre(5000, 8, 800, max200), 10000 - 400);
    EXPECT_EQ(scrollToCentre(5000, 0, 800, 2000), 100); // 500 - 400
    EXPECT_EQ(scrollToCentre(100, 5, 800, 2000), 0);    // clamped at the start
    EXPECT_EQ(scrollToCentre(27225, 5, 800, 26465), 26465);
}

TEST(SeqScroll, TheNotesAreCentredAndThePlayCursorKeptInView) {
    const MidiPiste track = bassTrack(); // keys 40 to 52
    EXPECT_EQ(scrollToNotes(track, 200, 1080), 465 - 100);
    EXPECT_EQ(scrollToNotes(MidiPiste{}, 200, 1080), 600 - 100); // middle C
    EXPECT_EQ(scrollToNotes(track, 2000, 0), 0);

    EXPECT_FALSE(cursorNeedsScroll(1000, 800, 400));
    EXPECT_TRUE(cursorNeedsScroll(1200, 800, 400));
    EXPECT_TRUE(cursorNeedsScroll(799, 800, 400));
    EXPECT_EQ(scrollToCursor(1200, 400, 5000), 1150);
    EXPECT_EQ(scrollToCursor(5300, 400, 5000), 5000);
}

} // namespace
} // namespace plexo
