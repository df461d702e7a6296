#include "views/schema/panetools.h"

#include "base/userinterface.h"
#include "edit/toolbox.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "views/dialogs/dlogtexte.h"
#include "views/qtsurface.h"
#include "views/schema/pane.h"
#include "views/schema/toolcursors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace plexo {

PaneTools::PaneTools(Pane& pane) : QObject(&pane), pane_(pane) {
    takeTool(toolChoice().current());
    listenerKey_ = toolChoice().addListener([this](int id) { takeTool(id); });
}

PaneTools::~PaneTools() {
    toolChoice().removeListener(listenerKey_);
}

void PaneTools::takeTool(int id) {
    if (tool_ && id == toolId_)
        return;
    if (tool_ && ready())
        tool_->cancel(*this);
    tool_ = makeTool(id);
    toolId_ = id;
    overlayChanged();
    if (tool_ && ready())
        setCursor(tool_->hover(*this, pane_.view().toDocument(0, 0)));
}

bool PaneTools::ready() const {
    return tool_ && pane_.folio() && pane_.folio()->document;
}

PointerEvent PaneTools::pointerEvent(const QMouseEvent* event) const {
    PointerEvent pointer;
    const QPoint at = event->position().toPoint();
    pointer.point = pane_.view().toDocument(at.x(), at.y());
    pointer.button = event->button() == Qt::RightButton ? PointerButton::Right : PointerButton::Left;
    pointer.shift = event->modifiers() & Qt::ShiftModifier;
    pointer.control = event->modifiers() & Qt::ControlModifier;
    return pointer;
}

void PaneTools::mousePress(QMouseEvent* event) {
    if (!ready() || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    pane_.setFocus();
    tool_->press(*this, pointerEvent(event));
}

void PaneTools::mouseMove(QMouseEvent* event) {
    if (!ready())
        return;
    if (tool_->busy()) {
        // Dragging past the pane's edge brings the folio along.
        const QPoint at = event->position().toPoint();
        pane_.scrollToward(at.x(), at.y());
    }
    const PointerEvent pointer = pointerEvent(event);
    if (tool_->busy())
        tool_->move(*this, pointer);
    else
        setCursor(tool_->hover(*this, pointer.point));
}

void PaneTools::mouseRelease(QMouseEvent* event) {
    if (!ready() || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    tool_->release(*this, pointerEvent(event));
}

void PaneTools::mouseDoubleClick(QMouseEvent* event) {
    if (!ready() || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    tool_->doubleClick(*this, pointerEvent(event));
}

void PaneTools::cancel() {
    if (ready() && tool_->busy())
        tool_->cancel(*this);
    capture(false);
    overlayChanged();
}

bool PaneTools::key(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
        chooseTool(nextTool(toolId_));
        return true;
    case Qt::Key_Backtab:
        chooseTool(previousTool(toolId_));
        return true;
    case Qt::Key_Escape:
        cancel();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openProperties();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!shift)
            return false;
        selectNeighbour(event->key());
        return true;
    default:
        return false;
    }
}

void PaneTools::selectNeighbour(int key) {
    if (!ready())
        return;
    saoDoc& doc = document();
    Folio& current = folio();
    const ArrowKey arrow = key == Qt::Key_Left    ? ArrowKey::Left
                           : key == Qt::Key_Right ? ArrowKey::Right
                           : key == Qt::Key_Up    ? ArrowKey::Up
                                                  : ArrowKey::Down;
    Shape* found = doc.selectNeighbour(current, arrow);
    if (!found) {
        beep();
        return;
    }
    if (Shape* single = doc.selection.single) {
        single->selected = false;
        doc.notifyAreaChanged(current, single->outline);
    }
    found->selected = true;
    doc.notifyAreaChanged(current, found->outline);
    refreshSelectionSummary(doc);
}

std::optional<QRect> PaneTools::overlayRect() const {
    if (!tool_ || !tool_->busy())
        return std::nullopt;
    const std::optional<Rect> area = tool_->overlayArea();
    if (!area)
        return std::nullopt;
    const Rect r = pane_.view().repaintRect(*area);
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

void PaneTools::drawOverlay(QPainter& painter) {
    if (!ready() || !tool_->busy())
        return;
    QtSurface surface(painter);
    surface.setOrigin({pane_.view().originX(), pane_.view().originY()});
    surface.setRasterMode(RasterMode::Invert);
    tool_->drawOverlay(surface, renderContext());
}

saoDoc& PaneTools::document() {
    return *pane_.folio()->document;
}

Folio& PaneTools::folio() {
    return *pane_.folio();
}

RenderContext PaneTools::renderContext() const {
    return renderContextOf(*pane_.folio(), pane_.zoom());
}

void PaneTools::capture(bool on) {
    captured_ = on;
}

void PaneTools::setCursor(ToolCursor cursor) {
    pane_.viewport()->setCursor(toolCursor(cursor));
}

void PaneTools::overlayChanged() {
    // Only the overlay's old and new places are painted again, from the cached folio.
    const std::optional<QRect> now = overlayRect();
    QRect dirty;
    if (shownOverlay_)
        dirty = *shownOverlay_;
    if (now)
        dirty = dirty.united(*now);
    shownOverlay_ = now;
    if (!dirty.isNull())
        pane_.viewport()->update(dirty.adjusted(-2, -2, 2, 2));
}

void PaneTools::beep() {
    userInterface().beep();
}

bool PaneTools::editText(Shape& text) {
    return DlogTexte::edit(text, &pane_);
}

void PaneTools::openProperties() {
    emit propertiesRequested();
}

void PaneTools::openContextMenu(Point at) {
    const Point window = pane_.view().toWindow(at);
    emit popupRequested(QStringLiteral("MenuEdition"),
                        pane_.viewport()->mapToGlobal(QPoint(window.x, window.y)));
}

void PaneTools::zoomAt(int level, Point at) {
    if (pane_.setZoom(level))
        pane_.centreOn(at);
}

void PaneTools::chooseTool(int id) {
    toolChoice().choose(id);
}

} // namespace plexo
