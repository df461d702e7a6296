// A document received from someone else makes Plexo write only its own private
// files and the files the user saves, never run a program, and ask before
// handing anything but a web or mail address to the desktop.
#include "store/saodoc.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/desktopservices.h"
#include "base/objfile.h"
#include "base/privatefile.h"
#include "store/folio.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <iterator>

namespace plexo {
namespace {

using test::makeShape;
namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void saveSimpleDocument(const fs::path& path) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    doc.setPath(path);
    doc.setModified();
    ASSERT_TRUE(doc.commit(false));
}

struct RecordingDesktop : DesktopServices {
    RecordingDesktop() { setDesktopServices(this); }
    ~RecordingDesktop() override { setDesktopServices(nullptr); }
    MediaResult openMidi(const fs::path& file) override {
        midiFiles.push_back(file);
        return {true, {}};
    }
    MediaResult playMidi() override { return {true, {}}; }
    fs::path shortcutFolder() override { return folder; }
    bool openUrlFile(const fs::path& file) override {
        urls.push_back(readText(file));
        return true;
    }
    std::vector<fs::path> midiFiles;
    std::vector<std::string> urls;
    fs::path folder;
};

TEST(SaoDocSafety, AWorkingCopyIsNeverMadeThroughALinkBesideTheDocument) {
    test::TemporaryFolder folder;
    test::TemporaryFolder elsewhere;
    const fs::path dangling = folder / "recu.dls";
    const fs::path linked = folder / "autre.dls";
    saveSimpleDocument(dangling);
    saveSimpleDocument(linked);
    // One link points where no file is, the other at a file of the user's.
    fs::create_symlink(elsewhere / "cree-par-plexo", folder / "recu.dls.tmp");
    writeText(elsewhere / "precieux", "à garder");
    fs::create_symlink(elsewhere / "precieux", folder / "autre.dls.tmp");

    for (const fs::path& path : {dangling, linked}) {
        test::ScriptedUserInterface ui;
        saoDoc doc;
        ASSERT_TRUE(doc.open(path)) << path;
        // The taken name is skipped: the working copy goes to the private folder.
        ASSERT_NE(doc.workingCopy(), nullptr);
        EXPECT_EQ(fs::path(doc.workingCopy()->path()).parent_path(), privateFolder()) << path;
        EXPECT_TRUE(ui.boxes.empty());
        doc.setModified();
        EXPECT_TRUE(doc.commit(false));
        doc.close();
    }
    EXPECT_FALSE(fs::exists(elsewhere / "cree-par-plexo"));
    EXPECT_EQ(readText(elsewhere / "precieux"), "à garder");
    EXPECT_TRUE(fs::is_symlink(folder / "recu.dls.tmp"));
    EXPECT_TRUE(fs::is_symlink(folder / "autre.dls.tmp"));
}

TEST(SaoDocSafety, UntitledWorkingCopiesSkipLinksInThePrivateFolder) {
    test::TemporaryFolder elsewhere;
    writeText(elsewhere / "precieux", "à garder");
    // The names of this second and the next are taken by links.
    const std::time_t now = std::time(nullptr);
    std::vector<fs::path> planted;
    for (std::time_t t : {now, now + 1}) {
        const fs::path name = saoDoc::untitledWorkingCopyPath(t);
        if (!nameTaken(name)) {
            fs::create_symlink(elsewhere / "precieux", name);
            planted.push_back(name);
        }
    }
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    const fs::path copy = doc.workingCopy()->path();
    for (const fs::path& link : planted)
        EXPECT_NE(copy, link);
    EXPECT_TRUE(isPrivateFolder(copy.parent_path()));
    doc.close();
    EXPECT_EQ(readText(elsewhere / "precieux"), "à garder");
    for (const fs::path& link : planted) {
        EXPECT_TRUE(fs::is_symlink(link));
        fs::remove(link);
    }
}

TEST(SaoDocSafety, SavingReplacesALinkAtTheNewFilesNameWithoutFollowingIt) {
    test::TemporaryFolder folder;
    test::TemporaryFolder elsewhere;
    const fs::path path = folder / "plan.dls";
    saveSimpleDocument(path);
    writeText(elsewhere / "precieux", "à garder");
    fs::create_symlink(elsewhere / "precieux", folder / "plan.dls.new");
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    doc.setModified();
    EXPECT_TRUE(doc.commit(false));
    doc.close();
    EXPECT_EQ(readText(elsewhere / "precieux"), "à garder");
    EXPECT_FALSE(fs::exists(folder / "plan.dls.new"));
    ObjFile saved;
    ASSERT_TRUE(saved.open(path.string(), false, 0, 0, false));
    EXPECT_EQ(saved.kindAndVersion(),
              (std::pair<char, std::int32_t>{kDocumentFileKind, kDocumentFileVersion}));
}

TEST(SaoDocSafety, InternetShortcutsAskBeforeAnythingButWebAndMailAndNeverRunAProgram) {
    test::TemporaryFolder folder;
    test::TemporaryFolder elsewhere;
    RecordingDesktop desktop;
    desktop.folder = folder.path();
    writeText(elsewhere / "precieux", "à garder");
    fs::create_symlink(elsewhere / "precieux", folder / "plexo.url");
    writeText(folder / "outil", "#!/bin/sh\n");
    fs::permissions(folder / "outil", fs::perms::owner_all);
    writeText(folder / "notice.txt", "");
    const std::string outil = (folder / "outil").string();
    const std::string notice = (folder / "notice.txt").string();

    struct Case {
        std::string text;
        MessageAnswer answer; // to the question, when one is asked
        std::string box;      // the message shown; empty: none
        MessageButtons buttons;
        std::string url; // the address handed to the desktop; empty: none
    } cases[] = {
        {"https://exemple.fr", MessageAnswer::Yes, "", MessageButtons::Ok, "https://exemple.fr"},
        {"mailto:atelier@exemple.fr", MessageAnswer::Yes, "", MessageButtons::Ok,
         "mailto:atelier@exemple.fr"},
        {notice, MessageAnswer::Yes,
         "Ce raccourci ouvre « " + notice +
             " », qui n'est pas une adresse Web ou de messagerie.\n"
             "Voulez-vous l'ouvrir ?",
         MessageButtons::YesNo, "file://" + notice},
        {"smb://serveur/partage", MessageAnswer::No,
         "Ce raccourci ouvre « smb://serveur/partage », qui n'est pas une adresse Web ou de messagerie.\n"
         "Voulez-vous l'ouvrir ?",
         MessageButtons::YesNo, ""},
        {outil, MessageAnswer::Yes, "« " + outil + " » est un programme : Plexo ne l'exécute pas.",
         MessageButtons::Ok, ""},
        {"C:\\Windows\\notepad.exe", MessageAnswer::Yes,
         "L'adresse « C:\\Windows\\notepad.exe » ne peut pas être ouverte.", MessageButtons::Ok, ""},
    };
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    Folio& folio = *doc.folios.front();
    Shape& link = folio.append(makeShape(kText, {{0, 0}, {1, 1}}));
    link.selected = true;
    for (const auto& c : cases) {
        test::ScriptedUserInterface ui;
        ui.answers.push_back(c.answer);
        desktop.urls.clear();
        link.data = c.text;
        EXPECT_EQ(doc.openInternetShortcut(folio), !c.url.empty()) << c.text;
        if (c.box.empty()) {
            EXPECT_TRUE(ui.boxes.empty()) << c.text;
        } else {
            ASSERT_EQ(ui.boxes.size(), 1u) << c.text;
            EXPECT_EQ(ui.boxes[0].text, c.box);
            EXPECT_EQ(ui.boxes[0].caption, "Raccourci Internet");
            EXPECT_EQ(ui.boxes[0].buttons, c.buttons);
        }
        if (c.url.empty()) {
            EXPECT_TRUE(desktop.urls.empty()) << c.text;
        } else {
            ASSERT_EQ(desktop.urls.size(), 1u) << c.text;
            EXPECT_EQ(desktop.urls[0], "[InternetShortcut]\r\nURL=" + c.url + "\r\n");
        }
    }
    // The link planted at the shortcut file's name was replaced, not followed.
    EXPECT_EQ(readText(elsewhere / "precieux"), "à garder");
    EXPECT_FALSE(fs::is_symlink(folder / "plexo.url"));
}

TEST(SaoDocSafety, MidiShortcutsResolveRelativePathsAgainstTheDocumentOnly) {
    RecordingDesktop desktop;
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    EXPECT_EQ(doc.midiShortcutPath("musique/chant.mid"), fs::path());
    Folio& folio = *doc.folios.front();
    folio.append(makeShape(kMidiShortcut, {{0, 0}, {1, 1}}, "musique\\chant.mid"));
    {
        test::ScriptedUserInterface ui;
        EXPECT_FALSE(doc.playMidiShortcut(folio));
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text,
                  "Le raccourci Midi 'musique\\chant.mid' désigne un fichier relatif au dossier "
                  "du document : enregistrez d'abord le document.");
        EXPECT_TRUE(desktop.midiFiles.empty());
    }
    doc.setPath("/docs/plan.dls");
    EXPECT_EQ(doc.midiShortcutPath("musique/chant.mid"), fs::path("/docs/musique/chant.mid"));
    EXPECT_EQ(doc.midiShortcutPath("../chant.mid"), fs::path("/docs/../chant.mid"));
    test::ScriptedUserInterface ui;
    EXPECT_TRUE(doc.playMidiShortcut(folio));
    ASSERT_EQ(desktop.midiFiles.size(), 1u);
    EXPECT_EQ(desktop.midiFiles[0], fs::path("/docs/musique/chant.mid"));
    doc.setPath({});
}

} // namespace
} // namespace plexo
