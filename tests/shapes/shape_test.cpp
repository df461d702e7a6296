#include "shapes/shape.h"

#include "shapes/symbolresolver.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(Shape, NewShapeDefaults) {
    Shape s(kRectangle);
    EXPECT_TRUE(s.alive);
    EXPECT_FALSE(s.isNew || s.selected || s.changed);
    EXPECT_EQ(s.kind, kRectangle);
    EXPECT_TRUE(s.points.empty());
    EXPECT_EQ(s.size(), 0);
    EXPECT_EQ(s.outline, Rect{});
    EXPECT_EQ(s.angle, 0);
    EXPECT_EQ(s.epx, 0);
    EXPECT_FALSE(s.infoSymbole || s.infoFil || s.infoBorne || s.infoCalendrier || s.infoSequence || s.dib);
    for (int item = 0; item < kStyleItemCount; ++item)
        EXPECT_TRUE(s.style.isUnset(item) && !s.style.isIndeterminate(item));
}

TEST(Shape, WireLabels) {
    struct Case {
        std::string text;
        std::string first;
        std::string second;
    };
    const Case cases[] = {
        {"", "", ""},
        {"only", "only", ""},
        {std::string("a\tb"), "a", "b"},
        {std::string("\tb"), "", "b"},
        {std::string("a\tb\tc"), "a", "b\tc"},
    };
    for (const Case& c : cases) {
        Shape wire(kWire);
        wire.setText(c.text);
        auto [first, second] = wire.splitLabels();
        EXPECT_EQ(first, c.first) << c.text;
        EXPECT_EQ(second, c.second) << c.text;
    }
    Shape wire(kWire);
    wire.joinLabels("", "");
    EXPECT_EQ(wire.data, "\t");
    wire.joinLabels("K1", "X2");
    EXPECT_EQ(wire.data, "K1\tX2");
    wire.setText("abc\0def", 7);
    EXPECT_EQ(wire.size(), 7);
    wire.setText(nullptr, 3);
    EXPECT_EQ(wire.size(), 0);
}

TEST(Shape, NormaliseCorners) {
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        Shape s(kind);
        s.points = {{50, 40}, {10, 20}};
        s.normaliseCorners();
        const bool normalised = kind == 1 || kind == 2 || kind == 3 || kind == 9 || kind == 11 ||
                                kind == 12 || kind == 13 || kind == 22;
        if (normalised)
            EXPECT_EQ(s.points, (std::vector<Point>{{10, 20}, {50, 40}})) << kind;
        else
            EXPECT_EQ(s.points, (std::vector<Point>{{50, 40}, {10, 20}})) << kind;
    }
    Shape mixed(kRectangle);
    mixed.points = {{10, 40}, {50, 20}};
    mixed.normaliseCorners();
    EXPECT_EQ(mixed.points, (std::vector<Point>{{10, 20}, {50, 40}}));
    Shape single(kRectangle);
    single.points = {{1, 1}};
    single.normaliseCorners(); // nothing to do, no crash
    EXPECT_EQ(single.points.size(), 1u);
}

TEST(Shape, IsLargeEnough) {
    const std::int32_t step = 2834;
    struct Case {
        Rect outline;
        bool large;
    };
    const Case cases[] = {
        {{0, 0, 5668, 5668}, false},   {{0, 0, 5669, 0}, true},  {{0, 0, 0, 5669}, true},
        {{100, 100, 100, 100}, false}, {{5668, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        Shape s(kRectangle);
        s.outline = c.outline;
        EXPECT_EQ(s.isLargeEnough(step), c.large) << c.outline.right << "," << c.outline.bottom;
    }
}

TEST(Shape, UndoExchangeAndGeometryCopy) {
    Shape s(kHalfOvalH);
    s.points = {{1, 2}, {3, 4}};
    s.angle = 90;
    s.setText("before");
    s.style.set(kColour, 3);
    s.outline = {1, 2, 3, 4};
    s.takeUndoCopy();
    s.kind = kHalfOvalV;
    s.points = {{9, 9}};
    s.angle = 180;
    s.setText("after");
    s.style.set(kColour, 5);
    s.epx = 7;
    s.outline = {0, 0, 9, 9};
    s.exchangeWithUndoCopy();
    EXPECT_EQ(s.kind, kHalfOvalH);
    EXPECT_EQ(s.points, (std::vector<Point>{{1, 2}, {3, 4}}));
    EXPECT_EQ(s.angle, 90);
    EXPECT_EQ(s.data, "before");
    EXPECT_EQ(s.style.colour, 3);
    EXPECT_EQ(s.epx, 0);
    EXPECT_EQ(s.outline, (Rect{1, 2, 3, 4}));
    s.exchangeWithUndoCopy(); // redo
    EXPECT_EQ(s.kind, kHalfOvalV);
    EXPECT_EQ(s.data, "after");
    EXPECT_EQ(s.epx, 7);

    s.takeGeometryCopy();
    s.points[0] = {100, 100};
    s.angle = 270;
    s.epy = 3;
    s.setText("kept");
    s.restoreGeometryCopy();
    EXPECT_EQ(s.points, (std::vector<Point>{{9, 9}}));
    EXPECT_EQ(s.angle, 180);
    EXPECT_EQ(s.epy, 0);
    EXPECT_EQ(s.data, "kept"); // the text is not part of the geometry
}

// What state() reads, restoreState() puts back whole, on any object.
TEST(Shape, StateMovesEveryUndoableField) {
    Shape s(kHalfOvalV);
    s.points = {{9, 9}, {12, 14}};
    s.angle = 180;
    s.setText("after");
    s.style.set(kColour, 5);
    s.epx = 7;
    s.epy = 4;
    s.outline = {0, 0, 9, 9};
    Shape other(kLine);
    other.restoreState(s.state());
    EXPECT_EQ(other.kind, kHalfOvalV);
    EXPECT_EQ(other.points, s.points);
    EXPECT_EQ(other.angle, 180);
    EXPECT_EQ(other.data, "after");
    EXPECT_EQ(other.style.colour, 5);
    EXPECT_EQ((Point{other.epx, other.epy}), (Point{7, 4}));
    EXPECT_EQ(other.outline, (Rect{0, 0, 9, 9}));
}

TEST(Shape, NegateIds) {
    Shape symbol(kSymbol);
    symbol.createKindRecord();
    symbol.id = 2;
    auto label = std::make_unique<Shape>(kTerminal);
    label->id = 3;
    symbol.infoSymbole->labels.emplace_back("", std::move(label));
    symbol.negateIds();
    EXPECT_EQ(symbol.id, -2);
    EXPECT_EQ(symbol.infoSymbole->labels[0].shape->id, -3);

    Shape wire(kWire);
    wire.createKindRecord();
    wire.id = 5;
    wire.infoFil->amontId = 3;
    wire.infoFil->avalId = 0;
    wire.negateIds();
    EXPECT_EQ(wire.id, -5);
    EXPECT_EQ(wire.infoFil->amontId, -3);
    EXPECT_EQ(wire.infoFil->avalId, 0);
}

TEST(Shape, KindRecords) {
    const std::pair<int, const char*> cases[] = {
        {kSymbol, "symbole"},      {kWire, "fil"},          {kCable, "fil"},
        {kTerminal, "borne"},      {kTextZone, "borne"},    {kSymbolText, "borne"},
        {kCalendar, "calendrier"}, {kSequence, "sequence"}, {kLine, ""}};
    for (const auto& [kind, record] : cases) {
        Shape s(kind);
        s.createKindRecord();
        std::string made = s.infoSymbole      ? "symbole"
                           : s.infoFil        ? "fil"
                           : s.infoBorne      ? "borne"
                           : s.infoCalendrier ? "calendrier"
                           : s.infoSequence   ? "sequence"
                                              : "";
        EXPECT_EQ(made, record) << kind;
    }
    Shape calendar(kCalendar);
    calendar.createKindRecord();
    EXPECT_EQ(calendar.infoCalendrier->monthCount, 3);
    EXPECT_GE(calendar.infoCalendrier->month, 1);
    EXPECT_LE(calendar.infoCalendrier->month, 12);
    EXPECT_EQ(calendar.infoCalendrier->secondMonth, calendar.infoCalendrier->month);
}

class CountingResolver : public SymbolResolver {
public:
    SymbolNode* findSymbol(const std::string&) override { return nullptr; }
    bool acquireAndBuildLabels(Shape&, SymbolNode&) override { return true; }
    void releaseSymbol(Shape&, SymbolNode&) override { ++released; }
    int released = 0;
};

TEST(Shape, DestroyingAnInstanceReleasesItsDrawing) {
    CountingResolver resolver;
    SymbolResolver* previous = setSymbolResolver(&resolver);
    int node = 0;
    {
        Shape acquired(kSymbol);
        acquired.createKindRecord();
        acquired.infoSymbole->node = reinterpret_cast<SymbolNode*>(&node);
        acquired.infoSymbole->drawingAcquired = true;
        Shape notAcquired(kSymbol);
        notAcquired.createKindRecord();
        notAcquired.infoSymbole->node = reinterpret_cast<SymbolNode*>(&node);
    }
    EXPECT_EQ(resolver.released, 1);
    setSymbolResolver(previous);
}

// Knows one symbol, "Relais", whose drawing it acquires or not as told.
class OneSymbolResolver : public SymbolResolver {
public:
    SymbolNode* findSymbol(const std::string& name) override {
        return name == "Relais" ? reinterpret_cast<SymbolNode*>(&node) : nullptr;
    }
    bool acquireAndBuildLabels(Shape& instance, SymbolNode&) override {
        if (acquires)
            instance.infoSymbole->labels.emplace_back("", std::make_unique<Shape>(kTerminal));
        return acquires;
    }
    void releaseSymbol(Shape&, SymbolNode&) override {}
    int node = 0;
    bool acquires = true;
};

TEST(Shape, ResolvingAnInstanceByItsName) {
    OneSymbolResolver resolver;
    const struct {
        bool installed;
        const char* name;
        bool acquires;
        bool found;
        std::size_t labels;
    } cases[] = {
        {false, "Relais", true, false, 0},
        {true, "Moteur", true, false, 0},
        {true, "Relais", true, true, 1},
        {true, "Relais", false, true, 0},
    };
    for (const auto& c : cases) {
        resolver.acquires = c.acquires;
        SymbolResolver* previous = setSymbolResolver(c.installed ? &resolver : nullptr);
        {
            Shape instance(kSymbol);
            instance.createKindRecord();
            instance.infoSymbole->name = c.name;
            SymbolNode* node = resolveSymbolInstance(instance);
            EXPECT_EQ(node != nullptr, c.found) << c.name;
            EXPECT_EQ(instance.infoSymbole->node, node);
            EXPECT_EQ(instance.infoSymbole->drawingAcquired, c.found && c.acquires);
            EXPECT_EQ(instance.infoSymbole->labels.size(), c.labels);
        }
        setSymbolResolver(previous);
    }
}

} // namespace
} // namespace plexo
