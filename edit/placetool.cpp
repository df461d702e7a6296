#include "edit/placetool.h"

#include "edit/toolsupport.h"
#include "shapes/shape.h"

namespace plexo {

namespace {

// Half the fixed size of the object about the mouse point.
Point halfSizeOf(int kind) {
    switch (kind) {
    case kChordGrid:
        return {15000, 15000};
    case kTablature:
        return {5000, 30000};
    default:
        return {0, 0};
    }
}

} // namespace

void PlaceTool::press(ToolHost& host, const PointerEvent& event) {
    if (rightButton(host, event) || busy())
        return;
    begin(host, {});
    place(host, event);
}

void PlaceTool::move(ToolHost& host, const PointerEvent& event) {
    if (busy())
        place(host, event);
}

void PlaceTool::release(ToolHost& host, const PointerEvent& event) {
    if (!busy() || event.button != PointerButton::Left)
        return;
    place(host, event);
    finish(host, false);
}

void PlaceTool::place(ToolHost& host, const PointerEvent& event) {
    const Point p = toolPoint(host, event.point);
    const Point half = halfSizeOf(kind());
    shape_->points = {{p.x - half.x, p.y - half.y}, {p.x + half.x, p.y + half.y}};
    update(host);
}

} // namespace plexo
