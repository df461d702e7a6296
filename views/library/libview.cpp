#include "views/library/libview.h"

#include "base/textcodec.h"
#include "base/userinterface.h"
#include "library/lib.h"
#include "library/browserstrings.h"
#include "library/symboldrop.h"
#include "shapes/saodib.h"
#include "shell/commandids.h"
#include "views/library/dlogaddnode.h"
#include "views/library/libicons.h"
#include "views/library/nodedrag.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace plexo {

namespace {

QString shownText(const LibNode& node) {
    return QString::fromStdString(cp1252ToUtf8(shownName(node)));
}

} // namespace

LibView::LibView(Lib& lib, QWidget* parent) : QAbstractScrollArea(parent), lib_(lib) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setBackgroundRole(QPalette::Base);
    // The tree's three fonts, of the same small size.
    normal_ = font();
    normal_.setPixelSize(11);
    normal_.setWeight(QFont::Normal);
    bold_ = normal_;
    bold_.setWeight(QFont::Bold);
    italic_ = normal_;
    italic_.setItalic(true);
    dialogRunner = [this](NodeDialog dialog, LibNode& node,
                          const std::function<NodeDialogOutcome(const NodeDialogValues&)>& accept) {
        DlogAddNode box(dialog, node, accept, this);
        return box.exec() == QDialog::Accepted;
    };
    imageChooser = [this]() -> std::optional<std::filesystem::path> {
        const QString filter = QString::fromUtf8(libstr::kImportFilter);
        const int bar = filter.indexOf('|');
        QFileDialog chooser(this, QString::fromUtf8(libstr::kImportCaption), QString(),
                            filter.left(bar) + " (" + filter.mid(bar + 1) + ")");
        chooser.setFileMode(QFileDialog::ExistingFile);
        chooser.setDefaultSuffix("bmp");
        if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
            return std::nullopt;
        return std::filesystem::path(chooser.selectedFiles().front().toStdString());
    };
    relayout();
}

QFont LibView::fontFor(const LibNode& node) const {
    if (node.isSymbol() && node.useCount > 0)
        return bold_;
    if (node.isSymbol() && node.editCount > 0)
        return italic_;
    return normal_;
}

LibNode* LibView::selectedNode() const {
    return lib_.selectedNode();
}

bool LibView::clipboardHoldsSymbol() const {
    return userInterface().clipboardHasFormat(libstr::kSymbolClipboardFormat);
}

bool LibView::runNodeDialog(NodeDialog dialog, LibNode& node,
                            const std::function<NodeDialogOutcome(const NodeDialogValues&)>& accept) {
    return dialogRunner && dialogRunner(dialog, node, accept);
}

std::optional<std::filesystem::path> LibView::chooseImageFile() {
    return imageChooser ? imageChooser() : std::nullopt;
}

void LibView::editSymbol(LibNode& symbol, std::unique_ptr<saoDib> picture) {
    if (symbolEditor)
        symbolEditor(symbol, std::move(picture));
}

void LibView::treeChanged() {
    relayout();
    viewport()->update();
    emit selectionChanged();
}

bool LibView::commandEnabled(int id) const {
    CommandStatus status;
    return selectedNode() && nodeCommands().status(id, *this, status) && status.enabled;
}

void LibView::runCommand(int id) {
    if (commandEnabled(id))
        nodeCommands().run(id, *this);
}

void LibView::relayout() {
    layout_ = layOutTree(lib_.root, [this](const LibNode& node) {
        return QFontMetrics(fontFor(node)).horizontalAdvance(shownText(node));
    });
    // The area's own height: the viewport may not have followed a resize yet.
    const int range = treeScrollRange(layout_.height, contentsRect().height());
    verticalScrollBar()->setRange(0, range);
    verticalScrollBar()->setPageStep(std::max(1, viewport()->height() / kTreeRowHeight));
    verticalScrollBar()->setSingleStep(1);
}

Point LibView::contentPoint(QPoint at) const {
    return {at.x(), at.y() + kTreeRowHeight * verticalScrollBar()->value()};
}

QPoint LibView::namePosition(const LibNode& node) const {
    const int row = rowOf(layout_, &node);
    if (row < 0)
        return {};
    const LibTreeRow& r = layout_.rows[static_cast<std::size_t>(row)];
    return {r.x + 31 + r.textWidth / 2, r.y - kTreeRowHeight * verticalScrollBar()->value()};
}

void LibView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    painter.translate(0, -kTreeRowHeight * verticalScrollBar()->value());
    const QColor shadow = palette().color(QPalette::Dark);
    painter.setPen(shadow);
    for (const LibTreeLine& line : layout_.connectors)
        painter.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
    for (const LibTreeRow& row : layout_.rows) {
        const LibNode& node = *row.node;
        drawNodeIcon(painter, QPoint(row.x + 10, row.y - 8), node);
        painter.setFont(fontFor(node));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(row.x + 30, row.y - 8, row.textWidth + 2, 16),
                         Qt::AlignLeft | Qt::AlignVCenter, shownText(node));
        if (node.selected) {
            const Rect box = row.selectionBox();
            painter.setPen(palette().color(QPalette::Text));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.left, box.top, box.width() - 1, box.height() - 1);
        }
        if (row.hasChildren) {
            painter.setPen(shadow);
            painter.setBrush(palette().color(QPalette::Base));
            painter.drawRect(row.x - 5, row.y - 5, 9 - 1, 9 - 1);
            painter.setPen(palette().color(QPalette::ButtonText));
            painter.drawLine(row.x - 3, row.y - 1, row.x + 1, row.y - 1);
            if (!node.expanded)
                painter.drawLine(row.x - 1, row.y - 3, row.x - 1, row.y + 1);
        }
    }
}

void LibView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void LibView::scrollContentsBy(int, int) {
    viewport()->update();
}

void LibView::select(LibNode* node) {
    selectOnly(lib_.root, node);
    viewport()->update();
    emit selectionChanged();
}

LibNode* LibView::pressAt(QPoint at) {
    LibNode* selected = clickTree(lib_.root, layout_, contentPoint(at));
    relayout();
    viewport()->update();
    emit selectionChanged();
    return selected;
}

void LibView::ensureVisible(const LibNode* node) {
    const int row = rowOf(layout_, node);
    if (row < 0)
        return;
    const int first = verticalScrollBar()->value();
    const int visible = std::max(1, viewport()->height() / kTreeRowHeight);
    if (row < first)
        verticalScrollBar()->setValue(row);
    else if (row >= first + visible)
        verticalScrollBar()->setValue(row - visible + 1);
}

void LibView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    dragNode_ = nullptr;
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        pressAt(at);
        showMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    LibNode* node = pressAt(at);
    if (node && (node->kind == NodeKind::Folder || node->isSymbol()) && mayDragNode(*node)) {
        dragNode_ = node;
        pressPosition_ = at;
    }
}

void LibView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragNode_ || !(event->buttons() & Qt::LeftButton))
        return;
    if ((event->position().toPoint() - pressPosition_).manhattanLength() < QApplication::startDragDistance())
        return;
    startDrag();
}

void LibView::mouseReleaseEvent(QMouseEvent*) {
    dragNode_ = nullptr;
}

void LibView::startDrag() {
    LibNode* node = dragNode_;
    dragNode_ = nullptr;
    if (!node)
        return;
    // The drag shows the node's label as it stands in the tree.
    const int row = rowOf(layout_, node);
    auto* drag = new QDrag(this);
    drag->setMimeData(nodeMimeData(*node));
    if (row >= 0) {
        const LibTreeRow& r = layout_.rows[static_cast<std::size_t>(row)];
        QPixmap picture(r.textWidth + 24, 18);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        drawNodeIcon(painter, QPoint(1, 1), *node);
        painter.setFont(fontFor(*node));
        painter.drawText(QRect(20, 0, r.textWidth + 4, 18), Qt::AlignLeft | Qt::AlignVCenter,
                         shownText(*node));
        painter.end();
        drag->setPixmap(picture);
    }
    for (Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::IgnoreAction})
        drag->setDragCursor(dragCursor(action), action);
    // A pane takes a symbol as a copy; the tree itself takes anything as a move
    // and does nothing with it; anywhere else the drop is refused.
    if (drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction) == Qt::IgnoreAction)
        userInterface().beep();
}

void LibView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragNode_ = nullptr;
    if (pressAt(event->position().toPoint()))
        runCommand(cmd::kEditSymbol);
}

void LibView::keyPressEvent(QKeyEvent* event) {
    std::optional<TreeKey> key;
    switch (event->key()) {
    case Qt::Key_Up:
        key = TreeKey::Up;
        break;
    case Qt::Key_Down:
        key = TreeKey::Down;
        break;
    case Qt::Key_Left:
        key = TreeKey::Left;
        break;
    case Qt::Key_Right:
        key = TreeKey::Right;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        runCommand(cmd::kEditSymbol);
        return;
    case Qt::Key_Delete:
        runCommand(cmd::kDeleteNode);
        return;
    case Qt::Key_Menu: {
        const QPoint at = namePosition(selectedNode() ? *selectedNode() : lib_.root);
        showMenu(viewport()->mapToGlobal(at));
        return;
    }
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    LibNode* next = stepSelection(layout_, selectedNode(), *key);
    relayout();
    select(next);
    ensureVisible(next);
}

void LibView::showMenu(QPoint globalPosition) {
    if (!selectedNode())
        return;
    QMenu menu(this);
    for (const auto& row : nodeCommands().rows()) {
        QAction* action = menu.addAction(QString::fromUtf8(row.text.c_str()));
        action->setEnabled(commandEnabled(row.id));
        const int id = row.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
    menu.exec(globalPosition);
}

void LibView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kNodeMimeType)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    }
}

void LibView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(kNodeMimeType)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    }
}

void LibView::dropEvent(QDropEvent* event) {
    // Nodes do not move inside the tree: the drop is taken and nothing happens.
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

} // namespace plexo
