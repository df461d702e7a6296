#include "shapes/fontlist.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(FontList, InstalledFacesAreSortedAndLookedUpExactly) {
    FontList list;
    list.setInstalledFonts({"Times New Roman", "Arial", "Courier New", "Arial", ""});
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Arial", "Courier New", "Times New Roman"}));
    EXPECT_EQ(list.fontIndexByName("Arial"), 1);
    EXPECT_EQ(list.fontIndexByName("Times New Roman"), 3);
    EXPECT_EQ(list.fontIndexByName("arial"), 0); // case-sensitive
    EXPECT_EQ(list.fontIndexByName(""), 0);
    ASSERT_NE(list.fontNameByIndex(1), nullptr);
    EXPECT_EQ(*list.fontNameByIndex(1), "Courier New");
    EXPECT_EQ(list.fontNameByIndex(3), nullptr);
    EXPECT_EQ(list.fontNameByIndex(-1), nullptr);
    EXPECT_EQ(list.faceName(3), "Times New Roman");
    EXPECT_EQ(list.faceName(0), "");
    EXPECT_EQ(list.faceName(4), "");
}

TEST(FontList, KeepsTheFirst98InEnumerationOrder) {
    std::vector<std::string> names;
    for (int i = 120; i > 0; --i)
        names.push_back("Face" + std::to_string(1000 + i)); // enumerated in descending order
    FontList list;
    list.setInstalledFonts(names);
    ASSERT_EQ(list.size(), FontList::kMaxInstalledFonts);
    EXPECT_EQ(list.names().front(), "Face1023"); // the 98 first enumerated are 1120 .. 1023
    EXPECT_EQ(list.names().back(), "Face1120");
    EXPECT_EQ(list.fontIndexByName("Face1022"), 0);
}

TEST(FontList, AddedFacesGoLastWithoutMovingOthers) {
    FontList list;
    list.setInstalledFonts({"Arial", "Verdana"});
    EXPECT_EQ(list.addFace("Arial"), 1);
    EXPECT_EQ(list.addFace("Bodoni"), 3); // sorts between them but is appended
    EXPECT_EQ(list.fontIndexByName("Verdana"), 2);
    EXPECT_EQ(list.addFace("Bodoni"), 3);
    EXPECT_EQ(list.addFace(""), 0);
    EXPECT_EQ(list.size(), 3);
}

} // namespace
} // namespace plexo
