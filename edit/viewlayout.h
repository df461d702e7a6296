// Where the schéma view puts its children: the tab strip, the two rulers and
// the pane, in 16-pixel bands, for the four combinations of tab strip and
// rulers shown. A hidden child gets an empty rectangle.
#pragma once

namespace plexo {

struct ChildRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const ChildRect&, const ChildRect&) = default;
};

struct ViewLayout {
    ChildRect tabStrip;
    ChildRect horizontalRuler;
    ChildRect verticalRuler;
    ChildRect pane;
};

// Width of the corner left of the tab strip, with its two arrow buttons.
constexpr int kTabCornerWidth = 48;

ViewLayout computeViewLayout(int width, int height, bool tabsShown, bool rulersShown);

// The corner's arrow button under x in the top band: 0 scrolls the tabs by
// +100 pixels, 1 by −100; -1 when x is on neither.
int cornerButtonAt(int x);
constexpr int kCornerScrollStep = 100;

} // namespace plexo
