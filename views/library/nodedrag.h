// What a drag out of the library browser carries: a reference to the dragged
// folder or symbol under the MIME type of our own, read back by the panes.
#pragma once

class QMimeData;

namespace plexo {

class Lib;
class LibNode;

inline constexpr const char* kNodeMimeType = "application/x-plexo-libnode";

// A new drag payload naming node (the caller owns it until QDrag takes it).
QMimeData* nodeMimeData(const LibNode& node);
// The node a payload names in lib, or nullptr (another payload, a node gone).
LibNode* draggedNode(Lib* lib, const QMimeData* data);

} // namespace plexo
