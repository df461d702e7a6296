#include "edit/viewlayout.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(ViewLayout, TheFourCombinationsOfTabStripAndRulers) {
    const int w = 640, h = 480;
    struct Case {
        bool tabs, rulers;
        ChildRect tabStrip, horizontal, vertical, pane;
    } cases[] = {
        {true,
         true,
         {48, 0, w - 48, 16},
         {16, 16, w - 16, 16},
         {0, 32, 16, h - 32},
         {16, 32, w - 16, h - 32}},
        {false, true, {}, {16, 0, w - 16, 16}, {0, 16, 16, h - 16}, {16, 16, w - 16, h - 16}},
        {true, false, {48, 0, w - 48, 16}, {}, {}, {0, 16, w, h - 16}},
        {false, false, {}, {}, {}, {0, 0, w, h}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tabs " << c.tabs << " rulers " << c.rulers);
        const ViewLayout layout = computeViewLayout(w, h, c.tabs, c.rulers);
        EXPECT_EQ(layout.tabStrip, c.tabStrip);
        EXPECT_EQ(layout.horizontalRuler, c.horizontal);
        EXPECT_EQ(layout.verticalRuler, c.vertical);
        EXPECT_EQ(layout.pane, c.pane);
    }
    // A window smaller than the bands leaves empty children, never negative sizes.
    const ViewLayout tiny = computeViewLayout(10, 10, true, true);
    EXPECT_TRUE(tiny.pane.isEmpty());
    EXPECT_GE(tiny.tabStrip.width, 0);
}

TEST(ViewLayout, CornerButtons) {
    EXPECT_EQ(cornerButtonAt(1), -1);
    EXPECT_EQ(cornerButtonAt(4), 0);
    EXPECT_EQ(cornerButtonAt(20), 0);
    EXPECT_EQ(cornerButtonAt(23), 1);
    EXPECT_EQ(cornerButtonAt(39), 1);
    EXPECT_EQ(cornerButtonAt(47), -1);
}

} // namespace
} // namespace plexo
