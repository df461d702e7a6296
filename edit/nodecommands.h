// The library browser's pop-up menu "MenuNode" as a command table: each row's
// text, when it is enabled for the selected node, and what it does. What needs
// a window (the dialogs, the file chooser, opening an editing document, the
// repaint) the browser provides through NodeCommandContext.
#pragma once

#include "edit/nodedialog.h"
#include "shell/commandtable.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace plexo {

class Lib;
class LibNode;
class saoDib;

class NodeCommandContext {
public:
    virtual ~NodeCommandContext() = default;

    virtual Lib& lib() const = 0;
    // The node the commands act on (the tree's selected node), or nullptr.
    virtual LibNode* selectedNode() const = 0;
    virtual bool clipboardHoldsSymbol() const = 0;

    // Shows the dialog on node; accept is called on each OK and tells whether the
    // dialog may close. True when the dialog was accepted.
    virtual bool runNodeDialog(NodeDialog dialog, LibNode& node,
                               const std::function<NodeDialogOutcome(const NodeDialogValues&)>& accept) = 0;
    // "Importation d'image": an existing bitmap file, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseImageFile() = 0;
    // Opens a schéma document bound to the symbol (with a picture to place on a
    // new symbol's page).
    virtual void editSymbol(LibNode& symbol, std::unique_ptr<saoDib> picture) = 0;
    // The tree changed: lay it out again and repaint.
    virtual void treeChanged() = 0;
};

// The rows of "MenuNode", in menu order.
const CommandTable<NodeCommandContext>& nodeCommands();

// 708: the question for the node's kind, then the deletion. True when deleted.
bool deleteNodeAfterQuestion(Lib& lib, LibNode& node);

} // namespace plexo
