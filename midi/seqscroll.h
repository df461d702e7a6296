// The séquence pane's scrolling, in pixels of the drawing: its size at a zoom
// level, the scroll bars' ranges and steps, pixels back to ticks, and the
// positions that keep the view on the music when the zoom or the track changes.
#pragma once

#include "midi/midipiste.h"

#include <cstdint>

namespace plexo {

inline constexpr int kKeyCount = 128;
inline constexpr int kRightMargin = 40;    // pixels left free after the end of a track
inline constexpr int kHorizontalStep = 20; // pixels of an arrow press or a scroll-bar arrow
inline constexpr int kMiddleC = 60;        // where a track without notes is shown

// The time after which nothing of the track is drawn: its length, or its last
// event or note end when one lies later (a track without an end of track).
std::int64_t trackEnd(const MidiPiste& track);

// The drawing's width at zoom: the track's end scaled, plus kRightMargin.
std::int64_t contentWidth(const MidiPiste& track, int zoom);
// The 128 keys, 10 pixels apart whatever the zoom, the last one's bar included.
std::int64_t contentHeight(int zoom);

// A scroll bar's range (from 0) and steps over content pixels seen through a
// viewport; the range stays within an int.
struct ScrollAxis {
    int maximum = 0;
    int pageStep = 0;
    int singleStep = 0;
    friend bool operator==(const ScrollAxis&, const ScrollAxis&) = default;
};
ScrollAxis scrollAxis(std::int64_t content, int viewportSize, int singleStep);

// The time drawn at pixel x at zoom: the smallest time whose scaled value reaches x.
std::int64_t timeAtX(std::int64_t x, int zoom);

// The horizontal position, within 0..maximum, that puts time at the middle of a
// viewport width pixels wide: a zoom keeps the time under the view's centre.
int scrollToCentre(std::int64_t time, int zoom, int viewportWidth, int maximum);

// The vertical position, within 0..maximum, that centres the track's notes (the
// middle of their lowest and highest keys), middle C when it has none.
int scrollToNotes(const MidiPiste& track, int viewportHeight, int maximum);

// Whether the play cursor at x (content pixels) is outside the visible span
// [position, position + viewportWidth); then the position that shows it a
// little after the left edge, so that playing turns pages rather than creeping.
bool cursorNeedsScroll(std::int64_t x, int position, int viewportWidth);
int scrollToCursor(std::int64_t x, int viewportWidth, int maximum);

} // namespace plexo
