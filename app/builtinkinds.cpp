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
#include "edit/schemacommands.h"
#include "midi/midistrings.h"
#include "midi/seqdoc.h"
#include "midi/view/seqcommands.h"
#include "midi/view/seqview.h"
#include "store/saodoc.h"
#include "views/schema/attribview.h"
#include "views/schema/saoview.h"

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
                          QString::fromStdString(view ? view->positionIndicator() : seqView::pageIndicator()),
                          view ? view->zoomLevel() : -1};
    };
    return kind;
}

// The schéma: ".dls" documents, shown folio by folio, with the view's command table.
DocumentKind schemaKind() {
    DocumentKind kind;
    kind.name = QString::fromUtf8("Schéma");
    kind.extensions = {"dls"};
    kind.createDocument = [] { return std::make_unique<saoDoc>(); };
    kind.createView = [](Document& document, QWidget* parent) -> QWidget* {
        return new saoView(static_cast<saoDoc&>(document), parent);
    };
    useCommandTable<SchemaViewContext>(kind, schemaCommands(), [](QWidget* widget) -> SchemaViewContext* {
        return qobject_cast<saoView*>(widget);
    });
    kind.viewStatus = [](Document&, QWidget* widget) {
        auto* view = qobject_cast<saoView*>(widget);
        if (!view)
            return ViewStatus{};
        return ViewStatus{QString::fromStdString(view->statusMessage()),
                          QString::fromStdString(view->pageIndicator()), view->zoomLevel()};
    };
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
    setPaletteContent(PaletteKind::Attributes,
                      [](QWidget* parent) -> QWidget* { return new AttribView(parent); });
}

} // namespace plexo
