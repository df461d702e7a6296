#include "shapes/recordingsurface.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(RecordingSurface, MeasuresTextWithFixedMetrics) {
    RecordingSurface surface;
    struct Case {
        int height, weight;
        const char* text;
        Extent expected;
    } cases[] = {
        {10, 400, "abc", {18, 10}},       {15, 400, "ab", {18, 15}}, {12, 400, "a", {8, 12}}, // 7.2 rounds up
        {12, 400, "\xe9t\xe9", {24, 12}}, // one Windows-1252 byte per character
        {12, 700, "ab", {18, 12}},        // bold: one pixel more per character
        {12, 400, "", {0, 12}},
    };
    for (const Case& c : cases) {
        Font font;
        font.height = c.height;
        font.weight = c.weight;
        surface.setFont(font);
        EXPECT_EQ(surface.textExtent(c.text), c.expected) << c.text;
    }
    EXPECT_TRUE(surface.drawingLines().empty()); // measuring draws nothing
}

TEST(RecordingSurface, SaverRestoresEveryStateItem) {
    RecordingSurface surface;
    surface.setPen(Pen::solid({1, 2, 3}, 2));
    surface.setBrush(Brush::hatch(BrushStyle::Cross, {4, 5, 6}));
    const SurfaceState before = surface.state();
    {
        SurfaceSaver saver(surface);
        surface.setPen(Pen::null());
        surface.setBrush(Brush::none());
        surface.setRasterMode(RasterMode::Invert);
        surface.setBackgroundMode(BackgroundMode::Opaque);
        Font font;
        font.escapement = 900;
        surface.setFont(font);
        surface.clear();
    }
    EXPECT_EQ(surface.pen(), before.pen);
    EXPECT_EQ(surface.brush(), before.brush);
    EXPECT_EQ(surface.state().rasterMode, RasterMode::Copy);
    EXPECT_EQ(surface.state().backgroundMode, BackgroundMode::Transparent);
    EXPECT_EQ(surface.font().escapement, 0);
    // Implementations are told of every restored item.
    const std::vector<std::string> lines = surface.lines();
    EXPECT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "setPen(solid,2,#010203)");
    EXPECT_EQ(lines[1], "setBrush(cross,#040506)");
    EXPECT_EQ(lines[6], "setRasterMode(copy)");
}

} // namespace
} // namespace plexo
