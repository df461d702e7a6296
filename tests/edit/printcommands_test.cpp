// The printing commands commit the last action before the print dialog, so
// that undo is disabled after printing and dead objects are not printed; the
// presentation command ticks while the presentation is open.
#include "edit/schemacommands.h"
#include "fakeschemaview.h"

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

class PrintingView : public test::FakeSchemaView {
public:
    explicit PrintingView(saoDoc& document) : FakeSchemaView(document) {}
    Folio* folio() const override { return shown; }

    void printFolio(bool preview) override {
        // What the print-out sees: the undo state and the objects at that moment.
        calls.push_back(preview ? "preview" : "print");
        undoEnabledWhenPrinting = undoLabelFor(document_, shown).enabled;
        objectsWhenPrinting = shown ? shown->objects.size() : 0;
    }
    void pageSetup() override { calls.push_back("setup"); }
    void togglePresentation() override { open = !open; }
    bool presentationOpen() const override { return open; }

    Folio* shown = nullptr;
    bool open = false;
    bool undoEnabledWhenPrinting = true;
    std::size_t objectsWhenPrinting = 0;
    std::vector<std::string> calls;

};

class PrintCommands : public ::testing::Test, public test::DrawingFixture {
protected:
    // Two rectangles, the second deleted by an undoable action.
    void deleteOne() {
        folio->append(std::make_unique<Shape>(kRectangle, folio));
        folio->objects.back()->points = {{0, 0}, {10000, 10000}};
        folio->append(std::make_unique<Shape>(kRectangle, folio));
        folio->objects.back()->points = {{20000, 0}, {30000, 10000}};
        folio->objects.back()->selected = true;
        deleteSelection(document, *folio);
        ASSERT_TRUE(undoLabelFor(document, folio).enabled);
    }
};

TEST_F(PrintCommands, PrintAndPreviewCommitTheLastActionFirst) {
    for (int id : {cmd::kPrint, cmd::kPrintPreview}) {
        PrintingView view(document);
        view.shown = folio;
        folio->objects.clear();
        deleteOne();
        CommandStatus status;
        ASSERT_TRUE(schemaCommands().status(id, view, status));
        EXPECT_TRUE(status.enabled);
        ASSERT_TRUE(schemaCommands().run(id, view));
        ASSERT_EQ(view.calls.size(), 1u);
        EXPECT_EQ(view.calls[0], id == cmd::kPrint ? "print" : "preview");
        // The commit happened before the dialog: nothing to undo, the deleted
        // object is gone, and it stays so after printing.
        EXPECT_FALSE(view.undoEnabledWhenPrinting);
        EXPECT_EQ(view.objectsWhenPrinting, 1u);
        EXPECT_FALSE(undoLabelFor(document, folio).enabled);
    }
}

TEST_F(PrintCommands, EnablingAndThePresentationTick) {
    PrintingView view(document);
    CommandStatus status;
    // Without a folio there is nothing to print or present; the setup stays.
    ASSERT_TRUE(schemaCommands().status(cmd::kPrint, view, status));
    EXPECT_FALSE(status.enabled);
    ASSERT_TRUE(schemaCommands().status(cmd::kPresentation, view, status));
    EXPECT_FALSE(status.enabled);
    ASSERT_TRUE(schemaCommands().status(cmd::kPageSetup, view, status));
    EXPECT_TRUE(status.enabled);
    schemaCommands().run(cmd::kPageSetup, view);
    EXPECT_EQ(view.calls, std::vector<std::string>{"setup"});

    view.shown = folio;
    ASSERT_TRUE(schemaCommands().status(cmd::kPresentation, view, status));
    EXPECT_TRUE(status.enabled);
    EXPECT_FALSE(status.checked);
    schemaCommands().run(cmd::kPresentation, view);
    ASSERT_TRUE(schemaCommands().status(cmd::kPresentation, view, status));
    EXPECT_TRUE(status.checked);
    schemaCommands().run(cmd::kPresentation, view);
    EXPECT_FALSE(view.open);
}

} // namespace
} // namespace plexo
