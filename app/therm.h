// The frame's status bar: the message area, the progress gauge, the page
// indicator, the command buttons, the zoom box, the world clock and the Caps
// Lock and Num Lock indicators ("Maj", "Num").
#pragma once

#include <QStatusBar>

class QAction;
class QLabel;
class QProgressBar;

namespace plexo {

class Therm : public QStatusBar {
    Q_OBJECT
public:
    explicit Therm(QWidget* parent = nullptr);

    void setMessageText(const QString& text);
    QString messageText() const;
    void setPageIndicator(const QString& text);
    QString pageIndicator() const;
    void setZoomText(const QString& text);
    QString zoomText() const;
    void setClockText(const QString& text);
    QString clockText() const;

    // Appends, after what was added before: a button carrying action, or a separator.
    void addButton(QAction* action);
    void addSeparator();
    // The zoom box and the clock box close the row.
    void addBoxes();

    // The progress gauge: started with a total and a title, advanced to a
    // position between 0 and the total, hidden again by reset.
    void startProgress(int total, const QString& title);
    void advanceProgress(int position);
    void resetProgress();
    QProgressBar* gauge() const { return gauge_; }

    void setLockStates(bool capsLock, bool numLock);
    bool capsLockShown() const;
    bool numLockShown() const;

    QLabel* zoomBox() const { return zoomBox_; }
    QLabel* clockBox() const { return clockBox_; }

signals:
    void zoomBoxClicked();
    void clockBoxClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* box(int characters, const QString& name);

    QLabel* message_;
    QProgressBar* gauge_;
    QLabel* pageIndicator_;
    QLabel* zoomBox_ = nullptr;
    QLabel* clockBox_ = nullptr;
    QLabel* capsLock_ = nullptr;
    QLabel* numLock_ = nullptr;
};

} // namespace plexo
