#include "midi/seqgeometry.h"

#include <algorithm>
#include <limits>

namespace plexo {
namespace {

// Rectangles stay far inside 32 bits, whatever the times; nothing past this can be on screen.
constexpr std::int64_t kCoordinateLimit = 1 << 24;

std::int32_t clampCoordinate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp(v, -kCoordinateLimit, kCoordinateLimit));
}

Rect makeRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    return {clampCoordinate(left), clampCoordinate(top), clampCoordinate(right), clampCoordinate(bottom)};
}

} // namespace

std::int64_t scaleByZoom(std::int64_t v, int level) {
    switch (level) {
    case 0:
        return v / 10;
    case 1:
        return v / 4;
    case 2:
        return v / 2;
    case 3:
        return v * 2 / 3;
    case 4:
        return v * 3 / 4;
    case 5:
        return v;
    case 6:
        return v * 125 / 100;
    case 7:
        return v * 15 / 10;
    case 8:
        return v * 2;
    default:
        return v;
    }
}

std::optional<Rect> eventRectangle(const MidiPiste& track, std::size_t index, int zoom) {
    if (index >= track.events.size())
        return std::nullopt;
    const MidiEvent& event = track.events[index];
    const std::int64_t x = scaleByZoom(event.time, zoom);
    // Taken as an unsigned number, so a negative x is past the cut-off too.
    if (x < 0 || x > kMaxDrawnX)
        return std::nullopt;
    if (event.kind == kMidiNoteOn && event.velocity() == 0)
        return std::nullopt;
    if (event.kind == kMidiNoteOn) {
        const std::int64_t top = std::int64_t{kKeySpacing} * event.key(); // not scaled
        const std::int64_t height = scaleByZoom(kNoteHeight, zoom);
        if (const MidiEvent* end = track.noteEndOf(index))
            return makeRect(x, top, x + scaleByZoom(std::int64_t{end->time} - event.time, zoom),
                            top + height);
        return makeRect(x, top, x + height, top + height);
    }
    const std::int64_t side = scaleByZoom(kEventSide, zoom);
    return makeRect(x, 0, x + side, side);
}

std::vector<DrawnEvent> trackRectangles(const MidiPiste& track, int zoom) {
    std::vector<DrawnEvent> drawn;
    for (std::size_t i = 0; i < track.events.size(); ++i) {
        // A track keeps its events in time order (the reader reads them so and the
        // writer refuses anything else): past the cut-off, so are all that follow.
        if (scaleByZoom(track.events[i].time, zoom) > kMaxDrawnX)
            break;
        if (auto rect = eventRectangle(track, i, zoom))
            drawn.push_back({i, *rect});
    }
    return drawn;
}

std::optional<std::size_t> eventAt(const MidiPiste& track, int zoom, Point p, int slop) {
    std::optional<std::size_t> inside, near;
    for (const auto& drawn : trackRectangles(track, zoom)) {
        const Rect& r = drawn.rect;
        // The right and bottom edges lie outside the rectangle.
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
            inside = drawn.index;
        else if (p.x >= r.left - slop && p.x < r.right + slop && p.y >= r.top - slop && p.y < r.bottom + slop)
            near = drawn.index;
    }
    return inside ? inside : near;
}

std::vector<TabSpan> layoutTabs(std::span<const int> labelWidths) {
    std::vector<TabSpan> tabs;
    tabs.reserve(labelWidths.size());
    int x = kFirstTabX;
    for (int width : labelWidths) {
        const int tabWidth = std::max(width, 0) + kTabPadding;
        tabs.push_back({x, tabWidth});
        x = x > std::numeric_limits<int>::max() - tabWidth ? std::numeric_limits<int>::max() : x + tabWidth;
    }
    return tabs;
}

int tabScrollRange(std::span<const TabSpan> tabs, int stripWidth) {
    std::int64_t total = kFirstTabX;
    for (const auto& tab : tabs)
        total += tab.width;
    const std::int64_t range = total - stripWidth + 5;
    return static_cast<int>(std::clamp<std::int64_t>(range, 0, std::numeric_limits<int>::max()));
}

int tabToSelect(std::span<const TabSpan> tabs, int x, int scrollPosition, int currentTab) {
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const std::int64_t start = std::int64_t{tabs[i].start} - scrollPosition;
        const std::int64_t end = start + tabs[i].width;
        if (x >= start && x <= end && static_cast<int>(i) != currentTab)
            return static_cast<int>(i);
    }
    return -1;
}

int zoomAfterCommand(int command, int currentLevel) {
    const int code = (command + 8) % 256;
    int level = code;
    if (code == 9)
        level = currentLevel + 1;
    else if (code == 10)
        level = currentLevel - 1;
    // A result with its top bit set, taken as a byte, is a step below 0.
    if (static_cast<std::uint8_t>(level) & 0x80 || level < 0)
        return 0;
    return std::min(level, kZoomLevelCount - 1);
}

} // namespace plexo
