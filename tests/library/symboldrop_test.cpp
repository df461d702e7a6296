// Library nodes dropped on a folio: symbol objects, the title block, refusals.
#include "library/symboldrop.h"

#include "library/lib.h"
#include "library/browserstrings.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "shapes/infosymbole.h"
#include "shapes/symbollabels.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/undo.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

struct DropFixture {
    explicit DropFixture(const std::filesystem::path& folder) : library(folder / "lib") {
        doc.open({});
        folio = doc.folios.front().get();
        folio->acquire();
    }
    ~DropFixture() { folio->release(false); }

    test::ScriptedUserInterface ui;
    test::LibraryFixture library;
    saoDoc doc;
    Folio* folio = nullptr;
};

TEST(SymbolDrop, ASymbolBecomesASelectedInstanceWithItsLabelsAtTheDropPoint) {
    test::TemporaryFolder folder;
    DropFixture f(folder.path());
    const Point at{150000, 90000};

    EXPECT_EQ(dropSymbol(f.doc, *f.folio, *f.library.moteur, at), SymbolDrop::Instance);
    ASSERT_EQ(f.folio->objects.size(), 1u);
    const Shape& instance = *f.folio->objects[0];
    EXPECT_EQ(instance.kind, kSymbol);
    EXPECT_TRUE(instance.selected);
    EXPECT_EQ(instance.points[0], at);
    EXPECT_EQ(instance.infoSymbole->name, "Moteur");
    EXPECT_EQ(instance.infoSymbole->node, f.library.moteur);
    EXPECT_EQ(f.library.moteur->useCount, 1);
    // Two terminals and a text zone: three labels; the drawing's centre (10000,
    // 5000) lies on the drop point, so terminal 1 at (0, 5000) lands 10000 left of it.
    ASSERT_EQ(instance.infoSymbole->labels.size(), 3u);
    EXPECT_EQ(placedPoint(*instance.infoSymbole->labels[0].shape), (Point{at.x - 10000, at.y}));
    EXPECT_EQ(placedPoint(*instance.infoSymbole->labels[1].shape), (Point{at.x + 10000, at.y}));
    EXPECT_EQ(undoLabelFor(f.doc, f.folio).text, "&Annuler la création\tCtrl+Z");
    EXPECT_TRUE(f.doc.isModified());

    undoAction(f.doc);
    f.doc.closePendingAction();
    EXPECT_TRUE(f.folio->objects.empty() || !f.folio->objects[0]->alive);
}

TEST(SymbolDrop, ATitleBlockSymbolBecomesTheTitleBlockOfEveryFolio) {
    test::TemporaryFolder folder;
    DropFixture f(folder.path());
    auto second = f.doc.newFolio();
    second->serial = f.doc.takeNextSerial();
    f.doc.insertFolio(std::move(second));

    EXPECT_EQ(dropSymbol(f.doc, *f.folio, *f.library.cartouche, {1000, 1000}), SymbolDrop::TitleBlock);
    EXPECT_EQ(f.doc.titleBlockName, "Cartouche A4");
    ASSERT_NE(f.doc.titleBlock, nullptr);
    EXPECT_EQ(f.doc.titleBlock->infoSymbole->node, f.library.cartouche);
    EXPECT_TRUE(f.doc.isModified());
    // No object was added: the block is the document's, drawn on each folio.
    for (const auto& folio : f.doc.folios)
        EXPECT_TRUE(folio->objects.empty());
    EXPECT_EQ(f.doc.folios.size(), 2u);
}

// The document's header keeps 49 bytes of the title block's name: a longer
// name would be cut and then name no symbol, losing the title block.
TEST(SymbolDrop, ATitleBlockWhoseNameTheHeaderCannotKeepIsRefused) {
    test::TemporaryFolder folder;
    DropFixture f(folder.path());
    EXPECT_EQ(dropSymbol(f.doc, *f.folio, *f.library.cartouche, {0, 0}), SymbolDrop::TitleBlock);
    f.doc.setModified(false);
    const std::string longName(50, 'C');
    LibNode* library = f.library.cartouche->owningLibrary();
    LibNode* tooLong = f.library.lib.createNode(*library, NodeKind::Symbol, longName, kCartouche);
    ASSERT_NE(tooLong, nullptr);
    const std::string kept(49, 'K');
    LibNode* longest = f.library.lib.createNode(*library, NodeKind::Symbol, kept, kCartouche);
    ASSERT_NE(longest, nullptr);
    std::vector<std::unique_ptr<Shape>> block;
    block.push_back(test::makeShape(kRectangle, {{0, 0}, {100000, 30000}}));
    test::storeDrawing(*tooLong, std::move(block));
    block.clear();
    block.push_back(test::makeShape(kRectangle, {{0, 0}, {100000, 30000}}));
    test::storeDrawing(*longest, std::move(block));

    EXPECT_EQ(dropSymbol(f.doc, *f.folio, *tooLong, {0, 0}), SymbolDrop::Refused);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "Le nom du cartouche ne doit pas dépasser 49 caractères.");
    EXPECT_EQ(f.ui.boxes[0].caption, "Cartouche");
    // The title block in place stays, and the document is as it was.
    EXPECT_EQ(f.doc.titleBlockName, "Cartouche A4");
    ASSERT_NE(f.doc.titleBlock, nullptr);
    EXPECT_EQ(f.doc.titleBlock->infoSymbole->node, f.library.cartouche);
    EXPECT_FALSE(f.doc.isModified());

    EXPECT_EQ(dropSymbol(f.doc, *f.folio, *longest, {0, 0}), SymbolDrop::TitleBlock);
    EXPECT_EQ(f.doc.titleBlockName, kept);
    ASSERT_NE(f.doc.titleBlock, nullptr);
    EXPECT_EQ(f.doc.titleBlock->infoSymbole->node, longest);
}

TEST(SymbolDrop, FoldersEmptySymbolsAndSymbolsBeingEditedAreRefused) {
    test::TemporaryFolder folder;
    DropFixture f(folder.path());
    LibNode* dossier =
        f.library.lib.createNode(*f.library.moteur->owningLibrary(), NodeKind::Folder, "Dossier");

    EXPECT_EQ(dropSymbol(f.doc, *f.folio, *dossier, {0, 0}), SymbolDrop::Refused);
    EXPECT_EQ(dropSymbol(f.doc, *f.folio, *f.library.vide, {0, 0}), SymbolDrop::Refused);
    EXPECT_EQ(f.ui.beeps, 2);
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(f.library.vide->useCount, 0);

    f.library.moteur->beginEdit();
    EXPECT_FALSE(mayDragNode(*f.library.moteur));
    EXPECT_EQ(dropSymbol(f.doc, *f.folio, *f.library.moteur, {0, 0}), SymbolDrop::Refused);
    f.library.moteur->endEdit();
    ASSERT_EQ(f.ui.boxes.size(), 2u);
    EXPECT_EQ(f.ui.boxes[0].text,
              "Vous ne pouvez pas déplacer ou utiliser ce symbole car il est en cours d'édition.");
    EXPECT_EQ(f.ui.boxes[0].caption, "Symbole");
    EXPECT_TRUE(f.folio->objects.empty());
    EXPECT_FALSE(f.doc.isModified());
}

TEST(SymbolDrop, TheDragReferenceFindsTheNodeWhileItExists) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    Lib& lib = fixture.lib;
    const std::string reference = dragReference(*fixture.moteur);
    EXPECT_EQ(nodeForDragReference(lib, reference), fixture.moteur);
    for (const char* bad : {"", "Appareils.dly", "Appareils.dly\n", "Appareils.dly\nx", "Autre.dly\n1",
                            "Appareils.dly\n0", "Appareils.dly\n999"})
        EXPECT_EQ(nodeForDragReference(lib, bad), nullptr) << bad;
    lib.deleteNode(*fixture.moteur);
    EXPECT_EQ(nodeForDragReference(lib, reference), nullptr);
}

} // namespace
} // namespace plexo
