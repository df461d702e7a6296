#include "shapes/wires.h"

#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "support/drawingfixture.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::DrawingFixture;
using Points = std::vector<Point>;

class Wires : public ::testing::Test {
protected:
    DrawingFixture f;
    LibNode& relais = f.twoTerminalSymbol();
};

TEST_F(Wires, OrthogonalisationCases) {
    struct Case {
        const char* what;
        Points before, after;
    };
    const Case cases[] = {
        {"a diagonal two-point wire gains an elbow, first horizontal",
         {{0, 0}, {50000, 30000}},
         {{0, 0}, {50000, 0}, {50000, 30000}}},
        {"three points on one horizontal line lose the middle one",
         {{0, 0}, {20000, 0}, {40000, 0}},
         {{0, 0}, {40000, 0}}},
        {"three points on one vertical line within 16 units lose the middle one",
         {{0, 0}, {10, 20000}, {-10, 40000}},
         {{0, 0}, {-10, 40000}}},
        {"interior points line up with their predecessor; the one before the last meets the last",
         {{0, 0}, {10000, 10}, {10010, 20000}, {30000, 20000}},
         {{0, 0}, {10000, 0}, {10000, 20000}, {30000, 20000}}},
        {"a last point moved off the line pulls the point before it",
         {{0, 0}, {30000, 0}, {30000, 20000}, {60000, 25000}},
         {{0, 0}, {30000, 0}, {30000, 25000}, {60000, 25000}}},
        {"a straight two-point wire stays as it is", {{0, 0}, {0, 40000}}, {{0, 0}, {0, 40000}}},
        {"a nearly straight two-point wire is not given an elbow",
         {{0, 0}, {12, 40000}},
         {{0, 0}, {12, 40000}}},
    };
    for (const Case& c : cases) {
        Shape& w = f.add(kWire, c.before);
        followEnds(w);
        EXPECT_EQ(w.points, c.after) << c.what;
    }
}

TEST_F(Wires, CablesFollowTheirEndsWithoutOrthogonalisation) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& cable = f.addWire({{10000, 0}, {33000, 17000}, {50000, 30000}}, DrawingFixture::terminal(a, 1),
                             nullptr, kCable);
    move(a, 0, 5000);
    followEnds(cable);
    EXPECT_EQ(cable.points, (Points{{10000, 5000}, {33000, 17000}, {50000, 30000}}));
}

TEST_F(Wires, WireFollowsMovedAndTurnedTerminals) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 50000});
    Shape* a2 = DrawingFixture::terminal(a, 1);
    Shape* b1 = DrawingFixture::terminal(b, 0);
    Shape& w = f.addWire({{0, 0}, {1, 1}}, a2, b1);
    EXPECT_EQ(w.points, (Points{{10000, 0}, {90000, 0}, {90000, 50000}}));
    EXPECT_EQ(a2->infoBorne->wire, &w);
    EXPECT_EQ(b1->infoBorne->wire, &w);

    move(b, 0, 20000);
    followEnds(w);
    EXPECT_EQ(w.points, (Points{{10000, 0}, {90000, 0}, {90000, 70000}}));

    // A quarter turn to the left takes the left terminal to the bottom middle.
    turn(b, 100000, 70000, 90);
    followEnds(w);
    EXPECT_EQ(w.points, (Points{{10000, 0}, {100000, 0}, {100000, 80000}}));
}

TEST_F(Wires, KeepJunction) {
    Shape& other = f.add(kWire, {{0, 0}, {100000, 0}, {100000, 100000}});
    struct Case {
        const char* what;
        Point p, junction, expected;
    };
    const Case cases[] = {
        {"on the horizontal segment: kept", {1, 1}, {40000, 10}, {40000, 10}},
        {"on the vertical segment within 16: kept", {1, 1}, {100010, 5000}, {100010, 5000}},
        {"off the wire: the nearest segment, vertical here", {90000, 40000}, {50000, 30000}, {100000, 40000}},
        {"off the wire: the nearest segment, horizontal here", {30000, 5000}, {30000, 5000}, {30000, 0}},
        {"equal distances: the first segment wins", {50000, 50000}, {50000, 50000}, {50000, 0}},
        {"projection clamped to the segment's extent", {150000, 3000}, {150000, 3000}, {100000, 0}},
    };
    for (const Case& c : cases) {
        Point j = c.junction;
        keepJunction(other, c.p, j);
        EXPECT_EQ(j, c.expected) << c.what;
    }
}

TEST_F(Wires, FindSegment) {
    Shape& w = f.add(kWire, {{0, 0}, {100000, 0}, {100000, 100000}});
    EXPECT_EQ(findSegment(w, 50000, 0), 2);
    EXPECT_EQ(findSegment(w, 50000, -16), 2);
    EXPECT_EQ(findSegment(w, 100000, 50000), 3);
    EXPECT_EQ(findSegment(w, 100000, 0), 2);
    EXPECT_EQ(findSegment(w, 50000, 50000), 0);
    EXPECT_EQ(findSegment(w, 50000, 17), 0);
}

TEST_F(Wires, JunctionIsKeptThenMovedWithTheOtherWire) {
    Shape& main = f.add(kWire, {{0, 0}, {100000, 0}});
    Shape& branch = f.addWire({{40000, 0}, {40000, 50000}}, &main, nullptr);
    ASSERT_EQ(main.infoFil->attachedWires, (std::vector<Shape*>{&branch}));
    EXPECT_EQ(branch.points, (Points{{40000, 0}, {40000, 50000}}));

    // Still on the wire after it grows: kept where it was.
    main.points = {{-50000, 0}, {200000, 0}};
    followEnds(branch);
    EXPECT_EQ(branch.points.front(), (Point{40000, 0}));

    // The segment moves away: the junction goes to it.
    main.points = {{0, 10000}, {100000, 10000}};
    followEnds(branch);
    EXPECT_EQ(branch.points, (Points{{40000, 10000}, {40000, 50000}}));

    // Clamped to the segment's ends.
    main.points = {{50000, 20000}, {100000, 20000}};
    followEnds(branch);
    EXPECT_EQ(branch.points.front(), (Point{50000, 20000}));
    EXPECT_EQ(findSegment(main, branch.points[0].x, branch.points[0].y), 2);
    for (std::size_t i = 1; i < branch.points.size(); ++i) {
        const Point a = branch.points[i - 1], b = branch.points[i];
        EXPECT_TRUE(a.x == b.x || a.y == b.y) << "segment " << i;
    }
}

TEST_F(Wires, FirstSegmentLeavesAnUpstreamWireAcross) {
    Shape& main = f.add(kWire, {{0, 0}, {100000, 0}});
    // Drawn along the other wire before turning down: the junction slides to the turn.
    Shape& branch = f.addWire({{20000, 0}, {60000, 0}, {60000, 50000}}, &main, nullptr);
    EXPECT_EQ(branch.points, (Points{{60000, 0}, {60000, 50000}}));
    // A diagonal branch: its elbow would run along the other wire.
    Shape& diagonal = f.addWire({{10000, 0}, {70000, 40000}}, &main, nullptr);
    EXPECT_EQ(diagonal.points, (Points{{70000, 0}, {70000, 40000}}));
}

TEST_F(Wires, TerminalAlreadyCarryingAWireIsSkipped) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape* a1 = DrawingFixture::terminal(a, 0);
    Shape& first = f.add(kWire, {{-10000, 0}, {-50000, 0}});
    connectLooseEnds(first);
    EXPECT_EQ(first.infoFil->amont, a1);
    EXPECT_EQ(first.infoFil->aval, nullptr);
    // A second wire starting there does not take the terminal: it lands on the
    // first wire, whose end lies there.
    Shape& second = f.add(kWire, {{-10000, 0}, {-10000, 60000}});
    connectLooseEnds(second);
    EXPECT_EQ(second.infoFil->amont, &first);
    EXPECT_EQ(a1->infoBorne->wire, &first);
    // Without the first wire under it the terminal is simply not found.
    first.alive = false;
    EXPECT_EQ(findConnectable(*f.folio, {-10000, 0}, &second), nullptr);
    first.alive = true;
    // The free terminal 2 is found within 5 points.
    EXPECT_EQ(findConnectable(*f.folio, {14000, 3000}, nullptr), DrawingFixture::terminal(a, 1));
    EXPECT_EQ(findConnectable(*f.folio, {16000, 0}, nullptr), nullptr);
}

TEST_F(Wires, DropLinks) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 0});
    Shape* a2 = DrawingFixture::terminal(a, 1);
    Shape* b1 = DrawingFixture::terminal(b, 0);
    Shape& w = f.addWire({{10000, 0}, {90000, 0}}, a2, b1);
    Shape& branch = f.addWire({{50000, 0}, {50000, 40000}}, &w, nullptr);

    // Alive objects keep their links unless forced.
    dropLinks(a, false);
    EXPECT_EQ(w.infoFil->amont, a2);

    a.alive = false;
    dropLinks(a, false);
    EXPECT_EQ(w.infoFil->amont, nullptr);
    EXPECT_EQ(a2->infoBorne->wire, nullptr);
    EXPECT_EQ(w.infoFil->aval, b1);

    dropLinks(w, true);
    EXPECT_EQ(w.infoFil->aval, nullptr);
    EXPECT_EQ(b1->infoBorne->wire, nullptr);
    EXPECT_EQ(branch.infoFil->amont, nullptr);
    EXPECT_TRUE(w.infoFil->attachedWires.empty());
}

TEST_F(Wires, LinkingAnEndAgainForgetsThePreviousEnd) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape* a1 = DrawingFixture::terminal(a, 0);
    Shape* a2 = DrawingFixture::terminal(a, 1);
    Shape& w = f.add(kWire, {{0, 0}, {0, 50000}});
    linkEnd(w, true, a1);
    linkEnd(w, true, a2);
    EXPECT_EQ(a1->infoBorne->wire, nullptr);
    EXPECT_EQ(a2->infoBorne->wire, &w);
    Shape& other = f.add(kWire, {{0, 0}, {50000, 0}});
    linkEnd(w, false, &other);
    linkEnd(w, false, nullptr);
    EXPECT_TRUE(other.infoFil->attachedWires.empty());
}

TEST_F(Wires, ATerminalCarriesOneWireOnly) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape* a2 = DrawingFixture::terminal(a, 1);
    Shape& first = f.add(kWire, {{10000, 0}, {50000, 0}});
    Shape& second = f.add(kWire, {{10000, 0}, {10000, 40000}});
    EXPECT_TRUE(linkEnd(first, true, a2));
    // The second wire's end is not found: it stays free and the first keeps the terminal.
    EXPECT_FALSE(linkEnd(second, true, a2));
    EXPECT_EQ(second.infoFil->amont, nullptr);
    EXPECT_EQ(a2->infoBorne->wire, &first);
    EXPECT_EQ(first.infoFil->amont, a2);
    // A refused end also drops what the end held before.
    Shape& other = f.add(kWire, {{0, 40000}, {50000, 40000}});
    ASSERT_TRUE(linkEnd(second, false, &other));
    EXPECT_FALSE(linkEnd(second, false, a2));
    EXPECT_EQ(second.infoFil->aval, nullptr);
    EXPECT_TRUE(other.infoFil->attachedWires.empty());
    // Linking the same wire again, or once the terminal is free, is accepted.
    EXPECT_TRUE(linkEnd(first, true, a2));
    EXPECT_EQ(a2->infoBorne->wire, &first);
    linkEnd(first, true, nullptr);
    EXPECT_TRUE(linkEnd(second, true, a2));
    EXPECT_EQ(a2->infoBorne->wire, &second);
    // A wire or cable takes any number of wire ends.
    EXPECT_TRUE(linkEnd(first, false, &other));
    EXPECT_TRUE(linkEnd(second, false, &other));
    EXPECT_EQ(other.infoFil->attachedWires.size(), 2u);
}

TEST_F(Wires, WireEndHandleDetachesAndReconnects) {
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 0});
    Shape* a2 = DrawingFixture::terminal(a, 1);
    Shape* b1 = DrawingFixture::terminal(b, 0);
    Shape& w = f.addWire({{10000, 0}, {60000, 0}}, a2, nullptr);
    moveHandle(w, 30000, 0, 3);
    EXPECT_EQ(w.infoFil->amont, a2);
    EXPECT_EQ(w.infoFil->aval, b1);
    EXPECT_EQ(b1->infoBorne->wire, &w);
    // Dragged away again, the end is free and the terminal too.
    moveHandle(w, 0, 30000, 3);
    EXPECT_EQ(w.infoFil->aval, nullptr);
    EXPECT_EQ(b1->infoBorne->wire, nullptr);
}

TEST_F(Wires, SegmentHandleMovesTheSegmentOntoTheGridWithItsJunctions) {
    Shape& w = f.add(kWire, {{0, 0}, {50000, 0}, {50000, 50000}, {100000, 50000}});
    Shape& branch = f.addWire({{50000, 25000}, {80000, 25000}}, &w, nullptr);
    Shape& elsewhere = f.addWire({{20000, 0}, {20000, 30000}}, &w, nullptr);
    // Handle 3 is the middle of the vertical segment; 60300 snaps to 59527 (21 mm).
    moveHandle(w, 10300, 0, 3);
    EXPECT_EQ(w.points, (Points{{0, 0}, {59527, 0}, {59527, 50000}, {100000, 50000}}));
    EXPECT_EQ(branch.points.front(), (Point{59527, 25000}));
    EXPECT_EQ(elsewhere.points.front(), (Point{20000, 0}));
    // A horizontal segment moves up or down.
    moveHandle(w, 0, 2000, 2);
    EXPECT_EQ(w.points[0], (Point{0, 2834}));
    EXPECT_EQ(w.points[1], (Point{59527, 2834}));
    EXPECT_EQ(elsewhere.points.front(), (Point{20000, 2834}));
}

TEST_F(Wires, TitleBlockFields) {
    f.document.setPath("/tmp/plans/usine.dls");
    Folio& folio = *f.folio;
    folio.number = "F12";
    folio.date = "08/12/2026";
    folio.author = "Dupont";
    folio.object = "Armoire";
    folio.titles = {"Ligne 1", "Ligne 2", "Ligne 3"};
    folio.pagesAcross = 2;
    folio.pagesDown = 3;
    const std::vector<std::string> fields = {"#Nom",    "#folio",  "#Date",   "#Titre2", "#Title3",
                                             "#Auteur", "#Object", "#Page",   "#TPages", "#NbPages",
                                             "#Path",   "libre",   "#Inconnu"};
    std::vector<test::DrawingObject> objects = {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""}};
    for (const std::string& field : fields)
        objects.push_back({kTextZone, {{0, 0}, {0, 0}}, field});
    LibNode& node = f.symbol("cartouche", objects);
    // The fourth page: second across, second down.
    const Point at{f.document.documentWidth + 1000, f.document.documentHeight + 1000};
    Shape& s = f.addSymbol(node, at);
    s.data = "Q1";
    auto& labels = s.infoSymbole->labels;
    ASSERT_EQ(labels.size(), fields.size());
    labels[11].text = "texte de l'instance";
    labels[12].text = "autre";
    const std::vector<std::string> expected = {"Q1",
                                               "F12",
                                               "08/12/2026",
                                               "Ligne 2",
                                               "Ligne 3",
                                               "Dupont",
                                               "Armoire",
                                               "4",
                                               "4/6",
                                               "6",
                                               "/tmp/plans/usine.dls",
                                               "texte de l'instance",
                                               "autre"};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        refreshLabel(labels[i], s);
        EXPECT_EQ(labels[i].shape->data, expected[i]) << fields[i];
    }
    // Refreshing again still reads the drawing's field, not the text shown.
    refreshLabel(labels[8], s);
    EXPECT_EQ(labels[8].shape->data, "4/6");
    // While printing, the page printed.
    EXPECT_EQ(labelText(labels[8], s, 2), "2/6");
    EXPECT_EQ(labelText(labels[7], s, 2), "2");
    // The first page holds the origin.
    move(s, -at.x, -at.y);
    EXPECT_EQ(labelText(labels[8], s), "1/6");
}

TEST_F(Wires, NestedSymbolsContributeTheirLabelsWhereTheySit) {
    LibNode& outer = f.symbol("armoire", {{kRectangle, {{-100000, -50000}, {100000, 50000}}, ""},
                                          {kSymbol, {{50000, 0}, {50000, 0}}, ""},
                                          {kTerminal, {{-100000, 0}, {-100000, 0}}, "E"}});
    Shape& nested = *outer.drawing->objects[1];
    nested.infoSymbole->node = &relais;
    nested.angle = 90;
    Shape& s = f.addSymbol(outer, {0, 0});
    ASSERT_EQ(s.infoSymbole->labels.size(), 3u);
    // The nested symbol turned left: its terminals lie above and below it.
    EXPECT_EQ(DrawingFixture::terminal(s, 0)->points[0], (Point{50000, 10000}));
    EXPECT_EQ(DrawingFixture::terminal(s, 1)->points[0], (Point{50000, -10000}));
    EXPECT_EQ(DrawingFixture::terminal(s, 2)->points[0], (Point{-100000, 0}));
    EXPECT_EQ(DrawingFixture::terminal(s, 0)->infoBorne->owner, &s);
}

// Symbols nesting ten instances of the previous one, seven levels deep, would give
// 2 x 10^7 labels: the walk through the drawings is bounded (at most 1000 labels)
// and ends quickly.
TEST_F(Wires, DeeplyMultipliedNestingIsBounded) {
    LibNode* previous = &relais;
    for (int level = 0; level < 7; ++level) {
        std::vector<test::DrawingObject> objects{{kRectangle, {{-1000, -1000}, {1000, 1000}}, ""}};
        for (int i = 0; i < 10; ++i)
            objects.push_back({kSymbol, {{i * 100, 0}, {i * 100, 0}}, ""});
        LibNode& node = f.symbol("niveau" + std::to_string(level), objects);
        for (auto& object : node.drawing->objects)
            if (object->kind == kSymbol)
                object->infoSymbole->node = previous;
        previous = &node;
    }
    Shape& s = f.addSymbol(*previous, {0, 0});
    EXPECT_GT(s.infoSymbole->labels.size(), 100u);
    EXPECT_LE(s.infoSymbole->labels.size(), 1000u);
    // The labels met first are kept, in drawing order: the first relay's two
    // terminals, turned into the top drawing's coordinates.
    EXPECT_EQ(DrawingFixture::terminal(s, 0)->kind, kTerminal);
    EXPECT_EQ(DrawingFixture::terminal(s, 0)->points[0], (Point{-10000, 0}));
    EXPECT_EQ(DrawingFixture::terminal(s, 1)->points[0], (Point{10000, 0}));
}

TEST(EndLabels, OriginsAroundBothEnds) {
    struct Case {
        bool first;
        Point neighbour;
        Point origin;
        bool turned;
    };
    // End (100, 100), label 40 × 20, q = 5.
    const Case cases[] = {
        {true, {100, 50}, {105, 95}, true},  {true, {200, 150}, {105, 145}, false},
        {true, {50, 100}, {55, 75}, false},  {true, {150, 100}, {105, 75}, false},
        {false, {100, 50}, {105, 85}, true}, {false, {100, 150}, {105, 145}, true},
        {false, {50, 100}, {55, 75}, false}, {false, {150, 100}, {105, 75}, false},
    };
    for (const Case& c : cases) {
        const EndLabelPlacement p = endLabelOrigin({100, 100}, c.neighbour, c.first, 40, 20);
        EXPECT_EQ(p.origin, c.origin) << c.first << " " << c.neighbour.x << "," << c.neighbour.y;
        EXPECT_EQ(p.turned, c.turned);
    }
}

} // namespace
} // namespace plexo
