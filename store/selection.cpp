#include "store/selection.h"

#include "base/userinterface.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/edittransaction.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/undo.h"

#include <algorithm>
#include <cctype>
#include <optional>
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

// The selected objects of the folio, listed before the action is recorded (the
// recording destroys the objects the previous action deleted). An operation on
// a selection is recorded as soon as there is one, even when no object ends up
// changed: its undo then changes nothing, rather than undoing an earlier action.
std::vector<Shape*> recordedSelection(EditTransaction& edit, const Folio& folio) {
    std::vector<Shape*> selected = selectedObjects(folio);
    if (!selected.empty())
        edit.record();
    return selected;
}

void moveBy(EditTransaction& edit, Shape& s, std::int32_t dx, std::int32_t dy) {
    edit.modify(s, [&](Shape& m) { move(m, dx, dy); });
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
    document.notifyAreaChanged(folio, area);
}

std::vector<Shape*> selectedObjects(const Folio& folio) {
    std::vector<Shape*> selected;
    for (const auto& owned : folio.objects)
        if (isSelected(*owned))
            selected.push_back(owned.get());
    return selected;
}

SelectionSummary selectionSummaryOf(const saoDoc& document) {
    SelectionSummary summary;
    summary.style.markAllUnset();
    for (const auto& folio : document.folios) {
        for (const auto& owned : folio->objects) {
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
    return summary;
}

void refreshSelectionSummary(saoDoc& document) {
    document.selection = selectionSummaryOf(document);
    document.notifySelectionChanged();
}

void deselectAll(saoDoc& document, Folio* keep) {
    for (auto& folio : document.folios) {
        if (folio.get() == keep)
            continue;
        // The handles of what was selected are erased: one area per folio.
        std::optional<Rect> shown;
        for (auto& owned : folio->objects) {
            if (isSelected(*owned))
                shown = shown ? shown->united(owned->outline) : owned->outline;
            owned->selected = false;
        }
        if (shown)
            reportArea(document, *folio, *shown);
    }
}

void followChangedWires(saoDoc& document, Folio& folio, EditTransaction* edit) {
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
            const ShapeUndoCopy before = w.state();
            followEnds(w);
            if (w.points != before.points) {
                if (edit)
                    edit->keep(w, before);
                reportArea(document, folio, before.outline);
                reportArea(document, folio, w.outline);
                w.changed = true;
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

void moveSelection(saoDoc& document, Folio& folio, std::int32_t dx, std::int32_t dy, Rect& band) {
    EditTransaction edit(document, folio, kUndoMove);
    const std::vector<Shape*> selected = recordedSelection(edit, folio);
    std::vector<Shape*> wires;
    for (auto& owned : folio.objects)
        if (owned->alive && owned->kind == kWire && owned->infoFil)
            wires.push_back(owned.get());
    for (Shape* s : selected)
        if (s->kind != kWire)
            moveBy(edit, *s, dx, dy);
    auto movedEnd = [](const Shape* end) {
        const Shape* owner = endOwner(end);
        return owner && owner->alive && owner->selected;
    };
    for (Shape* wire : wires) {
        Shape& w = *wire;
        const Shape* amont = w.infoFil->amont;
        const Shape* aval = w.infoFil->aval;
        const bool joined = amont || aval;
        if ((amont && aval && movedEnd(amont) && movedEnd(aval)) || (!joined && w.selected)) {
            moveBy(edit, w, dx, dy);
            continue;
        }
        // Only a wire that belongs to the move stretches: selected, or joined to a
        // moved object.
        if (!w.selected && !movedEnd(amont) && !movedEnd(aval))
            continue;
        if (std::none_of(w.points.begin(), w.points.end(), [&](Point q) { return band.contains(q); }))
            continue;
        edit.modify(w, [&](Shape& m) {
            for (Point& q : m.points) {
                if (band.contains(q)) {
                    q.x += dx;
                    q.y += dy;
                }
            }
        });
    }
    band = {band.left + dx, band.top + dy, band.right + dx, band.bottom + dy};
    if (selected.size() == 1)
        edit.connectLooseEndsAtEnd();
    edit.finish();
}

void moveSelection(saoDoc& document, Folio& folio, std::int32_t dx, std::int32_t dy) {
    Rect none{0, 0, -1, -1};
    moveSelection(document, folio, dx, dy, none);
}

void resizeObject(saoDoc& document, Folio& folio, Shape& shape, std::int32_t dx, std::int32_t dy,
                  int handle) {
    EditTransaction edit(document, folio, kUndoResize);
    edit.modify(shape, [&](Shape& s) { moveHandle(s, dx, dy, handle); });
    edit.connectLooseEndsAtEnd();
    edit.finish();
}

Shape& createObject(saoDoc& document, Folio& folio, std::unique_ptr<Shape> shape, bool select) {
    EditTransaction edit(document, folio, kUndoCreation);
    Shape& created = edit.create(std::move(shape), select);
    if (created.isWire()) {
        connectLooseEnds(created);
        followEnds(created);
    }
    edit.changed(created);
    edit.finish();
    return created;
}

void applyStyleToSelection(saoDoc& document, Folio& folio, const Style& style) {
    EditTransaction edit(document, folio, kUndoModification);
    const std::vector<Shape*> selected = recordedSelection(edit, folio);
    for (Shape* s : selected) {
        edit.modify(*s, [&](Shape& m) {
            applyStyle(m.style, style);
            // Items that do not apply to the kind stay indeterminate.
            m.style.indeterminate |= inapplicableItems(m.kind);
        });
    }
    edit.finish();
}

void deleteSelection(saoDoc& document, Folio& folio) {
    EditTransaction edit(document, folio, kUndoDeletion);
    const std::vector<Shape*> selected = recordedSelection(edit, folio);
    for (Shape* s : selected) {
        edit.modify(*s, [](Shape& m) {
            m.alive = false;
            m.isNew = false;
        });
    }
    edit.dropDeadLinksAtEnd();
    edit.finish();
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
    EditTransaction edit(document, folio, label);
    for (Shape* s : recordedSelection(edit, folio))
        edit.modify(*s, [&](Shape& m) { transform(m, pivot); });
    edit.finish();
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
    const std::vector<Shape*> selected = selectedObjects(folio);
    if (selected.empty())
        return;
    Rect bounds = selected.front()->outline;
    for (Shape* s : selected)
        bounds = bounds.united(s->outline);
    EditTransaction edit(document, folio, kUndoAlignment);
    // Recorded even when every object already lies where it goes: undoing it
    // then changes nothing, rather than undoing an earlier action.
    edit.record();
    const Point centre = centreOf(bounds);
    const Point folioCentre = centreOf(folio.extent());
    const GridSettings grid = gridSettingsOf(*selected.front());
    for (Shape* selectedObject : selected) {
        Shape& s = *selectedObject;
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
            moveBy(edit, s, d.x, d.y);
    }
    edit.finish();
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
