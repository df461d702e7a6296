#include "shapes/units.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(Units, DecimalCommaDisplay) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {1234, "1,24"},   {1000, "1"},    {1005, "1,01"}, {12500, "12,5"}, {0, "0"},
        {1003, "1"},      {1996, "2"},    {1050, "1,05"}, {1250, "1,25"},  {28346, "28,35"},
        {-1234, "-1,24"}, {-500, "-0,5"}, {2, "0"},       {9, "0,01"},     {100, "0,1"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(formatDecimal(value), text) << value;
}

TEST(Units, DecimalParsing) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"12,5", 12500}, {"-0,25", -250}, {"1", 1000},   {"1.005", 1005}, {"0,1234", 123},
        {"-1,5", -1500}, {"", 0},         {"3-", -3000}, {",5", 500},     {"99999999999", INT32_MAX},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseDecimal(text), value) << text;
}

TEST(Units, ZoomConversions) {
    struct Case {
        int level;
        std::int32_t units;
        std::int32_t pixels;
        std::int32_t backFromPixels; // fromPixels(pixels)
    };
    const Case cases[] = {
        {0, 25000, 2, 20000}, {1, 9000, 2, 8000},  {2, 5000, 2, 4000},   {3, 4600, 3, 4500},
        {4, 4100, 3, 4000},   {5, 2999, 2, 2000},  {6, 2500, 3, 2400},   {7, 2100, 3, 2000},
        {8, 1200, 2, 1000},   {-1, 2999, 2, 2000}, {255, 1500, 1, 1000}, {3, -4600, -3, -4500},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toPixels(c.units, c.level), c.pixels) << c.level;
        EXPECT_EQ(fromPixels(c.pixels, c.level), c.backFromPixels) << c.level;
    }
    EXPECT_EQ(fromPixels(3, 4), 4000); // 3 * 4000 / 3
    EXPECT_EQ(fromPixels(4, 7), 2666); // 4 * 10000 / 15
    EXPECT_EQ(toPixelsAtLeastOne(100, 5), 1);
    EXPECT_EQ(toPixelsAtLeastOne(-3000, 5), 1);
    EXPECT_EQ(toPixelsAtLeastOne(3000, 5), 3);
    EXPECT_EQ(toPixels(INT32_MAX, 7), INT32_MAX / 10000 * 15 + (INT32_MAX % 10000) * 15 / 10000);
    EXPECT_EQ(zoomPercent(3), 66);
    EXPECT_EQ(zoomPercent(9), 100);
}

TEST(Units, SizeScaling) {
    const std::pair<int, std::int32_t> cases[] = {{0, 10},  {1, 25},  {2, 50},  {3, 66},  {4, 75},
                                                  {5, 100}, {6, 125}, {7, 150}, {8, 200}, {-1, 100}};
    for (const auto& [level, expected] : cases)
        EXPECT_EQ(scaleSize(100, level), expected) << level;
}

TEST(Units, MillimetreConversions) {
    EXPECT_EQ(pointsToMillimetres(28346), 9999); // 28346 * 127 / 360 truncated
    EXPECT_EQ(millimetresToPoints(10000), 28346);
    EXPECT_EQ(millimetresToPoints(-10000), -28346);
    // Round trip: converting the result back never overshoots and falls short only
    // when no value does better.
    for (std::int32_t v : {1, 2, 3, 127, 1000, 2834, 28346, 99999, -2834}) {
        const std::int32_t mm = pointsToMillimetresRoundTrip(v);
        EXPECT_LE(millimetresToPoints(mm), v) << v;
        EXPECT_GE(millimetresToPoints(mm + 1), v) << v;
        const std::int32_t pt = millimetresToPointsRoundTrip(v);
        EXPECT_LE(pointsToMillimetres(pt), v) << v;
        EXPECT_GE(pointsToMillimetres(pt + 1), v) << v;
    }
    EXPECT_EQ(pointsToMillimetresRoundTrip(28346), 10000);
}

} // namespace
} // namespace plexo
