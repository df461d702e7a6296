#include "views/schema/regle.h"

#include "views/qtsurface.h"
#include "views/schema/bandpalette.h"

#include <QPainter>

namespace plexo {

Regle::Regle(RulerOrientation orientation, QWidget* parent) : QWidget(parent) {
    view_.orientation = orientation;
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Regle::follow(int zoom, std::int32_t length, std::int32_t visibleStart, std::int32_t visibleEnd,
                   int scroll) {
    RulerView next = view_;
    next.zoom = zoom;
    next.length = length;
    next.visibleStart = visibleStart;
    next.visibleEnd = visibleEnd;
    next.scroll = scroll;
    if (next.zoom == view_.zoom && next.length == view_.length && next.visibleStart == view_.visibleStart &&
        next.visibleEnd == view_.visibleEnd && next.scroll == view_.scroll)
        return;
    view_ = next;
    update();
}

void Regle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtSurface surface(painter);
    RulerView view = view_;
    view.width = width();
    view.height = height();
    drawRuler(surface, view, bandColours(palette()), font_);
}

} // namespace plexo
