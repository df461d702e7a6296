#include "midi/eventtext.h"
#include "midi/seqgeometry.h"
#include "midi/seqtime.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

MidiEvent event(std::int32_t kind, std::int32_t time, std::array<std::uint8_t, 6> bytes = {}) {
    MidiEvent e;
    e.kind = kind;
    e.time = time;
    e.bytes = bytes;
    return e;
}

MidiEvent text(std::int32_t kind, std::int32_t time, const std::string& data) {
    MidiEvent e = event(kind, time);
    e.data.assign(data.begin(), data.end());
    return e;
}

TEST(EventText, KeyNamesFromCMinusOneToG9) {
    EXPECT_EQ(keyName(0), "C-1");
    EXPECT_EQ(keyName(1), "C#-1");
    EXPECT_EQ(keyName(60), "C4");
    EXPECT_EQ(keyName(69), "A4");
    EXPECT_EQ(keyName(120), "C9");
    EXPECT_EQ(keyName(127), "G9");
    EXPECT_EQ(keyName(128), "");
    EXPECT_EQ(keyName(-1), "");
    const bool black[12] = {false, true, false, true, false, false, true, false, true, false, true, false};
    for (int key = 48; key < 60; ++key)
        EXPECT_EQ(isBlackKey(key), black[key - 48]) << key;
}

TEST(EventText, TheTooltipOfEachKindOfEvent) {
    MidiPiste track;
    track.events = {
        text(kMidiTrackName, 0, "Basse \xe9lectrique"), // 0
        event(kMidiTempo, 0, {0x07, 0xA1, 0x20}),       // 1: 500,000 µs
        event(kMidiTimeSignature, 0, {6, 3, 24, 8}),    // 2
        event(kMidiKeySignature, 0, {0xFD, 1}),         // 3: 3 flats, minor
        event(kMidiKeySignature, 0, {1, 0}),            // 4
        event(kMidiProgramChange, 0, {2, 33}),          // 5
        event(kMidiControlChange, 10, {2, 7, 100}),     // 6
        event(kMidiNoteOn, 96, {2, 40, 100}),           // 7: ended at 144
        event(kMidiPolyPressure, 100, {2, 40, 30}),     // 8
        event(kMidiChannelPressure, 110, {2, 20}),      // 9
        event(kMidiPitchBend, 120, {2, 0x00, 0x30}),    // 10: 6144 - 8192
        event(kMidiNoteOn, 144, {2, 40, 0}),            // 11
        event(kMidiNoteOff, 150, {9, 36, 64}),          // 12
        event(kMidiNoteOn, 300, {15, 127, 1}),          // 13: ended by the end of track
        event(kMidiSysEx, 400),                         // 14
        event(kMidiEndOfTrack, 480),                    // 15
    };
    track.events[14].data = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
    track.linkNoteEnds();
    const SeqTimeline timeline(96, {{0, 6, 3}});
    const char* const expected[] = {
        "Temps : 0 (1:0:0)\nNom de piste : « Basse électrique »",
        "Temps : 0 (1:0:0)\nTempo : 120 noires par minute (500000 µs par noire)",
        "Temps : 0 (1:0:0)\nMesure 6/8",
        "Temps : 0 (1:0:0)\nTonalité : 3 bémols, mineur",
        "Temps : 0 (1:0:0)\nTonalité : 1 dièse, majeur",
        "Temps : 0 (1:0:0)\nProgramme 33, canal 3",
        "Temps : 10 (1:0:10)\nContrôleur 7, canal 3, valeur 100",
        "Temps : 96 (1:2:0)\nNote E2 (40), canal 3, vélocité 100\nDurée : 48",
        "Temps : 100 (1:2:4)\nPression polyphonique E2 (40), canal 3, valeur 30",
        "Temps : 110 (1:2:14)\nPression de canal, canal 3, valeur 20",
        "Temps : 120 (1:2:24)\nVariation de hauteur, canal 3, valeur -2048",
        "Temps : 144 (1:3:0)\nFin de note E2 (40), canal 3, vélocité 0",
        "Temps : 150 (1:3:6)\nFin de note C2 (36), canal 10, vélocité 64",
        "Temps : 300 (2:0:12)\nNote G9 (127), canal 16, vélocité 1\nDurée : 180",
        "Temps : 400 (2:2:16)\nSystème exclusif (5 octets)",
        "Temps : 480 (2:4:0)\nFin de piste",
    };
    ASSERT_EQ(std::size(expected), track.events.size());
    for (std::size_t i = 0; i < track.events.size(); ++i)
        EXPECT_EQ(eventTooltip(track, i, timeline), expected[i]) << i;
    EXPECT_EQ(eventTooltip(track, 99, timeline), "");
    track.events.pop_back(); // without the end of track, nothing ends the last note
    track.linkNoteEnds();
    EXPECT_EQ(eventTooltip(track, 13, timeline),
              "Temps : 300 (2:0:12)\nNote G9 (127), canal 16, vélocité 1\nDurée : sans fin");
    // A long text is cut, not the tooltip made as wide as the screen.
    MidiPiste lyrics;
    lyrics.events = {text(kMidiLyric, 0, std::string(200, 'a'))};
    EXPECT_EQ(eventTooltip(lyrics, 0, timeline),
              "Temps : 0 (1:0:0)\nParoles : « " + std::string(60, 'a') + "… »");
}

TEST(EventText, ThePointedEventIsFoundOnTheDrawing) {
    MidiPiste track;
    track.events = {event(kMidiProgramChange, 0, {0, 5}), event(kMidiNoteOn, 100, {0, 60, 90}),
                    event(kMidiNoteOn, 148, {0, 60, 0}), event(kMidiNoteOn, 120, {0, 60, 90}),
                    event(kMidiNoteOff, 200, {0, 60, 0})};
    track.linkNoteEnds();
    // 100 %: the program change is the square (0, 0)-(2, 2); the notes at y 600..609.
    EXPECT_EQ(eventAt(track, 5, {1, 1}), 0u);
    EXPECT_EQ(eventAt(track, 5, {3, 3}), 0u); // near enough to point at the small square
    EXPECT_EQ(eventAt(track, 5, {110, 605}), 1u);
    EXPECT_EQ(eventAt(track, 5, {130, 605}), 3u); // the later note is drawn over the earlier one
    EXPECT_EQ(eventAt(track, 5, {180, 605}), 3u);
    EXPECT_FALSE(eventAt(track, 5, {110, 620}));
    EXPECT_FALSE(eventAt(track, 5, {300, 605}));
    EXPECT_EQ(eventAt(track, 8, {220, 615}), 1u); // 200 %: x 200..296, y 600..618
}

} // namespace
} // namespace plexo
