#include "library/lib.h"

#include "base/objfile.h"
#include "base/privatefile.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "library/librarystrings.h"
#include "library/libsymbolresolver.h"
#include "store/saodoc.h"
#include "store/storestrings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
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

// A library refusal or failure, told with the caption "Librairie".
bool refuse(const std::string& message) {
    userInterface().messageBox(message, strings::kLibraryCaption, MessageIcon::Warning);
    return false;
}

// The same directory entry (not merely the same target: a link is not its target).
bool sameEntry(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return ::lstat(a.c_str(), &first) == 0 && ::lstat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Renames the file without ever replacing another one. A change of case only on
// a folder that ignores case is the same entry and is renamed in place.
bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (sameEntry(from, to))
        return ::rename(from.c_str(), to.c_str()) == 0;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system without the no-replace rename: the name was found free just before.
    if ((errno == EINVAL || errno == ENOSYS) && !nameTaken(to))
        return ::rename(from.c_str(), to.c_str()) == 0;
    return false;
}

// Renames a library's file with its node; its container stays open on the file.
bool renameLibrary(LibNode& node, const std::string& name) {
    const std::string shown = cp1252ToUtf8(name);
    if (name.find('/') != std::string::npos)
        return refuse(strings::format(strings::kNotAFileName, shown));
    if (node.isInUse())
        return refuse(strings::format(strings::kLibraryInUse, cp1252ToUtf8(node.name)));
    if (!node.parent)
        return false;
    const std::string from = node.libraryPath();
    const std::string to = node.parent->name + "/" + shown;
    // Any entry counts: a ".dly" skipped at scan, a user's file, a folder, a link.
    if (nameTaken(to) && !sameEntry(from, to))
        return refuse(strings::format(strings::kLibraryFileExists, shown));
    if (!renameWithoutReplacing(from, to)) {
        if (errno == EEXIST)
            return refuse(strings::format(strings::kLibraryFileExists, shown));
        return refuse(strings::format(strings::kCannotRenameLibrary, cp1252ToUtf8(node.name)));
    }
    node.name = name;
    node.filePath = to;
    return true;
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
        // The name is shown as Windows-1252 can spell it; the file is opened by its
        // real path, and never created.
        LibNode& node = location->attachChild(
            std::make_unique<LibNode>(NodeKind::Library, utf8ToCp1252(path.filename().string()), 0));
        node.filePath = path.string();
        if (node.openLibraryFile(false))
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
        if (&parent == location && name.find('/') == std::string::npos &&
            nameTaken(location->name + "/" + cp1252ToUtf8(name))) {
            refuse(strings::format(strings::kLibraryFileExists, cp1252ToUtf8(name)));
            return nullptr;
        }
        LibNode& node = location->attachChild(std::make_unique<LibNode>(NodeKind::Library, name, 0));
        if (&parent != location || name.find('/') != std::string::npos || !node.openLibraryFile(true)) {
            location->detachChild(&node);
            creationFailed(strings::kCannotCreateLibrary);
            return nullptr;
        }
        return &node;
    }
    const char* failure =
        kind == NodeKind::Folder ? strings::kCannotCreateFolder : strings::kCannotCreateSymbol;
    if (!parent.checkWritable())
        return nullptr;
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
    if (!node.checkWritable())
        return false;
    if (node.kind == NodeKind::Library && !name.empty() && !endsWithDly(name))
        name += kLibraryExtension;
    if (!checkName(node, name))
        return false;
    // The library's name is its file's name: the file follows.
    if (node.kind == NodeKind::Library)
        return renameLibrary(node, name);
    std::string oldName = std::exchange(node.name, name);
    const std::uint8_t oldType = node.symbolType;
    if (node.isSymbol())
        node.symbolType = symbolType;
    LibNode* owner = node.owningLibrary();
    if (owner && !owner->saveTree()) {
        // Not kept in memory only: the next start would show the old name.
        node.name = std::move(oldName);
        node.symbolType = oldType;
        return refuse(strings::format(strings::kCannotSaveTree, cp1252ToUtf8(owner->name)));
    }
    return true;
}

bool Lib::deleteNode(LibNode& node) {
    if (!node.parent || node.isInUse())
        return false;
    if (!node.checkWritable())
        return false;
    LibNode& parent = *node.parent;
    switch (node.kind) {
    case NodeKind::Library: {
        // The file goes first: a library whose file stays keeps its node.
        if (node.file && ::unlink(node.libraryPath().c_str()) != 0 && errno != ENOENT)
            return refuse(strings::format(strings::kCannotDeleteLibrary, cp1252ToUtf8(node.name)));
        parent.detachChild(&node);
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
