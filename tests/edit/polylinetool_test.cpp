#include "edit/toolbox.h"

#include "fakehost.h"
#include "shapes/shape.h"
#include "store/undo.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::FakeHost;
using Points = std::vector<Point>;

TEST(PolylineTool, PolygonAndBezierTakeAPointPerClickAndEndOnADoubleClick) {
    for (const auto& [id, kind] : {std::pair{108, kPolygon}, std::pair{111, kBezier}}) {
        FakeHost host;
        auto tool = makeTool(id);
        host.click(*tool, {10000, 10000});
        tool->move(host, FakeHost::at({30000, 12000}));
        // Releasing does not end the construction.
        EXPECT_TRUE(tool->busy());
        // Shift makes the segment horizontal.
        host.click(*tool, {50200, 12000}, true);
        host.click(*tool, {50000, 40000});
        EXPECT_EQ(host.objectCount(), 0u);
        host.doubleClick(*tool, {20000, 40000});
        ASSERT_EQ(host.objectCount(), 1u) << id;
        Shape& s = host.last();
        EXPECT_EQ(s.kind, kind);
        EXPECT_EQ(s.points, (Points{{10000, 10000}, {50000, 10000}, {50000, 40000}, {20000, 40000}}));
        EXPECT_EQ(s.style.colour, 3);
        EXPECT_FALSE(tool->busy());
        EXPECT_FALSE(host.captured);
        EXPECT_EQ(host.undoText(), "&Annuler la création\tCtrl+Z");
        undoAction(host.f.document);
        EXPECT_FALSE(s.alive);
    }
}

TEST(PolylineTool, ADoubleClickOnTheFirstPointOrEscapeLeavesNothing) {
    FakeHost host;
    auto tool = makeTool(108);
    host.doubleClick(*tool, {10000, 10000});
    EXPECT_FALSE(tool->busy());
    host.click(*tool, {10000, 10000});
    host.click(*tool, {40000, 10000});
    tool->cancel(host);
    EXPECT_FALSE(tool->busy());
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(host.objectCount(), 0u);
    EXPECT_EQ(host.f.document.undoState.label, 0);
    // The right button opens the menu, even in the middle of a construction.
    host.rightClick(*tool, {5000, 5000});
    EXPECT_EQ(host.menus.size(), 1u);
}

TEST(FreehandTool, EveryMoveAddsAPoint) {
    FakeHost host;
    auto tool = makeTool(112);
    tool->press(host, FakeHost::at({10000, 10000}));
    for (Point p : Points{{11000, 10000}, {12000, 11200}, {12000, 11000}, {13000, 12000}})
        tool->move(host, FakeHost::at(p));
    tool->release(host, FakeHost::at({13000, 12000}));
    ASSERT_EQ(host.objectCount(), 1u);
    EXPECT_EQ(host.last().kind, kFreeHand);
    EXPECT_EQ(host.last().points, (Points{{10000, 10000}, {11000, 10000}, {12000, 11000}, {13000, 12000}}));
    EXPECT_EQ(host.undoText(), "&Annuler la création\tCtrl+Z");
    // A click draws nothing.
    host.click(*tool, {30000, 30000});
    EXPECT_EQ(host.objectCount(), 1u);
}

TEST(PlaceTool, PlacedObjectsFollowTheMouseAndAreCentredOnIt) {
    const struct {
        int tool;
        int kind;
        Point half;
    } cases[] = {{114, kTerminal, {0, 0}},
                 {117, kTextZone, {0, 0}},
                 {118, kChordGrid, {15000, 15000}},
                 {119, kTablature, {5000, 30000}}};
    for (const auto& c : cases) {
        FakeHost host;
        auto tool = makeTool(c.tool);
        tool->press(host, FakeHost::at({50000, 50000}));
        tool->move(host, FakeHost::at({80000, 90000}));
        ASSERT_TRUE(tool->overlayArea());
        EXPECT_TRUE(tool->overlayArea()->contains({80000, 90000}));
        tool->release(host, FakeHost::at({100200, 99800}));
        ASSERT_EQ(host.objectCount(), 1u) << c.tool;
        Shape& s = host.last();
        EXPECT_EQ(s.kind, c.kind);
        EXPECT_EQ(s.points,
                  (Points{{100000 - c.half.x, 100000 - c.half.y}, {100000 + c.half.x, 100000 + c.half.y}}))
            << c.tool;
        EXPECT_EQ(s.style.colour, 3);
        EXPECT_EQ(host.undoText(), "&Annuler la création\tCtrl+Z");
    }
}

} // namespace
} // namespace plexo
