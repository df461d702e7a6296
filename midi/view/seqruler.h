// A ruler beside the séquence pane's drawing, moving with its scroll bars: the
// keys at the left (the black keys shaded, each C named from C-1 to C9) or the
// bars at the top (a mark at each bar and beat, the bar numbers).
#pragma once

#include <QWidget>

namespace plexo {

class Pane2;

class SeqRuler : public QWidget {
    Q_OBJECT

public:
    enum class Kind { Keys, Bars };
    SeqRuler(Pane2& pane, Kind kind);

    Kind kind() const { return kind_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintKeys(QPainter& painter);
    void paintBars(QPainter& painter);

    Pane2& pane_;
    Kind kind_;
};

} // namespace plexo
