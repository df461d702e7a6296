#include "edit/addlinestool.h"

#include "edit/toolsupport.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"

namespace plexo {

void AddLinesTool::press(ToolHost& host, const PointerEvent& event) {
    saoDoc& document = host.document();
    Folio& folio = host.folio();
    const Point p = toolPoint(host, event.point);
    const std::int32_t step = document.verticalGrid / 2;
    // Only the objects below the point move: whatever was selected before is not part of it.
    deselectAll(document);
    bool any = false;
    for (auto& object : folio.objects) {
        if (object->alive && object->outline.top >= p.y) {
            object->selected = true;
            any = true;
        }
    }
    if (any)
        moveSelection(document, folio, 0, event.button == PointerButton::Left ? step : -step);
    deselectAll(document);
    refreshSelectionSummary(document);
}

ToolCursor AddLinesTool::hover(ToolHost& host, Point at) {
    (void)host, (void)at;
    return ToolCursor::AddLines;
}

} // namespace plexo
