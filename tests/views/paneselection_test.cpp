// What the pane shows after edits made with the mouse, offscreen: the handles
// of objects that leave the selection are erased, and an object moved (or put
// back by undo) leaves nothing of itself where it was.
#include "edit/toolbox.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"
#include "views/schema/pane.h"
#include "views/schema/saoview.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace plexo {
namespace {

class PaneSelection : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.open({}));
        doc.unitIsMm = 0;
        doc.snapToGrid = 0;
        view = std::make_unique<saoView>(doc);
        view->resize(640, 480);
        view->show();
        view->pane()->setGridVisible(false);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        QApplication::processEvents();
    }
    void TearDown() override {
        view.reset();
        doc.close();
    }
    Shape& add(int kind, std::vector<Point> points) {
        Shape& shape = view->folio()->append(test::makeShape(kind, std::move(points)));
        shape.takeUndoCopy();
        view->pane()->repaintAll();
        return shape;
    }
    QWidget* surface() { return view->pane()->viewport(); }
    QPoint window(Point p) {
        const Point w = view->pane()->view().toWindow(p);
        return {w.x, w.y};
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(surface(), Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step) {
            const QPoint at = from + (to - from) * step / 4;
            QMouseEvent move(QEvent::MouseMove, QPointF(at), surface()->mapToGlobal(QPointF(at)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(surface(), &move);
        }
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, to);
        QApplication::processEvents();
    }
    void click(QPoint at) {
        QTest::mouseClick(surface(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    // The pane as painted, and as a full repaint from the folio draws it.
    QImage shown() { return surface()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static int differingPixels(const QImage& a, const QImage& b) {
        if (a.size() != b.size())
            return a.width() * a.height();
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                count += qRgb(qRed(a.pixel(x, y)), qGreen(a.pixel(x, y)), qBlue(a.pixel(x, y))) !=
                         qRgb(qRed(b.pixel(x, y)), qGreen(b.pixel(x, y)), qBlue(b.pixel(x, y)));
        return count;
    }
    QImage redrawn() {
        view->pane()->repaintAll();
        return shown();
    }
    // Pixels that the pane shows differently from a full redraw of the folio.
    int stalePixels() {
        const QImage painted = shown();
        return differingPixels(painted, redrawn());
    }

    test::ScriptedUserInterface ui;
    saoDoc doc;
    std::unique_ptr<saoView> view;
};

TEST_F(PaneSelection, AClickOnEmptySpaceErasesTheHandlesOfWhatWasSelected) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}});
    const QImage before = redrawn();
    click(window({100000, 120000}));
    ASSERT_TRUE(box.selected);
    EXPECT_GT(differingPixels(shown(), before), 0) << "the handles are drawn";
    click(window({300000, 300000}));
    ASSERT_FALSE(box.selected);
    EXPECT_EQ(differingPixels(shown(), before), 0);
}

TEST_F(PaneSelection, AClickOnAnotherObjectErasesTheHandlesOfTheFirst) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}});
    Shape& other = add(kRectangle, {{300000, 100000}, {360000, 140000}});
    click(window({300000, 120000}));
    ASSERT_TRUE(other.selected);
    const QImage otherSelected = shown();
    click(window({100000, 120000}));
    click(window({300000, 120000}));
    ASSERT_TRUE(other.selected);
    ASSERT_FALSE(box.selected);
    EXPECT_EQ(differingPixels(shown(), otherSelected), 0);
    EXPECT_EQ(stalePixels(), 0);
}

TEST_F(PaneSelection, AnAreaReportedBeforeItsObjectMovesIsDrawnAsItIsWhenPainted) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}});
    shown();
    // An edit reports the area an object leaves before moving it, then the one it takes.
    view->pane()->repaintArea(box.outline);
    for (Point& p : box.points)
        p = {p.x + 200000, p.y + 100000};
    rebuildGeometry(box);
    view->pane()->repaintArea(box.outline);
    EXPECT_EQ(stalePixels(), 0);
}

TEST_F(PaneSelection, AMovedObjectLeavesNothingBehind) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}});
    click(window({100000, 120000}));
    ASSERT_TRUE(box.selected);
    shown(); // painted with its handles, as a user sees it before the drag
    drag(window({100000, 110000}), window({300000, 210000}));
    EXPECT_EQ(box.points[0], (Point{300000, 200000}));
    EXPECT_EQ(stalePixels(), 0);
    undoAction(doc);
    EXPECT_EQ(box.points[0], (Point{100000, 100000}));
    EXPECT_EQ(stalePixels(), 0) << "undone";
}

TEST_F(PaneSelection, ACalendarDrawnWithItsToolThenMovedLeavesNothingBehind) {
    doc.unitIsMm = 1;
    doc.snapToGrid = 1;
    view->resize(700, 1000);
    QApplication::processEvents();
    toolChoice().choose(cmd::kToolCalendar);
    drag(window({20000, 550000}), window({320000, 800000}));
    toolChoice().choose(cmd::kToolSelection);
    ASSERT_EQ(view->folio()->objects.size(), 1u);
    Shape& calendar = *view->folio()->objects[0];
    ASSERT_EQ(calendar.kind, kCalendar);
    EXPECT_EQ(stalePixels(), 0) << "as created";
    click(window({20000, 600000}));
    ASSERT_TRUE(calendar.selected);
    drag(window({20000, 600000}), window({320000, 20000}));
    EXPECT_EQ(calendar.points[0].x, 320314) << "moved by the drag, snapped to the millimetre";
    EXPECT_EQ(stalePixels(), 0) << "once moved";
}

} // namespace
} // namespace plexo
