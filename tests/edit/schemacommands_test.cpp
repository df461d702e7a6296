#include "edit/schemacommands.h"

#include "library/libnode.h"
#include "shell/commandids.h"
#include "store/saodoc.h"

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
    Folio* folio() const override { return nullptr; }
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
    } toggles[] = {{cmd::kShowTabStrip, &FakeView::tabs}, {cmd::kShowRulers, &FakeView::rulers},
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

TEST(SchemaCommands, EveryRowHasTheTextOfItsCommand) {
    for (const auto& row : schemaCommands().rows()) {
        EXPECT_FALSE(row.text.empty()) << row.id;
        EXPECT_TRUE(row.handler) << row.id;
    }
}

} // namespace
} // namespace plexo
