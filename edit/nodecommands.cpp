#include "edit/nodecommands.h"

#include "base/format.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "library/lib.h"
#include "library/libclipboard.h"
#include "library/libimport.h"
#include "library/browserstrings.h"
#include "shapes/saodib.h"
#include "shell/commandids.h"

namespace plexo {

namespace {

using Context = NodeCommandContext;
using Rule = Condition<Context>;

bool selectedIs(const Context& context, std::initializer_list<NodeKind> kinds) {
    const LibNode* node = context.selectedNode();
    if (!node)
        return false;
    for (NodeKind kind : kinds)
        if (node->kind == kind)
            return true;
    return false;
}

const Rule kLibraryOrFolder = [](const Context& c) {
    return selectedIs(c, {NodeKind::Library, NodeKind::Folder});
};
const Rule kLocation = [](const Context& c) { return selectedIs(c, {NodeKind::Location}); };
const Rule kNotInUse = [](const Context& c) { return c.selectedNode() && !c.selectedNode()->isInUse(); };
// A symbol that no document uses and none edits: it may be cut or opened for
// editing (two editors of one symbol would overwrite each other's records).
const Rule kFreeSymbol = [](const Context& c) {
    const LibNode* node = c.selectedNode();
    return node && node->isSymbol() && node->useCount == 0 && node->editCount == 0;
};

// Runs an action on the selected node.
std::function<void(Context&)> onSelected(std::function<void(Context&, LibNode&)> action) {
    return [action](Context& context) {
        if (LibNode* node = context.selectedNode())
            action(context, *node);
    };
}

void runDialog(Context& context, NodeDialog dialog, LibNode& node) {
    Lib& lib = context.lib();
    context.runNodeDialog(dialog, node, [&context, &lib, dialog, &node](const NodeDialogValues& values) {
        const NodeDialogOutcome outcome = applyNodeDialog(lib, dialog, node, values);
        // At once, while the dialog is still up: a new library folder replaced
        // every node the tree's rows point to.
        if (outcome != NodeDialogOutcome::StayOpen)
            context.treeChanged();
        return outcome;
    });
}

NodeDialog propertiesDialog(const LibNode& node) {
    switch (node.kind) {
    case NodeKind::Location:
        return NodeDialog::Location;
    case NodeKind::Folder:
        return NodeDialog::FolderProperties;
    default:
        return NodeDialog::SymbolProperties;
    }
}

CommandTable<Context> makeTable() {
    CommandTable<Context> table;
    table.add(cmd::kAddSymbol, libstr::kMenuAddSymbol, "")
        .enabledWhen(kLibraryOrFolder)
        .does(onSelected([](Context& c, LibNode& n) { runDialog(c, NodeDialog::AddSymbol, n); }));
    table.add(cmd::kAddFolder, libstr::kMenuAddFolder, "")
        .enabledWhen(kLibraryOrFolder)
        .does(onSelected([](Context& c, LibNode& n) { runDialog(c, NodeDialog::AddFolder, n); }));
    table.add(cmd::kCreateLibrary, libstr::kMenuCreateLibrary, "")
        .enabledWhen(kLocation)
        .does(onSelected([](Context& c, LibNode& n) { runDialog(c, NodeDialog::CreateLibrary, n); }));
    table.add(cmd::kDeleteNode, libstr::kMenuDelete, "")
        .enabledWhen(Rule([](const Context& c) {
                         return selectedIs(c, {NodeKind::Library, NodeKind::Folder, NodeKind::Symbol});
                     }) &&
                     kNotInUse)
        .does(onSelected([](Context& c, LibNode& n) {
            if (deleteNodeAfterQuestion(c.lib(), n))
                c.treeChanged();
        }));
    table.add(cmd::kCutSymbol, libstr::kMenuCut, "")
        .enabledWhen(kFreeSymbol)
        .does(onSelected([](Context& c, LibNode& n) {
            if (cutSymbol(n))
                c.treeChanged();
        }));
    table.add(cmd::kPasteSymbol, libstr::kMenuPaste, "")
        .enabledWhen(kLibraryOrFolder && Rule([](const Context& c) { return c.clipboardHoldsSymbol(); }))
        .does(onSelected([](Context& c, LibNode& n) {
            if (pasteSymbol(n)) {
                n.expanded = 1;
                c.treeChanged();
            }
        }));
    table.add(cmd::kImportImage, libstr::kMenuImport, "")
        .enabledWhen(kLibraryOrFolder)
        .does(onSelected([](Context& c, LibNode& n) {
            std::optional<std::filesystem::path> file = c.chooseImageFile();
            if (!file)
                return;
            ImportedSymbol imported = importSymbolFromImage(c.lib(), n, *file);
            if (!imported.node)
                return;
            n.expanded = 1;
            c.treeChanged();
            c.editSymbol(*imported.node, std::move(imported.picture));
        }));
    table.add(cmd::kEditSymbol, libstr::kMenuEdit, "")
        .enabledWhen(kFreeSymbol)
        .does(onSelected([](Context& c, LibNode& n) {
            c.editSymbol(n, nullptr);
            c.treeChanged();
        }));
    table.add(cmd::kNodeProperties, libstr::kMenuProperties, "")
        .enabledWhen(Rule([](const Context& c) { return !selectedIs(c, {NodeKind::Library}); }) && kNotInUse)
        .does(onSelected([](Context& c, LibNode& n) { runDialog(c, propertiesDialog(n), n); }));
    return table;
}

} // namespace

const CommandTable<NodeCommandContext>& nodeCommands() {
    static const CommandTable<NodeCommandContext> table = makeTable();
    return table;
}

bool deleteNodeAfterQuestion(Lib& lib, LibNode& node) {
    const char* question = nullptr;
    switch (node.kind) {
    case NodeKind::Library:
        question = libstr::kDeleteLibrary;
        break;
    case NodeKind::Folder:
        question = libstr::kDeleteFolder;
        break;
    case NodeKind::Symbol:
        question = libstr::kDeleteSymbol;
        break;
    default:
        return false;
    }
    if (!node.parent || node.isInUse() || (node.kind != NodeKind::Library && !node.owningLibrary()))
        return false;
    const MessageAnswer answer =
        userInterface().messageBox(format(question, cp1252ToUtf8(node.name)), libstr::kProgramCaption,
                                   MessageIcon::Question, MessageButtons::YesNoCancel);
    return answer == MessageAnswer::Yes && lib.deleteNode(node);
}

} // namespace plexo
