// The schéma document's folio commands: add, edit the identification, delete,
// copy under another name.
#include "store/saodoc.h"

#include "base/buffer.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/storestrings.h"

namespace plexo {

namespace {

void copyIdentification(const Folio& from, Folio& to) {
    to.number = from.number;
    to.date = from.date;
    to.author = from.author;
    to.object = from.object;
    to.index = from.index;
    to.titles = from.titles;
    to.revisionAuthors = from.revisionAuthors;
    to.revisionDates = from.revisionDates;
    to.revisionObjects = from.revisionObjects;
    to.pagesDown = from.pagesDown;
    to.pagesAcross = from.pagesAcross;
}

} // namespace

Folio* saoDoc::adoptFolio(std::unique_ptr<Folio> folio) {
    folio->serial = takeNextSerial();
    Folio& added = insertFolio(std::move(folio));
    changeFolioList(&added, kFolioAdded);
    // A copied or pasted folio's wires whose links did not survive the copy (an
    // end on an object left out, or a damaged block) attach to what lies under
    // their free ends.
    added.connectLooseWireEnds();
    if (!added.objects.empty() && added.useCount == 0) {
        // Nobody holds the new folio: its objects go to the store like a release's,
        // and stay in memory when they cannot.
        if (added.storeObjects())
            added.destroyObjects();
    }
    return &added;
}

Folio* saoDoc::addFolio(const FolioDialog& dialog) {
    auto folio = newFolio();
    if (!dialog || !dialog(*folio, FolioDialogKind::NewFolio))
        return nullptr;
    return adoptFolio(std::move(folio));
}

bool saoDoc::editFolioInformation(Folio& folio, const FolioDialog& dialog) {
    // The dialog edits a copy: the folio changes only on OK.
    Folio edited(this);
    copyIdentification(folio, edited);
    if (!dialog || !dialog(edited, FolioDialogKind::Information))
        return false;
    copyIdentification(edited, folio);
    if (folio.pagesDown == 0)
        folio.pagesDown = 1;
    if (folio.pagesAcross == 0)
        folio.pagesAcross = 1;
    changeFolioList(&folio, kFolioResorted);
    return true;
}

bool saoDoc::deleteFolio(Folio& folio) {
    if (folios.size() <= 1) {
        userInterface().messageBox(strings::kCannotDeleteOnlyFolio, strings::kDeleteFolioCaption,
                                   MessageIcon::Warning);
        return false;
    }
    MessageAnswer answer = userInterface().messageBox(
        strings::format(strings::kDeleteFolioQuestion, cp1252ToUtf8(folio.number)),
        strings::kDeleteFolioCaption, MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer != MessageAnswer::Yes)
        return false;
    changeFolioList(&folio, kFolioDeleted);
    return true;
}

bool saoDoc::fillCopy(Folio& target, Buffer& buffer, bool withHeader) {
    userInterface().startProgress(buffer.capacity(), strings::format(strings::kReadingProgress, title()));
    bool ok = withHeader ? target.readClipboardData(buffer) : target.readObjects(buffer, ReadMode::Load);
    if (!withHeader)
        target.relinkWires();
    userInterface().resetProgress();
    return ok;
}

Folio* saoDoc::copyFolioUnderAnotherName(Folio& source, const FolioDialog& dialog) {
    auto copy = newFolio();
    copyIdentification(source, *copy);
    copy->date = Folio::today();
    Buffer buffer;
    {
        FolioHolder held(source);
        source.renumberObjects();
        source.writeObjects(buffer, WhichObjects::All);
        buffer.allocateMeasured();
        source.writeObjects(buffer, WhichObjects::All);
    }
    fillCopy(*copy, buffer, false);
    if (!dialog || !dialog(*copy, FolioDialogKind::NewFolio))
        return nullptr;
    return adoptFolio(std::move(copy));
}

} // namespace plexo
