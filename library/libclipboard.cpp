#include "library/libclipboard.h"

#include "base/buffer.h"
#include "base/objfile.h"
#include "base/userinterface.h"
#include "library/libnode.h"
#include "library/browserstrings.h"
#include "store/saodoc.h"
#include "store/storestrings.h"

#include <memory>
#include <optional>

namespace plexo {

namespace {

void writeBlock(Buffer& buffer, const LibNode& symbol, std::string_view drawing, std::string_view header) {
    LibNode::writeNodeRecord(buffer, symbol);
    buffer.writeInt32(static_cast<std::int32_t>(drawing.size()));
    buffer.writeBytes(drawing);
    buffer.writeInt32(static_cast<std::int32_t>(header.size()));
    buffer.writeBytes(header);
}

std::string recordBytes(ObjFile& file, std::uint8_t type, std::int32_t key) {
    std::unique_ptr<Buffer> record = file.readRecord(type, key);
    if (!record || !record->data())
        return {};
    return std::string(reinterpret_cast<const char*>(record->data()),
                       static_cast<std::size_t>(record->capacity()));
}

bool readCounted(Buffer& buffer, std::string& bytes) {
    std::int32_t length = 0;
    if (!buffer.readInt32(length) || length < 0 || !buffer.checkLength(length))
        return false;
    return length == 0 || buffer.readBytes(bytes, length);
}

// Writes a record unless the block is empty (a symbol never edited).
bool writeRecordBytes(ObjFile& file, std::uint8_t type, std::int32_t key, const std::string& bytes) {
    if (bytes.empty())
        return true;
    Buffer buffer(Buffer::Block(bytes.begin(), bytes.end()));
    return file.writeRecord(type, key, buffer);
}

void cannotPaste(const char* text, const char* caption) {
    userInterface().messageBox(text, caption, MessageIcon::Warning);
}

} // namespace

std::vector<std::uint8_t> symbolClipboardBlock(const LibNode& symbol, std::string_view drawing,
                                               std::string_view header) {
    Buffer buffer;
    writeBlock(buffer, symbol, drawing, header);
    buffer.allocateMeasured();
    writeBlock(buffer, symbol, drawing, header);
    return buffer.detachBlock();
}

bool cutSymbol(LibNode& symbol) {
    if (!symbol.isSymbol() || !symbol.parent || symbol.isInUse())
        return false;
    LibNode* owner = symbol.owningLibrary();
    if (!owner)
        return false;
    const std::string drawing = recordBytes(*owner->file, kSymbolDrawingRecordType, symbol.id);
    const std::string header = recordBytes(*owner->file, kSymbolHeaderRecordType, symbol.id);
    // The symbol leaves the library only once the clipboard holds it.
    if (!userInterface().setClipboardData(libstr::kSymbolClipboardFormat,
                                          symbolClipboardBlock(symbol, drawing, header))) {
        userInterface().messageBox(libstr::kCannotCut, libstr::kCutCaption, MessageIcon::Warning);
        return false;
    }
    owner->file->freeRecord(kSymbolDrawingRecordType, symbol.id);
    owner->file->freeRecord(kSymbolHeaderRecordType, symbol.id);
    symbol.parent->detachChild(&symbol);
    owner->saveTree();
    return true;
}

std::string freeSymbolName(const LibNode& anyNodeOfTree, std::string_view name) {
    const LibNode* root = const_cast<LibNode&>(anyNodeOfTree).treeRoot();
    if (!root->nameTaken(name))
        return std::string(name);
    // A library holds at most a bounded number of nodes: a free suffix is found.
    for (long suffix = 2;; ++suffix) {
        std::string candidate = std::string(name) + "-" + std::to_string(suffix);
        if (!root->nameTaken(candidate))
            return candidate;
    }
}

LibNode* pasteSymbol(LibNode& parent) {
    std::optional<std::vector<std::uint8_t>> data =
        userInterface().clipboardData(libstr::kSymbolClipboardFormat);
    if (!data)
        return nullptr;
    LibNode* owner = parent.owningLibrary();
    if (!owner || (parent.kind != NodeKind::Library && parent.kind != NodeKind::Folder)) {
        cannotPaste(strings::kCannotCreateSymbol, strings::kLibraryCaption);
        return nullptr;
    }
    Buffer buffer(std::move(*data));
    std::uint8_t marker = 0;
    std::int32_t parentId = 0;
    std::unique_ptr<LibNode> node;
    if (buffer.readByte(marker) && marker == 1)
        node = LibNode::readNodeRecord(buffer, parentId);
    std::string drawing, header;
    if (!node || !node->isSymbol() || node->name.empty() || !readCounted(buffer, drawing) ||
        !readCounted(buffer, header)) {
        cannotPaste(libstr::kDamagedClipboard, libstr::kPasteCaption);
        return nullptr;
    }
    const std::int32_t id = parent.nextFreeId();
    if (id == 0) {
        cannotPaste(strings::kCannotCreateSymbol, strings::kLibraryCaption);
        return nullptr;
    }
    node->id = id;
    node->name = freeSymbolName(parent, node->name);
    LibNode& pasted = parent.attachChild(std::move(node));
    ObjFile& file = *owner->file;
    if (!writeRecordBytes(file, kSymbolDrawingRecordType, id, drawing) ||
        !writeRecordBytes(file, kSymbolHeaderRecordType, id, header) || !owner->saveTree()) {
        file.freeRecord(kSymbolDrawingRecordType, id);
        file.freeRecord(kSymbolHeaderRecordType, id);
        parent.detachChild(&pasted);
        owner->saveTree();
        cannotPaste(strings::kCannotCreateSymbol, strings::kLibraryCaption);
        return nullptr;
    }
    return &pasted;
}

} // namespace plexo
