// The presentation window: the current folio of a schéma view full-screen on
// the screen that shows the view's frame, without window furniture. There is
// one for the whole application. It translates the keyboard, the right
// button's "MenuPresentation" popup and an idle timer into calls of the
// presentation (edit/presentation.h) and paints what it says.
#pragma once

#include "edit/presentation.h"
#include "edit/presentcommands.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace plexo {

class saoView;

class PresentView : public QWidget, public PresentationHost, public PresentationCommandContext {
    Q_OBJECT

public:
    // F9 (789): opens the presentation on the view, or closes the one open.
    static void toggle(saoView& view);
    static bool isOpen() { return current_ != nullptr; }
    static PresentView* current() { return current_; }
    // The view goes: a presentation showing it closes first.
    static void viewClosing(saoView& view);
    // The application's video inversion (807).
    static bool inverseVideoOn() { return inverseVideo_; }

    ~PresentView() override;

    saoView& view() const { return view_; }
    // The clock the tick reads; the tests give their own.
    void setClock(const PresentationClock* clock);

    // PresentationCommandContext
    Presentation& presentation() override { return *presentation_; }
    const Presentation& presentation() const override { return *presentation_; }
    void folioList() override;
    bool inverseVideo() const override { return inverseVideo_; }
    void setInverseVideo(bool on) override;

    // PresentationHost
    void setTitle(const std::string& utf8) override;
    void repaint() override { update(); }
    void beep() override;
    void showFolio(int index) override;
    void closePresentation() override;
    void startMidi(Folio& folio) override;
    void stopMidi() override;

    // One idle tick, as the timer gives it.
    void tick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit PresentView(saoView& view);
    void showPopup(const QPoint& globalPosition);
    void followView();

    // The steady clock, or the one a test gave.
    class SwitchedClock : public PresentationClock {
    public:
        SwitchedClock() { timer_.start(); }
        std::int64_t milliseconds() const override {
            return other ? other->milliseconds() : timer_.elapsed();
        }
        const PresentationClock* other = nullptr;

    private:
        QElapsedTimer timer_;
    };

    static PresentView* current_;
    static bool inverseVideo_;

    saoView& view_;
    SwitchedClock clock_;
    std::unique_ptr<Joystick> joystick_;
    std::unique_ptr<Presentation> presentation_;
    QTimer idle_;
    bool closing_ = false;
};

} // namespace plexo
