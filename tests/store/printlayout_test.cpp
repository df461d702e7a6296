// A folio on paper: sheets numbered down the columns first, each drawn at
// natural size from its page's origin, objects across a border clipped on both
// sheets, the title block at the first page's place showing the printed page.
#include "store/printlayout.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "shapes/recordingsurface.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plexo {
namespace {

// The top-left corners of the unfilled rectangles a surface received, as
// "x,y": each is drawn as four lines, starting from that corner.
std::vector<std::string> rectanglesOf(const RecordingSurface& surface) {
    std::vector<std::string> corners;
    int moves = 0;
    for (const SurfaceCall& call : surface.calls())
        if (call.op == SurfaceOp::MoveTo && moves++ % 4 == 0)
            corners.push_back(std::to_string(call.args[0]) + "," + std::to_string(call.args[1]));
    return corners;
}

std::vector<std::string> textsOf(const RecordingSurface& surface) {
    std::vector<std::string> texts;
    for (const SurfaceCall& call : surface.calls())
        if (call.op == SurfaceOp::TextOut)
            texts.push_back(call.text);
    return texts;
}

class PrintLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.open({}));
        folio = document.folios.front().get();
        folio->acquire();
        folio->pagesAcross = 2;
        folio->pagesDown = 3;
        page = folio->pageSize();
    }
    void TearDown() override { document.close(); }

    // A small square of 20 points at a document point.
    Shape& square(std::int32_t x, std::int32_t y) {
        folio->append(test::makeShape(kRectangle, {{x, y}, {x + 20000, y + 20000}}));
        return *folio->objects.back();
    }

    test::ScriptedUserInterface ui;
    saoDoc document;
    Folio* folio = nullptr;
    PageSize page;
};

TEST_F(PrintLayoutTest, SheetsRunDownTheColumnsFirst) {
    const PrintLayout layout(*folio);
    EXPECT_EQ(layout.sheetCount(), 6);
    EXPECT_FALSE(layout.hasSheet(0));
    EXPECT_FALSE(layout.hasSheet(7));
    struct Case {
        int sheet;
        Point origin;
    } cases[] = {
        {1, {0, 0}},
        {2, {0, page.height}},
        {3, {0, 2 * page.height}},
        {4, {page.width, 0}},
        {6, {page.width, 2 * page.height}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layout.pageOrigin(c.sheet).x, c.origin.x) << c.sheet;
        EXPECT_EQ(layout.pageOrigin(c.sheet).y, c.origin.y) << c.sheet;
    }
    // The window is the page at one unit per point, the far borders included.
    EXPECT_EQ(layout.sheetWindow(), (Extent{page.width / 1000 + 1, page.height / 1000 + 1}));
}

TEST_F(PrintLayoutTest, EachSheetDrawsItsOwnPageShiftedAndClipped) {
    square(100000, 100000);               // on page 1 only
    square(100000, page.height + 50000);  // on page 2 (the page below the first)
    square(page.width - 10000, 300000);   // across the border of pages 1 and 4
    square(400000, 400000).alive = false; // dead: never printed
    std::vector<std::vector<std::string>> sheets;
    for (int n = 1; n <= 6; ++n) {
        RecordingSurface surface;
        ASSERT_TRUE(renderPrintedSheet(*folio, surface, n)) << n;
        sheets.push_back(rectanglesOf(surface));
        // Every sheet is clipped to its window.
        ASSERT_FALSE(surface.calls().empty());
        const SurfaceCall& clip = surface.calls().front();
        ASSERT_EQ(clip.op, SurfaceOp::SetClipRect);
        EXPECT_EQ(clip.args, (std::vector<int>{0, 0, page.width / 1000 + 1, page.height / 1000 + 1}));
    }
    // Natural size: one point to one unit.
    ASSERT_EQ(sheets[0].size(), 2u);
    EXPECT_EQ(sheets[0][0], "100,100");
    EXPECT_EQ(sheets[0][1], std::to_string((page.width - 10000) / 1000) + ",300");
    ASSERT_EQ(sheets[1].size(), 1u);
    EXPECT_EQ(sheets[1][0], "100," + std::to_string((page.height + 50000) / 1000 - page.height / 1000));
    EXPECT_TRUE(sheets[2].empty());
    // The square across the border appears on page 4 too, shifted left by a page.
    ASSERT_EQ(sheets[3].size(), 1u);
    EXPECT_EQ(sheets[3][0], "-10,300");
    EXPECT_TRUE(sheets[4].empty());
    EXPECT_TRUE(sheets[5].empty());
    // Every object is back where it was.
    EXPECT_EQ(folio->objects[0]->points[0], (Point{100000, 100000}));
    EXPECT_EQ(folio->objects[2]->points[0].x, page.width - 10000);
    RecordingSurface none;
    EXPECT_FALSE(renderPrintedSheet(*folio, none, 7));
}

TEST_F(PrintLayoutTest, ProgressCanCancelASheet) {
    for (int i = 0; i < 200; ++i)
        square(1000 * i, 1000);
    int asked = 0;
    PrintedSheetOptions options;
    options.progress = [&](int drawn, int total) {
        ++asked;
        EXPECT_EQ(total, 200);
        return drawn < 128;
    };
    RecordingSurface surface;
    EXPECT_FALSE(renderPrintedSheet(*folio, surface, 1, options));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(rectanglesOf(surface).size(), 127u);
    // Cancelled or not, the clip is let go.
    EXPECT_EQ(surface.calls().back().op, SurfaceOp::ClearClip);
}

TEST(PrintLayoutTitleBlock, SitsAtTheFirstPagesPlaceAndShowsThePrintedPage) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    LibNode* library = fixture.lib.location->children.front().get();
    LibNode* block = fixture.lib.createNode(*library, NodeKind::Symbol, "Cartouche pages", kCartouche);
    std::vector<std::unique_ptr<Shape>> drawing;
    drawing.push_back(test::makeShape(kRectangle, {{0, 0}, {100000, 30000}}));
    drawing.push_back(test::makeShape(kTextZone, {{1000, 1000}, {50000, 10000}}, "#TPages"));
    test::storeDrawing(*block, std::move(drawing));
    test::ScriptedUserInterface ui;
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    document.titleBlockName = "Cartouche pages";
    document.titleBlockCorner = 0;
    document.loadTitleBlock();
    ASSERT_NE(document.titleBlock, nullptr);
    Folio& folio = *document.folios.front();
    folio.acquire();
    folio.pagesAcross = 2;
    folio.pagesDown = 3;
    std::string firstCorner;
    for (int n : {1, 2, 5}) {
        RecordingSurface surface;
        ASSERT_TRUE(renderPrintedSheet(folio, surface, n));
        const auto texts = textsOf(surface);
        EXPECT_NE(std::find(texts.begin(), texts.end(), std::to_string(n) + "/6"), texts.end()) << n;
        // The frame of the block is at the same place, near the top-left
        // corner, on every sheet.
        const auto boxes = rectanglesOf(surface);
        ASSERT_FALSE(boxes.empty()) << n;
        if (firstCorner.empty())
            firstCorner = boxes.front();
        EXPECT_EQ(boxes.front(), firstCorner) << n;
        const int x = std::stoi(boxes.front());
        EXPECT_TRUE(x >= 0 && x < 100) << boxes.front();
    }
    folio.release(true);
    document.close();
}

} // namespace
} // namespace plexo
