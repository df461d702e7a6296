#include "edit/fitoutline.h"

#include "shapes/contentfit.h"
#include "shapes/shape.h"
#include "store/edittransaction.h"
#include "store/folio.h"
#include "store/undo.h"

namespace plexo {

bool fitSelectionOutlines(saoDoc& document, Folio& folio, int zoom) {
    EditTransaction edit(document, folio, kUndoModification);
    for (auto& object : folio.objects) {
        Shape& shape = *object;
        // An object that already fits is left out of the action.
        if (shape.alive && shape.selected && fitChanges(shape, zoom))
            edit.modify(shape, [zoom](Shape& fitted) { fitToContent(fitted, zoom); });
    }
    edit.finish();
    return edit.hasRecorded();
}

} // namespace plexo
