#include "edit/schemacommands.h"

#include "base/desktopservices.h"
#include "base/userinterface.h"
#include "edit/clipboard.h"
#include "edit/diagnostics.h"
#include "edit/fitoutline.h"
#include "edit/kindrules.h"
#include "edit/pastefile.h"
#include "edit/settingscommands.h"
#include "edit/stylecommands.h"
#include "edit/printcommands.h"
#include "edit/toolbox.h"
#include "jcl/jobflowchart.h"
#include "shapes/shape.h"
#include "shell/commandids.h"
#include "shell/commandtexts.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "store/undo.h"

#include <algorithm>
#include <functional>

namespace plexo {

namespace {

using Context = SchemaViewContext;
using Rule = Condition<Context>;

// The folio commands need a schéma of its own: not a symbol being edited.
const Rule kSchema = [](const Context& view) { return !view.document().isSymbolDocument(); };
const Rule kEditable = [](const Context& view) { return view.isEditable(); };

// "sel": something is selected, on this view's folio.
const Rule kSelection = [](const Context& view) {
    const SelectionSummary& selection = view.document().selection;
    return selection.any && view.folio() && selection.folio == view.folio();
};
// "one": exactly one object is selected, on this view's folio.
const Rule kOne = [](const Context& view) {
    const SelectionSummary& selection = view.document().selection;
    return selection.single && view.folio() && selection.folio == view.folio();
};
// "any": the folio holds an alive object.
bool holdsAlive(const Folio* folio, int kind = -1) {
    return folio && std::any_of(folio->objects.begin(), folio->objects.end(), [kind](const auto& object) {
               return object->alive && (kind < 0 || object->kind == kind);
           });
}
const Rule kAny = [](const Context& view) { return holdsAlive(view.folio()); };
Rule acceptedBySelection(int command) {
    return
        [command](const Context& view) { return view.folio() && selectionAccepts(*view.folio(), command); };
}
const Rule kNamesSomething = [](const Context& view) {
    return view.folio() && selectionNamesSomething(*view.folio());
};
const Rule kHoldsMidiShortcut = [](const Context& view) { return holdsAlive(view.folio(), kMidiShortcut); };

// The selection's operations work on the view's folio.
template <typename Operation> std::function<void(Context&)> onFolio(Operation operation) {
    return [operation](Context& view) {
        if (Folio* folio = view.folio())
            operation(view.document(), *folio);
    };
}

void selectAll(saoDoc& document, Folio& folio) {
    deselectAll(document, &folio);
    for (auto& object : folio.objects)
        object->selected = object->alive;
    document.notifyAreaChanged(folio, folio.extent());
    refreshSelectionSummary(document);
}

void addEditionCommands(CommandTable<Context>& table, const std::function<CommandRow<Context>&(int)>& add) {
    add(cmd::kDelete).enabledWhen(kSelection).does(onFolio(deleteSelection));
    add(cmd::kCut).enabledWhen(kSelection).does(onFolio([](saoDoc& document, Folio& folio) {
        cutSelection(document, folio);
    }));
    add(cmd::kCopy).enabledWhen(kSelection).does(onFolio([](saoDoc&, Folio& folio) {
        copySelection(folio);
    }));
    // As copy, but the picture for other programs shows the whole folio.
    add(cmd::kCopyWholeFolioPicture).enabledWhen(kAny).does(onFolio([](saoDoc&, Folio& folio) {
        copySelection(folio, PictureOf::WholeFolio);
    }));
    add(cmd::kPaste)
        .enabledWhen([](const Context& view) { return view.folio() && clipboardCanPaste(); })
        .does([](Context& view) {
            if (Folio* folio = view.folio())
                pasteFromClipboard(view.document(), *folio, view.pasteOrigin(), view.paneZoom());
        });
    add(cmd::kDuplicate).enabledWhen(kSelection).does([](Context& view) {
        if (Folio* folio = view.folio())
            duplicateSelection(view.document(), *folio, view.pasteOrigin());
    });
    add(cmd::kProperties).enabledWhen(kOne).does([](Context& view) { view.openProperties(); });
    add(cmd::kSelectAll).enabledWhen(kAny).does(onFolio(selectAll));
    for (int id = cmd::kBringToFront; id <= cmd::kSendToBack; ++id) {
        const auto operation = static_cast<ZOrder>(id - cmd::kBringToFront);
        add(id).enabledWhen(kOne).does(onFolio(
            [operation](saoDoc& document, Folio& folio) { document.changeZOrder(folio, operation); }));
    }
    // Alignments 0..5 need several objects; 6 (on the grid) and 7 (centre) one is enough.
    for (int id = cmd::kAlignTop; id <= cmd::kCentreVertically; ++id)
        add(id).enabledWhen(kSelection && !kOne).does(onFolio([id](saoDoc& document, Folio& folio) {
            alignSelection(document, folio, id - cmd::kAlignTop);
        }));
    add(cmd::kAlignOnGrid).enabledWhen(kSelection).does(onFolio([](saoDoc& document, Folio& folio) {
        alignSelection(document, folio, kAlignOnGrid);
    }));
    add(cmd::kCentreInFolio).enabledWhen(kSelection).does(onFolio([](saoDoc& document, Folio& folio) {
        alignSelection(document, folio, kAlignCentreInFolio);
    }));
    add(cmd::kRotateLeft).enabledWhen(kSelection).does(onFolio([](saoDoc& document, Folio& folio) {
        rotateSelection(document, folio, 90);
    }));
    add(cmd::kRotateRight).enabledWhen(kSelection).does(onFolio([](saoDoc& document, Folio& folio) {
        rotateSelection(document, folio, -90);
    }));
    add(cmd::kFlipHorizontal).enabledWhen(kSelection).does(onFolio([](saoDoc& document, Folio& folio) {
        mirrorSelection(document, folio, 0);
    }));
    add(cmd::kFlipVertical).enabledWhen(kSelection).does(onFolio([](saoDoc& document, Folio& folio) {
        mirrorSelection(document, folio, 1);
    }));
    add(cmd::kFitOutline).enabledWhen(acceptedBySelection(cmd::kFitOutline)).does([](Context& view) {
        if (Folio* folio = view.folio())
            fitSelectionOutlines(view.document(), *folio, view.paneZoom());
    });
    add(cmd::kUseFormatAsModel)
        .enabledWhen(kOne && acceptedBySelection(cmd::kUseFormatAsModel))
        .does(onFolio([](saoDoc& document, Folio& folio) { document.takeStyleAsModel(folio); }));
    add(cmd::kGoToFolio).enabledWhen(kNamesSomething).does([](Context& view) {
        if (Folio* folio = view.folio())
            if (Folio* target = view.document().findFolioForSelection(*folio))
                view.showFolio(view.document().indexOf(target));
    });
    add(cmd::kOpenWebSite).enabledWhen(kNamesSomething).does(onFolio([](saoDoc& document, Folio& folio) {
        document.openInternetShortcut(folio);
    }));
    add(cmd::kPlayMidi).enabledWhen(kHoldsMidiShortcut).does(onFolio([](saoDoc& document, Folio& folio) {
        document.playMidiShortcut(folio);
    }));
    add(cmd::kStopMidi).enabledWhen(kHoldsMidiShortcut).does([](Context& view) {
        view.document().stopMidi();
    });
    const Rule mailService = [](const Context&) { return desktopServices().hasMailService(); };
    add(cmd::kSend).enabledWhen(mailService && kSchema && kAny).does([](Context& view) {
        view.document().sendByMail();
    });
    // Find: the dialog, then find next; the pane centres on what was found.
    auto findNextOn = [](Context& view) {
        if (Folio* folio = view.folio())
            if (Shape* found = findNext(view.document(), *folio))
                view.centreOn(found->outline);
    };
    add(cmd::kFind).enabledWhen(kAny).does([findNextOn](Context& view) {
        if (view.editSearch())
            findNextOn(view);
    });
    add(cmd::kFindNext)
        .enabledWhen(kAny && Rule([](const Context& view) { return !view.document().search.text.empty(); }))
        .does(findNextOn);
    // JCL reverse-documentation: the jobs drawn into new folios; the view shows the first.
    for (const bool wholeFolder : {false, true}) {
        add(wholeFolder ? cmd::kJclReverseSet : cmd::kJclReverse).does([wholeFolder](Context& view) {
            const std::optional<std::filesystem::path> chosen = view.chooseJclFile(wholeFolder);
            if (!chosen)
                return;
            saoDoc& document = view.document();
            std::vector<const Folio*> before;
            for (const auto& folio : document.folios)
                before.push_back(folio.get());
            if (wholeFolder)
                importJclFolder(document, chosen->parent_path());
            else
                importJclFile(document, *chosen);
            for (std::size_t i = 0; i < document.folios.size(); ++i) {
                if (std::find(before.begin(), before.end(), document.folios[i].get()) == before.end()) {
                    view.showFolio(static_cast<int>(i));
                    break;
                }
            }
        });
    }
    add(cmd::kPasteFromFile).does([](Context& view) {
        if (Folio* folio = view.folio())
            if (const std::optional<std::filesystem::path> file = view.choosePasteFile())
                pasteFromFile(view.document(), *folio, *file, view.pasteOrigin());
    });
    add(cmd::kCopyFolio).enabledWhen(kAny).does(onFolio([](saoDoc& document, Folio& folio) {
        document.copyFolioToClipboard(folio);
    }));
    add(cmd::kPasteFolio)
        .enabledWhen([](const Context&) { return userInterface().clipboardHasFormat(kFolioFormat); })
        .does([](Context& view) {
            if (Folio* pasted = view.document().pasteFolioFromClipboard())
                view.showFolio(view.document().indexOf(pasted));
        });
}

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

    addEditionCommands(table, add);
    addSettingsCommands(table, add);
    addStyleCommands(table, add);
    addPrintCommands(table, add);
    addDiagnosticCommands(table, add);

    add(cmd::kAddFolio).enabledWhen(kSchema).does([](Context& view) { view.addFolio(); });
    add(cmd::kFolioInfo).enabledWhen(kSchema).does([](Context& view) { view.folioInformation(); });
    add(cmd::kDeleteFolio).enabledWhen(kSchema).does([](Context& view) { view.deleteFolio(); });
    add(cmd::kCopyFolioAs).enabledWhen(kSchema).does([](Context& view) { view.copyFolioUnderAnotherName(); });
    add(cmd::kFolioList).enabledWhen(kSchema).does([](Context& view) { view.folioList(); });
    add(cmd::kExportDxf)
        .enabledWhen([](const Context& view) { return view.folio() != nullptr; })
        .does([](Context& view) { view.exportFolioDxf(); });
    return table;
}

} // namespace

const CommandTable<SchemaViewContext>& schemaCommands() {
    static const CommandTable<SchemaViewContext> table = makeSchemaCommands();
    return table;
}

} // namespace plexo
