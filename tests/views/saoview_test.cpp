// The schéma view offscreen with real events: layout, folio tabs, folio steps,
// zoom limits, two views of one document, the folio dialogs and the view state
// kept through a save.
#include "views/schema/saoview.h"

#include "edit/foliotabs.h"
#include "edit/viewlayout.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"
#include "views/dialogs/dlogfolio.h"
#include "views/dialogs/dloglistefolios.h"
#include "views/dialogs/dlogtexte.h"
#include "views/schema/classeur.h"
#include "views/schema/pane.h"
#include "views/schema/regle.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace plexo {
namespace {

// A new document with folios numbered as given, each holding a filled box.
void fill(saoDoc& doc, const std::vector<std::string>& numbers) {
    ASSERT_TRUE(doc.open({}));
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        Folio* folio =
            i == 0 ? doc.folios.front().get()
                   : doc.addFolio([&](Folio& f, FolioDialogKind) { return f.number = numbers[i], true; });
        ASSERT_NE(folio, nullptr);
        folio->number = numbers[i];
        folio->acquire();
        auto box = test::makeShape(kRectangle, {{100000, 100000}, {160000, 140000}});
        box->style.set(kFillColour, 0);
        box->style.set(kPattern, 0);
        box->style.set(kShadow, kNoColour);
        folio->append(std::move(box));
        folio->release(true);
    }
}

// The centre of tab i of the view's strip, in strip pixels.
QPoint tabCentre(Classeur& strip, int i) {
    const FolioTab tab = strip.tabs().at(static_cast<std::size_t>(i));
    return QPoint(tab.start - strip.scrollPosition() + tab.width / 2, 8);
}

// Answers the next folio dialog with a number (OK) or cancels it.
void answerFolioDialog(const QString& number, bool ok) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<DlogFolio*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->numberField()->setText(number);
        const QString button = QString::fromUtf8(ok ? "&OK" : "&Annuler");
        for (QPushButton* candidate : dialog->findChildren<QPushButton*>())
            if (candidate->text() == button)
                QTest::mouseClick(candidate, Qt::LeftButton);
    });
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        fill(doc, {"1", "2", "3"});
        view = std::make_unique<saoView>(doc);
        view->resize(640, 480);
        view->show();
    }
    void TearDown() override {
        view.reset();
        doc.close();
    }
    test::ScriptedUserInterface ui;
    saoDoc doc;
    std::unique_ptr<saoView> view;
};

TEST_F(ViewTest, ThePaneTakesItsPlaceForTheFourCombinations) {
    for (bool tabs : {true, false}) {
        for (bool rulers : {true, false}) {
            view->setTabsShown(tabs);
            view->setRulersShown(rulers);
            const ChildRect expected = computeViewLayout(640, 480, tabs, rulers).pane;
            EXPECT_EQ(view->pane()->geometry(),
                      QRect(expected.x, expected.y, expected.width, expected.height))
                << tabs << rulers;
            EXPECT_EQ(view->tabStrip()->isVisible(), tabs);
            EXPECT_EQ(view->horizontalRuler()->isVisible(), rulers);
        }
    }
    view->setTabsShown(false);
    view->setRulersShown(true);
    EXPECT_EQ(view->pane()->pos(), QPoint(16, 16));
}

TEST_F(ViewTest, ATabClickSwitchesFolioAndLetsTheOldOneGo) {
    Folio* first = doc.folios[0].get();
    EXPECT_EQ(view->folio(), first);
    EXPECT_EQ(first->useCount, 1);
    QTest::mouseClick(view->tabStrip(), Qt::LeftButton, {}, tabCentre(*view->tabStrip(), 1));
    EXPECT_EQ(view->folio(), doc.folios[1].get());
    EXPECT_EQ(view->folioIndex(), 1);
    EXPECT_EQ(first->useCount, 0);
    EXPECT_TRUE(first->objects.empty());
    EXPECT_EQ(doc.folios[1]->objects.size(), 1u);
    EXPECT_EQ(view->pageIndicator(), "2/3");
    EXPECT_EQ(view->statusMessage(), "2");
    // A click on the current tab does nothing.
    QTest::mouseClick(view->tabStrip(), Qt::LeftButton, {}, tabCentre(*view->tabStrip(), 1));
    EXPECT_EQ(view->folioIndex(), 1);
}

TEST_F(ViewTest, TheTabStripsRightButtonAsksForTheFolioMenu) {
    QSignalSpy requests(view.get(), &saoView::popupRequested);
    const QPoint at = tabCentre(*view->tabStrip(), 0);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->tabStrip()->mapToGlobal(at));
    QApplication::sendEvent(view->tabStrip(), &event);
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests[0][0].toString(), QStringLiteral("MenuFolio"));
    EXPECT_EQ(requests[0][1].toPoint(), view->tabStrip()->mapToGlobal(at));
}

TEST_F(ViewTest, ControlPageDownWalksEveryFolioAndStopsAtTheLast) {
    for (int expected : {1, 2, 2}) {
        QTest::keyClick(view->pane(), Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(view->folioIndex(), expected);
    }
    QTest::keyClick(view->pane(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view->folioIndex(), 0);
    QTest::keyClick(view->pane(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view->folioIndex(), 2);
}

TEST_F(ViewTest, ZoomStopsAtBothEndsWithoutRepainting) {
    QSignalSpy zooms(view.get(), &saoView::zoomChanged);
    view->zoomCommand(768);
    EXPECT_EQ(view->zoomLevel(), 8);
    view->zoomCommand(769); // + at 200 %
    EXPECT_EQ(view->zoomLevel(), 8);
    view->zoomCommand(760);
    view->zoomCommand(770); // - at 10 %
    EXPECT_EQ(view->zoomLevel(), 0);
    EXPECT_EQ(zooms.count(), 2);
    // The rulers follow the pane's zoom.
    EXPECT_EQ(view->horizontalRuler()->rulerView().zoom, 0);
}

TEST_F(ViewTest, TwoViewsOfOneDocumentRepaintEachOthersChanges) {
    saoView second(doc);
    second.resize(640, 480);
    second.show();
    Folio& folio = *doc.folios[0];
    auto grabbed = [](saoView& v) {
        return v.pane()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_EQ(grabbed(*view).pixel(130, 120), qRgb(0, 0, 0));
    EXPECT_EQ(grabbed(second).pixel(130, 120), qRgb(0, 0, 0));
    Shape& box = *folio.objects.front();
    deleteSelection(doc, folio); // nothing selected: records nothing visible
    box.selected = true;
    deleteSelection(doc, folio);
    EXPECT_NE(grabbed(*view).pixel(130, 120), qRgb(0, 0, 0));
    EXPECT_NE(grabbed(second).pixel(130, 120), qRgb(0, 0, 0));
}

TEST_F(ViewTest, FoliosAreAddedRenamedAndDeletedThroughTheDialogs) {
    answerFolioDialog("0", true);
    view->addFolio();
    ASSERT_EQ(doc.folios.size(), 4u);
    EXPECT_EQ(doc.folios[0]->number, "0"); // filed in number order
    EXPECT_EQ(view->folioIndex(), 0);      // and shown
    answerFolioDialog("9", false);
    view->addFolio();
    EXPECT_EQ(doc.folios.size(), 4u);

    answerFolioDialog("4", true);
    view->folioInformation();
    EXPECT_EQ(doc.folios.back()->number, "4");
    EXPECT_EQ(view->folio(), doc.folios.back().get());
    EXPECT_EQ(view->folioIndex(), 3);

    ui.answers.push_back(MessageAnswer::Yes);
    view->deleteFolio();
    ASSERT_EQ(doc.folios.size(), 3u);
    EXPECT_EQ(view->folioIndex(), 2);
    EXPECT_EQ(view->folio(), doc.folios[2].get());
    EXPECT_EQ(view->folio()->useCount, 1);
}

TEST_F(ViewTest, TheFolioListShowsEveryFolioAndGoesToTheChosenOne) {
    doc.folios[1]->titles[0] = "Sch\xe9ma";
    doc.folios[1]->author = "Moi";
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<DlogListeFolios*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->list()->count(), 3);
        EXPECT_EQ(dialog->list()->currentRow(), 0);
        EXPECT_EQ(dialog->list()->item(1)->text(), QString::fromUtf8("2 : Schéma / Moi - "));
        dialog->list()->setCurrentRow(2);
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == QString::fromUtf8("&Atteindre"))
                QTest::mouseClick(button, Qt::LeftButton);
    });
    view->folioList();
    EXPECT_EQ(view->folioIndex(), 2);
}

TEST_F(ViewTest, EnterEditsTheSelectedTextAsAModification) {
    Folio& folio = *view->folio();
    Shape& text = folio.append(test::makeShape(kText, {{200000, 200000}, {300000, 240000}}, "avant"));
    text.selected = true;
    refreshSelectionSummary(doc);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<DlogTexte*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->field()->setPlainText(QString::fromUtf8("première\nseconde"));
        dialog->accept();
    });
    QTest::keyClick(view->pane(), Qt::Key_Return);
    EXPECT_EQ(text.data, "premi\xe8re\r\nseconde");
    EXPECT_EQ(undoLabelFor(doc, &folio).text, "&Annuler la modification\tCtrl+Z");
}

TEST(ViewState, KeptThroughASaveAndReopen) {
    test::ScriptedUserInterface ui;
    test::TemporaryFolder folder;
    const auto path = folder / "vue.dls";
    {
        saoDoc doc;
        fill(doc, {"1"});
        doc.setPath(path);
        saoView view(doc);
        view.resize(500, 400);
        view.show();
        view.zoomCommand(767);
        view.setTabsShown(false);
        view.setGridShown(false);
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        doc.close();
    }
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    saoView view(doc);
    view.resize(500, 400);
    view.show();
    EXPECT_EQ(view.zoomLevel(), 7);
    EXPECT_FALSE(view.tabsShown());
    EXPECT_TRUE(view.rulersShown());
    EXPECT_FALSE(view.gridShown());
    doc.close();
}

} // namespace
} // namespace plexo
