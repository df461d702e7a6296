#include "midi/view/pane2.h"

#include "midi/midistrings.h"
#include "midi/seqgeometry.h"
#include "midi/view/seqview.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace plexo {
namespace {

constexpr int kScrollMaximum = 100;
constexpr int kVerticalStart = 50;
constexpr int kLengthLineX = 10, kLengthLineY = 10;

} // namespace

Pane2::Pane2(seqView& view) : QAbstractScrollArea(&view), view_(view), zoom_(kDefaultZoom) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::ArrowCursor);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    resetScrollBars();
}

bool Pane2::setZoom(int level) {
    if (level == zoom_ || level < 0 || level >= kZoomLevelCount)
        return false;
    zoom_ = level;
    resetScrollBars();
    viewport()->update();
    return true;
}

void Pane2::resetScrollBars() {
    horizontalScrollBar()->setRange(0, kScrollMaximum);
    verticalScrollBar()->setRange(0, kScrollMaximum);
    verticalScrollBar()->setValue(kVerticalStart);
}

void Pane2::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setBackgroundMode(Qt::TransparentMode);
    const MidiPiste* track = view_.currentTrack();
    const int length = track ? track->trackLength() : 0;
    painter.setPen(Qt::black);
    painter.drawText(QRect(kLengthLineX, kLengthLineY, viewport()->width(), viewport()->height()),
                     Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(midistr::format(midistr::kLengthLine, length)));
    if (!track)
        return;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    for (const auto& drawn : trackRectangles(*track, zoom_)) {
        const Rect& r = drawn.rect;
        // The right and bottom edges lie outside the rectangle; an empty one shows nothing.
        if (r.isEmpty())
            continue;
        painter.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    }
}

void Pane2::keyPressEvent(QKeyEvent* event) { event->accept(); }

void Pane2::wheelEvent(QWheelEvent* event) { event->accept(); }

} // namespace plexo
