// The selection summary the document keeps for its views, and the editing
// operations on the selected objects of a folio. Each operation is one edit
// transaction (store/edittransaction.h): recorded for undo under its label
// before the first object changes, the wires kept on their terminals and other
// wires, the areas reported and the summary refreshed once.
#pragma once

#include "shapes/point.h"
#include "shapes/style.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plexo {

class EditTransaction;
class Folio;
class Shape;
class saoDoc;

struct SelectionSummary {
    Rect bounds;      // union of the selected objects' outlines
    Style style;      // merged style of the selection
    bool any = false; // something is selected
    int count = 0;
    Shape* single = nullptr; // the selected object when exactly one is
    Folio* folio = nullptr;  // the folio of the selection
};

// The document's search record (dialog "Recherche").
struct SearchRecord {
    static constexpr std::size_t kMaxText = 50;
    std::string text;           // Windows-1252
    bool wholeName = false;     // "&Nom entier"
    bool caseSensitive = false; // "&Respect MAJ/min"
    int resumeIndex = 0;        // where the next find starts in the folio's list
};

// Alignment operations 0..7 (commands 1653..1659 and 797).
enum AlignOperation : int {
    kAlignTop = 0,
    kAlignBottom = 1,
    kAlignLeft = 2,
    kAlignRight = 3,
    kAlignHorizontalCentres = 4, // same x centre: the objects form a column
    kAlignVerticalCentres = 5,   // same y centre: the objects form a row
    kAlignOnGrid = 6,
    kAlignCentreInFolio = 7,
};

// The summary of the alive, selected objects of every folio.
SelectionSummary selectionSummaryOf(const saoDoc& document);
// Recomputes the document's selection summary and tells the views (101).
void refreshSelectionSummary(saoDoc& document);
// Tells the views that the area of the folio changed (100).
void reportArea(saoDoc& document, Folio& folio, const Rect& area);
// The alive, selected objects of the folio, in list order.
std::vector<Shape*> selectedObjects(const Folio& folio);
// Deselects every object of every folio (except those of keep when given),
// telling the views where their handles were.
void deselectAll(saoDoc& document, Folio* keep = nullptr);

// Every alive wire or cable that is changed, or whose end object is, follows its
// ends (in rounds, so that wires ending on wires that moved follow too); wires
// that moved are marked changed and their areas reported. An edit transaction
// given keeps their state to put it back.
void followChangedWires(saoDoc& document, Folio& folio, EditTransaction* edit = nullptr);

// Moves the selection by (dx, dy), recorded as "déplacement": every selected
// object but control wires moves; a control wire moves whole when both its ends
// are on moved objects, or when it has no joined end and is selected; otherwise
// the points of a selected or joined wire inside the selection tool's rubber band
// move, and the band moves along (so that a further move of the same selection,
// by the arrow keys, takes the same points). Wires then follow their ends.
void moveSelection(saoDoc& document, Folio& folio, std::int32_t dx, std::int32_t dy, Rect& band);
// The same without a band: only whole objects move.
void moveSelection(saoDoc& document, Folio& folio, std::int32_t dx, std::int32_t dy);
// Reshapes one object by a handle ("redimensionnement", the drawing pane's drag
// of a handle): the folio's wires then resolve their ends again and follow.
void resizeObject(saoDoc& document, Folio& folio, Shape& shape, std::int32_t dx, std::int32_t dy, int handle);
// Records "création" and appends a newly made object (see addCreatedObject).
Shape& createObject(saoDoc& document, Folio& folio, std::unique_ptr<Shape> shape, bool select);
// Applies the usable items of style to every selected object ("modification").
void applyStyleToSelection(saoDoc& document, Folio& folio, const Style& style);
// Deletes the selection ("suppression"): the objects stay in the list, not alive,
// until the next recording, and lose their links.
void deleteSelection(saoDoc& document, Folio& folio);
// Turns the selection by 90 (left) or -90 (right) degrees about the mean of the
// selected objects' centres ("rotation").
void rotateSelection(saoDoc& document, Folio& folio, int degrees);
// Mirrors the selection about the mean centre ("symétrie"): operation 0
// horizontal (x), 1 vertical (y).
void mirrorSelection(saoDoc& document, Folio& folio, int operation);
// Alignment operation 0..7 on the selection ("alignement").
void alignSelection(saoDoc& document, Folio& folio, int operation);

// The mean of the selected objects' outline centres (integer division).
Point selectionPivot(const Folio& folio);

// Find next on the folio with the document's search record: deselects everything
// and selects the next matching object, or beeps and starts again from the first
// object next time. Returns the object found.
Shape* findNext(saoDoc& document, Folio& folio);
// Whether a candidate text matches the search record.
bool searchMatches(const SearchRecord& search, const std::string& candidate);

} // namespace plexo
