// The floating "Messages" window: every message of the application's list,
// one 12-pixel line each, errors in red, scrolled to the last line as
// messages arrive.
#pragma once

#include <QWidget>

class QScrollBar;

namespace plexo {

class MessageLog;

class MessagesView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLineHeight = 12; // one line, and the scroll unit
    static constexpr int kTextLeft = 4;
    static constexpr int kTextTop = 2;

    MessagesView(const MessageLog& log, QWidget* parent = nullptr);

    // A message joined the list: recompute the scroll range, show the last
    // line when the view is not already there, repaint.
    void messageAdded();

    int scrollRange() const;
    int scrollPosition() const;
    // The first line shown at the top of the client area.
    QScrollBar* scroller() const { return scroller_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateScrollRange();

    const MessageLog& log_;
    QScrollBar* scroller_;
};

} // namespace plexo
