// The scrolling window in which a schéma view shows its current folio: the
// grid, the page borders, the title block on every page, the objects and the
// selection handles, at one of the nine zoom levels. Everything that depends
// on the zoom and the scroll position is the Viewport's; the pane translates
// Qt events and paints. The folio is painted into a cached image of the
// visible area: a scroll moves the image and draws only the uncovered strips,
// a changed area redraws only that area.
#pragma once

#include "edit/viewport.h"

#include <QAbstractScrollArea>
#include <QPixmap>
#include <QRegion>

class QMimeData;

namespace plexo {

class Folio;
class LibNode;
class PaneTools;

class Pane : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit Pane(QWidget* parent = nullptr);

    // The folio shown (its objects must be held by the caller while shown), or none.
    void showFolio(Folio* folio);
    Folio* folio() const { return folio_; }

    const Viewport& view() const { return viewport_; }
    int zoom() const { return viewport_.zoom(); }
    // Takes a zoom level (clamped); true when it changed.
    bool setZoom(int level);
    bool gridVisible() const { return gridVisible_; }
    void setGridVisible(bool visible);
    // The bands beside the pane count in the scroll ranges.
    void setBandsShown(bool tabs, bool rulers);
    // Recomputes the scroll ranges from the folio, its document's grid steps and
    // the pane's size (after a layout, a page change or a settings change).
    void refreshLayout();

    // Repaints a document area of the folio (grown by 4 pixels), or everything.
    void repaintArea(const Rect& documentArea);
    void repaintAll();
    // Scrolls so that the document point lies in the middle of the pane.
    void centreOn(Point documentPoint);
    void scrollToOrigin();
    // While a drag goes on outside the pane: one scroll unit toward the window point
    // on each axis where it lies outside; true when the pane scrolled.
    bool scrollToward(int x, int y);
    // The tools' side of the pane: the current tool and what it asks of the pane.
    PaneTools& tools() const { return *tools_; }

signals:
    // The scroll position or the zoom changed: the rulers follow.
    void viewChanged();
    // Ctrl+Page Up/Down, Ctrl+Home/End: the view changes folio (-1 previous,
    // +1 next, 0 first, 2 last).
    void folioStepRequested(int step);
    // The zoom changed (a command, the magnifier).
    void zoomChanged(int level);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Tab and Shift+Tab choose tools: they do not move the focus.
    bool focusNextPrevChild(bool next) override;
    // Symbols dragged from the library browser: a symbol over the folio is
    // taken; a drop makes it a symbol object there, or the title block.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void syncScrollBars();
    void syncFromScrollBars();
    // Draws the folio's part under a window rectangle into painter (window pixels).
    void renderInto(QPainter& painter, const QRect& windowRect);
    void renderStaleAreas();
    void drawGrid(class Surface& surface, const Rect& visible);
    QPixmap& cache();
    // The library symbol a drag carries when it may be dropped at the window point, or nullptr.
    LibNode* droppableSymbol(const QMimeData* data, QPoint at) const;

    Viewport viewport_;
    Folio* folio_ = nullptr;
    bool gridVisible_ = true;
    bool tabsShown_ = true;
    bool rulersShown_ = true;
    QPixmap cache_;
    bool cacheValid_ = false;
    // Areas of the cache to draw again from the folio before it is next shown:
    // an edit reports the area an object leaves before the object has left it.
    QRegion stale_;
    bool syncing_ = false;
    PaneTools* tools_ = nullptr;
};

} // namespace plexo
