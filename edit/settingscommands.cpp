#include "edit/settingscommands.h"

#include "base/userinterface.h"
#include "edit/documentsettings.h"
#include "shell/commandids.h"
#include "store/saodoc.h"

namespace plexo {

namespace {

using Context = SchemaViewContext;
using Rule = Condition<Context>;

// The folio commands need a schéma of its own (not a symbol being edited) and a folio.
const Rule kSchemaFolio = [](const Context& view) {
    return !view.document().isSymbolDocument() && view.folio() != nullptr;
};
const Rule kSchema = [](const Context& view) { return !view.document().isSymbolDocument(); };

} // namespace

void addSettingsCommands(CommandTable<Context>&, const std::function<CommandRow<Context>&(int)>& add) {
    add(cmd::kDocumentSize).does([](Context& view) {
        saoDoc& document = view.document();
        if (const auto chosen = view.askDocumentSize(documentSizeOf(document)))
            applyDocumentSize(document, *chosen);
    });
    add(cmd::kGrids).does([](Context& view) {
        saoDoc& document = view.document();
        if (const auto chosen = view.askGrids(gridsOf(document), document.unitIsMm != 0))
            applyGrids(document, *chosen);
    });
    add(cmd::kWorkUnit).does([](Context& view) {
        saoDoc& document = view.document();
        if (const auto chosen = view.askWorkUnit(document.unitIsMm != 0))
            applyWorkUnit(document, *chosen);
    });
    add(cmd::kPageCount).enabledWhen(kSchemaFolio).does([](Context& view) {
        Folio* folio = view.folio();
        if (!folio)
            return;
        if (const auto chosen = view.askPageCount(pageCountOf(*folio)))
            applyPageCount(view.document(), *folio, *chosen);
    });
    add(cmd::kTitleBlock).enabledWhen(kSchema).does([](Context& view) {
        saoDoc& document = view.document();
        const auto chosen = view.askTitleBlock(titleBlockOf(document));
        if (!chosen)
            return;
        if (const std::optional<std::string> problem = titleBlockProblem(*chosen)) {
            userInterface().messageBox(*problem, kTitleBlockCaption, MessageIcon::Warning);
            return;
        }
        applyTitleBlock(document, *chosen);
    });
}

} // namespace plexo
