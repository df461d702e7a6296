// The séquence view's geometry in pixels, kept apart from the widgets so that
// it can be checked without painting: the event rectangles and note bars of a
// track at a zoom level, the tab strip's layout and clicks, the zoom commands.
#pragma once

#include "midi/midipiste.h"
#include "shapes/point.h"

#include <optional>
#include <span>
#include <vector>

namespace plexo {

inline constexpr int kZoomLevelCount = 9;         // 10 %, 25 %, 50 %, 66 %, 75 %, 100 %, 125 %, 150 %, 200 %
inline constexpr int kDefaultZoom = 5;            // 100 %
inline constexpr std::int64_t kMaxDrawnX = 31999; // events further right are not drawn
inline constexpr int kKeySpacing = 10;            // unscaled pixels between two keys
inline constexpr int kNoteHeight = 9;             // before scaling; also the side of an unended note
inline constexpr int kEventSide = 2;              // before scaling: the square of any other event

// v scaled by the zoom factor alone (level 0: v / 10 ... 8: v × 2), truncating
// toward zero; any other level leaves v as it is.
std::int64_t scaleByZoom(std::int64_t v, int level);

// The rectangle drawn for event index of track at zoom, or nothing when the
// event is not drawn (a note-on of velocity 0, or past the 31999-pixel cut-off).
// A rectangle is left, top, right, bottom; its right and bottom edges are outside.
std::optional<Rect> eventRectangle(const MidiPiste& track, std::size_t index, int zoom);

struct DrawnEvent {
    std::size_t index;
    Rect rect;
};
// Every drawn event of the track, in event order; the events are taken to be in
// time order, so that the walk stops at the cut-off.
std::vector<DrawnEvent> trackRectangles(const MidiPiste& track, int zoom);

// The event drawn at p, the one drawn last where several overlap; failing one,
// the last drawn within slop pixels of p, so that the small squares can be pointed at.
std::optional<std::size_t> eventAt(const MidiPiste& track, int zoom, Point p, int slop = 2);

// Tab strip: tabs laid out from x = 5, each its label width + 10 pixels wide.
inline constexpr int kFirstTabX = 5;
inline constexpr int kTabPadding = 10;
struct TabSpan {
    int start = 0;
    int width = 0;
    friend bool operator==(const TabSpan&, const TabSpan&) = default;
};
std::vector<TabSpan> layoutTabs(std::span<const int> labelWidths);
// (5 + the sum of the widths) − strip width + 5, at least 0.
int tabScrollRange(std::span<const TabSpan> tabs, int stripWidth);
// The tab a left press at x makes current: the first whose span (shifted by the
// scroll position, both ends included) contains x and which is not current; -1
// when the press changes nothing.
int tabToSelect(std::span<const TabSpan> tabs, int x, int scrollPosition, int currentTab);

// The zoom level after command 760..770 (760..768: levels 0..8, 769: one up,
// 770: one down), clamped to 0..8.
int zoomAfterCommand(int command, int currentLevel);

} // namespace plexo
