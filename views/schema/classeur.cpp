#include "views/schema/classeur.h"

#include "views/qtsurface.h"
#include "views/schema/bandpalette.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace plexo {

Classeur::Classeur(LabelSource labels, QWidget* parent) : QWidget(parent), labels_(std::move(labels)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<FolioTab> Classeur::tabs() {
    // The tabs are measured with the strip's font on a scratch painter.
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    QtSurface surface(painter);
    surface.setFont(font_);
    return layoutTabs(labels_(), surface);
}

void Classeur::setCurrent(int index) {
    if (index == current_)
        return;
    current_ = index;
    update();
}

int Classeur::scrollRange() {
    return tabScrollRange(tabs(), width());
}

void Classeur::scrollBy(int pixels) {
    const int next = std::clamp(scroll_ + pixels, 0, scrollRange());
    if (next == scroll_)
        return;
    scroll_ = next;
    update();
}

void Classeur::resizeEvent(QResizeEvent*) {
    scroll_ = std::clamp(scroll_, 0, scrollRange());
}

int Classeur::otherTabAt(int x) {
    const int index = tabAt(tabs(), x, scroll_);
    return index == current_ ? -1 : index;
}

void Classeur::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtSurface surface(painter);
    surface.setFont(font_);
    drawTabs(surface, layoutTabs(labels_(), surface), current_, scroll_, width(), bandColours(palette()),
             font_);
}

void Classeur::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int index = otherTabAt(event->position().toPoint().x());
    if (index >= 0)
        emit tabChosen(index);
}

void Classeur::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int x = event->position().toPoint().x();
    const int index = tabAt(tabs(), x, scroll_);
    if (index < 0)
        return;
    if (index != current_)
        emit tabChosen(index);
    else
        emit informationRequested();
}

void Classeur::contextMenuEvent(QContextMenuEvent* event) {
    emit menuRequested(event->globalPos());
}

} // namespace plexo
