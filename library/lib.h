// The symbol library set: one tree whose Location node is the library folder and
// whose Library nodes are the ".dly" files found there. Everything that needs a
// symbol (documents reading symbol objects, title blocks, the JCL flowcharts,
// the browser) reaches it through the one Lib of the application.
#pragma once

#include "library/libnode.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace plexo {

class Lib {
public:
    // locationPath: the library folder (UTF-8, without a trailing separator).
    explicit Lib(std::string locationPath = {});
    ~Lib();
    Lib(const Lib&) = delete;
    Lib& operator=(const Lib&) = delete;

    LibNode root{NodeKind::Root, "", 1};
    LibNode* location = nullptr;   // the only child of root

    // Attaches a Library node for every "*.dly" file of the folder whose container
    // opens as a library and loads its tree; other files are skipped silently.
    void scanLocation();
    // Changes the folder: closeAll, then scanLocation on path.
    void scan(const std::string& path);
    // saveTree on every library (at application close).
    void saveAll();
    // Detaches and deletes every library (without writing their trees).
    void closeAll();

    // Depth first from location: the first Symbol node named exactly `name`.
    LibNode* findSymbol(std::string_view name);
    LibNode* selectedNode();

    // The name checks of the creation and rename dialogs, with their messages
    // ("Entrée incorrecte"): an empty name, a name taken elsewhere in the tree
    // (excluded: the node renamed, or the parent of the node created).
    bool checkName(const LibNode& excluded, std::string_view name) const;

    // Creates a library (parent: location), a folder or a symbol (parent: a library
    // or folder) named `name` (Windows-1252). nullptr when refused or failed; the
    // reason was shown. nameRefused tells the dialog to stay open.
    LibNode* createNode(LibNode& parent, NodeKind kind, std::string_view name,
                        std::uint8_t symbolType = kSymbole, bool* nameRefused = nullptr);
    // Renames a node (for a symbol also its type) and saves its library's tree. A
    // library's file is renamed with it; renaming the location rescans the new
    // folder (and tells locationChanged).
    bool renameNode(LibNode& node, std::string_view name, std::uint8_t symbolType = kSymbole);
    // Deletes a library (and its file), a folder or a symbol (and the records of
    // the symbols deleted). Refused for a node in use.
    bool deleteNode(LibNode& node);

    // Told when the location is renamed, to keep the application's library path.
    std::function<void(const std::string&)> locationChanged;
};

// The application's library set (nullptr until installed; see installLibrary in
// library/libsymbolresolver.h).
Lib* library();
void setLibrary(Lib* lib);

} // namespace plexo
