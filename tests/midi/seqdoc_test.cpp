#include "midi/midicommand.h"
#include "midi/seqdoc.h"
#include "smfbuilder.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace plexo {
namespace {

using test::Bytes;
using test::TrackBuilder;
using test::operator+;

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(SeqDoc, ANewDocumentHoldsOneMasterTrackAndSavesItAsSuch) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    seqDoc doc;
    ASSERT_TRUE(doc.open({}));
    ASSERT_EQ(doc.tracks.size(), 1u);
    ASSERT_EQ(doc.tracks[0].events.size(), 1u);
    EXPECT_EQ(doc.tracks[0].events[0].kind, kMidiTrackName);
    EXPECT_EQ(doc.tracks[0].events[0].time, 0);
    EXPECT_EQ(doc.trackName(0), "Master");
    EXPECT_EQ(doc.title(), "Sans titre : Séquence ");
    EXPECT_EQ(doc.typeName(), "Séquence");

    const auto path = folder / "nouveau.mid";
    doc.setPath(path);
    ASSERT_TRUE(doc.commit(true));
    EXPECT_TRUE(log.contains("Sauvegarde de '" + path.string() + "'"));
    const Bytes expected = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96,
                            'M', 'T', 'r', 'k', 0, 0, 0, 14,
                            0x00, 0xFF, 0x03, 6, 'M', 'a', 's', 't', 'e', 'r',
                            0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(readFile(path), expected);

    seqDoc again;
    ASSERT_TRUE(again.open(path));
    ASSERT_EQ(again.tracks.size(), 1u);
    EXPECT_EQ(again.trackName(0), "Master");
    // The file's only other event is the end of track that every track carries.
    ASSERT_EQ(again.tracks[0].events.size(), 2u);
    EXPECT_EQ(again.tracks[0].events[1].kind, kMidiEndOfTrack);
    EXPECT_EQ(again.title(), "nouveau.mid (Séquence)");
    EXPECT_FALSE(again.isModified());
}

TEST(SeqDoc, AFileThatCannotBeReadIsReportedAndLeavesNoTracks) {
    test::TemporaryFolder folder;
    TrackBuilder badTempo;
    badTempo.text(0, 0x03, "Piano").meta(0, 0x51, {0x07, 0xA1}).end();
    struct Case {
        const char* name;
        bool exists;
        Bytes bytes;
        const char* detail; // the "*** ..." line, empty for none
    };
    const Case cases[] = {
        {"absent.mid", false, {}, ""},
        {"tempo.mid", true, test::midiFile({badTempo}), "longueur incorrecte de l'événement méta 0x51"},
        {"vide.mid", true, {}, "en-tête \"MThd\" absent"},
        {"statut.mid", true, test::header(1, 1) + test::chunk("MTrk", {0x00, 0xF1, 0x00}), "statut 0xF1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = folder / c.name;
        if (c.exists)
            writeFile(path, c.bytes);
        test::RecordingLog log;
        test::ScriptedUserInterface ui;
        seqDoc doc;
        EXPECT_FALSE(doc.open(path));
        EXPECT_TRUE(doc.tracks.empty());
        EXPECT_TRUE(log.contains("Chargement de '" + path.string() + "'"));
        ASSERT_FALSE(log.messages.empty());
        EXPECT_EQ(log.messages.back().text, "Impossible d'ouvrir '" + path.string() + "'");
        EXPECT_EQ(log.messages.back().severity, kError);
        if (*c.detail) {
            EXPECT_TRUE(log.contains(c.detail));
        }
        EXPECT_EQ(ui.busyDepth, 0);
        EXPECT_EQ(ui.busyCount, 1);
    }
}

TEST(SeqDoc, SavingWritesBackTheDivisionAndRecomputesDeltas) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    TrackBuilder track;
    track.text(0, 0x03, "Basse").event(0, {0x90, 40, 100}).event(48, {40, 0}).end(48);
    const auto path = folder / "basse.mid";
    writeFile(path, test::midiFile({track}, 0xE7, 0x28));
    seqDoc doc;
    ASSERT_TRUE(doc.open(path));
    doc.tracks[0].events[2].time = 60; // the note now ends later
    doc.setModified();
    const auto copy = folder / "copie.mid";
    doc.setPath(copy);
    ASSERT_TRUE(doc.save());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.tracks[0].events[2].delta, 60);
    EXPECT_EQ(doc.tracks[0].events[3].delta, 36);
    seqDoc again;
    ASSERT_TRUE(again.open(copy));
    EXPECT_EQ(again.divisionHigh, 0xE7);
    EXPECT_EQ(again.divisionLow, 0x28);
    EXPECT_EQ(again.tracks[0].events[2].time, 60);
    EXPECT_EQ(again.tracks[0].trackLength(), 96);
    EXPECT_EQ(again.tracks[0].noteEndOf(1), &again.tracks[0].events[2]);
}

TEST(SeqDoc, AFailedSaveKeepsTheSavedFileAndTheModifiedFlag) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    test::ScriptedUserInterface ui;
    const auto path = folder / "garde.mid";
    seqDoc doc;
    doc.setPath(path);
    ASSERT_TRUE(doc.commit(true));
    const Bytes saved = readFile(path);

    // Events out of time order cannot be written: the file stays as it was.
    MidiEvent early;
    early.kind = kMidiTimingClock;
    early.time = -5;
    doc.tracks[0].events.push_back(early);
    doc.setModified();
    EXPECT_FALSE(doc.commit(false));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(readFile(path), saved);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Impossible d'enregistrer le fichier");
    EXPECT_EQ(ui.boxes[0].caption, path.string());
    EXPECT_FALSE(std::filesystem::exists(folder / "garde.mid.tmp"));

    // A folder that does not exist.
    seqDoc other;
    other.setPath(folder / "absent" / "x.mid");
    EXPECT_FALSE(other.commit(true));
    EXPECT_EQ(ui.boxes.size(), 2u);

    // Unmodified and not forced: nothing is written.
    seqDoc untouched;
    untouched.setPath(folder / "rien.mid");
    EXPECT_TRUE(untouched.commit(false));
    EXPECT_FALSE(std::filesystem::exists(folder / "rien.mid"));
}

TEST(MidiCommand, DumpsTheFileAndWritesItBack) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    TrackBuilder track;
    track.text(0, 0x03, "Fl\xfbte").event(0, {0x91, 72, 80}).meta(24, 0x51, {0x07, 0xA1, 0x20}).event(0, {72, 0})
        .sysEx(0, 0xF0, {0x41, 0xF7}).end(24);
    const auto in = folder / "in.mid";
    const auto out = folder / "out.mid";
    writeFile(in, test::midiFile({track}));
    std::string inArg = in.string(), outArg = out.string();
    char verb[] = "midi", dashO[] = "-o";
    char* argv[] = {verb, inArg.data(), dashO, outArg.data()};
    testing::internal::CaptureStdout();
    const int code = runMidiCommand(4, argv);
    const std::string dump = testing::internal::GetCapturedStdout();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(dump, "MThd format 1, 1 pistes annoncées, 1 lues, division 00 60\n"
                    "MTrk 0 : 6 événements, longueur 48, nom \"Flûte\"\n"
                    "0\t3\tnom de piste\t\"Flûte\"\n"
                    "0\t17\tnote on\tcanal 1 48 50\n"
                    "24\t11\ttempo\t07 A1 20\n"
                    "24\t17\tnote on\tcanal 1 48 00\n"
                    "24\t23\tsystème exclusif\t41 F7\n"
                    "48\t10\tfin de piste\t\n");
    seqDoc written;
    ASSERT_TRUE(written.open(out));
    EXPECT_EQ(dumpSequence(written), dump);

    char* bad[] = {verb};
    EXPECT_EQ(runMidiCommand(1, bad), 2);
    std::string absent = (folder / "absent.mid").string();
    char* missing[] = {verb, absent.data()};
    EXPECT_EQ(runMidiCommand(2, missing), 1);
}

} // namespace
} // namespace plexo
