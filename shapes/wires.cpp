// Symbol labels, title-block fields, wire links and wire routing.
#include "shapes/wires.h"

#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "base/textcodec.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace plexo {

namespace {

constexpr int kMaxNestedSymbols = 8; // nesting depth of symbols inside symbol drawings

int gPrintedPage = 0;

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

std::int32_t truncated(double v) {
    return static_cast<std::int32_t>(
        std::clamp(std::trunc(v), static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
}

// A point of a symbol drawing where it lies once the instance is placed (the same
// arithmetic as placeInSymbol).
Point placePoint(Point q, const Shape& instance, const SymbolDrawing& drawing) {
    const Point c = drawing.centre();
    const Point p = instance.points.empty() ? Point{} : instance.points[0];
    const std::int64_t x = q.x, y = q.y, cx = c.x, cy = c.y;
    std::int64_t nx = x, ny = y;
    switch (instance.angle) {
    case 90:
        nx = cx + (y - cy);
        ny = cy - (x - cx);
        break;
    case 180:
        nx = 2 * cx - x;
        ny = 2 * cy - y;
        break;
    case 270:
        nx = cx - (y - cy);
        ny = cy + (x - cx);
        break;
    default:
        break;
    }
    q = {saturate(nx + p.x - cx), saturate(ny + p.y - cy)};
    const Point half = drawing.halfSize();
    if (half.x != 0 && instance.epx != 0) {
        const double d = static_cast<double>(q.x) - p.x;
        q.x = truncated(p.x + d + d * instance.epx / half.x);
    }
    if (half.y != 0 && instance.epy != 0) {
        const double d = static_cast<double>(q.y) - p.y;
        q.y = truncated(p.y + d + d * instance.epy / half.y);
    }
    return q;
}

// Bounds the walk through nested symbol drawings: a hostile library can nest
// many instances of symbols that nest many instances in turn, which would
// otherwise multiply into an unbounded number of labels.
struct LabelWalk {
    static constexpr std::size_t kMaxVisited = 10000; // drawing objects looked at
    static constexpr std::size_t kMaxLabels = 1000;   // labels of one instance
    std::size_t visited = 0;
    std::size_t labels = 0;
    std::size_t wanted = kMaxLabels; // the walk may stop once this many labels were met
    bool exhausted() { return ++visited > kMaxVisited || labels >= std::min(wanted, kMaxLabels); }
};

// The label shapes a drawing gives, in the drawing's coordinates: a nested
// symbol's labels are put where that symbol sits in the drawing (turned by its
// angle about its drawing's centre, moved onto its first point, stretched by its
// epx, epy), so every label of an instance is in the instance's own drawing
// coordinates and placeLabels places them all alike.
void collectLabels(const SymbolDrawing& drawing, std::vector<std::unique_ptr<Shape>>& out, int depth,
                   LabelWalk& walk) {
    for (const Shape* d : drawing.objects) {
        if (!d)
            continue;
        if (walk.exhausted())
            return;
        if (d->kind == kTerminal || d->kind == kTextZone) {
            auto label = std::make_unique<Shape>(d->kind == kTerminal ? kTerminal : kSymbolText, nullptr);
            label->points = d->points;
            label->data = d->data;
            applyStyle(label->style, d->style);
            label->setApplicability();
            label->angle = d->angle;
            label->createKindRecord();
            out.push_back(std::move(label));
            ++walk.labels;
        } else if (d->kind == kSymbol && depth < kMaxNestedSymbols) {
            SymbolDrawing nested;
            if (!symbolDrawingOf(*d, nested))
                continue;
            std::vector<std::unique_ptr<Shape>> inner;
            collectLabels(nested, inner, depth + 1, walk);
            for (auto& label : inner) {
                for (Point& q : label->points)
                    q = placePoint(q, *d, nested);
                label->angle = ((label->angle + d->angle) % 360 + 360) % 360;
                out.push_back(std::move(label));
            }
        }
    }
}

// The default texts of the labels, in label order, as the drawing holds them.
void collectDefaultTexts(const SymbolDrawing& drawing, std::vector<const std::string*>& out, int depth,
                         LabelWalk& walk) {
    for (const Shape* d : drawing.objects) {
        if (!d)
            continue;
        if (walk.exhausted())
            return;
        if (d->kind == kTerminal || d->kind == kTextZone) {
            out.push_back(&d->data);
            ++walk.labels;
        } else if (d->kind == kSymbol && depth < kMaxNestedSymbols) {
            SymbolDrawing nested;
            if (symbolDrawingOf(*d, nested))
                collectDefaultTexts(nested, out, depth + 1, walk);
        }
    }
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

// The 1-based page of the folio (across, then down) holding p.
int pageAt(const Folio& folio, Point p) {
    const saoDoc* doc = folio.document;
    const int across = std::max<int>(folio.pagesAcross, 1);
    const int down = std::max<int>(folio.pagesDown, 1);
    int col = 0, row = 0;
    if (doc && doc->documentWidth > 0)
        col = std::clamp(p.x / doc->documentWidth, 0, across - 1);
    if (doc && doc->documentHeight > 0)
        row = std::clamp(p.y / doc->documentHeight, 0, down - 1);
    return row * across + col + 1;
}

std::string printed(const char* format, int a, int b = 0) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string documentTitle(const saoDoc& doc) {
    return utf8ToCp1252(doc.title());
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

// ---- symbol labels --------------------------------------------------------------

void buildLabels(Shape& instance) {
    if (!instance.infoSymbole)
        instance.createKindRecord();
    if (!instance.infoSymbole)
        return;
    std::vector<Etiquette> old = std::move(instance.infoSymbole->labels);
    instance.infoSymbole->labels.clear();
    SymbolDrawing drawing;
    if (!symbolDrawingOf(instance, drawing))
        return;
    std::vector<std::unique_ptr<Shape>> shapes;
    LabelWalk walk;
    collectLabels(drawing, shapes, 0, walk);
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        shapes[i]->folio = instance.folio;
        shapes[i]->infoBorne->owner = &instance;
        // The outline in drawing coordinates; placeLabels computes the placed one.
        computeOutline(*shapes[i]);
        std::string text = i < old.size() ? std::move(old[i].text) : std::string();
        instance.infoSymbole->labels.emplace_back(std::move(text), std::move(shapes[i]));
    }
}

void placeLabels(Shape& instance) {
    SymbolDrawing drawing;
    if (!instance.infoSymbole || !symbolDrawingOf(instance, drawing))
        return;
    for (Etiquette& label : instance.infoSymbole->labels) {
        if (!label.shape)
            continue;
        placeInSymbol(*label.shape, instance, drawing);
        computeOutline(*label.shape);
    }
}

void unplaceLabels(Shape& instance) {
    if (!instance.infoSymbole)
        return;
    for (Etiquette& label : instance.infoSymbole->labels) {
        if (label.shape)
            unplaceFromSymbol(*label.shape);
    }
}

const Shape* firstTerminal(const Shape& instance) {
    if (!instance.infoSymbole)
        return nullptr;
    for (const Etiquette& label : instance.infoSymbole->labels) {
        if (label.shape && label.shape->kind == kTerminal && !label.shape->points.empty())
            return label.shape.get();
    }
    return nullptr;
}

Point placedPoint(const Shape& label, const Shape& instance) {
    const Point q = label.points.empty() ? Point{} : label.points[0];
    SymbolDrawing drawing;
    if (!symbolDrawingOf(instance, drawing))
        return q;
    return placePoint(q, instance, drawing);
}

Point placedPoint(const Shape& label) {
    if (label.infoBorne && label.infoBorne->owner)
        return placedPoint(label, *label.infoBorne->owner);
    return label.points.empty() ? Point{} : label.points[0];
}

int setPrintedPage(int page) {
    const int previous = gPrintedPage;
    gPrintedPage = page;
    return previous;
}

std::string labelText(const Etiquette& label, const Shape& instance) {
    if (!label.shape)
        return label.text;
    // The default text comes from the drawing: the label shape itself shows the
    // refreshed text once drawn.
    std::string_view fallback = label.shape->data;
    std::string_view defaultText = fallback;
    SymbolDrawing drawing;
    if (instance.infoSymbole && symbolDrawingOf(instance, drawing)) {
        const auto& labels = instance.infoSymbole->labels;
        std::size_t index = 0;
        while (index < labels.size() && &labels[index] != &label)
            ++index;
        if (index < labels.size()) {
            // The walk stops at this label's default text.
            std::vector<const std::string*> defaults;
            LabelWalk walk;
            walk.wanted = index + 1;
            collectDefaultTexts(drawing, defaults, 0, walk);
            if (index < defaults.size())
                defaultText = *defaults[index];
        }
    }
    if (defaultText.empty() || defaultText[0] != '#')
        return label.text;
    const Folio* folio = instance.folio;
    const saoDoc* doc = folio ? folio->document : nullptr;
    auto is = [&](std::string_view prefix) { return startsWithIgnoringCase(defaultText, prefix); };
    if (is("#Nom") || is("#Name"))
        return instance.data;
    if (is("#NbPages"))
        return folio ? printed("%d", folio->pageCount()) : label.text;
    if (is("#TPages") || is("#Page")) {
        if (!folio)
            return label.text;
        const Point at = placedPoint(*label.shape, instance);
        const int page = gPrintedPage > 0 ? gPrintedPage : pageAt(*folio, at);
        return is("#TPages") ? printed("%d/%d", page, folio->pageCount()) : printed("%d", page);
    }
    if (is("#Folio"))
        return folio ? folio->number : label.text;
    if (is("#Date"))
        return folio ? folio->date : label.text;
    if (is("#Document"))
        return doc ? documentTitle(*doc) : label.text;
    if (is("#Titre1") || is("#Title1"))
        return folio ? folio->titles[0] : label.text;
    if (is("#Titre2") || is("#Title2"))
        return folio ? folio->titles[1] : label.text;
    if (is("#Titre3") || is("#Title3"))
        return folio ? folio->titles[2] : label.text;
    if (is("#Auteur") || is("#Author"))
        return folio ? folio->author : label.text;
    if (is("#Objet") || is("#Object"))
        return folio ? folio->object : label.text;
    if (is("#Path")) {
        if (!doc)
            return label.text;
        return doc->path().empty() ? documentTitle(*doc) : utf8ToCp1252(doc->path().string());
    }
    return label.text;
}

void refreshLabel(Etiquette& label, const Shape& instance) {
    if (label.shape)
        label.shape->data = labelText(label, instance);
}

// ---- links ------------------------------------------------------------------------

void linkEnd(Shape& wire, bool upstream, Shape* end) {
    if (!wire.infoFil)
        return;
    unlinkEnd(wire, upstream);
    if (!end || end == &wire)
        return;
    (upstream ? wire.infoFil->amont : wire.infoFil->aval) = end;
    if (end->infoBorne)
        end->infoBorne->wire = &wire;
    if (end->infoFil) {
        auto& list = end->infoFil->attachedWires;
        if (std::find(list.begin(), list.end(), &wire) == list.end())
            list.push_back(&wire);
    }
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
Shape* findConnectableWithin(Folio& folio, Point p, const Shape* except, std::int32_t tolerance) {
    for (const auto& owned : folio.objects) {
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
                const Point q = placePoint(t->points[0], *s, drawing);
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

Shape* findConnectable(Folio& folio, Point p, const Shape* except, std::int32_t tolerance) {
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

void followWireSegment(Folio& /*folio*/, std::int32_t dx, std::int32_t dy, Shape& wire, int pointIndex) {
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
