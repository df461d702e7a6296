#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>

namespace plexo {
namespace {

constexpr int kSize = 16;

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kBlueInk(0, 0, 160);
const QColor kRedInk(192, 0, 0);
const QColor kGreenInk(0, 128, 0);
const QColor kYellowFill(255, 224, 96);
const QColor kGreyFill(192, 192, 192);

void sheet(QPainter& p, int x, int y, int w, int h) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    QPolygon outline;
    outline << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
            << QPoint(x, y + h);
    p.drawPolygon(outline);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

void arrowHead(QPainter& p, QPointF tip, QPointF from) {
    QLineF line(tip, from);
    line.setLength(4);
    QLineF left = line, right = line;
    left.setAngle(line.angle() + 35);
    right.setAngle(line.angle() - 35);
    p.drawLine(left);
    p.drawLine(right);
}

void letter(QPainter& p, const QString& text, const QColor& colour, bool bold = true) {
    QFont font("Sans Serif");
    font.setPixelSize(11);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

// Two overlapping squares, the front one filled: the z-order commands.
void planes(QPainter& p, bool frontOnTop, int arrowDirection) {
    QRect back(1, 1, 9, 9), front(6, 6, 9, 9);
    auto draw = [&](QRect r, QColor fill) {
        p.setPen(kInk);
        p.setBrush(fill);
        p.drawRect(r);
    };
    if (frontOnTop) {
        draw(back, kPaper);
        draw(front, kBlueInk);
    } else {
        draw(front, kPaper);
        draw(back, kBlueInk);
    }
    if (arrowDirection != 0) {
        p.setPen(QPen(kRedInk, 1.5));
        QPointF a(13, arrowDirection > 0 ? 4 : 1), b(13, arrowDirection > 0 ? 1 : 4);
        p.drawLine(QPointF(13, 0.5), QPointF(13, 5));
        arrowHead(p, b, a);
    }
}

void rotation(QPainter& p, bool left) {
    p.setPen(QPen(kBlueInk, 1.5));
    p.setBrush(Qt::NoBrush);
    QRectF arc(2.5, 2.5, 11, 11);
    p.drawArc(arc, 90 * 16, (left ? 270 : -270) * 16);
    QPointF tip(8, 2.5);
    arrowHead(p, tip, left ? QPointF(11, 2.5) : QPointF(5, 2.5));
}

void symmetry(QPainter& p, bool horizontal) {
    p.setPen(QPen(kInk, 1, Qt::DotLine));
    if (horizontal)
        p.drawLine(8, 0, 8, 15);
    else
        p.drawLine(0, 8, 15, 8);
    p.setPen(kInk);
    QPolygon a, b;
    if (horizontal) {
        a << QPoint(6, 3) << QPoint(6, 13) << QPoint(1, 13);
        b << QPoint(10, 3) << QPoint(10, 13) << QPoint(15, 13);
    } else {
        a << QPoint(3, 6) << QPoint(13, 6) << QPoint(13, 1);
        b << QPoint(3, 10) << QPoint(13, 10) << QPoint(13, 15);
    }
    p.setBrush(kBlueInk);
    p.drawPolygon(a);
    p.setBrush(kPaper);
    p.drawPolygon(b);
}

void drawCommand(QPainter& p, int id) {
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (id) {
    case 24331: // new
        sheet(p, 3, 1, 10, 14);
        break;
    case 24332: // open: a folder
        p.setPen(kInk);
        p.setBrush(kYellowFill);
        p.drawPolygon(QPolygon(
            {QPoint(1, 4), QPoint(5, 4), QPoint(6, 5), QPoint(13, 5), QPoint(13, 13), QPoint(1, 13)}));
        p.setBrush(QColor(255, 240, 160));
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
        break;
    case 24333: // save: a diskette
        p.setPen(kInk);
        p.setBrush(kBlueInk);
        p.drawRect(1, 1, 13, 13);
        p.setBrush(kPaper);
        p.drawRect(4, 1, 7, 5);
        p.setBrush(kGreyFill);
        p.drawRect(4, 9, 7, 5);
        break;
    case 24337: // print
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(4, 1, 7, 5);
        p.setBrush(kGreyFill);
        p.drawRect(1, 6, 13, 6);
        p.setBrush(kPaper);
        p.drawRect(4, 10, 7, 5);
        p.fillRect(11, 8, 2, 1, kGreenInk);
        break;
    case 1662: // find: a magnifier
    case 103:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 8, 8));
        p.setPen(QPen(kInk, 3));
        p.drawLine(QPointF(9, 9), QPointF(14, 14));
        break;
    case 24322: // cut: scissors
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(4, 1), QPointF(10, 10));
        p.drawLine(QPointF(12, 1), QPointF(6, 10));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2, 10, 4, 4));
        p.drawEllipse(QRectF(10, 10, 4, 4));
        break;
    case 24323: // copy: two sheets
        sheet(p, 1, 1, 8, 10);
        sheet(p, 6, 5, 8, 10);
        break;
    case 24324: // paste: a clipboard and a sheet
        p.setPen(kInk);
        p.setBrush(QColor(160, 110, 50));
        p.drawRect(1, 2, 10, 13);
        p.setBrush(kGreyFill);
        p.drawRect(4, 1, 4, 3);
        sheet(p, 7, 6, 8, 9);
        break;
    case 1206: { // undo: a curved arrow to the left
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kBlueInk, 1.8));
        QPainterPath path(QPointF(13, 13));
        path.cubicTo(QPointF(15, 4), QPointF(6, 3), QPointF(3, 7));
        p.drawPath(path);
        arrowHead(p, QPointF(3, 7), QPointF(6, 4));
        break;
    }
    case 1648:
        planes(p, true, 0);
        break; // bring to front
    case 1649:
        planes(p, true, 1);
        break; // bring forward
    case 1650:
        planes(p, false, -1);
        break; // send backward
    case 1651:
        planes(p, false, 0);
        break; // send to back
    case 1660:
        rotation(p, true);
        break;
    case 1661:
        rotation(p, false);
        break;
    case 804:
        symmetry(p, true);
        break;
    case 805:
        symmetry(p, false);
        break;
    case 1659: // align on grid
    case 1203: // grid display
        p.setPen(kInk);
        for (int y = 2; y < kSize; y += 4)
            for (int x = 2; x < kSize; x += 4)
                p.drawPoint(x, y);
        if (id == 1659) {
            p.setBrush(kBlueInk);
            p.drawRect(6, 6, 4, 4);
        }
        break;
    case 101: // selection: an arrow cursor
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(3, 13), QPoint(6, 10), QPoint(9, 15), QPoint(11, 14),
                                QPoint(8, 9), QPoint(12, 9)}));
        break;
    case 102: // insert lines or columns
        p.setPen(kInk);
        p.drawLine(1, 3, 14, 3);
        p.drawLine(1, 12, 14, 12);
        p.setPen(kRedInk);
        p.drawLine(8, 4, 8, 11);
        arrowHead(p, QPointF(8, 4), QPointF(8, 8));
        arrowHead(p, QPointF(8, 11), QPointF(8, 7));
        break;
    case 104:
        p.setPen(QPen(kInk, 1));
        p.drawLine(2, 13, 13, 2);
        break;
    case 105:
        p.setPen(kInk);
        p.drawRect(2, 3, 11, 9);
        break;
    case 106:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        p.drawRoundedRect(QRectF(2.5, 3.5, 11, 9), 3, 3);
        break;
    case 107:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        p.drawEllipse(QRectF(1.5, 3.5, 13, 9));
        break;
    case 108:
        p.setPen(kInk);
        p.drawPolygon(QPolygon({QPoint(2, 12), QPoint(5, 2), QPoint(13, 5), QPoint(10, 13)}));
        break;
    case 109:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        p.drawChord(QRectF(1.5, 3.5, 13, 16), 0, 180 * 16);
        break;
    case 110:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        p.drawChord(QRectF(-5.5, 1.5, 16, 13), -90 * 16, 180 * 16);
        break;
    case 111: { // Bézier curve
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        QPainterPath path(QPointF(1, 13));
        path.cubicTo(QPointF(4, -3), QPointF(11, 19), QPointF(15, 3));
        p.drawPath(path);
        break;
    }
    case 112: { // free-hand
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kInk);
        QPainterPath path(QPointF(1, 10));
        path.quadTo(QPointF(3, 2), QPointF(6, 8));
        path.quadTo(QPointF(9, 14), QPointF(11, 6));
        path.quadTo(QPointF(13, 2), QPointF(15, 5));
        p.drawPath(path);
        break;
    }
    case 113:
        letter(p, "A", kInk);
        break;
    case 117: // editable text of symbols
        p.setPen(QPen(kBlueInk, 1, Qt::DotLine));
        p.drawRect(0, 1, 15, 13);
        letter(p, "a", kBlueInk);
        break;
    case 114: // terminal
        p.setPen(kInk);
        p.drawLine(1, 8, 9, 8);
        p.setBrush(kRedInk);
        p.drawRect(9, 5, 5, 6);
        break;
    case 115: // control wire
        p.setPen(QPen(kBlueInk, 1));
        p.drawPolyline(QPolygon({QPoint(1, 3), QPoint(8, 3), QPoint(8, 12), QPoint(15, 12)}));
        p.fillRect(0, 2, 3, 3, kInk);
        p.fillRect(13, 11, 3, 3, kInk);
        break;
    case 116: // cable
        p.setPen(QPen(kInk, 3));
        p.drawPolyline(QPolygon({QPoint(1, 3), QPoint(8, 3), QPoint(8, 12), QPoint(15, 12)}));
        break;
    case 118: // chord grid
        p.setPen(kInk);
        for (int x = 2; x <= 14; x += 3)
            p.drawLine(x, 2, x, 14);
        for (int y = 2; y <= 14; y += 4)
            p.drawLine(2, y, 14, y);
        p.setBrush(kInk);
        p.drawEllipse(4, 7, 3, 3);
        break;
    case 119: // tablature
        p.setPen(kInk);
        for (int y = 2; y <= 14; y += 2)
            p.drawLine(1, y, 14, y);
        letter(p, "T", kRedInk);
        break;
    case 120: // calendar
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(1, 2, 13, 12);
        p.fillRect(2, 3, 12, 3, kRedInk);
        for (int y = 8; y <= 12; y += 2)
            for (int x = 3; x <= 12; x += 3)
                p.drawPoint(x, y);
        break;
    case 784: // go to the folio: a sheet and an arrow
        sheet(p, 6, 2, 9, 12);
        p.setPen(QPen(kRedInk, 1.5));
        p.drawLine(1, 8, 9, 8);
        arrowHead(p, QPointF(9, 8), QPointF(5, 8));
        break;
    case 785: // internet site: a globe
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kBlueInk);
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    case 787: // play the MIDI file
        p.setPen(kGreenInk);
        p.setBrush(kGreenInk);
        p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(13, 8), QPoint(4, 14)}));
        break;
    case 788: // stop it
        p.setPen(kRedInk);
        p.setBrush(kRedInk);
        p.drawRect(3, 3, 10, 10);
        break;
    case 1201: // tab strip
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(0, 5, 15, 10);
        p.setBrush(kGreyFill);
        p.drawRect(1, 1, 6, 4);
        p.drawRect(7, 1, 6, 4);
        break;
    case 1202: // rulers
        p.setPen(kInk);
        p.setBrush(kYellowFill);
        p.drawRect(0, 0, 15, 4);
        p.drawRect(0, 0, 4, 15);
        for (int i = 6; i < kSize; i += 3) {
            p.drawLine(i, 0, i, 2);
            p.drawLine(0, i, 2, i);
        }
        break;
    case 725: // terminals
        p.setPen(kInk);
        p.drawRect(4, 4, 7, 7);
        p.fillRect(0, 6, 4, 3, kRedInk);
        p.fillRect(12, 6, 4, 3, kRedInk);
        break;
    case 798: // symbol libraries: books
        p.setPen(kInk);
        p.setBrush(kBlueInk);
        p.drawRect(1, 2, 4, 12);
        p.setBrush(kRedInk);
        p.drawRect(6, 2, 4, 12);
        p.setBrush(kGreenInk);
        p.drawRect(11, 4, 3, 10);
        break;
    case 723: // messages: lines of text, one in red
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(0, 1, 15, 13);
        p.drawLine(2, 4, 12, 4);
        p.drawLine(2, 7, 10, 7);
        p.setPen(kRedInk);
        p.drawLine(2, 10, 13, 10);
        break;
    case 724: // style attributes: colour cells
        p.setPen(kInk);
        p.fillRect(1, 1, 6, 6, kRedInk);
        p.fillRect(9, 1, 6, 6, kGreenInk);
        p.fillRect(1, 9, 6, 6, kBlueInk);
        p.fillRect(9, 9, 6, 6, kYellowFill);
        break;
    default:
        break;
    }
}

// Commands that have a picture (the tool bars and the status bar).
bool hasPicture(int id) {
    static const int ids[] = {24331, 24332, 24333, 24337, 1662, 24322, 24323, 24324, 1206, 1648,
                              1649,  1650,  1651,  1660,  1661, 804,   805,   1659,  101,  102,
                              103,   104,   105,   106,   107,  108,   109,   110,   111,  112,
                              113,   114,   115,   116,   117,  118,   119,   120,   784,  785,
                              787,   788,   1201,  1202,  1203, 725,   798,   723,   724};
    for (int known : ids)
        if (known == id)
            return true;
    return false;
}

QPixmap framePicture(bool document) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(document ? kPaper : QColor(230, 240, 255));
    p.drawRect(QRectF(3, 2, 26, 28));
    // A small schematic: two boxes joined by a wire.
    p.setBrush(kBlueInk);
    p.drawRect(QRectF(7, 7, 7, 6));
    p.setBrush(kRedInk);
    p.drawRect(QRectF(18, 19, 7, 6));
    p.setPen(QPen(kInk, 1.5));
    p.drawPolyline(QPolygonF({QPointF(14, 10), QPointF(21.5, 10), QPointF(21.5, 19)}));
    return pixmap;
}

} // namespace

QIcon frameIcon() {
    return QIcon(framePicture(false));
}

QIcon documentIcon() {
    return QIcon(framePicture(true));
}

QIcon commandIcon(int id) {
    if (!hasPicture(id))
        return {};
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        drawCommand(painter, id);
    }
    return QIcon(pixmap);
}

} // namespace plexo
