#include "store/undo.h"

#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/selection.h"
#include "support/drawingfixture.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace plexo {
namespace {

using test::DrawingFixture;

TEST(UndoLabels, TextsOfTheUndoCommand) {
    const std::pair<int, const char*> texts[] = {
        {151, "Impossible d'annuler\tCtrl+Z"},
        {152, "&Annuler la création\tCtrl+Z"},
        {153, "&Refaire la création\tCtrl+Z"},
        {154, "&Annuler la suppression\tCtrl+Z"},
        {155, "&Refaire la suppression\tCtrl+Z"},
        {156, "&Annuler le déplacement\tCtrl+Z"},
        {157, "&Refaire le déplacement\tCtrl+Z"},
        {158, "&Annuler le redimensionnement\tCtrl+Z"},
        {159, "&Refaire le redimensionnement\tCtrl+Z"},
        {160, "&Annuler la modification\tCtrl+Z"},
        {161, "&Refaire la modification\tCtrl+Z"},
        {162, "&Annuler l'alignement\tCtrl+Z"},
        {163, "&Refaire l'alignement\tCtrl+Z"},
        {164, "&Annuler coller\tCtrl+Z"},
        {165, "&Refaire coller\tCtrl+Z"},
        {166, "&Annuler la rotation\tCtrl+Z"},
        {167, "&Refaire la rotation\tCtrl+Z"},
        {168, "&Annuler la symétrie\tCtrl+Z"},
        {169, "&Refaire la symétrie\tCtrl+Z"},
    };
    for (const auto& [id, text] : texts)
        EXPECT_EQ(undoLabelText(id), text) << id;
    EXPECT_EQ(undoLabelText(150), "");
    EXPECT_EQ(undoLabelText(170), "");
}

class Undo : public ::testing::Test {
protected:
    DrawingFixture f;
    std::string menu() const { return undoLabelFor(f.document, f.folio).text; }
    bool enabled() const { return undoLabelFor(f.document, f.folio).enabled; }
};

TEST_F(Undo, DeleteUndoRedo) {
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& b = f.add(kOval, {{20000, 0}, {30000, 10000}});
    Shape& kept = f.add(kLine, {{0, 50000}, {10000, 50000}});
    a.selected = b.selected = true;
    EXPECT_EQ(menu(), "Impossible d'annuler\tCtrl+Z");
    EXPECT_FALSE(enabled());

    deleteSelection(f.document, *f.folio);
    EXPECT_FALSE(a.alive);
    EXPECT_FALSE(b.alive);
    EXPECT_TRUE(kept.alive);
    EXPECT_TRUE(f.document.isModified());
    EXPECT_EQ(menu(), "&Annuler la suppression\tCtrl+Z");
    EXPECT_TRUE(enabled());
    EXPECT_FALSE(f.document.selection.any);

    undoAction(f.document);
    EXPECT_TRUE(a.alive);
    EXPECT_TRUE(b.alive);
    EXPECT_TRUE(a.selected && b.selected) << "the objects come back selected";
    EXPECT_EQ(menu(), "&Refaire la suppression\tCtrl+Z");
    EXPECT_EQ(f.document.selection.count, 2);

    undoAction(f.document);
    EXPECT_FALSE(a.alive);
    EXPECT_FALSE(b.alive);
    EXPECT_EQ(menu(), "&Annuler la suppression\tCtrl+Z");

    // The next recording destroys what is deleted at that moment.
    recordAction(f.document, f.folio, kUndoMove);
    ASSERT_EQ(f.folio->objects.size(), 1u);
    EXPECT_EQ(f.folio->objects[0].get(), &kept);
}

TEST_F(Undo, DeletionUndoneSurvivesTheNextRecording) {
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    a.selected = true;
    deleteSelection(f.document, *f.folio);
    undoAction(f.document);
    recordAction(f.document, f.folio, kUndoModification);
    ASSERT_EQ(f.folio->objects.size(), 1u);
    EXPECT_TRUE(a.alive);
    EXPECT_FALSE(a.isNew);
    EXPECT_FALSE(a.changed);
}

TEST_F(Undo, CreationUndoneThenOverwritten) {
    recordAction(f.document, f.folio, kUndoCreation);
    auto first = std::make_unique<Shape>(kRectangle, f.folio);
    first->points = {{0, 0}, {10000, 10000}};
    first->style = objectDefaultStyle();
    first->setApplicability();
    computeOutline(*first);
    Shape& created = addCreatedObject(*f.folio, std::move(first), false);
    EXPECT_TRUE(created.alive && created.isNew && created.changed);
    EXPECT_EQ(menu(), "&Annuler la création\tCtrl+Z");

    undoAction(f.document);
    EXPECT_FALSE(created.alive);
    EXPECT_EQ(menu(), "&Refaire la création\tCtrl+Z");
    undoAction(f.document);
    EXPECT_TRUE(created.alive);
    undoAction(f.document);
    EXPECT_FALSE(created.alive);

    recordAction(f.document, f.folio, kUndoCreation);
    auto second = std::make_unique<Shape>(kOval, f.folio);
    second->points = {{0, 0}, {10000, 10000}};
    Shape& other = addCreatedObject(*f.folio, std::move(second), true);
    ASSERT_EQ(f.folio->objects.size(), 1u) << "the undone creation is gone for good";
    EXPECT_EQ(f.folio->objects[0].get(), &other);
    undoAction(f.document);
    undoAction(f.document);
    EXPECT_EQ(f.folio->objects.size(), 1u);
}

TEST_F(Undo, AvailableOnlyOnTheFolioOfTheAction) {
    Folio& second = f.addFolio();
    f.add(kRectangle, {{0, 0}, {10000, 10000}}).selected = true;
    moveSelection(f.document, *f.folio, 1000, 0);
    EXPECT_TRUE(undoLabelFor(f.document, f.folio).enabled);
    const UndoMenuLabel elsewhere = undoLabelFor(f.document, &second);
    EXPECT_FALSE(elsewhere.enabled);
    EXPECT_EQ(elsewhere.text, "Impossible d'annuler\tCtrl+Z");
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler le déplacement\tCtrl+Z");
    // A commit (printing, z-order) leaves nothing to undo.
    commitAction(f.document, f.folio);
    EXPECT_FALSE(undoLabelFor(f.document, f.folio).enabled);
}

TEST_F(Undo, UndoOfAMoveBringsWiresBackOnTheirTerminals) {
    LibNode& relais = f.twoTerminalSymbol();
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 50000});
    Shape& w = f.addWire({{0, 0}, {1, 1}}, DrawingFixture::terminal(a, 1), DrawingFixture::terminal(b, 0));
    const auto wirePoints = w.points;
    b.selected = true;
    moveSelection(f.document, *f.folio, 20000, 30000);
    EXPECT_EQ(w.points.back(), (Point{110000, 80000}));
    undoAction(f.document);
    EXPECT_EQ(b.points[0], (Point{100000, 50000}));
    EXPECT_EQ(w.points, wirePoints);
    EXPECT_EQ(w.infoFil->aval, DrawingFixture::terminal(b, 0));
    EXPECT_EQ(DrawingFixture::terminal(b, 0)->infoBorne->wire, &w);
    undoAction(f.document);
    EXPECT_EQ(w.points.back(), (Point{110000, 80000}));
}

TEST_F(Undo, DeletedSymbolComesBackWithItsWire) {
    LibNode& relais = f.twoTerminalSymbol();
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 0});
    Shape& w = f.addWire({{0, 0}, {1, 1}}, DrawingFixture::terminal(a, 1), DrawingFixture::terminal(b, 0));
    b.selected = true;
    deleteSelection(f.document, *f.folio);
    EXPECT_EQ(w.infoFil->aval, nullptr);
    EXPECT_EQ(DrawingFixture::terminal(b, 0)->infoBorne->wire, nullptr);
    undoAction(f.document);
    EXPECT_EQ(w.infoFil->aval, DrawingFixture::terminal(b, 0));
    EXPECT_EQ(DrawingFixture::terminal(b, 0)->infoBorne->wire, &w);
    // Redone and made permanent: nothing keeps a pointer to the destroyed symbol.
    undoAction(f.document);
    recordAction(f.document, f.folio, kUndoMove);
    EXPECT_EQ(f.folio->objects.size(), 2u);
    EXPECT_EQ(w.infoFil->aval, nullptr);
}

TEST_F(Undo, UndoOfAReconnectedWireEndJoinsTheFirstTerminalAgain) {
    LibNode& relais = f.twoTerminalSymbol();
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 0});
    Shape& c = f.addSymbol(relais, {100000, 60000});
    Shape* b1 = DrawingFixture::terminal(b, 0);
    Shape* c1 = DrawingFixture::terminal(c, 0);
    Shape& w = f.addWire({{0, 0}, {1, 1}}, DrawingFixture::terminal(a, 1), b1);
    const auto points = w.points;
    recordAction(f.document, f.folio, kUndoResize);
    moveHandle(w, 0, 60000, 3);
    w.changed = true;
    ASSERT_EQ(w.infoFil->aval, c1);
    undoAction(f.document);
    EXPECT_EQ(w.points, points);
    EXPECT_EQ(w.infoFil->aval, b1);
    EXPECT_EQ(b1->infoBorne->wire, &w);
    EXPECT_EQ(c1->infoBorne->wire, nullptr);
}

// ---- random sequences ---------------------------------------------------------------

struct ObjectState {
    int kind;
    std::vector<Point> points;
    int angle;
    Rect outline;
    std::int32_t epx, epy;
    bool alive;
    friend bool operator==(const ObjectState&, const ObjectState&) = default;
};

void PrintTo(const ObjectState& s, std::ostream* os) {
    *os << "kind " << s.kind << " angle " << s.angle << " points";
    for (const Point& p : s.points)
        *os << " " << ::testing::PrintToString(p);
    *os << " outline " << ::testing::PrintToString(s.outline) << " ep " << s.epx << "," << s.epy;
}

std::map<const Shape*, ObjectState> snapshot(const Folio& folio) {
    std::map<const Shape*, ObjectState> states;
    // Objects deleted by an earlier action are destroyed by the next recording.
    for (const auto& s : folio.objects) {
        if (s->alive)
            states[s.get()] = {s->kind, s->points, s->angle, s->outline, s->epx, s->epy, s->alive};
    }
    return states;
}

// Every wire end on its terminal or on its wire, every control wire orthogonal.
void expectWiresAttached(const Folio& folio, const std::string& step) {
    for (const auto& owned : folio.objects) {
        const Shape& w = *owned;
        if (!w.alive || !w.isWire())
            continue;
        for (bool upstream : {true, false}) {
            const Shape* end = upstream ? w.infoFil->amont : w.infoFil->aval;
            const Point p = upstream ? w.points.front() : w.points.back();
            if (!end)
                continue;
            if (end->infoBorne)
                EXPECT_EQ(p, placedPoint(*end)) << step << (upstream ? " upstream" : " downstream");
            else
                EXPECT_NE(findSegment(*end, p.x, p.y), 0) << step << " junction off its wire";
        }
        if (w.kind == kWire) {
            for (std::size_t i = 1; i < w.points.size(); ++i) {
                const Point a = w.points[i - 1], b = w.points[i];
                EXPECT_TRUE(std::abs(a.x - b.x) <= kWireTolerance || std::abs(a.y - b.y) <= kWireTolerance)
                    << step << " diagonal segment " << i;
            }
        }
    }
}

TEST(UndoProperties, RandomEditsKeepWiresAttachedAndUndoRestoresEveryObject) {
    DrawingFixture f;
    LibNode& relais = f.twoTerminalSymbol();
    std::vector<Shape*> symbols;
    for (int i = 0; i < 4; ++i)
        symbols.push_back(&f.addSymbol(relais, {200000 * i, 150000 * (i % 2)}));
    std::vector<Shape*> wires;
    for (int i = 0; i + 1 < 4; ++i)
        wires.push_back(&f.addWire({{0, 0}, {1, 1}}, DrawingFixture::terminal(*symbols[i], 1),
                                   DrawingFixture::terminal(*symbols[i + 1], 0)));
    const Point junction = wires[0]->points[1];
    f.addWire({{junction.x, junction.y}, {junction.x + 1, junction.y + 1}}, wires[0],
              DrawingFixture::terminal(*symbols[3], 1));
    f.add(kRectangle, {{0, 400000}, {50000, 450000}});
    expectWiresAttached(*f.folio, "start");

    std::mt19937 random(20261208);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int step = 0; step < 300; ++step) {
        bool any = false;
        for (auto& s : f.folio->objects) {
            s->selected = s->alive && pick(3) == 0 && (s->kind != kWire || pick(2) == 0);
            any = any || s->selected;
        }
        if (!any)
            continue;
        const auto before = snapshot(*f.folio);
        const int operation = pick(6);
        const std::string name = "step " + std::to_string(step) + " operation " + std::to_string(operation);
        switch (operation) {
        case 0:
            moveSelection(f.document, *f.folio, 2834 * (pick(21) - 10), 2834 * (pick(21) - 10));
            break;
        case 1:
            rotateSelection(f.document, *f.folio, pick(2) ? 90 : -90);
            break;
        case 2:
            mirrorSelection(f.document, *f.folio, pick(2));
            break;
        case 3:
            alignSelection(f.document, *f.folio, pick(8));
            break;
        case 4:
            deleteSelection(f.document, *f.folio);
            break;
        default: {
            // Symbols deleted earlier may have been destroyed: pick among those left.
            std::vector<Shape*> left;
            for (auto& o : f.folio->objects) {
                if (o->alive && o->kind == kSymbol)
                    left.push_back(o.get());
            }
            if (left.empty())
                continue;
            Shape* s = left[static_cast<std::size_t>(pick(static_cast<int>(left.size())))];
            recordAction(f.document, f.folio, kUndoResize);
            moveHandle(*s, 1000 * (pick(9) - 4), 1000 * (pick(9) - 4), -1 - pick(8));
            s->changed = true;
            f.folio->connectLooseWireEnds();
            followChangedWires(f.document, *f.folio);
            break;
        }
        }
        expectWiresAttached(*f.folio, name);
        const auto after = snapshot(*f.folio);
        if (pick(2) == 0) {
            undoAction(f.document);
            EXPECT_EQ(snapshot(*f.folio), before) << name << " undone";
            expectWiresAttached(*f.folio, name + " undone");
            if (pick(2) == 0) {
                undoAction(f.document);
                EXPECT_EQ(snapshot(*f.folio), after) << name << " redone";
                expectWiresAttached(*f.folio, name + " redone");
            }
        }
        if (::testing::Test::HasFailure())
            break;
    }
}

} // namespace
} // namespace plexo
