#include "edit/viewport.h"

#include "shapes/geometry.h"
#include "shapes/units.h"

#include <algorithm>
#include <limits>

namespace plexo {

namespace {

constexpr int kMinimumGridPixels = 4;
constexpr int kMaxGridDoublings = 3;
constexpr int kZoomCommandFirst = 760;
constexpr int kZoomCommandLast = 770;

// A scroll unit: the grid step in pixels at 100 %, at least 1.
int unitOf(std::int32_t step) {
    return std::max(1, step / kUnitsPerPoint);
}

std::int32_t saturated(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

bool Viewport::setZoom(int level) {
    level = std::clamp(level, 0, kZoomLevelCount - 1);
    if (level == zoom_)
        return false;
    zoom_ = level;
    computeRanges();
    return true;
}

void Viewport::setClientSize(int width, int height) {
    clientWidth_ = std::max(0, width);
    clientHeight_ = std::max(0, height);
    computeRanges();
}

void Viewport::setLayout(const ViewportLayout& layout) {
    layout_ = layout;
    computeRanges();
}

void Viewport::computeRanges() {
    unitX_ = unitOf(layout_.horizontalGrid);
    unitY_ = unitOf(layout_.verticalGrid);
    const std::int64_t width =
        toPixels(saturated(std::int64_t{layout_.folioExtent.right} + layout_.secondaryGrid), zoom_);
    const std::int64_t height =
        toPixels(saturated(std::int64_t{layout_.folioExtent.bottom} + layout_.secondaryGrid), zoom_);
    const std::int64_t across = width - clientWidth_ + 26 - (layout_.rulersShown ? 0 : kBandPixels);
    const std::int64_t down = height - clientHeight_ + 10 + (layout_.tabsShown ? kBandPixels : 0) +
                              (layout_.rulersShown ? kBandPixels : 0);
    rangeX_ = static_cast<int>(std::max<std::int64_t>(0, across / unitX_));
    rangeY_ = static_cast<int>(std::max<std::int64_t>(0, down / unitY_));
    positionX_ = std::clamp(positionX_, 0, rangeX_);
    positionY_ = std::clamp(positionY_, 0, rangeY_);
}

bool Viewport::scrollTo(int x, int y) {
    x = std::clamp(x, 0, rangeX_);
    y = std::clamp(y, 0, rangeY_);
    if (x == positionX_ && y == positionY_)
        return false;
    positionX_ = x;
    positionY_ = y;
    return true;
}

Point Viewport::toDocument(int x, int y) const {
    return {fromPixels(saturated(std::int64_t{x} + originX()), zoom_),
            fromPixels(saturated(std::int64_t{y} + originY()), zoom_)};
}

Point Viewport::toWindow(Point p) const {
    return {toPixels(p.x, zoom_) - originX(), toPixels(p.y, zoom_) - originY()};
}

Rect Viewport::repaintRect(const Rect& area) const {
    const Point topLeft = toWindow({area.left, area.top});
    const Point bottomRight = toWindow({area.right, area.bottom});
    return {topLeft.x - kRepaintMargin, topLeft.y - kRepaintMargin, bottomRight.x + kRepaintMargin,
            bottomRight.y + kRepaintMargin};
}

Rect Viewport::visibleRegion() const {
    const Point topLeft = toDocument(0, 0);
    const Point bottomRight = toDocument(clientWidth_, clientHeight_);
    Rect region{saturated(std::int64_t{topLeft.x} - kVisibleMargin),
                saturated(std::int64_t{topLeft.y} - kVisibleMargin),
                saturated(std::int64_t{bottomRight.x} + kVisibleMargin),
                saturated(std::int64_t{bottomRight.y} + kVisibleMargin)};
    region.right = std::min(region.right, layout_.folioExtent.right);
    region.bottom = std::min(region.bottom, layout_.folioExtent.bottom);
    return region;
}

bool Viewport::centreOn(Point p) {
    const int x = (toPixels(p.x, zoom_) - clientWidth_ / 2) / unitX_;
    const int y = (toPixels(p.y, zoom_) - clientHeight_ / 2) / unitY_;
    return scrollTo(x, y);
}

int Viewport::pageStep() const {
    return std::max(1, clientWidth_ / 2 / unitY_);
}

GridSteps Viewport::gridSteps() const {
    auto doubled = [this](std::int32_t step) {
        for (int i = 0; i < kMaxGridDoublings && step > 0 && toPixels(step, zoom_) < kMinimumGridPixels; ++i)
            step = saturated(std::int64_t{step} * 2);
        return step;
    };
    return {doubled(layout_.horizontalGrid), doubled(layout_.verticalGrid)};
}

int zoomLevelForCommand(int command, int current) {
    if (command < kZoomCommandFirst || command > kZoomCommandLast)
        return current;
    const int code = (command + 8) % 256;
    int level = code;
    if (code == kZoomLevelCount)
        level = current + 1;
    else if (code == kZoomLevelCount + 1)
        level = current - 1;
    return std::clamp(level, 0, kZoomLevelCount - 1);
}

Point snapAndClamp(Point p, const Rect& folioExtent, std::int32_t secondaryGrid, bool unitIsMm, bool snap) {
    if (snap) {
        p.x = snapValue(p.x, secondaryGrid, unitIsMm);
        p.y = snapValue(p.y, secondaryGrid, unitIsMm);
    }
    p.x = std::clamp(p.x, 0, std::max(0, folioExtent.right));
    p.y = std::clamp(p.y, 0, std::max(0, folioExtent.bottom));
    return p;
}

} // namespace plexo
