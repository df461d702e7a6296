#include "edit/freehandtool.h"

#include "edit/toolsupport.h"
#include "shapes/shape.h"

namespace plexo {

FreehandTool::FreehandTool() : ConstructionTool(kFreeHand) {}

void FreehandTool::press(ToolHost& host, const PointerEvent& event) {
    if (rightButton(host, event) || busy())
        return;
    const Point p = toolPoint(host, event.point);
    begin(host, {p, p});
    update(host);
}

// The moving last point stays where the mouse went and a new one follows; a
// move that lands on the same snapped point adds nothing.
void FreehandTool::move(ToolHost& host, const PointerEvent& event) {
    if (!busy())
        return;
    auto& points = shape_->points;
    const Point p = toolPoint(host, event.point);
    points.back() = p;
    if (!(points[points.size() - 2] == p))
        points.push_back(p);
    update(host);
}

void FreehandTool::release(ToolHost& host, const PointerEvent& event) {
    if (!busy() || event.button != PointerButton::Left)
        return;
    auto& points = shape_->points;
    points.back() = toolPoint(host, event.point);
    // The release on the point of the last move adds nothing.
    if (points.size() > 2 && points[points.size() - 2] == points.back())
        points.pop_back();
    finish(host);
}

} // namespace plexo
