#include "library/symboldrop.h"

#include "base/userinterface.h"
#include "library/lib.h"
#include "library/browserstrings.h"
#include "shapes/infosymbole.h"
#include "shapes/shape.h"
#include "shapes/symbolresolver.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"

#include <charconv>
#include <memory>

namespace plexo {

namespace {

void refuseBeingEdited() {
    userInterface().messageBox(libstr::kSymbolBeingEdited, libstr::kSymbolCaption, MessageIcon::Warning);
}

bool makeTitleBlock(saoDoc& document, const LibNode& node) {
    // The document keeps the name in a fixed field with its terminating NUL: a
    // longer name would be cut, name no symbol and lose the title block.
    if (node.name.size() > static_cast<std::size_t>(kTitleBlockNameSize - 1)) {
        userInterface().messageBox(libstr::kTitleBlockNameTooLong, libstr::kTitleBlockCaption,
                                   MessageIcon::Warning);
        return false;
    }
    document.titleBlockName = node.name;
    document.setModified();
    document.loadTitleBlock();
    document.computeDocumentSize();
    document.notifyWholeDocumentChanged();
    return true;
}

bool placeInstance(saoDoc& document, Folio& folio, LibNode& node, Point at) {
    SymbolResolver* resolver = symbolResolver();
    if (!resolver)
        return false;
    auto shape = std::make_unique<Shape>(kSymbol, &folio);
    shape->createKindRecord();
    InfoSymbole& info = *shape->infoSymbole;
    info.name = node.name;
    info.node = &node;
    info.drawingAcquired = resolver->acquireAndBuildLabels(*shape, node);
    // An instance of an empty drawing would be invisible: it goes (releasing the drawing).
    if (!info.drawingAcquired || !node.drawingObjects() || node.drawingObjects()->empty())
        return false;
    shape->points = {at, at};
    shape->style = document.symbolStyle;
    shape->setApplicability();
    deselectAll(document);
    createObject(document, folio, std::move(shape), true);
    return true;
}

} // namespace

bool mayDragNode(const LibNode& node) {
    if (node.isSymbol() && node.editCount > 0) {
        refuseBeingEdited();
        return false;
    }
    return node.kind == NodeKind::Folder || node.isSymbol();
}

SymbolDrop dropSymbol(saoDoc& document, Folio& folio, LibNode& node, Point at) {
    if (node.isSymbol() && node.editCount > 0) {
        refuseBeingEdited();
        return SymbolDrop::Refused;
    }
    if (!node.isSymbol() || node.name.empty()) {
        userInterface().beep();
        return SymbolDrop::Refused;
    }
    if (node.symbolType == kCartouche) {
        return makeTitleBlock(document, node) ? SymbolDrop::TitleBlock : SymbolDrop::Refused;
    }
    if (!placeInstance(document, folio, node, at)) {
        userInterface().beep();
        return SymbolDrop::Refused;
    }
    return SymbolDrop::Instance;
}

std::string dragReference(const LibNode& node) {
    const LibNode* library = const_cast<LibNode&>(node).owningLibrary();
    if (!library)
        return {};
    return library->name + '\n' + std::to_string(node.id);
}

LibNode* nodeForDragReference(Lib& lib, std::string_view reference) {
    const std::size_t cut = reference.rfind('\n');
    if (cut == std::string_view::npos)
        return nullptr;
    const std::string_view libraryName = reference.substr(0, cut);
    const std::string_view idText = reference.substr(cut + 1);
    std::int32_t id = 0;
    auto [end, error] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    if (error != std::errc() || end != idText.data() + idText.size() || id <= 0)
        return nullptr;
    for (auto& library : lib.location->children)
        if (library->kind == NodeKind::Library && library->name == libraryName)
            return library->findById(id);
    return nullptr;
}

} // namespace plexo
