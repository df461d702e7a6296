#include "views/schema/pane.h"

#include "shapes/render.h"
#include "shapes/shape.h"
#include "shapes/units.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"
#include "library/lib.h"
#include "library/symboldrop.h"
#include "shell/commandids.h"
#include "views/library/nodedrag.h"
#include "views/qtsurface.h"
#include "views/schema/bandpalette.h"
#include "views/schema/panetools.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>

namespace plexo {

namespace {

QRect toQRect(const Rect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

} // namespace

Pane::Pane(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    viewport()->setAcceptDrops(true); // symbols from the library browser
    tools_ = new PaneTools(*this);
}

void Pane::showFolio(Folio* folio) {
    // A construction in progress belongs to the folio it was started on.
    if (folio != folio_)
        tools_->cancel();
    folio_ = folio;
    refreshLayout();
    repaintAll();
}

bool Pane::setZoom(int level) {
    if (!viewport_.setZoom(level))
        return false;
    syncScrollBars();
    repaintAll();
    emit viewChanged();
    emit zoomChanged(viewport_.zoom());
    return true;
}

void Pane::setGridVisible(bool visible) {
    if (visible == gridVisible_)
        return;
    gridVisible_ = visible;
    repaintAll();
}

void Pane::setBandsShown(bool tabs, bool rulers) {
    tabsShown_ = tabs;
    rulersShown_ = rulers;
    refreshLayout();
}

void Pane::refreshLayout() {
    ViewportLayout layout;
    layout.tabsShown = tabsShown_;
    layout.rulersShown = rulersShown_;
    if (folio_) {
        layout.folioExtent = folio_->extent();
        if (const saoDoc* document = folio_->document) {
            layout.horizontalGrid = document->horizontalGrid;
            layout.verticalGrid = document->verticalGrid;
            layout.secondaryGrid = document->secondaryGrid;
        }
    }
    viewport_.setClientSize(viewport()->width(), viewport()->height());
    viewport_.setLayout(layout);
    syncScrollBars();
    repaintAll();
    emit viewChanged();
}

void Pane::syncScrollBars() {
    syncing_ = true;
    horizontalScrollBar()->setRange(0, viewport_.rangeX());
    verticalScrollBar()->setRange(0, viewport_.rangeY());
    horizontalScrollBar()->setPageStep(std::max(1, viewport_.clientWidth() / viewport_.unitX()));
    verticalScrollBar()->setPageStep(std::max(1, viewport_.clientHeight() / viewport_.unitY()));
    horizontalScrollBar()->setValue(viewport_.positionX());
    verticalScrollBar()->setValue(viewport_.positionY());
    syncing_ = false;
}

void Pane::syncFromScrollBars() {
    viewport_.scrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void Pane::repaintArea(const Rect& documentArea) {
    const QRect area = toQRect(viewport_.repaintRect(documentArea)).intersected(viewport()->rect());
    if (area.isEmpty())
        return;
    if (cacheValid_)
        stale_ += area;
    viewport()->update(area);
}

void Pane::renderStaleAreas() {
    if (stale_.isEmpty())
        return;
    QPainter painter(&cache_);
    for (const QRect& area : stale_)
        renderInto(painter, area);
    stale_ = QRegion();
}

void Pane::repaintAll() {
    cacheValid_ = false;
    stale_ = QRegion();
    viewport()->update();
}

void Pane::centreOn(Point documentPoint) {
    if (viewport_.centreOn(documentPoint))
        syncScrollBars();
}

void Pane::scrollToOrigin() {
    if (viewport_.home())
        syncScrollBars();
}

bool Pane::scrollToward(int x, int y) {
    const int dx = x < 0 ? -1 : x >= viewport()->width() ? 1 : 0;
    const int dy = y < 0 ? -1 : y >= viewport()->height() ? 1 : 0;
    if (dx == 0 && dy == 0)
        return false;
    const int fromX = horizontalScrollBar()->value(), fromY = verticalScrollBar()->value();
    horizontalScrollBar()->setValue(fromX + dx);
    verticalScrollBar()->setValue(fromY + dy);
    return horizontalScrollBar()->value() != fromX || verticalScrollBar()->value() != fromY;
}

void Pane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    refreshLayout();
}

void Pane::scrollContentsBy(int dx, int dy) {
    if (syncing_) {
        // Our own range or value change: the viewport already knows the position.
        cacheValid_ = false;
        viewport()->update();
        return;
    }
    syncFromScrollBars();
    const int shiftX = dx * viewport_.unitX();
    const int shiftY = dy * viewport_.unitY();
    if (cacheValid_ && std::abs(shiftX) < cache_.deviceIndependentSize().width() &&
        std::abs(shiftY) < cache_.deviceIndependentSize().height()) {
        renderStaleAreas();
        // Move what is drawn and draw only the strips that came into view.
        QPixmap moved(cache_.size());
        moved.setDevicePixelRatio(cache_.devicePixelRatio());
        QPainter painter(&moved);
        painter.drawPixmap(shiftX, shiftY, cache_);
        const QRect all = viewport()->rect();
        if (shiftX > 0)
            renderInto(painter, QRect(0, 0, shiftX, all.height()));
        else if (shiftX < 0)
            renderInto(painter, QRect(all.width() + shiftX, 0, -shiftX, all.height()));
        if (shiftY > 0)
            renderInto(painter, QRect(0, 0, all.width(), shiftY));
        else if (shiftY < 0)
            renderInto(painter, QRect(0, all.height() + shiftY, all.width(), -shiftY));
        painter.end();
        cache_ = moved;
    } else {
        cacheValid_ = false;
    }
    viewport()->update();
    emit viewChanged();
}

QPixmap& Pane::cache() {
    const qreal ratio = devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    if (cache_.size() != size || cache_.devicePixelRatio() != ratio) {
        cache_ = QPixmap(size);
        cache_.setDevicePixelRatio(ratio);
        cacheValid_ = false;
    }
    if (!cacheValid_) {
        QPainter painter(&cache_);
        renderInto(painter, viewport()->rect());
        cacheValid_ = true;
        stale_ = QRegion();
    }
    renderStaleAreas();
    return cache_;
}

void Pane::paintEvent(QPaintEvent* event) {
    QPixmap& image = cache();
    QPainter painter(viewport());
    painter.drawPixmap(event->rect(), image,
                       QRectF(event->rect().topLeft() * image.devicePixelRatio(),
                              event->rect().size() * image.devicePixelRatio()));
    // The tool's rubber drawing goes over the folio without redrawing it.
    painter.setClipRect(event->rect());
    tools_->drawOverlay(painter);
}

void Pane::mousePressEvent(QMouseEvent* event) {
    tools_->mousePress(event);
}
void Pane::mouseMoveEvent(QMouseEvent* event) {
    tools_->mouseMove(event);
}
void Pane::mouseReleaseEvent(QMouseEvent* event) {
    tools_->mouseRelease(event);
}
void Pane::mouseDoubleClickEvent(QMouseEvent* event) {
    tools_->mouseDoubleClick(event);
}

bool Pane::focusNextPrevChild(bool) {
    return false;
}

LibNode* Pane::droppableSymbol(const QMimeData* data, QPoint at) const {
    LibNode* node = draggedNode(library(), data);
    if (!node || !node->isSymbol() || !folio_ || !folio_->document)
        return nullptr;
    // Inside the folio's extent at the zoom.
    const Point point = viewport_.toDocument(at.x(), at.y());
    const Rect extent = folio_->extent();
    if (point.x < extent.left || point.x >= extent.right || point.y < extent.top || point.y >= extent.bottom)
        return nullptr;
    return node;
}

void Pane::dragEnterEvent(QDragEnterEvent* event) {
    // Entering anywhere is taken, so that the moves over the folio are heard.
    if (event->mimeData()->hasFormat(kNodeMimeType))
        event->acceptProposedAction();
}

void Pane::dragMoveEvent(QDragMoveEvent* event) {
    if (droppableSymbol(event->mimeData(), event->position().toPoint())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void Pane::dropEvent(QDropEvent* event) {
    const QPoint at = event->position().toPoint();
    LibNode* node = droppableSymbol(event->mimeData(), at);
    if (!node) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (dropSymbol(*folio_->document, *folio_, *node, viewport_.toDocument(at.x(), at.y())) !=
        SymbolDrop::Refused) {
        tools_->chooseTool(cmd::kToolSelection);
        setFocus();
    }
}

void Pane::renderInto(QPainter& painter, const QRect& windowRect) {
    painter.save();
    painter.setClipRect(windowRect);
    painter.fillRect(windowRect, palette().color(QPalette::Base));
    if (!folio_) {
        painter.restore();
        return;
    }
    QtSurface surface(painter);
    const Point origin{viewport_.originX(), viewport_.originY()};
    surface.setOrigin(origin);
    // The document region under the rectangle, widened and limited to the folio.
    const Point topLeft = viewport_.toDocument(windowRect.left(), windowRect.top());
    const Point bottomRight = viewport_.toDocument(windowRect.right() + 1, windowRect.bottom() + 1);
    const Rect extent = viewport_.layout().folioExtent;
    const Rect visible{topLeft.x - kVisibleMargin, topLeft.y - kVisibleMargin,
                       std::min(bottomRight.x + kVisibleMargin, extent.right),
                       std::min(bottomRight.y + kVisibleMargin, extent.bottom)};
    if (gridVisible_)
        drawGrid(surface, visible);
    FolioRenderOptions options;
    options.zoom = viewport_.zoom();
    options.visible = visible;
    options.borderColour = toRgb(palette().color(QPalette::ButtonText));
    renderFolio(*folio_, surface, options);
    surface.setPen(Pen::solid({0, 0, 0}));
    surface.setBrush(Brush::solid({0, 0, 0}));
    const RenderContext context = renderContextOf(*folio_, viewport_.zoom());
    for (const auto& object : folio_->objects) {
        if (object && object->alive && object->selected && object->outline.meets(visible))
            drawHandles(*object, surface, context);
    }
    painter.restore();
}

void Pane::drawGrid(Surface& surface, const Rect& visible) {
    const GridSteps steps = viewport_.gridSteps();
    const Rect extent = viewport_.layout().folioExtent;
    const int zoom = viewport_.zoom();
    SurfaceSaver saver(surface);
    surface.setPen(Pen::solid(toRgb(palette().color(QPalette::Button))));
    const int top = toPixels(std::max(visible.top, 0), zoom);
    const int bottom = toPixels(std::min(visible.bottom, extent.bottom), zoom);
    const int left = toPixels(std::max(visible.left, 0), zoom);
    const int right = toPixels(std::min(visible.right, extent.right), zoom);
    // Lines closer than a pixel fall on the same pixel: after drawing one, the walk
    // jumps to the first multiple that reaches the next pixel, so a grid of a few
    // units (a step entered as 0 is stored as 1) paints as quickly as a coarse one.
    auto walk = [zoom](std::int64_t step, std::int64_t from, std::int64_t to, const auto& draw) {
        int last = std::numeric_limits<int>::min();
        for (std::int64_t v = std::max<std::int64_t>(1, from / step) * step; v <= to;) {
            const int p = toPixels(static_cast<std::int32_t>(v), zoom);
            if (p != last)
                draw(p);
            last = p;
            const std::int64_t nextPixel = fromPixels(p + 1, zoom);
            v = std::max(v + step, (nextPixel + step - 1) / step * step);
        }
    };
    if (steps.horizontal > 0)
        walk(steps.horizontal, visible.left, std::min(extent.right, visible.right), [&](int p) {
            surface.moveTo(p, top);
            surface.lineTo(p, bottom);
        });
    if (steps.vertical > 0)
        walk(steps.vertical, visible.top, std::min(extent.bottom, visible.bottom), [&](int p) {
            surface.moveTo(left, p);
            surface.lineTo(right, p);
        });
}

void Pane::keyPressEvent(QKeyEvent* event) {
    if (tools_->key(event))
        return;
    const bool control = event->modifiers() & Qt::ControlModifier;
    bool moved = false;
    switch (event->key()) {
    case Qt::Key_PageDown:
        if (control) {
            emit folioStepRequested(+1);
            return;
        }
        moved = viewport_.pageDown();
        break;
    case Qt::Key_PageUp:
        if (control) {
            emit folioStepRequested(-1);
            return;
        }
        moved = viewport_.pageUp();
        break;
    case Qt::Key_Home:
        if (control) {
            emit folioStepRequested(0);
            return;
        }
        moved = viewport_.home();
        break;
    case Qt::Key_End:
        if (control) {
            emit folioStepRequested(2);
            return;
        }
        break;
    case Qt::Key_Left:
        moved = viewport_.scrollBy(-1, 0);
        break;
    case Qt::Key_Right:
        moved = viewport_.scrollBy(1, 0);
        break;
    case Qt::Key_Up:
        moved = viewport_.scrollBy(0, -1);
        break;
    case Qt::Key_Down:
        moved = viewport_.scrollBy(0, 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (moved) {
        // The scroll bars move the cached image like any other scroll.
        const int x = viewport_.positionX(), y = viewport_.positionY();
        viewport_.scrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
        horizontalScrollBar()->setValue(x);
        verticalScrollBar()->setValue(y);
    }
}

} // namespace plexo
