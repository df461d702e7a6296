// The presentation window offscreen with real key and mouse events: F9 opens
// and closes it, the keys scroll and record, the popup's rules, the title,
// the inverted video; a screenshot is kept in /tmp for a look.
#include "views/present/presentview.h"

#include "edit/schemacommands.h"
#include "shapes/infosequence.h"
#include "shapes/units.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"
#include "views/schema/saoview.h"

#include <QAction>
#include <QDialog>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace plexo {
namespace {

class TestClock : public PresentationClock {
public:
    std::int64_t milliseconds() const override { return now; }
    std::int64_t now = 5000;
};

class PresentViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.open({}));
        Folio& folio = *document.folios.front();
        folio.number = "P1";
        folio.pagesDown = 2;
        folio.acquire();
        auto box = test::makeShape(kRectangle, {{50000, 50000}, {400000, 300000}});
        box->style.set(kFillColour, 1);
        box->style.set(kPattern, 0);
        folio.append(std::move(box));
        folio.append(test::makeShape(kOval, {{100000, 400000}, {500000, 700000}}));
        folio.release(true);
        view = std::make_unique<saoView>(document);
        view->resize(800, 600);
        view->show();
    }
    void TearDown() override {
        if (PresentView::current())
            PresentView::current()->close();
        QApplication::processEvents();
        view.reset();
        document.close();
    }

    PresentView* open() {
        schemaCommands().run(cmd::kPresentation, *view);
        PresentView* window = PresentView::current();
        if (window)
            window->setClock(&clock);
        return window;
    }

    test::ScriptedUserInterface ui;
    saoDoc document;
    std::unique_ptr<saoView> view;
    TestClock clock;
};

TEST_F(PresentViewTest, F9OpensFullScreenAndEscapeOrF9Close) {
    PresentView* window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(view->presentationOpen());
    EXPECT_TRUE(window->isFullScreen() || window->size() == window->screen()->geometry().size());
    EXPECT_TRUE(window->windowTitle().contains("{P1}")) << window->windowTitle().toStdString();
    QTest::keyClick(window, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(PresentView::isOpen());
    window = open();
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_F9);
    QApplication::processEvents();
    EXPECT_FALSE(view->presentationOpen());
}

TEST_F(PresentViewTest, RecordWithKeysThenPopupRulesAndPicture) {
    PresentView* window = open();
    ASSERT_NE(window, nullptr);
    Presentation& presentation = window->presentation();
    // Nothing to play yet: Space beeps.
    const int beeps = ui.beeps;
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_EQ(ui.beeps, beeps + 1);
    CommandStatus status;
    presentationCommands().status(cmd::kPlaySequence, *window, status);
    EXPECT_FALSE(status.enabled);
    presentationCommands().status(cmd::kRecordSequence, *window, status);
    EXPECT_TRUE(status.enabled);

    presentationCommands().run(cmd::kRecordSequence, *window);
    EXPECT_TRUE(window->windowTitle().contains("[enregistrement]"));
    clock.now += 2000;
    QTest::keyClick(window, Qt::Key_PageDown);
    EXPECT_GT(presentation.positionY(), 0);
    clock.now += 2000;
    window->tick();
    QTest::keyClick(window, Qt::Key_Space); // ends the recording
    EXPECT_FALSE(presentation.recording());
    ASSERT_NE(presentation.sequence(), nullptr);
    EXPECT_EQ(presentation.sequence()->infoSequence->events.size(), 2u);
    EXPECT_TRUE(document.isModified());
    presentationCommands().status(cmd::kStopSequence, *window, status);
    EXPECT_FALSE(status.enabled);
    presentationCommands().status(cmd::kPlaySequence, *window, status);
    EXPECT_TRUE(status.enabled);

    // The sequence is never drawn; the picture shows the folio scrolled back
    // to its top, the box filled red.
    QTest::keyClick(window, Qt::Key_Home);
    window->setInverseVideo(false);
    const QImage normal = window->grab().toImage();
    normal.save("/tmp/plexo-presentation.png");
    const int x = toPixels(200000 + presentation.centringOffset(), presentation.zoom()),
              y = toPixels(150000, presentation.zoom());
    EXPECT_EQ(QColor(normal.pixel(x, y)), QColor(255, 0, 0)) << x;
    presentationCommands().run(cmd::kInverseVideo, *window);
    EXPECT_TRUE(PresentView::inverseVideoOn());
    const QImage inverted = window->grab().toImage();
    inverted.save("/tmp/plexo-presentation-inverse.png");
    EXPECT_EQ(QColor(inverted.pixel(2, 2)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(inverted.pixel(x, y)), QColor(0, 255, 255));
    presentationCommands().run(cmd::kInverseVideo, *window);

    // The right button opens "MenuPresentation".
    bool shown = false;
    QTimer::singleShot(50, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = menu->objectName() == "MenuPresentation" && menu->actions().size() == 7;
            menu->close();
        }
    });
    QTest::mouseClick(window, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_TRUE(shown);
}

TEST_F(PresentViewTest, F8OpensTheFolioListAsItsMenuLineSays) {
    PresentView* window = open();
    ASSERT_NE(window, nullptr);
    QString shown;
    QTimer::singleShot(50, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->windowTitle();
            dialog->reject();
        }
    });
    QTest::keyClick(window, Qt::Key_F8);
    QApplication::processEvents();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(PresentView::isOpen());
}

} // namespace
} // namespace plexo
