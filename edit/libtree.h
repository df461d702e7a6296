// The library browser's tree as rows, without drawing: where each visible node
// sits, the connector lines between them, which part of a row a point hits,
// the scroll range, and the selection the keyboard moves. Rows are 18 pixels
// apart and levels 18 pixels deeper; a row's reference point (x, y) has y at its
// vertical centre, in content coordinates (window y plus 18 × the scroll
// position). The browser draws the rows and forwards its clicks here.
#pragma once

#include "shapes/point.h"

#include <functional>
#include <string>
#include <vector>

namespace plexo {

class LibNode;

inline constexpr int kTreeRowHeight = 18;
inline constexpr int kTreeIndent = 18;

struct LibTreeRow {
    LibNode* node = nullptr;
    int x = 0;
    int y = 0;
    int depth = 0;     // 0 for the location
    int textWidth = 0; // of the name shown, in pixels
    bool hasChildren = false;

    // The label (icon and name): x + 10 to x + 31 + text width, y − 8 to y + 8.
    Rect labelArea() const { return {x + 10, y - 8, x + 31 + textWidth, y + 8}; }
    // The expander's click area: x − 10 to x + 10, y − 5 to y + 4.
    Rect expanderArea() const { return {x - 10, y - 5, x + 10, y + 4}; }
    // The box drawn around the selected node's name.
    Rect selectionBox() const { return {x + 28, y - 7, x + 31 + textWidth, y + 7}; }
};

struct LibTreeLine {
    Point from;
    Point to;
};

struct LibTreeLayout {
    std::vector<LibTreeRow> rows;        // the visible nodes, top to bottom
    std::vector<LibTreeLine> connectors; // drawn in the shadow colour
    int height = 0;                      // the y after the last row
};

// The name a node shows: a library's without its final ".dly" (any case).
std::string shownName(const LibNode& node);

// Lays out the children of root (the location first) from x = −5, y = 10;
// nameWidth measures a node's shown name.
LibTreeLayout layOutTree(LibNode& root, const std::function<int(const LibNode&)>& nameWidth);

enum class TreeHitPart { None, Label, Expander };
struct TreeHit {
    LibNode* node = nullptr;
    TreeHitPart part = TreeHitPart::None;
};
// The first row whose label, or failing that whose expander, holds the point.
TreeHit hitTree(const LibTreeLayout& layout, Point at);

// What a click does to the tree: a label selects its node, an expander flips the
// node's expanded mark and clears the selection, anything else clears the
// selection. Returns the node now selected (or nullptr).
LibNode* clickTree(LibNode& root, const LibTreeLayout& layout, Point at);

// Puts the selection mark on node alone (nullptr clears it).
void selectOnly(LibNode& root, LibNode* node);

// The keyboard: Up and Down move the selection one visible row (the first row
// when none is selected), Right expands the selected node or goes to its first
// child, Left collapses it or goes to its parent. Returns the node to select.
enum class TreeKey { Up, Down, Left, Right };
LibNode* stepSelection(const LibTreeLayout& layout, LibNode* selected, TreeKey key);

// The vertical scroll range in rows: (height − client height + 5) / 18, at least 0.
int treeScrollRange(int treeHeight, int clientHeight);
// The row of a node in the layout, or −1.
int rowOf(const LibTreeLayout& layout, const LibNode* node);

} // namespace plexo
