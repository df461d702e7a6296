#include "midi/midireader.h"
#include "midi/seqdoc.h"
#include "smfbuilder.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::Bytes;
using test::TrackBuilder;
using test::operator+;

struct Read {
    seqDoc doc;
    MidiReadResult result;
};

Read readBytes(const Bytes& bytes) {
    Read read;
    read.result = readStandardMidiFile(bytes, read.doc);
    for (auto& track : read.doc.tracks)
        track.linkNoteEnds();
    return read;
}

TEST(MidiReader, RunningStatusGivesSeparateChannelEventsEvenAcrossMetaAndSysEx) {
    // A chord with the note-on status given once, then a text meta, a system
    // exclusive and a clock between events that still use the chord's status.
    TrackBuilder track;
    track.event(0, {0x93, 0x3C, 0x40})
        .event(0, {0x40, 0x41})
        .event(0, {0x43, 0x42})
        .text(10, 0x01, "accord")
        .event(0, {0x3C, 0x00})
        .sysEx(0, 0xF0, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
        .event(0, {0x40, 0x00})
        .event(0, {0xF8})
        .event(5, {0x43, 0x00})
        .event(0, {0xB3, 0x07, 0x64})
        .event(0, {0x0A, 0x20})
        .end();
    auto read = readBytes(test::midiFile({track}));
    ASSERT_TRUE(read.result.ok) << read.result.problem;
    struct Expected {
        std::int32_t kind, time;
        std::uint8_t channel, first, second;
    };
    const Expected expected[] = {
        {kMidiNoteOn, 0, 3, 0x3C, 0x40},  {kMidiNoteOn, 0, 3, 0x40, 0x41},  {kMidiNoteOn, 0, 3, 0x43, 0x42},
        {kMidiText, 10, 0, 0, 0},         {kMidiNoteOn, 10, 3, 0x3C, 0},    {kMidiSysEx, 10, 0, 0, 0},
        {kMidiNoteOn, 10, 3, 0x40, 0},    {kMidiTimingClock, 10, 0, 0, 0},  {kMidiNoteOn, 15, 3, 0x43, 0},
        {kMidiControlChange, 15, 3, 7, 100}, {kMidiControlChange, 15, 3, 10, 32}, {kMidiEndOfTrack, 15, 0, 0, 0},
    };
    const auto& events = read.doc.tracks.at(0).events;
    ASSERT_EQ(events.size(), std::size(expected));
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].kind, expected[i].kind);
        EXPECT_EQ(events[i].time, expected[i].time);
        if (events[i].isChannelEvent()) {
            EXPECT_EQ(events[i].bytes[0], expected[i].channel);
            EXPECT_EQ(events[i].bytes[1], expected[i].first);
            EXPECT_EQ(events[i].bytes[2], expected[i].second);
        }
    }
}

TEST(MidiReader, NoteEndsLinkToTheFirstLaterEndOfTheSameChannelAndKey) {
    TrackBuilder track;
    track.event(0, {0x90, 60, 100})  // 0: C, ended by 4 (velocity 0)
        .event(0, {0x90, 64, 100})   // 1: E, ended by 5 (note-off)
        .event(0, {0x91, 60, 100})   // 2: C on channel 1, ended by 6
        .event(0, {0x90, 67, 100})   // 3: G, never ended: the end of track 7
        .event(48, {0x90, 60, 0})    // 4
        .event(0, {0x80, 64, 64})    // 5
        .event(0, {0x91, 60, 0})     // 6
        .end(48)                     // 7
        .event(0, {0x90, 72, 90});   // 8: after the end of track: no end
    auto read = readBytes(test::midiFile({track}));
    ASSERT_TRUE(read.result.ok) << read.result.problem;
    const auto& events = read.doc.tracks.at(0).events;
    ASSERT_EQ(events.size(), 9u);
    const std::int32_t expectedEnds[] = {4, 5, 6, 7, -1, -1, -1, -1, -1};
    for (std::size_t i = 0; i < events.size(); ++i)
        EXPECT_EQ(events[i].noteEnd, expectedEnds[i]) << "event " << i;
    EXPECT_EQ(read.doc.tracks[0].noteEndOf(0)->time, 48);
    EXPECT_EQ(read.doc.tracks[0].noteEndOf(8), nullptr);
}

TEST(MidiReader, FixedSizeMetaEventsMustHaveTheirLength) {
    struct Case {
        std::uint8_t type;
        std::size_t length;
        bool readable;
        std::int32_t kind; // the event kept when readable, -1 for none
    };
    const Case cases[] = {
        {0x51, 3, true, kMidiTempo},           {0x51, 2, false, -1},
        {0x51, 4, false, -1},                  {0x58, 4, true, kMidiTimeSignature},
        {0x58, 3, false, -1},                  {0x00, 2, true, kMidiSequenceNumber},
        {0x00, 0, false, -1},                  {0x54, 5, true, kMidiSmpteOffset},
        {0x59, 2, true, kMidiKeySignature},    {0x59, 1, false, -1},
        {0x20, 1, true, kMidiChannelPrefix},   {0x21, 1, true, kMidiPort},
        {0x21, 2, false, -1},                  {0x2F, 1, true, -1}, // an end of track with data is ignored
        {0x7F, 9, true, kMidiSequencerSpecific}, {0x09, 4, true, -1}, // a meta type of no use is skipped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " length " << c.length);
        Bytes data(c.length);
        for (std::size_t i = 0; i < c.length; ++i)
            data[i] = static_cast<std::uint8_t>(i + 1);
        TrackBuilder track;
        track.meta(0, c.type, data).event(0, {0x90, 60, 1});
        auto read = readBytes(test::midiFile({track}));
        EXPECT_EQ(read.result.ok, c.readable) << read.result.problem;
        if (!c.readable) {
            EXPECT_TRUE(read.doc.tracks.empty());
            EXPECT_NE(read.result.problem.find("longueur incorrecte"), std::string::npos) << read.result.problem;
            continue;
        }
        const auto& events = read.doc.tracks.at(0).events;
        ASSERT_EQ(events.size(), c.kind < 0 ? 1u : 2u);
        EXPECT_EQ(events.back().kind, kMidiNoteOn); // reading went on after the meta event
        if (c.kind >= 0) {
            EXPECT_EQ(events[0].kind, c.kind);
            if (events[0].data.empty()) {
                EXPECT_TRUE(std::equal(data.begin(), data.end(), events[0].bytes.begin()));
            } else {
                EXPECT_EQ(events[0].data, data);
            }
        }
    }
}

TEST(MidiReader, SystemExclusiveLengthsAreVariableLengthQuantities) {
    Bytes big(300);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i & 0x7F);
    big.back() = 0xF7;
    TrackBuilder track;
    track.sysEx(0, 0xF0, big)                   // 300 bytes: a two-byte length
        .sysEx(10, 0xF0, {0x43, 0x12, 0x00})    // the first packet of a message sent in parts
        .sysEx(5, 0xF7, {0x43, 0x12, 0x00, 0x07, 0xF7}) // its last packet
        .sysEx(0, 0xF7, {0xF3, 0x01})           // an escape: bytes sent as they are
        .event(0, {0x90, 60, 100})
        .end();
    auto read = readBytes(test::midiFile({track}));
    ASSERT_TRUE(read.result.ok) << read.result.problem;
    const auto& events = read.doc.tracks.at(0).events;
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].kind, kMidiSysEx);
    EXPECT_EQ(events[0].data, big);
    EXPECT_EQ(events[1].data, (Bytes{0x43, 0x12, 0x00}));
    EXPECT_EQ(events[2].kind, kMidiSysExPacket);
    EXPECT_EQ(events[2].time, 15);
    EXPECT_EQ(events[2].data, (Bytes{0x43, 0x12, 0x00, 0x07, 0xF7}));
    EXPECT_EQ(events[3].kind, kMidiSysExPacket);
    EXPECT_EQ(events[4].kind, kMidiNoteOn);
    EXPECT_TRUE(read.result.warnings.empty());
}

TEST(MidiReader, ASystemExclusiveMessagePastTheKeptMaximumIsReadToItsEndAndKeptCut) {
    Bytes huge(kMaxSysExKept + 1000, 0x11);
    huge.back() = 0xF7;
    TrackBuilder track;
    track.sysEx(0, 0xF0, huge).event(3, {0x90, 61, 100}).end();
    auto read = readBytes(test::midiFile({track}));
    ASSERT_TRUE(read.result.ok) << read.result.problem;
    const auto& events = read.doc.tracks.at(0).events;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].data.size(), kMaxSysExKept);
    EXPECT_EQ(events[0].data.back(), 0xF7);
    EXPECT_EQ(events[0].data[kMaxSysExKept - 2], 0x11);
    EXPECT_EQ(events[1].key(), 61);
    EXPECT_EQ(events[1].time, 3);
    ASSERT_EQ(read.result.warnings.size(), 1u);
    EXPECT_NE(read.result.warnings[0].find("tronqué"), std::string::npos);
}

Bytes validFile() {
    TrackBuilder first, second;
    first.text(0, 0x03, "Piano").event(0, {0x90, 60, 100}).event(96, {0x80, 60, 0}).end(0);
    second.event(0, {0xC0, 5}).event(0, {0x90, 62, 90}).event(48, {0x62, 0}).end(0);
    return test::midiFile({first, second});
}

TEST(MidiReader, DamagedFilesAreRefusedOrReadAsFarAsTheyGo) {
    using test::chunk;
    using test::header;
    auto track = [](std::initializer_list<std::uint8_t> bytes) {
        TrackBuilder t;
        t.raw(Bytes(bytes));
        return chunk("MTrk", t.bytes());
    };
    struct Case {
        const char* name;
        Bytes bytes;
        bool readable;
        std::size_t events; // of the first track, when readable
        const char* problem; // part of the reason, when not readable
    };
    const Case cases[] = {
        {"empty", {}, false, 0, "MThd"},
        {"header only", header(1, 1), false, 0, "MTrk"},
        {"track only", track({0x00, 0xFF, 0x2F, 0x00}), false, 0, "MThd"},
        {"short header chunk", chunk("MThd", {0, 1, 0, 1}) + track({0x00, 0x90, 60, 1}), false, 0, "court"},
        {"longer header chunk", chunk("MThd", {0, 1, 0, 1, 0, 96, 9, 9}) + track({0x00, 0x90, 60, 1}), true, 1, ""},
        {"unknown chunk skipped", header(1, 1) + chunk("XFIH", {1, 2, 3}) + track({0x00, 0x90, 60, 1}), true, 1, ""},
        {"track length past the file", header(1, 1) + chunk("MTrk", {0x00, 0x90, 60, 1, 0x00, 0x40}, 1000), true, 1, ""},
        {"text length past the chunk end",
         header(1, 2) + chunk("MTrk", {0x00, 0x90, 60, 1, 0x00, 0xFF, 0x01, 0x40, 'a'}) +
             track({0x00, 0x90, 61, 1, 0x00, 0x91, 62, 1}),
         true, 1, ""},
        {"event cut by the chunk end", header(1, 1) + chunk("MTrk", {0x00, 0x90, 60, 1, 0x00, 0x90, 61}), true, 1, ""},
        {"truncated chunk header", header(1, 1) + track({0x00, 0x90, 60, 1}) + Bytes{'M', 'T', 'r'}, true, 1, ""},
        {"status 0xF1", header(1, 1) + track({0x00, 0xF1, 0x01}), false, 0, "0xF1"},
        {"status 0xF4", header(1, 1) + track({0x00, 0xF4}), false, 0, "0xF4"},
        {"status 0xF5", header(1, 1) + track({0x00, 0xF5, 0x00}), false, 0, "0xF5"},
        {"status 0xF9", header(1, 1) + track({0x00, 0xF9, 0x00}), false, 0, "0xF9"},
        {"status 0xFD", header(1, 1) + track({0x00, 0xFD, 0x00}), false, 0, "0xFD"},
        {"status 0xFE", header(1, 1) + track({0x00, 0xFE, 0x00}), false, 0, "0xFE"},
        {"data byte without running status", header(1, 1) + track({0x00, 0x3C, 0x40}), false, 0, "sans statut"},
        {"running status does not cross tracks",
         header(1, 2) + track({0x00, 0x90, 60, 1}) + track({0x00, 0x3C, 0x40}), false, 0, "sans statut"},
        {"status byte among the data bytes", header(1, 1) + track({0x00, 0x90, 60, 0x90, 60, 1}), false, 0, "0x90"},
        {"five-byte delta", header(1, 1) + track({0x81, 0x81, 0x81, 0x81, 0x01, 0xF8}), false, 0, "variable"},
        {"five-byte text length", header(1, 1) + track({0x00, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), false, 0,
         "variable"},
        {"time past 32 bits",
         header(1, 1) + track({0xFF, 0xFF, 0xFF, 0x7F, 0xF8, 0xFF, 0xFF, 0xFF, 0x7F, 0xF8, 0xFF, 0xFF, 0xFF, 0x7F,
                               0xF8, 0xFF, 0xFF, 0xFF, 0x7F, 0xF8, 0xFF, 0xFF, 0xFF, 0x7F, 0xF8, 0xFF, 0xFF, 0xFF,
                               0x7F, 0xF8, 0xFF, 0xFF, 0xFF, 0x7F, 0xF8, 0xFF, 0xFF, 0xFF, 0x7F, 0xF8, 0xFF, 0xFF,
                               0xFF, 0x7F, 0xF8}),
         false, 0, "temps"},
        {"huge sysex length", header(1, 1) + track({0x00, 0x90, 60, 1, 0x00, 0xF0, 0xFF, 0xFF, 0xFF, 0x7F, 0xF7}),
         true, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto read = readBytes(c.bytes);
        EXPECT_EQ(read.result.ok, c.readable) << read.result.problem;
        if (c.readable) {
            ASSERT_FALSE(read.doc.tracks.empty());
            EXPECT_EQ(read.doc.tracks[0].events.size(), c.events);
        } else {
            EXPECT_TRUE(read.doc.tracks.empty());
            EXPECT_NE(read.result.problem.find(c.problem), std::string::npos) << read.result.problem;
        }
    }
    // The second track after a first one cut short by its own length is read whole.
    auto cutFirst = readBytes(cases[7].bytes);
    ASSERT_EQ(cutFirst.doc.tracks.size(), 2u);
    EXPECT_EQ(cutFirst.doc.tracks[1].events.size(), 2u);
    EXPECT_EQ(cutFirst.doc.tracks[1].events[1].channel(), 1);
}

TEST(MidiReader, EveryTruncationOfAFileReadsAsFarAsItGoes) {
    const Bytes file = validFile();
    const std::size_t firstTrackData = 14 + 8; // header chunk and the first track's chunk header
    std::size_t previousEvents = 0;
    for (std::size_t size = 0; size <= file.size(); ++size) {
        SCOPED_TRACE(size);
        auto read = readBytes(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size)));
        EXPECT_EQ(read.result.ok, size >= firstTrackData);
        std::size_t events = 0;
        for (const auto& track : read.doc.tracks)
            events += track.events.size();
        EXPECT_GE(events, previousEvents); // more bytes never give fewer events
        previousEvents = events;
    }
    EXPECT_EQ(previousEvents, 8u);
}

} // namespace
} // namespace plexo
