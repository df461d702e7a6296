// The symbol browser on the offscreen platform: clicks and keys on the real
// tree, the fonts of used and edited symbols, the preview, and symbols dropped
// on a real pane with the drag-and-drop events a drag delivers.
#include "views/library/libview.h"

#include "library/lib.h"
#include "library/browserstrings.h"
#include "shell/commandids.h"
#include "store/undo.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"
#include "views/library/nodedrag.h"
#include "views/library/symbolview.h"
#include "views/schema/pane.h"
#include "views/schema/panetools.h"

#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace plexo {
namespace {

class BrowserTest : public ::testing::Test {
protected:
    BrowserTest() : library(folder / "lib"), browser(library.lib) {
        appareils = library.moteur->owningLibrary();
        appareils->expanded = 1;
        browser.resize(220, 360);
        browser.show();
        browser.tree()->treeChanged();
        tree = browser.tree();
    }

    void click(const LibNode& node, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(tree->viewport(), button, {}, tree->namePosition(node));
    }

    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture library;
    SymbolView browser;
    LibView* tree = nullptr;
    LibNode* appareils = nullptr;
};

TEST_F(BrowserTest, ClicksAndKeysSelectAndTheExpanderFolds) {
    click(*library.moteur);
    EXPECT_EQ(library.lib.selectedNode(), library.moteur);
    EXPECT_TRUE(tree->commandEnabled(cmd::kEditSymbol));

    QTest::keyClick(tree, Qt::Key_Up);
    EXPECT_EQ(library.lib.selectedNode()->name, "Cartouche A4");
    QTest::keyClick(tree, Qt::Key_Up);
    EXPECT_EQ(library.lib.selectedNode(), appareils);
    // The library shows its name without ".dly".
    EXPECT_EQ(shownName(*appareils), "Appareils");

    // The library's expander, at its row's x: folds it and clears the selection.
    const int row = rowOf(tree->layout(), appareils);
    const LibTreeRow& r = tree->layout().rows[static_cast<std::size_t>(row)];
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(r.x, r.y));
    EXPECT_EQ(appareils->expanded, 0);
    EXPECT_EQ(library.lib.selectedNode(), nullptr);
    EXPECT_EQ(rowOf(tree->layout(), library.moteur), -1);
}

TEST_F(BrowserTest, UsedSymbolsAreBoldEditedOnesItalicAndCannotBeDragged) {
    EXPECT_EQ(tree->fontFor(*library.moteur).weight(), QFont::Normal);
    ASSERT_TRUE(library.moteur->acquireDrawing(nullptr));
    EXPECT_EQ(tree->fontFor(*library.moteur).weight(), QFont::Bold);
    library.moteur->releaseDrawing(nullptr);

    library.vide->beginEdit();
    EXPECT_TRUE(tree->fontFor(*library.vide).italic());
    click(*library.vide);
    library.vide->endEdit();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, libstr::kSymbolBeingEdited);
    EXPECT_EQ(ui.boxes[0].caption, "Symbole");
}

TEST_F(BrowserTest, ADoubleClickOpensTheSymbolForEditing) {
    LibNode* edited = nullptr;
    tree->symbolEditor = [&](LibNode& node, std::unique_ptr<saoDib>) { edited = &node; };
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, tree->namePosition(*library.moteur));
    EXPECT_EQ(edited, library.moteur);
}

TEST_F(BrowserTest, ThePreviewDrawsTheSelectedSymbol) {
    const auto preview = [&] {
        return browser.grab(QRect(0, 0, browser.width(), kPreviewHeight))
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage empty = preview();
    click(*library.moteur);
    const QImage drawn = preview();
    // The rectangle's outline runs through the strip around (100, 50): 20 × 10 points.
    int changed = 0;
    for (int y = 40; y < 60; ++y)
        for (int x = 85; x < 115; ++x)
            changed += drawn.pixel(x, y) != empty.pixel(x, y);
    EXPECT_GT(changed, 10);
    // The preview gives the drawing back.
    EXPECT_EQ(library.moteur->useCount, 0);
    browser.grab().save("/tmp/plexo-symbol-browser.png");
}

class DropTest : public BrowserTest {
protected:
    DropTest() {
        doc.open({});
        folio = doc.folios.front().get();
        folio->acquire();
        pane.resize(500, 400);
        pane.showFolio(folio);
        pane.show();
    }
    ~DropTest() override {
        pane.showFolio(nullptr);
        folio->release(false);
    }

    // Delivers the events a drag ending at `at` over the pane delivers; whether the drop was taken.
    bool dropOnPane(const LibNode& node, QPoint at) {
        std::unique_ptr<QMimeData> data(nodeMimeData(node));
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(pane.viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(pane.viewport(), &move);
        if (!move.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(pane.viewport(), &drop);
        return drop.isAccepted();
    }

    saoDoc doc;
    Folio* folio = nullptr;
    Pane pane;
};

TEST_F(DropTest, ASymbolDroppedOnThePaneBecomesAnInstanceAtThePoint) {
    const QPoint at(200, 150);
    ASSERT_TRUE(dropOnPane(*library.moteur, at));
    ASSERT_EQ(folio->objects.size(), 1u);
    const Shape& instance = *folio->objects[0];
    EXPECT_EQ(instance.kind, kSymbol);
    EXPECT_EQ(instance.points[0], pane.view().toDocument(at.x(), at.y()));
    EXPECT_EQ(instance.infoSymbole->labels.size(), 3u);
    EXPECT_TRUE(instance.selected);
    EXPECT_EQ(undoLabelFor(doc, folio).text, "&Annuler la création\tCtrl+Z");
    EXPECT_EQ(pane.tools().toolId(), cmd::kToolSelection);
}

TEST_F(DropTest, ATitleBlockDropBecomesTheDocumentsAndFoldersAreNotTaken) {
    ASSERT_TRUE(dropOnPane(*library.cartouche, {100, 100}));
    EXPECT_EQ(doc.titleBlockName, "Cartouche A4");
    EXPECT_NE(doc.titleBlock, nullptr);
    EXPECT_TRUE(folio->objects.empty());

    LibNode* dossier = library.lib.createNode(*appareils, NodeKind::Folder, "Dossier");
    EXPECT_FALSE(dropOnPane(*dossier, {100, 100}));
    // Outside the folio's extent nothing is taken either.
    pane.resize(5000, 5000);
    EXPECT_FALSE(dropOnPane(*library.moteur, {4900, 4900}));
    EXPECT_TRUE(folio->objects.empty());
}

} // namespace
} // namespace plexo
