// The labels a symbol instance takes from a drawing that nests another symbol,
// when the instance is read back from a saved document.
#include "library/libnode.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::makeShape;

Point centreOf(const SymbolBounds& b) { return {(b.left + b.right) / 2, (b.top + b.bottom) / 2}; }

// Where a point of the motor's drawing lies in the group's drawing: the motor sits
// at `at`, turned left by 90 degrees about its drawing's centre c.
Point turnedLeftAbout(Point q, Point c, Point at) { return {at.x + (q.y - c.y), at.y - (q.x - c.x)}; }

TEST(NestedLabels, ReadInstancesKeepNestedLabelsWhereTheNestedSymbolSits) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    LibNode* groupe = fixture.lib.createNode(*fixture.moteur->owningLibrary(), NodeKind::Symbol, "Groupe");
    const Point motorAt{100000, 50000};
    {
        Folio page;
        std::vector<std::unique_ptr<Shape>> drawing;
        drawing.push_back(makeShape(kRectangle, {{0, 0}, {200000, 100000}}));
        drawing.push_back(makeShape(kTerminal, {{0, 0}}, "G"));
        auto motor = test::makeSymbol(page, "Moteur", motorAt);
        motor->angle = 90;
        drawing.push_back(std::move(motor));
        test::storeDrawing(*groupe, std::move(drawing));
    }

    const std::filesystem::path path = folder / "plan.dls";
    Point wireStart;
    {
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.setPath(path);
        Folio& folio = *doc.folios.front();
        folio.acquire();
        Shape& group = folio.append(test::makeSymbol(folio, "Groupe", {300000, 200000}));
        ASSERT_EQ(group.infoSymbole->labels.size(), 4u);   // G, then the motor's 1, 2 and M
        const char* texts[] = {"A", "B", "C", "D"};
        for (std::size_t i = 0; i < 4; ++i)
            group.infoSymbole->labels[i].text = texts[i];
        Shape* terminal1 = group.infoSymbole->labels[1].shape.get();
        wireStart = placedPoint(*terminal1);
        auto wire = makeShape(kWire, {wireStart, {wireStart.x, wireStart.y + 50000}});
        Shape& added = folio.append(std::move(wire));
        linkEnd(added, true, terminal1);
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        folio.release(true);
    }

    saoDoc back;
    ASSERT_TRUE(back.open(path));
    Folio& folio = *back.folios.front();
    folio.acquire();
    ASSERT_EQ(folio.objects.size(), 2u);
    Shape& group = *folio.objects[0];
    Shape& wire = *folio.objects[1];
    ASSERT_EQ(group.infoSymbole->labels.size(), 4u);
    ASSERT_NE(fixture.moteur->drawing, nullptr);
    const Point c = centreOf(fixture.moteur->bounds);

    struct Expected {
        int kind;
        Point first;
        int angle;
        const char* text;
    };
    // The motor's terminals (0, 5000) and (20000, 5000) and its text zone's first
    // corner (2000, 2000), put where the turned motor sits in the group's drawing.
    const Expected expected[] = {
        {kTerminal, {0, 0}, 0, "A"},
        {kTerminal, turnedLeftAbout({0, 5000}, c, motorAt), 90, "B"},
        {kTerminal, turnedLeftAbout({20000, 5000}, c, motorAt), 90, "C"},
        {kSymbolText, turnedLeftAbout({2000, 2000}, c, motorAt), 90, "D"},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const Etiquette& label = group.infoSymbole->labels[i];
        ASSERT_NE(label.shape, nullptr);
        EXPECT_EQ(label.shape->kind, expected[i].kind);
        ASSERT_FALSE(label.shape->points.empty());
        EXPECT_EQ(label.shape->points[0].x, expected[i].first.x);
        EXPECT_EQ(label.shape->points[0].y, expected[i].first.y);
        EXPECT_EQ(label.shape->angle, expected[i].angle);
        EXPECT_EQ(label.text, expected[i].text);
        EXPECT_EQ(label.shape->infoBorne->owner, &group);
    }

    // Building the labels of a like instance from the drawing gives the same ones.
    std::vector<Point> read;
    for (const Etiquette& label : group.infoSymbole->labels)
        read.push_back(label.shape->points[0]);
    {
        Shape like(kSymbol, &folio);
        like.createKindRecord();
        like.infoSymbole->node = groupe;
        like.points = group.points;
        buildLabels(like);
        ASSERT_EQ(like.infoSymbole->labels.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(like.infoSymbole->labels[i].shape->points[0], read[i]) << i;
            EXPECT_EQ(like.infoSymbole->labels[i].text, "") << i;
        }
    }

    // Placed, the nested terminal is where the wire was drawn to, and the wire
    // read back follows it without moving.
    Shape* terminal1 = group.infoSymbole->labels[1].shape.get();
    EXPECT_EQ(placedPoint(*terminal1), wireStart);
    EXPECT_EQ(wire.infoFil->amont, terminal1);
    followEnds(wire);
    EXPECT_EQ(wire.points[0], wireStart);
    placeLabels(group);
    EXPECT_EQ(terminal1->points[0], wireStart);
    unplaceLabels(group);
    EXPECT_EQ(terminal1->points[0], read[1]);
    folio.release(false);
}

} // namespace
} // namespace plexo
