#include "shapes/fontlist.h"

#include "support/testenvironment.h"

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

// A document full of distinct unknown faces must not grow the list without bound:
// past the session's cap new faces map to 0 (reported once), while the faces
// already known keep their indices and names.
TEST(FontList, SessionAddedFacesAreCapped) {
    test::RecordingLog log;
    FontList list;
    list.setInstalledFonts({"Arial"});
    EXPECT_EQ(list.addFace("Lointaine"), 2);
    for (int i = 1; i < FontList::kMaxAddedFaces; ++i)
        ASSERT_EQ(list.addFace("Face" + std::to_string(i)), i + 2);
    EXPECT_EQ(list.size(), FontList::kMaxAddedFaces + 1);
    EXPECT_TRUE(log.messages.empty());

    EXPECT_EQ(list.addFace("Une de trop"), 0);
    EXPECT_EQ(list.addFace("Encore une"), 0);
    EXPECT_EQ(list.size(), FontList::kMaxAddedFaces + 1);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_TRUE(log.contains("Une de trop"));
    EXPECT_EQ(list.addFace("Lointaine"), 2); // known faces are still found
    EXPECT_EQ(list.faceName(2), "Lointaine");
    EXPECT_EQ(list.addFace("Arial"), 1);

    // A new installed list starts the count again.
    list.setInstalledFonts({"Arial"});
    EXPECT_EQ(list.addFace("Une de trop"), 2);
}

} // namespace
} // namespace plexo
