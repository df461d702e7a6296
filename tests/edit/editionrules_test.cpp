// The Edition commands' enabling by selection and object kind, as a table, and
// the rows with no menu: fitting outlines (710), the whole folio's picture (801)
// and the diagnostic boxes (750..754).
#include "edit/diagnostics.h"
#include "edit/fitoutline.h"
#include "edit/schemacommands.h"
#include "fakeschemaview.h"

#include "base/desktopservices.h"
#include "shapes/units.h"
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
    int paneZoom() const override { return zoom; }
    int zoom = kZoom100;

};

class MailDesktop : public DesktopServices {
public:
    MailDesktop() { setDesktopServices(this); }
    ~MailDesktop() override { setDesktopServices(nullptr); }
    bool hasMailService() override { return mail; }
    bool mail = true;
};

bool enabled(int id, const View& view) {
    return test::commandEnabled(id, view);
}

class EditionRules : public ::testing::Test {
protected:
    void select(std::initializer_list<Shape*> shapes) { f.selectOnly(shapes); }

    test::ScriptedUserInterface ui;
    test::DrawingFixture f;
    View view{f.document, f.folio};
};

TEST_F(EditionRules, EnablingFollowsTheSelectionAndTheKinds) {
    Shape& box = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& text = f.add(kText, {{20000, 0}, {30000, 10000}}, "abc");
    Shape& symbol = f.addSymbol(f.twoTerminalSymbol(), {60000, 60000});
    Shape& calendar = f.add(kCalendar, {{0, 90000}, {60000, 190000}});
    Shape& grid = f.add(kChordGrid, {{100000, 0}, {130000, 30000}});
    struct Case {
        const char* what;
        std::vector<Shape*> selected;
        bool fit, model, one, sel, many, named;
    } cases[] = {
        {"nothing", {}, false, false, false, false, false, false},
        {"a rectangle", {&box}, false, true, true, true, false, false},
        {"a text", {&text}, true, true, true, true, false, true},
        {"a symbol", {&symbol}, true, false, true, true, false, false},
        {"a calendar", {&calendar}, false, true, true, true, false, false},
        {"a chord grid", {&grid}, false, false, true, true, false, false},
        // The first selected object of a naming kind decides 784 and 785.
        {"a rectangle and a text", {&box, &text}, true, false, false, true, true, false},
        {"a chord grid and a text", {&grid, &text}, true, true, false, true, true, true},
        {"a symbol and a chord grid", {&symbol, &grid}, true, false, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        select({});
        for (Shape* shape : c.selected)
            shape->selected = true;
        refreshSelectionSummary(f.document);
        EXPECT_EQ(enabled(cmd::kFitOutline, view), c.fit);
        EXPECT_EQ(enabled(cmd::kUseFormatAsModel, view), c.model && c.one);
        for (int id : {cmd::kProperties, cmd::kBringToFront, cmd::kSendToBack, cmd::kDiagnosticLast})
            EXPECT_EQ(enabled(id, view), c.one) << id;
        for (int id : {cmd::kCopy, cmd::kCut, cmd::kDuplicate, cmd::kDelete, cmd::kRotateLeft,
                       cmd::kFlipVertical, cmd::kAlignOnGrid, cmd::kCentreInFolio})
            EXPECT_EQ(enabled(id, view), c.sel) << id;
        for (int id = cmd::kAlignTop; id <= cmd::kCentreVertically; ++id)
            EXPECT_EQ(enabled(id, view), c.many) << id;
        EXPECT_EQ(enabled(cmd::kGoToFolio, view), c.named);
        EXPECT_EQ(enabled(cmd::kOpenWebSite, view), c.named);
        // The folio holds objects: these need nothing selected.
        for (int id : {cmd::kCopyWholeFolioPicture, cmd::kSelectAll, cmd::kCopyFolio, cmd::kDiagnosticFirst})
            EXPECT_TRUE(enabled(id, view)) << id;
    }
}

TEST_F(EditionRules, AnEmptyFolioOrNoMailServiceTurnCommandsOff) {
    MailDesktop desktop;
    EXPECT_FALSE(enabled(cmd::kCopyWholeFolioPicture, view));
    EXPECT_FALSE(enabled(cmd::kSend, view));
    f.add(kLine, {{0, 0}, {10000, 0}});
    EXPECT_TRUE(enabled(cmd::kCopyWholeFolioPicture, view));
    EXPECT_TRUE(enabled(cmd::kSend, view));
    desktop.mail = false;
    EXPECT_FALSE(enabled(cmd::kSend, view));
}

TEST_F(EditionRules, FittingOutlinesIsOneModificationAndWiresFollow) {
    Shape& text = f.add(kText, {{20000, 0}, {90000, 40000}}, "abc");
    Shape& box = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& symbol = f.addSymbol(f.twoTerminalSymbol(), {60000, 60000});
    Shape& other = f.addSymbol(f.twoTerminalSymbol(), {160000, 60000});
    symbol.epx = 8000;
    computeOutline(symbol);
    symbol.takeUndoCopy();
    Shape& wire = f.addWire({{73000, 60000}, {147000, 60000}}, test::DrawingFixture::terminal(symbol, 1),
                            test::DrawingFixture::terminal(other, 0));
    const Rect stretched = symbol.outline;
    select({&text, &box, &symbol});
    ASSERT_TRUE(schemaCommands().run(cmd::kFitOutline, view));
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la modification\tCtrl+Z");
    EXPECT_LT(text.points[1].x, 90000);
    EXPECT_EQ(box.points[1], (Point{10000, 10000}));
    EXPECT_EQ(symbol.epx, 0);
    EXPECT_LT(symbol.outline.width(), stretched.width());
    // The wire's end stays on the symbol's right terminal, 10 points right of
    // its centre once the stretch is gone.
    EXPECT_EQ(wire.points.front(), (Point{70000, 60000}));
    undoAction(f.document);
    EXPECT_EQ(text.points[1], (Point{90000, 40000}));
    EXPECT_EQ(symbol.epx, 8000);
    // Nothing left to fit records nothing.
    undoAction(f.document); // redo
    EXPECT_EQ(symbol.epx, 0);
    EXPECT_FALSE(fitSelectionOutlines(f.document, *f.folio, kZoom100));
}

TEST_F(EditionRules, APastedTextGetsItsBoxFittedToItsLines) {
    f.document.snapToGrid = 0;
    userInterface().setClipboardText("Pompe\nP2");
    ASSERT_TRUE(schemaCommands().run(cmd::kPaste, view));
    const Shape& text = *f.folio->objects.back();
    ASSERT_EQ(text.kind, kText);
    // At the default size of 9 points the fixed measurer gives 6 points a
    // character and 9 a line.
    EXPECT_EQ(text.points[1].x - text.points[0].x, 5 * 6000);
    EXPECT_EQ(text.points[1].y - text.points[0].y, 2 * 9000);
}

TEST_F(EditionRules, TheWholeFolioPictureShowsEveryObjectButCarriesTheSelection) {
    Shape& a = f.add(kRectangle, {{10000, 10000}, {20000, 20000}});
    f.add(kRectangle, {{100000, 50000}, {140000, 90000}});
    select({&a});
    ASSERT_TRUE(schemaCommands().run(cmd::kCopyWholeFolioPicture, view));
    const Rect all = a.outline.united(f.folio->objects[1]->outline);
    EXPECT_EQ(ui.clipboardPicture.width, all.width() / 1000 + 1);
    EXPECT_EQ(ui.clipboardPicture.height, all.height() / 1000 + 1);
    // Pasting gives the selected object only.
    const std::size_t count = f.folio->objects.size();
    ASSERT_TRUE(schemaCommands().run(cmd::kPaste, view));
    EXPECT_EQ(f.folio->objects.size(), count + 1);
}

TEST_F(EditionRules, TheDiagnosticsDescribeTheFolioAndTheSelection) {
    Shape& box = f.add(kRectangle, {{0, 0}, {10000, 10000}}, "P1");
    f.add(kRectangle, {{0, 0}, {5000, 5000}}).alive = false;
    f.add(kWire, {{0, 0}, {5000, 0}});
    f.folio->number = "12";
    const std::string counts = folioObjectCounts(*f.folio);
    EXPECT_NE(counts.find("Folio 12"), std::string::npos) << counts;
    EXPECT_NE(counts.find("Objets : 3"), std::string::npos) << counts;
    EXPECT_NE(counts.find("Rectangle : 1 (+1 supprimés)"), std::string::npos) << counts;
    EXPECT_NE(counts.find("Fil : 1"), std::string::npos) << counts;
    EXPECT_EQ(kindName(kSymbol), "Symbole");
    EXPECT_EQ(kindName(99), "Type 99");
    EXPECT_EQ(workingFileStatistics(f.document), "Aucun fichier de travail n'est ouvert pour ce document.");

    select({&box});
    const std::string analysis = objectAnalysis(box);
    EXPECT_NE(analysis.find("Type : Rectangle (1)"), std::string::npos) << analysis;
    EXPECT_NE(analysis.find("Points : 2"), std::string::npos) << analysis;
    // Each box is shown with its caption and an information icon.
    for (int id = cmd::kDiagnosticFirst; id <= cmd::kDiagnosticLast; ++id)
        EXPECT_TRUE(schemaCommands().run(id, view)) << id;
    ASSERT_EQ(ui.boxes.size(), 5u);
    for (const auto& shown : ui.boxes) {
        EXPECT_EQ(shown.caption, "Diagnostic");
        EXPECT_FALSE(shown.text.empty());
    }
    EXPECT_EQ(ui.boxes[4].text, analysis);
}

} // namespace
} // namespace plexo
