#include "edit/magnifiertool.h"

#include "edit/toolsupport.h"

namespace plexo {

namespace {

constexpr int kLargestZoom = 8; // 200 %

} // namespace

void MagnifierTool::press(ToolHost& host, const PointerEvent& event) {
    const int level = host.renderContext().zoom + (event.button == PointerButton::Left ? 1 : -1);
    if (level < 0 || level > kLargestZoom)
        return;
    host.zoomAt(level, toolPoint(host, event.point));
}

ToolCursor MagnifierTool::hover(ToolHost& host, Point at) {
    (void)host, (void)at;
    return ToolCursor::Magnifier;
}

} // namespace plexo
