#include "edit/ruler.h"

#include "shapes/recordingsurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace plexo {
namespace {

constexpr std::int32_t kA4Width = 595276;

struct Ticks {
    std::vector<int> centimetres; // positions of the centimetre ticks
    int millimetres = 0;
    int halfCentimetres = 0;
    std::vector<std::string> labels;
};

// Reads the ticks back from a horizontal ruler's recording: a tick is a moveTo
// across the ruler followed by its lineTo down to y = 13.
Ticks horizontalTicks(const RecordingSurface& surface) {
    Ticks ticks;
    const auto& calls = surface.calls();
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        const SurfaceCall& call = calls[i];
        if (call.op == SurfaceOp::TextOut)
            ticks.labels.push_back(call.text);
        if (call.op != SurfaceOp::MoveTo || calls[i + 1].op != SurfaceOp::LineTo)
            continue;
        const std::vector<int>& to = calls[i + 1].args;
        if (to[1] != 13 || to[0] != call.args[0])
            continue;
        if (call.args[1] == 5)
            ticks.centimetres.push_back(call.args[0]);
        else if (call.args[1] == 10)
            ++ticks.millimetres;
        else if (call.args[1] == 8)
            ++ticks.halfCentimetres;
    }
    return ticks;
}

Ticks drawA4Ruler(int zoom, std::int32_t visibleStart, std::int32_t visibleEnd, int scroll = 0) {
    RecordingSurface surface;
    RulerView view;
    view.zoom = zoom;
    view.length = kA4Width;
    view.visibleStart = visibleStart;
    view.visibleEnd = visibleEnd;
    view.scroll = scroll;
    view.width = 800;
    view.height = 16;
    drawRuler(surface, view, BandColours{}, Font{"Small Fonts", 8});
    return horizontalTicks(surface);
}

TEST(Ruler, CentimetreTicksAndLabelsAtEveryZoomMillimetresWhenWideEnough) {
    // 21 cm on an A4 width (the 21st tick lies within half a step of the edge).
    const Ticks at100 = drawA4Ruler(5, 0, kA4Width);
    ASSERT_EQ(at100.centimetres.size(), 21u);
    EXPECT_EQ(at100.centimetres.front(), 28);
    EXPECT_EQ(at100.centimetres.back(), 595);
    EXPECT_EQ(at100.labels.front(), "1");
    EXPECT_EQ(at100.labels.back(), "21");
    EXPECT_EQ(at100.millimetres, 21 * 8);
    EXPECT_EQ(at100.halfCentimetres, 21);

    const Ticks at10 = drawA4Ruler(0, 0, kA4Width);
    ASSERT_EQ(at10.centimetres.size(), 21u);
    EXPECT_EQ(at10.centimetres.front(), 2);
    EXPECT_EQ(at10.labels.size(), 21u);
    EXPECT_EQ(at10.millimetres, 0);
    EXPECT_EQ(at10.halfCentimetres, 0);
}

TEST(Ruler, OnlyTheStepsMeetingTheVisibleRegionAreDrawnShiftedByTheScroll) {
    // Visible 100000..200000: the steps ending at 4..8 cm meet it.
    const Ticks ticks = drawA4Ruler(5, 100000, 200000, 50);
    ASSERT_EQ(ticks.centimetres.size(), 5u);
    EXPECT_EQ(ticks.centimetres.front(), 113 - 50);
    EXPECT_EQ(ticks.labels.front(), "4");
    EXPECT_EQ(ticks.labels.back(), "8");
}

} // namespace
} // namespace plexo
