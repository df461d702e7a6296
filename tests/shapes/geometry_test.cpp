#include "shapes/geometry.h"

#include "shapes/shape.h"
#include "shapes/textmeasurer.h"
#include "shapes/units.h"
#include "support/drawingfixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace plexo {
namespace {

using test::DrawingFixture;

// The hit test at 100 %: whether p touches s, with the handle it touches.
bool hitAt(const Shape& s, Point p, int& handle) {
    RenderContext context;
    context.zoom = kZoom100;
    const HitResult result = hit(s, p, context);
    handle = result.handle;
    return static_cast<bool>(result);
}

class Geometry : public ::testing::Test {
protected:
    void SetUp() override { previous_ = setTextMeasurer(nullptr); }
    void TearDown() override { setTextMeasurer(previous_); }
    DrawingFixture f;

private:
    TextMeasurer* previous_ = nullptr;
};

TEST_F(Geometry, OutlineByKind) {
    struct Case {
        int kind;
        std::vector<Point> points;
        Rect expected;
    };
    const Case cases[] = {
        // line width 1000 + margin 2000 on every side
        {kRectangle, {{0, 0}, {10000, 5000}}, {-3000, -3000, 13000, 8000}},
        {kRectangle, {{10000, 5000}, {0, 0}}, {-3000, -3000, 13000, 8000}},
        {kPolygon, {{0, 0}, {10000, 2000}, {4000, 9000}}, {-3000, -3000, 13000, 12000}},
        // terminals and text zones: no line width applies
        {kTerminal, {{1000, 1000}, {1000, 1000}}, {-2000, -2000, 4000, 4000}},
        {kTextZone, {{1000, 1000}, {1000, 1000}}, {-1000, -1000, 3000, 3000}},
        // chord grid: margin 2000, then 10000 left, 1000 top, 4000 right, 13000 bottom
        {kChordGrid, {{0, 0}, {30000, 30000}}, {-12000, -3000, 36000, 45000}},
        {kTablature, {{0, 0}, {10000, 60000}}, {-2500, -2500, 12500, 73000}},
        // tag words in bold 14 points: 10 pixels a character with the fixed measurer
        {kMidiShortcut, {{1000, 2000}, {1000, 2000}}, {1000, 2000, 41000, 16000}},
        {kSequence, {{0, 0}, {0, 0}}, {0, 0, 80000, 14000}},
    };
    for (const Case& c : cases) {
        Shape& s = f.add(c.kind, c.points);
        EXPECT_EQ(s.outline, c.expected) << "kind " << c.kind;
    }
}

TEST_F(Geometry, OutlineOfNormalisedBoxSwapsItsPoints) {
    Shape& s = f.add(kOval, {{10000, 5000}, {0, 0}});
    EXPECT_EQ(s.points[0], (Point{0, 0}));
    EXPECT_EQ(s.points[1], (Point{10000, 5000}));
    Shape& line = f.add(kLine, {{10000, 5000}, {0, 0}});
    EXPECT_EQ(line.points[0], (Point{10000, 5000}));
}

TEST_F(Geometry, ArrowsWidenLinesAndWiresOnceByTwiceTheLineWidth) {
    Shape& plain = f.add(kLine, {{0, 0}, {10000, 0}});
    EXPECT_EQ(plain.outline, (Rect{-3000, -3000, 13000, 3000}));
    Shape& both = f.add(kLine, {{0, 0}, {10000, 0}});
    both.style.set(kArrow1, 2);
    both.style.set(kArrow2, 5);
    computeOutline(both);
    EXPECT_EQ(both.outline, (Rect{-5000, -5000, 15000, 5000}));
    // A rectangle has no arrows: the items do not apply.
    Shape& box = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    box.style.arrow2 = 1;
    computeOutline(box);
    EXPECT_EQ(box.outline, (Rect{-3000, -3000, 13000, 13000}));
}

TEST_F(Geometry, ShadowGrowsRightAndBottom) {
    Shape& s = f.add(kRectangle, {{0, 0}, {10000, 5000}});
    s.style.set(kShadow, 8);
    computeOutline(s);
    EXPECT_EQ(s.outline, (Rect{-3000, -3000, 18000, 13000}));
    // Shadow 255 is no shadow.
    s.style.set(kShadow, kNoColour);
    computeOutline(s);
    EXPECT_EQ(s.outline, (Rect{-3000, -3000, 13000, 8000}));
}

TEST_F(Geometry, OneLineLabelExtendsTheOutline) {
    // "AB" in 9 points: 6 pixels a character, 9 high: 12000 × 9000 units.
    Shape& s = f.add(kLine, {{0, 0}, {10000, 0}}, "AB");
    EXPECT_EQ(labelRectangle(s), (Rect{-3000, -3000, 13000, 3000}));
    // Alignment 0, angle 0: left of the box, centred vertically, half a height apart.
    EXPECT_EQ(s.outline, (Rect{-19500, -4500, 13000, 4500}));
    s.style.set(kTextAlign, 4); // centred below the box
    computeOutline(s);
    EXPECT_EQ(s.outline, (Rect{-3000, -3000, 13000, 12000}));
}

TEST(LabelOrigin, AnchorTable) {
    const Rect box{100, 200, 300, 400};
    struct Case {
        int align, angle;
        Point origin;
    };
    // w = 50, h = 20, e = 10
    const Case cases[] = {
        {0, 0, {40, 290}},    {0, 90, {190, 460}},  {0, 180, {360, 310}}, {0, 270, {210, 140}},
        {1, 0, {310, 290}},   {2, 180, {225, 310}}, {3, 0, {175, 180}},   {4, 90, {300, 325}},
        {5, 270, {320, 140}}, {6, 90, {80, 190}},   {7, 180, {360, 200}}, {8, 270, {100, 410}},
        {9, 0, {100, 200}},   {2, 45, {100, 200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(labelOrigin(box, c.align, c.angle, 50, 20), c.origin) << c.align << " / " << c.angle;
}

TEST(LabelOrigin, TurnedTextRectangleFollowsTheWritingDirection) {
    EXPECT_EQ(turnedTextRect({10, 20}, 0, 50, 8), (Rect{10, 20, 60, 28}));
    EXPECT_EQ(turnedTextRect({10, 20}, 90, 50, 8), (Rect{10, -30, 18, 20}));
    EXPECT_EQ(turnedTextRect({10, 20}, 180, 50, 8), (Rect{-40, 12, 10, 20}));
    EXPECT_EQ(turnedTextRect({10, 20}, 270, 50, 8), (Rect{2, 20, 10, 70}));
}

TEST(SegmentTest, IsAnEllipseWithTheEndsAsFoci) {
    const Point a{0, 0}, b{100000, 0};
    // At the middle of a 100-point segment: up to sqrt(150 L + 22500) = 3875.9.
    const double reach = std::sqrt(150.0 * 100000 + 22500);
    EXPECT_TRUE(hitsSegment(a, b, {50000, static_cast<std::int32_t>(reach)}));
    EXPECT_FALSE(hitsSegment(a, b, {50000, static_cast<std::int32_t>(reach) + 1}));
    EXPECT_TRUE(hitsSegment(a, b, {50000, -3875}));
    // Along the line: 150 units beyond either end.
    EXPECT_TRUE(hitsSegment(a, b, {100149, 0}));
    EXPECT_FALSE(hitsSegment(a, b, {100151, 0}));
    EXPECT_TRUE(hitsSegment(a, b, {-149, 0}));
    EXPECT_FALSE(hitsSegment(a, b, {-151, 0}));
}

TEST_F(Geometry, HitHandlesAndBodies) {
    struct Case {
        int kind;
        std::vector<Point> points;
        bool filled;
        Point at;
        bool hits;
        int handle;
    };
    const Case cases[] = {
        {kLine, {{0, 0}, {100000, 0}}, false, {50000, 3000}, true, 0},
        {kLine, {{0, 0}, {100000, 0}}, false, {50000, 4500}, false, 0},
        {kLine, {{0, 0}, {100000, 0}}, false, {101500, 1500}, true, 2},
        {kRectangle, {{0, 0}, {20000, 20000}}, false, {10000, 10000}, false, 0},
        {kRectangle, {{0, 0}, {20000, 20000}}, true, {10000, 10000}, true, 0},
        {kRectangle, {{0, 0}, {20000, 20000}}, false, {5000, 1500}, true, 0},
        {kRectangle, {{0, 0}, {20000, 20000}}, false, {21000, 19000}, true, 5},
        {kRectangle, {{0, 0}, {20000, 20000}}, false, {10000, -1900}, true, 2},
        {kRectangle, {{0, 0}, {20000, 20000}}, false, {-1500, 11000}, true, 8},
        {kText, {{0, 0}, {20000, 20000}}, false, {10000, 10000}, true, 0},
        {kHalfOvalH, {{0, 0}, {20000, 10000}}, false, {20000, 0}, true, 2},
        {kHalfOvalH, {{0, 0}, {20000, 10000}}, false, {10000, 10000}, true, 3},
        {kHalfOvalV, {{0, 0}, {20000, 10000}}, false, {20000, 5000}, true, 3},
        {kHalfOvalH, {{0, 0}, {20000, 10000}}, false, {5000, 5000}, true, 0},
        {kWire, {{0, 0}, {20000, 0}, {20000, 20000}}, false, {10000, 500}, true, 2},
        {kWire, {{0, 0}, {20000, 0}, {20000, 20000}}, false, {20000, 10000}, true, 3},
        {kWire, {{0, 0}, {20000, 0}, {20000, 20000}}, false, {20000, 20000}, true, 4},
        {kWire, {{0, 0}, {20000, 0}, {20000, 20000}}, false, {15000, 200}, true, 0},
        {kWire, {{0, 0}, {20000, 0}, {20000, 20000}}, false, {10000, 10000}, false, 0},
        // A quadratic piece passes through (10000, 5000) and not near its control point's middle.
        {kCable, {{0, 0}, {10000, 10000}, {20000, 0}}, false, {10000, 5000}, true, 0},
        {kCable, {{0, 0}, {10000, 10000}, {20000, 0}}, false, {10000, 7500}, false, 0},
        {kPolygon, {{0, 0}, {20000, 0}, {0, 20000}}, false, {0, 10000}, true, 0},
        {kTerminal, {{0, 0}, {0, 0}}, false, {2900, -2900}, true, 0},
        {kTerminal, {{0, 0}, {0, 0}}, false, {3100, 0}, false, 0},
        {kChordGrid, {{0, 0}, {30000, 30000}}, false, {-11000, 44000}, true, 0},
    };
    for (const Case& c : cases) {
        Shape& s = f.add(c.kind, c.points);
        if (c.filled) {
            s.style.set(kFillColour, 3);
            computeOutline(s);
        }
        int handle = -99;
        EXPECT_EQ(hitAt(s, c.at, handle), c.hits) << "kind " << c.kind << " at " << c.at.x << "," << c.at.y;
        if (c.hits) {
            EXPECT_EQ(handle, c.handle) << "kind " << c.kind << " at " << c.at.x << "," << c.at.y;
        }
    }
}

TEST_F(Geometry, SymbolHandlesAreNegative) {
    LibNode& node = f.symbol("boite", {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""}});
    Shape& s = f.addSymbol(node, {100000, 100000});
    EXPECT_EQ(s.outline, (Rect{87000, 92000, 113000, 108000}));
    int handle = 0;
    ASSERT_TRUE(hitAt(s, {87500, 92500}, handle));
    EXPECT_EQ(handle, -1);
    ASSERT_TRUE(hitAt(s, {87000, 108000}, handle));
    EXPECT_EQ(handle, -7);
    ASSERT_TRUE(hitAt(s, {100000, 100000}, handle));
    EXPECT_EQ(handle, 0);
    EXPECT_FALSE(hitAt(s, {80000, 100000}, handle));
}

// Measuring an outline changes nothing: not the instance's outline, not its
// labels' points, and it gives what computeOutline then keeps.
TEST_F(Geometry, OutlineOfLeavesTheShapeAsItWas) {
    LibNode& node = f.symbol("relais", {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""},
                                        {kTerminal, {{-10000, 0}, {-10000, 0}}, "1"}});
    Shape& s = f.addSymbol(node, {100000, 100000}, 90);
    const Rect kept = s.outline;
    const std::vector<Point> labelPoints = s.infoSymbole->labels[0].shape->points;
    move(s, 5000, 0);
    s.outline = kept;
    const Rect measured = outlineOf(s);
    EXPECT_EQ(s.outline, kept);
    EXPECT_EQ(s.infoSymbole->labels[0].shape->points, labelPoints);
    EXPECT_EQ(measured, (Rect{kept.left + 5000, kept.top, kept.right + 5000, kept.bottom}));
    computeOutline(s);
    EXPECT_EQ(s.outline, measured);
}

// A point on a placed terminal of an instance names the terminal as well as
// the instance; with terminals hidden only the instance is touched.
TEST_F(Geometry, HitReportsTheTerminalUnderThePoint) {
    LibNode& node = f.symbol("relais", {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""},
                                        {kTerminal, {{-10000, 0}, {-10000, 0}}, "1"},
                                        {kTerminal, {{10000, 0}, {10000, 0}}, "2"}});
    Shape& s = f.addSymbol(node, {100000, 100000});
    ASSERT_EQ(s.infoSymbole->labels.size(), 2u);
    RenderContext shown;
    const HitResult onSecond = hit(s, {110500, 100500}, shown);
    EXPECT_EQ(onSecond.object, &s);
    EXPECT_EQ(onSecond.terminal, s.infoSymbole->labels[1].shape.get());
    const HitResult inside = hit(s, {100000, 100000}, shown);
    EXPECT_EQ(inside.object, &s);
    EXPECT_EQ(inside.terminal, nullptr);
    RenderContext hidden;
    hidden.showTerminals = false;
    const HitResult hiddenTerminal = hit(s, {110500, 100500}, hidden);
    EXPECT_EQ(hiddenTerminal.object, &s);
    EXPECT_EQ(hiddenTerminal.terminal, nullptr);
    EXPECT_FALSE(hit(s, {200000, 100000}, shown));
}

TEST_F(Geometry, SymbolOutlineTurnsAndStretches) {
    LibNode& node = f.symbol("boite", {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""}});
    Shape& s = f.addSymbol(node, {100000, 100000}, 90);
    EXPECT_EQ(s.outline, (Rect{92000, 87000, 108000, 113000}));
    s.epx = 5000;
    s.epy = 1000;
    computeOutline(s);
    EXPECT_EQ(s.outline, (Rect{87000, 86000, 113000, 114000}));
}

TEST_F(Geometry, SymbolStretchHandles) {
    LibNode& node = f.symbol("boite", {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""}});
    Shape& s = f.addSymbol(node, {0, 0});
    struct Case {
        int handle;
        std::int32_t epx, epy;
    };
    // From epx = epy = 10000, dragged by (1000, 2000).
    const Case cases[] = {{-1, 9000, 8000},   {-2, 10000, 8000},  {-3, 11000, 8000}, {-4, 11000, 10000},
                          {-5, 11000, 12000}, {-6, 10000, 12000}, {-7, 9000, 12000}, {-8, 9000, 10000}};
    for (const Case& c : cases) {
        s.epx = 10000;
        s.epy = 10000;
        moveHandle(s, 1000, 2000, c.handle);
        EXPECT_EQ(s.epx, c.epx) << c.handle;
        EXPECT_EQ(s.epy, c.epy) << c.handle;
    }
    // Bottom-left by (-2000, 3000) adds 2000 to epx and 3000 to epy.
    s.epx = 0;
    s.epy = 0;
    moveHandle(s, -2000, 3000, -7);
    EXPECT_EQ(s.epx, 2000);
    EXPECT_EQ(s.epy, 3000);
    // Left-middle by +5000 when epx is 3000: never negative.
    s.epx = 3000;
    moveHandle(s, 5000, 0, -8);
    EXPECT_EQ(s.epx, 0);
    EXPECT_EQ(s.outline, (Rect{-13000, -11000, 13000, 11000}));
}

TEST_F(Geometry, BoxHandlesMoveCornersAndEdges) {
    struct Case {
        int handle;
        Point d;
        Point a, b;
    };
    const Case cases[] = {
        {1, {1000, 2000}, {1000, 2000}, {20000, 10000}},
        {2, {1000, 2000}, {0, 2000}, {20000, 10000}},
        {3, {1000, 2000}, {0, 2000}, {21000, 10000}},
        {4, {1000, 2000}, {0, 0}, {21000, 10000}},
        {5, {1000, 2000}, {0, 0}, {21000, 12000}},
        {6, {1000, 2000}, {0, 0}, {20000, 12000}},
        {7, {1000, 2000}, {1000, 0}, {20000, 12000}},
        {8, {1000, 2000}, {1000, 0}, {20000, 10000}},
        // Dragging the top-left corner past the bottom-right one normalises the box.
        {1, {30000, 15000}, {20000, 10000}, {30000, 15000}},
    };
    for (const Case& c : cases) {
        Shape& s = f.add(kRectangle, {{0, 0}, {20000, 10000}});
        moveHandle(s, c.d.x, c.d.y, c.handle);
        EXPECT_EQ(s.points[0], c.a) << c.handle;
        EXPECT_EQ(s.points[1], c.b) << c.handle;
    }
}

TEST_F(Geometry, HalfOvalAndPointHandles) {
    Shape& h = f.add(kHalfOvalH, {{0, 0}, {20000, 10000}});
    moveHandle(h, 1000, 2000, 2);
    EXPECT_EQ(h.points[0], (Point{0, 2000}));
    EXPECT_EQ(h.points[1], (Point{21000, 10000}));
    moveHandle(h, 1000, 3000, 3);
    EXPECT_EQ(h.points[1], (Point{21000, 13000}));
    Shape& v = f.add(kHalfOvalV, {{0, 0}, {20000, 10000}});
    moveHandle(v, 4000, 1000, 3);
    EXPECT_EQ(v.points[1], (Point{24000, 10000}));
    Shape& poly = f.add(kPolygon, {{0, 0}, {20000, 0}, {0, 20000}});
    moveHandle(poly, 500, -700, 2);
    EXPECT_EQ(poly.points[1], (Point{20500, -700}));
}

TEST_F(Geometry, ReshapeThatLeavesTheObjectTooSmallIsPutBack) {
    Shape& s = f.add(kRectangle, {{0, 0}, {20000, 20000}});
    s.style.set(kLineWidth, 0);
    computeOutline(s);
    s.takeUndoCopy();
    // 1000 × 1000 with the 2000 margins is 5000 wide: at most twice the 2834 step.
    moveHandle(s, -19000, -19000, 5);
    EXPECT_EQ(s.points[1], (Point{20000, 20000}));
    EXPECT_EQ(s.undo.points, s.points);
    moveHandle(s, -10000, -10000, 5);
    EXPECT_EQ(s.points[1], (Point{10000, 10000}));
}

TEST_F(Geometry, TurningAboutAPoint) {
    Shape& s = f.add(kLine, {{10000, 0}, {20000, 5000}});
    turn(s, 0, 0, 90); // counterclockwise on screen: +x goes up (negative y)
    EXPECT_EQ(s.points[0], (Point{0, -10000}));
    EXPECT_EQ(s.points[1], (Point{5000, -20000}));
    EXPECT_EQ(s.angle, 90);
    turn(s, 0, 0, -90);
    EXPECT_EQ(s.points[0], (Point{10000, 0}));
    EXPECT_EQ(s.angle, 0);
    turn(s, 1000, 1000, 270);
    EXPECT_EQ(s.points[0], (Point{2000, 10000}));
    EXPECT_EQ(s.angle, 270);
    turn(s, 1000, 1000, 180);
    EXPECT_EQ(s.points[0], (Point{0, -8000}));
    EXPECT_EQ(s.angle, 90);
}

TEST_F(Geometry, HalfOvalsChangeOrientationOnQuarterTurnsOnly) {
    Shape& s = f.add(kHalfOvalH, {{0, 0}, {20000, 10000}});
    turn(s, 0, 0, 90);
    EXPECT_EQ(s.kind, kHalfOvalV);
    turn(s, 0, 0, 180);
    EXPECT_EQ(s.kind, kHalfOvalV);
    turn(s, 0, 0, 270);
    EXPECT_EQ(s.kind, kHalfOvalH);
}

TEST_F(Geometry, FourQuarterTurnsComeBack) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> coordinate(-500000, 500000);
    for (int kind : {kLine, kPolygon, kHalfOvalH, kBezier, kWire, kCable, kTerminal, kMidiShortcut}) {
        std::vector<Point> points;
        for (int i = 0; i < 4; ++i)
            points.push_back({coordinate(random), coordinate(random)});
        Shape& s = f.add(kind, points);
        const Rect outline = s.outline;
        for (int i = 0; i < 4; ++i)
            turn(s, 1234, -567, 90);
        EXPECT_EQ(s.points, points) << kind;
        EXPECT_EQ(s.angle, 0);
        EXPECT_EQ(s.kind, kind);
        EXPECT_EQ(s.outline, outline);
        for (int i = 0; i < 4; ++i)
            turn(s, -999, 31, -90);
        EXPECT_EQ(s.points, points) << kind;
    }
}

TEST_F(Geometry, ChordGridsTablaturesAndCalendarsNeitherTurnNorMirror) {
    for (int kind : {kChordGrid, kTablature, kCalendar}) {
        Shape& s = f.add(kind, {{0, 0}, {30000, 30000}});
        const auto points = s.points;
        turn(s, 100000, 0, 90);
        mirror(s, 100000, 0, true);
        EXPECT_EQ(s.points, points);
        EXPECT_EQ(s.angle, 0);
    }
}

TEST_F(Geometry, MirrorAboutAnAxis) {
    Shape& s = f.add(kPolygon, {{130, 10}, {200, -40}});
    mirror(s, 100, 0, true);
    EXPECT_EQ(s.points[0], (Point{70, 10}));
    EXPECT_EQ(s.points[1], (Point{0, -40}));
    mirror(s, 0, 5, false);
    EXPECT_EQ(s.points[0], (Point{70, 0}));
    EXPECT_EQ(s.points[1], (Point{0, 50}));
}

TEST_F(Geometry, StretchAboutAPoint) {
    Shape& s = f.add(kRectangle, {{-10000, -5000}, {10000, 5000}});
    stretch(s, 0, 0, 10000, 5000, 5000, 0);
    EXPECT_EQ(s.points[0], (Point{-15000, -5000}));
    EXPECT_EQ(s.points[1], (Point{15000, 5000}));
    EXPECT_EQ(s.epx, 5000);
    EXPECT_EQ(s.epy, 0);
    // Truncated toward zero: 3 + 3 * 1 / 2 = 4.5 -> 4; -3 -> -4.5 -> -4.
    Shape& t = f.add(kLine, {{3, 3}, {-3, -3}});
    stretch(t, 0, 0, 2, 2, 1, 1);
    EXPECT_EQ(t.points[0], (Point{4, 4}));
    EXPECT_EQ(t.points[1], (Point{-4, -4}));
}

TEST(SnapValue, PointsRoundHalfUpThenTruncateTowardZero) {
    struct Case {
        std::int32_t v, step, expected;
    };
    const Case cases[] = {
        {14000, 10000, 10000},   {15000, 10000, 20000}, {-14000, 10000, 0}, {-15000, 10000, -10000},
        {-26000, 10000, -20000}, {0, 10000, 0},         {7, 0, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(snapValue(c.v, c.step, false), c.expected) << c.v;
}

TEST(SnapValue, MillimetresConvertTheStepWithTheRoundTripCorrection) {
    // 2834 units is 999 thousandths of a millimetre by plain truncation, 1000 with
    // the correction: values snap to whole millimetres.
    struct Case {
        std::int32_t v, expected;
    };
    const Case cases[] = {{28346, 28346}, {1500, 2834}, {1400, 0},     {4300, 5669},
                          {-1500, 0},     {-1600, 0},   {-4300, -2834}};
    for (const Case& c : cases)
        EXPECT_EQ(snapValue(c.v, 2834, true), c.expected) << c.v;
}

TEST_F(Geometry, SnapToGridMovesTheAnchorAndEveryPoint) {
    Shape& s = f.add(kLine, {{1400, 4300}, {11400, 4300}});
    f.document.snapToGrid = 0;
    snapToGrid(s, false);
    EXPECT_EQ(s.points[0], (Point{1400, 4300}));
    snapToGrid(s, true);
    EXPECT_EQ(s.points[0], (Point{0, 5669}));
    EXPECT_EQ(s.points[1], (Point{10000, 5669}));
    f.document.snapToGrid = 1;
    f.document.unitIsMm = 0;
    Shape& t = f.add(kLine, {{1400, 4300}, {11400, 4300}});
    snapToGrid(t, false);
    EXPECT_EQ(t.points[0], (Point{0, 5668}));
}

TEST_F(Geometry, SymbolSnapsItsFirstTerminalToHalfTheGrid) {
    f.document.unitIsMm = 0;
    Shape& s = f.addSymbol(f.twoTerminalSymbol(), {100000, 100000});
    snapToGrid(s, true);
    // The first terminal lies 10000 left of the centre; half steps of 14173.
    EXPECT_EQ(placedPoint(*DrawingFixture::terminal(s, 0)), (Point{85038, 99211}));
    EXPECT_EQ(s.points[0], (Point{95038, 99211}));
}

TEST_F(Geometry, TitleBlockTouchesItsCorner) {
    LibNode& node = f.symbol("cartouche", {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""}});
    Shape& s = f.addSymbol(node, {0, 0});
    struct Case {
        int corner;
        bool rotated;
        Rect outline;
    };
    const std::int32_t w = 595275, h = 841889; // A4 portrait
    const Case cases[] = {{0, false, {0, 0, 26000, 16000}},     {1, false, {w - 26000, 0, w, 16000}},
                          {2, false, {0, h - 16000, 26000, h}}, {3, false, {w - 26000, h - 16000, w, h}},
                          {0, true, {0, 0, 16000, 26000}},      {3, true, {w - 16000, h - 26000, w, h}}};
    for (const Case& c : cases) {
        f.document.titleBlockCorner = static_cast<std::uint8_t>(c.corner);
        f.document.titleBlockRotated = c.rotated ? 1 : 0;
        placeTitleBlock(s);
        EXPECT_EQ(s.outline, c.outline) << c.corner << " " << c.rotated;
        EXPECT_EQ(s.angle, c.rotated ? 90 : 0);
    }
}

TEST_F(Geometry, CoordinatesAtTheLimitsSaturateInsteadOfWrapping) {
    const std::int32_t big = INT32_MAX - 10, small = INT32_MIN + 10;
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        Shape& s = f.add(kind, {{big, small}, {small, big}, {big, big}});
        s.style.set(kShadow, 3);
        s.data = "Texte";
        computeOutline(s);
        EXPECT_LE(s.outline.left, s.outline.right) << kind;
        int handle = 0;
        hitAt(s, {big, big}, handle);
        turn(s, small, big, 90);
        mirror(s, big, small, true);
        move(s, big, big);
        stretch(s, 0, 0, 1, 1, big, big);
        snapToGrid(s, true);
        moveHandle(s, big, small, 1);
    }
    LibNode& node = f.symbol("boite", {{kRectangle, {{-10000, -5000}, {10000, 5000}}, ""}});
    Shape& s = f.addSymbol(node, {big, small}, 270);
    s.epx = big;
    computeOutline(s);
    EXPECT_EQ(s.outline.right, INT32_MAX);
    moveHandle(s, big, big, -5);
    EXPECT_EQ(s.epx, INT32_MAX);
}

TEST_F(Geometry, MoveShiftsPointsAndOutline) {
    Shape& s = f.add(kRectangle, {{0, 0}, {10000, 5000}});
    move(s, -500, 700);
    EXPECT_EQ(s.points[0], (Point{-500, 700}));
    EXPECT_EQ(s.outline, (Rect{-3500, -2300, 12500, 8700}));
}

} // namespace
} // namespace plexo
