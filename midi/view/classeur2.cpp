#include "midi/view/classeur2.h"

#include "base/textcodec.h"
#include "midi/seqdoc.h"
#include "midi/view/seqview.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace plexo {
namespace {

constexpr int kLabelTop = 5;        // label of a tab other than the current one
constexpr int kCurrentLabelTop = 4; // the current tab is raised by one pixel

} // namespace

Classeur2::Classeur2(seqView& view) : QWidget(&view), view_(view) {}

std::vector<QString> Classeur2::labels() const {
    std::vector<QString> labels;
    const auto& tracks = view_.document().tracks;
    labels.reserve(tracks.size());
    for (const auto& track : tracks)
        labels.push_back(QString::fromStdString(cp1252ToUtf8(track.trackName())));
    return labels;
}

std::vector<TabSpan> Classeur2::tabs() const {
    const QFontMetrics metrics(view_.tabFont());
    std::vector<int> widths;
    for (const auto& label : labels())
        widths.push_back(metrics.horizontalAdvance(label));
    return layoutTabs(widths);
}

void Classeur2::setScrollPosition(int position) {
    scrollPosition_ = std::clamp(position, 0, scrollRange_);
    update();
}

void Classeur2::updateScrollRange() {
    scrollRange_ = tabScrollRange(tabs(), width());
    scrollPosition_ = std::clamp(scrollPosition_, 0, scrollRange_);
}

void Classeur2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    const QColor face = colours.color(QPalette::Button);
    const QColor shadow = colours.color(QPalette::Dark);
    const QColor highlight = colours.color(QPalette::Light);
    const QColor text = colours.color(QPalette::ButtonText);
    painter.fillRect(QRect(0, 0, width(), kHeight), face);
    painter.setPen(text);
    painter.drawLine(0, kHeight - 1, width() - 1, kHeight - 1);
    painter.setFont(view_.tabFont());
    painter.setBackgroundMode(Qt::TransparentMode);

    const auto labels = this->labels();
    const auto tabs = this->tabs();
    const int current = view_.currentTrackIndex();
    auto paintTab = [&](std::size_t i, bool isCurrent) {
        const int left = tabs[i].start - scrollPosition_;
        const int right = left + tabs[i].width;
        const int top = isCurrent ? 0 : 1;
        // A tab with slanted sides, open at the bottom onto the strip's line.
        QPolygon outline;
        outline << QPoint(left, kHeight - 1) << QPoint(left + 3, top) << QPoint(right - 3, top)
                << QPoint(right, kHeight - 1);
        painter.setBrush(face);
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(outline);
        painter.setPen(highlight);
        painter.drawLine(left, kHeight - 1, left + 3, top);
        painter.drawLine(left + 3, top, right - 3, top);
        painter.setPen(shadow);
        painter.drawLine(right - 3, top, right - 1, kHeight - 2);
        painter.setPen(text);
        painter.drawLine(right - 2, top + 1, right, kHeight - 1);
        if (isCurrent) {
            painter.setPen(face); // the current tab opens onto the pane
            painter.drawLine(left + 1, kHeight - 1, right - 1, kHeight - 1);
        }
        painter.setPen(text);
        const int labelTop = isCurrent ? kCurrentLabelTop : kLabelTop;
        painter.drawText(QRect(left, labelTop, tabs[i].width, kHeight), Qt::AlignHCenter | Qt::AlignTop,
                         labels[i]);
    };
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (static_cast<int>(i) != current)
            paintTab(i, false);
    if (current >= 0 && static_cast<std::size_t>(current) < tabs.size())
        paintTab(static_cast<std::size_t>(current), true);
}

void Classeur2::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int tab =
        tabToSelect(tabs(), event->position().toPoint().x(), scrollPosition_, view_.currentTrackIndex());
    if (tab >= 0)
        view_.selectTrack(tab);
}

void Classeur2::mouseDoubleClickEvent(QMouseEvent*) {}

} // namespace plexo
