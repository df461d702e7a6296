// The document and view settings dialogs offscreen, driven with real keys and
// clicks: what OK answers, that "&Annuler" answers nothing, and the page count
// dialog run from the schéma view's command down to the pane's scroll range.
#include "edit/schemacommands.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "support/testenvironment.h"
#include "views/dialogs/dlogcartouche.h"
#include "views/dialogs/dloggrilles.h"
#include "views/dialogs/dlognbpages.h"
#include "views/dialogs/dlogtailledoc.h"
#include "views/dialogs/dlogunite.h"
#include "views/schema/pane.h"
#include "views/schema/saoview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace plexo {
namespace {

// Runs `act` on the next modal dialog of type D once it is shown.
template <typename D> void whenShown(std::function<void(D&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

void press(QDialog& dialog, const char* text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == QString::fromUtf8(text)) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    ADD_FAILURE() << "no button " << text;
}

// Replaces a box's text by typing, as a user who selects it all first.
void type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Clicks a radio button or check box on its indicator, which is what it takes
// as a hit (its middle may lie past its label).
void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QStringList texts(DlogGrilles& dialog) {
    return {dialog.stepField(0)->text(), dialog.stepField(1)->text(), dialog.stepField(2)->text()};
}

TEST(DlogGrilles, SwitchingUnitsShowsTheSameStepsAndOkWithoutAnEditKeepsThem) {
    const GridStepSettings steps{28346, 12345, 2834};
    whenShown<DlogGrilles>([](DlogGrilles& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Grilles magnétiques"));
        EXPECT_TRUE(dialog.millimetresButton()->isChecked());
        const QStringList before = texts(dialog);
        EXPECT_EQ(before, (QStringList{"10", "4,36", "1"}));
        click(dialog.pointsButton());
        EXPECT_EQ(texts(dialog), (QStringList{"28,35", "12,35", "2,84"}));
        click(dialog.millimetresButton());
        EXPECT_EQ(texts(dialog), before);
        QTest::keyClick(dialog.stepField(0), Qt::Key_Return); // the default button: OK
    });
    EXPECT_EQ(DlogGrilles::ask(steps, true, nullptr), steps);
}

TEST(DlogGrilles, TypedStepsOfZeroOrLessBecomeOneAndCancelAnswersNothing) {
    const GridStepSettings steps{28346, 28346, 2834};
    whenShown<DlogGrilles>([](DlogGrilles& dialog) {
        EXPECT_EQ(dialog.stepField(0)->maxLength(), 14);
        type(dialog.stepField(0), "0");
        type(dialog.stepField(1), "-3");
        type(dialog.stepField(2), "2,5");
        // Typed in points, read in points when switching to millimetres.
        click(dialog.millimetresButton());
        EXPECT_EQ(dialog.stepField(2)->text(), "0,88");
        press(dialog, "&OK");
    });
    EXPECT_EQ(DlogGrilles::ask(steps, false, nullptr), (GridStepSettings{1, 1, 2500}));

    whenShown<DlogGrilles>([](DlogGrilles& dialog) {
        type(dialog.stepField(0), "7");
        QTest::keyClick(dialog.stepField(0), Qt::Key_Escape);
    });
    EXPECT_EQ(DlogGrilles::ask(steps, false, nullptr), std::nullopt);
}

TEST(DlogNbPages, TypedCountsAreLimitedAndLettersRefused) {
    whenShown<DlogNbPages>([](DlogNbPages& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Nombre de pages du folio"));
        EXPECT_EQ(dialog.acrossField()->text(), "2");
        EXPECT_EQ(dialog.acrossField()->maxLength(), 9);
        // The across box has the focus with its text selected: typing replaces it.
        QTest::keyClicks(dialog.acrossField(), "3x00");
        EXPECT_EQ(dialog.acrossField()->text(), "300");
        QTest::keyClick(dialog.acrossField(), Qt::Key_Tab);
        EXPECT_EQ(dialog.focusWidget(), dialog.downField());
        type(dialog.downField(), "0");
        QTest::keyClick(dialog.downField(), Qt::Key_Return);
    });
    EXPECT_EQ(DlogNbPages::ask({2, 3}, nullptr), (PageCountSettings{40, 1}));
}

TEST(DlogTailleDoc, ShowsAndAnswersFormatScaleAndOrientation) {
    whenShown<DlogTailleDoc>([](DlogTailleDoc& dialog) {
        EXPECT_EQ(dialog.formatList()->currentText(), "A4 (210x297)");
        EXPECT_EQ(dialog.scaleList()->currentText(), "100%");
        EXPECT_TRUE(dialog.portraitButton()->isChecked());
        QTest::keyClick(dialog.formatList(), Qt::Key_Down); // A3
        dialog.scaleList()->setFocus();
        for (int i = 0; i < 3; ++i) // 100 % -> 50 %
            QTest::keyClick(dialog.scaleList(), Qt::Key_Up);
        click(dialog.landscapeButton());
        press(dialog, "&OK");
    });
    EXPECT_EQ(DlogTailleDoc::ask({0, 6, true}, nullptr), (DocumentSizeSettings{1, 3, false}));

    // A format read from a file that the list does not hold is kept as it was.
    DlogTailleDoc odd({9, 6, false});
    EXPECT_EQ(odd.formatList()->currentIndex(), -1);
    EXPECT_EQ(odd.settings(), (DocumentSizeSettings{9, 6, false}));
    whenShown<DlogTailleDoc>([](DlogTailleDoc& dialog) {
        QTest::keyClick(dialog.formatList(), Qt::Key_Down);
        press(dialog, "&Annuler");
    });
    EXPECT_EQ(DlogTailleDoc::ask({0, 6, true}, nullptr), std::nullopt);
}

TEST(DlogUnite, AnswersTheCheckedUnit) {
    whenShown<DlogUnite>([](DlogUnite& dialog) {
        EXPECT_TRUE(dialog.millimetresButton()->isChecked());
        click(dialog.pointsButton());
        press(dialog, "&OK");
    });
    EXPECT_EQ(DlogUnite::ask(true, nullptr), false);
}

TEST(DlogCartouche, KeepsTheNameASaveKeepsAndAnswersCornerAndTurn) {
    whenShown<DlogCartouche>([](DlogCartouche& dialog) {
        EXPECT_EQ(dialog.nameField()->text(), QString::fromUtf8("Cartouche été"));
        EXPECT_TRUE(dialog.cornerButton(2)->isChecked());
        // Sixty characters typed: the box keeps the 49 the document's header keeps.
        type(dialog.nameField(), QString(60, QChar('n')));
        EXPECT_EQ(dialog.nameField()->text().size(), 49);
        click(dialog.cornerButton(1));
        dialog.rotatedBox()->setFocus();
        QTest::keyClick(dialog.rotatedBox(), Qt::Key_Space);
        press(dialog, "&OK");
    });
    const auto answered = DlogCartouche::ask({"Cartouche \xe9t\xe9", 2, false}, nullptr);
    ASSERT_TRUE(answered);
    EXPECT_EQ(answered->name, std::string(49, 'n'));
    EXPECT_EQ(answered->corner, 1);
    EXPECT_TRUE(answered->rotated);

    // An empty name: no title block.
    whenShown<DlogCartouche>([](DlogCartouche& dialog) {
        type(dialog.nameField(), "");
        QTest::keyClick(dialog.nameField(), Qt::Key_Return);
    });
    EXPECT_EQ(DlogCartouche::ask({"Cartouche A4", 0, true}, nullptr), (TitleBlockSettings{"", 0, true}));
}

TEST(SettingsDialogs, PageCountFromTheViewWidensTheFolioAndItsScrollRange) {
    test::RecordingLog log;
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    saoView view(document);
    view.resize(640, 480);
    view.show();
    const int rangeBefore = view.pane()->view().rangeX();
    const Rect extentBefore = document.folios.front()->extent();

    // Cancelled: nothing changes.
    whenShown<DlogNbPages>([](DlogNbPages& dialog) {
        QTest::keyClicks(dialog.acrossField(), "4");
        press(dialog, "&Annuler");
    });
    ASSERT_TRUE(schemaCommands().run(cmd::kPageCount, view));
    EXPECT_EQ(document.folios.front()->pagesAcross, 1);
    EXPECT_FALSE(document.isModified());

    whenShown<DlogNbPages>([](DlogNbPages& dialog) {
        QTest::keyClicks(dialog.acrossField(), "4");
        QTest::keyClick(dialog.acrossField(), Qt::Key_Return);
    });
    ASSERT_TRUE(schemaCommands().run(cmd::kPageCount, view));
    EXPECT_EQ(document.folios.front()->pagesAcross, 4);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.folios.front()->extent().right, extentBefore.right * 4);
    EXPECT_GT(view.pane()->view().rangeX(), rangeBefore);
    EXPECT_EQ(view.pane()->view().layout().folioExtent.right, extentBefore.right * 4);
}

} // namespace
} // namespace plexo
