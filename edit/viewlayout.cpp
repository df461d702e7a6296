#include "edit/viewlayout.h"

#include <algorithm>

namespace plexo {

namespace {
constexpr int kBand = 16;
}

ViewLayout computeViewLayout(int width, int height, bool tabsShown, bool rulersShown) {
    auto rect = [](int x, int y, int w, int h) { return ChildRect{x, y, std::max(0, w), std::max(0, h)}; };
    ViewLayout layout;
    const int top = tabsShown ? kBand : 0;
    if (tabsShown)
        layout.tabStrip = rect(kTabCornerWidth, 0, width - kTabCornerWidth, kBand);
    if (rulersShown) {
        layout.horizontalRuler = rect(kBand, top, width - kBand, kBand);
        layout.verticalRuler = rect(0, top + kBand, kBand, height - top - kBand);
        layout.pane = rect(kBand, top + kBand, width - kBand, height - top - kBand);
    } else {
        layout.pane = rect(0, top, width, height - top);
    }
    return layout;
}

int cornerButtonAt(int x) {
    // The buttons sit at x 4..20 and 23..39: (x − 3) / 19 numbers them.
    if (x < 3)
        return -1;
    const int button = (x - 3) / 19;
    return button <= 1 ? button : -1;
}

} // namespace plexo
