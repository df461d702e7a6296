// The selection tool on a crowded folio: a rubber band around 10,000 objects,
// and a drag of 1,000 selected objects (200 of them symbols) whose 200 wires
// follow; each step is driven by pointer events as the pane sends them and
// timed beside a baseline doing the bare work in the same run (marking every
// object selected; the same objects moved with plain move() calls, no wires).
//   tools_bench [OBJECTS]
#include "bench/render_scene.h"
#include "edit/selecttool.h"
#include "edit/toolbox.h"
#include "shapes/recordingsurface.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/drawingfixture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace plexo;

namespace {

// The pane as far as the selection tool needs it.
class BenchHost : public ToolHost {
public:
    explicit BenchHost(test::DrawingFixture& fixture) : f(fixture) {}
    saoDoc& document() override { return f.document; }
    Folio& folio() override { return *f.folio; }
    RenderContext renderContext() const override { return RenderContext::atZoom(5); }
    void capture(bool) override {}
    void setCursor(ToolCursor) override {}
    void overlayChanged() override {}
    void beep() override {}
    bool editText(Shape&) override { return false; }
    void openProperties() override {}
    void openContextMenu(Point) override {}
    void zoomAt(int, Point) override {}
    void chooseTool(int) override {}

    test::DrawingFixture& f;
};

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

PointerEvent at(Point p) {
    PointerEvent e;
    e.point = p;
    return e;
}

} // namespace

int main(int argc, char** argv) {
    const int objects = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 10000;
    constexpr int kSymbolPairs = 200;
    constexpr int kSelected = 1000;

    test::DrawingFixture f;
    f.folio->pagesAcross = 4;
    f.folio->pagesDown = 4;
    const Rect extent = f.folio->extent();
    BenchHost host(f);

    // Filler objects, then pairs of relays joined by a wire: the first of each
    // pair will move, the second stays, so that every wire follows one end.
    const int filler = objects - 3 * kSymbolPairs;
    scene::fillFolio(*f.folio, filler, {0, 0, extent.right - 100000, extent.bottom - 100000});
    LibNode& relais = f.twoTerminalSymbol();
    std::vector<Shape*> moved;
    for (int i = 0; i < kSymbolPairs; ++i) {
        const Point p{50000 + (i % 20) * 110000, 100000 + (i / 20) * 150000};
        Shape& a = f.addSymbol(relais, p);
        Shape& b = f.addSymbol(relais, {p.x + 40000, p.y + 60000});
        f.addWire({{p.x + 10000, p.y}, {p.x + 30000, p.y + 60000}}, test::DrawingFixture::terminal(a, 1),
                  test::DrawingFixture::terminal(b, 0));
        moved.push_back(&a);
    }
    for (int i = 0; moved.size() < kSelected && i < filler; ++i)
        if (f.folio->objects[static_cast<std::size_t>(i)]->kind != kWire)
            moved.push_back(f.folio->objects[static_cast<std::size_t>(i)].get());
    std::printf("folio: %zu objects, %d wires joining relays, extent %d x %d\n", f.folio->objects.size(),
                kSymbolPairs, extent.right, extent.bottom);

    // Baseline 1: every object marked selected and the summary refreshed.
    auto start = std::chrono::steady_clock::now();
    for (auto& s : f.folio->objects)
        s->selected = true;
    refreshSelectionSummary(f.document);
    const double markAll = millisecondsSince(start);
    deselectAll(f.document);
    refreshSelectionSummary(f.document);

    // A rubber band around the whole folio.
    SelectTool tool;
    start = std::chrono::steady_clock::now();
    // From the empty bottom-right corner to the top-left one.
    tool.press(host, at({extent.right, extent.bottom}));
    tool.move(host, at({extent.right / 2, extent.bottom / 2}));
    tool.move(host, at({0, 0}));
    tool.release(host, at({0, 0}));
    const double band = millisecondsSince(start);
    std::printf("rubber band over everything: %8.2f ms (%d selected; baseline marking all: %.2f ms)\n", band,
                f.document.selection.count, markAll);

    // Baseline 2: the same objects moved by plain move() calls.
    start = std::chrono::steady_clock::now();
    for (Shape* s : moved)
        move(*s, 20000, 10000);
    const double plainMove = millisecondsSince(start);
    for (Shape* s : moved)
        move(*s, -20000, -10000);

    // The drag of 1,000 selected objects from a selected relay's body.
    deselectAll(f.document);
    for (Shape* s : moved)
        s->selected = true;
    refreshSelectionSummary(f.document);
    const Point grip = moved.front()->points.front();
    tool.press(host, at(grip));
    // One mouse move with the rubber drawing of the moved objects.
    RecordingSurface surface;
    start = std::chrono::steady_clock::now();
    tool.move(host, at({grip.x + 10000, grip.y + 5000}));
    tool.drawOverlay(surface, host.renderContext());
    const double mouseMove = millisecondsSince(start);
    start = std::chrono::steady_clock::now();
    tool.move(host, at({grip.x + 20000, grip.y + 10000}));
    tool.release(host, at({grip.x + 20000, grip.y + 10000}));
    const double drag = millisecondsSince(start);
    const Point after = moved.front()->points.front();
    std::printf("move of %zu selected objects, %d wires following: %8.2f ms (relay moved by %d, %d; "
                "baseline plain move(): %.2f ms)\n",
                moved.size(), kSymbolPairs, drag, after.x - grip.x, after.y - grip.y, plainMove);
    std::printf("one mouse move during that drag, with its rubber drawing: %.2f ms\n", mouseMove);

    // A rectangle dragged with the rectangle tool: one mouse move and its rubber drawing.
    auto rectangle = makeTool(105);
    rectangle->press(host, at({100000, 100000}));
    start = std::chrono::steady_clock::now();
    rectangle->move(host, at({300000, 200000}));
    surface.clear();
    rectangle->drawOverlay(surface, host.renderContext());
    std::printf("one mouse move dragging a rectangle, with its rubber drawing: %.3f ms\n",
                millisecondsSince(start));
    rectangle->cancel(host);

    // A relay widened by its left-middle handle (13000 left of its centre; its
    // wire leaves from the right).
    Shape& relay = *moved.front();
    deselectAll(f.document);
    relay.selected = true;
    refreshSelectionSummary(f.document);
    const Point handle{relay.points.front().x - 13000, relay.points.front().y};
    start = std::chrono::steady_clock::now();
    tool.press(host, at(handle));
    tool.move(host, at({handle.x - 6500, handle.y}));
    tool.release(host, at({handle.x - 6500, handle.y}));
    std::printf("reshape of a relay by a handle: %8.2f ms (stretched by %d)\n", millisecondsSince(start),
                relay.epx);

    start = std::chrono::steady_clock::now();
    undoAction(f.document);
    std::printf("undo of that reshape: %8.2f ms\n", millisecondsSince(start));
    return 0;
}
