#include "edit/libtree.h"

#include "library/libnode.h"

#include <algorithm>

namespace plexo {

namespace {

bool contains(const Rect& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

struct TreeWalk {
    const std::function<int(const LibNode&)>& nameWidth;
    LibTreeLayout& layout;

    // previous: where the vertical connector to the first child starts.
    void level(LibNode& parent, int x, int& y, int depth, Point previous, bool top) {
        for (auto& owned : parent.children) {
            LibNode& child = *owned;
            const bool hasChildren = !child.children.empty();
            if (child.kind == NodeKind::Library || child.kind == NodeKind::Folder || child.isSymbol())
                layout.connectors.push_back({{x + 1, y - 1}, {x + 10, y - 1}});
            if (!top)
                layout.connectors.push_back({previous, {x - 1, y}});
            previous = hasChildren ? Point{x - 1, y + 3} : Point{x - 1, y - 1};
            layout.rows.push_back({&child, x, y, depth, nameWidth(child), hasChildren});
            const int rowY = y;
            y += kTreeRowHeight;
            if (hasChildren && child.expanded)
                level(child, x + kTreeIndent, y, depth + 1, {x + 17, rowY + 7}, false);
        }
    }
};

void clearSelection(LibNode& node) {
    node.selected = 0;
    for (auto& child : node.children)
        clearSelection(*child);
}

} // namespace

std::string shownName(const LibNode& node) {
    const std::string& name = node.name;
    if (node.kind == NodeKind::Library && name.size() >= 4 &&
        namesEqualIgnoringCase(std::string_view(name).substr(name.size() - 4), kLibraryExtension))
        return name.substr(0, name.size() - 4);
    return name;
}

LibTreeLayout layOutTree(LibNode& root, const std::function<int(const LibNode&)>& nameWidth) {
    LibTreeLayout layout;
    int y = 10;
    TreeWalk walk{nameWidth, layout};
    walk.level(root, -5, y, 0, {0, 0}, true);
    layout.height = y;
    return layout;
}

TreeHit hitTree(const LibTreeLayout& layout, Point at) {
    for (const LibTreeRow& row : layout.rows) {
        if (contains(row.labelArea(), at))
            return {row.node, TreeHitPart::Label};
        if (row.hasChildren && contains(row.expanderArea(), at))
            return {row.node, TreeHitPart::Expander};
    }
    return {};
}

void selectOnly(LibNode& root, LibNode* node) {
    clearSelection(root);
    if (node)
        node->selected = 1;
}

LibNode* clickTree(LibNode& root, const LibTreeLayout& layout, Point at) {
    const TreeHit hit = hitTree(layout, at);
    if (hit.part == TreeHitPart::Label) {
        selectOnly(root, hit.node);
        return hit.node;
    }
    if (hit.part == TreeHitPart::Expander)
        hit.node->expanded = hit.node->expanded ? 0 : 1;
    selectOnly(root, nullptr);
    return nullptr;
}

int rowOf(const LibTreeLayout& layout, const LibNode* node) {
    for (std::size_t i = 0; i < layout.rows.size(); ++i)
        if (layout.rows[i].node == node)
            return static_cast<int>(i);
    return -1;
}

LibNode* stepSelection(const LibTreeLayout& layout, LibNode* selected, TreeKey key) {
    if (layout.rows.empty())
        return nullptr;
    const int row = rowOf(layout, selected);
    if (row < 0)
        return layout.rows.front().node;
    const int last = static_cast<int>(layout.rows.size()) - 1;
    switch (key) {
    case TreeKey::Up:
        return layout.rows[static_cast<std::size_t>(std::max(row - 1, 0))].node;
    case TreeKey::Down:
        return layout.rows[static_cast<std::size_t>(std::min(row + 1, last))].node;
    case TreeKey::Right:
        if (!selected->children.empty() && !selected->expanded)
            selected->expanded = 1;
        else if (!selected->children.empty())
            return selected->children.front().get();
        return selected;
    case TreeKey::Left:
        if (!selected->children.empty() && selected->expanded)
            selected->expanded = 0;
        else if (selected->parent && selected->parent->kind != NodeKind::Root)
            return selected->parent;
        return selected;
    }
    return selected;
}

int treeScrollRange(int treeHeight, int clientHeight) {
    return std::max(0, (treeHeight - clientHeight + 5) / kTreeRowHeight);
}

} // namespace plexo
