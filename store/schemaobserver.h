// What a schéma document tells the views that show it. Each call says what
// changed; a view that only knows the numbered notifications of the base
// document (the frame, a séquence-style observer) receives the same calls as
// their numbers, mapped once here.
#pragma once

#include "base/document.h"
#include "shapes/point.h"

#include <cstdint>

namespace plexo {

class Folio;

// The numbered notifications (DocumentObserver::documentChanged codes).
constexpr int kNotifyAreaChanged = 100; // detail: kWholeArea or 0
constexpr int kNotifySelectionChanged = 101;
constexpr int kNotifyFolioListChanged = 102; // detail: the change kind 0..4
constexpr int kNotifySaveViewState = 103;
constexpr int kNotifyReleaseFolio = 104;
constexpr std::intptr_t kWholeArea = 1;

// changeFolioList kinds; kFolioRemoved is only sent to the views after kDelete.
enum FolioListChange : int {
    kFolioAdded = 0,
    kFolioResorted = 1,
    kFolioPagesChanged = 2,
    kFolioDeleted = 3,
    kFolioRemoved = 4
};

class SchemaObserver : public DocumentObserver {
public:
    // An area of a folio, in document units, must be repainted.
    virtual void areaChanged(Folio& folio, const Rect& area);
    // The document's settings changed (page size, grids, title block): every
    // view lays out and repaints everything.
    virtual void wholeDocumentChanged();
    // The document's selection summary was recomputed.
    virtual void selectionChanged();
    // The folio list changed: folio is the folio added, re-sorted, resized or
    // about to be deleted; none once it is removed (kFolioRemoved).
    virtual void folioListChanged(Folio* folio, FolioListChange change);
    // The views store their state in the document before its header is written.
    virtual void saveViewState();
    // The document closes: the views let go of their folio.
    virtual void releaseFolio();

    // Each call above, unless overridden, arrives here as its number (100..104).
    void documentChanged(int code, std::intptr_t detail) override;
};

} // namespace plexo
