#include "store/edittransaction.h"

#include "shapes/geometry.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"

#include <algorithm>
#include <climits>
#include <exception>

namespace plexo {

EditTransaction::EditTransaction(saoDoc& document, Folio& folio, int label)
    : document_(document), folio_(&folio), label_(label), records_(true),
      exceptionsAtStart_(std::uncaught_exceptions()), undoBefore_(document.undoState),
      modifiedBefore_(document.isModified()) {}

EditTransaction::EditTransaction(saoDoc& document, Exchange)
    : document_(document), folio_(document.undoState.folio), label_(0), records_(false),
      exceptionsAtStart_(std::uncaught_exceptions()), undoBefore_(document.undoState),
      modifiedBefore_(document.isModified()) {}

EditTransaction::~EditTransaction() {
    if (finished_)
        return;
    if (std::uncaught_exceptions() > exceptionsAtStart_)
        rollBack();
    else
        finish();
}

void EditTransaction::record() {
    if (!records_ || recorded_)
        return;
    recorded_ = true;
    beginAction(document_, folio_, label_);
}

void EditTransaction::noteFolio(Folio* folio) {
    if (folio && std::find(folios_.begin(), folios_.end(), folio) == folios_.end())
        folios_.push_back(folio);
}

void EditTransaction::keep(Shape& shape, const ShapeUndoCopy& before) {
    if (!keptSet_.insert(&shape).second)
        return;
    kept_.push_back({&shape, before, shape.undo, shape.alive, shape.isNew, shape.changed, shape.selected});
    noteFolio(folioOf(shape));
}

void EditTransaction::touch(Shape& shape) {
    record();
    keep(shape, shape.state());
    if (Folio* folio = folioOf(shape))
        document_.notifyAreaChanged(*folio, shape.outline);
}

void EditTransaction::changed(Shape& shape) {
    rebuildGeometry(shape);
    shape.changed = true;
    if (Folio* folio = folioOf(shape))
        document_.notifyAreaChanged(*folio, shape.outline);
}

Shape& EditTransaction::create(std::unique_ptr<Shape> shape, bool select) {
    record();
    shape->folio = folio_;
    rebuildGeometry(*shape);
    markCreated(*shape, select);
    Shape& created = folio_->append(std::move(shape));
    created_.push_back(&created);
    noteFolio(folio_);
    return created;
}

void EditTransaction::adoptCreated(std::size_t first) {
    for (std::size_t i = first; i < folio_->objects.size(); ++i)
        created_.push_back(folio_->objects[i].get());
    noteFolio(folio_);
}

void EditTransaction::finish() {
    if (finished_)
        return;
    finished_ = true;
    // A recorded action touched something; undo's exchange always resolves the
    // wires of the folio of the action it exchanged.
    if (!records_)
        noteFolio(folio_);
    if (recorded_ || !records_) {
        for (auto& owned : document_.folios) {
            Folio* folio = owned.get();
            if (std::find(folios_.begin(), folios_.end(), folio) == folios_.end())
                continue;
            if (dropDeadLinks_)
                folio->dropDeadLinks();
            if (connectLooseEnds_) {
                if (const std::optional<Rect> area = changedArea(*folio))
                    folio->connectLooseWireEnds(*area);
            }
            followChangedWires(document_, *folio, this);
        }
    }
    refreshSelectionSummary(document_);
}

std::optional<Rect> EditTransaction::changedArea(const Folio& folio) {
    // What this action changed (the objects it touched, alive or deleted), widened
    // by the distance within which a wire end joins a terminal or a wire.
    std::optional<Rect> area;
    for (const auto& object : folio.objects) {
        if (object->changed)
            area = area ? area->united(object->outline) : object->outline;
    }
    if (!area)
        return std::nullopt;
    const std::int64_t margin = kConnectTolerance;
    auto clamp = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return Rect{clamp(area->left - margin), clamp(area->top - margin), clamp(area->right + margin),
                clamp(area->bottom + margin)};
}

void EditTransaction::rollBack() noexcept {
    finished_ = true;
    // The views repaint what goes and what is put back; a view that fails to is
    // not allowed to stop the exception on its way.
    auto report = [this](Shape& shape) {
        try {
            if (Folio* folio = folioOf(shape))
                document_.notifyAreaChanged(*folio, shape.outline);
        } catch (...) {
        }
    };
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        report(**it);
        if (Folio* folio = folioOf(**it))
            folio->destroyObject(*it);
    }
    for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
        Shape& shape = *it->shape;
        report(shape);
        shape.restoreState(it->state);
        shape.undo = it->undo;
        shape.alive = it->alive;
        shape.isNew = it->isNew;
        shape.changed = it->changed;
        shape.selected = it->selected;
        try {
            rebuildGeometry(shape);
        } catch (...) {
            // The outline kept from before stands.
        }
        report(shape);
    }
    if (recorded_) {
        // The recording made the previous action permanent: nothing is left to
        // undo, and the document is as modified as it was.
        document_.undoState = UndoState{};
        document_.setModified(modifiedBefore_);
    } else {
        document_.undoState = undoBefore_;
    }
    document_.selection = selectionSummaryOf(document_);
    try {
        document_.notifySelectionChanged();
    } catch (...) {
    }
}

} // namespace plexo
