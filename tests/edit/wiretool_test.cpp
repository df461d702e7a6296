#include "edit/toolbox.h"

#include "fakehost.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/undo.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::DrawingFixture;
using test::FakeHost;
using Points = std::vector<Point>;

// Two relays whose facing terminals are at (110000, 100000) and (290000, 200000).
class WireTool : public ::testing::Test {
protected:
    FakeHost host;
    LibNode& relais = host.f.twoTerminalSymbol();
    Shape& a = host.f.addSymbol(relais, {100000, 100000});
    Shape& b = host.f.addSymbol(relais, {300000, 200000});
    Shape* out = DrawingFixture::terminal(a, 1);
    Shape* in = DrawingFixture::terminal(b, 0);
};

bool isOrthogonal(const Points& points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].x != points[i - 1].x && points[i].y != points[i - 1].y)
            return false;
    return true;
}

TEST_F(WireTool, AWireFromTerminalToTerminalIsJoinedAtBothEndsAndFollowsItsSymbols) {
    auto tool = makeTool(115);
    host.click(*tool, {110000, 100000});
    tool->move(host, FakeHost::at({200000, 100000}));
    host.click(*tool, {200000, 100000});
    EXPECT_TRUE(tool->busy());
    // Over the free terminal the cursor says so; the click within 5 pixels ends the wire.
    tool->move(host, FakeHost::at({289000, 201000}));
    EXPECT_EQ(host.cursor, ToolCursor::OverTerminal);
    host.click(*tool, {289000, 201000});
    EXPECT_FALSE(tool->busy());
    EXPECT_FALSE(host.captured);
    ASSERT_EQ(host.objectCount(), 3u);
    Shape& w = host.last();
    EXPECT_EQ(w.kind, kWire);
    EXPECT_EQ(w.style.colour, 5);
    EXPECT_FALSE(w.selected);
    EXPECT_EQ(w.infoFil->amont, out);
    EXPECT_EQ(w.infoFil->aval, in);
    EXPECT_EQ(w.points.front(), (Point{110000, 100000}));
    EXPECT_EQ(w.points.back(), (Point{290000, 200000}));
    EXPECT_TRUE(isOrthogonal(w.points));
    EXPECT_EQ(host.undoText(), "&Annuler la création\tCtrl+Z");

    // Moving the first relay with the selection tool takes the wire's end along
    // (the move snaps to half grid steps), and undo puts it back.
    auto select = makeTool(101);
    host.click(*select, {95000, 100000});
    ASSERT_TRUE(a.selected);
    host.drag(*select, {95000, 100000}, {115300, 109700});
    EXPECT_EQ(a.points.front(), (Point{120000, 110000}));
    EXPECT_EQ(w.points.front(), (Point{130000, 110000}));
    EXPECT_EQ(w.points.back(), (Point{290000, 200000}));
    EXPECT_TRUE(isOrthogonal(w.points));
    EXPECT_EQ(host.undoText(), "&Annuler le déplacement\tCtrl+Z");
    undoAction(host.f.document);
    EXPECT_EQ(a.points.front(), (Point{100000, 100000}));
    EXPECT_EQ(w.points.front(), (Point{110000, 100000}));
    EXPECT_EQ(w.infoFil->amont, out);
    EXPECT_EQ(host.undoText(), "&Refaire le déplacement\tCtrl+Z");
    undoAction(host.f.document);
    EXPECT_EQ(w.points.front(), (Point{130000, 110000}));
}

TEST_F(WireTool, ATerminalThatAlreadyCarriesAWireDoesNotEndANewOne) {
    host.f.addWire({{290000, 200000}, {290000, 300000}}, nullptr, in);
    auto tool = makeTool(115);
    host.click(*tool, {110000, 100000});
    host.click(*tool, {290000, 200000});
    EXPECT_TRUE(tool->busy());
    EXPECT_EQ(host.objectCount(), 3u);
    // A double-click ends it where it is.
    host.doubleClick(*tool, {290000, 150000});
    ASSERT_EQ(host.objectCount(), 4u);
    Shape& w = host.last();
    EXPECT_EQ(w.infoFil->amont, out);
    EXPECT_EQ(w.infoFil->aval, nullptr);
    EXPECT_EQ(w.points.back(), (Point{290000, 150000}));
    // A double-click on a free terminal ends the wire at its first click and
    // starts nothing more.
    host.click(*tool, {310000, 200000});
    host.doubleClick(*tool, {90000, 100000});
    EXPECT_FALSE(tool->busy());
    ASSERT_EQ(host.objectCount(), 5u);
    EXPECT_EQ(host.last().infoFil->aval, DrawingFixture::terminal(a, 0));
}

TEST_F(WireTool, ACableEndsOnAWireInTheDefaultWireStyle) {
    Shape& existing = host.f.addWire({{400000, 50000}, {400000, 300000}}, nullptr, nullptr);
    auto tool = makeTool(116);
    host.click(*tool, {310000, 200000});
    host.click(*tool, {402000, 150000});
    ASSERT_EQ(host.objectCount(), 4u);
    Shape& cable = host.last();
    EXPECT_EQ(cable.kind, kCable);
    EXPECT_EQ(cable.style.colour, 5);
    EXPECT_EQ(cable.infoFil->amont, DrawingFixture::terminal(b, 1));
    EXPECT_EQ(cable.infoFil->aval, &existing);
    // Escape drops a wire under construction without recording it.
    auto wire = makeTool(115);
    host.click(*wire, {10000, 10000});
    host.click(*wire, {50000, 10000});
    wire->cancel(host);
    EXPECT_FALSE(wire->busy());
    EXPECT_EQ(host.objectCount(), 4u);
    EXPECT_EQ(host.undoText(), "&Annuler la création\tCtrl+Z");
}

} // namespace
} // namespace plexo
