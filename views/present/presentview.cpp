#include "views/present/presentview.h"

#include "base/userinterface.h"
#include "shapes/palette.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "views/present/linuxjoystick.h"
#include "views/qtsurface.h"
#include "views/schema/saoview.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace plexo {

PresentView* PresentView::current_ = nullptr;
bool PresentView::inverseVideo_ = false;

namespace {

// Between two ticks: the tick is the application's idle work, kept light.
constexpr int kTickMilliseconds = 20;

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

PresentationKey keyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Space:
        return PresentationKey::Space;
    case Qt::Key_Left:
        return PresentationKey::Left;
    case Qt::Key_Right:
        return PresentationKey::Right;
    case Qt::Key_Home:
        return PresentationKey::Home;
    case Qt::Key_PageUp:
        return PresentationKey::PageUp;
    case Qt::Key_PageDown:
        return PresentationKey::PageDown;
    case Qt::Key_Up:
        return PresentationKey::Up;
    case Qt::Key_Down:
        return PresentationKey::Down;
    case Qt::Key_Escape:
        return PresentationKey::Escape;
    case Qt::Key_F9:
        return PresentationKey::F9;
    default:
        return PresentationKey::Other;
    }
}

} // namespace

void PresentView::toggle(saoView& view) {
    if (current_) {
        current_->close();
        return;
    }
    if (!view.folio())
        return;
    auto* window = new PresentView(view);
    current_ = window;
    QScreen* screen =
        view.window() && view.window()->screen() ? view.window()->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    window->setGeometry(area);
    window->presentation_->open(view.folio(), area.width(), area.height());
    window->showFullScreen();
    window->activateWindow();
    window->setFocus();
    window->idle_.start();
}

void PresentView::viewClosing(saoView& view) {
    if (current_ && &current_->view_ == &view)
        current_->close();
}

PresentView::PresentView(saoView& view) : QWidget(nullptr), view_(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowFlag(Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    joystick_ = std::make_unique<LinuxJoystick>();
    presentation_ = std::make_unique<Presentation>(view.document(), *this, clock_, joystick_.get());
    idle_.setInterval(kTickMilliseconds);
    connect(&idle_, &QTimer::timeout, this, &PresentView::tick);
}

PresentView::~PresentView() {
    if (current_ == this)
        current_ = nullptr;
}

void PresentView::setClock(const PresentationClock* clock) {
    clock_.other = clock;
}

void PresentView::tick() {
    if (!hasFocus() && isActiveWindow())
        setFocus();
    followView();
    presentation_->tick();
}

void PresentView::followView() {
    // The view behind may have changed folio (its tab strip, a deletion).
    if (presentation_->folio() != view_.folio())
        presentation_->followFolio(view_.folio());
}

void PresentView::folioList() {
    Folio* before = view_.folio();
    view_.folioList();
    if (view_.folio() != before)
        presentation_->followFolio(view_.folio());
    activateWindow();
}

void PresentView::setInverseVideo(bool on) {
    inverseVideo_ = on;
    update();
}

void PresentView::setTitle(const std::string& text) {
    setWindowTitle(utf8(text));
}

void PresentView::beep() {
    userInterface().beep();
}

void PresentView::showFolio(int index) {
    view_.showFolio(index);
    presentation_->followFolio(view_.folio());
}

void PresentView::closePresentation() {
    close();
}

void PresentView::startMidi(Folio& folio) {
    view_.document().playMidiShortcut(folio);
}

void PresentView::stopMidi() {
    view_.document().stopMidi();
}

void PresentView::paintEvent(QPaintEvent*) {
    followView();
    QPainter painter(this);
    // The inverted palette's background is the complement of the usual white.
    painter.fillRect(rect(), inverseVideo_ ? Qt::black : Qt::white);
    QtSurface surface(painter);
    presentation_->paint(surface, inverseVideo_);
}

void PresentView::keyPressEvent(QKeyEvent* event) {
    // The popup's "Liste des folios" line shows F8: the key opens it here too.
    if (event->key() == Qt::Key_F8) {
        folioList();
        return;
    }
    const PresentationKey key = keyOf(*event);
    const QString text = event->text();
    const char character =
        text.size() == 1 && text[0].unicode() < 128 ? static_cast<char>(text[0].unicode()) : 0;
    if (key == PresentationKey::Other && character == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    presentation_->keyPress(key, character);
}

void PresentView::mousePressEvent(QMouseEvent* event) {
    // The left button does nothing; the right one opens the popup.
    if (event->button() == Qt::RightButton)
        showPopup(event->globalPosition().toPoint());
}

void PresentView::showPopup(const QPoint& globalPosition) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("MenuPresentation"));
    const auto& table = presentationCommands();
    for (int id : presentationMenu()) {
        const auto* row = table.find(id);
        CommandStatus status;
        if (!row || !table.status(id, *this, status))
            continue;
        QAction* action = menu.addAction(utf8(row->text));
        action->setEnabled(status.enabled);
        action->setCheckable(id == cmd::kInverseVideo);
        action->setChecked(status.checked);
        action->setData(id);
    }
    QAction* chosen = menu.exec(globalPosition);
    if (chosen)
        table.run(chosen->data().toInt(), *this);
}

void PresentView::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        idle_.stop();
        presentation_->close();
    }
    if (current_ == this)
        current_ = nullptr;
    event->accept();
}

} // namespace plexo
