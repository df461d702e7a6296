#include "shapes/primitives.h"

#include "shapes/units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

namespace plexo {

namespace {

constexpr int kRoundCornerRadius = 4000; // rounded rectangle corners: 4 points
constexpr int kDotRadius = 3000;         // arrow dots and squares: 3 points
constexpr int kShortArrow = 8000;        // arrow kinds 1, 2, 3 and 8
constexpr int kLongArrow = 16000;        // arrow kinds 4 to 7
constexpr double kBarbAngle = 0.3;       // radians either side of the line
constexpr double kSinBarb = 0.2955202;   // sin 0.3, used for vertical lines
constexpr double kCosBarb = 0.9553365;   // cos 0.3
constexpr Rgb kPureWhite{255, 255, 255};
// Runs longer than this many pixels (far beyond any output) are drawn solid,
// so that damaged coordinates cannot make millions of dashes.
constexpr double kMaxDashedLength = 1 << 20;

// Walks a dash cycle along a straight run, with positions in floating point
// truncated to pixels at each move or stroke.
class DashWalker {
public:
    DashWalker(Point from, Point to, double length)
        : x_(from.x), y_(from.y), ux_((to.x - from.x) / length), uy_((to.y - from.y) / length) {}

    Point here() const { return {int(x_), int(y_)}; }
    void advance(int distance) {
        x_ += distance * ux_;
        y_ += distance * uy_;
    }

private:
    double x_, y_, ux_, uy_;
};

// Lays the pattern out from `from` to `to`, calling stroke(a, b) for each
// dash. Returns false when the pattern does not apply and nothing was done.
template <typename Stroke>
bool layOutDashes(Point from, Point to, const DashPattern& pattern, Stroke stroke) {
    const double length = std::hypot(double(to.x - from.x), double(to.y - from.y));
    const int e = pattern.longDash, f = pattern.gap, g = pattern.shortDash;
    const int cycle = pattern.cycle();
    if (length == 0 || e == 0 || g == 0 || length <= cycle || length > kMaxDashedLength)
        return false;
    DashWalker walker(from, to, length);
    auto dash = [&](int dashLength) {
        const Point start = walker.here();
        walker.advance(dashLength);
        stroke(start, walker.here());
    };
    const long cycles = long(length / cycle);
    for (long i = 0; i < cycles; ++i) {
        dash(e);
        walker.advance(f);
        dash(g);
        walker.advance(f);
    }
    if (long(length) % cycle >= f + e) {
        dash(e);
        walker.advance(f);
    }
    if (walker.here() != to)
        stroke(walker.here(), to);
    return true;
}

// At zoom ≥ 0 the surface's exclusion of right and bottom edges is made up for
// by one pixel, so that curves reach the box's right and bottom.
Rect ellipseBox(int left, int top, int right, int bottom, int zoom) {
    const int extra = zoom >= 0 ? 1 : 0;
    return {left, top, right + extra, bottom + extra};
}

void drawBarbs(Surface& surface, Point tip, const Barbs& barbs) {
    surface.moveTo(tip.x, tip.y);
    surface.lineTo(barbs.first.x, barbs.first.y);
    surface.moveTo(tip.x, tip.y);
    surface.lineTo(barbs.second.x, barbs.second.y);
}

int arrowLength(int kind) {
    switch (kind) {
    case 1:
    case 2:
    case 3:
    case 8:
        return kShortArrow;
    case 4:
    case 5:
    case 6:
    case 7:
        return kLongArrow;
    default:
        return 0;
    }
}

} // namespace

DashPattern dashPattern(int width, int zoom, int lineType) {
    const int w = toPixelsAtLeastOne(width, zoom);
    if (lineType <= 0)
        return {100, 0, 100};
    if (lineType == 1)
        return {3 * w, 3 * w, 3 * w};
    return {8 * w, 3 * w, w};
}

bool dashesApply(int zoom) {
    return zoom < 0 || zoom > 2;
}

void patternedSegment(Surface& surface, int x1, int y1, int x2, int y2, int width, int zoom, int lineType) {
    auto stroke = [&](Point a, Point b) {
        surface.moveTo(a.x, a.y);
        surface.lineTo(b.x, b.y);
    };
    if (lineType > 0 && surface.takeLineType(lineType)) {
        stroke({x1, y1}, {x2, y2});
        surface.takeLineType(0);
        return;
    }
    if (!dashesApply(zoom) || !layOutDashes({x1, y1}, {x2, y2}, dashPattern(width, zoom, lineType), stroke))
        stroke({x1, y1}, {x2, y2});
}

void patternedArc(Surface& surface, const Rect& box, Point start, Point end, int width, int zoom,
                  int lineType) {
    // Equal radials would make the surface draw the whole ellipse; a piece of
    // arc with no chord is empty.
    auto piece = [&](Point a, Point b) {
        if (a != b)
            surface.arc(box, a, b);
    };
    if (lineType > 0 && surface.takeLineType(lineType)) {
        piece(start, end);
        surface.takeLineType(0);
        return;
    }
    if (lineType <= 0 || !dashesApply(zoom) ||
        !layOutDashes(start, end, dashPattern(width, zoom, lineType), piece))
        piece(start, end);
}

void rectangleOutline(Surface& surface, const Rect& box, int width, int zoom, int lineType) {
    const int a = box.left, b = box.top, c = box.right, d = box.bottom;
    patternedSegment(surface, a, b, c, b, width, zoom, lineType);
    patternedSegment(surface, c, b, c, d, width, zoom, lineType);
    patternedSegment(surface, c, d, a, d, width, zoom, lineType);
    patternedSegment(surface, a, d, a, b, width, zoom, lineType);
}

void roundedRectangleOutline(Surface& surface, const Rect& box, int width, int zoom, int lineType) {
    const int a = box.left, b = box.top, c = box.right, d = box.bottom;
    const int radius = toPixels(kRoundCornerRadius, zoom);
    const int rx = c - a < 2 * radius ? (c - a) / 2 : radius;
    const int ry = d - b < 2 * radius ? (d - b) / 2 : radius;
    auto side = [&](int xa, int ya, int xb, int yb) {
        patternedSegment(surface, xa, ya, xb, yb, width, zoom, lineType);
    };
    auto corner = [&](const Rect& cornerBox, Point from, Point to) {
        patternedArc(surface, cornerBox, from, to, width, zoom, lineType);
    };
    corner(ellipseBox(a, b, a + 2 * rx, b + 2 * ry, zoom), {a + rx, b}, {a, b + ry});
    side(a + rx, b, c - rx, b);
    corner(ellipseBox(c - 2 * rx, b, c, b + 2 * ry, zoom), {c, b + ry}, {c - rx, b});
    side(c, b + ry, c, d - ry);
    corner(ellipseBox(c - 2 * rx, d - 2 * ry, c, d, zoom), {c - rx, d}, {c, d - ry});
    side(c - rx, d, a + rx, d);
    corner(ellipseBox(a, d - 2 * ry, a + 2 * rx, d, zoom), {a, d - ry}, {a + rx, d});
    side(a, d - ry, a, b + ry);
}

void ovalOutline(Surface& surface, const Rect& box, int width, int zoom, int lineType) {
    const Rect e = ellipseBox(box.left, box.top, box.right, box.bottom, zoom);
    const Point leftTop{e.left, e.top}, leftBottom{e.left, e.bottom};
    const Point rightBottom{e.right, e.bottom}, rightTop{e.right, e.top};
    patternedArc(surface, e, leftTop, leftBottom, width, zoom, lineType);
    patternedArc(surface, e, leftBottom, rightBottom, width, zoom, lineType);
    patternedArc(surface, e, rightBottom, rightTop, width, zoom, lineType);
    patternedArc(surface, e, rightTop, leftTop, width, zoom, lineType);
}

namespace {

// The half-oval's ellipse: mirrored about the flat side, so that the flat side
// is the ellipse's diameter.
struct HalfOval {
    int x1, y1, x2, y2; // horizontal: x1 ≤ x2; vertical: y1 ≤ y2
    Rect box;
};

HalfOval horizontalHalfOval(Point first, Point second, int zoom) {
    HalfOval h{first.x, first.y, second.x, second.y, {}};
    if (h.x1 > h.x2)
        std::swap(h.x1, h.x2);
    const int mirrored = 2 * h.y1 - h.y2;
    h.box = ellipseBox(h.x1, std::min(h.y2, mirrored), h.x2, std::max(h.y2, mirrored), zoom);
    return h;
}

HalfOval verticalHalfOval(Point first, Point second, int zoom) {
    HalfOval h{first.x, first.y, second.x, second.y, {}};
    if (h.y1 > h.y2)
        std::swap(h.y1, h.y2);
    const int mirrored = 2 * h.x1 - h.x2;
    h.box = ellipseBox(std::min(h.x2, mirrored), h.y1, std::max(h.x2, mirrored), h.y2, zoom);
    return h;
}

} // namespace

void horizontalHalfOvalOutline(Surface& surface, Point first, Point second, int width, int zoom,
                               int lineType) {
    const HalfOval h = horizontalHalfOval(first, second, zoom);
    // Counter-clockwise through the corners of the half-box.
    Point corners[4];
    if (h.y2 < h.y1) // curve above the flat side
        corners[0] = {h.x2, h.y1}, corners[1] = {h.x2, h.y2}, corners[2] = {h.x1, h.y2},
        corners[3] = {h.x1, h.y1};
    else
        corners[0] = {h.x1, h.y1}, corners[1] = {h.x1, h.y2}, corners[2] = {h.x2, h.y2},
        corners[3] = {h.x2, h.y1};
    for (int i = 0; i < 3; ++i)
        patternedArc(surface, h.box, corners[i], corners[i + 1], width, zoom, lineType);
}

void verticalHalfOvalOutline(Surface& surface, Point first, Point second, int width, int zoom, int lineType) {
    const HalfOval h = verticalHalfOval(first, second, zoom);
    Point corners[4];
    if (h.x2 > h.x1) // curve right of the flat side
        corners[0] = {h.x1, h.y2}, corners[1] = {h.x2, h.y2}, corners[2] = {h.x2, h.y1},
        corners[3] = {h.x1, h.y1};
    else
        corners[0] = {h.x1, h.y1}, corners[1] = {h.x2, h.y1}, corners[2] = {h.x2, h.y2},
        corners[3] = {h.x1, h.y2};
    for (int i = 0; i < 3; ++i)
        patternedArc(surface, h.box, corners[i], corners[i + 1], width, zoom, lineType);
}

void horizontalHalfOvalFill(Surface& surface, Point first, Point second, int zoom) {
    const HalfOval h = horizontalHalfOval(first, second, zoom);
    if (h.y2 < h.y1)
        surface.chord(h.box, {h.x2, h.y1}, {h.x1, h.y1});
    else
        surface.chord(h.box, {h.x1, h.y1}, {h.x2, h.y1});
}

void verticalHalfOvalFill(Surface& surface, Point first, Point second, int zoom) {
    const HalfOval h = verticalHalfOval(first, second, zoom);
    if (h.x2 > h.x1)
        surface.chord(h.box, {h.x1, h.y2}, {h.x1, h.y1});
    else
        surface.chord(h.box, {h.x1, h.y1}, {h.x1, h.y2});
}

BrushStyle fillBrushStyle(int pattern) {
    static constexpr BrushStyle styles[] = {
        BrushStyle::Solid,           BrushStyle::Horizontal,       BrushStyle::Vertical,
        BrushStyle::ForwardDiagonal, BrushStyle::BackwardDiagonal, BrushStyle::Cross,
        BrushStyle::DiagonalCross};
    return pattern >= 0 && pattern <= 6 ? styles[pattern] : BrushStyle::None;
}

bool selectFillBrush(Surface& surface, Rgb colour, int pattern) {
    const BrushStyle style = fillBrushStyle(pattern);
    if (style == BrushStyle::None)
        return false;
    surface.setBrush({style, colour});
    return true;
}

void quadraticPiece(Surface& surface, Point p0, Point p1, Point p2) {
    std::vector<Point> points;
    points.reserve(34);
    points.push_back(p0);
    for (int k = 0;; ++k) {
        const double t = 0.05 + 0.03 * k;
        if (t > 1)
            break;
        const double a = (1 - t) * (1 - t), b = 2 * t * (1 - t), c = t * t;
        points.push_back({int(a * p0.x + b * p1.x + c * p2.x), int(a * p0.y + b * p1.y + c * p2.y)});
    }
    points.push_back(p2);
    surface.polyline(points);
}

namespace {

// The angle of from − tip, for from.x ≠ tip.x.
double directionAngle(Point from, Point tip) {
    const double dx = from.x - tip.x, dy = from.y - tip.y;
    return std::atan(dy / dx) + (dx < 0 ? std::numbers::pi : 0.0);
}

// Lc(⌊length · cos a⌋), Lc(⌊length · sin a⌋) added to a point.
Point along(Point p, double angle, int length, int zoom) {
    return {p.x + toPixels(std::int32_t(std::floor(length * std::cos(angle))), zoom),
            p.y + toPixels(std::int32_t(std::floor(length * std::sin(angle))), zoom)};
}

} // namespace

Barbs arrowBarbs(Point from, Point tip, int length, int zoom) {
    if (from.x == tip.x) {
        const int dx = toPixels(std::int32_t(std::floor(length * kSinBarb)), zoom);
        int dy = toPixels(std::int32_t(std::floor(length * kCosBarb)), zoom);
        if (from.y <= tip.y)
            dy = -dy;
        return {{tip.x - dx, tip.y + dy}, {tip.x + dx, tip.y + dy}};
    }
    const double angle = directionAngle(from, tip);
    return {along(tip, angle - kBarbAngle, length, zoom), along(tip, angle + kBarbAngle, length, zoom)};
}

void arrowHead(Surface& surface, Point from, Point tip, Rgb colour, int kind, int zoom) {
    if (kind <= 0 || kind > 12)
        return;
    const Brush saved = surface.brush();
    if (kind >= 9) {
        const int r = toPixels(kDotRadius, zoom);
        const Rect box{tip.x - r, tip.y - r, tip.x + r, tip.y + r};
        surface.setBrush(Brush::solid(kind == 9 || kind == 11 ? colour : kPureWhite));
        if (kind <= 10)
            surface.ellipse(box);
        else
            surface.rectangle(box);
        surface.setBrush(saved);
        return;
    }
    const int length = arrowLength(kind);
    const Barbs barbs = arrowBarbs(from, tip, length, zoom);
    switch (kind) {
    case 2:
    case 3:
    case 5:
    case 6: {
        surface.setBrush(Brush::solid(kind == 2 || kind == 5 ? colour : kPureWhite));
        const Point triangle[] = {barbs.first, tip, barbs.second};
        surface.polygon(triangle);
        surface.setBrush(saved);
        break;
    }
    case 7:
        drawBarbs(surface, tip, barbs);
        surface.moveTo(barbs.first.x, barbs.first.y);
        surface.lineTo(barbs.second.x, barbs.second.y);
        break;
    case 8: {
        drawBarbs(surface, tip, barbs);
        // The second head stands one arrow length back toward `from`, with
        // the same barbs as the first.
        Point second;
        if (from.x == tip.x) {
            const int step = toPixels(length, zoom);
            second = {tip.x, from.y > tip.y ? tip.y + step : tip.y - step};
        } else {
            second = along(tip, directionAngle(from, tip), length, zoom);
        }
        const Point shift{second.x - tip.x, second.y - tip.y};
        drawBarbs(surface, second,
                  {{barbs.first.x + shift.x, barbs.first.y + shift.y},
                   {barbs.second.x + shift.x, barbs.second.y + shift.y}});
        break;
    }
    default: // 1 and 4: the two barbs
        drawBarbs(surface, tip, barbs);
        break;
    }
}

} // namespace plexo
