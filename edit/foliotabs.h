// The folio tab strip's geometry and painting: one tab per folio, labelled with
// the folio's number, laid out left to right from x = 5, each as wide as its
// label plus 10 pixels. The tabs are recomputed from the folio list whenever
// they are needed; only the strip's scroll position is kept by its window.
#pragma once

#include "edit/bandcolours.h"
#include "shapes/surface.h"

#include <string>
#include <vector>

namespace plexo {

struct FolioTab {
    std::string label; // Windows-1252
    int start = 0;     // pixels, before scrolling
    int width = 0;
};

// The strip's height in pixels.
constexpr int kTabStripHeight = 16;

// The tabs for these labels, measured with the surface's current font.
std::vector<FolioTab> layoutTabs(const std::vector<std::string>& labels, Surface& measure);
// How far the strip scrolls: 5 + the tabs' widths − the strip's width + 5, at least 0.
int tabScrollRange(const std::vector<FolioTab>& tabs, int stripWidth);
// The index of the tab under x (strip pixels) at the scroll position, or -1.
int tabAt(const std::vector<FolioTab>& tabs, int x, int scroll);
// Paints the strip: the band, every tab but the current one, then the current
// tab raised by one pixel over its neighbours. font: the view's small font.
void drawTabs(Surface& surface, const std::vector<FolioTab>& tabs, int current, int scroll, int stripWidth,
              const BandColours& colours, const Font& font);

} // namespace plexo
