// Building blocks for the storage and library tests: shapes of every kind, a
// library folder holding real symbols, and a buffer's bytes.
#pragma once

#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/shape.h"
#include "store/buffer.h"
#include "store/folio.h"
#include "store/objfile.h"
#include "store/saodoc.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace plexo::test {

inline std::unique_ptr<Shape> makeShape(int kind, std::vector<Point> points, std::string text = {}) {
    auto shape = std::make_unique<Shape>(kind);
    shape->points = std::move(points);
    shape->data = std::move(text);
    shape->style = objectDefaultStyle();
    shape->setApplicability();
    shape->createKindRecord();
    Folio::rebuildShape(*shape);
    return shape;
}

// A symbol instance of `name` resolved through the installed library, with the
// labels of its drawing.
inline std::unique_ptr<Shape> makeSymbol(Folio& folio, const std::string& name, Point at) {
    auto shape = std::make_unique<Shape>(kSymbol, &folio);
    shape->points = {at, at};
    shape->style = objectDefaultStyle();
    shape->setApplicability();
    shape->createKindRecord();
    shape->infoSymbole->name = name;
    if (SymbolResolver* resolver = symbolResolver())
        if (LibNode* node = resolver->findSymbol(name)) {
            shape->infoSymbole->node = node;
            shape->infoSymbole->drawingAcquired = resolver->acquireAndBuildLabels(*shape, *node);
        }
    Folio::rebuildShape(*shape);
    return shape;
}

// The bytes of a buffer's block.
inline std::vector<std::uint8_t> bytesOf(const Buffer& buffer) {
    return std::vector<std::uint8_t>(buffer.data(), buffer.data() + buffer.capacity());
}

// Writes an object list as a folio does, in two passes.
inline std::vector<std::uint8_t> objectListBytes(const Folio& folio) {
    Buffer buffer;
    folio.writeObjects(buffer, WhichObjects::All);
    buffer.allocateMeasured();
    folio.writeObjects(buffer, WhichObjects::All);
    return bytesOf(buffer);
}

// Stores objects as the drawing of a symbol (record (5, id) of its library).
inline void storeDrawing(LibNode& symbol, std::vector<std::unique_ptr<Shape>> shapes) {
    Folio page;
    for (auto& shape : shapes)
        page.append(std::move(shape));
    page.renumberObjects();
    Buffer buffer;
    page.writeObjects(buffer, WhichObjects::All);
    buffer.allocateMeasured();
    page.writeObjects(buffer, WhichObjects::All);
    symbol.owningLibrary()->file->writeRecord(kSymbolDrawingRecordType, symbol.id, buffer);
}

// A library folder with "Appareils.dly" holding:
//   "Moteur": a rectangle, two terminals and an editable text zone;
//   "Vide": a symbol without a drawing;
//   "Cartouche A4" (a title block): a rectangle and a "#Folio" text zone.
// The Lib is installed (library() and the resolver) for the fixture's life.
class LibraryFixture {
public:
    explicit LibraryFixture(const std::filesystem::path& folder) : lib(folder.string()) {
        LibNode* library = lib.createNode(*lib.location, NodeKind::Library, "Appareils");
        moteur = lib.createNode(*library, NodeKind::Symbol, "Moteur");
        vide = lib.createNode(*library, NodeKind::Symbol, "Vide");
        cartouche = lib.createNode(*library, NodeKind::Symbol, "Cartouche A4", kCartouche);
        std::vector<std::unique_ptr<Shape>> drawing;
        drawing.push_back(makeShape(kRectangle, {{0, 0}, {20000, 10000}}));
        drawing.push_back(makeShape(kTerminal, {{0, 5000}}, "1"));
        drawing.push_back(makeShape(kTerminal, {{20000, 5000}}, "2"));
        drawing.push_back(makeShape(kTextZone, {{2000, 2000}, {18000, 8000}}, "M"));
        storeDrawing(*moteur, std::move(drawing));
        std::vector<std::unique_ptr<Shape>> block;
        block.push_back(makeShape(kRectangle, {{0, 0}, {100000, 30000}}));
        block.push_back(makeShape(kTextZone, {{1000, 1000}, {50000, 10000}}, "#Folio"));
        storeDrawing(*cartouche, std::move(block));
        installLibrary(&lib);
    }
    ~LibraryFixture() { installLibrary(nullptr); }

    Lib lib;
    LibNode* moteur = nullptr;
    LibNode* vide = nullptr;
    LibNode* cartouche = nullptr;
};

} // namespace plexo::test
