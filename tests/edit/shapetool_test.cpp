#include "edit/toolbox.h"

#include "fakehost.h"
#include "shapes/shape.h"
#include "store/undo.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::FakeHost;
using Points = std::vector<Point>;

TEST(ShapeTool, EveryTwoPointKindIsDrawnInTheDefaultObjectStyle) {
    const struct {
        int tool;
        int kind;
    } cases[] = {{104, kLine},      {105, kRectangle}, {106, kRoundRect}, {107, kOval},
                 {109, kHalfOvalH}, {110, kHalfOvalV}, {113, kText}};
    for (const auto& c : cases) {
        FakeHost host;
        auto tool = makeTool(c.tool);
        // The points snap to the secondary step.
        host.drag(*tool, {10400, 20600}, {60000, 49700});
        ASSERT_EQ(host.objectCount(), 1u) << c.tool;
        Shape& s = host.last();
        EXPECT_EQ(s.kind, c.kind) << c.tool;
        EXPECT_EQ(s.points, (Points{{10000, 21000}, {60000, 50000}})) << c.tool;
        EXPECT_EQ(s.style.colour, 3) << c.tool;
        EXPECT_TRUE(s.alive);
        EXPECT_FALSE(s.selected);
        EXPECT_FALSE(host.captured);
        EXPECT_FALSE(tool->busy());
        EXPECT_EQ(host.undoText(), "&Annuler la création\tCtrl+Z") << c.tool;
        // Only the text tool opens "Saisie de texte", on the new object.
        EXPECT_EQ(host.edited, c.kind == kText ? std::vector<Shape*>{&s} : std::vector<Shape*>{}) << c.tool;
        undoAction(host.f.document);
        EXPECT_FALSE(s.alive);
        EXPECT_EQ(host.undoText(), "&Refaire la création\tCtrl+Z");
        undoAction(host.f.document);
        EXPECT_TRUE(s.alive);
    }
}

TEST(ShapeTool, PointsAreClampedToTheFolioAndSnapOnlyWhenAsked) {
    FakeHost host;
    auto tool = makeTool(105);
    const Rect extent = host.f.folio->extent();
    host.drag(*tool, {-5000, -8000}, {extent.right + 50000, 30000});
    EXPECT_EQ(host.last().points, (Points{{0, 0}, {extent.right, 30000}}));
    host.f.document.snapToGrid = 0;
    host.drag(*tool, {10400, 20600}, {60123, 49777});
    EXPECT_EQ(host.last().points, (Points{{10400, 20600}, {60123, 49777}}));
}

TEST(ShapeTool, ShiftMakesSquaresAndStraightLines) {
    const struct {
        int tool;
        Point from, to;
        Points expected;
    } cases[] = {
        // A box becomes a square of the larger side, in the drag's direction.
        {105, {10000, 10000}, {40000, 20000}, {{10000, 10000}, {40000, 40000}}},
        {107, {50000, 50000}, {30000, 45000}, {{30000, 30000}, {50000, 50000}}},
        // A line is horizontal, vertical or diagonal.
        {104, {10000, 10000}, {40000, 20000}, {{10000, 10000}, {40000, 10000}}},
        {104, {10000, 10000}, {20000, 40000}, {{10000, 10000}, {10000, 40000}}},
        {104, {40000, 40000}, {10000, 20000}, {{40000, 40000}, {10000, 10000}}},
    };
    for (const auto& c : cases) {
        FakeHost host;
        auto tool = makeTool(c.tool);
        host.drag(*tool, c.from, c.to, true);
        ASSERT_EQ(host.objectCount(), 1u);
        EXPECT_EQ(host.last().points, c.expected) << c.tool << " " << c.to.x;
    }
}

TEST(ShapeTool, AClickOrAFlatBoxCreatesAndRecordsNothing) {
    FakeHost host;
    for (int id : {104, 105, 107, 113, 120}) {
        auto tool = makeTool(id);
        host.click(*tool, {30000, 30000});
        host.drag(*tool, {30000, 30000}, {30400, 30300}); // snaps back onto the press point
        if (id != 104 && id != 120)
            host.drag(*tool, {30000, 30000}, {60000, 30000});
    }
    EXPECT_EQ(host.objectCount(), 0u);
    EXPECT_EQ(host.f.document.undoState.label, 0);
    EXPECT_FALSE(host.f.document.isModified());
    EXPECT_TRUE(host.edited.empty());
    EXPECT_FALSE(host.captured);
}

TEST(ShapeTool, TheCalendarSnapsToWholeMonths) {
    FakeHost host;
    auto tool = makeTool(120);
    // Text size 9: a month is 180000 wide and the calendar 445500 high.
    host.drag(*tool, {10000, 10000}, {10000 + 450000, 20000});
    Shape& two = host.last();
    EXPECT_EQ(two.kind, kCalendar);
    EXPECT_EQ(two.points, (Points{{10000, 10000}, {370000, 455500}}));
    EXPECT_EQ(two.infoCalendrier->monthCount, 2);
    EXPECT_EQ(two.style.colour, 3);
    // A narrow drag gives one month, a wide one no more than six.
    host.f.document.objectStyle.fontSize = 2;
    host.drag(*tool, {10000, 10000}, {15000, 15000});
    EXPECT_EQ(host.last().infoCalendrier->monthCount, 1);
    EXPECT_EQ(host.last().points.back(), (Point{50000, 109000}));
    host.drag(*tool, {10000, 10000}, {500000, 15000});
    EXPECT_EQ(host.last().infoCalendrier->monthCount, 6);
    EXPECT_EQ(host.last().points.back(), (Point{250000, 109000}));
}

TEST(ShapeTool, RightButtonOpensTheMenuAndEscapeDropsTheDrag) {
    FakeHost host;
    auto tool = makeTool(105);
    host.rightClick(*tool, {20000, 20000});
    EXPECT_EQ(host.menus, (Points{{20000, 20000}}));
    tool->press(host, FakeHost::at({10000, 10000}));
    tool->move(host, FakeHost::at({50000, 50000}));
    EXPECT_TRUE(tool->busy());
    EXPECT_TRUE(host.captured);
    ASSERT_TRUE(tool->overlayArea());
    EXPECT_TRUE(tool->overlayArea()->contains({50000, 50000}));
    tool->cancel(host);
    tool->release(host, FakeHost::at({50000, 50000}));
    EXPECT_FALSE(tool->busy());
    EXPECT_FALSE(host.captured);
    EXPECT_FALSE(tool->overlayArea());
    EXPECT_EQ(host.objectCount(), 0u);
    EXPECT_EQ(host.f.document.undoState.label, 0);
}

} // namespace
} // namespace plexo
