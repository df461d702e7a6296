// The pane's view of a folio, without a window: the zoom level, the scroll
// position in scroll units, the scroll units and ranges, and the conversions
// between window pixels and document units. The schéma pane keeps one and asks
// it everything that depends on where the folio is shown; the tests drive it
// directly.
#pragma once

#include "shapes/point.h"

#include <cstdint>

namespace plexo {

// What the scroll ranges are computed from.
struct ViewportLayout {
    Rect folioExtent;                    // pages across and down times the page size
    std::int32_t horizontalGrid = 28346; // main grid steps: one scroll unit each
    std::int32_t verticalGrid = 28346;
    std::int32_t secondaryGrid = 2834; // the margin after the folio's extent
    bool rulersShown = true;
    bool tabsShown = true;
};

// The grid lines to draw: steps already doubled while lines would be too close.
struct GridSteps {
    std::int32_t horizontal = 0;
    std::int32_t vertical = 0;
};

// Pixels a ruler band or the tab strip takes beside the pane.
constexpr int kBandPixels = 16;
// Pixels that a repainted document area grows by on each side.
constexpr int kRepaintMargin = 4;
// Document units added on each side of the visible region.
constexpr std::int32_t kVisibleMargin = 10;

class Viewport {
public:
    int zoom() const { return zoom_; }
    // Takes the level clamped to 0..8; true when it changed (the ranges are recomputed).
    bool setZoom(int level);

    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    void setClientSize(int width, int height);

    const ViewportLayout& layout() const { return layout_; }
    void setLayout(const ViewportLayout& layout);

    // Scroll units in pixels (a main grid step at 100 %, at least 1) and ranges in units.
    int unitX() const { return unitX_; }
    int unitY() const { return unitY_; }
    int rangeX() const { return rangeX_; }
    int rangeY() const { return rangeY_; }
    int positionX() const { return positionX_; }
    int positionY() const { return positionY_; }
    // The scroll origin in pixels (position × unit).
    int originX() const { return positionX_ * unitX_; }
    int originY() const { return positionY_ * unitY_; }
    // Moves to (x, y) in scroll units, clamped to the ranges; true when it moved.
    bool scrollTo(int x, int y);
    bool scrollBy(int dx, int dy) { return scrollTo(positionX_ + dx, positionY_ + dy); }

    // A window pixel of the pane to document units (no snapping, no clamping).
    Point toDocument(int x, int y) const;
    // A document point to a window pixel of the pane.
    Point toWindow(Point p) const;
    // A document area to the pane's pixels, grown by kRepaintMargin on each side.
    Rect repaintRect(const Rect& area) const;
    // The document region shown, widened by kVisibleMargin and limited to the folio.
    Rect visibleRegion() const;
    // Scrolls so that the document point lies in the middle of the pane.
    bool centreOn(Point p);

    // Keyboard scrolling: Home, Page Up and Down (half the pane's width in
    // vertical units), the arrows (one unit). True when the position changed.
    bool home() { return scrollTo(0, 0); }
    bool pageUp() { return scrollBy(0, -pageStep()); }
    bool pageDown() { return scrollBy(0, pageStep()); }

    // The main grid steps doubled (at most three times) while a step would be
    // drawn closer than 4 pixels.
    GridSteps gridSteps() const;

private:
    int zoom_ = 5;
    int clientWidth_ = 0, clientHeight_ = 0;
    ViewportLayout layout_;
    int unitX_ = 1, unitY_ = 1;
    int rangeX_ = 0, rangeY_ = 0;
    int positionX_ = 0, positionY_ = 0;

    void computeRanges();
    int pageStep() const;
};

// The level a zoom command gives: 760..768 choose levels 0..8, 769 one level
// up, 770 one level down, clamped to 0..8; current for any other command.
int zoomLevelForCommand(int command, int current);

// A pointer's document point made ready for a tool: snapped to the secondary
// grid when snap is set (in the working unit), then clamped to 0 and the folio's extent.
Point snapAndClamp(Point p, const Rect& folioExtent, std::int32_t secondaryGrid, bool unitIsMm, bool snap);

} // namespace plexo
