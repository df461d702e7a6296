#include "fakesynthesizer.h"
#include "midi/midireader.h"
#include "midi/seqdoc.h"
#include "midi/seqplayer.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::FakeSynthesizer;

MidiEvent at(std::int32_t kind, std::int32_t time, std::array<std::uint8_t, 6> bytes = {}) {
    MidiEvent e;
    e.kind = kind;
    e.time = time;
    e.bytes = bytes;
    return e;
}

// Two tracks at 96 ticks a quarter, 60 quarters a minute (a second a quarter); the longer ends at 384.
seqDoc twoTracks() {
    seqDoc doc;
    doc.tracks.resize(2);
    doc.tracks[0].events = {at(kMidiTempo, 0, {0x0F, 0x42, 0x40}), at(kMidiEndOfTrack, 0)};
    doc.tracks[1].events = {at(kMidiNoteOn, 0, {0, 60, 90}), at(kMidiNoteOn, 384, {0, 60, 0}),
                            at(kMidiEndOfTrack, 384)};
    for (auto& track : doc.tracks)
        track.linkNoteEnds();
    return doc;
}

TEST(SeqPlayer, PlaysTheWholeDocumentAndFollowsTheClockToTheEnd) {
    FakeSynthesizer synth;
    std::int64_t now = 7000000;
    SeqPlayer player([&now] { return now; });
    const seqDoc doc = twoTracks();
    EXPECT_TRUE(SeqPlayer::available());
    EXPECT_EQ(player.position(), -1);

    ASSERT_TRUE(player.play(doc));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(synth.plays, 1);
    // The file handed over is the document itself.
    seqDoc played;
    ASSERT_TRUE(readStandardMidiFile(synth.bytes, played).ok);
    ASSERT_EQ(played.tracks.size(), 2u);
    EXPECT_EQ(played.tracks[1].events.size(), 3u);
    EXPECT_EQ(synth.opened, player.file());
    EXPECT_TRUE(std::filesystem::exists(player.file()));
    EXPECT_EQ(player.endTick(), 384);

    EXPECT_EQ(player.position(), 0);
    now += 1500000; // a quarter and a half
    EXPECT_EQ(player.position(), 144);
    now += 2500000;
    EXPECT_EQ(player.position(), 384);
    const auto file = player.file();
    now += 20000; // past the end: the playing stops and the file goes
    EXPECT_EQ(player.position(), -1);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_GE(synth.stops, 2); // before playing, and at the end
}

TEST(SeqPlayer, AFailureIsShownAndNothingPlays) {
    FakeSynthesizer synth;
    test::ScriptedUserInterface ui;
    SeqPlayer player([] { return 0; });
    const seqDoc doc = twoTracks();

    synth.openResult = {false, "Aucune sortie audio"};
    EXPECT_FALSE(player.play(doc));
    EXPECT_FALSE(player.isPlaying());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Aucune sortie audio");
    EXPECT_FALSE(std::filesystem::exists(synth.opened));

    synth.openResult = {true, {}};
    synth.playResult = {false, {}};
    EXPECT_FALSE(player.play(doc));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, "Impossible d'exécuter le fichier Midi (2)");
    EXPECT_EQ(ui.boxes[1].caption, "Midi");

    // Events out of time order cannot be written: the writer's reason is shown.
    seqDoc disordered = twoTracks();
    disordered.tracks[1].events[0].time = 500;
    synth.playResult = {true, {}};
    EXPECT_FALSE(player.play(disordered));
    EXPECT_EQ(ui.boxes.size(), 3u);

    synth.available = false;
    EXPECT_FALSE(SeqPlayer::available());
}

} // namespace
} // namespace plexo
