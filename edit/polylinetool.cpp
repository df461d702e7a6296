#include "edit/polylinetool.h"

#include "edit/toolsupport.h"
#include "shapes/shape.h"

namespace plexo {

void PolylineTool::press(ToolHost& host, const PointerEvent& event) {
    if (rightButton(host, event))
        return;
    placePoint(host, event);
}

void PolylineTool::move(ToolHost& host, const PointerEvent& event) {
    if (busy())
        follow(host, event);
}

// A double-click comes after the press of its first click, which placed the
// point: the moving point after it is dropped and the object ends there.
void PolylineTool::doubleClick(ToolHost& host, const PointerEvent& event) {
    if (event.button != PointerButton::Left || !busy())
        return;
    if (shape_->points.size() > 1)
        shape_->points.pop_back();
    shape_->points.back() = toolPoint(host, event.point);
    constrainLastPoints(*shape_, event.shift);
    finish(host);
}

void PolylineTool::follow(ToolHost& host, const PointerEvent& event) {
    shape_->points.back() = toolPoint(host, event.point);
    constrainLastPoints(*shape_, event.shift);
    update(host);
}

Point PolylineTool::placePoint(ToolHost& host, const PointerEvent& event) {
    const Point p = toolPoint(host, event.point);
    if (!busy()) {
        begin(host, {p, p});
    } else {
        shape_->points.back() = p;
        constrainLastPoints(*shape_, event.shift);
        shape_->points.push_back(shape_->points.back());
    }
    update(host);
    return shape_->points.back();
}

} // namespace plexo
