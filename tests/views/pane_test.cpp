// The schéma pane with real key events on the offscreen platform: scroll ranges,
// keyboard scrolling, folio steps and a painting that stays right when the cached
// image is moved by a scroll or redrawn in part.
#include "views/schema/pane.h"

#include "support/drawingfixture.h"

#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace plexo {
namespace {

class PaneTest : public ::testing::Test {
protected:
    PaneTest() {
        f.document.computeDocumentSize();
        box = &f.add(kRectangle, {{100000, 100000}, {160000, 140000}});
        box->style.set(kColour, 0);
        box->style.set(kFillColour, 0);
        box->style.set(kPattern, 0); // solid
        box->style.set(kShadow, kNoColour);
        rebuildGeometry(*box);
        pane.resize(400, 300);
        pane.setGridVisible(false);
        pane.showFolio(f.folio);
        pane.show();
    }

    QImage picture() { return pane.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    test::DrawingFixture f;
    Shape* box = nullptr;
    Pane pane;
};

TEST_F(PaneTest, ScrollBarsTakeTheViewportsRangesAtEveryZoom) {
    for (int zoom : {5, 8, 0}) {
        pane.setZoom(zoom);
        EXPECT_EQ(pane.horizontalScrollBar()->maximum(), pane.view().rangeX()) << zoom;
        EXPECT_EQ(pane.verticalScrollBar()->maximum(), pane.view().rangeY()) << zoom;
    }
    EXPECT_EQ(pane.view().rangeX(), 0);
    EXPECT_FALSE(pane.setZoom(0));
}

TEST_F(PaneTest, KeysScrollAndAskForOtherFolios) {
    pane.setZoom(8);
    QTest::keyClick(&pane, Qt::Key_PageDown);
    EXPECT_EQ(pane.view().positionY(), pane.view().clientWidth() / 2 / pane.view().unitY());
    EXPECT_EQ(pane.verticalScrollBar()->value(), pane.view().positionY());
    QTest::keyClick(&pane, Qt::Key_Right);
    EXPECT_EQ(pane.view().positionX(), 1);
    QTest::keyClick(&pane, Qt::Key_Home);
    EXPECT_EQ(pane.view().positionX(), 0);
    EXPECT_EQ(pane.view().positionY(), 0);

    QSignalSpy steps(&pane, &Pane::folioStepRequested);
    QTest::keyClick(&pane, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(&pane, Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(&pane, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&pane, Qt::Key_End, Qt::ControlModifier);
    ASSERT_EQ(steps.count(), 4);
    EXPECT_EQ(steps[0][0].toInt(), 1);
    EXPECT_EQ(steps[1][0].toInt(), -1);
    EXPECT_EQ(steps[2][0].toInt(), 0);
    EXPECT_EQ(steps[3][0].toInt(), 2);
    // The pane did not scroll for them.
    EXPECT_EQ(pane.view().positionY(), 0);
}

TEST_F(PaneTest, ADragPastAnEdgeScrollsOneUnitTowardIt) {
    pane.setZoom(8);
    EXPECT_FALSE(pane.scrollToward(10, 10));
    EXPECT_TRUE(pane.scrollToward(pane.viewport()->width() + 5, 10));
    EXPECT_EQ(pane.view().positionX(), 1);
    EXPECT_TRUE(pane.scrollToward(-3, pane.viewport()->height()));
    EXPECT_EQ(pane.view().positionX(), 0);
    EXPECT_EQ(pane.view().positionY(), 1);
    // Nothing further left to go.
    EXPECT_FALSE(pane.scrollToward(-3, 10));
}

TEST_F(PaneTest, TheObjectIsDrawnWhereTheViewportPutsItAndScrollingMovesIt) {
    // At 100 % the filled box covers pixels 100..159 × 100..139.
    QImage image = picture();
    EXPECT_EQ(image.pixel(130, 120), qRgb(0, 0, 0));
    EXPECT_NE(image.pixel(90, 120), qRgb(0, 0, 0));

    pane.setZoom(8); // 200 %: 200..319 × 200..279
    picture();       // painted once: the scrolls below move the cached image
    QTest::keyClick(&pane, Qt::Key_Right);
    QTest::keyClick(&pane, Qt::Key_Down);
    const int unit = pane.view().unitX();
    image = picture();
    const Point at = pane.view().toWindow({130000, 120000});
    EXPECT_EQ(at, (Point{260 - unit, 240 - unit}));
    EXPECT_EQ(image.pixel(at.x, at.y), qRgb(0, 0, 0));

    // The image moved by the scroll equals a full repaint at the same place.
    pane.repaintAll();
    EXPECT_EQ(picture(), image);
}

TEST_F(PaneTest, AChangedAreaIsRedrawnFromTheFolio) {
    EXPECT_EQ(picture().pixel(130, 120), qRgb(0, 0, 0));
    const Rect before = box->outline;
    box->alive = false;
    pane.repaintArea(before);
    EXPECT_NE(picture().pixel(130, 120), qRgb(0, 0, 0));
}

} // namespace
} // namespace plexo
