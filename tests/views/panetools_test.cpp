// The pane's translation of real mouse and key events for the tools, offscreen:
// a rectangle drawn by press, move and release (with Shift a square), a polygon
// ended by a double-click, the band and a move with the selection tool, Tab
// through the tools, Escape dropping a construction, the cursor over a handle.
#include "views/schema/pane.h"

#include "edit/toolbox.h"
#include "shell/commandids.h"
#include "store/undo.h"
#include "support/drawingfixture.h"
#include "views/schema/panetools.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace plexo {
namespace {

class PaneToolsTest : public ::testing::Test {
protected:
    PaneToolsTest() {
        f.document.computeDocumentSize();
        f.document.unitIsMm = 0;
        f.document.snapToGrid = 0;
        pane.resize(600, 500);
        pane.setGridVisible(false);
        pane.showFolio(f.folio);
        pane.show();
        toolChoice().choose(cmd::kToolSelection);
    }
    ~PaneToolsTest() override { toolChoice().choose(cmd::kToolSelection); }

    QWidget* surface() { return pane.viewport(); }
    // Window pixel of a document point at the pane's zoom (100 %: 1000 units a pixel).
    static QPoint px(int x, int y) { return QPoint(x, y); }

    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(surface(), Qt::LeftButton, modifiers, from);
        QMouseEvent moveEvent(QEvent::MouseMove, QPointF(to), surface()->mapToGlobal(QPointF(to)),
                              Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(surface(), &moveEvent);
        QTest::mouseRelease(surface(), Qt::LeftButton, modifiers, to);
    }

    test::DrawingFixture f;
    Pane pane;
};

TEST_F(PaneToolsTest, ARectangleIsDrawnByDraggingAndASquareWithShift) {
    toolChoice().choose(cmd::kToolRectangle);
    drag(px(100, 100), px(200, 150));
    ASSERT_EQ(f.folio->objects.size(), 1u);
    const Shape& box = *f.folio->objects.back();
    EXPECT_EQ(box.kind, kRectangle);
    EXPECT_EQ(box.points.front(), (Point{100000, 100000}));
    EXPECT_EQ(box.points.back(), (Point{200000, 150000}));
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la création\tCtrl+Z");

    drag(px(300, 100), px(400, 150), Qt::ShiftModifier);
    ASSERT_EQ(f.folio->objects.size(), 2u);
    const Shape& square = *f.folio->objects.back();
    EXPECT_EQ(square.points.back().x - square.points.front().x,
              square.points.back().y - square.points.front().y);

    // A click without a drag draws nothing.
    QTest::mouseClick(surface(), Qt::LeftButton, {}, px(50, 50));
    EXPECT_EQ(f.folio->objects.size(), 2u);
}

TEST_F(PaneToolsTest, APolygonTakesAPointPerClickAndEndsOnADoubleClick) {
    toolChoice().choose(cmd::kToolPolygon);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, px(100, 100));
    QTest::mouseClick(surface(), Qt::LeftButton, {}, px(200, 100));
    EXPECT_TRUE(pane.tools().tool()->busy());
    QTest::mouseDClick(surface(), Qt::LeftButton, {}, px(200, 200));
    EXPECT_FALSE(pane.tools().tool()->busy());
    ASSERT_EQ(f.folio->objects.size(), 1u);
    EXPECT_EQ(f.folio->objects.back()->kind, kPolygon);
    EXPECT_EQ(f.folio->objects.back()->points.back(), (Point{200000, 200000}));
}

TEST_F(PaneToolsTest, EscapeDropsAConstructionAndRecordsNothing) {
    toolChoice().choose(cmd::kToolPolygon);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, px(100, 100));
    QTest::mouseClick(surface(), Qt::LeftButton, {}, px(200, 100));
    QTest::keyClick(&pane, Qt::Key_Escape);
    EXPECT_FALSE(pane.tools().tool()->busy());
    EXPECT_TRUE(f.folio->objects.empty());
    EXPECT_FALSE(undoLabelFor(f.document, f.folio).enabled);
}

TEST_F(PaneToolsTest, TheSelectionToolSelectsWithABandAndMovesWhatItSelected) {
    Shape& box = f.add(kRectangle, {{100000, 100000}, {160000, 140000}});
    Shape& other = f.add(kRectangle, {{300000, 100000}, {360000, 140000}});
    drag(px(80, 80), px(180, 160));
    EXPECT_TRUE(box.selected);
    EXPECT_FALSE(other.selected);
    // The cursor over the body of a selected object (a hollow box: its left side) says it moves.
    QMouseEvent hover(QEvent::MouseMove, QPointF(100, 110), surface()->mapToGlobal(QPointF(100, 110)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(surface(), &hover);
    EXPECT_EQ(surface()->cursor().shape(), Qt::SizeAllCursor);
    drag(px(100, 110), px(120, 120));
    EXPECT_EQ(box.points.front(), (Point{120000, 110000}));
    EXPECT_EQ(other.points.front(), (Point{300000, 100000}));
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler le déplacement\tCtrl+Z");
}

TEST_F(PaneToolsTest, TabWalksTheToolsFromThePaneWithoutLeavingIt) {
    pane.setFocus();
    toolChoice().choose(114);
    QTest::keyClick(&pane, Qt::Key_Tab);
    EXPECT_EQ(toolChoice().current(), 101);
    EXPECT_EQ(pane.tools().toolId(), 101);
    QTest::keyClick(&pane, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(toolChoice().current(), 114);
}

TEST_F(PaneToolsTest, TheRightButtonOfADrawingToolAsksForTheEditionMenu) {
    toolChoice().choose(cmd::kToolLine);
    QSignalSpy menus(&pane.tools(), &PaneTools::popupRequested);
    QTest::mouseClick(surface(), Qt::RightButton, {}, px(100, 100));
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(menus[0][0].toString(), QStringLiteral("MenuEdition"));
}

} // namespace
} // namespace plexo
