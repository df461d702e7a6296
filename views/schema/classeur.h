// The folio tab strip of a schéma view: one tab per folio, labelled with its
// number; a click chooses the folio, a double-click on the current tab asks
// for its information, the right button asks for the folio menu.
#pragma once

#include "edit/foliotabs.h"

#include <QWidget>

#include <functional>

namespace plexo {

class Classeur : public QWidget {
    Q_OBJECT

public:
    // labels: the folio numbers in document order (Windows-1252), asked at every paint and click.
    using LabelSource = std::function<std::vector<std::string>()>;
    Classeur(LabelSource labels, QWidget* parent = nullptr);

    void setCurrent(int index);
    int current() const { return current_; }
    int scrollPosition() const { return scroll_; }
    // Scrolls by a number of pixels within the range; repaints when it moved.
    void scrollBy(int pixels);
    int scrollRange();
    void setSmallFont(const Font& font) { font_ = font; }
    // The tabs as laid out now, measured with the strip's font.
    std::vector<FolioTab> tabs();

signals:
    // Another tab than the current one was clicked.
    void tabChosen(int index);
    // The current tab was double-clicked.
    void informationRequested();
    void menuRequested(const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The tab under x when it is not the current one, or -1.
    int otherTabAt(int x);

    LabelSource labels_;
    int current_ = 0;
    int scroll_ = 0;
    Font font_{"Small Fonts", 8};
};

} // namespace plexo
