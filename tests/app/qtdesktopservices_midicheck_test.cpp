// A MIDI shortcut plays a file only once Plexo's own MIDI reader accepted it:
// a damaged file is refused with the reader's reason before the synthesizer
// (FluidSynth) is made or given anything.
#include "apptestsupport.h"

#include "app/qtdesktopservices.h"
#include "support/storefixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

namespace fs = std::filesystem;

const std::string kHeader = std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14);

TEST(QtDesktopServicesMidiCheck, DamagedMidiFilesNeverReachTheSynthesizer) {
    test::TemporaryFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        std::string reason; // the reader's refusal; empty: accepted by the reader
    } cases[] = {
        {"entete.mid", kHeader, "aucune piste \"MTrk\""},
        // A data byte with no status before it; a status byte where a data byte goes.
        {"statut.mid", kHeader + std::string("MTrk\0\0\0\4\0\x3C\x40\0", 12), "*"},
        {"octet.mid", kHeader + std::string("MTrk\0\0\0\4\0\x90\xC0\x40", 12), "*"},
        {"vide.mid", "", "en-tête \"MThd\" absent"},
        {"bon.mid", kHeader + std::string("MTrk\0\0\0\4\0\xFF\x2F\0", 12), ""},
    };
    for (const auto& c : cases) {
        std::ofstream(folder / c.name, std::ios::binary) << c.bytes;
        QtDesktopServices services;
        // No SoundFont: a file the reader accepts stops at the synthesizer's first need.
        services.soundFonts = {folder / "aucune.sf2"};
        test::ScriptedUserInterface ui;
        const MediaResult opened = services.openMidi(folder / c.name);
        EXPECT_FALSE(opened.ok);
        EXPECT_FALSE(services.midiOpen());
        const std::string refused = "Le fichier '" + (folder / c.name).string() +
                                    "' n'est pas un fichier Midi.\nLe lecteur Midi de Plexo le refuse : ";
        if (c.reason.empty()) {
            EXPECT_EQ(opened.errorText.rfind("Aucune banque de sons", 0), 0u) << opened.errorText;
        } else {
            EXPECT_EQ(opened.errorText.rfind(refused, 0), 0u) << c.name << " " << opened.errorText;
            if (c.reason != "*") {
                EXPECT_EQ(opened.errorText, refused + c.reason + ".");
            }
        }
    }
}

} // namespace
} // namespace plexo
