#include "midi/view/pane2.h"

#include "midi/channelcolours.h"
#include "midi/eventtext.h"
#include "midi/midistrings.h"
#include "midi/seqgeometry.h"
#include "midi/seqscroll.h"
#include "midi/seqtime.h"
#include "midi/view/seqruler.h"
#include "midi/view/seqview.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace plexo {
namespace {

constexpr int kLengthLineX = 10, kLengthLineY = 10;
constexpr int kMinBeatSpacing = 6; // pixels: closer beat lines are left out
constexpr int kWheelNotch = 120;   // angle delta of one notch of a mouse wheel

// Light colours behind the events, so that their black outlines stay readable.
const QColor kBlackKeyRow(0xF0, 0xF2, 0xF6);
const QColor kOctaveLine(0xDC, 0xE0, 0xE8);
const QColor kBeatLine(0xE8, 0xE8, 0xE8);
const QColor kBarLine(0xB8, 0xC2, 0xD2);
const QColor kBeyondCutOff(0xDC, 0xDC, 0xDC);
const QColor kPlayCursor(0xD0, 0x20, 0x20);

} // namespace

Pane2::Pane2(seqView& view) : QAbstractScrollArea(&view), view_(view), zoom_(kDefaultZoom) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::ArrowCursor);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setViewportMargins(kKeyRulerWidth, kBarRulerHeight, 0, 0);
    keyRuler_ = new SeqRuler(*this, SeqRuler::Kind::Keys);
    barRuler_ = new SeqRuler(*this, SeqRuler::Kind::Bars);
    placeRulers();
    updateScrollBars();
}

const SeqTimeline& Pane2::timeline() const {
    return view_.timeline();
}

bool Pane2::setZoom(int level) {
    if (level == zoom_ || level < 0 || level >= kZoomLevelCount)
        return false;
    const int width = viewport()->width();
    const std::int64_t centre = timeAtX(std::int64_t{horizontalScrollBar()->value()} + width / 2, zoom_);
    zoom_ = level;
    updateScrollBars();
    horizontalScrollBar()->setValue(scrollToCentre(centre, zoom_, width, horizontalScrollBar()->maximum()));
    viewport()->update();
    updateRulers();
    return true;
}

void Pane2::updateScrollBars() {
    const MidiPiste* track = view_.currentTrack();
    const QSize size = viewport()->size();
    const ScrollAxis across =
        scrollAxis(track ? contentWidth(*track, zoom_) : kRightMargin, size.width(), kHorizontalStep);
    const ScrollAxis down = scrollAxis(contentHeight(zoom_), size.height(), kKeySpacing);
    horizontalScrollBar()->setRange(0, across.maximum);
    horizontalScrollBar()->setPageStep(across.pageStep);
    horizontalScrollBar()->setSingleStep(across.singleStep);
    verticalScrollBar()->setRange(0, down.maximum);
    verticalScrollBar()->setPageStep(down.pageStep);
    verticalScrollBar()->setSingleStep(down.singleStep);
    if (!verticalPlaced_ && size.height() > 0) {
        verticalPlaced_ = true;
        if (track)
            verticalScrollBar()->setValue(scrollToNotes(*track, size.height(), down.maximum));
    }
}

void Pane2::trackChanged() {
    verticalPlaced_ = false;
    updateScrollBars();
    viewport()->update();
    updateRulers();
}

void Pane2::setPlayCursor(std::int64_t time) {
    if (time == playCursor_)
        return;
    playCursor_ = time;
    if (time >= 0) {
        const std::int64_t x = scaleByZoom(time, zoom_);
        const int width = viewport()->width();
        if (cursorNeedsScroll(x, horizontalScrollBar()->value(), width))
            horizontalScrollBar()->setValue(scrollToCursor(x, width, horizontalScrollBar()->maximum()));
    }
    viewport()->update();
    barRuler_->update();
}

QString Pane2::toolTipAt(QPoint pos) const {
    const MidiPiste* track = view_.currentTrack();
    if (!track)
        return {};
    const Point p{pos.x() + horizontalScrollBar()->value(), pos.y() + verticalScrollBar()->value()};
    const auto index = eventAt(*track, zoom_, p);
    return index ? QString::fromStdString(eventTooltip(*track, *index, timeline())) : QString();
}

void Pane2::placeRulers() {
    const QRect area = viewport()->geometry();
    keyRuler_->setGeometry(area.left() - kKeyRulerWidth, area.top(), kKeyRulerWidth, area.height());
    barRuler_->setGeometry(area.left(), area.top() - kBarRulerHeight, area.width(), kBarRulerHeight);
}

void Pane2::updateRulers() {
    keyRuler_->update();
    barRuler_->update();
}

void Pane2::paintBackground(QPainter& painter, const QRect& area) const {
    const int first = std::clamp(area.top() / kKeySpacing, 0, kKeyCount - 1);
    const int last = std::clamp(area.bottom() / kKeySpacing, 0, kKeyCount - 1);
    for (int key = first; key <= last; ++key) {
        if (isBlackKey(key))
            painter.fillRect(QRect(area.left(), key * kKeySpacing, area.width(), kKeySpacing), kBlackKeyRow);
        else if (key % 12 == 0 && key > 0) {
            painter.setPen(kOctaveLine);
            painter.drawLine(area.left(), key * kKeySpacing, area.right(), key * kKeySpacing);
        }
    }
    // Nothing is drawn past the cut-off: the area is hatched so that it does not pass for silence.
    if (area.right() > kMaxDrawnX) {
        const int left = static_cast<int>(std::max<std::int64_t>(area.left(), kMaxDrawnX + 1));
        painter.fillRect(QRect(left, area.top(), area.right() - left + 1, area.height()),
                         QBrush(kBeyondCutOff, Qt::BDiagPattern));
    }
}

void Pane2::paintGrid(QPainter& painter, const QRect& area) const {
    const auto lines =
        timeline().lines(timeAtX(area.left(), zoom_), timeAtX(std::int64_t{area.right()} + 1, zoom_) + 1,
                         timeAtX(kMinBeatSpacing, zoom_));
    for (const GridLine& line : lines) {
        const int x = static_cast<int>(scaleByZoom(line.time, zoom_));
        painter.setPen(line.bar ? kBarLine : kBeatLine);
        painter.drawLine(x, area.top(), x, area.bottom());
    }
}

void Pane2::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setBackgroundMode(Qt::TransparentMode);
    const int dx = horizontalScrollBar()->value(), dy = verticalScrollBar()->value();
    const QRect area = event->rect().translated(dx, dy); // in drawing pixels
    painter.translate(-dx, -dy);
    paintBackground(painter, area);
    paintGrid(painter, area);

    const MidiPiste* track = view_.currentTrack();
    const int length = track ? track->trackLength() : 0;
    painter.setPen(Qt::black);
    // The length line stays at the top left of the pane whatever the scrolling.
    painter.drawText(QRect(dx + kLengthLineX, dy + kLengthLineY, viewport()->width(), viewport()->height()),
                     Qt::AlignLeft | Qt::AlignTop,
                     QString::fromUtf8(midistr::format(midistr::kLengthLine, length)));
    if (track) {
        painter.setPen(QPen(Qt::black, 1));
        const QBrush white(Qt::white);
        for (const auto& drawn : trackRectangles(*track, zoom_)) {
            const Rect& r = drawn.rect;
            // The right and bottom edges lie outside the rectangle; an empty one shows nothing.
            if (r.isEmpty() || r.right < area.left() || r.left > area.right() || r.bottom < area.top() ||
                r.top > area.bottom())
                continue;
            const MidiEvent& e = track->events[drawn.index];
            painter.setBrush(e.kind == kMidiNoteOn ? QBrush(QColor::fromRgb(channelColour(e.channel())))
                                                   : white);
            painter.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
        }
    }
    if (playCursor_ >= 0) {
        const int x = static_cast<int>(scaleByZoom(playCursor_, zoom_));
        painter.setPen(QPen(kPlayCursor, 1));
        painter.drawLine(x, area.top(), x, area.bottom());
    }
}

void Pane2::keyPressEvent(QKeyEvent* event) {
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Left:
        across->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        across->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Up:
        down->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        down->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    // Page Up / Down turn the pages of the music, across.
    case Qt::Key_PageUp:
        across->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        across->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        across->setValue(across->minimum());
        break;
    case Qt::Key_End:
        across->setValue(across->maximum());
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void Pane2::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        if (angle.y() != 0)
            view_.zoomCommand(angle.y() > 0 ? 769 : 770); // one level up or down
        event->accept();
        return;
    }
    // Shift turns the wheel's rolling into moving across, as most programs do.
    const bool across = (event->modifiers() & Qt::ShiftModifier) || (angle.y() == 0 && angle.x() != 0);
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    QScrollBar* bar = across ? horizontalScrollBar() : verticalScrollBar();
    const int lines = QApplication::wheelScrollLines();
    bar->setValue(bar->value() - delta * lines * bar->singleStep() / kWheelNotch);
    event->accept();
}

void Pane2::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    placeRulers();
    updateScrollBars();
}

void Pane2::scrollContentsBy(int, int) {
    viewport()->update();
    updateRulers();
}

bool Pane2::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, viewport());
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

} // namespace plexo
