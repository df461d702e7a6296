// The Edition commands of the schéma view's table that call the document's
// operations: their enabling rules by selection and kind, and what they do.
#include "edit/kindrules.h"
#include "edit/schemacommands.h"
#include "fakeschemaview.h"

#include "shell/commandids.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/drawingfixture.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plexo {
namespace {

class View : public test::FakeSchemaView {
public:
    View(saoDoc& document, Folio* folio) : FakeSchemaView(document, folio) {}
    Point pasteOrigin() const override { return origin; }
    Point origin{};
    void showFolio(int index) override { shown.push_back(index); }
    bool editSearch() override {
        document_.search = searchAnswer;
        return true;
    }
    void centreOn(const Rect& area) override { centred.push_back(area); }
    std::optional<std::filesystem::path> chooseJclFile(bool wholeFolder) override {
        jclFolder = wholeFolder;
        return jclAnswer;
    }

    void openProperties() override { ++properties; }
    std::optional<std::filesystem::path> choosePasteFile() override { return pasteAnswer; }
    std::optional<std::filesystem::path> pasteAnswer;

    std::optional<std::filesystem::path> jclAnswer;
    bool jclFolder = false;
    int properties = 0;

    SearchRecord searchAnswer;
    std::vector<Rect> centred;

    std::vector<int> shown;
};

bool enabled(int id, const View& view) {
    return test::commandEnabled(id, view);
}

class EditionCommands : public ::testing::Test {
protected:
    void select(std::initializer_list<Shape*> shapes) { f.selectOnly(shapes); }

    test::DrawingFixture f;
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& b = f.add(kLine, {{50000, 20000}, {60000, 20000}});
    View view{f.document, f.folio};
};

TEST_F(EditionCommands, RulesFollowTheSelection) {
    const int one = cmd::kBringToFront, several = cmd::kAlignTop;
    struct Case {
        const char* what;
        std::vector<Shape*> selected;
        bool sel, single, many;
    } cases[] = {
        {"nothing", {}, false, false, false},
        {"one object", {&a}, true, true, false},
        {"two objects", {&a, &b}, true, false, true},
    };
    for (const Case& c : cases) {
        for (auto& object : f.folio->objects)
            object->selected = false;
        for (Shape* shape : c.selected)
            shape->selected = true;
        refreshSelectionSummary(f.document);
        SCOPED_TRACE(c.what);
        for (int id : {cmd::kDelete, cmd::kRotateLeft, cmd::kRotateRight, cmd::kFlipHorizontal,
                       cmd::kFlipVertical, cmd::kAlignOnGrid, cmd::kCentreInFolio})
            EXPECT_EQ(enabled(id, view), c.sel) << id;
        EXPECT_EQ(enabled(one, view), c.single);
        EXPECT_EQ(enabled(several, view), c.many);
        EXPECT_TRUE(enabled(cmd::kSelectAll, view));
    }
    // A selection on another folio enables nothing here.
    Folio& other = f.addFolio();
    View elsewhere(f.document, &other);
    select({&a});
    EXPECT_FALSE(enabled(cmd::kDelete, elsewhere));
    EXPECT_FALSE(enabled(cmd::kSelectAll, elsewhere)); // nothing alive there
}

TEST_F(EditionCommands, KindsDecideTheStyleModelAndTheFolioLinks) {
    EXPECT_TRUE(kindAccepts(kRectangle, cmd::kUseFormatAsModel));
    EXPECT_FALSE(kindAccepts(kSymbol, cmd::kUseFormatAsModel));
    EXPECT_TRUE(kindAccepts(kSymbol, cmd::kFitOutline));
    EXPECT_TRUE(kindAccepts(kChordGrid, 1709));
    EXPECT_FALSE(kindAccepts(kMidiShortcut, 1222));
    select({&a});
    EXPECT_TRUE(enabled(cmd::kUseFormatAsModel, view));
    // 784 and 785 need the first selected object to carry a text.
    EXPECT_FALSE(enabled(cmd::kGoToFolio, view));
    a.data = "2";
    EXPECT_TRUE(enabled(cmd::kGoToFolio, view));
    EXPECT_TRUE(enabled(cmd::kOpenWebSite, view));
    // The MIDI commands need a MIDI shortcut on the folio.
    EXPECT_FALSE(enabled(cmd::kPlayMidi, view));
    f.add(kMidiShortcut, {{0, 0}, {0, 0}}, "chanson.mid");
    EXPECT_TRUE(enabled(cmd::kPlayMidi, view));
    EXPECT_TRUE(enabled(cmd::kStopMidi, view));
}

TEST_F(EditionCommands, GoToTheFolioNamedByTheSelection) {
    f.folio->number = "1";
    Folio& second = f.addFolio();
    second.number = "2b";
    a.data = "2";
    select({&a});
    EXPECT_TRUE(schemaCommands().run(cmd::kGoToFolio, view));
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(view.shown.front(), f.document.indexOf(&second));
}

TEST_F(EditionCommands, TheOperationsAreRecordedUnderTheirLabels) {
    select({&a});
    schemaCommands().run(cmd::kRotateLeft, view);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la rotation\tCtrl+Z");
    schemaCommands().run(cmd::kFlipHorizontal, view);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la symétrie\tCtrl+Z");
    schemaCommands().run(cmd::kDelete, view);
    EXPECT_FALSE(a.alive);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la suppression\tCtrl+Z");
    schemaCommands().run(cmd::kUndo, view);
    EXPECT_TRUE(a.alive);
    schemaCommands().run(cmd::kSelectAll, view);
    EXPECT_TRUE(a.selected);
    EXPECT_TRUE(b.selected);
    EXPECT_EQ(f.document.selection.count, 2);
}

TEST_F(EditionCommands, TheClipboardCommandsPlacePastesTenPixelsInsideTheView) {
    test::ScriptedUserInterface ui;
    f.document.snapToGrid = 0;
    for (int id : {cmd::kCut, cmd::kCopy, cmd::kDuplicate, cmd::kPaste})
        EXPECT_FALSE(enabled(id, view)) << id;
    select({&b});
    for (int id : {cmd::kCut, cmd::kCopy, cmd::kDuplicate})
        EXPECT_TRUE(enabled(id, view)) << id;
    EXPECT_FALSE(enabled(cmd::kPaste, view));

    ASSERT_TRUE(schemaCommands().run(cmd::kCopy, view));
    EXPECT_TRUE(enabled(cmd::kPaste, view));
    view.origin = {200000, 100000};
    ASSERT_TRUE(schemaCommands().run(cmd::kPaste, view));
    ASSERT_EQ(f.folio->objects.size(), 3u);
    Shape& pasted = *f.folio->objects[2];
    EXPECT_EQ((Point{pasted.outline.left, pasted.outline.top}), view.origin);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler coller\tCtrl+Z");

    // Cut: the pasted copy goes, and comes back with paste.
    ASSERT_TRUE(schemaCommands().run(cmd::kCut, view));
    EXPECT_FALSE(pasted.alive);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la suppression\tCtrl+Z");
    EXPECT_TRUE(enabled(cmd::kPaste, view));

    select({&a});
    view.origin = {300000, 0};
    ASSERT_TRUE(schemaCommands().run(cmd::kDuplicate, view));
    const Shape& copy = *f.folio->objects.back();
    EXPECT_EQ(copy.kind, kRectangle);
    EXPECT_EQ((Point{copy.outline.left, copy.outline.top}), view.origin);
    EXPECT_FALSE(a.selected);
}

TEST_F(EditionCommands, FindSelectsTheNextMatchAndCentresOnIt) {
    a.data = "Pompe P1";
    b.data = "Pompe P2";
    EXPECT_FALSE(enabled(cmd::kFindNext, view)); // no search text yet
    view.searchAnswer.text = "pompe";
    EXPECT_TRUE(schemaCommands().run(cmd::kFind, view));
    EXPECT_TRUE(a.selected);
    ASSERT_EQ(view.centred.size(), 1u);
    EXPECT_EQ(view.centred.back(), a.outline);
    EXPECT_TRUE(enabled(cmd::kFindNext, view));
    schemaCommands().run(cmd::kFindNext, view);
    EXPECT_FALSE(a.selected);
    EXPECT_TRUE(b.selected);
    EXPECT_EQ(view.centred.back(), b.outline);
}

TEST_F(EditionCommands, TheJclCommandsAskForTheirFileAndDoNothingWhenCancelled) {
    const std::size_t folios = f.document.folios.size();
    schemaCommands().run(cmd::kJclReverseSet, view);
    EXPECT_TRUE(view.jclFolder);
    schemaCommands().run(cmd::kJclReverse, view);
    EXPECT_FALSE(view.jclFolder);
    EXPECT_EQ(f.document.folios.size(), folios);
    EXPECT_TRUE(view.shown.empty());
    EXPECT_TRUE(enabled(cmd::kJclReverse, view));
}

} // namespace
} // namespace plexo
