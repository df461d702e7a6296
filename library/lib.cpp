#include "library/lib.h"

#include "base/objfile.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "library/libsymbolresolver.h"
#include "store/saodoc.h"
#include "store/storestrings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace plexo {

namespace {

Lib* currentLibrary = nullptr;

bool endsWithDly(std::string_view name) {
    return name.size() >= 4 && namesEqualIgnoringCase(name.substr(name.size() - 4), kLibraryExtension);
}

LibNode* findSymbolBelow(LibNode& node, std::string_view name) {
    if (node.isSymbol() && node.name == name)
        return &node;
    for (auto& child : node.children)
        if (LibNode* found = findSymbolBelow(*child, name))
            return found;
    return nullptr;
}

LibNode* findSelected(LibNode& node) {
    if (node.selected)
        return &node;
    for (auto& child : node.children)
        if (LibNode* found = findSelected(*child))
            return found;
    return nullptr;
}

// Frees the records of every symbol of a subtree that leaves its library, so that
// a later symbol given the same id does not find them.
void freeSymbolRecords(ObjFile& file, const LibNode& node) {
    if (node.isSymbol()) {
        file.freeRecord(kSymbolDrawingRecordType, node.id);
        file.freeRecord(kSymbolHeaderRecordType, node.id);
    }
    for (const auto& child : node.children)
        freeSymbolRecords(file, *child);
}

void creationFailed(const char* message) {
    userInterface().messageBox(message, strings::kLibraryCaption, MessageIcon::Warning);
}

} // namespace

Lib* library() {
    return currentLibrary;
}

void setLibrary(Lib* lib) {
    currentLibrary = lib;
}

Lib::Lib(std::string locationPath) {
    while (locationPath.size() > 1 && (locationPath.back() == '/' || locationPath.back() == '\\'))
        locationPath.pop_back();
    location = &root.attachChild(std::make_unique<LibNode>(NodeKind::Location, std::move(locationPath), 1));
}

Lib::~Lib() {
    // Drawings still loaded hold nested symbols of this tree: they must not be
    // released through a resolver into nodes already gone.
    if (currentLibrary == this)
        installLibrary(nullptr);
}

void Lib::scanLocation() {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(location->name, error), end; !error && it != end;
         it.increment(error)) {
        const auto& path = it->path();
        std::string fileName = path.filename().string();
        if (endsWithDly(fileName) && it->is_regular_file(error))
            files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        LibNode& node = location->attachChild(
            std::make_unique<LibNode>(NodeKind::Library, utf8ToCp1252(path.filename().string()), 0));
        if (node.openLibraryFile())
            node.loadTree();
        else
            location->detachChild(&node);
    }
}

void Lib::scan(const std::string& path) {
    closeAll();
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    location->name = folder;
    scanLocation();
}

void Lib::saveAll() {
    for (auto& node : location->children)
        if (node->kind == NodeKind::Library)
            node->saveTree();
}

void Lib::closeAll() {
    while (!location->children.empty())
        location->detachChild(location->children.back().get());
}

LibNode* Lib::findSymbol(std::string_view name) {
    return findSymbolBelow(*location, name);
}

LibNode* Lib::selectedNode() {
    return findSelected(root);
}

bool Lib::checkName(const LibNode& excluded, std::string_view name) const {
    if (name.empty()) {
        userInterface().messageBox(strings::kNameRequired, strings::kIncorrectEntryCaption,
                                   MessageIcon::Warning);
        return false;
    }
    if (excluded.nameTaken(name)) {
        userInterface().messageBox(strings::kNameTaken, strings::kIncorrectEntryCaption,
                                   MessageIcon::Warning);
        return false;
    }
    return true;
}

LibNode* Lib::createNode(LibNode& parent, NodeKind kind, std::string_view typed, std::uint8_t symbolType,
                         bool* nameRefused) {
    if (nameRefused)
        *nameRefused = false;
    std::string name(typed);
    if (kind == NodeKind::Library && !name.empty() && !endsWithDly(name))
        name += kLibraryExtension;
    if (!checkName(parent, name)) {
        if (nameRefused)
            *nameRefused = true;
        return nullptr;
    }
    if (kind == NodeKind::Library) {
        LibNode& node = location->attachChild(std::make_unique<LibNode>(NodeKind::Library, name, 0));
        if (&parent != location || name.find('/') != std::string::npos || !node.openLibraryFile()) {
            location->detachChild(&node);
            creationFailed(strings::kCannotCreateLibrary);
            return nullptr;
        }
        return &node;
    }
    const char* failure =
        kind == NodeKind::Folder ? strings::kCannotCreateFolder : strings::kCannotCreateSymbol;
    if ((kind != NodeKind::Folder && kind != NodeKind::Symbol) ||
        (parent.kind != NodeKind::Library && parent.kind != NodeKind::Folder)) {
        creationFailed(failure);
        return nullptr;
    }
    LibNode& node = parent.attachChild(std::make_unique<LibNode>(kind, name, 0));
    if (kind == NodeKind::Symbol)
        node.symbolType = symbolType;
    LibNode* owner = parent.owningLibrary();
    std::int32_t id = owner ? node.nextFreeId() : 0;
    if (!owner || id == 0) {
        parent.detachChild(&node);
        creationFailed(failure);
        return nullptr;
    }
    node.id = id;
    if (!owner->saveTree()) {
        parent.detachChild(&node);
        creationFailed(failure);
        return nullptr;
    }
    return &node;
}

bool Lib::renameNode(LibNode& node, std::string_view typed, std::uint8_t symbolType) {
    std::string name(typed);
    if (node.kind == NodeKind::Location) {
        // Symbol objects of open documents refer to the nodes that a rescan replaces.
        if (node.isInUse())
            return false;
        if (name.empty()) {
            userInterface().messageBox(strings::kNameRequired, strings::kIncorrectEntryCaption,
                                       MessageIcon::Warning);
            return false;
        }
        if (locationChanged)
            locationChanged(name);
        scan(name);
        return true;
    }
    if (node.kind == NodeKind::Library && !name.empty() && !endsWithDly(name))
        name += kLibraryExtension;
    if (!checkName(node, name))
        return false;
    if (node.kind == NodeKind::Library) {
        // The library's name is its file's name: the file follows.
        if (name.find('/') != std::string::npos || node.isInUse())
            return false;
        std::string oldPath = node.libraryPath();
        std::string oldName = node.name;
        node.file.reset();
        node.name = name;
        std::error_code error;
        std::filesystem::rename(oldPath, node.libraryPath(), error);
        if (error)
            node.name = oldName;
        node.openLibraryFile();
        return !error;
    }
    node.name = name;
    if (node.isSymbol())
        node.symbolType = symbolType;
    if (LibNode* owner = node.owningLibrary())
        owner->saveTree();
    return true;
}

bool Lib::deleteNode(LibNode& node) {
    if (!node.parent || node.isInUse())
        return false;
    LibNode& parent = *node.parent;
    switch (node.kind) {
    case NodeKind::Library: {
        std::unique_ptr<LibNode> taken = parent.detachChild(&node);
        if (taken->file) {
            taken->file->close();
            taken->file->deleteFile();
        }
        return true;
    }
    case NodeKind::Folder:
    case NodeKind::Symbol: {
        LibNode* owner = node.owningLibrary();
        if (owner)
            freeSymbolRecords(*owner->file, node);
        parent.detachChild(&node);
        if (owner)
            owner->saveTree();
        return true;
    }
    default:
        return false;
    }
}

} // namespace plexo
