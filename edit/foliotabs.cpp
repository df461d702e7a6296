#include "edit/foliotabs.h"

#include <algorithm>

namespace plexo {

namespace {

constexpr int kFirstTab = 5;
constexpr int kLabelPadding = 10;

void drawTab(Surface& surface, const FolioTab& tab, int scroll, bool current, const BandColours& colours) {
    const int raise = current ? 1 : 0;
    const int left = tab.start - scroll;
    const int right = left + tab.width;
    const int top = 1 - raise;
    const int bottom = kTabStripHeight - 1;
    surface.setPen(Pen::null());
    surface.setBrush(Brush::solid(colours.face));
    surface.rectangle({left, top, right + 1, bottom + (current ? 1 : 0)});
    // Slanted sides: highlight on the left and top, shadow then text on the right.
    surface.setPen(Pen::solid(colours.highlight));
    surface.moveTo(left, bottom);
    surface.lineTo(left + 2, top);
    surface.lineTo(right - 2, top);
    surface.setPen(Pen::solid(colours.shadow));
    surface.moveTo(right - 3, top + 1);
    surface.lineTo(right - 1, bottom);
    surface.setPen(Pen::solid(colours.text));
    surface.moveTo(right - 2, top);
    surface.lineTo(right, bottom);
    const Extent extent = surface.textExtent(tab.label);
    surface.textOut(left + (tab.width - extent.width) / 2, 5 - raise, tab.label);
}

} // namespace

std::vector<FolioTab> layoutTabs(const std::vector<std::string>& labels, Surface& measure) {
    std::vector<FolioTab> tabs;
    tabs.reserve(labels.size());
    int x = kFirstTab;
    for (const std::string& label : labels) {
        const int width = measure.textExtent(label).width + kLabelPadding;
        tabs.push_back({label, x, width});
        x += width;
    }
    return tabs;
}

int tabScrollRange(const std::vector<FolioTab>& tabs, int stripWidth) {
    int end = kFirstTab;
    for (const FolioTab& tab : tabs)
        end += tab.width;
    return std::max(0, end - stripWidth + kFirstTab);
}

int tabAt(const std::vector<FolioTab>& tabs, int x, int scroll) {
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const int start = tabs[i].start - scroll;
        if (x >= start && x <= start + tabs[i].width)
            return static_cast<int>(i);
    }
    return -1;
}

void drawTabs(Surface& surface, const std::vector<FolioTab>& tabs, int current, int scroll, int stripWidth,
              const BandColours& colours, const Font& font) {
    SurfaceSaver saver(surface);
    surface.setPen(Pen::null());
    surface.setBrush(Brush::solid(colours.face));
    surface.rectangle({0, 0, stripWidth + 1, kTabStripHeight + 1});
    surface.setPen(Pen::solid(colours.text));
    surface.moveTo(0, kTabStripHeight - 1);
    surface.lineTo(stripWidth, kTabStripHeight - 1);
    surface.setFont(font);
    surface.setTextColour(colours.text);
    surface.setBackgroundMode(BackgroundMode::Transparent);
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (static_cast<int>(i) != current)
            drawTab(surface, tabs[i], scroll, false, colours);
    }
    if (current >= 0 && current < static_cast<int>(tabs.size()))
        drawTab(surface, tabs[static_cast<std::size_t>(current)], scroll, true, colours);
}

} // namespace plexo
