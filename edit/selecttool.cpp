#include "edit/selecttool.h"

#include "edit/toolsupport.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"

#include <cstdlib>

namespace plexo {

namespace {

// The front-most alive object under p (the last drawn first) and what it touches.
Shape* objectAt(ToolHost& host, Point p, HitResult& result) {
    const RenderContext context = host.renderContext();
    auto& objects = host.folio().objects;
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        Shape& object = **it;
        if (!object.alive)
            continue;
        if (HitResult h = hit(object, p, context)) {
            result = h;
            return &object;
        }
    }
    return nullptr;
}

} // namespace

SelectTool::SelectTool() = default;
SelectTool::~SelectTool() = default;

void SelectTool::press(ToolHost& host, const PointerEvent& event) {
    if (event.button == PointerButton::Right) {
        host.openContextMenu(event.point);
        return;
    }
    if (busy())
        return;
    saoDoc& document = host.document();
    Folio& folio = host.folio();
    const Point p = toolPoint(host, event.point, false);
    if (event.shift && document.selection.any && document.selection.folio != &folio) {
        deselectAll(document);
        refreshSelectionSummary(document);
    }
    HitResult found;
    Shape* object = objectAt(host, p, found);
    if (!object) {
        if (!event.shift) {
            deselectAll(document);
            refreshSelectionSummary(document);
        }
        mode_ = Mode::Band;
        start_ = p;
        bandShape_ = newToolObject(host, kRectangle, true);
        bandShape_->points = {p, p};
        rebuildGeometry(*bandShape_);
        host.capture(true);
        host.overlayChanged();
        return;
    }
    if (event.shift || !object->selected) {
        if (event.shift) {
            object->selected = !object->selected;
        } else {
            deselectAll(document);
            object->selected = true;
        }
        reportArea(document, folio, object->outline);
        refreshSelectionSummary(document);
        return;
    }
    start_ = current_ = p;
    snap_ = document.snapToGrid != 0;
    unitIsMm_ = document.unitIsMm != 0;
    halfGrid_ = {document.horizontalGrid / 2, document.verticalGrid / 2};
    secondaryGrid_ = document.secondaryGrid;
    // A terminal of a selected symbol counts as its body: the symbol moves.
    if (found.handle != 0) {
        mode_ = Mode::Reshape;
        target_ = object;
        handle_ = found.handle;
    } else {
        mode_ = Mode::Move;
        moving_ = selectedObjects(folio);
        symbolInSelection_ = false;
        for (const Shape* s : moving_)
            symbolInSelection_ = symbolInSelection_ || s->kind == kSymbol;
    }
    host.capture(true);
    host.overlayChanged();
}

void SelectTool::move(ToolHost& host, const PointerEvent& event) {
    switch (mode_) {
    case Mode::None:
        return;
    case Mode::Band:
        // The corners are normalised by the geometry: set again from the press point.
        bandShape_->points = {start_, toolPoint(host, event.point, false)};
        rebuildGeometry(*bandShape_);
        break;
    case Mode::Move:
        current_ = dragPoint(host, event);
        break;
    case Mode::Reshape:
        current_ = dragPoint(host, event);
        if (target_->isWire()) {
            const Shape* under = findConnectable(host.folio(), current_, target_);
            host.setCursor(under && !under->isWire() ? ToolCursor::WireOverTerminal : ToolCursor::Handle);
        }
        break;
    }
    host.overlayChanged();
}

void SelectTool::release(ToolHost& host, const PointerEvent& event) {
    if (mode_ == Mode::None || event.button != PointerButton::Left)
        return;
    move(host, event);
    saoDoc& document = host.document();
    Folio& folio = host.folio();
    const Mode mode = mode_;
    const Point shift = displacement();
    const Point drag{current_.x - start_.x, current_.y - start_.y};
    Shape* target = target_;
    std::unique_ptr<Shape> band = std::move(bandShape_);
    end(host);
    switch (mode) {
    case Mode::Band: {
        band_ = spanOf(band->points.front(), band->points.back());
        bool any = false;
        for (auto& owned : folio.objects) {
            Shape& object = *owned;
            const Rect& o = object.outline;
            if (!object.alive || !band_.contains({o.left, o.top}) || !band_.contains({o.right, o.bottom}))
                continue;
            object.selected = event.shift ? !object.selected : true;
            any = true;
        }
        // Every object changed lies inside the band: one repaint covers their handles.
        if (any)
            reportArea(document, folio, band_);
        refreshSelectionSummary(document);
        break;
    }
    case Mode::Move:
        if (shift.x != 0 || shift.y != 0)
            moveSelection(document, folio, shift.x, shift.y, band_);
        break;
    case Mode::Reshape:
        if (drag.x != 0 || drag.y != 0)
            resizeObject(document, folio, *target, drag.x, drag.y, handle_);
        break;
    case Mode::None:
        break;
    }
}

void SelectTool::doubleClick(ToolHost& host, const PointerEvent& event) {
    if (busy() || event.button != PointerButton::Left)
        return;
    const SelectionSummary& selection = host.document().selection;
    if (selection.single && selection.folio == &host.folio())
        host.openProperties();
}

ToolCursor SelectTool::hover(ToolHost& host, Point at) {
    HitResult found;
    const Shape* object = objectAt(host, toolPoint(host, at, false), found);
    if (!object || !object->selected)
        return ToolCursor::Arrow;
    return found.handle != 0 ? ToolCursor::Handle : ToolCursor::Move;
}

void SelectTool::cancel(ToolHost& host) {
    if (busy())
        end(host);
}

void SelectTool::end(ToolHost& host) {
    mode_ = Mode::None;
    bandShape_.reset();
    moving_.clear();
    target_ = nullptr;
    host.capture(false);
    host.overlayChanged();
}

Point SelectTool::dragPoint(ToolHost& host, const PointerEvent& event) const {
    Point p = toolPoint(host, event.point, false);
    if (event.shift) {
        if (std::abs(p.y - start_.y) < std::abs(p.x - start_.x))
            p.y = start_.y;
        else
            p.x = start_.x;
    }
    return p;
}

Point SelectTool::displacement() const {
    Point d{current_.x - start_.x, current_.y - start_.y};
    if (snap_) {
        if (symbolInSelection_) {
            d.x = snapValue(d.x, halfGrid_.x, unitIsMm_);
            d.y = snapValue(d.y, halfGrid_.y, unitIsMm_);
        } else {
            d.x = snapValue(d.x, secondaryGrid_, unitIsMm_);
            d.y = snapValue(d.y, secondaryGrid_, unitIsMm_);
        }
    }
    return d;
}

std::unique_ptr<Shape> SelectTool::reshapedGhost() const {
    std::unique_ptr<Shape> ghost = ghostCopy(*target_);
    moveHandle(*ghost, current_.x - start_.x, current_.y - start_.y, handle_);
    return ghost;
}

void SelectTool::drawOverlay(Surface& surface, const RenderContext& context) const {
    switch (mode_) {
    case Mode::None:
        break;
    case Mode::Band:
        drawGhost(*bandShape_, surface, context);
        break;
    case Mode::Move: {
        const Point d = displacement();
        for (const Shape* s : moving_)
            drawGhost(*s, surface, context, d);
        break;
    }
    case Mode::Reshape:
        drawGhost(*reshapedGhost(), surface, context);
        break;
    }
}

std::optional<Rect> SelectTool::overlayArea() const {
    switch (mode_) {
    case Mode::None:
        return std::nullopt;
    case Mode::Band:
        return bandShape_->outline;
    case Mode::Move: {
        if (moving_.empty())
            return std::nullopt;
        const Point d = displacement();
        Rect area = moving_.front()->outline;
        for (const Shape* s : moving_)
            area = area.united(s->outline);
        return Rect{area.left + d.x, area.top + d.y, area.right + d.x, area.bottom + d.y};
    }
    case Mode::Reshape:
        return reshapedGhost()->outline;
    }
    return std::nullopt;
}

} // namespace plexo
