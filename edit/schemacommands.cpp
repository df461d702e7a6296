#include "edit/schemacommands.h"

#include "edit/toolbox.h"
#include "shell/commandids.h"
#include "shell/commandtexts.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "store/undo.h"

namespace plexo {

namespace {

using Context = SchemaViewContext;
using Rule = Condition<Context>;

// The folio commands need a schéma of its own: not a symbol being edited.
const Rule kSchema = [](const Context& view) { return !view.document().isSymbolDocument(); };
const Rule kEditable = [](const Context& view) { return view.isEditable(); };

CommandTable<Context> makeSchemaCommands() {
    CommandTable<Context> table;
    auto add = [&table](int id) -> CommandRow<Context>& {
        const CommandInfo* info = commandInfo(id);
        return table.add(id, info ? info->text : "", info ? info->hint : "");
    };
    for (int id = cmd::kZoomFirst; id <= cmd::kZoomOut; ++id)
        add(id).does([id](Context& view) { view.zoomCommand(id); });

    add(cmd::kShowTabStrip)
        .enabledWhen(kEditable)
        .checkedWhen([](const Context& view) { return view.tabsShown(); })
        .does([](Context& view) { view.setTabsShown(!view.tabsShown()); });
    add(cmd::kShowRulers)
        .checkedWhen([](const Context& view) { return view.rulersShown(); })
        .does([](Context& view) { view.setRulersShown(!view.rulersShown()); });
    add(cmd::kShowGrid)
        .checkedWhen([](const Context& view) { return view.gridShown(); })
        .does([](Context& view) { view.setGridShown(!view.gridShown()); });
    add(cmd::kSnapToGrid)
        .checkedWhen([](const Context& view) { return view.document().snapToGrid != 0; })
        .does([](Context& view) {
            saoDoc& document = view.document();
            document.snapToGrid = document.snapToGrid ? 0 : 1;
            document.setModified();
        });
    add(cmd::kShowTerminals)
        .checkedWhen([](const Context& view) { return view.document().showTerminals != 0; })
        .does([](Context& view) {
            saoDoc& document = view.document();
            document.showTerminals = document.showTerminals ? 0 : 1;
            document.setModified();
            document.notifyWholeDocumentChanged();
        });

    for (int id = cmd::kToolFirst; id <= cmd::kToolLast; ++id) {
        add(id)
            .checkedWhen([id](const Context&) { return toolChoice().current() == id; })
            .does([id](Context& view) {
                toolChoice().choose(id);
                // The drawing tools start from an empty selection.
                if (id != cmd::kToolSelection && id != cmd::kToolMagnifier) {
                    deselectAll(view.document());
                    refreshSelectionSummary(view.document());
                }
            });
    }
    add(cmd::kUndo)
        .enabledWhen([](const Context& view) { return undoLabelFor(view.document(), view.folio()).enabled; })
        .labelledBy([](const Context& view) { return undoLabelFor(view.document(), view.folio()).text; })
        .does([](Context& view) {
            // A construction in progress is dropped, not left open over the undone
            // folio; the views repaint from the document's notifications.
            view.cancelConstruction();
            if (undoLabelFor(view.document(), view.folio()).enabled)
                undoAction(view.document());
        });

    add(cmd::kAddFolio).enabledWhen(kSchema).does([](Context& view) { view.addFolio(); });
    add(cmd::kFolioInfo).enabledWhen(kSchema).does([](Context& view) { view.folioInformation(); });
    add(cmd::kDeleteFolio).enabledWhen(kSchema).does([](Context& view) { view.deleteFolio(); });
    add(cmd::kCopyFolioAs).enabledWhen(kSchema).does([](Context& view) { view.copyFolioUnderAnotherName(); });
    add(cmd::kFolioList).enabledWhen(kSchema).does([](Context& view) { view.folioList(); });
    return table;
}

} // namespace

const CommandTable<SchemaViewContext>& schemaCommands() {
    static const CommandTable<SchemaViewContext> table = makeSchemaCommands();
    return table;
}

} // namespace plexo
