#include "edit/viewport.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

constexpr Rect kA4Portrait{0, 0, 595276, 841890};

Viewport a4Viewport(int zoom, int width, int height, bool rulers = true, bool tabs = true) {
    Viewport viewport;
    ViewportLayout layout;
    layout.folioExtent = kA4Portrait;
    layout.rulersShown = rulers;
    layout.tabsShown = tabs;
    viewport.setLayout(layout);
    viewport.setZoom(zoom);
    viewport.setClientSize(width, height);
    return viewport;
}

TEST(Viewport, ScrollRangesFollowTheFolioZoomAndBands) {
    struct Case {
        int zoom, width, height;
        bool rulers, tabs;
        int rangeX, rangeY;
    } cases[] = {
        // 100 %: 598 × 844 pixels with the 1 mm margin; units of 28 pixels (10 mm grid).
        {5, 800, 600, true, true, 0, (844 - 600 + 10 + 32) / 28},
        {5, 400, 300, true, true, (598 - 400 + 26) / 28, (844 - 300 + 42) / 28},
        {5, 400, 300, false, true, (598 - 400 + 26 - 16) / 28, (844 - 300 + 26) / 28},
        {5, 400, 300, false, false, (598 - 400 + 10) / 28, (844 - 300 + 10) / 28},
        // 200 %: 1196 × 1689 pixels.
        {8, 800, 600, true, true, (1196 - 800 + 26) / 28, (1689 - 600 + 42) / 28},
        // 10 %: everything fits.
        {0, 800, 600, true, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " " << c.width << "x" << c.height);
        const Viewport viewport = a4Viewport(c.zoom, c.width, c.height, c.rulers, c.tabs);
        EXPECT_EQ(viewport.unitX(), 28);
        EXPECT_EQ(viewport.unitY(), 28);
        EXPECT_EQ(viewport.rangeX(), c.rangeX);
        EXPECT_EQ(viewport.rangeY(), c.rangeY);
    }
}

TEST(Viewport, ScrollingStaysInsideTheRangesAndAShrinkingRangePullsBack) {
    Viewport viewport = a4Viewport(8, 800, 600);
    EXPECT_TRUE(viewport.scrollTo(1000, 1000));
    EXPECT_EQ(viewport.positionX(), viewport.rangeX());
    EXPECT_EQ(viewport.positionY(), viewport.rangeY());
    EXPECT_FALSE(viewport.scrollBy(1, 1));
    // Zooming out to 10 % leaves nothing to scroll: both axes return to 0.
    viewport.setZoom(0);
    EXPECT_EQ(viewport.positionX(), 0);
    EXPECT_EQ(viewport.positionY(), 0);
    viewport.setZoom(8);
    viewport.scrollTo(3, 3);
    EXPECT_TRUE(viewport.home());
    EXPECT_EQ(viewport.positionY(), 0);
    // Page Down moves half the pane's width in vertical units.
    EXPECT_TRUE(viewport.pageDown());
    EXPECT_EQ(viewport.positionY(), 400 / 28);
    EXPECT_TRUE(viewport.pageUp());
    EXPECT_EQ(viewport.positionY(), 0);
}

TEST(Viewport, PixelsAndDocumentUnitsConvertWithTheScrollOrigin) {
    Viewport viewport = a4Viewport(8, 400, 300);
    viewport.scrollTo(2, 3);
    // At 200 % one pixel is 500 units; the origin is (56, 84) pixels.
    EXPECT_EQ(viewport.toDocument(0, 0), (Point{56 * 500, 84 * 500}));
    EXPECT_EQ(viewport.toDocument(10, 20), (Point{66 * 500, 104 * 500}));
    EXPECT_EQ(viewport.toWindow({66 * 500, 104 * 500}), (Point{10, 20}));
    const Rect repaint = viewport.repaintRect({66 * 500, 104 * 500, 76 * 500, 124 * 500});
    EXPECT_EQ(repaint, (Rect{6, 16, 24, 44}));
}

TEST(Viewport, VisibleRegionIsWidenedAndLimitedToTheFolio) {
    Viewport viewport = a4Viewport(5, 800, 1200);
    const Rect region = viewport.visibleRegion();
    EXPECT_EQ(region.left, -kVisibleMargin);
    EXPECT_EQ(region.top, -kVisibleMargin);
    EXPECT_EQ(region.right, kA4Portrait.right);
    EXPECT_EQ(region.bottom, kA4Portrait.bottom);
}

TEST(Viewport, CentringPutsThePointInTheMiddleOfThePane) {
    Viewport viewport = a4Viewport(8, 400, 300);
    viewport.centreOn({300000, 400000});
    // 600 × 800 pixels at 200 %, minus half the pane, in 28-pixel units.
    EXPECT_EQ(viewport.positionX(), (600 - 200) / 28);
    EXPECT_EQ(viewport.positionY(), (800 - 150) / 28);
    // A point near the origin cannot be centred: the position stays at 0.
    viewport.centreOn({0, 0});
    EXPECT_EQ(viewport.positionX(), 0);
    EXPECT_EQ(viewport.positionY(), 0);
}

TEST(Viewport, ZoomCommandsChooseALevelOrStepOneAndStopAtTheEnds) {
    EXPECT_EQ(zoomLevelForCommand(760, 5), 0);
    EXPECT_EQ(zoomLevelForCommand(765, 2), 5);
    EXPECT_EQ(zoomLevelForCommand(768, 0), 8);
    EXPECT_EQ(zoomLevelForCommand(769, 5), 6);
    EXPECT_EQ(zoomLevelForCommand(769, 8), 8); // + at 200 %
    EXPECT_EQ(zoomLevelForCommand(770, 5), 4);
    EXPECT_EQ(zoomLevelForCommand(770, 0), 0); // - at 10 %
    EXPECT_EQ(zoomLevelForCommand(771, 3), 3);
    Viewport viewport = a4Viewport(8, 400, 300);
    EXPECT_FALSE(viewport.setZoom(zoomLevelForCommand(769, viewport.zoom())));
}

TEST(Viewport, GridStepsDoubleWhileTooCloseAtMostThreeTimes) {
    Viewport viewport = a4Viewport(5, 400, 300);
    EXPECT_EQ(viewport.gridSteps().horizontal, 28346);
    viewport.setZoom(0); // 10 %: 2 pixels, doubled once to 5
    EXPECT_EQ(viewport.gridSteps().horizontal, 2 * 28346);
    ViewportLayout fine = viewport.layout();
    fine.horizontalGrid = 1000; // 1 point: 0 pixels at 10 % even after three doublings
    fine.verticalGrid = 10000;  // 1 pixel, 2, then 4 after two doublings
    viewport.setLayout(fine);
    EXPECT_EQ(viewport.gridSteps().horizontal, 8000);
    EXPECT_EQ(viewport.gridSteps().vertical, 40000);
}

TEST(Viewport, PointerPointsSnapInTheWorkingUnitAndStayOnTheFolio) {
    // Points: multiples of the secondary step, halves rounding up.
    EXPECT_EQ(snapAndClamp({1417, 4251}, kA4Portrait, 2834, false, true), (Point{2834, 5668}));
    // Without snapping the point is kept, only clamped.
    EXPECT_EQ(snapAndClamp({1417, 4251}, kA4Portrait, 2834, false, false), (Point{1417, 4251}));
    EXPECT_EQ(snapAndClamp({-5000, 900000}, kA4Portrait, 2834, false, false), (Point{0, 841890}));
    EXPECT_EQ(snapAndClamp({-5000, -1}, kA4Portrait, 2834, true, true), (Point{0, 0}));
    // Millimetres: 1 mm steps land on whole millimetres (2834 or 2835 units).
    const Point mm = snapAndClamp({5000, 8600}, kA4Portrait, 2834, true, true);
    EXPECT_NEAR(mm.x, 2 * 2834.6, 2);
    EXPECT_NEAR(mm.y, 3 * 2834.6, 2);
}

} // namespace
} // namespace plexo
