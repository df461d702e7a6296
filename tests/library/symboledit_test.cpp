// A schéma document bound to a library symbol: it edits the symbol's page in
// the library, and documents using the symbol follow the saved drawing.
#include "library/lib.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "shapes/infosymbole.h"
#include "shapes/symbollabels.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/schemaobserver.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

std::string drawingRecord(LibNode& symbol) {
    auto record = symbol.owningLibrary()->file->readRecord(kSymbolDrawingRecordType, symbol.id);
    return record ? std::string(reinterpret_cast<const char*>(record->data()),
                                static_cast<std::size_t>(record->capacity()))
                  : std::string();
}

// Holds a folio as a view does, letting go of it (and writing its objects) when
// the document closes.
class ViewOfPage : public SchemaObserver {
public:
    explicit ViewOfPage(Folio& page) : page_(&page) { page.acquire(); }
    void releaseFolio() override {
        if (page_)
            page_->release(true);
        page_ = nullptr;
    }

private:
    Folio* page_;
};

// Opens the symbol for editing, moves its terminal "1" by dy and closes it,
// saved or not.
void moveTerminal(LibNode& symbol, std::int32_t dy, bool save) {
    saoDoc editor(&symbol);
    ASSERT_TRUE(editor.open({}));
    EXPECT_EQ(editor.title(), symbol.name + " (Symbole)");
    EXPECT_EQ(symbol.editCount, 1);
    ASSERT_EQ(editor.folios.size(), 1u);
    Folio& page = *editor.folios.front();
    ViewOfPage view(page);
    editor.addObserver(&view);
    bool moved = false;
    for (auto& shape : page.objects) {
        if (shape->kind == kTerminal && shape->data == "1") {
            shape->points[0].y += dy;
            Folio::rebuildShape(*shape);
            moved = true;
        }
    }
    ASSERT_TRUE(moved);
    editor.setModified();
    if (save) {
        ASSERT_TRUE(editor.commit(false));
    }
    editor.close();
    editor.removeObserver(&view);
    EXPECT_EQ(symbol.editCount, 0);
}

TEST(SymbolEditing, ClosingWithoutSavingLeavesTheLibraryAsItWas) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    const std::string before = drawingRecord(*fixture.moteur);
    moveTerminal(*fixture.moteur, -5000, false);
    EXPECT_EQ(drawingRecord(*fixture.moteur), before);
    moveTerminal(*fixture.moteur, -5000, true);
    EXPECT_NE(drawingRecord(*fixture.moteur), before);
}

// The wires of a document reopened after its symbol was edited follow the
// moved terminal.
TEST(SymbolEditing, WiresJoinedToAMovedTerminalFollowItOnTheNextLoad) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    const std::filesystem::path path = folder / "plan.dls";
    const Point at{100000, 100000};
    {
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.setPath(path);
        Folio& folio = *doc.folios.front();
        folio.acquire();
        Shape& motor = folio.append(test::makeSymbol(folio, "Moteur", at));
        Shape* terminal = motor.infoSymbole->labels[0].shape.get();
        const Point start = placedPoint(*terminal);
        ASSERT_EQ(start, (Point{90000, 100000}));
        Shape& wire = folio.append(test::makeShape(kWire, {start, {start.x - 40000, start.y}}));
        linkEnd(wire, true, terminal);
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        folio.release(true);
    }
    ASSERT_EQ(fixture.moteur->useCount, 0);

    moveTerminal(*fixture.moteur, -5000, true);

    saoDoc back;
    ASSERT_TRUE(back.open(path));
    Folio& folio = *back.folios.front();
    folio.acquire();
    ASSERT_EQ(folio.objects.size(), 2u);
    const Shape& motor = *folio.objects[0];
    const Shape& wire = *folio.objects[1];
    const Point moved = placedPoint(*motor.infoSymbole->labels[0].shape);
    EXPECT_EQ(moved, (Point{90000, 95000}));
    EXPECT_EQ(wire.points.front(), moved);
    folio.release(false);
}

} // namespace
} // namespace plexo
