// The editor's desktop services, driven through the schéma document as the
// commands do: MIDI playback failures and their messages (no sound device here),
// the internet shortcut file and its handover, the mail command line.
#include "apptestsupport.h"

#include "app/qtdesktopservices.h"
#include "base/textcodec.h"
#include "support/storefixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUserInterface;
using test::TemporaryFolder;

// The services installed for the test's life.
class Installed {
public:
    explicit Installed(QtDesktopServices& services) { setDesktopServices(&services); }
    ~Installed() { setDesktopServices(nullptr); }
};

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// The smallest Standard MIDI File: format 0, one track holding only its end.
const std::string kTinyMidi =
    std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14) + std::string("MTrk\0\0\0\4\0\xFF\x2F\0", 12);

TEST(QtDesktopServices, MidiFailuresExplainWhatIsMissing) {
    TemporaryFolder folder;
    writeBytes(folder / "chant.mid", kTinyMidi);
    writeBytes(folder / "faux.mid", "pas du tout un fichier midi");
    writeBytes(folder / "abime.sf2", "RIFF????sfbk garbage");
    // The small General MIDI SoundFont first: loading the large one takes seconds.
    auto candidates = QtDesktopServices::defaultSoundFonts();
    candidates.insert(candidates.begin(), "/usr/share/sounds/sf2/TimGM6mb.sf2");
    const auto installed = QtDesktopServices::findSoundFont(candidates);

    struct Case {
        const char* midi;
        std::vector<fs::path> soundFonts;
        QString driver;
        std::string expectedStart;
    } cases[] = {
        {"absent.mid",
         {folder / "abime.sf2"},
         {},
         "Le fichier Midi '" + (folder / "absent.mid").string() + "' est introuvable."},
        {"faux.mid",
         {folder / "abime.sf2"},
         {},
         "Le fichier '" + (folder / "faux.mid").string() + "' n'est pas un fichier Midi."},
        {"chant.mid",
         {folder / "aucune.sf2", "/nulle/part/default.sf2"},
         {},
         "Aucune banque de sons SoundFont n'a été trouvée (" + (folder / "aucune.sf2").string() +
             ", /nulle/part/default.sf2).\nInstallez le paquet fluid-soundfont-gm"},
        {"chant.mid",
         {folder / "aucune.sf2", folder / "abime.sf2"},
         {},
         "La banque de sons '" + (folder / "abime.sf2").string() + "' est illisible."},
    };
    for (const auto& c : cases) {
        QtDesktopServices services;
        services.soundFonts = c.soundFonts;
        services.audioDriver = c.driver;
        Installed scope(services);
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.setPath(folder / "plan.dls");
        Folio& folio = *doc.folios.front();
        folio.append(test::makeShape(kMidiShortcut, {{0, 0}, {1, 1}}, c.midi));
        ScriptedUserInterface ui;
        EXPECT_FALSE(doc.playMidiShortcut(folio)) << c.midi;
        ASSERT_EQ(ui.boxes.size(), 1u) << c.midi;
        EXPECT_EQ(ui.boxes[0].text.rfind(c.expectedStart, 0), 0u) << ui.boxes[0].text;
        EXPECT_EQ(ui.boxes[0].caption,
                  "open \"sequencer!" + (folder / c.midi).string() + "\" alias sequence");
        EXPECT_FALSE(services.midiOpen());
        doc.close();
    }

    // "play" without an open sequence, and "stop"/"close" with none, are harmless.
    QtDesktopServices services;
    MediaResult played = services.playMidi();
    EXPECT_FALSE(played.ok);
    EXPECT_EQ(played.errorText, "Aucun fichier Midi n'est ouvert.");
    services.stopMidi();

    if (!installed)
        GTEST_SKIP() << "no SoundFont installed: the audio output case needs one";
    // A real SoundFont but no audio output to open.
    services.soundFonts = {*installed};
    services.audioDriver = "aucun-pilote";
    MediaResult opened = services.openMidi(folder / "chant.mid");
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.errorText.rfind("Aucune sortie audio n'a pu être ouverte", 0), 0u) << opened.errorText;
    EXPECT_FALSE(services.midiOpen());

    // Rendered to a file instead of a sound card: "open", "play" (the player
    // runs on FluidSynth's thread, the call returns at once), then "stop".
    services.audioDriver = "file";
    services.audioFile = QString::fromStdString((folder / "rendu.raw").string());
    services.soundFonts = {*installed};
    MediaResult rendered = services.openMidi(folder / "chant.mid");
    ASSERT_TRUE(rendered.ok) << rendered.errorText;
    EXPECT_TRUE(services.midiOpen());
    EXPECT_TRUE(services.playMidi().ok);
    services.stopMidi();
    EXPECT_FALSE(services.midiOpen());
}

TEST(QtDesktopServices, SoundFontsAreLookedForInTheUsualPlacesInOrder) {
    const auto places = QtDesktopServices::defaultSoundFonts();
    ASSERT_GE(places.size(), 3u);
    EXPECT_EQ(places[0], fs::path("/usr/share/sounds/sf2/FluidR3_GM.sf2"));
    EXPECT_EQ(places[1], fs::path("/usr/share/sounds/sf2/default-GM.sf2"));
    EXPECT_EQ(places[2], fs::path("/usr/share/soundfonts/default.sf2"));
    TemporaryFolder folder;
    writeBytes(folder / "b.sf2", "x");
    fs::create_directories(folder / "dossier.sf2");
    EXPECT_EQ(QtDesktopServices::findSoundFont({folder / "a.sf2", folder / "dossier.sf2", folder / "b.sf2"}),
              folder / "b.sf2");
    EXPECT_EQ(QtDesktopServices::findSoundFont({folder / "a.sf2"}), std::nullopt);
}

TEST(QtDesktopServices, InternetShortcutsReachTheUrlHandler) {
    TemporaryFolder folder;
    struct Case {
        std::string text; // the object's text (Windows-1252)
        bool handlerAccepts;
        QUrl expected; // empty: nothing handed over
    } cases[] = {
        {"https://exemple.fr/plans?a=1&b=2", true, QUrl("https://exemple.fr/plans?a=1&b=2")},
        {"www.exemple.fr", true, QUrl("http://www.exemple.fr")},
        {"http://caf\xE9.fr/", true, QUrl(QString::fromUtf8("http://café.fr/"))},
        {"https://exemple.fr/refus", false, QUrl("https://exemple.fr/refus")},
    };
    for (const auto& c : cases) {
        QtDesktopServices services;
        services.shortcutFolderPath = folder.path();
        std::vector<QUrl> handed;
        services.openUrl = [&](const QUrl& url) {
            handed.push_back(url);
            return c.handlerAccepts;
        };
        Installed scope(services);
        test::RecordingLog log;
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        Folio& folio = *doc.folios.front();
        auto shape = test::makeShape(kText, {{0, 0}, {1000, 1000}}, c.text);
        shape->selected = true;
        folio.append(std::move(shape));
        EXPECT_EQ(doc.openInternetShortcut(folio), c.handlerAccepts) << c.text;
        EXPECT_EQ(test::readWholeFile(folder / "plexo.url"),
                  "[InternetShortcut]\r\nURL=" + cp1252ToUtf8(c.text) + "\r\n");
        ASSERT_EQ(handed.size(), 1u) << c.text;
        EXPECT_EQ(handed[0], c.expected);
        EXPECT_EQ(log.contains("*** Impossible d'ouvrir l'adresse"), !c.handlerAccepts) << c.text;
        doc.close();
    }
    // A file without an address is not handed over.
    writeBytes(folder / "vide.url", "[InternetShortcut]\r\n");
    EXPECT_EQ(QtDesktopServices::urlOfShortcutFile(folder / "vide.url"), QString());
    EXPECT_EQ(QtDesktopServices::urlOfShortcutFile(folder / "absent.url"), QString());
}

TEST(QtDesktopServices, MailStartsXdgEmailWithTheDocumentAttached) {
    TemporaryFolder folder;
    const fs::path document = folder / "plan à envoyer.dls";
    QtDesktopServices services;
    services.mailProgram = "/usr/bin/xdg-email";
    std::vector<std::pair<QString, QStringList>> started;
    bool starts = true;
    services.startDetached = [&](const QString& program, const QStringList& arguments) {
        started.emplace_back(program, arguments);
        return starts;
    };
    EXPECT_EQ(QtDesktopServices::mailArguments(document),
              (QStringList{"--attach", QString::fromUtf8(document.string().c_str())}));
    const QStringList relative = QtDesktopServices::mailArguments("plan.dls");
    EXPECT_TRUE(QFileInfo(relative.at(1)).isAbsolute());

    Installed scope(services);
    ScriptedUserInterface ui;
    EXPECT_TRUE(services.hasMailService());
    EXPECT_TRUE(services.mailFile(document));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].first, "/usr/bin/xdg-email");
    EXPECT_EQ(started[0].second, QtDesktopServices::mailArguments(document));
    EXPECT_TRUE(ui.boxes.empty());

    starts = false;
    EXPECT_FALSE(services.mailFile(document));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "Impossible de lancer la messagerie (xdg-email) pour envoyer '" + document.string() + "'.");
    EXPECT_EQ(ui.boxes[0].caption, "Envoi du document");

    services.mailProgram.clear();
    EXPECT_FALSE(services.hasMailService());
    EXPECT_FALSE(services.mailFile(document));
    EXPECT_EQ(started.size(), 2u);
}

TEST(QtDesktopServices, SendingIsDisabledWithoutAMailService) {
    test::KindsSnapshot kinds;
    test::FakeKindRecord schemas;
    registerDocumentKind(test::fakeKind(QString::fromUtf8("Schéma"), "dls", schemas));
    schemas.commandsEnabled = {786};
    test::RunningApp running;
    running.app->openDocumentByPath(QString::fromStdString((running.home / "a.dls").string()));
    for (bool withMail : {true, false}) {
        running.app->desktop().mailProgram = withMail ? "/usr/bin/xdg-email" : "";
        running.frame().updateCommands();
        EXPECT_EQ(running.action(786).isEnabled(), withMail);
    }
}

} // namespace
} // namespace plexo
