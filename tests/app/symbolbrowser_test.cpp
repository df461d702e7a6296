// The "Symboles" palette of the running editor: the library browser over the
// application's libraries, and symbols opened from it for editing in schéma
// windows bound to the library.
#include "apptestsupport.h"

#include "app/palettewindow.h"
#include "library/lib.h"
#include "shapes/saodib.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "support/storefixture.h"
#include "views/library/libview.h"
#include "views/library/symbolview.h"
#include "views/schema/saoview.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

namespace fs = std::filesystem;

std::string drawingRecord(LibNode& symbol) {
    auto record = symbol.owningLibrary()->file->readRecord(kSymbolDrawingRecordType, symbol.id);
    return record ? std::string(reinterpret_cast<const char*>(record->data()),
                                static_cast<std::size_t>(record->capacity()))
                  : std::string();
}

class SymbolBrowserTest : public ::testing::Test {
protected:
    SymbolBrowserTest() {
        { test::LibraryFixture written(running.home.path()); }
        running.app->bundledLibraryFolder = running.home.path();
        running.app->initInstance({});
        lib = running.app->library();
        running.frame().toggleSymbols();
        PaletteWindow* palette = running.frame().symbolsPalette();
        browser = palette ? qobject_cast<SymbolView*>(palette->content()) : nullptr;
    }

    saoDoc* onlySchema() const {
        auto documents = running.manager().documents();
        return documents.size() == 1 ? dynamic_cast<saoDoc*>(documents.front()) : nullptr;
    }

    test::RunningApp running{{}, false};
    Lib* lib = nullptr;
    SymbolView* browser = nullptr;
};

TEST_F(SymbolBrowserTest, ASymbolOpensForEditingInAWindowWithoutTabsAndClosesUnsavedUnchanged) {
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(running.frame().symbolsPalette()->windowTitle(), "Symboles");
    LibNode* moteur = lib->findSymbol("Moteur");
    ASSERT_NE(moteur, nullptr);
    const std::string before = drawingRecord(*moteur);

    running.app->editSymbol(*moteur);
    saoDoc* editor = onlySchema();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->title(), "Moteur (Symbole)");
    EXPECT_EQ(moteur->editCount, 1);
    auto windows = running.manager().windows(editor);
    ASSERT_EQ(windows.size(), 1u);
    auto* view = qobject_cast<saoView*>(windows.front()->view());
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->tabsShown());
    EXPECT_TRUE(browser->tree()->fontFor(*moteur).italic());
    // Editing twice is not offered while it is open.
    moteur->selected = 1;
    EXPECT_FALSE(browser->tree()->commandEnabled(cmd::kEditSymbol));

    // A change, then "Non" to saving: the library keeps the drawing it had.
    Folio& page = *editor->folios.front();
    ASSERT_FALSE(page.objects.empty());
    page.objects.front()->points[0].x += 5000;
    editor->setModified();
    running.ui->answers = {MessageAnswer::No};
    running.manager().fileClose(*editor);
    test::processDeferredDeletes();
    EXPECT_TRUE(running.manager().documents().empty());
    EXPECT_EQ(moteur->editCount, 0);
    EXPECT_EQ(drawingRecord(*moteur), before);
}

TEST_F(SymbolBrowserTest, ImportingPompeBmpOpensTheNewSymbolWithItsPicture) {
    ASSERT_NE(browser, nullptr);
    const std::vector<std::uint8_t> bytes = saoDib(test::smallDibBlock()).toBmpFile();
    const fs::path picture = running.home / "Pompe.BMP";
    std::ofstream(picture, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    LibView& tree = *browser->tree();
    tree.imageChooser = [&] { return std::optional<fs::path>(picture); };
    LibNode* library = lib->findSymbol("Moteur")->owningLibrary();
    library->selected = 1;
    tree.runCommand(cmd::kImportImage);

    LibNode* pompe = lib->findSymbol("Pompe");
    ASSERT_NE(pompe, nullptr);
    EXPECT_EQ(pompe->symbolType, kSymbole);
    EXPECT_EQ(pompe->editCount, 1);
    saoDoc* editor = onlySchema();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->title(), "Pompe (Symbole)");
    Folio& page = *editor->folios.front();
    ASSERT_EQ(page.objects.size(), 1u);
    EXPECT_EQ(page.objects.front()->kind, kDibPicture);

    // "&Sauver" writes the page into the library.
    ASSERT_TRUE(running.manager().fileSave(*editor));
    EXPECT_FALSE(drawingRecord(*pompe).empty());
    running.manager().fileClose(*editor);
    test::processDeferredDeletes();
    EXPECT_EQ(pompe->editCount, 0);
}

} // namespace
} // namespace plexo
