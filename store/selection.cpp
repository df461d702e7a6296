#include "store/selection.h"

#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/undo.h"
#include "base/userinterface.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace plexo {

namespace {

bool isSelected(const Shape& s) {
    return s.alive && s.selected;
}

// The symbol instance owning a terminal label, or the wire itself, for an end.
const Shape* endOwner(const Shape* end) {
    if (!end)
        return nullptr;
    if (end->infoBorne && end->infoBorne->owner)
        return end->infoBorne->owner;
    return end;
}

bool endChanged(const Shape* end) {
    const Shape* owner = endOwner(end);
    return owner && owner->changed;
}

// Moves one object by an action, with its areas reported.
void moveObject(saoDoc& document, Folio& folio, Shape& s, std::int32_t dx, std::int32_t dy) {
    reportArea(document, folio, s.outline);
    move(s, dx, dy);
    rebuildGeometry(s);
    s.changed = true;
    reportArea(document, folio, s.outline);
}

Rect folioExtent(const saoDoc& document, const Folio& folio) {
    return {0, 0, document.documentWidth * std::max<int>(folio.pagesAcross, 1),
            document.documentHeight * std::max<int>(folio.pagesDown, 1)};
}

bool equalsOver(const std::string& a, const std::string& b, std::size_t length, bool caseSensitive) {
    if (a.size() < length || b.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (caseSensitive ? x != y : std::tolower(x) != std::tolower(y))
            return false;
    }
    return true;
}

} // namespace

void reportArea(saoDoc& document, Folio& folio, const Rect& area) {
    document.changedArea = area;
    document.changedFolio = &folio;
    document.notifyViews(kNotifyAreaChanged, 0);
}

void refreshSelectionSummary(saoDoc& document) {
    SelectionSummary summary;
    summary.style.markAllUnset();
    for (auto& folio : document.folios) {
        for (auto& owned : folio->objects) {
            Shape& s = *owned;
            if (!isSelected(s))
                continue;
            summary.bounds = summary.any ? summary.bounds.united(s.outline) : s.outline;
            mergeStyle(summary.style, s.style);
            if (!summary.any)
                summary.folio = folio.get();
            summary.any = true;
            summary.single = ++summary.count == 1 ? &s : nullptr;
        }
    }
    document.selection = summary;
    document.notifyViews(kNotifySelectionChanged, 0);
}

void deselectAll(saoDoc& document, Folio* keep) {
    for (auto& folio : document.folios) {
        if (folio.get() == keep)
            continue;
        for (auto& owned : folio->objects)
            owned->selected = false;
    }
}

void followChangedWires(saoDoc& document, Folio& folio) {
    // A wire that follows may move the wires that end on it: repeat until nothing
    // moves, each wire following at most once per round.
    const std::size_t rounds = folio.objects.size() + 1;
    std::set<Shape*> followed;
    for (std::size_t round = 0; round < rounds; ++round) {
        bool moved = false;
        for (auto& owned : folio.objects) {
            Shape& w = *owned;
            if (!w.alive || !w.isWire() || !w.infoFil || followed.count(&w))
                continue;
            if (!w.changed && !endChanged(w.infoFil->amont) && !endChanged(w.infoFil->aval))
                continue;
            followed.insert(&w);
            const std::vector<Point> before = w.points;
            const Rect area = w.outline;
            followEnds(w);
            if (w.points != before) {
                reportArea(document, folio, area);
                reportArea(document, folio, w.outline);
                w.changed = true;
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

void moveSelection(saoDoc& document, Folio& folio, std::int32_t dx, std::int32_t dy) {
    recordAction(document, &folio, kUndoMove);
    int count = 0;
    for (auto& owned : folio.objects) {
        Shape& s = *owned;
        if (!isSelected(s))
            continue;
        ++count;
        if (s.kind != kWire)
            moveObject(document, folio, s, dx, dy);
    }
    auto movedEnd = [](const Shape* end) {
        const Shape* owner = endOwner(end);
        return owner && owner->alive && owner->selected;
    };
    const Rect band = document.lastRubberBand;
    for (auto& owned : folio.objects) {
        Shape& w = *owned;
        if (!w.alive || w.kind != kWire || !w.infoFil)
            continue;
        const Shape* amont = w.infoFil->amont;
        const Shape* aval = w.infoFil->aval;
        const bool joined = amont || aval;
        if ((amont && aval && movedEnd(amont) && movedEnd(aval)) || (!joined && w.selected)) {
            moveObject(document, folio, w, dx, dy);
            continue;
        }
        // Only a wire that belongs to the move stretches: selected, or joined to a
        // moved object.
        if (!w.selected && !movedEnd(amont) && !movedEnd(aval))
            continue;
        bool any = false;
        const Rect area = w.outline;
        for (Point& q : w.points) {
            if (band.contains(q)) {
                q.x += dx;
                q.y += dy;
                any = true;
            }
        }
        if (any) {
            reportArea(document, folio, area);
            rebuildGeometry(w);
            w.changed = true;
            reportArea(document, folio, w.outline);
        }
    }
    // The band goes with the objects it selected, so that a further move of the
    // same selection (arrow keys) takes the same points.
    document.lastRubberBand = {band.left + dx, band.top + dy, band.right + dx, band.bottom + dy};
    if (count == 1)
        folio.connectLooseWireEnds();
    followChangedWires(document, folio);
    refreshSelectionSummary(document);
}

void resizeObject(saoDoc& document, Folio& folio, Shape& shape, std::int32_t dx, std::int32_t dy,
                  int handle) {
    recordAction(document, &folio, kUndoResize);
    reportArea(document, folio, shape.outline);
    moveHandle(shape, dx, dy, handle);
    shape.changed = true;
    reportArea(document, folio, shape.outline);
    folio.connectLooseWireEnds();
    followChangedWires(document, folio);
    refreshSelectionSummary(document);
}

Shape& createObject(saoDoc& document, Folio& folio, std::unique_ptr<Shape> shape, bool select) {
    recordAction(document, &folio, kUndoCreation);
    rebuildGeometry(*shape);
    Shape& created = addCreatedObject(folio, std::move(shape), select);
    if (created.isWire()) {
        connectLooseEnds(created);
        followEnds(created);
    }
    reportArea(document, folio, created.outline);
    refreshSelectionSummary(document);
    return created;
}

void applyStyleToSelection(saoDoc& document, Folio& folio, const Style& style) {
    recordAction(document, &folio, kUndoModification);
    for (auto& owned : folio.objects) {
        Shape& s = *owned;
        if (!isSelected(s))
            continue;
        reportArea(document, folio, s.outline);
        applyStyle(s.style, style);
        // Items that do not apply to the kind stay indeterminate.
        const StyleItems inapplicable = inapplicableItems(s.kind);
        s.style.indeterminate |= inapplicable;
        rebuildGeometry(s);
        s.changed = true;
        reportArea(document, folio, s.outline);
    }
    refreshSelectionSummary(document);
}

void deleteSelection(saoDoc& document, Folio& folio) {
    recordAction(document, &folio, kUndoDeletion);
    for (auto& owned : folio.objects) {
        Shape& s = *owned;
        if (!isSelected(s))
            continue;
        s.alive = false;
        s.isNew = false;
        s.changed = true;
        reportArea(document, folio, s.outline);
    }
    folio.dropDeadLinks();
    followChangedWires(document, folio);
    refreshSelectionSummary(document);
}

Point selectionPivot(const Folio& folio) {
    std::int64_t sx = 0, sy = 0, n = 0;
    for (const auto& owned : folio.objects) {
        if (!isSelected(*owned))
            continue;
        const Point c = centreOf(owned->outline);
        sx += c.x;
        sy += c.y;
        ++n;
    }
    if (n == 0)
        return {};
    return {static_cast<std::int32_t>(sx / n), static_cast<std::int32_t>(sy / n)};
}

namespace {

template <typename Transform>
void transformSelection(saoDoc& document, Folio& folio, int label, Transform transform) {
    const Point pivot = selectionPivot(folio);
    recordAction(document, &folio, label);
    for (auto& owned : folio.objects) {
        Shape& s = *owned;
        if (!isSelected(s))
            continue;
        reportArea(document, folio, s.outline);
        transform(s, pivot);
        rebuildGeometry(s);
        s.changed = true;
        reportArea(document, folio, s.outline);
    }
    followChangedWires(document, folio);
    refreshSelectionSummary(document);
}

} // namespace

void rotateSelection(saoDoc& document, Folio& folio, int degrees) {
    transformSelection(document, folio, kUndoRotation,
                       [degrees](Shape& s, Point c) { turn(s, c.x, c.y, degrees); });
}

void mirrorSelection(saoDoc& document, Folio& folio, int operation) {
    transformSelection(document, folio, kUndoSymmetry,
                       [operation](Shape& s, Point c) { mirror(s, c.x, c.y, operation == 0); });
}

void alignSelection(saoDoc& document, Folio& folio, int operation) {
    if (operation < kAlignTop || operation > kAlignCentreInFolio)
        return;
    Rect bounds;
    bool any = false;
    for (auto& owned : folio.objects) {
        if (!isSelected(*owned))
            continue;
        bounds = any ? bounds.united(owned->outline) : owned->outline;
        any = true;
    }
    if (!any)
        return;
    recordAction(document, &folio, kUndoAlignment);
    const Point centre = centreOf(bounds);
    const Point folioCentre = centreOf(folioExtent(document, folio));
    const GridSettings grid = gridSettingsOf(*folio.objects.front());
    for (auto& owned : folio.objects) {
        Shape& s = *owned;
        if (!isSelected(s))
            continue;
        const Rect& o = s.outline;
        const Point c = centreOf(o);
        Point d;
        switch (operation) {
        case kAlignTop:
            d = {0, bounds.top - o.top};
            break;
        case kAlignBottom:
            d = {0, bounds.bottom - o.bottom};
            break;
        case kAlignLeft:
            d = {bounds.left - o.left, 0};
            break;
        case kAlignRight:
            d = {bounds.right - o.right, 0};
            break;
        case kAlignHorizontalCentres:
            d = {centre.x - c.x, 0};
            break;
        case kAlignVerticalCentres:
            d = {0, centre.y - c.y};
            break;
        case kAlignOnGrid:
            d = snapDisplacement(s, grid, true);
            break;
        default:
            d = {folioCentre.x - centre.x, folioCentre.y - centre.y};
            break;
        }
        if (d.x != 0 || d.y != 0)
            moveObject(document, folio, s, d.x, d.y);
    }
    followChangedWires(document, folio);
    refreshSelectionSummary(document);
}

bool searchMatches(const SearchRecord& search, const std::string& candidate) {
    if (candidate.empty() || search.text.empty())
        return false;
    // With whole name the search text must equal the candidate over the
    // candidate's whole length.
    if (search.wholeName)
        return equalsOver(search.text, candidate, candidate.size(), search.caseSensitive);
    if (search.text.size() > candidate.size())
        return false;
    for (std::size_t start = 0; start + search.text.size() <= candidate.size(); ++start) {
        if (equalsOver(candidate.substr(start), search.text, search.text.size(), search.caseSensitive))
            return true;
    }
    return false;
}

Shape* findNext(saoDoc& document, Folio& folio) {
    deselectAll(document);
    SearchRecord& search = document.search;
    const int count = static_cast<int>(folio.objects.size());
    const int start = search.resumeIndex >= 0 && search.resumeIndex < count ? search.resumeIndex : 0;
    for (int i = start; i < count; ++i) {
        Shape& s = *folio.objects[static_cast<std::size_t>(i)];
        if (!s.alive)
            continue;
        bool match = false;
        if (s.kind == kSymbol && s.infoSymbole) {
            match = searchMatches(search, s.infoSymbole->name);
            for (std::size_t k = 0; !match && k < s.infoSymbole->labels.size(); ++k)
                match = searchMatches(search, s.infoSymbole->labels[k].text);
        }
        if (!match)
            match = searchMatches(search, s.data);
        if (match) {
            s.selected = true;
            reportArea(document, folio, s.outline);
            search.resumeIndex = i + 1;
            refreshSelectionSummary(document);
            return &s;
        }
    }
    search.resumeIndex = 0;
    refreshSelectionSummary(document);
    userInterface().beep();
    return nullptr;
}

} // namespace plexo
