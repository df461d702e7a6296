// The pane's side of the drawing tools: it turns the pane's mouse and key
// events into pointer events in document units for the current tool (the one
// the application has chosen for every schéma view), and answers what a tool
// asks of its window (ToolHost): capture, cursor, overlay, dialogs, menus, zoom.
#pragma once

#include "edit/tool.h"
#include "edit/toolhost.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <memory>
#include <optional>

class QKeyEvent;
class QMouseEvent;
class QPainter;

namespace plexo {

class Pane;

class PaneTools : public QObject, public ToolHost {
    Q_OBJECT

public:
    explicit PaneTools(Pane& pane);
    ~PaneTools() override;

    Tool* tool() const { return tool_.get(); }
    int toolId() const { return toolId_; }

    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    void mouseDoubleClick(QMouseEvent* event);
    // Tab, Shift+Tab, Escape, Enter and Shift+arrows; true when the key was taken.
    bool key(QKeyEvent* event);
    // Drops a construction in progress (Escape, a folio switch, an undo).
    void cancel();
    // The tool's rubber drawing over the folio, in the pane's window pixels.
    void drawOverlay(QPainter& painter);

    // ToolHost
    saoDoc& document() override;
    Folio& folio() override;
    RenderContext renderContext() const override;
    void capture(bool on) override;
    void setCursor(ToolCursor cursor) override;
    void overlayChanged() override;
    void beep() override;
    bool editText(Shape& text) override;
    void openProperties() override;
    void openContextMenu(Point at) override;
    void zoomAt(int level, Point at) override;
    void chooseTool(int id) override;

signals:
    // "MenuEdition" at a screen position.
    void popupRequested(const QString& name, const QPoint& globalPosition);
    // Enter or a double-click on the single selection.
    void propertiesRequested();

private:
    void takeTool(int id);
    bool ready() const;
    PointerEvent pointerEvent(const QMouseEvent* event) const;
    std::optional<QRect> overlayRect() const;
    void selectNeighbour(int key);

    Pane& pane_;
    std::unique_ptr<Tool> tool_;
    int toolId_ = 0;
    int listenerKey_ = -1;
    bool captured_ = false;
    std::optional<QRect> shownOverlay_;
};

} // namespace plexo
