#include "library/lib.h"

#include "library/libnode.h"
#include "library/libsymbolresolver.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/buffer.h"
#include "base/objfile.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

namespace fs = std::filesystem;
using test::makeShape;

std::vector<std::string> childNames(const LibNode& node) {
    std::vector<std::string> names;
    for (const auto& child : node.children)
        names.push_back(child->name);
    return names;
}

// Writes a tree record by hand: each node as (kind, id, name, parent id).
struct RawNode {
    NodeKind kind;
    std::int32_t id;
    std::string name;
    std::int32_t parent;
    std::uint8_t symbolType = 0;
};

void writeTree(const fs::path& file, const std::vector<RawNode>& nodes, std::uint8_t expanded = 1) {
    ObjFile container;
    ASSERT_TRUE(container.open(file.string(), true, 'L', 100, true));
    auto write = [&](Buffer& b) {
        b.writeByte(expanded);
        for (const auto& n : nodes) {
            b.writeByte(1);
            b.writeByte(static_cast<std::uint8_t>(n.kind));
            b.writeInt32(n.id);
            b.writeText(n.name);
            b.writeByte(0);
            b.writeInt32(n.parent);
            b.writeByte(n.symbolType);
        }
        b.writeByte(0);
    };
    Buffer b;
    write(b);
    b.allocateMeasured();
    write(b);
    ASSERT_TRUE(container.writeRecord(kTreeRecordType, 0, b));
}

TEST(LibTest, AnEmptyFolderGivesOnlyTheLocation) {
    test::TemporaryFolder folder;
    Lib lib(folder.path().string() + "/");
    lib.scanLocation();
    EXPECT_EQ(lib.location->name, folder.path().string());
    EXPECT_EQ(lib.root.children.size(), 1u);
    EXPECT_EQ(lib.location->parent, &lib.root);
    EXPECT_TRUE(lib.location->children.empty());
    EXPECT_EQ(lib.root.expanded, 1);
    EXPECT_EQ(lib.location->expanded, 1);
}

TEST(LibTest, ScanningSkipsFilesThatAreNotLibraries) {
    test::TemporaryFolder folder;
    writeTree(folder / "Moteurs.dly", {{NodeKind::Symbol, 1, "M1", 0}});
    writeTree(folder / "Autres.DLY", {{NodeKind::Symbol, 1, "A1", 0}});
    std::ofstream(folder / "faux.dly") << "pas une librairie";
    {
        ObjFile wrongVersion;
        ASSERT_TRUE(wrongVersion.open((folder / "vieux.dly").string(), true, 'L', 99, true));
        ObjFile document;
        ASSERT_TRUE(document.open((folder / "doc.dly").string(), true, '0', 102, true));
    }
    std::ofstream(folder / "note.txt") << "x";
    Lib lib(folder.path().string());
    lib.scanLocation();
    EXPECT_EQ(childNames(*lib.location), (std::vector<std::string>{"Autres.DLY", "Moteurs.dly"}));
    EXPECT_NE(lib.findSymbol("M1"), nullptr);
    EXPECT_EQ(lib.findSymbol("m1"), nullptr); // exact name
}

TEST(LibTest, LoadsTheTreeInChildOrderWithUnknownParentsUnderTheLibrary) {
    test::TemporaryFolder folder;
    writeTree(folder / "Base.dly", {
                                       {NodeKind::Symbol, 1, "Zèbre", 0, kCartouche},
                                       {NodeKind::Folder, 2, "Moteurs", 0},
                                       {NodeKind::Symbol, 3, "Alpha", 0},
                                       {NodeKind::Symbol, 4, "M2", 2},
                                       {NodeKind::Symbol, 5, "M1", 2},
                                       {NodeKind::Symbol, 6, "Orphelin", 99},
                                       {NodeKind::Folder, 7, "Divers", 0},
                                   });
    Lib lib(folder.path().string());
    lib.scanLocation();
    ASSERT_EQ(lib.location->children.size(), 1u);
    LibNode& library = *lib.location->children[0];
    EXPECT_EQ(library.expanded, 1);
    // Each node is stepped in from the end over the children it sorts before (a
    // smaller kind or a lower name): "Divers", read last, passes every symbol.
    EXPECT_EQ(childNames(library),
              (std::vector<std::string>{"Divers", "Alpha", "Moteurs", "Orphelin", "Zèbre"}));
    LibNode* moteurs = library.findById(2);
    ASSERT_NE(moteurs, nullptr);
    EXPECT_EQ(childNames(*moteurs), (std::vector<std::string>{"M1", "M2"}));
    EXPECT_EQ(library.findById(1)->symbolType, kCartouche);
    EXPECT_EQ(library.findById(6)->parent, &library);
}

TEST(LibTest, FindSymbolPrefersTheLibraryThatSortsFirst) {
    test::TemporaryFolder folder;
    writeTree(folder / "B.dly", {{NodeKind::Symbol, 1, "Relais", 0}});
    writeTree(folder / "A.dly", {{NodeKind::Folder, 1, "Dossier", 0}, {NodeKind::Symbol, 2, "Relais", 1}});
    Lib lib(folder.path().string());
    lib.scanLocation();
    LibNode* found = lib.findSymbol("Relais");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->owningLibrary()->name, "A.dly");
    EXPECT_EQ(lib.findSymbol("Dossier"), nullptr); // folders are not symbols
}

TEST(LibTest, CreatesLibrariesFoldersAndSymbolsWithTheirNameChecks) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    Lib lib(folder.path().string());
    lib.scanLocation();
    LibNode* moteurs = lib.createNode(*lib.location, NodeKind::Library, "Moteurs");
    ASSERT_NE(moteurs, nullptr);
    EXPECT_EQ(moteurs->name, "Moteurs.dly");
    EXPECT_TRUE(fs::exists(folder / "Moteurs.dly"));
    LibNode* kept = lib.createNode(*lib.location, NodeKind::Library, "autres.DLY");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->name, "autres.DLY");

    LibNode* dossier = lib.createNode(*moteurs, NodeKind::Folder, "Triphas\xE9s"); // Windows-1252
    ASSERT_NE(dossier, nullptr);
    EXPECT_EQ(dossier->id, 1);
    LibNode* symbol = lib.createNode(*dossier, NodeKind::Symbol, "M3", kSymboleMaitre);
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->id, 2);
    EXPECT_EQ(symbol->symbolType, kSymboleMaitre);
    LibNode* other = lib.createNode(*kept, NodeKind::Symbol, "Lampe");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->id, 1); // ids count per library
    EXPECT_TRUE(ui.boxes.empty());

    struct Case {
        LibNode* parent;
        NodeKind kind;
        const char* name;
        const char* message;
        bool nameRefused;
    } cases[] = {
        {dossier, NodeKind::Symbol, "", "Vous devez saisir un nom.", true},
        {moteurs, NodeKind::Folder, "lampe", "Le nom utilisé existe déjà.", true}, // in another library
        {moteurs, NodeKind::Folder, "TRIPHAS\xC9S", "Le nom utilisé existe déjà.", true},
        {lib.location, NodeKind::Library, "MOTEURS", "Le nom utilisé existe déjà.", true},
        {symbol, NodeKind::Folder, "Sous", "Impossible de créer le dossier.", false},
    };
    for (const auto& c : cases) {
        ui.boxes.clear();
        bool refused = false;
        EXPECT_EQ(lib.createNode(*c.parent, c.kind, c.name, kSymbole, &refused), nullptr) << c.name;
        EXPECT_EQ(refused, c.nameRefused) << c.name;
        ASSERT_EQ(ui.boxes.size(), 1u) << c.name;
        EXPECT_EQ(ui.boxes[0].text, c.message);
        EXPECT_EQ(ui.boxes[0].caption, c.nameRefused ? "Entrée incorrecte" : "Librairie");
        EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Warning);
    }

    // The tree was written at once: a new scan finds everything again.
    Lib again(folder.path().string());
    again.scanLocation();
    LibNode* m3 = again.findSymbol("M3");
    ASSERT_NE(m3, nullptr);
    EXPECT_EQ(m3->parent->name, "Triphas\xE9s");
    EXPECT_EQ(m3->id, 2);
    EXPECT_EQ(m3->symbolType, kSymboleMaitre);
}

TEST(LibTest, DeletedIdsAreReusedAndDeletingFreesTheSymbolRecords) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    Lib lib(folder.path().string());
    LibNode* library = lib.createNode(*lib.location, NodeKind::Library, "L");
    LibNode* a = lib.createNode(*library, NodeKind::Symbol, "A");
    LibNode* b = lib.createNode(*library, NodeKind::Symbol, "B");
    ASSERT_EQ(b->id, 2);
    test::storeDrawing(*b, {});
    ASSERT_NE(library->file->readRecord(kSymbolDrawingRecordType, 2), nullptr);
    EXPECT_TRUE(lib.deleteNode(*b));
    EXPECT_EQ(library->file->readRecord(kSymbolDrawingRecordType, 2), nullptr);
    LibNode* c = lib.createNode(*library, NodeKind::Symbol, "C");
    EXPECT_EQ(c->id, 2);

    LibNode* dossier = lib.createNode(*library, NodeKind::Folder, "D");
    LibNode* inside = lib.createNode(*dossier, NodeKind::Symbol, "E");
    test::storeDrawing(*inside, {});
    const std::int32_t insideId = inside->id;
    EXPECT_TRUE(lib.deleteNode(*dossier));
    EXPECT_EQ(library->file->readRecord(kSymbolDrawingRecordType, insideId), nullptr);
    EXPECT_EQ(lib.findSymbol("E"), nullptr);

    a->useCount = 1; // drawn somewhere: not deleted
    EXPECT_FALSE(lib.deleteNode(*a));
    a->useCount = 0;

    EXPECT_TRUE(lib.deleteNode(*library));
    EXPECT_FALSE(fs::exists(folder / "L.dly"));
    EXPECT_TRUE(lib.location->children.empty());
}

TEST(LibTest, RenamesNodesAndKeepsTheTree) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    Lib lib(folder.path().string());
    LibNode* library = lib.createNode(*lib.location, NodeKind::Library, "L");
    LibNode* a = lib.createNode(*library, NodeKind::Symbol, "A");
    lib.createNode(*library, NodeKind::Symbol, "B");
    EXPECT_FALSE(lib.renameNode(*a, "b"));
    EXPECT_EQ(ui.boxes.back().text, "Le nom utilisé existe déjà.");
    EXPECT_TRUE(lib.renameNode(*a, "a")); // the node itself does not count
    EXPECT_TRUE(lib.renameNode(*a, "Z", kCartouche));
    EXPECT_EQ(childNames(*library), (std::vector<std::string>{"Z", "B"})); // a rename does not move
    EXPECT_TRUE(lib.renameNode(*library, "Nouvelle"));
    EXPECT_EQ(library->name, "Nouvelle.dly");
    EXPECT_TRUE(fs::exists(folder / "Nouvelle.dly"));
    EXPECT_FALSE(fs::exists(folder / "L.dly"));

    Lib again(folder.path().string());
    again.scanLocation();
    ASSERT_EQ(again.location->children.size(), 1u);
    EXPECT_EQ(childNames(*again.location->children[0]), (std::vector<std::string>{"B", "Z"}));
    EXPECT_EQ(again.findSymbol("Z")->symbolType, kCartouche);

    test::TemporaryFolder other;
    std::string told;
    again.locationChanged = [&](const std::string& path) { told = path; };
    EXPECT_TRUE(again.renameNode(*again.location, other.path().string()));
    EXPECT_EQ(told, other.path().string());
    EXPECT_TRUE(again.location->children.empty());
}

TEST(LibTest, DrawingsAreLoadedOnFirstUseAndFreedAtTheLastRelease) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    LibNode& moteur = *fixture.moteur;
    EXPECT_EQ(moteur.drawing, nullptr);
    int notified = 0;
    setSymbolUsageListener([&](LibNode&) { ++notified; });
    EXPECT_TRUE(moteur.acquireDrawing(nullptr));
    ASSERT_NE(moteur.drawing, nullptr);
    EXPECT_EQ(moteur.drawing->objects.size(), 4u);
    // The rectangle alone counts (terminals and text zones do not).
    const Rect box = moteur.drawing->objects[0]->outline;
    EXPECT_EQ(moteur.bounds, (SymbolBounds{box.left, box.right, box.top, box.bottom}));
    EXPECT_LE(box.left, 0);
    EXPECT_GE(box.right, 20000);
    EXPECT_TRUE(moteur.acquireDrawing(nullptr));
    moteur.releaseDrawing(nullptr);
    EXPECT_NE(moteur.drawing, nullptr);
    moteur.releaseDrawing(nullptr);
    EXPECT_EQ(moteur.drawing, nullptr);
    EXPECT_EQ(moteur.useCount, 0);
    EXPECT_EQ(notified, 2);
    moteur.releaseDrawing(nullptr);
    EXPECT_EQ(moteur.useCount, 0);

    EXPECT_FALSE(fixture.vide->acquireDrawing(nullptr)); // no drawing record
    EXPECT_EQ(fixture.vide->useCount, 0);
    moteur.editCount = 1; // being edited: neither acquired nor released
    EXPECT_FALSE(moteur.acquireDrawing(nullptr));
    moteur.editCount = 0;
    setSymbolUsageListener(nullptr);
    // A terminal or text zone far outside does not stretch the bounds; a drawing
    // of terminals only has none.
    LibNode* wide = fixture.lib.createNode(*moteur.owningLibrary(), NodeKind::Symbol, "Large");
    std::vector<std::unique_ptr<Shape>> drawing;
    drawing.push_back(makeShape(kLine, {{0, 0}, {1000, 1000}}));
    drawing.push_back(makeShape(kTerminal, {{900000, 900000}}, "T"));
    drawing.push_back(makeShape(kTextZone, {{-900000, -900000}, {-800000, -800000}}, "Z"));
    test::storeDrawing(*wide, std::move(drawing));
    ASSERT_TRUE(wide->acquireDrawing(nullptr));
    EXPECT_LT(wide->bounds.right, 100000);
    EXPECT_GT(wide->bounds.left, -100000);
    wide->releaseDrawing(nullptr);
    LibNode* pins = fixture.lib.createNode(*moteur.owningLibrary(), NodeKind::Symbol, "Bornes");
    std::vector<std::unique_ptr<Shape>> onlyPins;
    onlyPins.push_back(makeShape(kTerminal, {{5000, 5000}}, "T"));
    test::storeDrawing(*pins, std::move(onlyPins));
    ASSERT_TRUE(pins->acquireDrawing(nullptr));
    EXPECT_EQ(pins->bounds, SymbolBounds{});
    pins->releaseDrawing(nullptr);
}

TEST(LibTest, SymbolInstancesBorrowTheDrawingAndBuildTheirLabels) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    {
        Folio folio;
        auto instance = test::makeSymbol(folio, "Moteur", {100, 100});
        ASSERT_TRUE(instance->infoSymbole->drawingAcquired);
        EXPECT_EQ(fixture.moteur->useCount, 1);
        const auto& labels = instance->infoSymbole->labels;
        ASSERT_EQ(labels.size(), 3u);
        // Measuring the instance made its label shapes show their texts; built
        // again, they hold the drawing's default texts.
        EXPECT_EQ(labels[0].shape->data, "");
        buildLabels(*instance);
        ASSERT_EQ(labels.size(), 3u);
        EXPECT_EQ(labels[0].shape->kind, kTerminal);
        EXPECT_EQ(labels[0].shape->data, "1");
        EXPECT_EQ(labels[0].shape->points, (std::vector<Point>{{0, 5000}})); // drawing coordinates
        EXPECT_EQ(labels[0].shape->infoBorne->owner, instance.get());
        EXPECT_EQ(labels[2].shape->kind, kSymbolText);
        EXPECT_EQ(labels[2].shape->data, "M");
        EXPECT_TRUE(labels[2].text.empty());
        EXPECT_TRUE(labels[2].shape->style.isUsable(kFont));
    }
    EXPECT_EQ(fixture.moteur->useCount, 0);
    EXPECT_EQ(fixture.moteur->drawing, nullptr);
}

TEST(LibTest, ASymbolBeingEditedStillLendsTheDrawingItHasToDocumentsRead) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    Folio source;
    auto held = test::makeSymbol(source, "Moteur", {0, 0}); // the drawing is loaded
    source.append(test::makeSymbol(source, "Moteur", {0, 0}));
    source.objects[0]->infoSymbole->labels[1].text = "KM1";
    auto bytes = test::objectListBytes(source);
    fixture.moteur->editCount = 1;
    Folio back;
    Buffer buffer{Buffer::Block(bytes)};
    EXPECT_TRUE(back.readObjects(buffer, ReadMode::Load));
    ASSERT_EQ(back.objects.size(), 1u);
    EXPECT_FALSE(back.objects[0]->infoSymbole->drawingAcquired);
    EXPECT_EQ(back.objects[0]->infoSymbole->labels[1].text, "KM1");
    EXPECT_EQ(fixture.moteur->useCount, 2);
    back.destroyObjects();
    EXPECT_EQ(fixture.moteur->useCount, 2); // not counted, not released
    fixture.moteur->editCount = 0;
}

TEST(LibTest, NestedSymbolsContributeTheirLabelsAndASymbolContainingItselfStops) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    LibNode* library = fixture.moteur->owningLibrary();
    LibNode* groupe = fixture.lib.createNode(*library, NodeKind::Symbol, "Groupe");
    {
        Folio page;
        std::vector<std::unique_ptr<Shape>> drawing;
        drawing.push_back(makeShape(kTerminal, {{0, 0}}, "G"));
        drawing.push_back(test::makeSymbol(page, "Moteur", {0, 0}));
        drawing.push_back(test::makeSymbol(page, "Groupe", {0, 0})); // not yet stored: dropped on read
        test::storeDrawing(*groupe, std::move(drawing));
    }
    {
        test::RecordingLog log;
        Folio folio;
        auto instance = test::makeSymbol(folio, "Groupe", {0, 0});
        EXPECT_EQ(instance->infoSymbole->labels.size(), 4u); // G, then the motor's three
    }
    // Now store a drawing that contains its own symbol: reading it must end.
    {
        Folio page;
        std::vector<std::unique_ptr<Shape>> drawing;
        auto self = std::make_unique<Shape>(kSymbol);
        self->points = {{0, 0}, {0, 0}};
        self->createKindRecord();
        self->infoSymbole->name = "Groupe";
        drawing.push_back(makeShape(kRectangle, {{0, 0}, {10, 10}}));
        drawing.push_back(std::move(self));
        test::storeDrawing(*groupe, std::move(drawing));
    }
    test::RecordingLog log;
    Folio folio;
    auto instance = test::makeSymbol(folio, "Groupe", {0, 0});
    ASSERT_NE(groupe->drawing, nullptr);
    EXPECT_EQ(groupe->drawing->objects.size(), 1u); // the inner copy of itself was refused
    EXPECT_TRUE(log.contains("Attention, symbole Groupe incorrect !"));
}

TEST(LibTest, HostileTreeRecordsNeverCrashOrRecurseWithoutEnd) {
    test::TemporaryFolder folder;
    // A chain 500 folders deep, each under the previous one.
    std::vector<RawNode> chain;
    for (int i = 1; i <= 500; ++i)
        chain.push_back({NodeKind::Folder, i, "F" + std::to_string(i), i - 1});
    chain.push_back({NodeKind::Root, 900, "racine", 0}); // a kind that has no place here
    chain.push_back({NodeKind::Symbol, 901, "après", 0});
    writeTree(folder / "Profond.dly", chain);
    test::RecordingLog log;
    Lib lib(folder.path().string());
    lib.scanLocation();
    ASSERT_EQ(lib.location->children.size(), 1u);
    LibNode& library = *lib.location->children[0];
    int depth = 0;
    for (const LibNode* n = library.findById(500); n && n != &library; n = n->parent)
        ++depth;
    EXPECT_LE(depth, 101);
    EXPECT_EQ(lib.findSymbol("après"), nullptr); // the record list ended at the damage
    EXPECT_TRUE(log.contains("endommagé"));
    EXPECT_TRUE(library.saveTree());

    // A tree record cut in the middle of a node keeps the nodes before it.
    ObjFile file;
    ASSERT_TRUE(file.open((folder / "Coupé.dly").string(), true, 'L', 100, true));
    Buffer cut(26);
    cut.writeByte(1);
    cut.writeByte(1);
    cut.writeByte(4);
    cut.writeInt32(1);
    cut.writeText("Un");
    cut.writeByte(0);
    cut.writeInt32(0);
    cut.writeByte(0);
    cut.writeByte(1);
    cut.writeByte(4);
    cut.writeInt32(0x7FFFFFFF); // then the record ends
    ASSERT_TRUE(file.writeRecord(kTreeRecordType, 0, cut));
    file.close();
    Lib again(folder.path().string());
    again.scanLocation();
    EXPECT_NE(again.findSymbol("Un"), nullptr);
}

TEST(LibTest, ASymbolDocumentEditsRecordsFourAndFive) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    LibNode& moteur = *fixture.moteur;
    {
        saoDoc doc(&moteur);
        ASSERT_TRUE(doc.open({}));
        EXPECT_EQ(moteur.editCount, 1);
        EXPECT_FALSE(doc.canSaveAs());
        EXPECT_EQ(doc.title(), "Moteur (Symbole)");
        EXPECT_EQ(doc.workingCopy(), nullptr);
        ASSERT_EQ(doc.folios.size(), 1u);
        Folio& page = *doc.folios[0];
        page.acquire();
        ASSERT_EQ(page.objects.size(), 4u);
        page.append(makeShape(kTerminal, {{10000, 0}}, "3"));
        doc.zoomIndex = 7;
        doc.setModified();
        EXPECT_TRUE(doc.commit(false));
        page.release(true);
    }
    EXPECT_EQ(moteur.editCount, 0);
    LibNode* library = moteur.owningLibrary();
    EXPECT_NE(library->file->readRecord(kSymbolHeaderRecordType, moteur.id), nullptr);
    saoDoc reopened(&moteur);
    ASSERT_TRUE(reopened.open({}));
    EXPECT_EQ(reopened.zoomIndex, 7);
    reopened.close();
    Folio folio;
    auto instance = test::makeSymbol(folio, "Moteur", {0, 0});
    EXPECT_EQ(instance->infoSymbole->labels.size(), 4u);
}

} // namespace
} // namespace plexo
