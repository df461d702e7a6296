#include "edit/wiretool.h"

#include "edit/toolsupport.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"

namespace plexo {

namespace {

// A terminal free to take a wire lies under p.
bool overFreeTerminal(ToolHost& host, Point p) {
    const Shape* end = findConnectable(host.folio(), p, nullptr);
    return end && !end->isWire();
}

} // namespace

void WireTool::press(ToolHost& host, const PointerEvent& event) {
    if (rightButton(host, event))
        return;
    const bool started = busy();
    placePoint(host, event);
    host.setCursor(ToolCursor::Draw);
    if (!started)
        return;
    // The point just placed is the one before the moving point. A terminal
    // already carrying a wire is not found, and the construction goes on.
    const Point placed = shape_->points[shape_->points.size() - 2];
    if (!findConnectable(host.folio(), placed, nullptr))
        return;
    shape_->points.pop_back();
    // The creation joins each end to what lies under it and routes the wire.
    finish(host);
}

void WireTool::move(ToolHost& host, const PointerEvent& event) {
    if (!busy())
        return;
    follow(host, event);
    host.setCursor(overFreeTerminal(host, shape_->points.back()) ? ToolCursor::OverTerminal : ToolCursor::Draw);
}

ToolCursor WireTool::hover(ToolHost& host, Point at) {
    return overFreeTerminal(host, toolPoint(host, at)) ? ToolCursor::OverTerminal : ToolCursor::Draw;
}

} // namespace plexo
