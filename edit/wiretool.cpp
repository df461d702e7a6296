#include "edit/wiretool.h"

#include "edit/toolsupport.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"

#include <cstdlib>

namespace plexo {

namespace {

// A terminal already carrying a wire lies under p: a click there does not end
// the new wire, even though the wire on that terminal passes under p.
bool overOccupiedTerminal(ToolHost& host, Point p) {
    for (const auto& object : host.folio().objects) {
        if (!object->alive || object->kind != kSymbol || !object->infoSymbole)
            continue;
        for (const Etiquette& label : object->infoSymbole->labels) {
            const Shape* t = label.shape.get();
            if (!t || t->kind != kTerminal || !t->infoBorne || !t->infoBorne->wire || t->points.empty())
                continue;
            const Point q = placedPoint(*t, *object);
            if (std::abs(q.x - p.x) <= kConnectTolerance && std::abs(q.y - p.y) <= kConnectTolerance)
                return true;
        }
    }
    return false;
}

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
    if (!findConnectable(host.folio(), placed, nullptr) || overOccupiedTerminal(host, placed))
        return;
    shape_->points.pop_back();
    // The creation joins each end to what lies under it and routes the wire.
    finish(host);
}

void WireTool::move(ToolHost& host, const PointerEvent& event) {
    if (!busy())
        return;
    follow(host, event);
    host.setCursor(overFreeTerminal(host, shape_->points.back()) ? ToolCursor::OverTerminal
                                                                 : ToolCursor::Draw);
}

ToolCursor WireTool::hover(ToolHost& host, Point at) {
    return overFreeTerminal(host, toolPoint(host, at)) ? ToolCursor::OverTerminal : ToolCursor::Draw;
}

} // namespace plexo
