#include "edit/toolbox.h"

#include <gtest/gtest.h>

#include <vector>

namespace plexo {
namespace {

TEST(Toolbox, EveryToolIdMakesATool) {
    for (int id = 101; id <= 120; ++id)
        EXPECT_TRUE(makeTool(id)) << id;
    EXPECT_FALSE(makeTool(100));
    EXPECT_FALSE(makeTool(121));
}

TEST(Toolbox, TabCyclesTheFirstFourteenTools) {
    EXPECT_EQ(nextTool(101), 102);
    EXPECT_EQ(nextTool(113), 114);
    EXPECT_EQ(nextTool(114), 101);
    EXPECT_EQ(previousTool(101), 114);
    EXPECT_EQ(previousTool(114), 113);
    // From a tool outside the ring, Tab comes back into it.
    for (int id = 115; id <= 120; ++id) {
        EXPECT_EQ(nextTool(id), 101);
        EXPECT_EQ(previousTool(id), 114);
    }
    int id = 101;
    for (int i = 0; i < 14; ++i) {
        id = nextTool(id);
        EXPECT_LE(id, 114);
    }
    EXPECT_EQ(id, 101);
}

TEST(Toolbox, TheChoiceTellsItsListeners) {
    ToolChoice choice;
    EXPECT_EQ(choice.current(), 101);
    std::vector<int> heard;
    const int key = choice.addListener([&](int id) { heard.push_back(id); });
    choice.choose(105);
    choice.choose(105);
    choice.removeListener(key);
    choice.choose(101);
    EXPECT_EQ(heard, std::vector<int>{105});
    EXPECT_EQ(choice.current(), 101);
}

} // namespace
} // namespace plexo
