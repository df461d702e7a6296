#include "views/library/libicons.h"

#include "library/libnode.h"

#include <QPainter>
#include <QPainterPath>

namespace plexo {

namespace {

const QColor kOutline(64, 64, 64);

// A filing drawer: the library folder.
void drawLocation(QPainter& p) {
    p.setPen(kOutline);
    p.setBrush(QColor(176, 176, 176));
    p.drawRect(1, 2, 13, 12);
    p.drawLine(1, 8, 14, 8);
    p.setBrush(QColor(96, 96, 96));
    p.drawRect(6, 4, 3, 2);
    p.drawRect(6, 10, 3, 2);
}

// A bound book: a library file.
void drawLibrary(QPainter& p) {
    p.setPen(kOutline);
    p.setBrush(QColor(46, 92, 168));
    p.drawRect(2, 1, 11, 14);
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(4, 12, 9, 2);
    p.setPen(QColor(240, 200, 80));
    p.drawLine(5, 4, 10, 4);
    p.drawLine(5, 6, 10, 6);
}

void drawFolder(QPainter& p) {
    QPainterPath shape;
    shape.moveTo(1, 4);
    shape.lineTo(6, 4);
    shape.lineTo(7, 2);
    shape.lineTo(14, 2);
    shape.lineTo(14, 13);
    shape.lineTo(1, 13);
    shape.closeSubpath();
    p.setPen(kOutline);
    p.setBrush(QColor(240, 200, 80));
    p.drawPath(shape);
    p.drawLine(1, 5, 14, 5);
}

// A symbol: a box with two terminals; the master and slave types carry their
// letter, the title block is a ruled block.
void drawSymbol(QPainter& p, std::uint8_t type) {
    p.setPen(kOutline);
    if (type == kCartouche) {
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(1, 3, 14, 10);
        p.drawLine(1, 8, 14, 8);
        p.drawLine(8, 3, 8, 13);
        p.drawLine(8, 10, 14, 10);
        return;
    }
    static const QColor fills[3] = {QColor(120, 200, 120), QColor(230, 120, 80), QColor(130, 170, 230)};
    p.setBrush(fills[type < 3 ? type : 0]);
    p.drawRect(3, 3, 9, 9);
    p.drawLine(0, 7, 3, 7);
    p.drawLine(12, 7, 15, 7);
    if (type == kSymboleMaitre || type == kSymboleEsclave) {
        QFont font = p.font();
        font.setPixelSize(8);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(3, 3, 10, 10), Qt::AlignCenter, type == kSymboleMaitre ? "M" : "E");
    }
}

} // namespace

QPixmap dragCursor(Qt::DropAction action) {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    // The arrow.
    const QPointF arrow[] = {{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}};
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(arrow, 7);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(14, 14);
    switch (action) {
    case Qt::CopyAction: // onto a drawing: a symbol box with its terminals
        p.setBrush(QColor(120, 200, 120));
        p.drawRect(3, 3, 9, 9);
        p.drawLine(0, 7, 3, 7);
        p.drawLine(12, 7, 15, 7);
        break;
    case Qt::MoveAction: // over the tree: three rows
        p.setBrush(Qt::white);
        p.drawRect(0, 0, 15, 15);
        for (int y : {4, 8, 12})
            p.drawLine(3 + (y == 4 ? 0 : 4), y, 12, y);
        break;
    default: // no drop here
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(1, 1, 13, 13);
        p.drawLine(3, 12, 12, 3);
        break;
    }
    p.end();
    return picture;
}

void drawNodeIcon(QPainter& painter, QPoint topLeft, const LibNode& node) {
    painter.save();
    painter.translate(topLeft);
    painter.setRenderHint(QPainter::Antialiasing, false);
    switch (node.kind) {
    case NodeKind::Location:
        drawLocation(painter);
        break;
    case NodeKind::Library:
        drawLibrary(painter);
        break;
    case NodeKind::Folder:
        drawFolder(painter);
        break;
    case NodeKind::Symbol:
        drawSymbol(painter, node.symbolType);
        break;
    default:
        break;
    }
    painter.restore();
}

} // namespace plexo
