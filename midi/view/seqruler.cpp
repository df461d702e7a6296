#include "midi/view/seqruler.h"

#include "midi/eventtext.h"
#include "midi/seqgeometry.h"
#include "midi/seqscroll.h"
#include "midi/seqtime.h"
#include "midi/view/pane2.h"
#include "midi/view/seqview.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace plexo {
namespace {

const QColor kRulerFace(0xF4, 0xF4, 0xF4);
const QColor kRulerLine(0x90, 0x90, 0x90);
const QColor kRulerText(0x30, 0x30, 0x30);
const QColor kBlackKey(0x50, 0x50, 0x50);
constexpr int kLabelGap = 6;       // pixels kept between two bar numbers
constexpr int kMinBeatSpacing = 4; // pixels: closer beats are not marked

} // namespace

SeqRuler::SeqRuler(Pane2& pane, Kind kind) : QWidget(&pane), pane_(pane), kind_(kind) {
    QFont small = font();
    small.setPixelSize(9);
    setFont(small);
}

void SeqRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kRulerFace);
    if (kind_ == Kind::Keys)
        paintKeys(painter);
    else
        paintBars(painter);
}

void SeqRuler::paintKeys(QPainter& painter) {
    const int offset = pane_.verticalScrollBar()->value();
    const int first = std::clamp(offset / kKeySpacing, 0, kKeyCount - 1);
    const int last = std::clamp((offset + height()) / kKeySpacing, 0, kKeyCount - 1);
    const int blackWidth = width() * 3 / 5;
    for (int key = first; key <= last; ++key) {
        const int y = key * kKeySpacing - offset;
        if (isBlackKey(key)) {
            painter.fillRect(QRect(0, y + 1, blackWidth, kKeySpacing - 1), kBlackKey);
        } else if (key % 12 == 0) {
            painter.setPen(kRulerLine);
            painter.drawLine(0, y, width() - 1, y);
            painter.setPen(kRulerText);
            painter.drawText(QRect(0, y, width() - 3, kKeySpacing + 1), Qt::AlignRight | Qt::AlignVCenter,
                             QString::fromStdString(keyName(key)));
        }
    }
    painter.setPen(kRulerLine);
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
}

void SeqRuler::paintBars(QPainter& painter) {
    const int offset = pane_.horizontalScrollBar()->value();
    const int zoom = pane_.zoom();
    const SeqTimeline& timeline = pane_.timeline();
    const auto lines =
        timeline.lines(timeAtX(offset, zoom), timeAtX(std::int64_t{offset} + width() + 1, zoom) + 1,
                       timeAtX(kMinBeatSpacing, zoom));
    painter.setPen(kRulerLine);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    int labelEnd = -1000;
    const QFontMetrics metrics(font());
    for (const GridLine& line : lines) {
        const int x = static_cast<int>(scaleByZoom(line.time, zoom) - offset);
        painter.setPen(kRulerLine);
        if (!line.bar) {
            painter.drawLine(x, height() - 4, x, height() - 1);
            continue;
        }
        painter.drawLine(x, 2, x, height() - 1);
        const QString label = QString::number(line.bar);
        if (x + 2 < labelEnd + kLabelGap)
            continue;
        painter.setPen(kRulerText);
        painter.drawText(QRect(x + 2, 0, metrics.horizontalAdvance(label) + 2, height() - 2),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
        labelEnd = x + 2 + metrics.horizontalAdvance(label);
    }
    if (const std::int64_t cursor = pane_.playCursor(); cursor >= 0) {
        const int x = static_cast<int>(scaleByZoom(cursor, zoom) - offset);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xD0, 0x20, 0x20));
        const QPoint marker[] = {{x - 4, height() - 7}, {x + 4, height() - 7}, {x, height() - 1}};
        painter.drawPolygon(marker, 3);
    }
}

} // namespace plexo
