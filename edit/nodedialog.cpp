#include "edit/nodedialog.h"

#include "library/lib.h"
#include "library/browserstrings.h"

namespace plexo {

NodeDialogSetup nodeDialogSetup(NodeDialog dialog, const LibNode& node) {
    NodeDialogSetup setup;
    switch (dialog) {
    case NodeDialog::CreateLibrary:
        setup.caption = libstr::kCreateLibraryCaption;
        break;
    case NodeDialog::AddFolder:
        setup.caption = libstr::kCreateFolderCaption;
        break;
    case NodeDialog::AddSymbol:
        setup.caption = libstr::kCreateSymbolCaption;
        setup.hasTypeList = true;
        break;
    case NodeDialog::Location:
        setup.caption = libstr::kLocationCaption;
        setup.name = node.name;
        setup.hasBrowse = true;
        break;
    case NodeDialog::FolderProperties:
        setup.caption = libstr::kFolderPropertiesCaption;
        setup.name = node.name;
        break;
    case NodeDialog::SymbolProperties:
        setup.caption = libstr::kSymbolPropertiesCaption;
        setup.name = node.name;
        setup.hasTypeList = true;
        setup.symbolType = node.symbolType < 4 ? node.symbolType : 0;
        break;
    }
    if (dialog == NodeDialog::CreateLibrary || dialog == NodeDialog::AddFolder ||
        dialog == NodeDialog::AddSymbol) {
        setup.showsNodeName = true;
        setup.shownName = node.name;
    }
    return setup;
}

NodeDialogOutcome applyNodeDialog(Lib& lib, NodeDialog dialog, LibNode& node,
                                  const NodeDialogValues& values) {
    auto create = [&](NodeKind kind) {
        bool refused = false;
        LibNode* created = lib.createNode(node, kind, values.name, values.symbolType, &refused);
        if (refused)
            return NodeDialogOutcome::StayOpen;
        if (!created)
            return NodeDialogOutcome::Failed;
        node.expanded = 1;
        return NodeDialogOutcome::Applied;
    };
    switch (dialog) {
    case NodeDialog::CreateLibrary:
        return create(NodeKind::Library);
    case NodeDialog::AddFolder:
        return create(NodeKind::Folder);
    case NodeDialog::AddSymbol:
        return create(NodeKind::Symbol);
    case NodeDialog::Location:
    case NodeDialog::FolderProperties:
    case NodeDialog::SymbolProperties: {
        // A node in use is protected: the menu does not offer its properties.
        if (node.isInUse())
            return NodeDialogOutcome::Failed;
        // The name checks first, with their messages: the dialog stays open.
        if (dialog != NodeDialog::Location && !lib.checkName(node, values.name))
            return NodeDialogOutcome::StayOpen;
        if (values.name.empty()) {
            lib.renameNode(node, values.name);
            return NodeDialogOutcome::StayOpen;
        }
        return lib.renameNode(node, values.name, values.symbolType) ? NodeDialogOutcome::Applied
                                                                    : NodeDialogOutcome::Failed;
    }
    }
    return NodeDialogOutcome::Failed;
}

std::string folderOfChosenFile(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(0, cut);
}

} // namespace plexo
