// One node of the symbol library tree: the root, the library folder (Location),
// a library file (".dly"), a folder inside a library or a symbol. A Library node
// owns its open container; a Symbol node lends its drawing, loaded on first use
// and freed at the last release.
#pragma once

#include "shapes/symbolnode.h"
#include "store/editedsymbol.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

class Buffer;
class Folio;
class ObjFile;
class saoDoc;

enum class NodeKind : std::uint8_t { Root = 0, Location = 1, Library = 2, Folder = 3, Symbol = 4 };

enum SymbolType : std::uint8_t {
    kSymbole = 0,        // "Symbole"
    kSymboleMaitre = 1,  // "Symbole maitre"
    kSymboleEsclave = 2, // "Symbole esclave"
    kCartouche = 3,      // "Cartouche": a title block
};

// Record types of a library container.
constexpr std::uint8_t kTreeRecordType = 3; // key 0
constexpr const char* kLibraryExtension = ".dly";

// The extent of a loaded drawing, in this order.
struct SymbolBounds {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const SymbolBounds&, const SymbolBounds&) = default;
};

// A node lends its drawing to symbol instances (SymbolNode) and its records to
// the document editing it (EditedSymbol).
class LibNode : public SymbolNode, public EditedSymbol {
public:
    LibNode(NodeKind kind, std::string name, std::uint8_t expanded = 0);
    ~LibNode();
    LibNode(const LibNode&) = delete;
    LibNode& operator=(const LibNode&) = delete;

    NodeKind kind;
    std::int32_t id = 0; // unique in a library; the Library node is 0
    // Windows-1252 bytes. Library: the file name with ".dly"; Location: the folder
    // path (UTF-8, never stored); folders and symbols: the name typed.
    std::string name;
    std::uint8_t expanded = 0;
    std::vector<std::unique_ptr<LibNode>> children; // owned, in child order
    LibNode* parent = nullptr;
    std::uint8_t selected = 0;
    std::unique_ptr<ObjFile> file; // Library nodes only
    // Library nodes: the file's real path (UTF-8), which the Windows-1252 name
    // may not spell ("Ωmega.dly" is shown as "?mega.dly"); empty until found or made.
    std::string filePath;
    std::int32_t useCount = 0;
    std::int32_t editCount = 0;
    std::unique_ptr<Folio> drawing; // while useCount > 0
    std::uint8_t symbolType = kSymbole;
    SymbolBounds bounds;

    bool isSymbol() const { return kind == NodeKind::Symbol; }

    // SymbolNode: the drawing while it is loaded.
    const std::vector<std::unique_ptr<Shape>>* drawingObjects() const override;
    Rect drawingBounds() const override { return {bounds.left, bounds.top, bounds.right, bounds.bottom}; }
    // EditedSymbol: the owning library's container, this node's id and name.
    ObjFile* symbolStore() override;
    std::int32_t symbolKey() const override { return id; }
    const std::string& symbolName() const override { return name; }
    void beginEdit() override { ++editCount; }
    void endEdit() override {
        if (editCount > 0)
            --editCount;
    }
    // A symbol of a read-only library is not edited (the user is told why).
    bool mayEdit() override { return checkWritable(); }

    // Inserts by the child order rule and sets the child's parent.
    LibNode& attachChild(std::unique_ptr<LibNode> child);
    // Takes the child out (by identity); it is not deleted. nullptr when not a child.
    std::unique_ptr<LibNode> detachChild(LibNode* child);

    LibNode* findById(std::int32_t value);
    LibNode* owningLibrary();
    LibNode* treeRoot();
    // One more than the largest id of the owning library, skipping ids in use; 0
    // without an owning library.
    std::int32_t nextFreeId();
    bool isInUse() const;
    // Whether another node of the whole tree has this name, ignoring case.
    bool nameTaken(std::string_view candidate) const;

    // The library file's path: filePath when known, else the Location folder, "/",
    // the node's name.
    std::string libraryPath() const;
    // Library nodes: opens the container at libraryPath(), read-only when it cannot
    // be written (a damaged tail is cut after a copy is kept, see
    // library/libraryfile.h); creates it only with createIfMissing. False unless it
    // is a library of kind "L", version 100.
    bool openLibraryFile(bool createIfMissing = false);
    // Whether the owning library was opened read-only.
    bool isReadOnly();
    // False, after telling the user (caption "Librairie"), when the owning library
    // is read-only: every change of its tree or of its symbols asks this first.
    bool checkWritable();
    // Library nodes: reads the tree record (3, 0) and builds the nodes below.
    // A damaged record keeps the nodes read before it (with a log line).
    void loadTree();
    // Library nodes with an open file: writes the tree record.
    bool saveTree();
    // The tree record of this Library node.
    void writeTreeRecord(Buffer& buffer) const;
    // One node record (also used by the symbol clipboard data); nothing for a node
    // without a parent or with an empty name.
    static void writeNodeRecord(Buffer& buffer, const LibNode& node);
    // Reads one node record after its marker byte 1; nullptr when it does not decode.
    static std::unique_ptr<LibNode> readNodeRecord(Buffer& buffer, std::int32_t& parentId);

    // Symbol nodes not being edited: the first user loads record (5, id) into
    // drawing (for document) and sets bounds. True when the node counted the user
    // (the drawing may still be empty); false when nothing was acquired.
    bool acquireDrawing(saoDoc* document);
    void releaseDrawing(saoDoc* document);

private:
    bool loading_ = false; // the drawing is being read (guards symbols that contain themselves)
};

// Told when a symbol's drawing becomes used or unused (the browser shows used
// symbols in bold). nullptr removes the listener.
void setSymbolUsageListener(std::function<void(LibNode&)> listener);

// Library names compare byte by byte for the child order (Windows-1252 bytes, the
// same on every machine) and without case for nameTaken (ASCII and the accented
// letters of Windows-1252).
bool nameBefore(std::string_view a, std::string_view b);
bool namesEqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace plexo
