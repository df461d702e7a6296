#include "edit/constructiontool.h"

#include "edit/toolsupport.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "store/selection.h"

namespace plexo {

ConstructionTool::~ConstructionTool() = default;

void ConstructionTool::cancel(ToolHost& host) {
    if (!shape_)
        return;
    shape_.reset();
    host.capture(false);
    host.overlayChanged();
}

ToolCursor ConstructionTool::hover(ToolHost& host, Point at) {
    (void)host, (void)at;
    return ToolCursor::Draw;
}

void ConstructionTool::drawOverlay(Surface& surface, const RenderContext& context) const {
    if (shape_)
        drawGhost(*shape_, surface, context);
}

std::optional<Rect> ConstructionTool::overlayArea() const {
    if (!shape_)
        return std::nullopt;
    return shape_->outline;
}

Shape& ConstructionTool::begin(ToolHost& host, std::vector<Point> points) {
    shape_ = newToolObject(host, kind_);
    shape_->points = std::move(points);
    host.capture(true);
    return *shape_;
}

void ConstructionTool::update(ToolHost& host) {
    rebuildGeometry(*shape_);
    host.overlayChanged();
}

Shape* ConstructionTool::finish(ToolHost& host, bool judgePoints) {
    std::unique_ptr<Shape> shape = std::move(shape_);
    host.capture(false);
    host.overlayChanged();
    if (!shape || (judgePoints && !isDrawn(*shape)))
        return nullptr;
    rebuildGeometry(*shape);
    return &createObject(host.document(), host.folio(), std::move(shape), false);
}

bool ConstructionTool::rightButton(ToolHost& host, const PointerEvent& event) {
    if (event.button != PointerButton::Right)
        return false;
    host.openContextMenu(event.point);
    return true;
}

} // namespace plexo
