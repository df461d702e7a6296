#include "app/therm.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QToolButton>

#include <algorithm>

namespace plexo {

Therm::Therm(QWidget* parent) : QStatusBar(parent) {
    setObjectName("Therm");
    QFont small = font();
    small.setPointSize(9);
    setFont(small);
    setSizeGripEnabled(true);

    message_ = new QLabel(this);
    message_->setObjectName("message");
    addWidget(message_, 1);

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName("gauge");
    gauge_->setTextVisible(true);
    gauge_->setMinimumWidth(220);
    gauge_->hide();
    addWidget(gauge_);

    pageIndicator_ = box(4, "pageIndicator");
    addPermanentWidget(pageIndicator_);
    addSeparator();
}

QLabel* Therm::box(int characters, const QString& name) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0'))) + 8);
    return label;
}

void Therm::addButton(QAction* action) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    button->setObjectName(QString("button%1").arg(action->data().toInt()));
    addPermanentWidget(button);
}

void Therm::addSeparator() {
    auto* line = new QFrame(this);
    line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    addPermanentWidget(line);
}

void Therm::addBoxes() {
    zoomBox_ = box(4, "zoomBox");
    zoomBox_->setToolTip("Echelle d'affichage");
    zoomBox_->installEventFilter(this);
    addPermanentWidget(zoomBox_);
    clockBox_ = box(11, "clockBox");
    clockBox_->setToolTip("Heure dans le monde");
    clockBox_->installEventFilter(this);
    addPermanentWidget(clockBox_);
    capsLock_ = box(3, "capsLock");
    capsLock_->setText("Maj");
    numLock_ = box(3, "numLock");
    numLock_->setText("Num");
    addPermanentWidget(capsLock_);
    addPermanentWidget(numLock_);
    setLockStates(false, false);
}

bool Therm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == zoomBox_) {
            emit zoomBoxClicked();
            return true;
        }
        if (watched == clockBox_) {
            emit clockBoxClicked();
            return true;
        }
    }
    return QStatusBar::eventFilter(watched, event);
}

void Therm::setMessageText(const QString& text) {
    if (message_->text() != text)
        message_->setText(text);
}

QString Therm::messageText() const {
    return message_->text();
}

void Therm::setPageIndicator(const QString& text) {
    if (pageIndicator_->text() != text)
        pageIndicator_->setText(text);
}

QString Therm::pageIndicator() const {
    return pageIndicator_->text();
}

void Therm::setZoomText(const QString& text) {
    if (zoomBox_)
        zoomBox_->setText(text);
}

QString Therm::zoomText() const {
    return zoomBox_ ? zoomBox_->text() : QString();
}

void Therm::setClockText(const QString& text) {
    if (clockBox_ && clockBox_->text() != text)
        clockBox_->setText(text);
}

QString Therm::clockText() const {
    return clockBox_ ? clockBox_->text() : QString();
}

void Therm::startProgress(int total, const QString& title) {
    gauge_->setRange(0, std::max(total, 0));
    gauge_->setValue(0);
    // "%p", "%v" and "%m" are the gauge's own fields; a "%" of the title
    // (a document named "100%p.dls") is kept apart from them by a word joiner.
    QString format = title;
    format.replace('%', QString::fromUtf8("%\u2060"));
    gauge_->setFormat(format + "  %p%");
    gauge_->show();
    message_->hide();
    // Long operations run without returning to the event loop: paint now.
    gauge_->repaint();
}

void Therm::advanceProgress(int position) {
    if (!gauge_->isVisible())
        return;
    gauge_->setValue(std::clamp(position, gauge_->minimum(), gauge_->maximum()));
    gauge_->repaint();
}

void Therm::resetProgress() {
    gauge_->hide();
    gauge_->reset();
    message_->show();
}

void Therm::setLockStates(bool capsLock, bool numLock) {
    if (capsLock_)
        capsLock_->setEnabled(capsLock);
    if (numLock_)
        numLock_->setEnabled(numLock);
}

bool Therm::capsLockShown() const {
    return capsLock_ && capsLock_->isEnabled();
}

bool Therm::numLockShown() const {
    return numLock_ && numLock_->isEnabled();
}

} // namespace plexo
