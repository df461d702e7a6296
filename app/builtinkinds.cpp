// The document kinds (and palette contents) the program is built with.
//
// Each subsystem that brings a document kind adds ONE line below, calling
// registerDocumentKind() (app/saomanager.h) with its DocumentKind
// (app/documentkind.h): the name ("Schéma", "Séquence" — the same text
// replaces the manager's built-in entry of that name), the extensions, the
// document factory and, when it exists, the view factory and the optional
// command and status-bar hooks. Palette contents register the same way with
// setPaletteContent() (app/palettewindow.h).
#include "app/palettewindow.h"
#include "app/saomanager.h"
#include "midi/midistrings.h"
#include "midi/seqdoc.h"
#include "midi/view/seqcommands.h"
#include "midi/view/seqview.h"
#include "store/saodoc.h"

namespace plexo {
namespace {

// The séquence: Standard MIDI Files, shown track by track; the view takes the zoom commands.
DocumentKind sequenceKind() {
    DocumentKind kind;
    kind.name = QString::fromUtf8(midistr::kTypeName);
    kind.extensions = {"mid"};
    kind.createDocument = [] { return std::make_unique<seqDoc>(); };
    kind.createView = [](Document& document, QWidget* parent) -> QWidget* {
        return new seqView(static_cast<seqDoc&>(document), parent);
    };
    useCommandTable(kind, sequenceCommands());
    kind.viewStatus = [](Document&, QWidget* widget) {
        auto* view = qobject_cast<seqView*>(widget);
        return ViewStatus{QString::fromStdString(seqView::statusMessage()),
                          QString::fromStdString(seqView::pageIndicator()), view ? view->zoomLevel() : -1};
    };
    return kind;
}

// The schéma: ".dls" documents. Its view comes with the schéma view; until then
// the manager shows its placeholder, and the file commands work on the document.
DocumentKind schemaKind() {
    DocumentKind kind;
    kind.name = QString::fromUtf8("Schéma");
    kind.extensions = {"dls"};
    kind.createDocument = [] { return std::make_unique<saoDoc>(); };
    return kind;
}

} // namespace

void registerBuiltinDocumentKinds() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // registerDocumentKind(...); one line per kind.
    registerDocumentKind(sequenceKind());
    registerDocumentKind(schemaKind());
}

} // namespace plexo
