#include "edit/printcommands.h"

#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/undo.h"

namespace plexo {

namespace {

using Context = SchemaViewContext;

bool hasFolio(const Context& view) {
    return view.folio() != nullptr;
}

// What prints is what the folio holds: the last action is committed first, so
// objects that are not alive are gone and nothing is left to undo.
void commitThenPrint(Context& view, bool preview) {
    if (!view.folio())
        return;
    view.cancelConstruction();
    commitAction(view.document(), view.document().undoState.folio);
    view.printFolio(preview);
}

} // namespace

void addPrintCommands(CommandTable<Context>& table, const std::function<CommandRow<Context>&(int)>& add) {
    (void)table;
    add(cmd::kPrint).enabledWhen(hasFolio).does([](Context& view) { commitThenPrint(view, false); });
    add(cmd::kPrintPreview).enabledWhen(hasFolio).does([](Context& view) { commitThenPrint(view, true); });
    add(cmd::kPageSetup).does([](Context& view) { view.pageSetup(); });
    add(cmd::kPresentation)
        .enabledWhen(hasFolio)
        .checkedWhen([](const Context& view) { return view.presentationOpen(); })
        .does([](Context& view) { view.togglePresentation(); });
}

} // namespace plexo
