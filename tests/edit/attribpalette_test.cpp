// The style palette without its window: its tabs' click zones hit-tested at
// their edges, the height of the "Guitare" tab, and what a click does to the
// selection (one modification on the objects that accept it, or a beep).
#include "edit/attribpalette.h"

#include "fakestyleview.h"
#include "shell/commandids.h"
#include "store/undo.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <string>

namespace plexo {
namespace {

using attrib::AttribPalette;
using attrib::ZoneKind;

TEST(AttribZones, TabBandChoosesTabsAtTheirEdges) {
    struct Case {
        int x, y, tab;
    } cases[] = {
        {8, 5, -1},  {9, 5, 0},   {56, 5, 0},   {57, 5, 1},    {104, 15, 1},
        {105, 0, 2}, {440, 5, 8}, {441, 5, -1}, {200, 16, -1}, {0, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(attrib::tabAt(c.x, c.y), c.tab) << c.x << "," << c.y;
    EXPECT_EQ(attrib::tabLabel(4), "Flèches");
    EXPECT_EQ(attrib::tabLabel(8), "Guitare");
    EXPECT_EQ(attrib::tabLabel(9), "");
}

TEST(AttribZones, EveryTabsZonesAtTheirEdges) {
    constexpr int kNone = -1;
    struct Case {
        int tab, x, y;
        int kind; // a ZoneKind, or kNone
        int value;
        int string = 0;
    } cases[] = {
        // "Trait": six widths, the other width, three line styles.
        {0, 10, 30, kNone, 0},
        {0, 11, 30, int(ZoneKind::LineWidth), 1},
        {0, 21, 30, int(ZoneKind::LineWidth), 1},
        {0, 22, 30, kNone, 0},
        {0, 25, 30, int(ZoneKind::LineWidth), 2},
        {0, 91, 30, int(ZoneKind::LineWidth), 6},
        {0, 92, 30, kNone, 0},
        {0, 95, 30, int(ZoneKind::OtherWidth), 0},
        {0, 110, 30, int(ZoneKind::OtherWidth), 0},
        {0, 111, 30, kNone, 0},
        {0, 140, 30, int(ZoneKind::LineStyle), 0},
        {0, 186, 30, int(ZoneKind::LineStyle), 0},
        {0, 187, 30, kNone, 0},
        {0, 200, 30, int(ZoneKind::LineStyle), 1},
        {0, 306, 30, int(ZoneKind::LineStyle), 2},
        {0, 307, 30, kNone, 0},
        {0, 11, 15, kNone, 0}, // the band
        {0, 11, 16, int(ZoneKind::LineWidth), 1},
        {0, 11, 52, int(ZoneKind::LineWidth), 1},
        // Colours: 16 cells, and "none" where the field has one.
        {1, 11, 30, int(ZoneKind::Colour), 0},
        {1, 23, 30, int(ZoneKind::Colour), 0},
        {1, 24, 30, kNone, 0},
        {1, 251, 30, int(ZoneKind::Colour), 15},
        {1, 263, 30, int(ZoneKind::Colour), 15},
        {1, 264, 30, kNone, 0},
        {1, 300, 30, kNone, 0},
        {1, 301, 30, int(ZoneKind::Colour), kNoColour},
        {1, 313, 30, int(ZoneKind::Colour), kNoColour},
        {1, 314, 30, kNone, 0},
        {2, 301, 30, int(ZoneKind::Colour), kNoColour},
        {6, 263, 30, int(ZoneKind::Colour), 15},
        {6, 301, 30, kNone, 0}, // a text always has a colour
        {7, 313, 30, int(ZoneKind::Colour), kNoColour},
        // "Motif": seven cells.
        {3, 11, 30, int(ZoneKind::Pattern), 0},
        {3, 48, 30, int(ZoneKind::Pattern), 0},
        {3, 49, 30, kNone, 0},
        {3, 52, 30, int(ZoneKind::Pattern), 1},
        {3, 294, 30, int(ZoneKind::Pattern), 6},
        {3, 295, 30, kNone, 0},
        // "Flèches": the two menus.
        {4, 11, 30, int(ZoneKind::ArrowMenu), 0},
        {4, 167, 30, int(ZoneKind::ArrowMenu), 0},
        {4, 168, 30, kNone, 0},
        {4, 201, 30, int(ZoneKind::ArrowMenu), 1},
        {4, 367, 30, int(ZoneKind::ArrowMenu), 1},
        {4, 368, 30, kNone, 0},
        // "Style": font, size, the four flags, the nine layouts.
        {5, 167, 30, int(ZoneKind::FontMenu), 0},
        {5, 175, 30, kNone, 0},
        {5, 176, 30, int(ZoneKind::SizeMenu), 0},
        {5, 205, 30, int(ZoneKind::SizeMenu), 0},
        {5, 206, 30, kNone, 0},
        {5, 214, 30, int(ZoneKind::FontFlag), 0},
        {5, 226, 30, int(ZoneKind::FontFlag), 0},
        {5, 227, 30, kNone, 0},
        {5, 274, 30, int(ZoneKind::FontFlag), 3},
        {5, 283, 30, int(ZoneKind::TextLayout), 0},
        {5, 411, 30, int(ZoneKind::TextLayout), 8},
        {5, 423, 30, int(ZoneKind::TextLayout), 8},
        {5, 424, 30, kNone, 0},
        // "Guitare": cell 0 the open string, 3 more pixels after it, then 24 frets.
        {8, 0, 24, kNone, 0},
        {8, 1, 24, int(ZoneKind::Fret), 0, 0},
        {8, 6, 24, int(ZoneKind::Fret), 0, 0},
        {8, 7, 24, kNone, 0},
        {8, 12, 24, kNone, 0},
        {8, 13, 24, int(ZoneKind::Fret), 1, 0},
        {8, 37, 24, int(ZoneKind::Fret), 1, 0},
        {8, 38, 24, kNone, 0},
        {8, 442, 24, int(ZoneKind::Fret), 24, 0},
        {8, 448, 24, int(ZoneKind::Fret), 24, 0},
        {8, 449, 24, kNone, 0},
        {8, 13, 23, kNone, 0},
        {8, 13, 31, int(ZoneKind::Fret), 1, 0},
        {8, 13, 32, int(ZoneKind::Fret), 1, 1}, // shared rows go to the lower string
        {8, 13, 64, int(ZoneKind::Fret), 1, 5},
        {8, 13, 73, int(ZoneKind::Fret), 1, 5},
        {8, 13, 74, kNone, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tab " << c.tab << " at " << c.x << "," << c.y);
        const auto zone = attrib::zoneAt(c.tab, c.x, c.y);
        if (c.kind == kNone) {
            EXPECT_FALSE(zone.has_value());
            continue;
        }
        ASSERT_TRUE(zone.has_value());
        EXPECT_EQ(int(zone->kind), c.kind);
        EXPECT_EQ(zone->value, c.value);
        if (zone->kind == ZoneKind::Fret) {
            EXPECT_EQ(zone->string, c.string);
        }
    }
}

TEST(AttribZones, CommonValuesShowSunken) {
    Style common;
    common.markAllUnset();
    common.set(kLineWidth, 3000);
    common.set(kFontStyle, kFontBold | kFontUnderline);
    common.set(kFillColour, kNoColour);
    common.set(kTuning0 + 2, 5);
    auto sunken = [&](int tab, int x, int y) {
        return attrib::showsCommonValue(*attrib::zoneAt(tab, x, y), common);
    };
    EXPECT_TRUE(sunken(0, 40, 30));   // 3 points
    EXPECT_FALSE(sunken(0, 26, 30));  // 2 points
    EXPECT_FALSE(sunken(0, 100, 30)); // ". . ." only for a width of its own
    EXPECT_TRUE(sunken(2, 305, 30));  // no fill
    EXPECT_FALSE(sunken(2, 15, 30));
    EXPECT_FALSE(sunken(1, 15, 30));  // line colour unset
    EXPECT_FALSE(sunken(5, 220, 30)); // "N"
    EXPECT_TRUE(sunken(5, 236, 30));  // "G"
    EXPECT_FALSE(sunken(5, 252, 30)); // "I"
    EXPECT_TRUE(sunken(5, 268, 30));  // "S"
    // Fret 5 of string 2: x0 of cell 5 is 12 + 28 + 28 + 27 + 26 = 121.
    EXPECT_TRUE(sunken(8, 125, 24 + 16 + 4));
    EXPECT_FALSE(sunken(8, 125, 24 + 4));
    common.set(kLineWidth, 2500);
    EXPECT_TRUE(sunken(0, 100, 30));
    common.indeterminate.set(kLineWidth);
    EXPECT_FALSE(sunken(0, 100, 30));
    common.set(kFontStyle, 0);
    EXPECT_TRUE(sunken(5, 220, 30));
}

class AttribClicks : public ::testing::Test {
protected:
    int beeps() const { return ui.beeps; }
    std::string undoText() const { return undoLabelFor(f.document, f.folio).text; }

    test::ScriptedUserInterface ui;
    test::DrawingFixture f;
    Shape& box = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& instance = f.addSymbol(f.twoTerminalSymbol(), {50000, 50000});
    test::FakeStyleView view{f.document, f.folio};
    AttribPalette palette;
};

TEST_F(AttribClicks, GuitarTabMakesThePaletteTallerAndBack) {
    EXPECT_EQ(palette.height(), 53);
    EXPECT_TRUE(palette.click(9 + 48 * 8 + 10, 5, &view).tabChanged);
    EXPECT_EQ(palette.tab(), 8);
    EXPECT_EQ(palette.height(), 103);
    EXPECT_FALSE(palette.click(9 + 48 * 8 + 10, 5, &view).tabChanged); // the current tab
    EXPECT_TRUE(palette.click(20, 5, &view).tabChanged);
    EXPECT_EQ(palette.height(), 53);
    // Without a schéma view clicks do nothing.
    EXPECT_FALSE(palette.click(9 + 48 * 8 + 10, 5, nullptr).tabChanged);
    EXPECT_EQ(palette.tab(), 0);
    AttribPalette restored(42);
    EXPECT_EQ(restored.tab(), 8);
}

TEST_F(AttribClicks, ColourOnASymbolAloneBeepsAndChangesNothing) {
    test::selectOnly(f, {&instance});
    palette.setTab(1);
    const Style before = instance.style;
    f.document.setModified(false);
    palette.click(11 + 16 * 4, 30, &view);
    EXPECT_EQ(beeps(), 1);
    EXPECT_EQ(instance.style.unset, before.unset);
    EXPECT_FALSE(f.document.isModified());
    EXPECT_FALSE(undoLabelFor(f.document, f.folio).enabled);
    // Outside every zone it beeps as well: the whole tab is refused.
    palette.click(460, 30, &view);
    EXPECT_EQ(beeps(), 2);
}

TEST_F(AttribClicks, ColourSetsTheAcceptingObjectsAndUndoes) {
    test::selectOnly(f, {&box, &instance});
    palette.setTab(1);
    palette.click(11 + 16 * 4 + 5, 30, &view);
    EXPECT_EQ(beeps(), 0);
    EXPECT_EQ(box.style.colour, 4);
    EXPECT_TRUE(instance.style.isUnset(kColour) || instance.style.isIndeterminate(kColour));
    EXPECT_EQ(undoText(), "&Annuler la modification\tCtrl+Z");
    const Style instanceStyle = instance.style;
    undoAction(f.document);
    EXPECT_EQ(box.style.colour, 0);
    EXPECT_EQ(instance.style.indeterminate, instanceStyle.indeterminate);
    // "none" on the shadow tab.
    palette.setTab(7);
    palette.click(305, 30, &view);
    EXPECT_EQ(box.style.shadow, kNoColour);
    palette.click(15, 30, &view);
    EXPECT_EQ(box.style.shadow, 0);
}

TEST_F(AttribClicks, LineStylesNeedTheirOwnGroup) {
    Shape& curve = f.add(kBezier, {{0, 0}, {1000, 1000}, {2000, 0}, {3000, 1000}});
    test::selectOnly(f, {&curve});
    palette.click(150, 30, &view); // a curve takes widths, not line styles
    EXPECT_EQ(beeps(), 1);
    palette.click(40, 30, &view);
    EXPECT_EQ(beeps(), 1);
    EXPECT_EQ(curve.style.lineWidth, 3000u);
    test::selectOnly(f, {&curve, &box});
    palette.click(270, 30, &view);
    EXPECT_EQ(box.style.lineType, 2);
}

TEST_F(AttribClicks, AFretClickedTwiceClears) {
    Shape& grid = f.add(kChordGrid, {{0, 0}, {20000, 30000}});
    Shape& other = f.add(kChordGrid, {{30000, 0}, {50000, 30000}});
    test::selectOnly(f, {&grid});
    palette.setTab(8);
    const int fret1 = 20, string3 = 24 + 8 * 3 + 2;
    palette.click(fret1, string3, &view);
    EXPECT_EQ(grid.style.tuning[3], 1);
    EXPECT_EQ(grid.style.tuning[2], kNoTuning);
    palette.click(fret1, string3, &view);
    EXPECT_EQ(grid.style.tuning[3], kNoTuning);
    // Values that differ among the grids: the click sets the fret on both.
    palette.click(fret1, string3, &view);
    test::selectOnly(f, {&grid, &other});
    palette.click(fret1, string3, &view);
    EXPECT_EQ(grid.style.tuning[3], 1);
    EXPECT_EQ(other.style.tuning[3], 1);
    // A rectangle refuses the tab.
    test::selectOnly(f, {&box});
    palette.click(fret1, string3, &view);
    EXPECT_EQ(beeps(), 1);
}

TEST_F(AttribClicks, MenusAndFlagsOfTheStyleTab) {
    Shape& text = f.add(kText, {{0, 0}, {20000, 5000}}, "abc");
    test::selectOnly(f, {&text});
    palette.setTab(4);
    palette.click(20, 30, &view); // a text has no arrows
    EXPECT_EQ(beeps(), 1);
    palette.setTab(5);
    EXPECT_EQ(palette.click(20, 30, &view).menu, "MenuFont");
    EXPECT_EQ(palette.click(180, 30, &view).menu, "MenuSize");
    palette.click(216 + 16, 30, &view); // "G"
    EXPECT_EQ(text.style.fontStyle, kFontBold);
    palette.click(216, 30, &view); // "N"
    EXPECT_EQ(text.style.fontStyle, 0);
    palette.click(285 + 16 * 4, 30, &view);
    EXPECT_EQ(text.style.textAlign, 4);
    Shape& wire = f.add(kWire, {{0, 0}, {10000, 0}});
    test::selectOnly(f, {&wire});
    palette.setTab(4);
    EXPECT_EQ(palette.click(300, 30, &view).menu, "MenuFleche2");
    palette.setTab(5);
    palette.click(285, 30, &view); // a wire's text has no layout
    EXPECT_EQ(beeps(), 2);
}

TEST_F(AttribClicks, OtherWidthAsksFromTheCommonWidth) {
    test::selectOnly(f, {&box});
    view.sizeAnswer = 9;
    palette.click(100, 30, &view);
    ASSERT_EQ(view.asked.size(), 1u);
    EXPECT_EQ(view.asked[0].kind, OtherSizeKind::LineWidth);
    EXPECT_EQ(view.asked[0].initial, 1);
    EXPECT_EQ(box.style.lineWidth, 9000u);
}

} // namespace
} // namespace plexo
