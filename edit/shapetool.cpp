#include "edit/shapetool.h"

#include "edit/toolsupport.h"
#include "shapes/shape.h"

namespace plexo {

void ShapeTool::press(ToolHost& host, const PointerEvent& event) {
    if (rightButton(host, event) || busy())
        return;
    start_ = toolPoint(host, event.point);
    begin(host, {start_, start_});
    drag(host, event);
}

void ShapeTool::move(ToolHost& host, const PointerEvent& event) {
    if (busy())
        drag(host, event);
}

void ShapeTool::release(ToolHost& host, const PointerEvent& event) {
    if (!busy() || event.button != PointerButton::Left)
        return;
    drag(host, event);
    // A click without a drag makes nothing, even where the shape snaps to a
    // size of its own (the calendar).
    if (toolPoint(host, event.point) == start_) {
        cancel(host);
        return;
    }
    if (Shape* created = finish(host); created && created->kind == kText)
        host.editText(*created);
}

// The corners are normalised by the geometry: the points are set again from the
// press point each time.
void ShapeTool::drag(ToolHost& host, const PointerEvent& event) {
    shape_->points = {start_, toolPoint(host, event.point)};
    constrainLastPoints(*shape_, event.shift);
    update(host);
}

} // namespace plexo
