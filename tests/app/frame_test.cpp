#include "apptestsupport.h"

#include "app/messagesview.h"
#include "app/palettewindow.h"
#include "app/therm.h"
#include "shapes/fontlist.h"

#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::RunningApp;

std::vector<int> toolBarIds(QToolBar* bar) {
    std::vector<int> ids;
    for (QAction* action : bar->actions())
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    return ids;
}

QMenu* topMenu(saoFrame& frame, const QString& title) {
    for (QAction* action : frame.menuBar()->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

QStringList texts(QMenu* menu) {
    QStringList all;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            all << action->text();
    return all;
}

TEST(Frame, CaptionMenusAndAccelerators) {
    RunningApp running;
    saoFrame& frame = running.frame();
    EXPECT_EQ(frame.windowTitle(), "Plexo v1.0.5");
    EXPECT_TRUE(frame.isVisible());

    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&Fichier", "&Edition", "&Document", "&Outils", "&Affichage",
                                   QString::fromUtf8("Fe&nêtre"), "&?"}));

    QStringList file = texts(topMenu(frame, "&Fichier"));
    for (const char* text : {"&Nouveau\tCtrl+N", "&Ouvrir...\tCtrl+O", "&Fermer", "&Sauver\tCtrl+S",
                             "S&auver sous...", "&Quitter"})
        EXPECT_TRUE(file.contains(QString::fromUtf8(text))) << text;
    EXPECT_EQ(texts(topMenu(frame, "&?")),
              (QStringList{"&Documentation...\tF1", "&Lisez-moi (informations utiles)...",
                           "&A propos de Plexo..."}));
    QStringList window = texts(topMenu(frame, QString::fromUtf8("Fe&nêtre")));
    EXPECT_TRUE(window.contains("&Cascade"));
    EXPECT_TRUE(window.contains(QString::fromUtf8("&Mosaïque")));
    QStringList display = texts(topMenu(frame, "&Affichage"));
    for (const char* text :
         {"Afficher les mess&ages", "&Librairies de symboles", "Afficher les attributs de st&yles"})
        EXPECT_TRUE(display.contains(QString::fromUtf8(text))) << text;

    struct Accelerator {
        int id;
        QKeySequence keys;
    } accelerators[] = {
        {717, QKeySequence(Qt::Key_F1)},      {769, QKeySequence(Qt::Key_Plus)},
        {770, QKeySequence(Qt::Key_Minus)},   {1206, QKeySequence("Ctrl+Z")},
        {1207, QKeySequence(Qt::Key_Delete)}, {789, QKeySequence(Qt::Key_F9)},
        {24333, QKeySequence("Ctrl+S")},
    };
    for (const auto& a : accelerators)
        EXPECT_EQ(running.action(a.id).shortcut(), a.keys) << a.id;

    // The popup menus other windows show.
    for (const char* name :
         {"MenuEdition", "MenuEchelle", "MenuFuseau", "MenuFleche1", "MenuFleche2", "MenuSize", "MenuFont"})
        EXPECT_NE(frame.popupMenu(name), nullptr) << name;
    QStringList zones = texts(frame.popupMenu("MenuFuseau"));
    ASSERT_EQ(zones.size(), 24);
    EXPECT_EQ(zones.front(), "GMT-11 (Samoa)");
    EXPECT_EQ(zones.back(), "GMT+12 (Auckland)");
    EXPECT_EQ(texts(frame.popupMenu("MenuEchelle")).front(), "10%");
}

TEST(Frame, EveryFileMenuCommandHasItsOwnMnemonic) {
    RunningApp running;
    QMenu* file = topMenu(running.frame(), "&Fichier");
    ASSERT_NE(file, nullptr);
    QSet<QChar> letters;
    int commands = 0;
    for (QAction* action : file->actions()) {
        if (action->isSeparator() || action->data().toInt() <= 0)
            continue; // the recent files are numbered
        ++commands;
        const QString text = action->text().section('\t', 0, 0);
        const qsizetype at = text.indexOf('&');
        ASSERT_TRUE(at >= 0 && at + 1 < text.size()) << text.toStdString();
        const QChar letter = text[at + 1].toLower();
        EXPECT_FALSE(letters.contains(letter)) << text.toStdString();
        letters.insert(letter);
    }
    EXPECT_GE(commands, 11);
}

TEST(Frame, ToolBarsInTheirOrderWithHints) {
    RunningApp running;
    saoFrame& frame = running.frame();
    EXPECT_EQ(frame.commandsBar()->windowTitle(), "Commandes");
    EXPECT_EQ(frame.toolsBar()->windowTitle(), "Outils");
    EXPECT_EQ(
        toolBarIds(frame.commandsBar()),
        (std::vector<int>{24331, 24332, 24333, 0,    24337, 0, 1662, 0,    24322, 24323, 24324, 0, 1206,
                          0,     1648,  1649,  1650, 1651,  0, 1660, 1661, 0,     804,   805,   0, 1659}));
    EXPECT_EQ(toolBarIds(frame.toolsBar()),
              (std::vector<int>{101, 102, 103, 0,   104, 105, 106, 107, 108, 109, 110, 111,
                                112, 113, 0,   115, 116, 0,   117, 114, 0,   118, 119, 120}));
    for (QToolBar* bar : {frame.commandsBar(), frame.toolsBar()})
        for (QAction* action : bar->actions()) {
            if (action->isSeparator())
                continue;
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
            EXPECT_FALSE(action->toolTip().isEmpty()) << action->data().toInt();
        }
    // Without a document the view commands are there, disabled; the file commands work.
    frame.updateCommands();
    for (int id : {24322, 24323, 1206, 1648, 105, 24337, 24333})
        EXPECT_FALSE(running.action(id).isEnabled()) << id;
    for (int id : {24331, 24332, 723, 760, 770, 1720})
        EXPECT_TRUE(running.action(id).isEnabled()) << id;
}

TEST(Frame, StatusBarBoxesClockAndZoom) {
    RunningApp running;
    saoFrame& frame = running.frame();
    Therm& therm = *frame.therm();
    for (const char* name : {"pageIndicator", "zoomBox", "clockBox", "capsLock", "numLock"})
        EXPECT_NE(therm.findChild<QWidget*>(name), nullptr) << name;
    for (int id : {784, 785, 787, 788, 1201, 1202, 1203, 725, 798, 723, 724})
        EXPECT_NE(therm.findChild<QWidget*>(QString("button%1").arg(id)), nullptr) << id;
    EXPECT_EQ(therm.findChild<QLabel*>("capsLock")->text(), "Maj");
    EXPECT_EQ(therm.findChild<QLabel*>("numLock")->text(), "Num");

    EXPECT_TRUE(therm.clockText().endsWith("(Londres)")) << therm.clockText().toStdString();
    running.action(1732).trigger(); // GMT+1
    EXPECT_EQ(running.app->settings().timeZoneOffset, 1);
    EXPECT_TRUE(therm.clockText().endsWith("(Paris)"));
    frame.updateCommands();
    EXPECT_TRUE(running.action(1732).isChecked());
    EXPECT_FALSE(running.action(1731).isChecked());

    EXPECT_EQ(therm.zoomText(), "----");
    frame.setZoomText(8);
    EXPECT_EQ(therm.zoomText(), "200%");

    // Clicking the boxes opens their popups.
    QTest::mouseClick(therm.zoomBox(), Qt::LeftButton);
    EXPECT_TRUE(frame.popupMenu("MenuEchelle")->isVisible());
    frame.popupMenu("MenuEchelle")->hide();
    QTest::mouseClick(therm.clockBox(), Qt::LeftButton);
    EXPECT_TRUE(frame.popupMenu("MenuFuseau")->isVisible());
    frame.popupMenu("MenuFuseau")->hide();
}

TEST(Frame, ProgressGaugeThroughTheCoreInterface) {
    RunningApp running;
    running.ui.reset(); // the application's own interface
    Therm& therm = *running.frame().therm();
    userInterface().startProgress(40, "Enregistrement de 'plan'...");
    EXPECT_TRUE(therm.gauge()->isVisible());
    EXPECT_EQ(therm.gauge()->maximum(), 40);
    userInterface().advanceProgress(10);
    EXPECT_EQ(therm.gauge()->value(), 10);
    EXPECT_EQ(therm.gauge()->text(), "Enregistrement de 'plan'...  25%");
    userInterface().advanceProgress(400); // beyond the total: kept in range
    EXPECT_EQ(therm.gauge()->value(), 40);
    userInterface().resetProgress();
    EXPECT_FALSE(therm.gauge()->isVisible());
}

TEST(Frame, ZoomWithoutDocumentBeeps) {
    RunningApp running;
    saoFrame& frame = running.frame();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_Plus);
    EXPECT_EQ(running.ui->beeps, 1);
    running.action(762).trigger();
    EXPECT_EQ(running.ui->beeps, 2);
}

TEST(Frame, PalettesToggleAndKeepTheirPlacement) {
    RunningApp running;
    saoFrame& frame = running.frame();
    struct Case {
        int command;
        const char* caption;
        QWidget* (*palette)(saoFrame&);
        QPoint defaultPosition;
    } cases[] = {
        {798, "Symboles", [](saoFrame& f) -> QWidget* { return f.symbolsPalette(); }, {120, 120}},
        {724, "Styles", [](saoFrame& f) -> QWidget* { return f.attributesPalette(); }, {130, 130}},
        {723, "Messages", [](saoFrame& f) -> QWidget* { return f.messagesView(); }, {110, 110}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.palette(frame), nullptr);
        running.action(c.command).trigger();
        QWidget* palette = c.palette(frame);
        ASSERT_NE(palette, nullptr) << c.caption;
        EXPECT_TRUE(palette->isVisible());
        EXPECT_TRUE(palette->isWindow());
        EXPECT_EQ(palette->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(palette->pos(), c.defaultPosition) << c.caption;
        EXPECT_TRUE(running.action(c.command).isChecked());
        palette->move(300, 200);
        running.action(c.command).trigger();
        test::processDeferredDeletes();
        EXPECT_EQ(c.palette(frame), nullptr);
        EXPECT_FALSE(running.action(c.command).isChecked());
        running.action(c.command).trigger();
        EXPECT_EQ(c.palette(frame)->pos(), QPoint(300, 200)) << c.caption;
    }
    EXPECT_EQ(frame.attributesPalette()->size(), QSize(464, 53));
}

TEST(Frame, ErrorWithPopUpOpensTheMessageWindowInRed) {
    RunningApp running;
    saoFrame& frame = running.frame();
    ASSERT_EQ(frame.messagesView(), nullptr);
    logMessage(0, 0, kInformation, "Lecture du folio 'A'", false);
    EXPECT_EQ(frame.messagesView(), nullptr);
    EXPECT_EQ(running.ui->beeps, 0);
    logMessage(0, 0, kError, "*** Folio 'A' illisible", true);
    MessagesView* view = frame.messagesView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(running.ui->beeps, 1);
    const auto& messages = running.app->messageLog().messages();
    ASSERT_GE(messages.size(), 3u); // the start line, then the two above
    EXPECT_EQ(messages.back().text, "*** Folio 'A' illisible");

    // The last line is red, the one before it black.
    QImage image = view->grab().toImage();
    auto lineHas = [&](int line, auto predicate) {
        const int top = MessagesView::kTextTop + (line - view->scrollPosition()) * MessagesView::kLineHeight;
        for (int y = top; y < top + MessagesView::kLineHeight && y < image.height(); ++y)
            for (int x = 0; x < image.width() / 2; ++x)
                if (predicate(image.pixelColor(x, y)))
                    return true;
        return false;
    };
    auto reddish = [](QColor c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; };
    auto dark = [](QColor c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; };
    const int last = static_cast<int>(messages.size()) - 1;
    EXPECT_TRUE(lineHas(last, reddish));
    EXPECT_FALSE(lineHas(last - 1, reddish));
    EXPECT_TRUE(lineHas(last - 1, dark));

    // A second pop-up while open beeps no more; many lines scroll to the end.
    view->resize(400, 100);
    for (int i = 0; i < 30; ++i)
        logMessage(0, 0, kError, "ligne " + std::to_string(i), true);
    EXPECT_EQ(running.ui->beeps, 1);
    EXPECT_GT(view->scrollRange(), 0);
    EXPECT_EQ(view->scrollPosition(), view->scrollRange());
    view->resize(400, 2000); // everything fits: back to the top
    EXPECT_EQ(view->scrollRange(), 0);
    EXPECT_EQ(view->scrollPosition(), 0);
}

TEST(Frame, FontMenuListsTheFirstFifteenFaces) {
    RunningApp running;
    QMenu* fonts = running.frame().popupMenu("MenuFont");
    const auto actions = fonts->actions();
    const int faces = std::min(fontList().size(), 15);
    ASSERT_EQ(actions.size(), faces + 2);
    for (int i = 0; i < faces; ++i)
        EXPECT_EQ(actions[i]->data().toInt(), 1301 + i);
    EXPECT_TRUE(actions[faces]->isSeparator());
    EXPECT_EQ(actions.back()->text(), "Autre police...");
    EXPECT_LE(fontList().size(), FontList::kMaxInstalledFonts);
}

} // namespace
} // namespace plexo
