#include "midi/midireader.h"
#include "midi/midiwriter.h"
#include "midi/seqdoc.h"
#include "smfbuilder.h"

#include <gtest/gtest.h>

#include <set>

namespace plexo {
namespace {

using test::Bytes;
using test::TrackBuilder;

// A file with an event of every kind, over three tracks, with running status.
Bytes everyKindFile(std::uint8_t divisionHigh, std::uint8_t divisionLow) {
    Bytes longSysEx(200, 0x22);
    longSysEx.back() = 0xF7;
    TrackBuilder meta, channels, system;
    meta.meta(0, 0x00, {0x00, 0x07})
        .text(0, 0x01, "Texte libre")
        .text(0, 0x02, "(c) 2026")
        .text(0, 0x03, "Conducteur")
        .text(0, 0x04, "Cordes")
        .text(0, 0x05, "la-la")
        .text(0, 0x06, "Refrain")
        .text(0, 0x07, "Rep\xe8re")
        .meta(0, 0x20, {0x09})
        .meta(0, 0x21, {0x01})
        .meta(0, 0x51, {0x07, 0xA1, 0x20})
        .meta(0, 0x54, {0x60, 0x00, 0x03, 0x00, 0x00})
        .meta(0, 0x58, {0x04, 0x02, 0x18, 0x08})
        .meta(0, 0x59, {0xFD, 0x01})
        .meta(0, 0x7F, {0x00, 0x00, 0x41, 0x01})
        .meta(0, 0x7F, Bytes(150, 0x05)) // a length of two bytes
        .end(1920);
    channels.text(0, 0x03, "Piano")
        .event(0, {0x90, 60, 100})
        .event(0, {64, 100}) // running status
        .event(96, {0x80, 60, 64})
        .event(0, {64, 0})
        .event(0, {0xA2, 60, 30})
        .event(0, {0xB2, 7, 100})
        .event(0, {10, 64})
        .event(0, {0xC2, 19})
        .event(0, {20})
        .event(0, {0xD2, 90})
        .event(0, {0xE2, 0x00, 0x40})
        .event(0x0FFFFFFF - 200, {0x90, 61, 1}) // the largest delta
        .end(0);
    system.sysEx(0, 0xF0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
        .sysEx(0, 0xF0, longSysEx)
        .sysEx(0, 0xF0, {0x43, 0x12})
        .sysEx(10, 0xF7, {0x00, 0xF7})
        .event(0, {0xF2, 0x10, 0x20})
        .event(0, {0xF3, 0x05})
        .event(0, {0xF6})
        .event(0, {0xF8})
        .event(0, {0xFA})
        .event(0, {0xFB})
        .event(0, {0xFC})
        .end(5);
    return test::midiFile({meta, channels, system}, divisionHigh, divisionLow);
}

bool sameEvent(const MidiEvent& a, const MidiEvent& b) {
    return a.kind == b.kind && a.time == b.time && a.bytes == b.bytes && a.data == b.data && a.noteEnd == b.noteEnd;
}

TEST(MidiWriter, ReadWriteReadKeepsEveryKindOfEventAndTheDivisionBytes) {
    const std::pair<std::uint8_t, std::uint8_t> divisions[] = {{0x00, 0x60}, {0x01, 0xE0}, {0xE7, 0x28}};
    for (const auto& [high, low] : divisions) {
        SCOPED_TRACE(testing::Message() << "division " << int(high) << " " << int(low));
        const Bytes original = everyKindFile(high, low);
        seqDoc first;
        auto read = readStandardMidiFile(original, first);
        ASSERT_TRUE(read.ok) << read.problem;
        std::set<std::int32_t> kinds;
        for (auto& track : first.tracks) {
            track.linkNoteEnds();
            for (const auto& event : track.events)
                kinds.insert(event.kind);
        }
        EXPECT_EQ(kinds.size(), std::size_t{kMidiKindCount}); // the file exercises every kind

        auto written = encodeStandardMidiFile(first);
        ASSERT_TRUE(written.ok) << written.problem;
        // Header: length 6, format, the real track count, the division bytes as read.
        const Bytes expectedHeader = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3, high, low};
        EXPECT_TRUE(std::equal(expectedHeader.begin(), expectedHeader.end(), written.bytes.begin()));

        seqDoc second;
        read = readStandardMidiFile(written.bytes, second);
        ASSERT_TRUE(read.ok) << read.problem;
        ASSERT_EQ(second.tracks.size(), first.tracks.size());
        for (std::size_t t = 0; t < first.tracks.size(); ++t) {
            second.tracks[t].linkNoteEnds();
            const auto& a = first.tracks[t].events;
            const auto& b = second.tracks[t].events;
            ASSERT_EQ(a.size(), b.size()) << "track " << t;
            for (std::size_t i = 0; i < a.size(); ++i)
                EXPECT_TRUE(sameEvent(a[i], b[i])) << "track " << t << " event " << i;
        }
        EXPECT_EQ(second.divisionHigh, high);
        EXPECT_EQ(second.divisionLow, low);
        // Writing what was read back gives the same bytes again.
        EXPECT_EQ(encodeStandardMidiFile(second).bytes, written.bytes);
    }
}

TEST(MidiWriter, RunningStatusSpansOnlyConsecutiveChannelEvents) {
    seqDoc doc;
    doc.tracks.clear();
    auto& events = doc.tracks.emplace_back().events;
    auto channelEvent = [](std::int32_t kind, std::int32_t time, std::uint8_t channel, std::uint8_t a,
                           std::uint8_t b) {
        MidiEvent e;
        e.kind = kind;
        e.time = time;
        e.bytes = {channel, a, b, 0, 0, 0};
        e.delta = 12345; // stale: recomputed from the times
        return e;
    };
    events.push_back(channelEvent(kMidiNoteOn, 0, 2, 60, 100));
    events.push_back(channelEvent(kMidiNoteOn, 0, 2, 64, 100));
    MidiEvent marker;
    marker.kind = kMidiMarker;
    marker.time = 200;
    marker.data = {'A'};
    events.push_back(marker);
    events.push_back(channelEvent(kMidiNoteOn, 200, 2, 60, 0));
    events.push_back(channelEvent(kMidiNoteOn, 200, 3, 64, 0));
    events.push_back(channelEvent(kMidiProgramChange, 300, 3, 7, 0));

    auto written = encodeStandardMidiFile(doc);
    ASSERT_TRUE(written.ok);
    const Bytes expectedTrack = {
        'M', 'T', 'r', 'k', 0, 0, 0, 28,
        0x00, 0x92, 60, 100,          // status given
        0x00, 64, 100,                // running status
        0x81, 0x48, 0xFF, 0x06, 1, 'A', // delta 200 as two bytes; a marker
        0x00, 0x92, 60, 0,            // the status again after the meta event
        0x00, 0x93, 64, 0,            // another channel
        0x64, 0xC3, 7,                // delta 100; one data byte
        0x00, 0xFF, 0x2F, 0x00,       // the end of track the file format asks for
    };
    ASSERT_EQ(written.bytes.size(), 14 + expectedTrack.size());
    EXPECT_EQ(Bytes(written.bytes.begin() + 14, written.bytes.end()), expectedTrack);
}

TEST(MidiWriter, RefusesTimesADeltaCannotSay) {
    struct Case {
        std::int32_t first, second;
        bool writable;
    };
    const Case cases[] = {
        {100, 50, false},                       // out of order
        {0, 0x0FFFFFFF, true},                  // the largest delta
        {0, 0x10000000, false},                 // one tick more
        {-1, 5, false},                         // before the start of the track
    };
    for (const auto& c : cases) {
        seqDoc doc;
        MidiEvent a, b;
        a.kind = b.kind = kMidiTimingClock;
        a.time = c.first;
        b.time = c.second;
        doc.tracks[0].events = {a, b};
        const auto written = encodeStandardMidiFile(doc);
        EXPECT_EQ(written.ok, c.writable) << c.first << " then " << c.second;
        if (!c.writable) {
            EXPECT_NE(written.problem.find("piste 0"), std::string::npos);
        }
    }
    // Events skipped on reading keep their time, so a file can hold such a gap.
    TrackBuilder track;
    track.event(0, {0xF8}).meta(0x0FFFFFFF, 0x09, {'x'}).event(1, {0xF8});
    seqDoc read;
    ASSERT_TRUE(readStandardMidiFile(test::midiFile({track}), read).ok);
    ASSERT_EQ(read.tracks[0].events.size(), 2u);
    EXPECT_EQ(read.tracks[0].events[1].time, 0x10000000);
    EXPECT_FALSE(encodeStandardMidiFile(read).ok);
}

TEST(MidiWriter, VariableLengthQuantities) {
    const std::pair<std::uint32_t, Bytes> cases[] = {
        {0, {0x00}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x2000, {0xC0, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& [value, bytes] : cases) {
        Bytes out;
        appendVariableLength(out, value);
        EXPECT_EQ(out, bytes) << value;
    }
}

} // namespace
} // namespace plexo
