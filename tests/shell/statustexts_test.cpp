#include "shell/documentpaths.h"
#include "shell/statustexts.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

constexpr int at(int hour, int minute) {
    return hour * 60 + minute;
}

TEST(ClockText, TwelveHourFormWithItsOwnNoonAndMidnight) {
    struct Case {
        int local;
        int bias;
        int offset;
        const char* expected;
    } cases[] = {
        {at(12, 0), 0, 0, "12:00am (Londres)"},
        {at(0, 0), 0, 0, "0:00am (Londres)"},
        {at(12, 59), 0, 0, "12:59am (Londres)"},
        {at(13, 0), 0, 0, "1:00pm (Londres)"},
        {at(23, 5), 0, 0, "11:05pm (Londres)"},
        {at(9, 7), -60, 1, "9:07am (Paris)"}, // Paris standard time: bias -60
        {at(9, 7), -60, 0, "8:07am (Londres)"},
        {at(0, 30), 0, -11, "1:30pm (Samoa)"},     // 00:30 GMT is 13:30 the day before
        {at(23, 30), 0, 12, "11:30am (Auckland)"}, // wraps past midnight
    };
    for (const auto& c : cases)
        EXPECT_EQ(clockText(c.local, c.bias, c.offset), std::string(c.expected))
            << c.local << " " << c.bias << " " << c.offset;
}

TEST(ClockText, EveryZoneHasItsPlace) {
    const char* places[] = {"Samoa",    "Hawaï",     "Alaska",         "Los Angeles", "Denver",  "Chicago",
                            "New York", "Halifax",   "Rio de Janeiro", "Atlantique",  "Açores",  "Londres",
                            "Paris",    "Athènes",   "Moscou",         "Volgograd",   "Karashi", "Almaty",
                            "Bangkok",  "Honk Kong", "Tokyo",          "Sydney",      "Magadan", "Auckland"};
    for (int offset = -11; offset <= 12; ++offset) {
        // 12:00 GMT shown in each zone.
        int hour = (12 + offset + 24) % 24;
        std::string expectedTime =
            hour >= 13 ? std::to_string(hour - 12) + ":00pm" : std::to_string(hour) + ":00am";
        EXPECT_EQ(clockText(at(12, 0), 0, offset), expectedTime + " (" + places[offset + 11] + ")") << offset;
        EXPECT_EQ(timeZoneName(offset), places[offset + 11]);
    }
    EXPECT_EQ(timeZoneMenuText(-11), "GMT-11 (Samoa)");
    EXPECT_EQ(timeZoneMenuText(0), "GMT (Londres)");
    EXPECT_EQ(timeZoneMenuText(12), "GMT+12 (Auckland)");
}

TEST(ClockText, OffsetOutOfRangeLeavesTheText) {
    for (int offset : {-12, 13, 100, -2147483647})
        EXPECT_EQ(clockText(at(10, 0), 0, offset), std::nullopt) << offset;
    EXPECT_EQ(timeZoneMenuText(13), "");
}

TEST(ZoomText, LabelsOfTheNineLevels) {
    const char* labels[] = {"10%", "25%", "50%", "66%", "75%", "100%", "125%", "150%", "200%"};
    for (int level = 0; level < 9; ++level)
        EXPECT_EQ(zoomText(level), labels[level]);
    for (int level : {-1, 9, 255})
        EXPECT_EQ(zoomText(level), "----");
}

TEST(DocumentPaths, DlsAppendedUnlessDlsOrMid) {
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"plan", "plan.dls"},
        {"plan.dls", "plan.dls"},
        {"PLAN.DLS", "PLAN.DLS"},
        {"chanson.MID", "chanson.MID"},
        {"chanson.Mid", "chanson.Mid"},
        {"notes.txt", "notes.txt.dls"},
        {"a.dl", "a.dl.dls"},
        {"mid", "mid.dls"},
        {"", ".dls"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withDocumentExtension(c.path), c.expected) << c.path;
}

TEST(DocumentPaths, LongPathsAreAbsoluteAndResolved) {
    test::TemporaryFolder folder;
    std::filesystem::create_directories(folder / "Schémas");
    std::ofstream(folder / "Schémas" / "plan.dls") << "x";
    auto canonicalFolder = std::filesystem::canonical(folder.path());
    EXPECT_EQ(longPathOf((folder.path() / "Schémas" / ".." / "Schémas" / "plan.dls").string()),
              (canonicalFolder / "Schémas" / "plan.dls").string());
    // A missing file keeps its name as typed.
    EXPECT_EQ(longPathOf((folder.path() / "absent" / "Plan").string()),
              (canonicalFolder / "absent" / "Plan").string());
    auto relative = longPathOf("relatif.dls");
    EXPECT_TRUE(std::filesystem::path(relative).is_absolute());
    EXPECT_TRUE(relative.ends_with("relatif.dls"));
}

} // namespace
} // namespace plexo
