// The séquence view's drawing pane: the "Longueur : %d" line and one rectangle
// per event of the current track, notes as bars as long as they last.
#pragma once

#include <QAbstractScrollArea>

namespace plexo {

class seqView;

class Pane2 : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit Pane2(seqView& view);

    int zoom() const { return zoom_; }
    // Takes level (0..8); returns whether it changed. A change resets the scroll
    // bars and repaints.
    bool setZoom(int level);
    // Both ranges 0 to 100, the vertical position 50; they do not move the drawing.
    void resetScrollBars();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    seqView& view_;
    int zoom_;
};

} // namespace plexo
