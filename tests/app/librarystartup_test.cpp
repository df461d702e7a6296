// The symbol library set of the running editor: which folder is scanned, that
// the set is installed for the documents at start, saved on quit and removed
// before it goes; and the shutting-down flag as the documents see it.
#include "apptestsupport.h"

#include "app/libraryfolder.h"
#include "base/desktopservices.h"
#include "base/shutdown.h"
#include "library/lib.h"
#include "support/storefixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

namespace fs = std::filesystem;
using test::RunningApp;
using test::TemporaryFolder;

// Writes "<name>.dly" in folder, holding one symbol, through the library code.
void writeLibrary(const fs::path& folder, const std::string& name, const std::string& symbol) {
    Lib lib(folder.string());
    LibNode* library = lib.createNode(*lib.location, NodeKind::Library, name);
    ASSERT_NE(library, nullptr);
    ASSERT_NE(lib.createNode(*library, NodeKind::Symbol, symbol), nullptr);
}

TEST(LibraryFolder, TheSettingsFolderWinsUnlessItHoldsNoLibraryAndTheProgramFolderDoes) {
    TemporaryFolder root;
    const fs::path withLibrary = root / "avec";
    const fs::path upperCase = root / "majuscules";
    const fs::path empty = root / "vide";
    const fs::path onlyOthers = root / "autres";
    const fs::path bundled = root / "bin";
    for (const auto& folder : {withLibrary, upperCase, empty, onlyOthers, bundled})
        fs::create_directories(folder);
    writeLibrary(withLibrary, "Perso", "A");
    writeLibrary(bundled, "Symboles", "B");
    std::ofstream(upperCase / "ANCIEN.DLY") << "x"; // counted whatever its content
    std::ofstream(onlyOthers / "notes.txt") << "x";
    fs::create_directories(onlyOthers / "dossier.dly"); // a folder is not a library

    struct Case {
        fs::path configured;
        fs::path program;
        fs::path scanned;
    } cases[] = {
        {withLibrary, bundled, withLibrary},
        {upperCase, bundled, upperCase},
        {empty, bundled, bundled},
        {onlyOthers, bundled, bundled},
        {root / "absent", bundled, bundled},
        {empty, onlyOthers, empty}, // nothing bundled either: the user's folder
        {bundled, bundled, bundled},
    };
    for (const auto& c : cases)
        EXPECT_EQ(libraryFolderToScan(c.configured, c.program), c.scanned) << c.configured;
    EXPECT_TRUE(holdsLibraries(upperCase));
    EXPECT_FALSE(holdsLibraries(onlyOthers));
}

TEST(LibraryAtStart, ScannedInstalledSavedOnQuitAndRemovedBeforeItGoes) {
    TemporaryFolder bundled;
    writeLibrary(bundled.path(), "Fourni", "Fourni");
    RunningApp running({}, false);
    writeLibrary(running.home.path(), "Essai", "Moteur");
    running.app->bundledLibraryFolder = bundled.path();
    running.app->initInstance({});

    Lib* lib = running.app->library();
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(library(), lib);
    EXPECT_EQ(lib->location->name, running.home.path().string()); // the home folder has a library
    ASSERT_NE(lib->findSymbol("Moteur"), nullptr);
    EXPECT_EQ(lib->findSymbol("Fourni"), nullptr);
    ASSERT_NE(symbolResolver(), nullptr);
    EXPECT_EQ(symbolResolver()->findSymbol("Moteur"), lib->findSymbol("Moteur"));

    // A change of the tree that only the quit sequence writes.
    LibNode* essai = lib->location->children.front().get();
    essai->expanded = 1;
    ASSERT_TRUE(running.app->exitInstance());
    running.ui.reset(); // installed after the application: it goes first
    running.app.reset();
    EXPECT_EQ(library(), nullptr);
    EXPECT_EQ(symbolResolver(), nullptr);

    Lib reread(running.home.path().string());
    reread.scanLocation();
    ASSERT_EQ(reread.location->children.size(), 1u);
    EXPECT_EQ(reread.location->children.front()->expanded, 1);
}

TEST(LibraryAtStart, ANewUserSeesTheBundledLibrariesAndKeepsTheirOwnPath) {
    TemporaryFolder bundled;
    writeLibrary(bundled.path(), "Symboles", "Vanne");
    RunningApp running({}, false);
    running.app->bundledLibraryFolder = bundled.path();
    running.app->initInstance({});
    ASSERT_NE(running.app->library(), nullptr);
    EXPECT_EQ(running.app->library()->location->name, bundled.path().string());
    EXPECT_NE(running.app->library()->findSymbol("Vanne"), nullptr);
    ASSERT_TRUE(running.app->exitInstance());
    ProfileFile ini;
    ASSERT_TRUE(ini.load(running.home / "Plexo.ini"));
    EXPECT_EQ(ini.readString("Librairie", "path"), running.home.path().string());
}

TEST(ShuttingDown, AClosingDocumentGivesTheTitleBlockBackOnlyWhileTheApplicationRuns) {
    TemporaryFolder folder;
    test::RecordingLog log;
    test::LibraryFixture fixture(folder.path());
    for (bool shutting : {false, true}) {
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.titleBlockName = "Cartouche A4";
        doc.loadTitleBlock();
        ASSERT_NE(doc.titleBlock, nullptr);
        const int before = fixture.cartouche->useCount;
        setShuttingDown(shutting);
        EXPECT_EQ(desktopServices().isShuttingDown(), shutting);
        doc.close();
        setShuttingDown(false);
        EXPECT_EQ(doc.titleBlock, nullptr);
        // While shutting down the library node is left alone: it goes with the application.
        EXPECT_EQ(fixture.cartouche->useCount, shutting ? before : before - 1) << shutting;
    }
}

TEST(ShuttingDown, TheApplicationSetsItForTheDocumentsItDestroys) {
    auto running = std::make_unique<RunningApp>();
    EXPECT_FALSE(shuttingDown());
    running.reset();
    EXPECT_TRUE(shuttingDown());
    setShuttingDown(false);
}

} // namespace
} // namespace plexo
