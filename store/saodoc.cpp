// The schéma document itself: its store, title, folio list (kept in number
// order, changes told to the views) and the closing of its pending action. Its
// file, header record, folio commands, clipboard folio, operations on the
// single selected object and desktop operations live in store/saodoc*.cpp.
#include "store/saodoc.h"

#include "base/objfile.h"
#include "base/textcodec.h"
#include "shapes/shape.h"
#include "shapes/symbolnode.h"
#include "store/editedsymbol.h"
#include "store/folio.h"
#include "store/storestrings.h"

#include <algorithm>
#include <climits>

namespace plexo {

saoDoc::saoDoc(EditedSymbol* node) : symbolNode(node) {
    objectStyle = objectDefaultStyle();
    symbolStyle = symbolDefaultStyle();
    wireStyle = wireDefaultStyle();
    fourthStyle = rubberBandStyle();
    computeDocumentSize();
}

saoDoc::~saoDoc() {
    if (!closed_)
        close();
}

ObjFile* saoDoc::store() const {
    if (symbolNode)
        return symbolNode->symbolStore();
    return workingCopy_ && workingCopy_->isOpen() ? workingCopy_.get() : nullptr;
}

std::uint8_t saoDoc::headerRecordType() const {
    return symbolNode ? kSymbolHeaderRecordType : kHeaderRecordType;
}

std::int32_t saoDoc::headerRecordKey() const {
    return symbolNode ? symbolNode->symbolKey() : 0;
}

std::string saoDoc::title() const {
    if (symbolNode)
        return cp1252ToUtf8(symbolNode->symbolName()) + strings::kSymbolTitleSuffix;
    if (path().empty())
        return strings::kUntitledSchema;
    return path().filename().string() + strings::kSchemaTitleSuffix;
}

std::unique_ptr<Folio> saoDoc::newFolio() {
    return std::make_unique<Folio>(this);
}

Folio& saoDoc::insertFolio(std::unique_ptr<Folio> folio) {
    folio->document = this;
    // After every folio that the new one does not sort before: after its equals.
    auto position = std::find_if(folios.begin(), folios.end(),
                                 [&](const auto& existing) { return folio->isBefore(*existing); });
    return **folios.insert(position, std::move(folio));
}

std::unique_ptr<Folio> saoDoc::takeFolio(Folio* folio) {
    auto it = std::find_if(folios.begin(), folios.end(), [&](const auto& f) { return f.get() == folio; });
    if (it == folios.end())
        return nullptr;
    std::unique_ptr<Folio> taken = std::move(*it);
    folios.erase(it);
    return taken;
}

int saoDoc::indexOf(const Folio* folio) const {
    for (std::size_t i = 0; i < folios.size(); ++i)
        if (folios[i].get() == folio)
            return static_cast<int>(i);
    return -1;
}

Folio* saoDoc::folioAt(int index) const {
    if (index < 0 || index >= static_cast<int>(folios.size()))
        return nullptr;
    return folios[static_cast<std::size_t>(index)].get();
}

std::int32_t saoDoc::takeNextSerial() {
    if (nextSerial >= 0 && nextSerial < INT32_MAX)
        return ++nextSerial;
    // Serials are never reused, but a damaged header may have used them all up:
    // take the smallest one no folio holds.
    for (std::int32_t candidate = 1;; ++candidate)
        if (std::none_of(folios.begin(), folios.end(), [&](const auto& f) { return f->serial == candidate; }))
            return candidate;
}

void saoDoc::changeFolioList(Folio* folio, int kind) {
    switch (kind) {
    case kFolioAdded:
        // The caller has filed the folio with insertFolio.
        setModified();
        notifyFolioListChanged(folio, kFolioAdded);
        break;
    case kFolioResorted:
        if (auto taken = takeFolio(folio))
            insertFolio(std::move(taken));
        setModified();
        notifyFolioListChanged(folio, kFolioResorted);
        break;
    case kFolioPagesChanged:
        // The page counts are stored in the header: the document must be saved
        // again, or the change would be lost.
        setModified();
        notifyFolioListChanged(folio, kFolioPagesChanged);
        break;
    case kFolioDeleted: {
        if (indexOf(folio) < 0)
            return;
        // Select all and delete, as the user would ("suppression"), then make the
        // deletion permanent: the folio is about to go, so nothing may be left to
        // undo on it, and no undo copy or selection may point into it.
        for (auto& shape : folio->objects)
            shape->selected = shape->alive;
        deleteSelection(*this, *folio);
        commitAction(*this, nullptr);
        setModified();
        notifyFolioListChanged(folio, kFolioDeleted);
        if (ObjFile* container = store(); container && !symbolNode)
            container->freeRecord(kFolioRecordType, folio->serial);
        std::unique_ptr<Folio> taken = takeFolio(folio);
        if (undoState.folio == folio)
            undoState.folio = nullptr;
        if (titleBlock && titleBlock->folio == folio) {
            Folio* first = folios.empty() ? nullptr : folios.front().get();
            titleBlock->folio = first;
            if (titleBlock->infoSymbole)
                for (auto& label : titleBlock->infoSymbole->labels)
                    if (label.shape)
                        label.shape->folio = first;
        }
        taken.reset();
        // The summary is recomputed without the folio (it could name it or one of
        // its objects when a view deselected nothing in between).
        refreshSelectionSummary(*this);
        notifyFolioListChanged(nullptr, kFolioRemoved);
        break;
    }
    default:
        break;
    }
}

void saoDoc::closePendingAction() {
    // The undo code's commit: the dead objects of every folio go, the others take
    // their undo copy, and nothing is left to undo.
    commitAction(*this, undoState.folio);
}

} // namespace plexo
