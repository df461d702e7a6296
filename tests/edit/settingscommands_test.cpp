// The document and view settings commands without a window: the view's dialogs
// are replaced by answers given in advance; the document is real, saved and
// opened again where a setting must survive that.
#include "edit/settingscommands.h"
#include "fakeschemaview.h"

#include "edit/gridfields.h"
#include "edit/schemacommands.h"
#include "library/libnode.h"
#include "shapes/recordingsurface.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plexo {
namespace {

namespace fs = std::filesystem;

// Answers each settings dialog with what the test put there (none: "&Annuler")
// and remembers what the dialogs were shown.
class SettingsView : public test::FakeSchemaView {
public:
    explicit SettingsView(saoDoc& document) : FakeSchemaView(document) {}
    Folio* folio() const override { return document_.folios.empty() ? nullptr : document_.folios[0].get(); }

    std::optional<DocumentSizeSettings> askDocumentSize(const DocumentSizeSettings& shown) override {
        shownSize = shown;
        return size;
    }
    std::optional<GridStepSettings> askGrids(const GridStepSettings& shown, bool inMm) override {
        shownGrids = shown;
        gridsShownInMm = inMm;
        return grids;
    }
    std::optional<bool> askWorkUnit(bool) override { return millimetres; }
    std::optional<PageCountSettings> askPageCount(const PageCountSettings& shown) override {
        shownPages = shown;
        return pages;
    }
    std::optional<TitleBlockSettings> askTitleBlock(const TitleBlockSettings& shown) override {
        shownTitleBlock = shown;
        return titleBlock;
    }

    std::optional<DocumentSizeSettings> size;
    std::optional<GridStepSettings> grids;
    std::optional<bool> millimetres;
    std::optional<PageCountSettings> pages;
    std::optional<TitleBlockSettings> titleBlock;
    DocumentSizeSettings shownSize;
    GridStepSettings shownGrids;
    bool gridsShownInMm = false;
    PageCountSettings shownPages;
    TitleBlockSettings shownTitleBlock;

};

// Counts the notifications the views receive.
struct CountingObserver : SchemaObserver {
    int whole = 0;
    std::vector<FolioListChange> folioChanges;
    void areaChanged(Folio&, const Rect&) override {}
    void wholeDocumentChanged() override { ++whole; }
    void folioListChanged(Folio*, FolioListChange change) override { folioChanges.push_back(change); }
};

void run(int id, SettingsView& view) {
    EXPECT_TRUE(schemaCommands().run(id, view)) << id;
}

// The settings every dialog edits, to see that a dialog touched nothing else.
struct Snapshot {
    std::uint8_t paper, scale, portrait, unit, corner, rotated, across, down;
    std::int32_t h, v, s, width, height;
    std::string titleBlock;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const saoDoc& document) {
    const Folio& folio = *document.folios.front();
    return {document.paperSize,      document.scaleIndex,       document.portrait,
            document.unitIsMm,       document.titleBlockCorner, document.titleBlockRotated,
            folio.pagesAcross,       folio.pagesDown,           document.horizontalGrid,
            document.verticalGrid,   document.secondaryGrid,    document.documentWidth,
            document.documentHeight, document.titleBlockName};
}

TEST(SettingsCommands, CancelChangesNothingAndOkWithoutAnEditDoesNotMarkModified) {
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    document.computeDocumentSize();
    SettingsView view(document);
    const Snapshot before = snapshot(document);
    const int ids[] = {cmd::kDocumentSize, cmd::kGrids, cmd::kWorkUnit, cmd::kPageCount, cmd::kTitleBlock};
    for (int id : ids) // every dialog cancelled
        run(id, view);
    EXPECT_EQ(snapshot(document), before);
    EXPECT_FALSE(document.isModified());

    // OK on what each dialog was shown.
    view.size = documentSizeOf(document);
    view.millimetres = document.unitIsMm != 0;
    view.pages = pageCountOf(*document.folios.front());
    view.titleBlock = titleBlockOf(document);
    run(cmd::kGrids, view); // shown in the working unit, millimetres by default
    EXPECT_TRUE(view.gridsShownInMm);
    GridFields fields(view.shownGrids, view.gridsShownInMm);
    view.grids = fields.steps();
    for (int id : ids)
        run(id, view);
    EXPECT_EQ(snapshot(document), before);
    EXPECT_FALSE(document.isModified());
}

TEST(SettingsCommands, GridStepsOfZeroOrLessBecomeOneAndPointsMillimetresRoundTripKeepsThem) {
    // Defaults are 10 mm, 10 mm and 1 mm: 28346 and 2834 units.
    GridFields fields({28346, 28346, 2834}, true);
    EXPECT_EQ(fields.text(0), "10");
    EXPECT_EQ(fields.text(2), "1");
    fields.showIn(false);
    EXPECT_EQ(fields.text(0), "28,35");
    EXPECT_EQ(fields.text(2), "2,84"); // a thousandths digit of 4 rounds up
    fields.showIn(true);
    EXPECT_EQ(fields.text(0), "10");
    EXPECT_EQ(fields.text(2), "1");
    EXPECT_EQ(fields.steps(), (GridStepSettings{28346, 28346, 2834}));

    // Points first, values that do not fall on hundredths of a millimetre.
    GridFields points({12345, 1001, 999999}, false);
    const std::vector<std::string> shown = {points.text(0), points.text(1), points.text(2)};
    EXPECT_EQ(shown, (std::vector<std::string>{"12,35", "1", "1000"}));
    points.showIn(true);
    EXPECT_EQ(points.text(0), "4,36");
    points.showIn(false);
    EXPECT_EQ((std::vector<std::string>{points.text(0), points.text(1), points.text(2)}), shown);
    EXPECT_EQ(points.steps(), (GridStepSettings{12345, 1001, 999999}));

    // A typed value is read in the unit shown; 0 or less becomes 1.
    struct Case {
        const char* text;
        bool mm;
        std::int32_t step;
    } cases[] = {{"0", false, 1},      {"-3", false, 1},     {"0", true, 1},      {"-3", true, 1},
                 {"-0,5", false, 1},   {"2,5", false, 2500}, {"10", true, 28346}, {"2,5", true, 7086},
                 {"1.5", false, 1500}, {"abc", true, 1}};
    for (const Case& c : cases) {
        GridFields typed({5000, 5000, 5000}, c.mm);
        typed.setText(1, c.text);
        EXPECT_EQ(typed.steps().vertical, c.step) << c.text << (c.mm ? " mm" : " pt");
        EXPECT_EQ(typed.steps().horizontal, 5000);
    }

    // Through the command: the document stores the valid steps and repaints.
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    CountingObserver observer;
    document.addObserver(&observer);
    SettingsView view(document);
    GridFields typed(gridsOf(document), true);
    typed.setText(0, "0");
    typed.setText(1, "-3");
    typed.setText(2, "2");
    view.grids = typed.steps();
    run(cmd::kGrids, view);
    EXPECT_EQ(gridsOf(document), (GridStepSettings{1, 1, 5669}));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(observer.whole, 1);
    // A step given as 0 or less to the document is still made 1.
    view.grids = GridStepSettings{0, -3, 7};
    run(cmd::kGrids, view);
    EXPECT_EQ(gridsOf(document), (GridStepSettings{1, 1, 7}));
    document.removeObserver(&observer);
}

TEST(SettingsCommands, WorkUnitMarksModifiedOnlyWhenItChanges) {
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    SettingsView view(document);
    view.millimetres = true;
    run(cmd::kWorkUnit, view);
    EXPECT_FALSE(document.isModified());
    view.millimetres = false;
    run(cmd::kWorkUnit, view);
    EXPECT_EQ(document.unitIsMm, 0);
    EXPECT_TRUE(document.isModified());
    run(cmd::kGrids, view);
    EXPECT_FALSE(view.gridsShownInMm); // the grid dialog starts in the working unit
}

TEST(SettingsCommands, PageCountsAreKeptInAByteThenLimitedToOneToForty) {
    struct Case {
        const char* text;
        int count;
    } cases[] = {{"300", 40},       {"0", 1},   {"", 1},    {"1", 1},    {"40", 40},
                 {"41", 40},        {"256", 1}, {"257", 1}, {"296", 40}, {"-1", 40},
                 {"999999999", 40}, {"x2", 1},  {" 7 ", 7}, {"2,5", 1},  {"0000012", 12}};
    for (const Case& c : cases)
        EXPECT_EQ(pageCountFromText(c.text), c.count) << c.text;

    saoDoc document;
    ASSERT_TRUE(document.open({}));
    Folio& folio = *document.folios.front();
    CountingObserver observer;
    document.addObserver(&observer);
    SettingsView view(document);
    view.pages = PageCountSettings{pageCountFromText("300"), pageCountFromText("0")};
    run(cmd::kPageCount, view);
    EXPECT_EQ(folio.pagesAcross, 40);
    EXPECT_EQ(folio.pagesDown, 1);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(observer.folioChanges, std::vector<FolioListChange>{kFolioPagesChanged});
    // The same counts again change nothing and tell nobody.
    document.setModified(false);
    run(cmd::kPageCount, view);
    EXPECT_EQ(view.shownPages, (PageCountSettings{40, 1}));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(observer.folioChanges.size(), 1u);
    document.removeObserver(&observer);

    // A symbol being edited has no page count command.
    CommandStatus status;
    LibNode symbol(NodeKind::Symbol, "Relais");
    saoDoc symbolDocument(&symbol);
    SettingsView symbolView(symbolDocument);
    ASSERT_TRUE(schemaCommands().status(cmd::kPageCount, symbolView, status));
    EXPECT_FALSE(status.enabled);
    ASSERT_TRUE(schemaCommands().status(cmd::kDocumentSize, symbolView, status));
    EXPECT_TRUE(status.enabled);
}

TEST(SettingsCommands, A3AtHalfScaleInLandscapeIsStoredAndShownAfterReopening) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    const fs::path path = folder / "a3.dls";
    {
        saoDoc document;
        ASSERT_TRUE(document.open({}));
        document.setPath(path);
        CountingObserver observer;
        document.addObserver(&observer);
        SettingsView view(document);
        view.size = DocumentSizeSettings{1, 3, false};
        run(cmd::kDocumentSize, view);
        EXPECT_EQ(document.documentWidth, 2381102);
        EXPECT_EQ(document.documentHeight, 1683778);
        EXPECT_TRUE(document.printerLandscape);
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(observer.whole, 1);
        document.removeObserver(&observer);
        ASSERT_TRUE(document.commit(false));
    }
    saoDoc document;
    ASSERT_TRUE(document.open(path));
    EXPECT_EQ(document.documentWidth, 2381102);
    EXPECT_EQ(document.documentHeight, 1683778);
    SettingsView view(document);
    run(cmd::kDocumentSize, view);
    EXPECT_EQ(view.shownSize, (DocumentSizeSettings{1, 3, false}));
    EXPECT_EQ(std::string(kPaperSizeNames[view.shownSize.paperSize]), "A3 (297x420)");
    EXPECT_EQ(std::string(kScaleNames[view.shownSize.scaleIndex]), "50%");
    EXPECT_FALSE(document.isModified());
}

// Title-block ops drawn on each folio.
std::size_t titleBlockDrawing(Folio& folio) {
    RecordingSurface surface;
    drawTitleBlocks(folio, surface, renderContextOf(folio, 5));
    return surface.drawingLines().size();
}

TEST(SettingsCommands, AnEmptyTitleBlockNameRemovesItFromEveryFolio) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    test::LibraryFixture library(folder / "lib");
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    document.insertFolio(document.newFolio());
    ASSERT_EQ(document.folios.size(), 2u);
    SettingsView view(document);
    view.titleBlock = TitleBlockSettings{"Cartouche A4", 3, true};
    run(cmd::kTitleBlock, view);
    ASSERT_NE(document.titleBlock, nullptr);
    EXPECT_EQ(document.titleBlockCorner, 3);
    EXPECT_EQ(document.titleBlockRotated, 1);
    for (auto& folio : document.folios)
        EXPECT_GT(titleBlockDrawing(*folio), 0u);

    document.setModified(false);
    CountingObserver observer;
    document.addObserver(&observer);
    view.titleBlock = TitleBlockSettings{"", 3, true};
    run(cmd::kTitleBlock, view);
    EXPECT_EQ(document.titleBlock, nullptr);
    EXPECT_EQ(document.titleBlockName, "");
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(observer.whole, 1);
    for (auto& folio : document.folios)
        EXPECT_EQ(titleBlockDrawing(*folio), 0u);
    document.removeObserver(&observer);
}

TEST(SettingsCommands, ATitleBlockNameIsNeverCutByASave) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    test::ScriptedUserInterface ui;
    test::LibraryFixture library(folder / "lib");
    // The longest name the header keeps: 49 characters.
    const std::string longest = "Cartouche du bureau d'etudes, format A3 paysage 1";
    ASSERT_EQ(longest.size(), 49u);
    LibNode* appareils = library.cartouche->parent;
    ASSERT_NE(appareils, nullptr);
    LibNode* block = library.lib.createNode(*appareils, NodeKind::Symbol, longest, kCartouche);
    ASSERT_NE(block, nullptr);
    std::vector<std::unique_ptr<Shape>> drawing;
    drawing.push_back(test::makeShape(kRectangle, {{0, 0}, {100000, 30000}}));
    test::storeDrawing(*block, std::move(drawing));

    const fs::path path = folder / "cartouche.dls";
    {
        saoDoc document;
        ASSERT_TRUE(document.open({}));
        document.setPath(path);
        SettingsView view(document);
        // One character more than a save keeps: refused with a message, nothing changes.
        view.titleBlock = TitleBlockSettings{longest + "X", 1, false};
        run(cmd::kTitleBlock, view);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Le nom du cartouche ne doit pas dépasser 49 caractères.");
        EXPECT_EQ(ui.boxes[0].caption, "Cartouche");
        EXPECT_EQ(document.titleBlockName, "");
        EXPECT_FALSE(document.isModified());

        view.titleBlock = TitleBlockSettings{longest, 1, false};
        run(cmd::kTitleBlock, view);
        ASSERT_NE(document.titleBlock, nullptr);
        ASSERT_TRUE(document.commit(false));
    }
    saoDoc document;
    ASSERT_TRUE(document.open(path));
    EXPECT_EQ(document.titleBlockName, longest);
    EXPECT_EQ(document.titleBlockCorner, 1);
    EXPECT_NE(document.titleBlock, nullptr);
    document.close();
}

} // namespace
} // namespace plexo
