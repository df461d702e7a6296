// Cutting symbols onto the clipboard and pasting them back ("Plex3100PP").
#include "library/libclipboard.h"

#include "library/lib.h"
#include "library/browserstrings.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/objfile.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

std::string recordOf(LibNode& symbol, std::uint8_t type) {
    auto record = symbol.owningLibrary()->file->readRecord(type, symbol.id);
    if (!record)
        return "(none)";
    return std::string(reinterpret_cast<const char*>(record->data()),
                       static_cast<std::size_t>(record->capacity()));
}

TEST(SymbolClipboard, ACutSymbolPastesThreeTimesAsSS2S3WithItsRecords) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    Lib& lib = fixture.lib;
    LibNode& appareils = *fixture.moteur->owningLibrary();
    LibNode* target = lib.createNode(appareils, NodeKind::Folder, "Pompes");
    ASSERT_NE(target, nullptr);
    const std::string drawing = recordOf(*fixture.moteur, kSymbolDrawingRecordType);
    const std::int32_t cutId = fixture.moteur->id;

    ASSERT_TRUE(cutSymbol(*fixture.moteur));
    EXPECT_EQ(lib.findSymbol("Moteur"), nullptr);
    EXPECT_EQ(appareils.file->readRecord(kSymbolDrawingRecordType, cutId), nullptr);
    EXPECT_TRUE(ui.clipboardHasFormat(libstr::kSymbolClipboardFormat));

    const char* expected[] = {"Moteur", "Moteur-2", "Moteur-3"};
    std::vector<std::int32_t> ids;
    for (const char* name : expected) {
        SCOPED_TRACE(name);
        LibNode* pasted = pasteSymbol(*target);
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(pasted->name, name);
        EXPECT_EQ(pasted->parent, target);
        EXPECT_EQ(recordOf(*pasted, kSymbolDrawingRecordType), drawing);
        ids.push_back(pasted->id);
    }
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(ids[1], ids[2]);
    EXPECT_TRUE(ui.boxes.empty());

    // The tree was saved: a fresh scan finds the three symbols in the folder.
    Lib again(lib.location->name);
    again.scanLocation();
    LibNode* pasted3 = again.findSymbol("Moteur-3");
    ASSERT_NE(pasted3, nullptr);
    EXPECT_EQ(pasted3->parent->name, "Pompes");
    EXPECT_TRUE(pasted3->acquireDrawing(nullptr));
    ASSERT_NE(pasted3->drawing, nullptr);
    EXPECT_EQ(pasted3->drawing->objects.size(), 4u);
    pasted3->releaseDrawing(nullptr);
}

TEST(SymbolClipboard, ASymbolInUseOrBeingEditedIsNotCut) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    ASSERT_TRUE(fixture.moteur->acquireDrawing(nullptr));
    EXPECT_FALSE(cutSymbol(*fixture.moteur));
    fixture.moteur->releaseDrawing(nullptr);
    fixture.moteur->beginEdit();
    EXPECT_FALSE(cutSymbol(*fixture.moteur));
    fixture.moteur->endEdit();
    EXPECT_NE(fixture.lib.findSymbol("Moteur"), nullptr);
    EXPECT_FALSE(ui.clipboardHasFormat(libstr::kSymbolClipboardFormat));
}

TEST(SymbolClipboard, ASymbolNeverEditedTravelsWithoutRecords) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    LibNode& library = *fixture.vide->owningLibrary();
    ASSERT_TRUE(cutSymbol(*fixture.vide));
    LibNode* pasted = pasteSymbol(library);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->name, "Vide");
    EXPECT_EQ(recordOf(*pasted, kSymbolDrawingRecordType), "(none)");
    EXPECT_EQ(recordOf(*pasted, kSymbolHeaderRecordType), "(none)");
}

TEST(SymbolClipboard, PastingRefusesDamagedDataAndWrongPlaces) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    LibNode& library = *fixture.moteur->owningLibrary();

    // Nothing on the clipboard: nothing happens, nothing is said.
    EXPECT_EQ(pasteSymbol(library), nullptr);
    EXPECT_TRUE(ui.boxes.empty());

    // A block whose drawing length runs past its end.
    std::vector<std::uint8_t> block = symbolClipboardBlock(*fixture.moteur, "abcd", "");
    block[block.size() - 9] = 0x7F;
    ui.setClipboardData(libstr::kSymbolClipboardFormat, block);
    const std::size_t children = library.children.size();
    EXPECT_EQ(pasteSymbol(library), nullptr);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, libstr::kDamagedClipboard);
    EXPECT_EQ(library.children.size(), children);

    // A good block, but onto a symbol: "Impossible de créer le symbole.", titled "Librairie".
    ui.setClipboardData(libstr::kSymbolClipboardFormat, symbolClipboardBlock(*fixture.moteur, "", ""));
    EXPECT_EQ(pasteSymbol(*fixture.vide), nullptr);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, "Impossible de créer le symbole.");
    EXPECT_EQ(ui.boxes[1].caption, "Librairie");
}

TEST(SymbolClipboard, FreeNamesIgnoreCaseAcrossTheTree) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    EXPECT_EQ(freeSymbolName(*fixture.moteur, "Pompe"), "Pompe");
    EXPECT_EQ(freeSymbolName(*fixture.moteur, "MOTEUR"), "MOTEUR-2");
    fixture.lib.createNode(*fixture.moteur->owningLibrary(), NodeKind::Folder, "moteur-2");
    EXPECT_EQ(freeSymbolName(*fixture.moteur, "Moteur"), "Moteur-3");
}

} // namespace
} // namespace plexo
