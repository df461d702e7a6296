// The tools that act on a click: the magnifier and the add-lines tool.
#include "edit/toolbox.h"

#include "fakehost.h"
#include "shapes/shape.h"
#include "store/selection.h"
#include "store/undo.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::FakeHost;
using Points = std::vector<Point>;

TEST(MagnifierTool, ZoomsInAndOutOnThePointWithinTheZoomTable) {
    FakeHost host;
    auto tool = makeTool(103);
    EXPECT_EQ(tool->hover(host, {0, 0}), ToolCursor::Magnifier);
    host.click(*tool, {50400, 60000});
    host.rightClick(*tool, {10000, 10000});
    EXPECT_EQ(host.zooms, (std::vector<std::pair<int, Point>>{{6, {50000, 60000}}, {5, {10000, 10000}}}));
    // A double-click is a further press.
    tool->doubleClick(host, FakeHost::at({10000, 10000}));
    EXPECT_EQ(host.zoom, 6);
    host.zooms.clear();
    host.zoom = 8;
    host.click(*tool, {10000, 10000});
    host.zoom = 0;
    host.rightClick(*tool, {10000, 10000});
    EXPECT_TRUE(host.zooms.empty());
    EXPECT_TRUE(host.menus.empty());
}

TEST(AddLinesTool, InsertsAndRemovesHalfAVerticalStepBelowThePoint) {
    FakeHost host;
    Shape& above = host.f.add(kLine, {{10000, 10000}, {50000, 10000}});
    Shape& across = host.f.add(kLine, {{10000, 20000}, {10000, 80000}});
    Shape& below = host.f.add(kLine, {{10000, 60000}, {50000, 70000}});
    above.selected = true;
    auto tool = makeTool(102);
    EXPECT_EQ(tool->hover(host, {0, 0}), ToolCursor::AddLines);
    // The line below has its outline's top at 57000 (its 3000 margin).
    host.click(*tool, {30000, 57000});
    EXPECT_EQ(below.points, (Points{{10000, 70000}, {50000, 80000}}));
    EXPECT_EQ(across.points.front(), (Point{10000, 20000}));
    EXPECT_EQ(above.points.front(), (Point{10000, 10000}));
    EXPECT_TRUE(selectedObjects(*host.f.folio).empty());
    EXPECT_EQ(host.undoText(), "&Annuler le déplacement\tCtrl+Z");
    host.rightClick(*tool, {30000, 57000});
    EXPECT_EQ(below.points.front(), (Point{10000, 60000}));
    EXPECT_TRUE(host.menus.empty());
    undoAction(host.f.document);
    EXPECT_EQ(below.points.front(), (Point{10000, 70000}));
}

} // namespace
} // namespace plexo
