// The 16 × 16 pictures of the library tree, drawn rather than loaded: the
// library folder, a library, a folder and the four symbol types.
#pragma once

#include <QPixmap>
#include <QPoint>

class QPainter;

namespace plexo {

class LibNode;

// Draws the node's picture with its top-left corner at topLeft.
void drawNodeIcon(QPainter& painter, QPoint topLeft, const LibNode& node);

// The drag cursors, 32 × 32 with the hot spot at the top left: a symbol dropped
// on a drawing (copy), over the tree itself (move), and nowhere to drop (ignore).
QPixmap dragCursor(Qt::DropAction action);

} // namespace plexo
