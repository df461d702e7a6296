// Hit test, moves, reshaping, turns, mirrors, stretch, grid snapping and the
// title block's placement of drawing objects.
#include "shapes/geometry.h"

#include "shapes/shape.h"
#include "shapes/units.h"
#include "shapes/wires.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plexo {

namespace {

// The pre-test margin of the hit test: at least the widest tolerance of the
// handle and side tests.
constexpr std::int32_t kHitMargin = 2 * kHandleTolerance;

std::int32_t saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

void shift(std::int32_t& v, std::int32_t d) {
    v = saturate(std::int64_t{v} + d);
}

// A floating value truncated toward zero and kept inside 32 bits.
std::int32_t truncated(double v) {
    return static_cast<std::int32_t>(
        std::clamp(std::trunc(v), static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
}

Rect widen(const Rect& r, std::int32_t d) {
    return {saturate(std::int64_t{r.left} - d), saturate(std::int64_t{r.top} - d),
            saturate(std::int64_t{r.right} + d), saturate(std::int64_t{r.bottom} + d)};
}

bool isBoxKind(int kind) {
    return Shape::keepsNormalisedCorners(kind);
}

bool nearPoint(Point a, Point p, std::int32_t d) {
    return std::llabs(static_cast<std::int64_t>(a.x) - p.x) <= d &&
           std::llabs(static_cast<std::int64_t>(a.y) - p.y) <= d;
}

Point midpoint(Point a, Point b) {
    return {static_cast<std::int32_t>((static_cast<std::int64_t>(a.x) + b.x) / 2),
            static_cast<std::int32_t>((static_cast<std::int64_t>(a.y) + b.y) / 2)};
}

Rect boxOf(const Shape& shape) {
    if (shape.points.size() < 2)
        return shape.points.empty()
                   ? Rect{}
                   : Rect{shape.points[0].x, shape.points[0].y, shape.points[0].x, shape.points[0].y};
    const Point a = shape.points[0], b = shape.points[1];
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

std::vector<Point> boxHandles(const Rect& r) {
    const Point c = centreOf(r);
    return {{r.left, r.top},     {c.x, r.top},    {r.right, r.top},   {r.right, c.y},
            {r.right, r.bottom}, {c.x, r.bottom}, {r.left, r.bottom}, {r.left, c.y}};
}

// The polyline through which a Bézier curve or a cable is tested: its quadratic
// pieces sampled every 0.05.
std::vector<Point> curvePolyline(const std::vector<Point>& p) {
    const std::size_t n = p.size();
    if (n <= 2)
        return p;
    std::vector<Point> line;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const Point start = i >= 2 ? midpoint(p[i - 1], p[i]) : p[i - 1];
        const Point end = i + 3 <= n ? midpoint(p[i], p[i + 1]) : p[i + 1];
        const Point c = p[i];
        line.push_back(start);
        for (int k = 1; k < 20; ++k) {
            const double t = k * 0.05;
            const double u = 1.0 - t;
            line.push_back({static_cast<std::int32_t>(u * u * start.x + 2 * u * t * c.x + t * t * end.x),
                            static_cast<std::int32_t>(u * u * start.y + 2 * u * t * c.y + t * t * end.y)});
        }
        line.push_back(end);
    }
    return line;
}

bool hitsPolyline(const std::vector<Point>& points, Point p, bool closed) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (hitsSegment(points[i - 1], points[i], p))
            return true;
    }
    if (closed && points.size() > 2 && hitsSegment(points.back(), points.front(), p))
        return true;
    return points.size() == 1 && hitsSegment(points[0], points[0], p);
}

bool nearBoxSide(const Rect& r, Point p) {
    const std::int32_t d = kHandleTolerance;
    const Rect band = widen(r, d);
    const bool withinX = p.x >= band.left && p.x <= band.right;
    const bool withinY = p.y >= band.top && p.y <= band.bottom;
    auto apart = [](std::int32_t a, std::int32_t b) { return std::llabs(std::int64_t{a} - b); };
    return (withinX && (apart(p.y, r.top) <= d || apart(p.y, r.bottom) <= d)) ||
           (withinY && (apart(p.x, r.left) <= d || apart(p.x, r.right) <= d));
}

bool isFilled(const Shape& shape) {
    return shape.style.isUsable(kFillColour) && shape.style.fillColour != kNoColour;
}

// 64-bit arithmetic, saturated: points read from a file may lie anywhere.
void turnPoint(Point& q, std::int64_t cx, std::int64_t cy, int degrees) {
    const std::int64_t x = q.x, y = q.y;
    switch (degrees) {
    case 90:
        q = {saturate(cx + (y - cy)), saturate(cy - (x - cx))};
        break;
    case 180:
        q = {saturate(2 * cx - x), saturate(2 * cy - y)};
        break;
    case 270:
    case -90:
        q = {saturate(cx - (y - cy)), saturate(cy + (x - cx))};
        break;
    default:
        break;
    }
}

bool keepsItsOrientation(int kind) {
    return kind == kChordGrid || kind == kTablature || kind == kCalendar;
}

// Kinds whose size the reshaping keeps above the click size.
bool mustStayLargeEnough(int kind) {
    switch (kind) {
    case kTextZone:
    case kTerminal:
    case kSymbol:
    case kSymbolText:
    case kMidiShortcut:
    case kSequence:
        return false;
    default:
        return true;
    }
}

void moveSymbolHandle(Shape& shape, std::int32_t dx, std::int32_t dy, int handle) {
    std::int64_t ex = shape.epx, ey = shape.epy;
    switch (handle) {
    case -1:
        ex -= dx;
        ey -= dy;
        break;
    case -2:
        ey -= dy;
        break;
    case -3:
        ex += dx;
        ey -= dy;
        break;
    case -4:
        ex += dx;
        break;
    case -5:
        ex += dx;
        ey += dy;
        break;
    case -6:
        ey += dy;
        break;
    case -7:
        ex -= dx;
        ey += dy;
        break;
    case -8:
        ex -= dx;
        break;
    default:
        break;
    }
    shape.epx = saturate(std::max<std::int64_t>(ex, 0));
    shape.epy = saturate(std::max<std::int64_t>(ey, 0));
}

void moveBoxHandle(Shape& shape, std::int32_t dx, std::int32_t dy, int handle) {
    if (shape.points.size() < 2)
        return;
    shape.normaliseCorners();
    Point& a = shape.points[0];
    Point& b = shape.points[1];
    switch (handle) {
    case 1:
        shift(a.x, dx);
        shift(a.y, dy);
        break;
    case 2:
        shift(a.y, dy);
        break;
    case 3:
        shift(b.x, dx);
        shift(a.y, dy);
        break;
    case 4:
        shift(b.x, dx);
        break;
    case 5:
        shift(b.x, dx);
        shift(b.y, dy);
        break;
    case 6:
        shift(b.y, dy);
        break;
    case 7:
        shift(a.x, dx);
        shift(b.y, dy);
        break;
    case 8:
        shift(a.x, dx);
        break;
    default:
        break;
    }
    shape.normaliseCorners();
}

void moveHalfOvalHandle(Shape& shape, std::int32_t dx, std::int32_t dy, int handle) {
    if (shape.points.size() < 2)
        return;
    Point& a = shape.points[0];
    Point& b = shape.points[1];
    const bool horizontal = shape.kind == kHalfOvalH;
    switch (handle) {
    case 1:
        shift(a.x, dx);
        shift(a.y, dy);
        break;
    case 2: // end of the flat side: (x2, y1) or (x1, y2)
        if (horizontal) {
            shift(b.x, dx);
            shift(a.y, dy);
        } else {
            shift(a.x, dx);
            shift(b.y, dy);
        }
        break;
    case 3: // apex: (mid x, y2) or (x2, mid y)
        if (horizontal)
            shift(b.y, dy);
        else
            shift(b.x, dx);
        break;
    default:
        break;
    }
}

// A control wire's segment handle: the segment moves across, onto the grid.
void moveWireSegment(Shape& wire, std::int32_t dx, std::int32_t dy, int handle) {
    const std::size_t i = static_cast<std::size_t>(handle - 1); // the segment's end point index
    if (i < 1 || i >= wire.points.size())
        return;
    Point& a = wire.points[i - 1];
    Point& b = wire.points[i];
    const GridSettings grid = gridSettingsOf(wire);
    std::int32_t mx = 0, my = 0;
    if (std::llabs(std::int64_t{a.y} - b.y) <= kWireTolerance && a.x != b.x) {
        const std::int32_t y = snapValue(saturate(std::int64_t{a.y} + dy), grid.secondary, grid.unitIsMm);
        my = saturate(std::int64_t{y} - a.y);
        a.y = y;
        b.y = y;
    } else {
        const std::int32_t x = snapValue(saturate(std::int64_t{a.x} + dx), grid.secondary, grid.unitIsMm);
        mx = saturate(std::int64_t{x} - a.x);
        a.x = x;
        b.x = x;
    }
    if (wire.folio && (mx != 0 || my != 0))
        followWireSegment(*wire.folio, mx, my, wire, static_cast<int>(i));
}

} // namespace

bool hitsSegment(Point a, Point b, Point p) {
    auto dist = [](Point u, Point v) {
        const double dx = static_cast<double>(u.x) - v.x;
        const double dy = static_cast<double>(u.y) - v.y;
        return std::sqrt(dx * dx + dy * dy);
    };
    return dist(a, b) + kSegmentSlack > dist(p, a) + dist(p, b);
}

std::vector<Point> handlePoints(const Shape& shape) {
    if (isBoxKind(shape.kind))
        return boxHandles(boxOf(shape));
    switch (shape.kind) {
    case kHalfOvalH:
    case kHalfOvalV: {
        if (shape.points.size() < 2)
            return shape.points;
        const Point a = shape.points[0], b = shape.points[1];
        if (shape.kind == kHalfOvalH)
            return {a, {b.x, a.y}, {midpoint(a, b).x, b.y}};
        return {a, {a.x, b.y}, {b.x, midpoint(a, b).y}};
    }
    case kSymbol:
        return boxHandles(shape.outline);
    case kWire: {
        std::vector<Point> handles;
        if (shape.points.empty())
            return handles;
        handles.push_back(shape.points.front());
        for (std::size_t i = 1; i < shape.points.size(); ++i)
            handles.push_back(midpoint(shape.points[i - 1], shape.points[i]));
        handles.push_back(shape.points.back());
        return handles;
    }
    case kChordGrid:
    case kTablature: {
        const Rect r = boxOf(shape);
        return {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    }
    default:
        return shape.points;
    }
}

namespace {

bool touches(const Shape& shape, Point p, int& handle) {
    handle = 0;
    if (!widen(shape.outline, kHitMargin).contains(p))
        return false;
    switch (shape.kind) {
    case kTextZone:
    case kTerminal:
    case kSymbolText:
    case kChordGrid:
    case kTablature:
    case kMidiShortcut:
    case kSequence:
        return shape.outline.contains(p);
    default:
        break;
    }
    const std::vector<Point> handles = handlePoints(shape);
    for (std::size_t k = 0; k < handles.size(); ++k) {
        if (nearPoint(handles[k], p, kHandleTolerance)) {
            handle = shape.kind == kSymbol ? -static_cast<int>(k + 1) : static_cast<int>(k + 1);
            return true;
        }
    }
    if (isBoxKind(shape.kind)) {
        const Rect box = boxOf(shape);
        if (nearBoxSide(box, p))
            return true;
        const bool solid = isFilled(shape) || shape.kind == kText || shape.kind == kDibPicture ||
                           shape.kind == kMetafilePicture || shape.kind == kBitmapPicture ||
                           shape.kind == kCalendar;
        return solid && widen(box, kHandleTolerance).contains(p);
    }
    switch (shape.kind) {
    case kHalfOvalH:
    case kHalfOvalV:
        return widen(boxOf(shape), kHandleTolerance).contains(p);
    case kSymbol:
        return shape.outline.contains(p);
    case kBezier:
    case kCable:
        return hitsPolyline(curvePolyline(shape.points), p, false);
    case kPolygon:
        return hitsPolyline(shape.points, p, true);
    default:
        return hitsPolyline(shape.points, p, false);
    }
}

const Shape* terminalAt(const Shape& instance, Point p) {
    if (instance.kind != kSymbol || !instance.infoSymbole)
        return nullptr;
    for (const Etiquette& label : instance.infoSymbole->labels) {
        const Shape* t = label.shape.get();
        if (t && t->kind == kTerminal && !t->points.empty() &&
            nearPoint(placedPoint(*t, instance), p, kHandleTolerance))
            return t;
    }
    return nullptr;
}

} // namespace

HitResult hit(const Shape& shape, Point p, const RenderContext& context) {
    HitResult result;
    if (!touches(shape, p, result.handle))
        return {};
    result.object = &shape;
    if (context.showTerminals)
        result.terminal = terminalAt(shape, p);
    return result;
}

void move(Shape& shape, std::int32_t dx, std::int32_t dy) {
    for (Point& q : shape.points) {
        q.x = saturate(std::int64_t{q.x} + dx);
        q.y = saturate(std::int64_t{q.y} + dy);
    }
    Rect& o = shape.outline;
    o = {saturate(std::int64_t{o.left} + dx), saturate(std::int64_t{o.top} + dy),
         saturate(std::int64_t{o.right} + dx), saturate(std::int64_t{o.bottom} + dy)};
}

void moveHandle(Shape& shape, std::int32_t dx, std::int32_t dy, int handle) {
    if (shape.kind == kSymbol) {
        moveSymbolHandle(shape, dx, dy, handle);
    } else if (isBoxKind(shape.kind)) {
        moveBoxHandle(shape, dx, dy, handle);
    } else if (shape.kind == kHalfOvalH || shape.kind == kHalfOvalV) {
        moveHalfOvalHandle(shape, dx, dy, handle);
    } else if (shape.kind == kWire) {
        const int n = static_cast<int>(shape.points.size());
        if (handle == 1 || handle == n + 1) {
            Point& end = handle == 1 ? shape.points.front() : shape.points.back();
            shift(end.x, dx);
            shift(end.y, dy);
            dropLinks(shape, true);
            connectLooseEnds(shape);
        } else if (handle >= 2 && handle <= n) {
            moveWireSegment(shape, dx, dy, handle);
        }
    } else if (handle >= 1 && handle <= static_cast<int>(shape.points.size())) {
        Point& q = shape.points[static_cast<std::size_t>(handle - 1)];
        shift(q.x, dx);
        shift(q.y, dy);
        if (shape.kind == kCable) {
            dropLinks(shape, true);
            connectLooseEnds(shape);
        }
    }
    computeOutline(shape);
    if (mustStayLargeEnough(shape.kind) && !shape.isLargeEnough(gridSettingsOf(shape).secondary)) {
        shape.exchangeWithUndoCopy();
        shape.takeUndoCopy();
        computeOutline(shape);
    }
}

void turn(Shape& shape, std::int32_t cx, std::int32_t cy, int degrees) {
    if (keepsItsOrientation(shape.kind))
        return;
    if (degrees != 90 && degrees != 180 && degrees != 270 && degrees != -90)
        return;
    shape.angle = ((shape.angle + degrees) % 360 + 360) % 360;
    if (degrees != 180) {
        if (shape.kind == kHalfOvalH)
            shape.kind = kHalfOvalV;
        else if (shape.kind == kHalfOvalV)
            shape.kind = kHalfOvalH;
    }
    for (Point& q : shape.points)
        turnPoint(q, cx, cy, degrees);
    computeOutline(shape);
}

void mirror(Shape& shape, std::int32_t cx, std::int32_t cy, bool horizontal) {
    if (keepsItsOrientation(shape.kind))
        return;
    for (Point& q : shape.points) {
        if (horizontal)
            q.x = saturate(2 * std::int64_t{cx} - q.x);
        else
            q.y = saturate(2 * std::int64_t{cy} - q.y);
    }
    computeOutline(shape);
}

void stretch(Shape& shape, std::int32_t x0, std::int32_t y0, std::int32_t hx, std::int32_t hy,
             std::int32_t ex, std::int32_t ey) {
    for (Point& q : shape.points) {
        if (hx != 0 && ex != 0) {
            const double d = static_cast<double>(q.x) - x0;
            q.x = truncated(x0 + d + d * ex / hx);
        }
        if (hy != 0 && ey != 0) {
            const double d = static_cast<double>(q.y) - y0;
            q.y = truncated(y0 + d + d * ey / hy);
        }
    }
    shape.epx = ex;
    shape.epy = ey;
}

std::int32_t snapValue(std::int32_t v, std::int32_t step, bool unitIsMm) {
    if (step <= 0)
        return v;
    auto round = [](std::int64_t value, std::int64_t s) { return s * ((value + s / 2) / s); };
    if (!unitIsMm)
        return saturate(round(v, step));
    const std::int32_t s = pointsToMillimetresRoundTrip(step);
    if (s <= 0)
        return saturate(round(v, step));
    return millimetresToPoints(saturate(round(pointsToMillimetres(v), s)));
}

Point snapDisplacement(const Shape& shape, const GridSettings& grid, bool force) {
    if (!grid.snapToGrid && !force)
        return {};
    if (shape.points.empty())
        return {};
    Point anchor = shape.points[0];
    if (shape.kind == kSymbol) {
        if (const Shape* terminal = firstTerminal(shape))
            anchor = placedPoint(*terminal, shape);
        return {saturate(std::int64_t{snapValue(anchor.x, grid.horizontal / 2, grid.unitIsMm)} - anchor.x),
                saturate(std::int64_t{snapValue(anchor.y, grid.vertical / 2, grid.unitIsMm)} - anchor.y)};
    }
    return {saturate(std::int64_t{snapValue(anchor.x, grid.secondary, grid.unitIsMm)} - anchor.x),
            saturate(std::int64_t{snapValue(anchor.y, grid.secondary, grid.unitIsMm)} - anchor.y)};
}

void snapToGrid(Shape& shape, const GridSettings& grid, bool force) {
    const Point d = snapDisplacement(shape, grid, force);
    if (d.x != 0 || d.y != 0)
        move(shape, d.x, d.y);
}

void snapToGrid(Shape& shape, bool force) {
    snapToGrid(shape, gridSettingsOf(shape), force);
}

void placeTitleBlock(Shape& shape, int corner, bool rotated, std::int32_t pageWidth,
                     std::int32_t pageHeight) {
    shape.angle = rotated ? 90 : 0;
    computeOutline(shape);
    const Rect& o = shape.outline;
    std::int32_t dx = 0, dy = 0;
    switch (corner) {
    case 0:
        dx = saturate(-std::int64_t{o.left});
        dy = saturate(-std::int64_t{o.top});
        break;
    case 1:
        dx = saturate(std::int64_t{pageWidth} - o.right);
        dy = saturate(-std::int64_t{o.top});
        break;
    case 2:
        dx = saturate(-std::int64_t{o.left});
        dy = saturate(std::int64_t{pageHeight} - o.bottom);
        break;
    default:
        dx = saturate(std::int64_t{pageWidth} - o.right);
        dy = saturate(std::int64_t{pageHeight} - o.bottom);
        break;
    }
    move(shape, dx, dy);
    computeOutline(shape);
}

} // namespace plexo
