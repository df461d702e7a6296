// A ToolHost over a real document with one folio, remembering what the tools
// asked of the window, and helpers that script pointer events.
#pragma once

#include "edit/tool.h"
#include "edit/toolhost.h"
#include "store/undo.h"
#include "support/drawingfixture.h"

#include <utility>
#include <vector>

namespace plexo::test {

class FakeHost : public ToolHost {
public:
    FakeHost() {
        // Round figures: points as the unit, a 1000-unit secondary step and a
        // 20000-unit main grid (half steps of 10000).
        saoDoc& d = f.document;
        d.unitIsMm = 0;
        d.snapToGrid = 1;
        d.secondaryGrid = 1000;
        d.horizontalGrid = 20000;
        d.verticalGrid = 20000;
        d.objectStyle = objectDefaultStyle();
        d.objectStyle.colour = 3;
        d.wireStyle = wireDefaultStyle();
        d.wireStyle.colour = 5;
        d.fourthStyle = objectDefaultStyle();
        d.fourthStyle.colour = 7;
    }

    saoDoc& document() override { return f.document; }
    Folio& folio() override { return *f.folio; }
    RenderContext renderContext() const override { return RenderContext::atZoom(zoom); }
    void capture(bool on) override { captured = on; }
    void setCursor(ToolCursor c) override { cursor = c; }
    void overlayChanged() override { ++overlays; }
    void beep() override { ++beeps; }
    bool editText(Shape& text) override {
        edited.push_back(&text);
        return true;
    }
    void openProperties() override { ++properties; }
    void openContextMenu(Point at) override { menus.push_back(at); }
    void zoomAt(int level, Point at) override {
        zooms.emplace_back(level, at);
        zoom = level;
    }
    void chooseTool(int id) override { chosen = id; }

    // Scripted gestures.
    static PointerEvent at(Point p, bool shift = false, PointerButton button = PointerButton::Left) {
        PointerEvent e;
        e.point = p;
        e.shift = shift;
        e.button = button;
        return e;
    }
    void click(Tool& tool, Point p, bool shift = false) {
        tool.press(*this, at(p, shift));
        tool.release(*this, at(p, shift));
    }
    void rightClick(Tool& tool, Point p) {
        tool.press(*this, at(p, false, PointerButton::Right));
        tool.release(*this, at(p, false, PointerButton::Right));
    }
    // Press, release and double-click, as a window reports a double-click.
    void doubleClick(Tool& tool, Point p, bool shift = false) {
        click(tool, p, shift);
        tool.doubleClick(*this, at(p, shift));
        tool.release(*this, at(p, shift));
    }
    void drag(Tool& tool, Point from, Point to, bool shift = false) {
        tool.press(*this, at(from, shift));
        tool.move(*this, at({(from.x + to.x) / 2, (from.y + to.y) / 2}, shift));
        tool.move(*this, at(to, shift));
        tool.release(*this, at(to, shift));
    }

    std::size_t objectCount() const { return f.folio->objects.size(); }
    Shape& last() { return *f.folio->objects.back(); }
    std::string undoText() const { return undoLabelFor(f.document, f.folio).text; }

    DrawingFixture f;
    int zoom = 5;
    bool captured = false;
    ToolCursor cursor = ToolCursor::Arrow;
    int overlays = 0;
    int beeps = 0;
    int properties = 0;
    std::vector<Shape*> edited;
    std::vector<Point> menus;
    std::vector<std::pair<int, Point>> zooms;
    int chosen = 0;
};

} // namespace plexo::test
