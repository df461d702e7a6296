// The style palette offscreen with real clicks: a click sets the field on the
// selection of the view it follows, the "Guitare" tab makes the window taller
// and back, the popups are asked for, a refused group beeps; each tab painted
// and saved to /tmp. The other-size dialog refuses values out of range.
#include "views/schema/attribview.h"

#include "edit/stylecommands.h"
#include "shapes/palette.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"
#include "views/dialogs/dlogothersize.h"
#include "views/schema/saoview.h"

#include <QApplication>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace plexo {
namespace {

class AttribViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.open({}));
        Folio* folio = doc.folios.front().get();
        folio->acquire();
        folio->append(test::makeShape(kRectangle, {{100000, 100000}, {160000, 140000}}));
        folio->append(test::makeShape(kText, {{200000, 100000}, {260000, 120000}}, "abc"));
        folio->append(test::makeShape(kChordGrid, {{300000, 100000}, {330000, 140000}}));
        folio->release(true);
        view = std::make_unique<saoView>(doc);
        view->resize(640, 480);
        view->show();
        ASSERT_NE(view->folio(), nullptr);
        ASSERT_EQ(view->folio()->objects.size(), 3u);
        window.move(30, 40);
        window.show();
        attrib->setView(view.get());
    }
    void TearDown() override {
        view.reset();
        doc.close();
    }
    Shape& object(std::size_t i) { return *view->folio()->objects.at(i); }
    void select(std::initializer_list<std::size_t> indexes) {
        for (auto& shape : view->folio()->objects)
            shape->selected = false;
        for (std::size_t i : indexes)
            object(i).selected = true;
        refreshSelectionSummary(doc);
    }
    void click(int x, int y) { QTest::mouseClick(attrib, Qt::LeftButton, {}, QPoint(x, y)); }
    void chooseTab(int tab) { click(9 + 48 * tab + 20, 8); }

    test::ScriptedUserInterface ui;
    saoDoc doc;
    std::unique_ptr<saoView> view;
    QWidget window{nullptr, Qt::Tool};
    AttribView* attrib = new AttribView(&window);
};

TEST_F(AttribViewTest, AClickSetsTheFieldOfTheSelection) {
    select({0});
    chooseTab(1);
    EXPECT_EQ(attrib->tab(), 1);
    click(11 + 16 * 4 + 3, 30);
    EXPECT_EQ(object(0).style.colour, 4);
    EXPECT_EQ(undoLabelFor(doc, view->folio()).text, "&Annuler la modification\tCtrl+Z");
    // A text takes no line colour: the palette beeps and nothing changes.
    select({1});
    click(11 + 16 * 2 + 3, 30);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(object(0).style.colour, 4);
    // Both: only the rectangle takes it.
    select({0, 1});
    click(11 + 16 * 2 + 3, 30);
    EXPECT_EQ(object(0).style.colour, 2);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(AttribViewTest, GuitarTabGrowsTheWindowAndBack) {
    const QPoint corner = window.pos();
    EXPECT_EQ(window.height(), 53);
    chooseTab(8);
    EXPECT_EQ(attrib->height(), 103);
    EXPECT_EQ(window.height(), 103);
    EXPECT_EQ(window.pos(), corner);
    select({2});
    const int fret2 = 12 + 28 + 10, string0 = 26;
    click(fret2, string0);
    EXPECT_EQ(object(2).style.tuning[0], 2);
    click(fret2, string0);
    EXPECT_EQ(object(2).style.tuning[0], kNoTuning);
    chooseTab(0);
    EXPECT_EQ(window.height(), 53);
    EXPECT_EQ(window.width(), 464);
}

TEST_F(AttribViewTest, MenusAreAskedForAtTheMouse) {
    QSignalSpy popups(attrib, &AttribView::popupRequested);
    select({1});
    chooseTab(5);
    click(30, 30);
    click(190, 30);
    ASSERT_EQ(popups.size(), 2);
    EXPECT_EQ(popups[0][0].toString(), "MenuFont");
    EXPECT_EQ(popups[1][0].toString(), "MenuSize");
    EXPECT_EQ(popups[0][1].toPoint(), attrib->mapToGlobal(QPoint(30, 30)));
    chooseTab(4); // a text has no arrows
    click(30, 30);
    EXPECT_EQ(popups.size(), 2);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(AttribViewTest, WithoutAViewClicksDoNothing) {
    select({0});
    attrib->setView(nullptr);
    chooseTab(3);
    EXPECT_EQ(attrib->tab(), 0);
    attrib->setView(view.get());
    chooseTab(3);
    EXPECT_EQ(attrib->tab(), 3);
    view.reset(); // the view goes away first: the palette forgets it
    EXPECT_EQ(attrib->view(), nullptr);
    click(20, 30);
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(AttribViewTest, EveryTabPaintsTheSelectionsStyle) {
    object(0).style.set(kColour, kRed);
    object(2).style.set(kColour, kRed);
    object(2).style.tuning = {0, 2, 2, 1, 0, 0};
    for (int tab = 0; tab < attrib::kTabCount; ++tab) {
        // Both objects on "Couleur", the one that takes each other tab's fields alone.
        if (tab == 1)
            select({0, 2});
        else
            select({tab == attrib::kGuitarTab ? std::size_t{2} : std::size_t{0}});
        attrib->setTab(tab);
        const QImage image = attrib->grab().toImage();
        image.scaled(image.size() * 2).save(QString("/tmp/attrib_tab%1.png").arg(tab)); // to look at
        if (tab == 1) {
            const Rgb red = normalPaletteColour(kRed);
            EXPECT_EQ(image.pixelColor(11 + 16 + 6, 32), QColor(red.red, red.green, red.blue));
            // The common colour's cell is framed: its outer ring in the text colour.
            EXPECT_EQ(image.pixelColor(11 + 16 - 1, 32), attrib->palette().color(QPalette::WindowText));
            EXPECT_NE(image.pixelColor(11 + 32 - 1, 32), attrib->palette().color(QPalette::WindowText));
        }
        // A rectangle has no arrows: that group is drawn with the shadow pen; it has a fill pattern.
        if (tab == 4) {
            EXPECT_EQ(image.pixel(11, 30), attrib->palette().color(QPalette::Dark).rgb());
        }
        if (tab == 3) {
            EXPECT_EQ(image.pixel(52, 30), attrib->palette().color(QPalette::WindowText).rgb());
        }
    }
    // A selection on no folio of the view: the tabs alone.
    select({});
    attrib->setTab(1);
    const QImage empty = attrib->grab().toImage();
    EXPECT_EQ(empty.pixelColor(11 + 16 + 6, 32), attrib->palette().color(QPalette::Button));
}

TEST_F(AttribViewTest, TheFontDialogGivesBackWhatItWasOpenedOn) {
    for (const bool ok : {true, false}) {
        QTimer::singleShot(0, [ok] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ok ? dialog->accept() : dialog->reject();
        });
        const std::optional<FontChoice> chosen =
            view->askFont(FontChoice{"DejaVu Sans", 12, kFontBold | kFontItalic});
        if (!ok) {
            EXPECT_FALSE(chosen.has_value());
            continue;
        }
        ASSERT_TRUE(chosen.has_value());
        EXPECT_FALSE(chosen->face.empty());
        EXPECT_EQ(chosen->size, 12); // 16 pixels and back
        EXPECT_EQ(chosen->flags, kFontBold | kFontItalic);
    }
}

TEST(DlogOtherSizeTest, OkRefusesValuesOutOfRange) {
    test::ScriptedUserInterface ui;
    DlogOtherSize dialog(OtherSizeKind::FontSize, 9);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Taille de caractère"));
    EXPECT_EQ(dialog.field()->text(), "9");
    dialog.show();
    QPushButton* ok = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "&OK")
            ok = button;
    ASSERT_NE(ok, nullptr);
    for (const char* wrong : {"0", "201", "abc"}) {
        dialog.field()->setText(wrong);
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << wrong;
    }
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].text, "La valeur doit être comprise entre 1 et 200");
    dialog.field()->setText("36");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.value(), 36);
    DlogOtherSize width(OtherSizeKind::LineWidth, 3);
    EXPECT_EQ(width.windowTitle(), QString::fromUtf8("Epaisseur de trait"));
    EXPECT_EQ(width.field()->maxLength(), 9);
}

} // namespace
} // namespace plexo
