// The files behind the libraries: names that Windows-1252 cannot spell, renames
// onto names already taken, and libraries that cannot be written.
#include "library/lib.h"

#include "library/libnode.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/buffer.h"
#include "base/objfile.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plexo {
namespace {

namespace fs = std::filesystem;
using test::makeShape;

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> folderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A library file holding one symbol (id 1) with a one-line drawing.
void writeLibrary(const fs::path& file, const std::string& symbol) {
    ObjFile container;
    ASSERT_TRUE(container.create(file.string(), kLibraryFileKind, kLibraryFileVersion));
    auto tree = [&](Buffer& b) {
        b.writeByte(1);
        b.writeByte(1);
        b.writeByte(static_cast<std::uint8_t>(NodeKind::Symbol));
        b.writeInt32(1);
        b.writeText(symbol);
        b.writeByte(0);
        b.writeInt32(0);
        b.writeByte(kSymbole);
        b.writeByte(0);
    };
    Buffer b;
    tree(b);
    b.allocateMeasured();
    tree(b);
    ASSERT_TRUE(container.writeRecord(kTreeRecordType, 0, b));
    Folio page;
    page.append(makeShape(kLine, {{0, 0}, {1000, 1000}}));
    page.renumberObjects();
    Buffer drawing;
    page.writeObjects(drawing, WhichObjects::All);
    drawing.allocateMeasured();
    page.writeObjects(drawing, WhichObjects::All);
    ASSERT_TRUE(container.writeRecord(kSymbolDrawingRecordType, 1, drawing));
}

TEST(LibFilesTest, AFileNameOutsideWindows1252IsOpenedByItsRealPath) {
    test::TemporaryFolder folder;
    writeLibrary(folder / "Ωmega.dly", "Om\xE9ga"); // Windows-1252
    writeLibrary(folder / "?mega.dly", "Point");
    const std::string latin1 = "\xE9t\xE9.dly"; // not UTF-8: bytes of another system's names
    writeLibrary(folder / latin1, "Ete");
    test::ScriptedUserInterface ui;
    Lib lib(folder.path().string());
    lib.scanLocation();
    // Scanning creates nothing, and both files are read, each from its own path.
    const std::vector<std::string> names{"?mega.dly", "Ωmega.dly", latin1};
    EXPECT_EQ(folderNames(folder.path()), names);
    ASSERT_EQ(lib.location->children.size(), 3u);
    LibNode* ete = lib.findSymbol("Ete");
    ASSERT_NE(ete, nullptr);
    EXPECT_EQ(ete->owningLibrary()->libraryPath(), (folder / latin1).string());
    LibNode* omega = lib.findSymbol("Om\xE9ga");
    ASSERT_NE(omega, nullptr);
    LibNode* library = omega->owningLibrary();
    EXPECT_EQ(library->name, "?mega.dly"); // shown as Windows-1252 can
    EXPECT_EQ(library->libraryPath(), (folder / "Ωmega.dly").string());
    ASSERT_TRUE(omega->acquireDrawing(nullptr));
    EXPECT_EQ(omega->drawing->objects.size(), 1u);
    omega->releaseDrawing(nullptr);
    EXPECT_NE(lib.findSymbol("Point"), nullptr);

    // Edits go to the real file.
    ASSERT_NE(lib.createNode(*library, NodeKind::Symbol, "Ajout"), nullptr);
    Lib again(folder.path().string());
    again.scanLocation();
    LibNode* added = again.findSymbol("Ajout");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->owningLibrary()->libraryPath(), (folder / "Ωmega.dly").string());
    EXPECT_TRUE(ui.boxes.empty());

    // Renamed, the library takes a name it can show; the Greek file is gone.
    EXPECT_TRUE(again.renameNode(*added->owningLibrary(), "Omega"));
    EXPECT_EQ(folderNames(folder.path()), (std::vector<std::string>{"?mega.dly", "Omega.dly", latin1}));
    EXPECT_NE(again.findSymbol("Ajout")->owningLibrary(), nullptr);
    Lib third(folder.path().string());
    third.scanLocation();
    EXPECT_EQ(third.findSymbol("Ajout")->owningLibrary()->name, "Omega.dly");
}

TEST(LibFilesTest, RenamingALibraryNeverReplacesAFile) {
    test::TemporaryFolder folder;
    writeLibrary(folder / "L.dly", "Relais");
    std::ofstream(folder / "Rapport.dly") << "pas une librairie"; // skipped at scan
    fs::create_directory(folder / "Dossier.dly");
    fs::create_symlink(folder / "nulle-part", folder / "Lien.dly");
    std::ofstream(folder / "notes") << "à garder";
    test::ScriptedUserInterface ui;
    Lib lib(folder.path().string());
    lib.scanLocation();
    ASSERT_EQ(lib.location->children.size(), 1u);
    LibNode& library = *lib.location->children[0];
    // A folder that tells case apart takes "rapport.dly" as another name.
    const bool foldsCase = fs::exists(folder / "RAPPORT.DLY");

    struct Case {
        const char* typed;
        std::string message; // empty: accepted
    } cases[] = {
        {"Rapport", "Le fichier « Rapport.dly » existe déjà : la librairie ne peut pas prendre ce nom."},
        {"rapport.DLY",
         foldsCase ? "Le fichier « rapport.DLY » existe déjà : la librairie ne peut pas prendre ce nom."
                   : ""},
        {"Dossier", "Le fichier « Dossier.dly » existe déjà : la librairie ne peut pas prendre ce nom."},
        {"Lien.dly", "Le fichier « Lien.dly » existe déjà : la librairie ne peut pas prendre ce nom."},
        {"notes", ""}, // "notes.dly": another name
        {"a/b", "« a/b.dly » ne peut pas servir de nom de fichier."},
    };
    for (const auto& c : cases) {
        ui.boxes.clear();
        const std::string before = library.name;
        const bool renamed = lib.renameNode(library, c.typed);
        EXPECT_EQ(renamed, c.message.empty()) << c.typed;
        if (c.message.empty()) {
            EXPECT_TRUE(ui.boxes.empty()) << c.typed;
            EXPECT_TRUE(lib.renameNode(library, "L")) << c.typed; // back for the next case
            continue;
        }
        ASSERT_EQ(ui.boxes.size(), 1u) << c.typed;
        EXPECT_EQ(ui.boxes[0].text, c.message);
        EXPECT_EQ(ui.boxes[0].caption, "Librairie");
        EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Warning);
        EXPECT_EQ(library.name, before);
    }
    // Nothing was replaced, and the library is still open under its name.
    EXPECT_EQ(fileBytes(folder / "Rapport.dly"), "pas une librairie");
    EXPECT_EQ(fileBytes(folder / "notes"), "à garder");
    EXPECT_TRUE(fs::is_symlink(folder / "Lien.dly"));
    EXPECT_TRUE(fs::is_directory(folder / "Dossier.dly"));
    EXPECT_EQ(library.name, "L.dly");
    ASSERT_NE(library.owningLibrary(), nullptr);
    EXPECT_NE(lib.createNode(library, NodeKind::Symbol, "Lampe"), nullptr);
    // Nor does creating one.
    ui.boxes.clear();
    EXPECT_EQ(lib.createNode(*lib.location, NodeKind::Library, "Rapport"), nullptr);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "Le fichier « Rapport.dly » existe déjà : la librairie ne peut pas prendre ce nom.");
    EXPECT_EQ(ui.boxes[0].caption, "Librairie");
    EXPECT_EQ(fileBytes(folder / "Rapport.dly"), "pas une librairie");
    EXPECT_EQ(lib.location->children.size(), 1u);

    // A change of case only is the same file.
    ui.boxes.clear();
    EXPECT_TRUE(lib.renameNode(library, "l.dly"));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(fs::exists(folder / "l.dly"));

    // A library in use keeps its name.
    LibNode* relais = lib.findSymbol("Relais");
    ASSERT_TRUE(relais->acquireDrawing(nullptr));
    EXPECT_FALSE(lib.renameNode(library, "Autre"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "La librairie « l.dly » est utilisée : elle ne peut pas être renommée.");
    EXPECT_EQ(ui.boxes[0].caption, "Librairie");
    relais->releaseDrawing(nullptr);
}

// Runs body with the rights of an ordinary user. Root writes through any
// permission, so as root the body runs in a child process switched to the
// "nobody" user. False when that switch is not possible here.
bool runUnprivileged(const std::function<void()>& body) {
    if (::geteuid() != 0) {
        body();
        return true;
    }
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(77);
        body();
        std::fflush(stdout);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return false;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        return false;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the unprivileged run failed";
    return true;
}

TEST(LibFilesTest, AReadOnlyLibraryIsPlacedButNeverChanged) {
    test::TemporaryFolder folder;
    const fs::path locked = folder / "fige";
    fs::create_directory(locked);
    { test::LibraryFixture fixture(locked); } // Appareils.dly: Moteur, Vide, Cartouche A4
    writeLibrary(locked / "Casse.dly", "Cass\xE9");
    writeLibrary(locked / "Libre.dly", "Libre"); // writable, in a folder that is not
    std::ofstream(locked / "Casse.dly", std::ios::binary | std::ios::app)
        << std::string("\x05\x07\x00\x00\x00\xA0\x0F\x00\x00\x00xxxx", 14);
    fs::permissions(locked / "Appareils.dly",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // Writable, but its copy cannot be made in the folder: it is not cut either.
    fs::permissions(locked / "Casse.dly", fs::perms::all);
    fs::permissions(locked / "Libre.dly", fs::perms::all);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const std::string appareils = fileBytes(locked / "Appareils.dly");
    const std::string casse = fileBytes(locked / "Casse.dly");
    const std::string libre = fileBytes(locked / "Libre.dly");

    const bool ran = runUnprivileged([&] {
        test::RecordingLog log;
        test::ScriptedUserInterface ui;
        Lib lib(locked.string());
        lib.scanLocation();
        installLibrary(&lib);
        ASSERT_EQ(lib.location->children.size(), 3u);
        LibNode* moteur = lib.findSymbol("Moteur");
        ASSERT_NE(moteur, nullptr);
        LibNode& library = *moteur->owningLibrary();
        EXPECT_TRUE(library.isReadOnly());
        EXPECT_TRUE(moteur->isReadOnly());
        {
            Folio folio;
            auto placed = test::makeSymbol(folio, "Moteur", {0, 0});
            EXPECT_TRUE(placed->infoSymbole->drawingAcquired);
            EXPECT_EQ(placed->infoSymbole->labels.size(), 3u);
        }
        const std::string refused =
            "La librairie « Appareils.dly » est en lecture seule : elle ne peut pas être modifiée.";
        struct Edit {
            const char* name;
            std::function<bool()> run;
        } edits[] = {
            {"add", [&] { return lib.createNode(library, NodeKind::Symbol, "Nouveau") != nullptr; }},
            {"add folder", [&] { return lib.createNode(library, NodeKind::Folder, "Dossier") != nullptr; }},
            {"rename symbol", [&] { return lib.renameNode(*moteur, "Moteur2"); }},
            {"rename library", [&] { return lib.renameNode(library, "Autre"); }},
            {"delete symbol", [&] { return lib.deleteNode(*lib.findSymbol("Vide")); }},
            {"delete library", [&] { return lib.deleteNode(library); }},
            {"edit symbol",
             [&] {
                 saoDoc doc(moteur);
                 return doc.open({});
             }},
        };
        for (const auto& edit : edits) {
            ui.boxes.clear();
            EXPECT_FALSE(edit.run()) << edit.name;
            ASSERT_EQ(ui.boxes.size(), 1u) << edit.name;
            EXPECT_EQ(ui.boxes[0].text, refused) << edit.name;
            EXPECT_EQ(ui.boxes[0].caption, "Librairie") << edit.name;
        }
        EXPECT_EQ(moteur->editCount, 0);
        EXPECT_EQ(moteur->name, "Moteur");
        EXPECT_NE(lib.findSymbol("Vide"), nullptr);
        // Saving the trees at close says nothing and writes nothing.
        ui.boxes.clear();
        lib.saveAll();
        EXPECT_TRUE(ui.boxes.empty());

        // The damaged library could not be copied: it is read, not cut.
        LibNode* broken = lib.findSymbol("Cass\xE9");
        ASSERT_NE(broken, nullptr);
        EXPECT_TRUE(broken->isReadOnly());
        EXPECT_TRUE(log.contains("Attention, la librairie 'Casse.dly' se termine par un enregistrement "
                                 "endommagé (octet"));
        EXPECT_TRUE(log.contains(") : elle est ouverte en lecture seule."));

        // A library the folder does not let go: its file can be neither renamed
        // nor deleted, and it stays as it was.
        LibNode& free = *lib.findSymbol("Libre")->owningLibrary();
        EXPECT_FALSE(free.isReadOnly());
        ui.boxes.clear();
        EXPECT_FALSE(lib.renameNode(free, "Autre"));
        EXPECT_FALSE(lib.deleteNode(free));
        ASSERT_EQ(ui.boxes.size(), 2u);
        EXPECT_EQ(ui.boxes[0].text, "Impossible de renommer le fichier de librairie « Libre.dly ».");
        EXPECT_EQ(ui.boxes[1].text, "Impossible de supprimer le fichier de librairie « Libre.dly ».");
        EXPECT_EQ(ui.boxes[1].caption, "Librairie");
        EXPECT_EQ(free.name, "Libre.dly");
        EXPECT_EQ(lib.location->children.size(), 3u);
        EXPECT_NE(lib.createNode(free, NodeKind::Symbol, "Ajout"), nullptr);
        installLibrary(nullptr);
    });
    if (!ran)
        GTEST_SKIP() << "no ordinary user to run as";
    EXPECT_EQ(fileBytes(locked / "Appareils.dly"), appareils);
    EXPECT_EQ(fileBytes(locked / "Casse.dly"), casse);
    EXPECT_EQ(folderNames(locked), (std::vector<std::string>{"Appareils.dly", "Casse.dly", "Libre.dly"}));
    EXPECT_NE(fileBytes(locked / "Libre.dly"), libre); // its new symbol
    fs::permissions(locked, fs::perms::owner_all);
}

} // namespace
} // namespace plexo
