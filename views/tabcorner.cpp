#include "views/tabcorner.h"

#include "edit/foliotabs.h"
#include "edit/viewlayout.h"

#include <QPainter>
#include <QPalette>
#include <QPolygon>

namespace plexo {

namespace {

// The buttons' spans along x.
constexpr int kLeftButtonFrom = 4, kLeftButtonTo = 20;
constexpr int kRightButtonFrom = 23, kRightButtonTo = 39;

// A small raised button with an arrow pointing left (direction -1) or right (+1).
void paintArrowButton(QPainter& painter, const QPalette& palette, int from, int to, int direction) {
    const QRect box(from, 1, to - from, kTabStripHeight - 3);
    painter.fillRect(box, palette.color(QPalette::Button));
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    const QPoint centre = box.center();
    QPolygon arrow;
    arrow << QPoint(centre.x() + 2 * direction, centre.y())
          << QPoint(centre.x() - 2 * direction, centre.y() - 4)
          << QPoint(centre.x() - 2 * direction, centre.y() + 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.color(QPalette::ButtonText));
    painter.drawPolygon(arrow);
}

} // namespace

void paintTabCorner(QPainter& painter, const QPalette& palette) {
    painter.save();
    painter.fillRect(QRect(0, 0, kTabCornerWidth, kTabStripHeight), palette.color(QPalette::Button));
    painter.setPen(palette.color(QPalette::ButtonText));
    painter.drawLine(0, kTabStripHeight - 1, kTabCornerWidth - 1, kTabStripHeight - 1);
    paintArrowButton(painter, palette, kLeftButtonFrom, kLeftButtonTo, -1);
    paintArrowButton(painter, palette, kRightButtonFrom, kRightButtonTo, +1);
    painter.restore();
}

} // namespace plexo
