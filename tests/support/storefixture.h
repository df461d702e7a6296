// Building blocks for the storage and library tests: shapes of every kind, a
// library folder holding real symbols, and a buffer's bytes.
#pragma once

#include "base/buffer.h"
#include "base/objfile.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/saodib.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
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
// Saves at path a document of one folio holding one line; false when it could not.
inline bool saveOneLineDocument(const std::filesystem::path& path) {
    saoDoc doc;
    if (!doc.open({}))
        return false;
    Folio& folio = *doc.folios.front();
    folio.acquire();
    folio.append(makeShape(kLine, {{0, 0}, {10000, 10000}}));
    folio.release(true);
    doc.setPath(path);
    doc.setModified();
    const bool saved = doc.commit(false);
    doc.close();
    return saved;
}

inline std::unique_ptr<Shape> makeSymbol(Folio& folio, const std::string& name, Point at) {
    auto shape = std::make_unique<Shape>(kSymbol, &folio);
    shape->points = {at, at};
    shape->style = objectDefaultStyle();
    shape->setApplicability();
    shape->createKindRecord();
    shape->infoSymbole->name = name;
    resolveSymbolInstance(*shape);
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
    explicit LibraryFixture(const std::filesystem::path& folder) : lib(prepared(folder)) {
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
    static std::string prepared(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        return folder.string();
    }

    Lib lib;
    LibNode* moteur = nullptr;
    LibNode* vide = nullptr;
    LibNode* cartouche = nullptr;
};

// A 2 x 2, 24-bit device-independent bitmap.
inline std::vector<std::uint8_t> smallDibBlock() {
    std::vector<std::uint8_t> block(40 + 16, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, 2);
    put32(8, 2);
    block[12] = 1;
    block[14] = 24;
    put32(20, 16);
    for (std::size_t i = 40; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i * 7);
    return block;
}

// Appends one object of every kind 0..24 to the folio (the symbol is "Moteur" of
// LibraryFixture, its terminals joined by a wire, a cable on the wire, both on
// their ends).
inline void appendEveryKind(Folio& folio) {
    const std::vector<Point> box = {{1000, 2000}, {30000, 20000}};
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        std::unique_ptr<Shape> shape;
        switch (kind) {
        case kPolygon:
        case kBezier:
        case kFreeHand:
            shape = makeShape(kind, {{0, 0}, {5000, 8000}, {9000, -3000}, {12000, 4000}});
            break;
        case kTerminal:
            shape = makeShape(kind, {{4000, 4000}}, "B1");
            break;
        case kSymbol:
            shape = makeSymbol(folio, "Moteur", {60000, 60000});
            shape->angle = 90;
            shape->epx = 2000;
            shape->data = "M\xE9lange";
            if (shape->infoSymbole) {
                shape->infoSymbole->block = std::string("\x01\x02\x00\x03", 4);
                for (std::size_t i = 0; i < shape->infoSymbole->labels.size(); ++i)
                    shape->infoSymbole->labels[i].text = "L" + std::to_string(i);
            }
            break;
        default:
            shape =
                makeShape(kind, box, kind == kMidiShortcut ? "chant.mid" : "texte " + std::to_string(kind));
            break;
        }
        switch (kind) {
        case kDibPicture:
            shape->dib = std::make_unique<saoDib>(smallDibBlock());
            break;
        case kChordGrid:
        case kTablature:
            for (int s = 0; s < kTuningStrings; ++s)
                shape->style.set(kTuning0 + s, 40 + s * 5);
            break;
        case kCalendar:
            shape->infoCalendrier->notes.push_back({14, 7, 2026, "F\xEAte", 1, 0, 1});
            shape->infoCalendrier->notes.push_back({1, 1, 2027, "", 0, 1, 0});
            break;
        case kSequence:
            shape->infoSequence->events = {{0, 5, 1000}, {1, 30, -2000}};
            break;
        case kText:
            shape->style.set(kFontStyle, kFontBold | kFontItalic);
            shape->style.set(kColour, 12);
            break;
        default:
            break;
        }
        folio.append(std::move(shape));
    }
    // Join the wire (17) to the symbol's terminals and the cable (18) to the wire.
    Shape* symbol = folio.objects[kSymbol].get();
    Shape* wire = folio.objects[kWire].get();
    Shape* cable = folio.objects[kCable].get();
    if (symbol->infoSymbole && symbol->infoSymbole->labels.size() >= 2) {
        wire->infoFil->amont = symbol->infoSymbole->labels[0].shape.get();
        wire->infoFil->aval = symbol->infoSymbole->labels[1].shape.get();
        symbol->infoSymbole->labels[0].shape->infoBorne->wire = wire;
        symbol->infoSymbole->labels[1].shape->infoBorne->wire = wire;
    }
    cable->infoFil->amont = wire;
    wire->infoFil->attachedWires.push_back(cable);
    // As the editor leaves them (and a load would put them): on their ends.
    followEnds(*wire);
    followEnds(*cable);
}

} // namespace plexo::test
