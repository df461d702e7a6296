// The séquence view's drawing pane: the "Longueur : %d" line and one rectangle
// per event of the current track, notes as bars as long as they last, filled
// in their channel's colour, over the bar and beat lines and the shaded rows of
// the black keys. The scroll bars move the drawing over the track's length and
// the 128 keys; rulers of keys (left) and bars (top) sit in its margins.
#pragma once

#include <QAbstractScrollArea>

#include <cstdint>

namespace plexo {

class SeqRuler;
class SeqTimeline;
class seqView;

class Pane2 : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit Pane2(seqView& view);

    static constexpr int kKeyRulerWidth = 30;
    static constexpr int kBarRulerHeight = 16;

    int zoom() const { return zoom_; }
    // Takes level (0..8); returns whether it changed. A change keeps the time at
    // the middle of the view there, and repaints.
    bool setZoom(int level);
    // Recomputes the scroll ranges from the current track, the zoom and the
    // viewport's size, keeping the positions as far as the ranges allow.
    void updateScrollBars();
    // The view shows another track (or the document changed): new ranges, the
    // same time at the left, the new track's notes centred vertically.
    void trackChanged();

    // The play cursor's time in ticks; -1 hides it.
    std::int64_t playCursor() const { return playCursor_; }
    // Moves the cursor and, while it is shown, scrolls so that it stays in view.
    void setPlayCursor(std::int64_t time);

    // The tooltip of the event under pos (viewport pixels); empty over nothing.
    QString toolTipAt(QPoint pos) const;

    const SeqTimeline& timeline() const;
    SeqRuler* keyRuler() const { return keyRuler_; }
    SeqRuler* barRuler() const { return barRuler_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    void placeRulers();
    void updateRulers();
    void paintBackground(QPainter& painter, const QRect& area) const;
    void paintGrid(QPainter& painter, const QRect& area) const;

    seqView& view_;
    int zoom_;
    std::int64_t playCursor_ = -1;
    bool verticalPlaced_ = false; // the track's notes were centred once the viewport had a height
    SeqRuler* keyRuler_ = nullptr;
    SeqRuler* barRuler_ = nullptr;
};

} // namespace plexo
