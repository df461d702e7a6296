#include "store/selection.h"

#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/undo.h"
#include "support/drawingfixture.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::DrawingFixture;
using Points = std::vector<Point>;

class Selection : public ::testing::Test {
protected:
    DrawingFixture f;
    LibNode& relais = f.twoTerminalSymbol();
};

TEST_F(Selection, SummaryOfTheSelection) {
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& b = f.add(kLine, {{50000, 20000}, {60000, 20000}});
    a.selected = true;
    refreshSelectionSummary(f.document);
    EXPECT_TRUE(f.document.selection.any);
    EXPECT_EQ(f.document.selection.single, &a);
    EXPECT_EQ(f.document.selection.folio, f.folio);
    EXPECT_EQ(f.document.selection.bounds, a.outline);
    b.selected = true;
    refreshSelectionSummary(f.document);
    EXPECT_EQ(f.document.selection.single, nullptr);
    EXPECT_EQ(f.document.selection.count, 2);
    EXPECT_EQ(f.document.selection.bounds, (Rect{-3000, -3000, 63000, 23000}));
    // A line has no fill colour: the merged fill is indeterminate.
    EXPECT_TRUE(f.document.selection.style.isIndeterminate(kFillColour));
    EXPECT_TRUE(f.document.selection.style.isUsable(kColour));
    // Deleted objects are not part of it.
    a.alive = false;
    refreshSelectionSummary(f.document);
    EXPECT_EQ(f.document.selection.single, &b);
}

TEST_F(Selection, MovingASymbolDragsItsWireEnd) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 50000});
    Shape& w = f.addWire({{0, 0}, {1, 1}}, DrawingFixture::terminal(a, 1), DrawingFixture::terminal(b, 0));
    a.selected = true;
    moveSelection(f.document, *f.folio, 0, -20000);
    EXPECT_EQ(w.points, (Points{{10000, -20000}, {90000, -20000}, {90000, 50000}}));
    EXPECT_TRUE(w.changed);
    EXPECT_FALSE(b.changed);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler le déplacement\tCtrl+Z");
}

TEST_F(Selection, WireMovesWholeWhenBothEndsMoveOrWhenFreeAndSelected) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 50000});
    Shape& w = f.addWire({{0, 0}, {1, 1}}, DrawingFixture::terminal(a, 1), DrawingFixture::terminal(b, 0));
    Shape& loose = f.add(kWire, {{0, 200000}, {30000, 200000}, {30000, 230000}});
    Shape& untouched = f.add(kWire, {{0, 300000}, {30000, 300000}});
    a.selected = b.selected = loose.selected = true;
    const Points before = w.points;
    moveSelection(f.document, *f.folio, 5668, 2834);
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(w.points[i], (Point{before[i].x + 5668, before[i].y + 2834}));
    EXPECT_EQ(loose.points, (Points{{5668, 202834}, {35668, 202834}, {35668, 232834}}));
    EXPECT_EQ(untouched.points, (Points{{0, 300000}, {30000, 300000}}));
    EXPECT_FALSE(untouched.changed);
}

TEST_F(Selection, PointsInsideTheLastBandMoveWhenOnlyOneEndMoves) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& w = f.add(kWire, {{10000, 0}, {50000, 0}, {50000, 40000}, {80000, 40000}});
    linkEnd(w, true, DrawingFixture::terminal(a, 1));
    followEnds(w);
    w.takeUndoCopy();
    // The band took the symbol and the wire's first two points.
    Rect band{-20000, -20000, 60000, 10000};
    a.selected = w.selected = true;
    moveSelection(f.document, *f.folio, 0, 10000, band);
    EXPECT_EQ(w.points, (Points{{10000, 10000}, {50000, 10000}, {50000, 40000}, {80000, 40000}}));
    EXPECT_EQ(band, (Rect{-20000, -10000, 60000, 20000}));
}

TEST_F(Selection, SingleMovedSymbolPicksUpAWireEndUnderItsTerminal) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& w = f.add(kWire, {{-50000, 30000}, {-10000, 30000}});
    a.selected = true;
    moveSelection(f.document, *f.folio, 0, 30000);
    EXPECT_EQ(w.infoFil->aval, DrawingFixture::terminal(a, 0));
}

TEST_F(Selection, RotationAndSymmetryAboutTheMeanCentre) {
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& b = f.add(kRectangle, {{30000, 0}, {40000, 10000}});
    a.selected = b.selected = true;
    EXPECT_EQ(selectionPivot(*f.folio), (Point{20000, 5000}));
    rotateSelection(f.document, *f.folio, 90);
    // (0, 0) turned left about (20000, 5000) is (15000, 25000); the box normalises.
    EXPECT_EQ(a.points, (Points{{15000, 15000}, {25000, 25000}}));
    EXPECT_EQ(b.points, (Points{{15000, -15000}, {25000, -5000}}));
    EXPECT_EQ(a.angle, 90);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la rotation\tCtrl+Z");
    undoAction(f.document);
    EXPECT_EQ(a.points, (Points{{0, 0}, {10000, 10000}}));
    EXPECT_EQ(a.angle, 0);

    mirrorSelection(f.document, *f.folio, 0);
    EXPECT_EQ(a.points, (Points{{30000, 0}, {40000, 10000}}));
    EXPECT_EQ(b.points, (Points{{0, 0}, {10000, 10000}}));
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la symétrie\tCtrl+Z");
}

TEST_F(Selection, RotatingASymbolKeepsItsWireOnTheTerminal) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 50000});
    Shape& w = f.addWire({{0, 0}, {1, 1}}, DrawingFixture::terminal(a, 1), DrawingFixture::terminal(b, 0));
    b.selected = true;
    rotateSelection(f.document, *f.folio, -90);
    // Turned right about its own centre: the left terminal goes to the top.
    EXPECT_EQ(w.points.back(), (Point{100000, 40000}));
    EXPECT_EQ(w.points.back(), placedPoint(*DrawingFixture::terminal(b, 0)));
}

TEST_F(Selection, AlignmentOperations) {
    // Outlines: (-3000, -3000, 13000, 13000) and (37000, 17000, 63000, 53000).
    struct Case {
        int operation;
        Rect first, second;
    };
    const std::int32_t w = 595275, h = 841889;
    const Case cases[] = {
        {kAlignTop, {-3000, -3000, 13000, 13000}, {37000, -3000, 63000, 33000}},
        {kAlignBottom, {-3000, 37000, 13000, 53000}, {37000, 17000, 63000, 53000}},
        {kAlignLeft, {-3000, -3000, 13000, 13000}, {-3000, 17000, 23000, 53000}},
        {kAlignRight, {47000, -3000, 63000, 13000}, {37000, 17000, 63000, 53000}},
        {kAlignHorizontalCentres, {22000, -3000, 38000, 13000}, {17000, 17000, 43000, 53000}},
        {kAlignVerticalCentres, {-3000, 17000, 13000, 33000}, {37000, 7000, 63000, 43000}},
        {kAlignCentreInFolio,
         {w / 2 - 33000, h / 2 - 28000, w / 2 - 17000, h / 2 - 12000},
         {w / 2 + 7000, h / 2 - 8000, w / 2 + 33000, h / 2 + 28000}},
    };
    for (const Case& c : cases) {
        Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
        Shape& b = f.add(kRectangle, {{40000, 20000}, {60000, 50000}});
        for (auto& s : f.folio->objects)
            s->selected = false;
        a.selected = b.selected = true;
        alignSelection(f.document, *f.folio, c.operation);
        EXPECT_EQ(a.outline, c.first) << c.operation;
        EXPECT_EQ(b.outline, c.second) << c.operation;
        EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler l'alignement\tCtrl+Z");
        a.alive = b.alive = false;
    }
}

TEST_F(Selection, AlignmentOnTheGridSnapsEachObject) {
    Shape& a = f.add(kLine, {{1400, 4300}, {11400, 4300}});
    a.selected = true;
    f.document.snapToGrid = 0; // the command snaps even when the switch is off
    alignSelection(f.document, *f.folio, kAlignOnGrid);
    EXPECT_EQ(a.points[0], (Point{0, 5669}));
}

TEST_F(Selection, StyleChangeKeepsInapplicableItemsAndUndoes) {
    Shape& line = f.add(kLine, {{0, 0}, {10000, 0}});
    Shape& box = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    line.selected = box.selected = true;
    Style change;
    change.markAllUnset();
    change.set(kColour, 4);
    change.set(kFillColour, 3);
    change.set(kLineWidth, 3000);
    applyStyleToSelection(f.document, *f.folio, change);
    EXPECT_EQ(line.style.colour, 4);
    EXPECT_FALSE(line.style.isUsable(kFillColour)) << "a line has no fill";
    EXPECT_EQ(box.style.fillColour, 3);
    EXPECT_TRUE(box.style.isUsable(kFillColour));
    EXPECT_EQ(box.outline, (Rect{-5000, -5000, 15000, 15000}));
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la modification\tCtrl+Z");
    undoAction(f.document);
    EXPECT_EQ(box.style.fillColour, kNoColour);
    EXPECT_EQ(box.outline, (Rect{-3000, -3000, 13000, 13000}));
}

TEST_F(Selection, FindNext) {
    test::ScriptedUserInterface ui;
    Shape& s = f.addSymbol(relais, {0, 0});
    s.infoSymbole->labels[1].text = "KA12";
    Shape& t = f.add(kText, {{0, 0}, {10000, 10000}}, "Moteur pompe");
    Shape& u = f.add(kLine, {{0, 0}, {10000, 0}}, "ka1");
    f.add(kLine, {{0, 0}, {10000, 0}}, "zzz");
    SearchRecord& search = f.document.search;

    struct Step {
        std::string text;
        bool whole, caseSensitive;
        Shape* expected;
    };
    // Each step starts again from the first object.
    const Step steps[] = {
        {"relais", false, false, &s}, // the symbol's name
        {"KA", false, true, &s},      // a label of the symbol
        {"ka", false, true, &u},      // case-sensitive: not the label
        {"POMPE", false, false, &t},  // inside the text, ignoring case
        {"POMPE", false, true, nullptr},
        {"ka1", true, false, &u}, // whole name: equal over the candidate's length
        {"ka", true, false, nullptr},
        {"", false, false, nullptr},
    };
    for (const Step& step : steps) {
        search.text = step.text;
        search.wholeName = step.whole;
        search.caseSensitive = step.caseSensitive;
        search.resumeIndex = 0;
        EXPECT_EQ(findNext(f.document, *f.folio), step.expected) << step.text;
    }

    // Going on from a match, then past the end: a beep and back to the start.
    search = {};
    search.text = "a";
    f.folio->objects[2]->selected = true;
    EXPECT_EQ(findNext(f.document, *f.folio), &s);
    EXPECT_FALSE(f.folio->objects[2]->selected) << "everything else is deselected";
    EXPECT_EQ(findNext(f.document, *f.folio), &u);
    const int beeps = ui.beeps;
    EXPECT_EQ(findNext(f.document, *f.folio), nullptr);
    EXPECT_EQ(ui.beeps, beeps + 1);
    EXPECT_EQ(search.resumeIndex, 0);
    EXPECT_EQ(findNext(f.document, *f.folio), &s);
    EXPECT_TRUE(s.selected);
    EXPECT_EQ(f.document.selection.single, &s);
}

TEST_F(Selection, StretchingASymbolMovesItsTerminalsAndTheirWires) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& w = f.addWire({{10000, 0}, {10000, 50000}}, DrawingFixture::terminal(a, 1), nullptr);
    // The right-middle handle widens the drawing by 6500 on each side: the
    // terminal at half the width goes 6500 further right.
    resizeObject(f.document, *f.folio, a, 6500, 0, -4);
    EXPECT_EQ(a.epx, 6500);
    EXPECT_EQ(placedPoint(*DrawingFixture::terminal(a, 1)), (Point{15000, 0}));
    EXPECT_EQ(w.points.front(), (Point{15000, 0}));
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler le redimensionnement	Ctrl+Z");
    undoAction(f.document);
    EXPECT_EQ(a.epx, 0);
    EXPECT_EQ(w.points.front(), (Point{10000, 0}));
}

TEST_F(Selection, CreatedWireJoinsWhatLiesUnderItsEnds) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 40000});
    auto wire = std::make_unique<Shape>(kWire, f.folio);
    wire->createKindRecord();
    wire->style = wireDefaultStyle();
    wire->setApplicability();
    wire->points = {{10000, 0}, {89000, 41000}};
    Shape& w = createObject(f.document, *f.folio, std::move(wire), false);
    EXPECT_EQ(w.infoFil->amont, DrawingFixture::terminal(a, 1));
    EXPECT_EQ(w.infoFil->aval, DrawingFixture::terminal(b, 0));
    EXPECT_EQ(w.points, (Points{{10000, 0}, {90000, 0}, {90000, 40000}}));
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la création\tCtrl+Z");
    undoAction(f.document);
    EXPECT_FALSE(w.alive);
    // The next action forgets it, and the terminals it held are free again.
    recordAction(f.document, f.folio, kUndoMove);
    EXPECT_EQ(DrawingFixture::terminal(a, 1)->infoBorne->wire, nullptr);
    EXPECT_EQ(f.folio->objects.size(), 2u);
}

TEST_F(Selection, DeleteDropsTheLinksOfTheDeletedObjects) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& main = f.addWire({{10000, 0}, {80000, 0}}, DrawingFixture::terminal(a, 1), nullptr);
    Shape& branch = f.addWire({{50000, 0}, {50000, 40000}}, &main, nullptr);
    main.selected = true;
    deleteSelection(f.document, *f.folio);
    EXPECT_EQ(DrawingFixture::terminal(a, 1)->infoBorne->wire, nullptr);
    EXPECT_EQ(branch.infoFil->amont, nullptr);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la suppression\tCtrl+Z");
}

} // namespace
} // namespace plexo
