#include "midi/seqscroll.h"

#include "midi/seqgeometry.h"

#include <algorithm>
#include <limits>

namespace plexo {
namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();

int clampPosition(std::int64_t position, int maximum) {
    return static_cast<int>(std::clamp<std::int64_t>(position, 0, std::max(maximum, 0)));
}

} // namespace

std::int64_t trackEnd(const MidiPiste& track) {
    std::int64_t end = track.trackLength();
    for (std::size_t i = 0; i < track.events.size(); ++i) {
        end = std::max<std::int64_t>(end, track.events[i].time);
        if (const MidiEvent* noteEnd = track.noteEndOf(i))
            end = std::max<std::int64_t>(end, noteEnd->time);
    }
    return end;
}

std::int64_t contentWidth(const MidiPiste& track, int zoom) {
    return scaleByZoom(trackEnd(track), zoom) + kRightMargin;
}

std::int64_t contentHeight(int zoom) {
    return std::int64_t{kKeySpacing} * (kKeyCount - 1) +
           std::max<std::int64_t>(kKeySpacing, scaleByZoom(kNoteHeight, zoom));
}

ScrollAxis scrollAxis(std::int64_t content, int viewportSize, int singleStep) {
    const int page = std::max(viewportSize, 1);
    const std::int64_t maximum = std::clamp<std::int64_t>(content - viewportSize, 0, kIntMax / 2);
    return {static_cast<int>(maximum), page, singleStep};
}

std::int64_t timeAtX(std::int64_t x, int zoom) {
    // The inverse of each scaling, rounded up so that scaling the result gives x back.
    auto up = [](std::int64_t a, std::int64_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); };
    switch (zoom) {
    case 0:
        return x * 10;
    case 1:
        return x * 4;
    case 2:
        return x * 2;
    case 3:
        return up(x * 3, 2);
    case 4:
        return up(x * 4, 3);
    case 6:
        return up(x * 100, 125);
    case 7:
        return up(x * 10, 15);
    case 8:
        return up(x, 2);
    default:
        return x;
    }
}

int scrollToCentre(std::int64_t time, int zoom, int viewportWidth, int maximum) {
    return clampPosition(scaleByZoom(time, zoom) - viewportWidth / 2, maximum);
}

int scrollToNotes(const MidiPiste& track, int viewportHeight, int maximum) {
    int lowest = kKeyCount, highest = -1;
    for (const auto& event : track.events)
        if (event.startsNote()) {
            lowest = std::min<int>(lowest, event.key());
            highest = std::max<int>(highest, event.key());
        }
    const std::int64_t middle = highest < 0 ? std::int64_t{kKeySpacing} * kMiddleC
                                            : std::int64_t{kKeySpacing} * (lowest + highest + 1) / 2;
    return clampPosition(middle - viewportHeight / 2, maximum);
}

bool cursorNeedsScroll(std::int64_t x, int position, int viewportWidth) {
    return x < position || x >= std::int64_t{position} + viewportWidth;
}

int scrollToCursor(std::int64_t x, int viewportWidth, int maximum) {
    return clampPosition(x - viewportWidth / 8, maximum);
}

} // namespace plexo
