// Wire links and wire routing: how wires and cables hold on to terminals and to
// other wires, follow them, keep their segments straight, and where their end
// labels go.
#include "shapes/wires.h"

#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/shapeholder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plexo {

namespace {

bool near(std::int32_t a, std::int32_t b) {
    return std::llabs(static_cast<std::int64_t>(a) - b) <= kWireTolerance;
}

bool between(std::int32_t v, std::int32_t a, std::int32_t b) {
    return v >= std::min(a, b) - kWireTolerance && v <= std::max(a, b) + kWireTolerance;
}

bool isControlWire(const Shape* s) {
    return s && s->kind == kWire && s->infoFil;
}

std::int32_t saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// Forgets one end of a wire, on both sides.
void unlinkEnd(Shape& wire, bool upstream) {
    if (!wire.infoFil)
        return;
    Shape*& end = upstream ? wire.infoFil->amont : wire.infoFil->aval;
    Shape* other = upstream ? wire.infoFil->aval : wire.infoFil->amont;
    if (end) {
        if (end->infoBorne && end->infoBorne->wire == &wire && other != end)
            end->infoBorne->wire = nullptr;
        if (end->infoFil && other != end)
            std::erase(end->infoFil->attachedWires, &wire);
    }
    end = nullptr;
}

bool onSegment(Point a, Point b, Point p) {
    if (near(a.x, b.x))
        return near(p.x, a.x) && between(p.y, a.y, b.y);
    if (near(a.y, b.y))
        return near(p.y, a.y) && between(p.x, a.x, b.x);
    return false;
}

std::int64_t distanceToSegment(Point a, Point b, Point p) {
    const double ax = a.x, ay = a.y, bx = b.x, by = b.y, px = p.x, py = p.y;
    const double vx = bx - ax, vy = by - ay;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = px - (ax + t * vx), dy = py - (ay + t * vy);
    return static_cast<std::int64_t>(std::max(std::abs(dx), std::abs(dy)));
}

bool removeOneRedundantPoint(std::vector<Point>& p) {
    for (std::size_t i = 1; i + 1 < p.size(); ++i) {
        const bool sameY = near(p[i - 1].y, p[i].y) && near(p[i + 1].y, p[i].y);
        const bool sameX = near(p[i - 1].x, p[i].x) && near(p[i + 1].x, p[i].x);
        if (sameY || sameX) {
            p.erase(p.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

void removeRedundantPoints(std::vector<Point>& p) {
    while (removeOneRedundantPoint(p)) {
    }
}

// Step e: the first segment of a wire that starts on another control wire. After
// the other steps it is horizontal or vertical and starts on the other wire's
// segment; when it runs along that segment, the junction slides along the segment
// towards the second point (clamped to the segment's extent) so that the wire
// leaves the other wire across instead of covering it.
void meetUpstreamWire(Shape& wire) {
    Shape* other = wire.infoFil->amont;
    std::vector<Point>& p = wire.points;
    if (!isControlWire(other) || p.size() < 2)
        return;
    const int segment = findSegment(*other, p[0].x, p[0].y);
    if (segment < 2 || static_cast<std::size_t>(segment - 1) >= other->points.size())
        return;
    const Point a = other->points[static_cast<std::size_t>(segment - 2)];
    const Point b = other->points[static_cast<std::size_t>(segment - 1)];
    const bool otherHorizontal = near(a.y, b.y);
    const bool otherVertical = near(a.x, b.x) && !otherHorizontal;
    if (otherHorizontal && near(p[0].y, p[1].y)) {
        p[0].y = a.y;
        p[0].x = std::clamp(p[1].x, std::min(a.x, b.x), std::max(a.x, b.x));
    } else if (otherVertical && near(p[0].x, p[1].x)) {
        p[0].x = a.x;
        p[0].y = std::clamp(p[1].y, std::min(a.y, b.y), std::max(a.y, b.y));
    } else {
        return;
    }
    // The first point may now coincide with the second.
    if (p.size() > 2 && near(p[0].x, p[1].x) && near(p[0].y, p[1].y))
        p.erase(p.begin() + 1);
    removeRedundantPoints(p);
}

} // namespace

// ---- links ------------------------------------------------------------------------

bool linkEnd(Shape& wire, bool upstream, Shape* end) {
    if (!wire.infoFil)
        return false;
    unlinkEnd(wire, upstream);
    if (!end)
        return true;
    if (end == &wire)
        return false;
    // Two wires on one terminal would leave one of them pointing at a terminal that
    // knows only the other: its link would be lost at the next save.
    if (end->infoBorne && end->infoBorne->wire && end->infoBorne->wire != &wire)
        return false;
    (upstream ? wire.infoFil->amont : wire.infoFil->aval) = end;
    if (end->infoBorne)
        end->infoBorne->wire = &wire;
    if (end->infoFil) {
        auto& list = end->infoFil->attachedWires;
        if (std::find(list.begin(), list.end(), &wire) == list.end())
            list.push_back(&wire);
    }
    return true;
}

void dropLinks(Shape& object, bool force) {
    if (object.alive && !force)
        return;
    if (object.infoFil) {
        unlinkEnd(object, true);
        unlinkEnd(object, false);
        for (Shape* w : object.infoFil->attachedWires) {
            if (!w || !w->infoFil)
                continue;
            if (w->infoFil->amont == &object)
                w->infoFil->amont = nullptr;
            if (w->infoFil->aval == &object)
                w->infoFil->aval = nullptr;
        }
        object.infoFil->attachedWires.clear();
    }
    if (object.infoSymbole) {
        for (Etiquette& label : object.infoSymbole->labels) {
            if (!label.shape || !label.shape->infoBorne)
                continue;
            Shape* w = label.shape->infoBorne->wire;
            label.shape->infoBorne->wire = nullptr;
            if (w && w->infoFil) {
                if (w->infoFil->amont == label.shape.get())
                    w->infoFil->amont = nullptr;
                if (w->infoFil->aval == label.shape.get())
                    w->infoFil->aval = nullptr;
            }
        }
    }
}

namespace {
Shape* findConnectableWithin(const ShapeHolder& folio, Point p, const Shape* except, std::int32_t tolerance) {
    for (const auto& owned : folio.heldShapes()) {
        Shape* s = owned.get();
        if (!s || s == except || !s->alive)
            continue;
        if (s->kind == kSymbol && s->infoSymbole) {
            SymbolDrawing drawing;
            if (!symbolDrawingOf(*s, drawing))
                continue;
            for (Etiquette& label : s->infoSymbole->labels) {
                Shape* t = label.shape.get();
                if (!t || t->kind != kTerminal || !t->infoBorne || t->infoBorne->wire || t->points.empty())
                    continue;
                const Point q = placeDrawingPoint(t->points[0], *s, drawing);
                if (std::llabs(static_cast<std::int64_t>(q.x) - p.x) <= tolerance &&
                    std::llabs(static_cast<std::int64_t>(q.y) - p.y) <= tolerance)
                    return t;
            }
        } else if (s->isWire() && s->infoFil) {
            // A wire whose own end lies on the wire looking for an end would make a loop.
            if (except && (s->infoFil->amont == except || s->infoFil->aval == except))
                continue;
            for (std::size_t i = 1; i < s->points.size(); ++i) {
                if (distanceToSegment(s->points[i - 1], s->points[i], p) <= tolerance)
                    return s;
            }
        }
    }
    return nullptr;
}
} // namespace

Shape* findConnectable(const ShapeHolder& folio, Point p, const Shape* except, std::int32_t tolerance) {
    // What lies exactly under the point wins over what is merely near it, so that
    // a junction re-found after an undo keeps its wire when another passes close by.
    if (Shape* exact = findConnectableWithin(folio, p, except, std::min(tolerance, kWireTolerance)))
        return exact;
    return findConnectableWithin(folio, p, except, tolerance);
}

void connectLooseEnds(Shape& wire) {
    if (!wire.alive || !wire.isWire() || !wire.infoFil || !wire.folio || wire.points.empty())
        return;
    if (!wire.infoFil->amont) {
        if (Shape* end = findConnectable(*wire.folio, wire.points.front(), &wire))
            linkEnd(wire, true, end);
    }
    if (!wire.infoFil->aval) {
        if (Shape* end = findConnectable(*wire.folio, wire.points.back(), &wire))
            linkEnd(wire, false, end);
    }
}

// ---- routing ----------------------------------------------------------------------

void keepJunction(const Shape& otherWire, Point p, Point& junction) {
    const std::vector<Point>& s = otherWire.points;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (onSegment(s[i - 1], s[i], junction))
            return;
    }
    std::int64_t best = -1;
    Point chosen = junction;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const Point a = s[i - 1], b = s[i];
        std::int64_t d;
        Point q;
        if (near(a.x, b.x)) {
            d = std::llabs(static_cast<std::int64_t>(a.x) - p.x);
            q = {a.x, std::clamp(p.y, std::min(a.y, b.y), std::max(a.y, b.y))};
        } else if (near(a.y, b.y)) {
            d = std::llabs(static_cast<std::int64_t>(a.y) - p.y);
            q = {std::clamp(p.x, std::min(a.x, b.x), std::max(a.x, b.x)), a.y};
        } else {
            continue;
        }
        if (best < 0 || d < best) {
            best = d;
            chosen = q;
        }
    }
    junction = chosen;
}

int findSegment(const Shape& wire, std::int32_t x, std::int32_t y) {
    const std::vector<Point>& s = wire.points;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (onSegment(s[i - 1], s[i], {x, y}))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void orthogonalise(Shape& wire) {
    std::vector<Point>& p = wire.points;
    const std::size_t n = p.size();
    if (n < 2)
        return;
    // a. Interior points line up with the point before them.
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const std::int64_t dx = static_cast<std::int64_t>(p[i].x) - p[i - 1].x;
        const std::int64_t dy = static_cast<std::int64_t>(p[i].y) - p[i - 1].y;
        if (std::llabs(dx) < std::llabs(dy))
            p[i].x = p[i - 1].x;
        else
            p[i].y = p[i - 1].y;
        if (near(p[i].x, p[i - 1].x))
            p[i].x = p[i - 1].x;
        if (near(p[i].y, p[i - 1].y))
            p[i].y = p[i - 1].y;
    }
    if (n == 2) {
        // b. A diagonal two-point wire gets an elbow: first horizontal, then vertical.
        if (!near(p[0].x, p[1].x) && !near(p[0].y, p[1].y)) {
            p.push_back(p[1]);
            p[1] = {p[2].x, p[0].y};
        }
    } else {
        // c. The point before the last meets the last one across.
        Point& before = p[n - 2];
        if (p[n - 3].x == before.x)
            before.y = p[n - 1].y;
        else
            before.x = p[n - 1].x;
    }
    // d. Points in the middle of a straight run go.
    removeRedundantPoints(p);
    // e. A wire starting on another control wire leaves it across.
    if (wire.infoFil && isControlWire(wire.infoFil->amont))
        meetUpstreamWire(wire);
}

void followEnds(Shape& wire) {
    if (!wire.infoFil || wire.points.empty()) {
        computeOutline(wire);
        return;
    }
    auto follow = [&](Shape* end, Point& point) {
        if (!end)
            return;
        if (end->kind == kTerminal || end->infoBorne) {
            point = placedPoint(*end);
        } else if (isControlWire(end)) {
            Point junction = point;
            keepJunction(*end, point, junction);
            point = junction;
        }
    };
    follow(wire.infoFil->amont, wire.points.front());
    follow(wire.infoFil->aval, wire.points.back());
    if (wire.kind == kWire)
        orthogonalise(wire);
    computeOutline(wire);
}

bool endsOutOfPlace(const Shape& wire) {
    if (!wire.infoFil || wire.points.empty())
        return false;
    auto away = [](const Shape* end, Point point) {
        if (!end)
            return false;
        if (end->kind == kTerminal || end->infoBorne)
            return placedPoint(*end) != point;
        if (isControlWire(end))
            return findSegment(*end, point.x, point.y) == 0;
        return false;
    };
    return away(wire.infoFil->amont, wire.points.front()) || away(wire.infoFil->aval, wire.points.back());
}

void followWireSegment(ShapeHolder& /*folio*/, std::int32_t dx, std::int32_t dy, Shape& wire,
                       int pointIndex) {
    if (!wire.infoFil || pointIndex < 1 || static_cast<std::size_t>(pointIndex) >= wire.points.size())
        return;
    // The segment as it was before it moved.
    const Point& na = wire.points[static_cast<std::size_t>(pointIndex - 1)];
    const Point& nb = wire.points[static_cast<std::size_t>(pointIndex)];
    const Point a{saturate(std::int64_t{na.x} - dx), saturate(std::int64_t{na.y} - dy)};
    const Point b{saturate(std::int64_t{nb.x} - dx), saturate(std::int64_t{nb.y} - dy)};
    const std::vector<Shape*> attached = wire.infoFil->attachedWires;
    for (Shape* w : attached) {
        if (!w || !w->infoFil || w->points.empty())
            continue;
        bool moved = false;
        if (w->infoFil->amont == &wire && onSegment(a, b, w->points.front())) {
            w->points.front().x = saturate(std::int64_t{w->points.front().x} + dx);
            w->points.front().y = saturate(std::int64_t{w->points.front().y} + dy);
            moved = true;
        }
        if (w->infoFil->aval == &wire && onSegment(a, b, w->points.back())) {
            w->points.back().x = saturate(std::int64_t{w->points.back().x} + dx);
            w->points.back().y = saturate(std::int64_t{w->points.back().y} + dy);
            moved = true;
        }
        if (moved) {
            w->changed = true;
            followEnds(*w);
        }
    }
}

// ---- end labels -------------------------------------------------------------------

EndLabelPlacement endLabelOrigin(Point e, Point o, bool first, std::int32_t w, std::int32_t h) {
    const std::int32_t q = h / 4;
    const bool vertical = e.x == o.x;
    if (first) {
        if (o.y < e.y)
            return {{e.x + q, e.y - q}, vertical};
        if (o.y > e.y)
            return {{e.x + q, e.y + w + q}, vertical};
        if (o.x < e.x)
            return {{e.x - w - q, e.y - h - q}, false};
        return {{e.x + q, e.y - h - q}, false};
    }
    if (o.y < e.y)
        return {{e.x + q, e.y + q - h}, vertical};
    if (o.y > e.y)
        return {{e.x + q, e.y + q + w}, vertical};
    if (o.x < e.x)
        return {{e.x - q - w, e.y - q - h}, false};
    return {{e.x + q, e.y - q - h}, false};
}

} // namespace plexo
