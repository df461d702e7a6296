#include "shapes/primitives.h"
#include "shapes/recordingsurface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plexo {
namespace {

using Lines = std::vector<std::string>;

std::string stroke(int x1, int y1, int x2, int y2) {
    return "moveTo(" + std::to_string(x1) + "," + std::to_string(y1) + ") lineTo(" + std::to_string(x2) +
           "," + std::to_string(y2) + ")";
}

// Calls with each moveTo joined to the lineTo after it: "moveTo(..) lineTo(..)".
Lines pairStrokes(const Lines& lines) {
    Lines result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("moveTo", 0) == 0 && i + 1 < lines.size()) {
            result.push_back(lines[i] + " " + lines[i + 1]);
            ++i;
        } else {
            result.push_back(lines[i]);
        }
    }
    return result;
}

Lines strokes(const RecordingSurface& surface) {
    return pairStrokes(surface.drawingLines());
}

TEST(DashPattern, LengthsFollowTheLineTypeAndTheZoomedWidth) {
    struct Case {
        int width, zoom, lineType;
        DashPattern expected;
    } cases[] = {
        {1000, 5, 0, {100, 0, 100}}, // solid lines are laid out in 100-pixel pieces
        {1000, 5, 1, {3, 3, 3}},     {2000, 5, 1, {6, 6, 6}},
        {1000, 8, 1, {6, 6, 6}},                              // 1 point is 2 pixels at 200 %
        {100, 5, 1, {3, 3, 3}},                               // widths round up to one pixel
        {1000, 3, 2, {8, 3, 1}},                              // 1 point at 66 % is 0 pixels, so one
        {3000, 5, 2, {24, 9, 3}},    {1000, 5, 7, {8, 3, 1}}, // every type above 2 is dash-dot
        {1000, -1, 1, {3, 3, 3}},                             // natural size: one point per pixel
    };
    for (const Case& c : cases)
        EXPECT_EQ(dashPattern(c.width, c.zoom, c.lineType), c.expected)
            << "width " << c.width << " zoom " << c.zoom << " type " << c.lineType;
}

TEST(PatternedSegment, EveryTypeIsSolidAtTenTwentyFiveAndFiftyPercent) {
    for (int zoom : {0, 1, 2})
        for (int lineType : {0, 1, 2, 5}) {
            RecordingSurface surface;
            patternedSegment(surface, 0, 0, 1000, 0, 1000, zoom, lineType);
            EXPECT_EQ(strokes(surface), Lines{stroke(0, 0, 1000, 0)})
                << "zoom " << zoom << " type " << lineType;
        }
    for (int zoom : {-1, 3, 8}) {
        RecordingSurface surface;
        patternedSegment(surface, 0, 0, 1000, 0, 1000, zoom, 1);
        EXPECT_GT(strokes(surface).size(), 10u) << "zoom " << zoom;
    }
}

TEST(PatternedSegment, LaysOutDashesAlongTheSegment) {
    struct Case {
        const char* name;
        int x1, y1, x2, y2, width, lineType;
        Lines expected;
    } cases[] = {
        // dashed, 1 pixel wide: cycle of 12
        {"one cycle exactly is solid", 0, 0, 12, 0, 1000, 1, {stroke(0, 0, 12, 0)}},
        {"shorter than a cycle is solid", 5, 5, 5, 14, 1000, 1, {stroke(5, 5, 5, 14)}},
        {"just over a cycle",
         0,
         0,
         13,
         0,
         1000,
         1,
         {stroke(0, 0, 3, 0), stroke(6, 0, 9, 0), stroke(12, 0, 13, 0)}},
        // dash-dot 2 pixels wide: 16 dash, 6 gap, 2 dot, 6 gap (cycle 30)
        {"dash-dot, remainder short of a long dash",
         0,
         0,
         0,
         70,
         2000,
         2,
         {stroke(0, 0, 0, 16), stroke(0, 22, 0, 24), stroke(0, 30, 0, 46), stroke(0, 52, 0, 54),
          stroke(0, 60, 0, 70)}},
        {"dash-dot, remainder holds a long dash",
         0,
         0,
         0,
         55,
         2000,
         2,
         {stroke(0, 0, 0, 16), stroke(0, 22, 0, 24), stroke(0, 30, 0, 46), stroke(0, 52, 0, 55)}},
        {"backwards",
         70,
         0,
         0,
         0,
         2000,
         2,
         {stroke(70, 0, 54, 0), stroke(48, 0, 46, 0), stroke(40, 0, 24, 0), stroke(18, 0, 16, 0),
          stroke(10, 0, 0, 0)}},
        {"solid type in 100-pixel pieces",
         0,
         0,
         450,
         0,
         1000,
         0,
         {stroke(0, 0, 100, 0), stroke(100, 0, 200, 0), stroke(200, 0, 300, 0), stroke(300, 0, 400, 0),
          stroke(400, 0, 450, 0)}},
        // diagonal: positions truncated at every move and stroke; the remainder
        // of 10 holds one more dash, the end is reached from 66 pixels along.
        {"diagonal",
         0,
         0,
         50,
         50,
         1000,
         1,
         {stroke(0, 0, 2, 2), stroke(4, 4, 6, 6), stroke(8, 8, 10, 10), stroke(12, 12, 14, 14),
          stroke(16, 16, 19, 19), stroke(21, 21, 23, 23), stroke(25, 25, 27, 27), stroke(29, 29, 31, 31),
          stroke(33, 33, 36, 36), stroke(38, 38, 40, 40), stroke(42, 42, 44, 44), stroke(46, 46, 50, 50)}},
        {"zero length", 7, 7, 7, 7, 1000, 1, {stroke(7, 7, 7, 7)}},
        // Coordinates from a damaged file: one stroke rather than a million dashes.
        {"absurdly long", -2000000, 0, 2000000, 0, 1000, 1, {stroke(-2000000, 0, 2000000, 0)}},
    };
    for (const Case& c : cases) {
        RecordingSurface surface;
        patternedSegment(surface, c.x1, c.y1, c.x2, c.y2, c.width, 5, c.lineType);
        EXPECT_EQ(strokes(surface), c.expected) << c.name;
    }
}

TEST(PatternedArc, DashesAreArcsBetweenTheRadialsOfChordPoints) {
    // The left quarter of an oval 100 pixels high: a chord of 101 pixels
    // (the box grows by one at zoom >= 0) in 12-pixel dashed cycles.
    RecordingSurface surface;
    ovalOutline(surface, {0, 0, 100, 100}, 1000, 5, 1);
    const Lines lines = surface.drawingLines();
    ASSERT_EQ(lines.size(), 4u * 17u);
    EXPECT_EQ(lines[0], "arc(0,0,101,101,0,0,0,3)");
    EXPECT_EQ(lines[1], "arc(0,0,101,101,0,6,0,9)");
    EXPECT_EQ(lines[16], "arc(0,0,101,101,0,96,0,101)");
    EXPECT_EQ(lines[17], "arc(0,0,101,101,0,101,3,101)"); // next quarter starts at the left-bottom corner

    // Solid types, low zooms and short chords draw each quarter whole.
    for (auto [zoom, lineType, size] : {std::tuple{5, 0, 100}, {2, 1, 100}, {5, 1, 10}}) {
        RecordingSurface whole;
        ovalOutline(whole, {0, 0, size, size}, 1000, zoom, lineType);
        const std::string s = std::to_string(size + 1);
        EXPECT_EQ(whole.drawingLines(), (Lines{"arc(0,0," + s + "," + s + ",0,0,0," + s + ")",
                                               "arc(0,0," + s + "," + s + ",0," + s + "," + s + "," + s + ")",
                                               "arc(0,0," + s + "," + s + "," + s + "," + s + "," + s + ",0)",
                                               "arc(0,0," + s + "," + s + "," + s + ",0,0,0)"}))
            << "zoom " << zoom << " type " << lineType;
    }
    // At natural size the box is not grown.
    RecordingSurface natural;
    ovalOutline(natural, {0, 0, 10, 10}, 1000, -1, 0);
    EXPECT_EQ(natural.drawingLines().front(), "arc(0,0,10,10,0,0,0,10)");
}

TEST(RoundedRectangleOutline, CornerRadiusIsFourPointsAtMostHalfTheBox) {
    struct Case {
        int zoom, width, height, rx, ry;
    } cases[] = {
        {5, 100, 100, 4, 4}, {8, 10, 40, 5, 8}, // 5 points wide at 200 %: 2.5 points across, 4 points down
        {8, 40, 9, 8, 4},    {5, 5, 5, 2, 2},   {-1, 50, 50, 4, 4},
    };
    for (const Case& c : cases) {
        RecordingSurface surface;
        const int a = 100, b = 200, right = a + c.width, bottom = b + c.height;
        roundedRectangleOutline(surface, {a, b, right, bottom}, 1000, c.zoom, 0);
        const std::vector<SurfaceCall>& calls = surface.calls();
        std::vector<SurfaceCall> arcs;
        for (const SurfaceCall& call : calls)
            if (call.op == SurfaceOp::Arc)
                arcs.push_back(call);
        ASSERT_EQ(arcs.size(), 4u) << "zoom " << c.zoom;
        const int extra = c.zoom >= 0 ? 1 : 0;
        // top-left, top-right, bottom-right, bottom-left, counter-clockwise each
        EXPECT_EQ(arcs[0].args, (std::vector<int>{a, b, a + 2 * c.rx + extra, b + 2 * c.ry + extra, a + c.rx,
                                                  b, a, b + c.ry}));
        EXPECT_EQ(arcs[1].args, (std::vector<int>{right - 2 * c.rx, b, right + extra, b + 2 * c.ry + extra,
                                                  right, b + c.ry, right - c.rx, b}));
        EXPECT_EQ(arcs[2].args,
                  (std::vector<int>{right - 2 * c.rx, bottom - 2 * c.ry, right + extra, bottom + extra,
                                    right - c.rx, bottom, right, bottom - c.ry}));
        EXPECT_EQ(arcs[3].args, (std::vector<int>{a, bottom - 2 * c.ry, a + 2 * c.rx + extra, bottom + extra,
                                                  a, bottom - c.ry, a + c.rx, bottom}));
        const Lines s = strokes(surface);
        EXPECT_EQ(s[1], stroke(a + c.rx, b, right - c.rx, b)) << "top side";
        EXPECT_EQ(s[3], stroke(right, b + c.ry, right, bottom - c.ry)) << "right side";
    }
}

TEST(RectangleOutline, FourSidesTopRightBottomLeft) {
    RecordingSurface surface;
    rectangleOutline(surface, {10, 20, 30, 40}, 1000, 1, 2);
    EXPECT_EQ(strokes(surface), (Lines{stroke(10, 20, 30, 20), stroke(30, 20, 30, 40), stroke(30, 40, 10, 40),
                                       stroke(10, 40, 10, 20)}));
}

TEST(HalfOval, CurvesTowardTheSecondPoint) {
    struct Case {
        const char* name;
        bool vertical;
        Point first, second;
        Lines outline;
        std::string fill;
    } cases[] = {
        {"horizontal, curve above",
         false,
         {10, 50},
         {40, 20},
         {"arc(10,20,41,81,40,50,40,20)", "arc(10,20,41,81,40,20,10,20)", "arc(10,20,41,81,10,20,10,50)"},
         "chord(10,20,41,81,40,50,10,50)"},
        {"horizontal, points given right to left",
         false,
         {40, 50},
         {10, 20},
         {"arc(10,20,41,81,40,50,40,20)", "arc(10,20,41,81,40,20,10,20)", "arc(10,20,41,81,10,20,10,50)"},
         "chord(10,20,41,81,40,50,10,50)"},
        {"horizontal, curve below",
         false,
         {10, 50},
         {40, 80},
         {"arc(10,20,41,81,10,50,10,80)", "arc(10,20,41,81,10,80,40,80)", "arc(10,20,41,81,40,80,40,50)"},
         "chord(10,20,41,81,10,50,40,50)"},
        {"vertical, curve right",
         true,
         {50, 10},
         {80, 40},
         {"arc(20,10,81,41,50,40,80,40)", "arc(20,10,81,41,80,40,80,10)", "arc(20,10,81,41,80,10,50,10)"},
         "chord(20,10,81,41,50,40,50,10)"},
        {"vertical, curve left",
         true,
         {50, 40},
         {20, 10},
         {"arc(20,10,81,41,50,10,20,10)", "arc(20,10,81,41,20,10,20,40)", "arc(20,10,81,41,20,40,50,40)"},
         "chord(20,10,81,41,50,10,50,40)"},
    };
    for (const Case& c : cases) {
        RecordingSurface outline, fill;
        if (c.vertical) {
            verticalHalfOvalOutline(outline, c.first, c.second, 1000, 5, 0);
            verticalHalfOvalFill(fill, c.first, c.second, 5);
        } else {
            horizontalHalfOvalOutline(outline, c.first, c.second, 1000, 5, 0);
            horizontalHalfOvalFill(fill, c.first, c.second, 5);
        }
        EXPECT_EQ(outline.drawingLines(), c.outline) << c.name;
        EXPECT_EQ(fill.drawingLines(), Lines{c.fill}) << c.name;
    }
    // A flat half-oval has no curve: no piece may turn into a whole ellipse.
    RecordingSurface flat;
    horizontalHalfOvalOutline(flat, {10, 50}, {40, 50}, 1000, 5, 0);
    for (const SurfaceCall& call : flat.calls())
        EXPECT_FALSE(call.args[4] == call.args[6] && call.args[5] == call.args[7]) << call.toString();
}

TEST(FillBrush, PatternsSelectSolidAndTheSixHatches) {
    const Rgb colour{1, 2, 3};
    struct Case {
        int pattern;
        const char* brush; // nullptr: no brush selected
    } cases[] = {
        {0, "setBrush(solid,#010203)"},
        {1, "setBrush(horizontal,#010203)"},
        {2, "setBrush(vertical,#010203)"},
        {3, "setBrush(fdiagonal,#010203)"},
        {4, "setBrush(bdiagonal,#010203)"},
        {5, "setBrush(cross,#010203)"},
        {6, "setBrush(diagcross,#010203)"},
        {7, nullptr},
        {255, nullptr},
        {-1, nullptr},
    };
    for (const Case& c : cases) {
        RecordingSurface surface;
        surface.setBrush(Brush::solid({9, 9, 9}));
        surface.clear();
        EXPECT_EQ(selectFillBrush(surface, colour, c.pattern), c.brush != nullptr) << c.pattern;
        EXPECT_EQ(surface.lines(), c.brush ? Lines{c.brush} : Lines{}) << c.pattern;
        if (!c.brush) {
            EXPECT_EQ(surface.brush(), Brush::solid({9, 9, 9}));
        }
    }
}

TEST(QuadraticPiece, OnePolylineFromStartThroughSamplesToEnd) {
    RecordingSurface surface;
    quadraticPiece(surface, {0, 0}, {100, 0}, {100, 100});
    ASSERT_EQ(surface.calls().size(), 1u);
    const SurfaceCall& call = surface.calls()[0];
    ASSERT_EQ(call.op, SurfaceOp::Polyline);
    // P0, t = 0.05 .. 0.98 in steps of 0.03 (32 samples), P2
    ASSERT_EQ(call.args.size(), 2u * 34u);
    EXPECT_EQ((std::vector<int>(call.args.begin(), call.args.begin() + 6)),
              (std::vector<int>{0, 0, 9, 0, 15, 0}));
    // t = 0.98: x = 2·0.98·0.02·100 + 0.9604·100 = 99.96, y = 96.04
    EXPECT_EQ((std::vector<int>(call.args.end() - 4, call.args.end())), (std::vector<int>{99, 96, 100, 100}));
}

TEST(ArrowHead, BarbsAndHeadsOfEveryKind) {
    const Rgb red{255, 0, 0};
    // Horizontal line from (0,100) to the tip (100,100) at 100 %: the short
    // barbs reach back 7 pixels and 2 across, the long ones 15 and 4.
    const Point from{0, 100}, tip{100, 100};
    struct Case {
        int kind;
        Lines expected;
    } cases[] = {
        {0, {}},
        {1, {stroke(100, 100, 93, 102), stroke(100, 100, 93, 98)}},
        {2, {"setBrush(solid,#ff0000)", "polygon(93,102,100,100,93,98)", "setBrush(solid,#00ff00)"}},
        {3, {"setBrush(solid,#ffffff)", "polygon(93,102,100,100,93,98)", "setBrush(solid,#00ff00)"}},
        {4, {stroke(100, 100, 85, 104), stroke(100, 100, 85, 96)}},
        {5, {"setBrush(solid,#ff0000)", "polygon(85,104,100,100,85,96)", "setBrush(solid,#00ff00)"}},
        {6, {"setBrush(solid,#ffffff)", "polygon(85,104,100,100,85,96)", "setBrush(solid,#00ff00)"}},
        {7, {stroke(100, 100, 85, 104), stroke(100, 100, 85, 96), stroke(85, 104, 85, 96)}},
        {8,
         {stroke(100, 100, 93, 102), stroke(100, 100, 93, 98), stroke(92, 100, 85, 102),
          stroke(92, 100, 85, 98)}},
        {9, {"setBrush(solid,#ff0000)", "ellipse(97,97,103,103)", "setBrush(solid,#00ff00)"}},
        {10, {"setBrush(solid,#ffffff)", "ellipse(97,97,103,103)", "setBrush(solid,#00ff00)"}},
        {11, {"setBrush(solid,#ff0000)", "rectangle(97,97,103,103)", "setBrush(solid,#00ff00)"}},
        {12, {"setBrush(solid,#ffffff)", "rectangle(97,97,103,103)", "setBrush(solid,#00ff00)"}},
        {13, {}},
    };
    for (const Case& c : cases) {
        RecordingSurface surface;
        surface.setBrush(Brush::solid({0, 255, 0}));
        surface.clear();
        arrowHead(surface, from, tip, red, c.kind, 5);
        EXPECT_EQ(pairStrokes(surface.lines()), c.expected) << "kind " << c.kind;
    }
}

TEST(ArrowHead, VerticalLinesAndOtherDirections) {
    struct Case {
        const char* name;
        Point from, tip;
        int kind, zoom;
        Lines expected;
    } cases[] = {
        {"pointing down", {50, 0}, {50, 100}, 1, 5, {stroke(50, 100, 48, 93), stroke(50, 100, 52, 93)}},
        {"pointing up", {50, 200}, {50, 100}, 1, 5, {stroke(50, 100, 48, 107), stroke(50, 100, 52, 107)}},
        {"double arrow pointing down: second head 8 points above the tip",
         {50, 0},
         {50, 100},
         8,
         5,
         {stroke(50, 100, 48, 93), stroke(50, 100, 52, 93), stroke(50, 92, 48, 85), stroke(50, 92, 52, 85)}},
        {"double arrow pointing up",
         {50, 200},
         {50, 100},
         8,
         5,
         {stroke(50, 100, 48, 107), stroke(50, 100, 52, 107), stroke(50, 108, 48, 115),
          stroke(50, 108, 52, 115)}},
        {"pointing left",
         {200, 100},
         {100, 100},
         1,
         5,
         {stroke(100, 100, 107, 98), stroke(100, 100, 107, 102)}},
        // From the top-left at 200 %: barbs at 225° ∓ 0.3 rad, 8 points long.
        {"diagonal at 200 %",
         {0, 0},
         {100, 100},
         8,
         8,
         {stroke(100, 100, 86, 93), stroke(100, 100, 93, 86), stroke(89, 89, 75, 82),
          stroke(89, 89, 82, 75)}},
        {"tip on the from point", {50, 50}, {50, 50}, 1, 5, {stroke(50, 50, 48, 43), stroke(50, 50, 52, 43)}},
    };
    for (const Case& c : cases) {
        RecordingSurface surface;
        arrowHead(surface, c.from, c.tip, {}, c.kind, c.zoom);
        EXPECT_EQ(strokes(surface), c.expected) << c.name;
    }
}

} // namespace
} // namespace plexo
