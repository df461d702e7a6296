#include "app/messagesview.h"

#include "shapes/palette.h"
#include "shell/messagelog.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace plexo {
namespace {

QColor qColour(int paletteIndex) {
    Rgb rgb = normalPaletteColour(paletteIndex);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

MessagesView::MessagesView(const MessageLog& log, QWidget* parent)
    : QWidget(parent, Qt::Tool), log_(log), scroller_(new QScrollBar(Qt::Vertical, this)) {
    setObjectName("Messages");
    setWindowTitle("Messages");
    QFont font("MS Sans Serif");
    font.setPixelSize(10);
    font.setWeight(QFont::Normal);
    setFont(font);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    scroller_->setSingleStep(1);
    connect(scroller_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    updateScrollRange();
}

int MessagesView::scrollRange() const {
    return scroller_->maximum();
}

int MessagesView::scrollPosition() const {
    return scroller_->value();
}

void MessagesView::updateScrollRange() {
    const int lines = static_cast<int>(log_.messages().size());
    const int clientHeight = height();
    // The lines that do not fit, rounded up so that the last one shows whole.
    const int overflow = kTextTop + lines * kLineHeight - clientHeight;
    const int range = std::max(0, (overflow + kLineHeight - 1) / kLineHeight);
    scroller_->setRange(0, range);
    scroller_->setPageStep(std::max(1, clientHeight / kLineHeight));
    if (range == 0)
        scroller_->setValue(0);
    scroller_->setVisible(range > 0);
}

void MessagesView::messageAdded() {
    updateScrollRange();
    if (scroller_->value() != scroller_->maximum())
        scroller_->setValue(scroller_->maximum());
    update();
}

void MessagesView::resizeEvent(QResizeEvent* event) {
    const int width = scroller_->sizeHint().width();
    scroller_->setGeometry(this->width() - width, 0, width, height());
    updateScrollRange();
    update();
    QWidget::resizeEvent(event);
}

void MessagesView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 40; // three lines a notch
    scroller_->setValue(scroller_->value() - steps);
    event->accept();
}

void MessagesView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Button));
    painter.setFont(font());
    const int textWidth = width() - (scroller_->isVisible() ? scroller_->width() : 0) - kTextLeft;
    const auto& messages = log_.messages();
    const int first = scroller_->value();
    const int visible = height() / kLineHeight + 2;
    for (int i = first; i < static_cast<int>(messages.size()) && i < first + visible; ++i) {
        const auto& message = messages[static_cast<std::size_t>(i)];
        painter.setPen(qColour(message.severity != 0 ? kRed : kBlack));
        const int y = kTextTop + (i - first) * kLineHeight;
        painter.drawText(QRect(kTextLeft, y, textWidth, kLineHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         QString::fromUtf8(message.text.data(), static_cast<qsizetype>(message.text.size())));
    }
}

} // namespace plexo
