#include "edit/foliotabs.h"

#include "shapes/recordingsurface.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace plexo {
namespace {

TEST(FolioTabs, LayoutScrollRangeAndClicks) {
    RecordingSurface measure; // fixed measure: the widths depend only on the texts
    const std::vector<FolioTab> tabs = layoutTabs({"1", "2", "10"}, measure);
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_EQ(tabs[0].start, 5);
    EXPECT_EQ(tabs[1].start, tabs[0].start + tabs[0].width);
    EXPECT_EQ(tabs[0].width, measure.textExtent("1").width + 10);
    const int end = tabs[2].start + tabs[2].width;
    EXPECT_EQ(tabScrollRange(tabs, 1000), 0);
    EXPECT_EQ(tabScrollRange(tabs, 20), end - 20 + 5);
    EXPECT_EQ(tabAt(tabs, 6, 0), 0);
    EXPECT_EQ(tabAt(tabs, tabs[1].start + 1, 0), 1);
    EXPECT_EQ(tabAt(tabs, end + 1, 0), -1);
    EXPECT_EQ(tabAt(tabs, 2, 0), -1);
    // Scrolled: the same x now falls on a later tab.
    EXPECT_EQ(tabAt(tabs, tabs[1].start + 1 - tabs[1].width, tabs[1].width), 1);
}

TEST(FolioTabs, TheCurrentTabIsDrawnLastAndRaised) {
    RecordingSurface surface;
    const std::vector<FolioTab> tabs = layoutTabs({"A", "B", "C"}, surface);
    surface.clear();
    drawTabs(surface, tabs, 1, 0, 300, BandColours{}, Font{"Small Fonts", 8});
    std::vector<std::pair<std::string, int>> labels;
    for (const SurfaceCall& call : surface.calls()) {
        if (call.op == SurfaceOp::TextOut)
            labels.emplace_back(call.text, call.args[1]);
    }
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0], (std::pair<std::string, int>{"A", 5}));
    EXPECT_EQ(labels[1], (std::pair<std::string, int>{"C", 5}));
    EXPECT_EQ(labels[2], (std::pair<std::string, int>{"B", 4}));
}

} // namespace
} // namespace plexo
