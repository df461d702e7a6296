#include "edit/schemacommands.h"

#include "edit/toolbox.h"
#include "library/libnode.h"
#include "shell/commandids.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/drawingfixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plexo {
namespace {

// Remembers what the commands asked of the view.
class FakeView : public SchemaViewContext {
public:
    explicit FakeView(saoDoc& document) : document_(document) {}
    saoDoc& document() const override { return document_; }
    Folio* folio() const override { return shown; }
    Point pasteOrigin() const override { return origin; }
    Point origin{};
    bool isEditable() const override { return !document_.isSymbolDocument(); }
    bool tabsShown() const override { return tabs; }
    bool rulersShown() const override { return rulers; }
    bool gridShown() const override { return grid; }
    void setTabsShown(bool shown) override { tabs = shown; }
    void setRulersShown(bool shown) override { rulers = shown; }
    void setGridShown(bool shown) override { grid = shown; }
    void zoomCommand(int command) override { calls.push_back("zoom " + std::to_string(command)); }
    void addFolio() override { calls.push_back("add"); }
    void folioInformation() override { calls.push_back("information"); }
    void deleteFolio() override { calls.push_back("delete"); }
    void copyFolioUnderAnotherName() override { calls.push_back("copy"); }
    void folioList() override { calls.push_back("list"); }
    void showFolio(int index) override { calls.push_back("show " + std::to_string(index)); }
    bool editSearch() override { return false; }
    void centreOn(const Rect&) override {}
    std::optional<std::filesystem::path> chooseJclFile(bool) override { return std::nullopt; }
    std::optional<std::filesystem::path> choosePasteFile() override { return std::nullopt; }
    void openProperties() override { calls.push_back("properties"); }

    Folio* shown = nullptr;
    bool tabs = true, rulers = true, grid = true;
    std::vector<std::string> calls;

private:
    saoDoc& document_;
};

CommandStatus statusOf(int id, const FakeView& view) {
    CommandStatus status;
    EXPECT_TRUE(schemaCommands().status(id, view, status)) << id;
    return status;
}

TEST(SchemaCommands, DisplayTogglesTickAndSwitch) {
    saoDoc document;
    FakeView view(document);
    struct Case {
        int id;
        bool FakeView::*flag;
    } toggles[] = {{cmd::kShowTabStrip, &FakeView::tabs},
                   {cmd::kShowRulers, &FakeView::rulers},
                   {cmd::kShowGrid, &FakeView::grid}};
    for (const Case& c : toggles) {
        EXPECT_TRUE(statusOf(c.id, view).checked) << c.id;
        EXPECT_TRUE(schemaCommands().run(c.id, view));
        EXPECT_FALSE(view.*c.flag) << c.id;
        EXPECT_FALSE(statusOf(c.id, view).checked) << c.id;
    }
    // The document's switches are stored with it: they mark it modified.
    document.snapToGrid = 1;
    EXPECT_TRUE(statusOf(cmd::kSnapToGrid, view).checked);
    schemaCommands().run(cmd::kSnapToGrid, view);
    EXPECT_EQ(document.snapToGrid, 0);
    EXPECT_TRUE(document.isModified());
    document.showTerminals = 0;
    schemaCommands().run(cmd::kShowTerminals, view);
    EXPECT_EQ(document.showTerminals, 1);
    EXPECT_TRUE(statusOf(cmd::kShowTerminals, view).checked);
}

TEST(SchemaCommands, ZoomAndFolioCommandsReachTheView) {
    saoDoc document;
    FakeView view(document);
    for (int id : {760, 768, 769, 770, cmd::kAddFolio, cmd::kFolioInfo, cmd::kDeleteFolio, cmd::kCopyFolioAs,
                   cmd::kFolioList}) {
        EXPECT_TRUE(statusOf(id, view).enabled) << id;
        EXPECT_TRUE(schemaCommands().run(id, view)) << id;
    }
    EXPECT_EQ(view.calls, (std::vector<std::string>{"zoom 760", "zoom 768", "zoom 769", "zoom 770", "add",
                                                    "information", "delete", "copy", "list"}));
    // Commands the view does not carry out are left to others.
    CommandStatus status;
    EXPECT_FALSE(schemaCommands().status(cmd::kNew, view, status));
}

TEST(SchemaCommands, ASymbolBeingEditedHasNoFolioCommandsNorTabStripToggle) {
    LibNode symbol(NodeKind::Symbol, "Relais");
    saoDoc document(&symbol);
    FakeView view(document);
    for (int id : {cmd::kShowTabStrip, cmd::kAddFolio, cmd::kFolioInfo, cmd::kDeleteFolio, cmd::kCopyFolioAs,
                   cmd::kFolioList})
        EXPECT_FALSE(statusOf(id, view).enabled) << id;
    EXPECT_TRUE(statusOf(cmd::kShowRulers, view).enabled);
}

TEST(SchemaCommands, ToolCommandsTickTheCurrentToolAndDrawingToolsDeselect) {
    test::DrawingFixture f;
    FakeView view(f.document);
    view.shown = f.folio;
    Shape& s = f.add(kLine, {{0, 0}, {10000, 0}});
    const int before = toolChoice().current();
    for (int id : {103, 101, 105}) {
        s.selected = true;
        refreshSelectionSummary(f.document);
        EXPECT_TRUE(schemaCommands().run(id, view));
        EXPECT_EQ(toolChoice().current(), id);
        EXPECT_TRUE(statusOf(id, view).checked) << id;
        EXPECT_FALSE(statusOf(id == 105 ? 101 : 105, view).checked) << id;
        // Only the selection tool and the magnifier keep the selection.
        EXPECT_EQ(s.selected, id != 105) << id;
        EXPECT_EQ(f.document.selection.any, id != 105) << id;
    }
    EXPECT_EQ(schemaCommands().find(120)->text, "C&alendrier");
    toolChoice().choose(before);
}

TEST(SchemaCommands, UndoCarriesTheLabelOfTheLastActionOnThisFolio) {
    test::DrawingFixture f;
    FakeView view(f.document);
    view.shown = f.folio;
    CommandStatus status = statusOf(cmd::kUndo, view);
    EXPECT_FALSE(status.enabled);
    EXPECT_EQ(status.text, "Impossible d'annuler\tCtrl+Z");
    Shape& s = f.add(kLine, {{0, 0}, {10000, 0}});
    s.selected = true;
    moveSelection(f.document, *f.folio, 5000, 0);
    status = statusOf(cmd::kUndo, view);
    EXPECT_TRUE(status.enabled);
    EXPECT_EQ(status.text, "&Annuler le déplacement\tCtrl+Z");
    EXPECT_TRUE(schemaCommands().run(cmd::kUndo, view));
    EXPECT_EQ(s.points.front(), (Point{0, 0}));
    EXPECT_EQ(statusOf(cmd::kUndo, view).text, "&Refaire le déplacement\tCtrl+Z");
    schemaCommands().run(cmd::kUndo, view);
    EXPECT_EQ(s.points.front(), (Point{5000, 0}));
    // Another folio's view cannot undo it.
    view.shown = &f.addFolio();
    EXPECT_FALSE(statusOf(cmd::kUndo, view).enabled);
    EXPECT_EQ(statusOf(cmd::kUndo, view).text, "Impossible d'annuler\tCtrl+Z");
}

TEST(SchemaCommands, EveryRowHasTheTextOfItsCommand) {
    for (const auto& row : schemaCommands().rows()) {
        EXPECT_FALSE(row.text.empty()) << row.id;
        EXPECT_TRUE(row.handler) << row.id;
    }
}

} // namespace
} // namespace plexo
