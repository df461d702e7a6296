// One-level undo kept inside the objects: recording an action takes every alive
// object's undo copy and destroys the objects deleted by the previous action;
// undo exchanges the two copies of every touched object of every folio, and
// redo is the same exchange again.
#pragma once

#include <memory>
#include <string>

namespace plexo {

class Folio;
class Shape;
class saoDoc;

// Labels of the undo command (string ids); the redo label is the undo label + 1.
constexpr int kUndoUnavailable = 151;
constexpr int kUndoCreation = 152;
constexpr int kUndoDeletion = 154;
constexpr int kUndoMove = 156;
constexpr int kUndoResize = 158;
constexpr int kUndoModification = 160;
constexpr int kUndoAlignment = 162;
constexpr int kUndoPaste = 164;
constexpr int kUndoRotation = 166;
constexpr int kUndoSymmetry = 168;

// The undo state of a document.
struct UndoState {
    int label = 0;          // string id of the last action; 0: nothing to undo
    int redo = 0;           // 0 after recording, toggled by each undo
    Folio* folio = nullptr; // the folio the last action was recorded on
};

// The menu text of a label id 151..169 (UTF-8), empty for another id.
std::string undoLabelText(int id);

// Called by an editing operation before it changes anything: makes the previous
// action permanent (the objects it deleted are destroyed, every alive object
// takes its undo copy), then remembers label and folio and marks the document
// modified (label 0 only commits); the selection summary is refreshed.
void recordAction(saoDoc& document, Folio* folio, int label);
// The same without refreshing the summary: an edit transaction refreshes it
// once when it ends (store/edittransaction.h).
void beginAction(saoDoc& document, Folio* folio, int label);
// Makes the last action permanent without offering an undo.
void commitAction(saoDoc& document, Folio* folio);

// Undoes (or redoes) the last action: every changed object of every folio
// exchanges its state with its undo copy; the folio's wires then resolve their
// ends again and follow them.
void undoAction(saoDoc& document);

struct UndoMenuLabel {
    std::string text; // UTF-8
    bool enabled = false;
};
// The text and state of the undo command in a view showing viewFolio.
UndoMenuLabel undoLabelFor(const saoDoc& document, const Folio* viewFolio);

// Marks an object as made by the current action: its undo copy holds it not
// alive; it becomes alive, new and changed, and selected when select is set.
void markCreated(Shape& shape, bool select);
// Appends a newly made object to the folio as the current action's creation
// (markCreated). Returns the appended object.
Shape& addCreatedObject(Folio& folio, std::unique_ptr<Shape> shape, bool select);

} // namespace plexo
