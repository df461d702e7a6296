// One editing action on a schéma document, from its first change to the
// views' repaint. An operation opens a transaction, hands it every object
// before and after changing it, and finishes it; the transaction does the
// rest in one place:
// - the action is recorded for undo under its label at the first touch, before
//   that object changes (a transaction that touches nothing records nothing);
// - each touched object has its area reported before and after, its geometry
//   rebuilt and its changed mark set;
// - at the end the wires of the touched folios follow their ends, the selection
//   summary is refreshed once and the views are told.
// A transaction abandoned by an exception puts the touched objects back as they
// were, takes the objects it created out again and leaves nothing to undo.
// A transaction that is destroyed without finish() (an early return) finishes.
#pragma once

#include "shapes/shape.h"
#include "store/undo.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

namespace plexo {

class Folio;
class saoDoc;

class EditTransaction {
public:
    // An action labelled label (kUndoMove...) on folio.
    EditTransaction(saoDoc& document, Folio& folio, int label);
    // Undo's exchange: the objects it touches are not recorded; at the end the
    // wires of the touched folios and of the folio of the last action follow.
    struct Exchange {};
    EditTransaction(saoDoc& document, Exchange);
    ~EditTransaction();
    EditTransaction(const EditTransaction&) = delete;
    EditTransaction& operator=(const EditTransaction&) = delete;

    // Records the action now when not yet done: before objects are appended
    // that mark themselves created (a paste reading its objects).
    void record();
    // Before an object changes: records the action at the first touch, keeps the
    // object's state (to put it back) and reports its area.
    void touch(Shape& shape);
    // After it changed: rebuilds its geometry, marks it changed, reports its area.
    void changed(Shape& shape);
    template <typename Change> void modify(Shape& shape, Change&& change) {
        touch(shape);
        change(shape);
        changed(shape);
    }
    // Appends a newly made object to the action's folio as created by this
    // action (markCreated), its geometry built; call changed() once it is placed.
    // Not for undo's exchange, which has no folio of its own.
    Shape& create(std::unique_ptr<Shape> shape, bool select);
    // The objects from index first of the action's folio were appended by this
    // action and marked created (a paste).
    void adoptCreated(std::size_t first);

    // At the end, before the wires follow: every dead object of the touched
    // folios loses its links; every loose wire end joins what lies under it.
    void dropDeadLinksAtEnd() { dropDeadLinks_ = true; }
    void connectLooseEndsAtEnd() { connectLooseEnds_ = true; }

    // Wires follow, the summary is refreshed and the views are told; once.
    void finish();

    // For the wires that follow: keeps a wire's state from before a change the
    // transaction did not see coming, so that it can be put back.
    void keep(Shape& shape, const ShapeUndoCopy& before);

    bool hasRecorded() const { return recorded_; }
    saoDoc& document() const { return document_; }

private:
    struct Kept {
        Shape* shape;
        ShapeUndoCopy state;
        ShapeUndoCopy undo;
        bool alive, isNew, changed, selected;
    };

    void noteFolio(Folio* folio);
    void rollBack() noexcept;

    saoDoc& document_;
    Folio* folio_;
    int label_;
    bool records_;
    bool recorded_ = false;
    bool finished_ = false;
    static std::optional<Rect> changedArea(const Folio& folio);

    bool dropDeadLinks_ = false;
    bool connectLooseEnds_ = false;
    int exceptionsAtStart_;
    UndoState undoBefore_;
    bool modifiedBefore_;
    std::vector<Kept> kept_;
    std::unordered_set<const Shape*> keptSet_;
    std::vector<Shape*> created_;
    std::vector<Folio*> folios_;
};

} // namespace plexo
