// The object property dialogs offscreen with real key and mouse events: Enter
// on the pane opens the dialog of the selected object's kind, OK writes only
// that object as "la modification", a wrong value keeps the dialog open with
// its message, and "&Annuler" changes nothing.
#include "views/schema/saoview.h"

#include "base/textcodec.h"
#include "edit/propertystrings.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"
#include "views/dialogs/dlogcalendrier.h"
#include "views/dialogs/dlogfil.h"
#include "views/dialogs/dlogmidi.h"
#include "views/dialogs/dlogshape.h"
#include "views/dialogs/dlogsymbole.h"
#include "views/schema/pane.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace plexo {
namespace {

constexpr const char* kModification = "&Annuler la modification\tCtrl+Z";

// Runs steps on the next modal dialog of type D once it is shown.
template <class D> void onDialog(std::function<void(D&)> steps) {
    QTimer::singleShot(0, [steps] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        steps(*dialog);
    });
}

// Replaces what a field holds by typing.
void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Clicks a radio button or a check box on its indicator (a click beyond its text misses).
void clickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

class PropertyDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.open({}));
        doc.unitIsMm = 0;
        view = std::make_unique<saoView>(doc);
        view->resize(640, 480);
        view->show();
    }
    void TearDown() override {
        view.reset();
        doc.close();
    }
    Shape& add(int kind, std::vector<Point> points, const std::string& text = {}) {
        Shape& shape = view->folio()->append(test::makeShape(kind, std::move(points), text));
        shape.takeUndoCopy();
        return shape;
    }
    void select(Shape& shape) {
        deselectAll(doc);
        shape.selected = true;
        refreshSelectionSummary(doc);
    }
    void pressEnter() { QTest::keyClick(view->pane(), Qt::Key_Return); }
    std::string undoText() { return undoLabelFor(doc, view->folio()).text; }

    test::ScriptedUserInterface ui;
    saoDoc doc;
    std::unique_ptr<saoView> view;
};

TEST_F(PropertyDialogs, ObjectPropertiesTypedAndConfirmedWithEnter) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}}, "P1");
    Shape& other = add(kRectangle, {{300000, 100000}, {360000, 140000}}, "P9");
    select(box);
    onDialog<DlogShape>([](DlogShape& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Propriétés Objet"));
        EXPECT_TRUE(dialog.pointsButton()->isChecked());
        EXPECT_EQ(dialog.edgeField(2)->text(), "160");
        QTest::keyClicks(dialog.nameField(), "Vanne"); // the name is selected on opening
        type(dialog.edgeField(2), "200,5");
        QTest::keyClick(dialog.edgeField(2), Qt::Key_Return);
    });
    pressEnter();
    EXPECT_EQ(box.data, "Vanne");
    EXPECT_EQ(box.points[1], (Point{200500, 140000}));
    EXPECT_EQ(box.points[0], (Point{100000, 100000}));
    EXPECT_EQ(other.data, "P9");
    EXPECT_EQ(undoText(), kModification);
    undoAction(doc);
    EXPECT_EQ(box.data, "P1");
    EXPECT_EQ(box.points[1], (Point{160000, 140000}));
}

TEST_F(PropertyDialogs, AWrongNumberKeepsTheDialogOpenAndEscapeChangesNothing) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}}, "P1");
    select(box);
    onDialog<DlogShape>([this](DlogShape& dialog) {
        type(dialog.edgeField(0), "abc");
        QTest::keyClick(dialog.edgeField(0), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "« abc » n'est pas un nombre valide.");
        EXPECT_EQ(ui.boxes[0].caption, "Propriétés Objet");
        // A right edge left of the left one is refused too.
        type(dialog.edgeField(0), "170");
        QTest::keyClick(dialog.edgeField(0), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(ui.boxes.size(), 2u);
        EXPECT_EQ(ui.boxes[1].text, propstr::kReversedBox);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    pressEnter();
    EXPECT_EQ(box.points[0], (Point{100000, 100000}));
    EXPECT_FALSE(undoLabelFor(doc, view->folio()).enabled);
}

TEST_F(PropertyDialogs, TheOutlineFollowsTheUnitAndTheCalibration) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}});
    DlogShape dialog(box, false);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    clickIndicator(dialog.millimetresButton());
    EXPECT_EQ(dialog.edgeField(0)->text(), "35,28");       // 100 points
    EXPECT_EQ(dialog.calibrationField()->text(), "21,17"); // the 60-point width
    clickIndicator(dialog.pointsButton());
    EXPECT_EQ(dialog.edgeField(0)->text(), "100") << "the exact coordinate is kept";
    // The 60-point width stands for 120: every length reads twice as long.
    clickIndicator(dialog.calibrateBox());
    type(dialog.calibrationField(), "120");
    QTest::keyClick(dialog.calibrationField(), Qt::Key_Tab);
    EXPECT_EQ(dialog.edgeField(0)->text(), "200");
    EXPECT_EQ(dialog.edgeField(2)->text(), "320");
    type(dialog.edgeField(2), "340");
    dialog.accept();
    EXPECT_EQ(dialog.values().box, (Rect{100000, 100000, 170000, 140000}));
}

TEST_F(PropertyDialogs, WireLabelsTypedEndToEnd) {
    Shape& wire = add(kWire, {{100000, 100000}, {200000, 100000}}, "A");
    select(wire);
    onDialog<DlogFil>([](DlogFil& dialog) {
        EXPECT_EQ(dialog.firstField()->text(), "A");
        type(dialog.firstField(), "X1");
        QTest::keyClick(dialog.firstField(), Qt::Key_Tab);
        QTest::keyClicks(dialog.secondField(), "Y2");
        QTest::keyClick(dialog.secondField(), Qt::Key_Return);
    });
    pressEnter();
    EXPECT_EQ(wire.data, "X1\tY2");
    EXPECT_EQ(undoText(), kModification);
}

TEST_F(PropertyDialogs, CalendarNotesMoveDayByDay) {
    Shape& calendar = add(kCalendar, {{100000, 100000}, {280000, 545500}});
    *calendar.infoCalendrier = InfoCalendrier{};
    calendar.infoCalendrier->year = calendar.infoCalendrier->secondYear = 2024;
    calendar.infoCalendrier->month = calendar.infoCalendrier->secondMonth = 5;
    calendar.infoCalendrier->day = 8;
    calendar.takeUndoCopy();
    select(calendar);
    onDialog<DlogCalendrier>([](DlogCalendrier& dialog) {
        EXPECT_EQ(dialog.dayTitle()->text(), QString::fromUtf8("Mercredi 8 Mai 2024"));
        QTest::keyClicks(dialog.noteField(), "Reunion");
        QTest::mouseClick(dialog.moveButton(2), Qt::LeftButton); // next day
        EXPECT_EQ(dialog.dayTitle()->text(), QString::fromUtf8("Jeudi 9 Mai 2024"));
        EXPECT_TRUE(dialog.noteField()->text().isEmpty());
        QTest::keyClicks(dialog.noteField(), "Visite");
        clickIndicator(dialog.hatchedBox());
        QTest::mouseClick(dialog.moveButton(1), Qt::LeftButton); // back: the first note is there
        EXPECT_EQ(dialog.noteField()->text(), "Reunion");
        QTest::mouseClick(dialog.moveButton(3), Qt::LeftButton); // next month
        EXPECT_EQ(dialog.dayTitle()->text(), QString::fromUtf8("Samedi 8 Juin 2024"));
        QTest::keyClick(dialog.noteField(), Qt::Key_Return);
    });
    pressEnter();
    const auto& notes = calendar.infoCalendrier->notes;
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].text, "Reunion");
    EXPECT_EQ(notes[1].text, "Visite");
    EXPECT_EQ(notes[1].day, 9);
    EXPECT_EQ(notes[1].hatched, 1);
    EXPECT_EQ(calendar.infoCalendrier->secondMonth, 6);
    undoAction(doc);
    EXPECT_TRUE(calendar.infoCalendrier->notes.empty());
}

TEST_F(PropertyDialogs, AMidiShortcutIsBrowsedForAndNeedsAPath) {
    Shape& shortcut = add(kMidiShortcut, {{100000, 100000}, {100000, 100000}}, "/a.mid");
    select(shortcut);
    QStringList starts;
    onDialog<DlogMidi>([this, &starts](DlogMidi& dialog) {
        dialog.chooseFile = [&starts](const QString& start) {
            starts << start;
            return QString::fromUtf8("/musique/été.mid");
        };
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.pathField()->text(), QString::fromUtf8("/musique/été.mid"));
        dialog.pathField()->clear();
        QTest::keyClick(dialog.pathField(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, propstr::kNoMidiPath);
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        QTest::keyClick(dialog.pathField(), Qt::Key_Return);
    });
    pressEnter();
    EXPECT_EQ(starts, (QStringList{"/a.mid", ""})) << "the file dialog starts from the path shown";
    EXPECT_EQ(shortcut.data, utf8ToCp1252("/musique/été.mid"));
}

TEST_F(PropertyDialogs, ARecordedSequenceCannotBeEdited) {
    Shape& sequence = add(kSequence, {{100000, 100000}, {100000, 100000}});
    select(sequence);
    pressEnter();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Cet objet contient une séquence enregistrée et ne peut pas être édité.");
    EXPECT_EQ(ui.boxes[0].caption, "Séquence");
    EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Information);
}

TEST(DlogSymbole, TheSelectedLabelIsEditedInItsField) {
    SymbolProperties values;
    values.symbol = "relais";
    values.name = "K1";
    values.labels = {"A1", "A2"};
    values.comments = "ligne";
    DlogSymbole dialog(values);
    dialog.show();
    EXPECT_EQ(dialog.labelField()->text(), "A1");
    dialog.labelList()->setFocus();
    QTest::keyClick(dialog.labelList(), Qt::Key_Down);
    EXPECT_EQ(dialog.labelField()->text(), "A2");
    type(dialog.labelField(), "B2");
    EXPECT_EQ(dialog.labelList()->item(1)->text(), "B2");
    dialog.commentsField()->setFocus();
    QTest::keyClick(dialog.commentsField(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(dialog.commentsField(), " 2");
    QTest::keyClick(dialog.labelField(), Qt::Key_Return);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().labels, (std::vector<std::string>{"A1", "B2"}));
    EXPECT_EQ(dialog.values().name, "K1");
    EXPECT_EQ(dialog.values().comments, "ligne 2");

    // Comments held in a block of other data cannot be edited.
    values.commentsEditable = false;
    DlogSymbole locked(values);
    EXPECT_FALSE(locked.commentsField()->isEnabled());
}

} // namespace
} // namespace plexo
