#include "midi/view/seqview.h"

#include "midi/midistrings.h"
#include "midi/seqdoc.h"
#include "midi/seqgeometry.h"
#include "midi/view/classeur2.h"
#include "midi/view/pane2.h"
#include "views/tabcorner.h"

#include <QPainter>
#include <QPolygon>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>

namespace plexo {
namespace {

constexpr int kCornerWidth = 48; // left of the tab strip
constexpr int kPaneLeft = 16;
constexpr int kPaneTop = 32;
constexpr int kPlayCursorInterval = 30; // milliseconds between two moves of the play cursor

} // namespace

seqView::seqView(seqDoc& document, QWidget* parent)
    : QWidget(parent), document_(document), timeline_(document) {
    font_ = QFont(QStringLiteral("Small Fonts"));
    font_.setPixelSize(8);
    font_.setWeight(QFont::Normal);
    classeur_ = new Classeur2(*this);
    pane_ = new Pane2(*this);
    playTimer_ = new QTimer(this);
    playTimer_->setInterval(kPlayCursorInterval);
    connect(playTimer_, &QTimer::timeout, this, &seqView::updatePlayCursor);
    document_.addObserver(this);
    layOut();
}

seqView::~seqView() {
    player_.stop();
    document_.removeObserver(this);
}

std::string seqView::typeName() const {
    return midistr::kTypeName;
}
std::string seqView::statusMessage() {
    return midistr::kStatusMessage;
}
std::string seqView::pageIndicator() {
    return midistr::kStatusIndicator;
}

std::string seqView::positionIndicator() const {
    const std::int64_t cursor = pane_->playCursor();
    return cursor >= 0 ? timeline_.text(cursor) : pageIndicator();
}

bool seqView::canPlay() const {
    return SeqPlayer::available() && !document_.tracks.empty();
}

bool seqView::play() {
    stop();
    if (!canPlay() || !player_.play(document_))
        return false;
    pane_->setPlayCursor(0);
    playTimer_->start();
    emit playingChanged(true);
    return true;
}

void seqView::stop() {
    if (!player_.isPlaying() && !playTimer_->isActive())
        return;
    player_.stop();
    playTimer_->stop();
    pane_->setPlayCursor(-1);
    emit playingChanged(false);
}

void seqView::updatePlayCursor() {
    const std::int64_t position = player_.position();
    if (position < 0) {
        stop();
        return;
    }
    pane_->setPlayCursor(position);
}

const MidiPiste* seqView::currentTrack() const {
    if (trackIndex_ < 0 || static_cast<std::size_t>(trackIndex_) >= document_.tracks.size())
        return nullptr;
    return &document_.tracks[static_cast<std::size_t>(trackIndex_)];
}

void seqView::selectTrack(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= document_.tracks.size() || index == trackIndex_)
        return;
    trackIndex_ = index;
    pane_->trackChanged();
    update();
    classeur_->update();
    pane_->viewport()->update();
}

void seqView::zoomCommand(int command) {
    const int level = zoomAfterCommand(command, pane_->zoom());
    if (pane_->setZoom(level))
        emit zoomChanged(level);
    pane_->setFocus();
}

int seqView::zoomLevel() const {
    return pane_->zoom();
}

void seqView::documentChanged(int, std::intptr_t) {
    // The track list may have changed (the document was read again).
    stop();
    timeline_ = SeqTimeline(document_);
    const int count = static_cast<int>(document_.tracks.size());
    trackIndex_ = std::clamp(trackIndex_, 0, std::max(count - 1, 0));
    layOut();
    pane_->trackChanged();
    update();
    classeur_->update();
}

void seqView::layOut() {
    const int width = this->width();
    const int height = this->height();
    classeur_->setGeometry(kCornerWidth, 0, std::max(width - kCornerWidth, 0), Classeur2::kHeight);
    pane_->setGeometry(kPaneLeft, kPaneTop, std::max(width - kPaneLeft, 0), std::max(height - kPaneTop, 0));
    pane_->updateScrollBars();
    classeur_->updateScrollRange();
}

void seqView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    layOut();
    update();
}

void seqView::paintEvent(QPaintEvent*) {
    if (!paintCorner_)
        return;
    QPainter painter(this);
    paintCorner(painter);
}

void seqView::paintCorner(QPainter& painter) {
    paintTabCorner(painter, palette());
}

} // namespace plexo
