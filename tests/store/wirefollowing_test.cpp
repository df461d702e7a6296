// Wires follow their terminals when a folio is loaded: a wire stored away from its
// terminal, or a symbol whose terminals moved in its library since the document
// was saved, comes back with the wire's ends on the terminals and its segments
// horizontal and vertical.
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "shapes/symbollabels.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::makeShape;
using test::makeSymbol;
namespace fs = std::filesystem;
using Points = std::vector<Point>;

Shape* terminal(Shape& symbol, std::size_t index) {
    return symbol.infoSymbole->labels[index].shape.get();
}

bool isOrthogonal(const Points& p) {
    for (std::size_t i = 1; i < p.size(); ++i)
        if (p[i].x != p[i - 1].x && p[i].y != p[i - 1].y)
            return false;
    return true;
}

// Two "Moteur" symbols (terminals at x 0 and 20000 of the drawing, y 5000) and a
// control wire from the first one's right terminal to the second one's left
// terminal, whose stored points are given; a spur wire starts on the middle of
// the wire's horizontal run. Saved at path.
void saveJoinedSymbols(const fs::path& path, Points wirePoints) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    doc.setPath(path);
    Folio& folio = *doc.folios.front();
    folio.acquire();
    Shape& left = folio.append(makeSymbol(folio, "Moteur", {60000, 60000}));
    Shape& right = folio.append(makeSymbol(folio, "Moteur", {160000, 120000}));
    Shape& wire =
        folio.append(makeShape(kWire, {placedPoint(*terminal(left, 1)), placedPoint(*terminal(right, 0))}));
    ASSERT_TRUE(linkEnd(wire, true, terminal(left, 1)));
    ASSERT_TRUE(linkEnd(wire, false, terminal(right, 0)));
    followEnds(wire);
    Shape& spur = folio.append(makeShape(kWire, {{110000, 65000}, {110000, 200000}}));
    ASSERT_TRUE(linkEnd(spur, true, &wire));
    // As another program, or an older symbol, left them.
    wire.points = std::move(wirePoints);
    doc.setModified();
    ASSERT_TRUE(doc.commit(false));
    folio.release(false);
}

struct Loaded {
    saoDoc doc;
    Folio* folio = nullptr;
    explicit Loaded(const fs::path& path) {
        if (doc.open(path) && !doc.folios.empty()) {
            folio = doc.folios.front().get();
            folio->acquire();
        }
    }
    ~Loaded() {
        if (folio)
            folio->release(false);
    }
    Shape& object(std::size_t i) { return *folio->objects.at(i); }
};

TEST(WireFollowing, AWireStoredAwayFromItsTerminalsComesBackOnThem) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    const fs::path path = folder / "plan.dls";
    // The right terminal of the first symbol is at (70000, 60000), the left one of
    // the second at (150000, 120000).
    saveJoinedSymbols(path, {{71000, 58000}, {149000, 123000}});
    Loaded back(path);
    ASSERT_NE(back.folio, nullptr);
    ASSERT_EQ(back.folio->objects.size(), 4u);
    Shape& wire = back.object(2);
    ASSERT_EQ(wire.infoFil->amont, terminal(back.object(0), 1));
    ASSERT_EQ(wire.infoFil->aval, terminal(back.object(1), 0));
    EXPECT_EQ(wire.points.front(), placedPoint(*terminal(back.object(0), 1)));
    EXPECT_EQ(wire.points.back(), placedPoint(*terminal(back.object(1), 0)));
    // The diagonal two-point wire gets its elbow: first horizontal, then vertical.
    EXPECT_EQ(
        wire.points,
        (Points{wire.points.front(), {wire.points.back().x, wire.points.front().y}, wire.points.back()}));
}

TEST(WireFollowing, WiresInPlaceAreLeftAsStored) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    const fs::path path = folder / "plan.dls";
    // On its terminals, with a needless point on the horizontal run: a wire whose
    // ends lie where they should is not rerouted by a mere load.
    const Points stored{{70000, 60000}, {100000, 60000}, {150000, 60000}, {150000, 120000}};
    saveJoinedSymbols(path, stored);
    Loaded back(path);
    ASSERT_NE(back.folio, nullptr);
    EXPECT_EQ(back.object(2).points, stored);
}

TEST(WireFollowing, ASymbolWhoseTerminalsMovedInItsLibraryPullsItsWires) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    const fs::path path = folder / "plan.dls";
    saveJoinedSymbols(path, {{70000, 60000}, {150000, 60000}, {150000, 120000}});
    // The symbol is redrawn taller, its terminals 10000 lower and further apart.
    std::vector<std::unique_ptr<Shape>> drawing;
    drawing.push_back(makeShape(kRectangle, {{0, 0}, {40000, 30000}}));
    drawing.push_back(makeShape(kTerminal, {{0, 25000}}, "1"));
    drawing.push_back(makeShape(kTerminal, {{40000, 25000}}, "2"));
    drawing.push_back(makeShape(kTextZone, {{2000, 2000}, {18000, 8000}}, "M"));
    test::storeDrawing(*fixture.moteur, std::move(drawing));

    Loaded back(path);
    ASSERT_NE(back.folio, nullptr);
    ASSERT_EQ(back.folio->objects.size(), 4u);
    Shape& wire = back.object(2);
    const Point from = placedPoint(*terminal(back.object(0), 1));
    const Point to = placedPoint(*terminal(back.object(1), 0));
    ASSERT_NE(from, (Point{70000, 60000})); // the terminals did move
    EXPECT_EQ(wire.points.front(), from);
    EXPECT_EQ(wire.points.back(), to);
    EXPECT_TRUE(isOrthogonal(wire.points));
    // The spur keeps its junction on the moved wire.
    Shape& spur = back.object(3);
    ASSERT_EQ(spur.infoFil->amont, &wire);
    EXPECT_NE(findSegment(wire, spur.points.front().x, spur.points.front().y), 0);
    EXPECT_TRUE(isOrthogonal(spur.points));
}

} // namespace
} // namespace plexo
