#include "edit/selecttool.h"

#include "fakehost.h"
#include "shapes/recordingsurface.h"
#include "shapes/shape.h"
#include "store/selection.h"
#include "store/undo.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::FakeHost;
using Points = std::vector<Point>;

class SelectToolTest : public ::testing::Test {
protected:
    // A filled box, so that a click inside it touches it.
    Shape& box(Point a, Point b) {
        Shape& s = host.f.add(kRectangle, {a, b});
        s.style.fillColour = 2;
        s.takeUndoCopy();
        return s;
    }
    std::vector<Shape*> selected() { return selectedObjects(*host.f.folio); }

    FakeHost host;
    SelectTool tool;
};

TEST_F(SelectToolTest, AClickSelectsTheFrontMostObjectAndShiftToggles) {
    Shape& back = box({10000, 10000}, {50000, 50000});
    Shape& front = box({30000, 30000}, {70000, 70000});
    host.click(tool, {40000, 40000});
    EXPECT_EQ(selected(), std::vector<Shape*>{&front});
    EXPECT_EQ(host.f.document.selection.single, &front);
    host.click(tool, {20000, 20000}, true);
    EXPECT_EQ(selected(), (std::vector<Shape*>{&back, &front}));
    host.click(tool, {60000, 60000}, true);
    EXPECT_EQ(selected(), std::vector<Shape*>{&back});
    // A click without Shift on another object makes it the only one selected.
    host.click(tool, {60000, 60000});
    EXPECT_EQ(selected(), std::vector<Shape*>{&front});
    // A click on nothing clears the selection; nothing was recorded.
    host.click(tool, {200000, 200000});
    EXPECT_TRUE(selected().empty());
    EXPECT_FALSE(host.f.document.selection.any);
    EXPECT_EQ(host.f.document.undoState.label, 0);
    EXPECT_FALSE(host.captured);
}

TEST_F(SelectToolTest, TheBandSelectsWhatLiesWhollyInsideAndTogglesWithShift) {
    Shape& inside = box({20000, 20000}, {40000, 40000});
    Shape& across = box({50000, 20000}, {120000, 40000});
    Shape& outside = host.f.add(kLine, {{200000, 20000}, {220000, 20000}});
    outside.selected = true;
    host.drag(tool, {5000, 5000}, {100000, 60000});
    EXPECT_EQ(selected(), std::vector<Shape*>{&inside});
    EXPECT_EQ(tool.lastBand(), (Rect{5000, 5000, 100000, 60000}));
    // With Shift the band toggles and keeps the rest of the selection.
    // Drawn from its bottom-right corner up to its top-left one.
    host.drag(tool, {130000, 60000}, {5000, 5000}, true);
    EXPECT_EQ(selected(), std::vector<Shape*>{&across});
    EXPECT_EQ(tool.lastBand(), (Rect{5000, 5000, 130000, 60000}));
    EXPECT_EQ(host.f.document.undoState.label, 0);
}

TEST_F(SelectToolTest, MovesSnapToTheSecondaryStepOrToHalfGridStepsWithASymbol) {
    Shape& a = box({20000, 20000}, {40000, 40000});
    host.click(tool, {30000, 30000});
    host.drag(tool, {30000, 30000}, {40400, 35600});
    EXPECT_EQ(a.points, (Points{{30000, 26000}, {50000, 46000}}));
    EXPECT_EQ(host.undoText(), "&Annuler le déplacement\tCtrl+Z");
    // Shift held during the drag keeps the dominant axis.
    tool.press(host, FakeHost::at({40000, 40000}));
    tool.move(host, FakeHost::at({60000, 45000}, true));
    tool.release(host, FakeHost::at({60000, 45000}, true));
    EXPECT_EQ(a.points, (Points{{50000, 26000}, {70000, 46000}}));
    undoAction(host.f.document);
    EXPECT_EQ(a.points, (Points{{30000, 26000}, {50000, 46000}}));
    EXPECT_EQ(host.undoText(), "&Refaire le déplacement\tCtrl+Z");
    undoAction(host.f.document);
    EXPECT_EQ(a.points, (Points{{50000, 26000}, {70000, 46000}}));

    Shape& relay = host.f.addSymbol(host.f.twoTerminalSymbol(), {200000, 200000});
    relay.selected = true;
    host.drag(tool, {60000, 40000}, {74000, 46000});
    EXPECT_EQ(a.points, (Points{{60000, 36000}, {80000, 56000}}));
    EXPECT_EQ(relay.points.front(), (Point{210000, 210000}));
    // Without the snap switch the move is exact; a drag back to the start records nothing.
    host.f.document.snapToGrid = 0;
    host.drag(tool, {70000, 50000}, {70001, 50002});
    EXPECT_EQ(a.points.front(), (Point{60001, 36002}));
    const int before = host.f.document.undoState.redo;
    host.drag(tool, {70000, 50000}, {70000, 50000});
    EXPECT_EQ(host.f.document.undoState.redo, before);
}

TEST_F(SelectToolTest, HandlesReshapeAndSymbolHandlesStretch) {
    Shape& a = box({20000, 20000}, {40000, 40000});
    host.click(tool, {30000, 30000});
    // The bottom-right corner is handle 5.
    EXPECT_EQ(tool.hover(host, {40000, 40000}), ToolCursor::Handle);
    EXPECT_EQ(tool.hover(host, {30000, 30000}), ToolCursor::Move);
    EXPECT_EQ(tool.hover(host, {90000, 90000}), ToolCursor::Arrow);
    host.drag(tool, {40000, 40000}, {60000, 50000});
    EXPECT_EQ(a.points, (Points{{20000, 20000}, {60000, 50000}}));
    EXPECT_TRUE(a.selected);
    EXPECT_EQ(host.undoText(), "&Annuler le redimensionnement\tCtrl+Z");
    undoAction(host.f.document);
    EXPECT_EQ(a.points, (Points{{20000, 20000}, {40000, 40000}}));

    // The relay's right-middle handle (at 13000 right of its centre) widens it.
    Shape& relay = host.f.addSymbol(host.f.twoTerminalSymbol(), {200000, 200000});
    host.click(tool, {200000, 200000});
    ASSERT_TRUE(relay.selected);
    host.drag(tool, {213000, 200000}, {219500, 200000});
    EXPECT_EQ(relay.epx, 6500);
    EXPECT_EQ(host.undoText(), "&Annuler le redimensionnement\tCtrl+Z");
}

TEST_F(SelectToolTest, TheRubberDrawingFollowsTheDragAndLeavesWithIt) {
    Shape& a = box({20000, 20000}, {40000, 40000});
    RecordingSurface surface;
    const RenderContext context = RenderContext::atZoom(5);
    auto drawn = [&] {
        surface.clear();
        tool.drawOverlay(surface, context);
        return !surface.drawingLines().empty();
    };
    // The band.
    tool.press(host, FakeHost::at({10000, 10000}));
    tool.move(host, FakeHost::at({90000, 90000}));
    EXPECT_TRUE(drawn());
    EXPECT_TRUE(host.captured);
    tool.release(host, FakeHost::at({90000, 90000}));
    EXPECT_FALSE(drawn());
    EXPECT_FALSE(tool.overlayArea());
    ASSERT_TRUE(a.selected);
    // A move shows the selection where it will land, snapped.
    tool.press(host, FakeHost::at({30000, 30000}));
    tool.move(host, FakeHost::at({50400, 30000}));
    EXPECT_TRUE(drawn());
    ASSERT_TRUE(tool.overlayArea());
    EXPECT_EQ(tool.overlayArea()->left, a.outline.left + 20000);
    // Escape drops it without moving anything.
    tool.cancel(host);
    EXPECT_FALSE(tool.busy());
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(a.points.front(), (Point{20000, 20000}));
    // A reshape shows the object as it will be.
    tool.press(host, FakeHost::at({40000, 40000}));
    tool.move(host, FakeHost::at({70000, 40000}));
    EXPECT_TRUE(drawn());
    ASSERT_TRUE(tool.overlayArea());
    EXPECT_GE(tool.overlayArea()->right, 70000);
    EXPECT_EQ(a.points.back(), (Point{40000, 40000}));
    tool.cancel(host);
    EXPECT_EQ(host.f.document.undoState.label, 0);
}

TEST_F(SelectToolTest, AWireEndDraggedShowsItsGhostWithoutTouchingTheWireOrItsLinks) {
    LibNode& relais = host.f.twoTerminalSymbol();
    Shape& a = host.f.addSymbol(relais, {100000, 100000});
    Shape* out = test::DrawingFixture::terminal(a, 1);
    Shape& w = host.f.addWire({{110000, 100000}, {200000, 100000}}, out, nullptr);
    const Points before = w.points;
    host.click(tool, {150000, 100000});
    ASSERT_TRUE(w.selected);
    EXPECT_EQ(tool.hover(host, {200000, 100000}), ToolCursor::Handle);
    // Its free end (handle 3 of a two-point wire) dragged onto the relay's other terminal.
    tool.press(host, FakeHost::at({200000, 100000}));
    tool.move(host, FakeHost::at({90000, 100000}));
    EXPECT_EQ(host.cursor, ToolCursor::WireOverTerminal);
    RecordingSurface surface;
    tool.drawOverlay(surface, RenderContext::atZoom(5));
    EXPECT_FALSE(surface.drawingLines().empty());
    ASSERT_TRUE(tool.overlayArea());
    EXPECT_LE(tool.overlayArea()->left, 90000);
    EXPECT_EQ(w.points, before);
    EXPECT_EQ(w.infoFil->amont, out);
    EXPECT_EQ(w.infoFil->aval, nullptr);
    EXPECT_EQ(test::DrawingFixture::terminal(a, 0)->infoBorne->wire, nullptr);
    tool.release(host, FakeHost::at({90000, 100000}));
    EXPECT_EQ(w.points.back(), (Point{90000, 100000}));
    EXPECT_EQ(w.infoFil->aval, test::DrawingFixture::terminal(a, 0));
    EXPECT_EQ(host.undoText(), "&Annuler le redimensionnement\tCtrl+Z");
}

TEST_F(SelectToolTest, DoubleClickOpensThePropertiesAndTheRightButtonTheMenu) {
    box({20000, 20000}, {40000, 40000});
    host.doubleClick(tool, {30000, 30000});
    EXPECT_EQ(host.properties, 1);
    host.rightClick(tool, {30000, 30000});
    EXPECT_EQ(host.menus, (Points{{30000, 30000}}));
    // Several objects selected: no properties.
    box({60000, 20000}, {80000, 40000});
    host.click(tool, {70000, 30000}, true);
    tool.doubleClick(host, FakeHost::at({70000, 30000}));
    EXPECT_EQ(host.properties, 1);
}

} // namespace
} // namespace plexo
