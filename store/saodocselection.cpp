// The schéma document's operations on the single selected object of a folio:
// the folio it names, its neighbour, its stacking order, its style as the model.
#include "store/saodoc.h"

#include "shapes/shape.h"
#include "store/folio.h"

#include <algorithm>

namespace plexo {

namespace {

unsigned char lowerAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

std::int32_t centre(std::int32_t a, std::int32_t b) {
    // Halved rounding down, without overflow.
    return static_cast<std::int32_t>((static_cast<std::int64_t>(a) + b) >> 1);
}

} // namespace

Folio* saoDoc::findFolioForSelection(Folio& folio) const {
    for (const auto& shape : folio.objects) {
        if (!shape->alive || !shape->selected || shape->data.empty())
            continue;
        const std::string& text = shape->data;
        for (const auto& candidate : folios) {
            const std::string& number = candidate->number;
            if (number.size() < text.size())
                continue;
            bool same = true;
            for (std::size_t i = 0; i < text.size() && same; ++i)
                same = lowerAscii(static_cast<unsigned char>(number[i])) ==
                       lowerAscii(static_cast<unsigned char>(text[i]));
            if (same)
                return candidate.get();
        }
    }
    return nullptr;
}

// The undoable operations on the selection (move, style change, delete, rotation,
// symmetry, alignment) belong to store/selection.h; the operations below need
// only the folio.

Shape* saoDoc::singleSelected(Folio& folio) const {
    Shape* single = nullptr;
    for (auto& shape : folio.objects) {
        if (!shape->alive || !shape->selected)
            continue;
        if (single)
            return nullptr;
        single = shape.get();
    }
    return single;
}

Shape* saoDoc::selectNeighbour(Folio& folio, ArrowKey key) const {
    Shape* selection = singleSelected(const_cast<Folio&>(folio));
    if (!selection)
        return nullptr;
    const Rect s = selection->outline;
    const std::int32_t scx = centre(s.left, s.right);
    const std::int32_t scy = centre(s.top, s.bottom);
    Shape* best = nullptr;
    std::int32_t bestCentre = 0;
    for (auto it = folio.objects.rbegin(); it != folio.objects.rend(); ++it) {
        Shape* other = it->get();
        if (other == selection || !other->alive)
            continue;
        const Rect o = other->outline;
        const bool overlapsVertically = o.top <= s.bottom && o.bottom >= s.top;
        const bool overlapsHorizontally = o.left <= s.right && o.right >= s.left;
        const std::int32_t cx = centre(o.left, o.right);
        const std::int32_t cy = centre(o.top, o.bottom);
        bool better = false;
        switch (key) {
        case ArrowKey::Left:
            better = overlapsVertically && cx < scx && (!best || cx > bestCentre);
            break;
        case ArrowKey::Right:
            better = overlapsVertically && cx > scx && (!best || cx < bestCentre);
            break;
        case ArrowKey::Up:
            better = overlapsHorizontally && cy < scy && (!best || cy > bestCentre);
            break;
        case ArrowKey::Down:
            better = overlapsHorizontally && cy > scy && (!best || cy < bestCentre);
            break;
        }
        if (better) {
            best = other;
            bestCentre = key == ArrowKey::Left || key == ArrowKey::Right ? cx : cy;
        }
    }
    return best;
}

bool saoDoc::changeZOrder(Folio& folio, ZOrder operation) {
    // Not undoable: the pending action is closed first.
    closePendingAction();
    Shape* selection = singleSelected(folio);
    if (!selection)
        return false;
    auto& list = folio.objects;
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& s) { return s.get() == selection; });
    const std::size_t at = static_cast<std::size_t>(it - list.begin());
    std::size_t to = at;
    switch (operation) {
    case ZOrder::BringToFront:
        to = list.size() - 1;
        break;
    case ZOrder::BringForward:
        to = std::min(at + 1, list.size() - 1);
        break;
    case ZOrder::SendBackward:
        to = at == 0 ? 0 : at - 1;
        break;
    case ZOrder::SendToBack:
        to = 0;
        break;
    }
    if (to == at)
        return false;
    std::unique_ptr<Shape> moved = std::move(list[at]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    // The stacking order is stored with the folio.
    setModified();
    notifyAreaChanged(folio, selection->outline);
    return true;
}

bool saoDoc::takeStyleAsModel(Folio& folio) {
    Shape* selection = singleSelected(folio);
    if (!selection)
        return false;
    if (selection->isWire())
        wireStyle = selection->style;
    else
        objectStyle = selection->style;
    // The default styles are stored in the header.
    setModified();
    return true;
}

} // namespace plexo
