// The library tree's rows, connectors, hit areas and keyboard moves.
#include "edit/libtree.h"

#include "library/lib.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

// Location > Appareils.dly > (Dossier > Vanne), Moteur; every name 40 pixels wide.
struct Tree {
    Tree() {
        location = lib.location;
        library = &location->attachChild(std::make_unique<LibNode>(NodeKind::Library, "Appareils.DLY", 1));
        folder = &library->attachChild(std::make_unique<LibNode>(NodeKind::Folder, "Dossier", 0));
        symbol = &library->attachChild(std::make_unique<LibNode>(NodeKind::Symbol, "Moteur", 0));
        inner = &folder->attachChild(std::make_unique<LibNode>(NodeKind::Symbol, "Vanne", 0));
    }
    LibTreeLayout layout() {
        return layOutTree(lib.root, [](const LibNode&) { return 40; });
    }

    Lib lib{"/tmp/nulle-part"};
    LibNode* location;
    LibNode* library;
    LibNode* folder;
    LibNode* symbol;
    LibNode* inner;
};

TEST(LibTree, RowsConnectorsAndHeightFollowTheExpandedNodes) {
    Tree t;
    LibTreeLayout layout = t.layout();
    // The folder is collapsed: Vanne is not shown.
    ASSERT_EQ(layout.rows.size(), 4u);
    const struct {
        LibNode* node;
        int x, y, depth;
        bool hasChildren;
    } expected[] = {{t.location, -5, 10, 0, true},
                    {t.library, 13, 28, 1, true},
                    {t.folder, 31, 46, 2, true},
                    {t.symbol, 31, 64, 2, false}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(layout.rows[i].node, expected[i].node);
        EXPECT_EQ(layout.rows[i].x, expected[i].x);
        EXPECT_EQ(layout.rows[i].y, expected[i].y);
        EXPECT_EQ(layout.rows[i].depth, expected[i].depth);
        EXPECT_EQ(layout.rows[i].hasChildren, expected[i].hasChildren);
    }
    EXPECT_EQ(layout.height, 82);
    // The library: its tick, and the line down from its parent's expander.
    ASSERT_GE(layout.connectors.size(), 3u);
    EXPECT_EQ(layout.connectors[0].from, (Point{14, 27}));
    EXPECT_EQ(layout.connectors[0].to, (Point{23, 27}));
    EXPECT_EQ(layout.connectors[1].from, (Point{12, 17}));
    EXPECT_EQ(layout.connectors[1].to, (Point{12, 28}));
    // Moteur's vertical line starts below the folder's expander (x − 1, y + 3).
    EXPECT_EQ(layout.connectors.back().from, (Point{30, 49}));
    EXPECT_EQ(layout.connectors.back().to, (Point{30, 64}));

    t.folder->expanded = 1;
    EXPECT_EQ(t.layout().rows.size(), 5u);
    EXPECT_EQ(t.layout().rows[3].node, t.inner);
    EXPECT_EQ(t.layout().rows[3].x, 49);
}

TEST(LibTree, ClicksSelectLabelsAndExpandersClearTheSelection) {
    Tree t;
    LibTreeLayout layout = t.layout();
    const LibTreeRow& symbolRow = layout.rows[3]; // x 31, y 64
    // The label starts at x + 10 and ends before x + 31 + width; y − 8 to y + 8.
    EXPECT_EQ(clickTree(t.lib.root, layout, {41, 56}), t.symbol);
    EXPECT_EQ(t.lib.selectedNode(), t.symbol);
    EXPECT_EQ(clickTree(t.lib.root, layout, {symbolRow.x + 31 + 39, 71}), t.symbol);
    EXPECT_EQ(clickTree(t.lib.root, layout, {symbolRow.x + 31 + 40, 64}), nullptr);
    EXPECT_EQ(t.lib.selectedNode(), nullptr);

    clickTree(t.lib.root, layout, {50, 64});
    // The folder's expander: x − 10 .. x + 10, y − 5 .. y + 4.
    EXPECT_EQ(hitTree(layout, {21, 41}).part, TreeHitPart::Expander);
    EXPECT_EQ(clickTree(t.lib.root, layout, {31, 44}), nullptr);
    EXPECT_EQ(t.folder->expanded, 1);
    EXPECT_EQ(t.lib.selectedNode(), nullptr);
    EXPECT_EQ(hitTree(layout, {31, 50}).part, TreeHitPart::None);
    // A symbol has no expander.
    EXPECT_EQ(hitTree(layout, {31, 64}).part, TreeHitPart::None);
}

TEST(LibTree, ShownNamesScrollRangeAndKeys) {
    Tree t;
    EXPECT_EQ(shownName(*t.library), "Appareils");
    EXPECT_EQ(shownName(*t.symbol), "Moteur");
    LibNode named(NodeKind::Folder, "Plans.dly");
    EXPECT_EQ(shownName(named), "Plans.dly");

    EXPECT_EQ(treeScrollRange(82, 100), 0);
    EXPECT_EQ(treeScrollRange(82, 40), 2);
    EXPECT_EQ(treeScrollRange(400, 40), 20);

    LibTreeLayout layout = t.layout();
    EXPECT_EQ(stepSelection(layout, nullptr, TreeKey::Down), t.location);
    EXPECT_EQ(stepSelection(layout, t.library, TreeKey::Down), t.folder);
    EXPECT_EQ(stepSelection(layout, t.symbol, TreeKey::Down), t.symbol);
    EXPECT_EQ(stepSelection(layout, t.library, TreeKey::Up), t.location);
    EXPECT_EQ(stepSelection(layout, t.folder, TreeKey::Right), t.folder);
    EXPECT_EQ(t.folder->expanded, 1);
    // The browser lays the tree out again after each key.
    layout = t.layout();
    EXPECT_EQ(stepSelection(layout, t.folder, TreeKey::Right), t.inner);
    EXPECT_EQ(stepSelection(layout, t.inner, TreeKey::Left), t.folder);
    EXPECT_EQ(stepSelection(layout, t.folder, TreeKey::Left), t.folder);
    EXPECT_EQ(t.folder->expanded, 0);
    EXPECT_EQ(stepSelection(layout, t.location, TreeKey::Left), t.location);
}

} // namespace
} // namespace plexo
