// The six node dialogs of the library browser ("DlogAddNode") as values: what
// each one shows, and what its OK does to the library (the name checks, the
// creation or the rename). The Qt dialog fills its widgets from
// nodeDialogSetup and calls applyNodeDialog on OK; it closes unless the
// outcome is StayOpen.
#pragma once

#include <cstdint>
#include <string>

namespace plexo {

class Lib;
class LibNode;

enum class NodeDialog {
    CreateLibrary = 1030,
    AddFolder = 1032,
    AddSymbol = 1033,
    Location = 1034,
    FolderProperties = 1035,
    SymbolProperties = 1036,
};

struct NodeDialogSetup {
    const char* caption = ""; // UTF-8
    std::string shownName;    // static 1031 (Windows-1252); empty when the dialog has none
    bool showsNodeName = false;
    std::string name;         // edit 1062 at the start (Windows-1252)
    bool hasTypeList = false; // combo box 1038
    std::uint8_t symbolType = 0;
    bool hasBrowse = false; // button 1105 "&Parcourir..."
};

struct NodeDialogValues {
    std::string name; // Windows-1252
    std::uint8_t symbolType = 0;
};

enum class NodeDialogOutcome { Applied, StayOpen, Failed };

NodeDialogSetup nodeDialogSetup(NodeDialog dialog, const LibNode& node);

// OK of the dialog on node (the parent for the creations). A created library or
// folder's parent is expanded so that the new node shows.
NodeDialogOutcome applyNodeDialog(Lib& lib, NodeDialog dialog, LibNode& node, const NodeDialogValues& values);

// "&Parcourir...": the folder of the chosen file (cut at its last separator).
std::string folderOfChosenFile(const std::string& path);

} // namespace plexo
