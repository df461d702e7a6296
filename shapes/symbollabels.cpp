// Symbol labels: the terminals and editable text zones of a symbol drawing
// copied into the instance, placed and put back with it.
#include "shapes/symbollabels.h"

#include "shapes/geometry.h"
#include "shapes/shape.h"

#include <algorithm>
#include <cmath>

namespace plexo {

namespace {

constexpr int kMaxNestedSymbols = 8; // nesting depth of symbols inside symbol drawings

std::int32_t saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

std::int32_t truncated(double v) {
    return static_cast<std::int32_t>(
        std::clamp(std::trunc(v), static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
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
                    q = placeDrawingPoint(q, *d, nested);
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

} // namespace

Point placeDrawingPoint(Point q, const Shape& instance, const SymbolDrawing& drawing) {
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
    return placeDrawingPoint(q, instance, drawing);
}

Point placedPoint(const Shape& label) {
    if (label.infoBorne && label.infoBorne->owner)
        return placedPoint(label, *label.infoBorne->owner);
    return label.points.empty() ? Point{} : label.points[0];
}

std::string_view defaultLabelText(const Etiquette& label, const Shape& instance) {
    if (!label.shape)
        return {};
    std::string_view defaultText = label.shape->data;
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
    return defaultText;
}

} // namespace plexo
