#include "store/schemaobserver.h"

#include "store/saodoc.h"

namespace plexo {

namespace {

// Passes the typed calls of a schéma document to an observer that only knows
// the numbers.
class NumberedObserver final : public SchemaObserver {
public:
    explicit NumberedObserver(DocumentObserver& target) : target_(target) {}
    void documentChanged(int code, std::intptr_t detail) override { target_.documentChanged(code, detail); }

private:
    DocumentObserver& target_;
};

} // namespace

void SchemaObserver::areaChanged(Folio&, const Rect&) {
    documentChanged(kNotifyAreaChanged, 0);
}

void SchemaObserver::wholeDocumentChanged() {
    documentChanged(kNotifyAreaChanged, kWholeArea);
}

void SchemaObserver::selectionChanged() {
    documentChanged(kNotifySelectionChanged, 0);
}

void SchemaObserver::folioListChanged(Folio*, FolioListChange change) {
    documentChanged(kNotifyFolioListChanged, change);
}

void SchemaObserver::saveViewState() {
    documentChanged(kNotifySaveViewState, 0);
}

void SchemaObserver::releaseFolio() {
    documentChanged(kNotifyReleaseFolio, 0);
}

void SchemaObserver::documentChanged(int, std::intptr_t) {}

template <typename Call> void saoDoc::tellViews(Call call) {
    // A copy of the list, so that a view may remove itself while told.
    const std::vector<DocumentObserver*> views = observers();
    for (DocumentObserver* view : views) {
        if (auto* typed = dynamic_cast<SchemaObserver*>(view)) {
            call(*typed);
        } else {
            NumberedObserver numbered(*view);
            call(numbered);
        }
    }
}

void saoDoc::notifyAreaChanged(Folio& folio, const Rect& area) {
    tellViews([&](SchemaObserver& view) { view.areaChanged(folio, area); });
}

void saoDoc::notifyWholeDocumentChanged() {
    tellViews([](SchemaObserver& view) { view.wholeDocumentChanged(); });
}

void saoDoc::notifySelectionChanged() {
    tellViews([](SchemaObserver& view) { view.selectionChanged(); });
}

void saoDoc::notifyFolioListChanged(Folio* folio, FolioListChange change) {
    tellViews([&](SchemaObserver& view) { view.folioListChanged(folio, change); });
}

void saoDoc::notifySaveViewState() {
    tellViews([](SchemaObserver& view) { view.saveViewState(); });
}

void saoDoc::notifyReleaseFolio() {
    tellViews([](SchemaObserver& view) { view.releaseFolio(); });
}

} // namespace plexo
