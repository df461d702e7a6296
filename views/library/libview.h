// "LibView": the library tree of the symbol browser. It draws the rows that
// edit/libtree lays out (connectors, expanders, pictures, names: bold for a
// symbol in use, italic for one being edited), selects with the mouse and the
// keyboard, scrolls by rows, drags folders and symbols out (the panes take the
// symbols) and carries out the pop-up menu "MenuNode" (edit/nodecommands).
#pragma once

#include "edit/libtree.h"
#include "edit/nodecommands.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>

namespace plexo {

class LibView : public QAbstractScrollArea, public NodeCommandContext {
    Q_OBJECT

public:
    explicit LibView(Lib& lib, QWidget* parent = nullptr);

    // NodeCommandContext
    Lib& lib() const override { return lib_; }
    LibNode* selectedNode() const override;
    bool clipboardHoldsSymbol() const override;
    bool runNodeDialog(NodeDialog dialog, LibNode& node,
                       const std::function<NodeDialogOutcome(const NodeDialogValues&)>& accept) override;
    std::optional<std::filesystem::path> chooseImageFile() override;
    void editSymbol(LibNode& symbol, std::unique_ptr<saoDib> picture) override;
    void treeChanged() override;

    // What the window cannot do by itself, given by its host (tests replace them).
    std::function<void(LibNode&, std::unique_ptr<saoDib>)> symbolEditor;
    std::function<std::optional<std::filesystem::path>()> imageChooser;
    // Runs a node dialog; the default shows DlogAddNode.
    std::function<bool(NodeDialog, LibNode&,
                       const std::function<NodeDialogOutcome(const NodeDialogValues&)>&)>
        dialogRunner;

    // A command of "MenuNode" on the selected node, when enabled.
    bool commandEnabled(int id) const;
    void runCommand(int id);

    const LibTreeLayout& layout() const { return layout_; }
    // The centre of a node's name in the viewport's coordinates (for a click).
    QPoint namePosition(const LibNode& node) const;
    // The fonts of the rows: normal, bold (a symbol in use), italic (being edited).
    QFont fontFor(const LibNode& node) const;
    const QFont& normalFont() const { return normal_; }

signals:
    // The selection changed: the preview follows.
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void relayout();
    // Content coordinates of a viewport point.
    Point contentPoint(QPoint at) const;
    // Hit-tests a press and returns the node now selected.
    LibNode* pressAt(QPoint at);
    void select(LibNode* node);
    void ensureVisible(const LibNode* node);
    void showMenu(QPoint globalPosition);
    void startDrag();

    Lib& lib_;
    LibTreeLayout layout_;
    QFont normal_;
    QFont bold_;
    QFont italic_;
    LibNode* dragNode_ = nullptr; // pressed and draggable
    QPoint pressPosition_;
};

} // namespace plexo
