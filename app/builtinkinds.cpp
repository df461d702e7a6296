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

namespace plexo {

void registerBuiltinDocumentKinds() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // registerDocumentKind(...); one line per kind.
}

} // namespace plexo
