// The séquence view's tab strip: one tab per track, labelled with the track's
// name; a left press selects a track. The tabs are recomputed from the
// document at every paint and click.
#pragma once

#include "midi/seqgeometry.h"

#include <QString>
#include <QWidget>

#include <vector>

namespace plexo {

class seqView;

class Classeur2 : public QWidget {
    Q_OBJECT

public:
    explicit Classeur2(seqView& view);

    // Labels (UTF-8 from the tracks' Windows-1252 names) and their spans.
    std::vector<QString> labels() const;
    std::vector<TabSpan> tabs() const;

    int scrollPosition() const { return scrollPosition_; }
    int scrollRange() const { return scrollRange_; }
    void setScrollPosition(int position);
    // Recomputed when the view lays out.
    void updateScrollRange();

    static constexpr int kHeight = 16;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    seqView& view_;
    int scrollPosition_ = 0; // pixels
    int scrollRange_ = 0;
};

} // namespace plexo
