#include "store/undo.h"

#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/edittransaction.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"

namespace plexo {

namespace {

struct LabelText {
    int id;
    const char* text;
};

// The undo command's texts; an undo label's redo text is the next id.
constexpr LabelText kLabelTexts[] = {
    {151, "Impossible d'annuler\tCtrl+Z"},
    {152, "&Annuler la création\tCtrl+Z"},
    {153, "&Refaire la création\tCtrl+Z"},
    {154, "&Annuler la suppression\tCtrl+Z"},
    {155, "&Refaire la suppression\tCtrl+Z"},
    {156, "&Annuler le déplacement\tCtrl+Z"},
    {157, "&Refaire le déplacement\tCtrl+Z"},
    {158, "&Annuler le redimensionnement\tCtrl+Z"},
    {159, "&Refaire le redimensionnement\tCtrl+Z"},
    {160, "&Annuler la modification\tCtrl+Z"},
    {161, "&Refaire la modification\tCtrl+Z"},
    {162, "&Annuler l'alignement\tCtrl+Z"},
    {163, "&Refaire l'alignement\tCtrl+Z"},
    {164, "&Annuler coller\tCtrl+Z"},
    {165, "&Refaire coller\tCtrl+Z"},
    {166, "&Annuler la rotation\tCtrl+Z"},
    {167, "&Refaire la rotation\tCtrl+Z"},
    {168, "&Annuler la symétrie\tCtrl+Z"},
    {169, "&Refaire la symétrie\tCtrl+Z"},
};

// Makes the last action permanent in every folio of the document.
void commitFolios(saoDoc& document) {
    for (auto& folio : document.folios) {
        folio->destroyDeadObjects();
        for (auto& object : folio->objects) {
            object->isNew = false;
            object->takeUndoCopy();
        }
    }
    document.undoState.label = 0;
}

} // namespace

std::string undoLabelText(int id) {
    for (const LabelText& entry : kLabelTexts) {
        if (entry.id == id)
            return entry.text;
    }
    return {};
}

void beginAction(saoDoc& document, Folio* folio, int label) {
    commitFolios(document);
    if (label != 0) {
        document.undoState.label = label;
        document.undoState.redo = 0;
        document.setModified(true);
    }
    document.undoState.folio = folio;
}

void recordAction(saoDoc& document, Folio* folio, int label) {
    beginAction(document, folio, label);
    refreshSelectionSummary(document);
}

void commitAction(saoDoc& document, Folio* folio) {
    recordAction(document, folio, 0);
}

void undoAction(saoDoc& document) {
    if (document.undoState.label == 0)
        return;
    EditTransaction exchange(document, EditTransaction::Exchange{});
    for (auto& folio : document.folios) {
        for (auto& owned : folio->objects) {
            Shape& object = *owned;
            if (!object.changed)
                continue;
            exchange.touch(object);
            if (object.alive && object.isNew) {
                object.alive = false;
                object.isNew = false;
            } else if (!object.alive && !object.isNew) {
                object.alive = true;
                object.isNew = true;
            }
            object.exchangeWithUndoCopy();
            exchange.changed(object);
        }
    }
    document.undoState.redo ^= 1;
    // Links are not part of the undo copy: the wires that changed find their ends
    // again from where their points now are.
    for (auto& folio : document.folios) {
        for (auto& owned : folio->objects) {
            if (owned->changed && owned->isWire())
                dropLinks(*owned, true);
        }
    }
    exchange.dropDeadLinksAtEnd();
    exchange.connectLooseEndsAtEnd();
    exchange.finish();
}

UndoMenuLabel undoLabelFor(const saoDoc& document, const Folio* viewFolio) {
    const UndoState& state = document.undoState;
    if (state.label != 0 && state.folio == viewFolio)
        return {undoLabelText(state.label + state.redo), true};
    return {undoLabelText(kUndoUnavailable), false};
}

void markCreated(Shape& shape, bool select) {
    shape.alive = false;
    shape.isNew = false;
    shape.takeUndoCopy();
    shape.alive = true;
    shape.isNew = true;
    shape.changed = true;
    shape.selected = select;
}

Shape& addCreatedObject(Folio& folio, std::unique_ptr<Shape> shape, bool select) {
    shape->folio = &folio;
    markCreated(*shape, select);
    return folio.append(std::move(shape));
}

} // namespace plexo
