#include "library/libnode.h"

#include "base/buffer.h"
#include "base/log.h"
#include "base/objfile.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "library/libraryfile.h"
#include "library/librarystrings.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/storestrings.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace plexo {

namespace {

std::function<void(LibNode&)> usageListener;

void usageChanged(LibNode& node) {
    if (usageListener)
        usageListener(node);
}

// A hostile tree record must not build a tree that recursion cannot walk, nor
// take quadratic time: deeper nodes go under the library, and a library holds at
// most this many nodes.
constexpr int kMaxTreeDepth = 100;
constexpr std::size_t kMaxNodesPerLibrary = 65536;

unsigned char foldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    // Windows-1252 capitals: À..Þ except ×, and Š Œ Ž Ÿ.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        return c;
    }
}

bool anyNamed(const LibNode& node, const LibNode* excluded, std::string_view candidate) {
    if (&node != excluded && namesEqualIgnoringCase(node.name, candidate))
        return true;
    for (const auto& child : node.children)
        if (anyNamed(*child, excluded, candidate))
            return true;
    return false;
}

std::int32_t largestId(const LibNode& node) {
    std::int32_t largest = node.id;
    for (const auto& child : node.children)
        largest = std::max(largest, largestId(*child));
    return largest;
}

void writeLevel(Buffer& buffer, const LibNode& node) {
    for (const auto& child : node.children)
        LibNode::writeNodeRecord(buffer, *child);
    for (const auto& child : node.children)
        writeLevel(buffer, *child);
}

} // namespace

bool nameBefore(std::string_view a, std::string_view b) {
    return a < b;
}

bool namesEqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(static_cast<unsigned char>(a[i])) != foldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void setSymbolUsageListener(std::function<void(LibNode&)> listener) {
    usageListener = std::move(listener);
}

LibNode::LibNode(NodeKind nodeKind, std::string nodeName, std::uint8_t nodeExpanded)
    : kind(nodeKind), name(std::move(nodeName)), expanded(nodeExpanded) {}

LibNode::~LibNode() {
    // The drawing's objects may hold nested symbols of other nodes: let them go first.
    drawing.reset();
}

LibNode& LibNode::attachChild(std::unique_ptr<LibNode> child) {
    // Walk from the end, stepping over every child the new one sorts before (a
    // smaller kind or a lower name); insert right behind the first one it does not.
    auto position = children.end();
    while (position != children.begin()) {
        const LibNode& existing = **std::prev(position);
        if (child->kind < existing.kind || nameBefore(child->name, existing.name))
            --position;
        else
            break;
    }
    child->parent = this;
    return **children.insert(position, std::move(child));
}

std::unique_ptr<LibNode> LibNode::detachChild(LibNode* child) {
    auto it = std::find_if(children.begin(), children.end(), [&](const auto& c) { return c.get() == child; });
    if (it == children.end())
        return nullptr;
    std::unique_ptr<LibNode> taken = std::move(*it);
    children.erase(it);
    taken->parent = nullptr;
    return taken;
}

LibNode* LibNode::findById(std::int32_t value) {
    if (id == value)
        return this;
    for (auto& child : children)
        if (LibNode* found = child->findById(value))
            return found;
    return nullptr;
}

LibNode* LibNode::owningLibrary() {
    for (LibNode* node = this; node; node = node->parent)
        if (node->kind == NodeKind::Library && node->file && node->file->isOpen())
            return node;
    return nullptr;
}

LibNode* LibNode::treeRoot() {
    LibNode* node = this;
    LibNode* root = nullptr;
    for (; node; node = node->parent)
        if (node->kind == NodeKind::Root)
            root = node;
    return root ? root : this;
}

std::int32_t LibNode::nextFreeId() {
    LibNode* library = owningLibrary();
    if (!library)
        return 0;
    std::int32_t candidate = largestId(*library);
    do {
        if (candidate == INT32_MAX)
            return 0;
        ++candidate;
    } while (library->findById(candidate));
    return candidate;
}

bool LibNode::isInUse() const {
    if (useCount > 0 || editCount > 0)
        return true;
    return std::any_of(children.begin(), children.end(), [](const auto& c) { return c->isInUse(); });
}

bool LibNode::nameTaken(std::string_view candidate) const {
    const LibNode* root = const_cast<LibNode*>(this)->treeRoot();
    return anyNamed(*root, this, candidate);
}

std::string LibNode::libraryPath() const {
    if (!filePath.empty())
        return filePath;
    if (!parent)
        return cp1252ToUtf8(name);
    return parent->name + "/" + cp1252ToUtf8(name);
}

bool LibNode::openLibraryFile(bool createIfMissing) {
    if (kind != NodeKind::Library || !parent || name.empty())
        return false;
    const std::string path = libraryPath();
    file = openLibraryContainer(path, cp1252ToUtf8(name), createIfMissing);
    if (!file)
        return false;
    filePath = path;
    return true;
}

bool LibNode::isReadOnly() {
    LibNode* library = owningLibrary();
    return library && library->file->isReadOnly();
}

bool LibNode::checkWritable() {
    if (!isReadOnly())
        return true;
    userInterface().messageBox(
        strings::format(strings::kLibraryReadOnly, cp1252ToUtf8(owningLibrary()->name)),
        strings::kLibraryCaption, MessageIcon::Warning);
    return false;
}

std::unique_ptr<LibNode> LibNode::readNodeRecord(Buffer& buffer, std::int32_t& parentId) {
    std::uint8_t kind = 0, expanded = 0, symbolType = 0;
    std::int32_t id = 0;
    std::string name;
    buffer.readByte(kind);
    buffer.readInt32(id);
    buffer.readText(name);
    buffer.readByte(expanded);
    buffer.readInt32(parentId);
    buffer.readByte(symbolType);
    if (buffer.failed() || (kind != static_cast<std::uint8_t>(NodeKind::Folder) &&
                            kind != static_cast<std::uint8_t>(NodeKind::Symbol)))
        return nullptr;
    auto node = std::make_unique<LibNode>(static_cast<NodeKind>(kind), std::move(name), expanded ? 1 : 0);
    node->id = id;
    node->symbolType = symbolType;
    return node;
}

void LibNode::loadTree() {
    if (kind != NodeKind::Library || !file)
        return;
    std::unique_ptr<Buffer> record = file->readRecord(kTreeRecordType, 0);
    if (!record)
        return;
    std::uint8_t libraryExpanded = 0;
    if (!record->readByte(libraryExpanded)) {
        logMessage(0, 0, kError, strings::format(strings::kTreeDamaged, cp1252ToUtf8(name)), false);
        return;
    }
    expanded = libraryExpanded ? 1 : 0;
    // Ids already in the tree and their depth below the library (the first node
    // with an id wins, as findById's walk would find it first).
    std::unordered_map<std::int32_t, std::pair<LibNode*, int>> known;
    known.emplace(id, std::pair<LibNode*, int>{this, 0});
    std::size_t count = 0;
    bool damaged = false;
    while (record->remaining() > 0) {
        std::uint8_t marker = 0;
        if (!record->readByte(marker) || marker == 0)
            break;
        std::int32_t parentId = 0;
        std::unique_ptr<LibNode> node = readNodeRecord(*record, parentId);
        if (!node || ++count > kMaxNodesPerLibrary) {
            damaged = true;
            break;
        }
        auto found = known.find(parentId);
        std::pair<LibNode*, int> parentEntry{this, 0};
        if (found != known.end() && found->second.second < kMaxTreeDepth)
            parentEntry = found->second;
        std::int32_t nodeId = node->id;
        LibNode& attached = parentEntry.first->attachChild(std::move(node));
        known.emplace(nodeId, std::pair<LibNode*, int>{&attached, parentEntry.second + 1});
    }
    if (damaged || record->failed())
        logMessage(0, 0, kError, strings::format(strings::kTreeDamaged, cp1252ToUtf8(name)), false);
}

void LibNode::writeNodeRecord(Buffer& buffer, const LibNode& node) {
    if (!node.parent || node.name.empty())
        return;
    buffer.writeByte(1);
    buffer.writeByte(static_cast<std::uint8_t>(node.kind));
    buffer.writeInt32(node.id);
    buffer.writeText(node.name);
    buffer.writeByte(node.expanded);
    buffer.writeInt32(node.parent->kind == NodeKind::Library ? 0 : node.parent->id);
    buffer.writeByte(node.symbolType);
}

void LibNode::writeTreeRecord(Buffer& buffer) const {
    buffer.writeByte(expanded);
    writeLevel(buffer, *this);
    buffer.writeByte(0);
}

bool LibNode::saveTree() {
    if (kind != NodeKind::Library || !file || !file->isOpen())
        return false;
    Buffer buffer;
    writeTreeRecord(buffer);
    buffer.allocateMeasured();
    writeTreeRecord(buffer);
    return file->writeRecord(kTreeRecordType, 0, buffer);
}

const std::vector<std::unique_ptr<Shape>>* LibNode::drawingObjects() const {
    return drawing ? &drawing->objects : nullptr;
}

ObjFile* LibNode::symbolStore() {
    LibNode* library = owningLibrary();
    return library ? library->file.get() : nullptr;
}

bool LibNode::acquireDrawing(saoDoc* document) {
    if (!isSymbol() || editCount != 0 || loading_)
        return false;
    if (useCount == 0) {
        if (LibNode* library = owningLibrary()) {
            std::unique_ptr<Buffer> record = library->file->readRecord(kSymbolDrawingRecordType, id);
            if (!record)
                return false;
            // The drawing outlives the document that first asked for it, so it
            // belongs to no document.
            (void)document;
            auto page = std::make_unique<Folio>(nullptr);
            loading_ = true;
            page->readObjects(*record, ReadMode::Drawing);
            page->relinkWires();
            loading_ = false;
            bounds = SymbolBounds{};
            bool first = true;
            for (const auto& shape : page->objects) {
                if (shape->kind == kTextZone || shape->kind == kTerminal || shape->kind == kSymbolText)
                    continue;
                const Rect& r = shape->outline;
                if (first) {
                    bounds = SymbolBounds{r.left, r.right, r.top, r.bottom};
                    first = false;
                } else {
                    bounds.left = std::min(bounds.left, r.left);
                    bounds.right = std::max(bounds.right, r.right);
                    bounds.top = std::min(bounds.top, r.top);
                    bounds.bottom = std::max(bounds.bottom, r.bottom);
                }
            }
            drawing = std::move(page);
        }
    }
    if (++useCount == 1)
        usageChanged(*this);
    return true;
}

void LibNode::releaseDrawing(saoDoc*) {
    if (!isSymbol() || editCount != 0 || useCount <= 0)
        return;
    if (--useCount == 0) {
        drawing.reset();
        usageChanged(*this);
    }
}

} // namespace plexo
