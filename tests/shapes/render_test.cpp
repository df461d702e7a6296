#include "base/textcodec.h"
#include "library/libnode.h"
#include "shapes/geometry.h"
#include "shapes/palette.h"
#include "shapes/recordingsurface.h"
#include "shapes/render.h"
#include "shapes/rendercalendar.h"
#include "shapes/shape.h"
#include "shapes/style.h"
#include "store/folio.h"

#include "rendertestsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace plexo {
namespace {

using namespace rendertest;

// ---- one-line labels ----------------------------------------------------------------

TEST(RenderLabel, AnchorsFollowTheAlignmentAndAngleTable) {
    // Label box (100, 200, 300, 260) in pixels; "AB" in a 10-pixel font is 12 × 10.
    const int l = 100, t = 200, r = 300, b = 260, w = 12, h = 10, e = 5;
    struct Case {
        int align;
        Point at0, at90, at180, at270;
    };
    const Case cases[] = {
        {0,
         {l - w - e, (t + b - h) / 2},
         {(l + r - h) / 2, b + w + e},
         {r + w + e, (t + b + h) / 2},
         {(l + r + h) / 2, t - w - e}},
        {1,
         {r + e, (t + b - h) / 2},
         {(l + r - h) / 2, t - e},
         {l - e, (t + b + h) / 2},
         {(l + r + h) / 2, b + e}},
        {2,
         {(l + r - w) / 2, (t + b - h) / 2},
         {(l + r - h) / 2, (t + b + w) / 2},
         {(l + r + w) / 2, (t + b + h) / 2},
         {(l + r + h) / 2, (t + b - w) / 2}},
        {3,
         {(l + r - w) / 2, t - h},
         {l - h, (t + b + w) / 2},
         {(l + r + w) / 2, b + h},
         {r + h, (t + b - w) / 2}},
        {4, {(l + r - w) / 2, b}, {r, (t + b + w) / 2}, {(l + r + w) / 2, t}, {l, (t + b - w) / 2}},
        {5, {l - w - e, t - h}, {l - h, b + w + e}, {r + w + e, b + h}, {r + h, t - w - e}},
        {6, {r + e, t - h}, {l - h, t - e}, {l - e, b + h}, {r + h, b + e}},
        {7, {l - w - e, b}, {r, b + w + e}, {r + w + e, t}, {l, t - w - e}},
        {8, {r + e, b}, {r, t - e}, {l - e, t}, {l, b + e}},
        {9, {l, t}, {l, t}, {l, t}, {l, t}},
    };
    for (const Case& c : cases) {
        const Point expected[] = {c.at0, c.at90, c.at180, c.at270};
        for (int a = 0; a < 4; ++a) {
            // The rectangle's outline is its box widened by the line width and 2 points.
            auto shape = makeShape(kRectangle, {{103000, 203000}, {297000, 257000}}, "AB");
            shape->style.fontSize = 10;
            shape->style.textAlign = static_cast<std::uint8_t>(c.align);
            shape->angle = a * 90;
            RecordingSurface surface;
            draw(*shape, surface, 5, false);
            const auto texts = callsOf(surface, SurfaceOp::TextOut);
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_EQ(Point(texts[0]->args[0], texts[0]->args[1]), expected[a])
                << "align " << c.align << " angle " << a * 90;
            EXPECT_EQ(fontBefore(surface, *texts[0]).args[4], a * 900) << "escapement";
        }
    }
}

TEST(RenderLabel, TerminalBoxIsWidenedByOnePointAndFilledBehindItsText) {
    auto terminal = makeShape(kTerminal, {{100000, 100000}, {100000, 100000}}, "A1");
    terminal->style.fontSize = 10;
    terminal->style.textAlign = 1;
    terminal->style.fillColour = 3;
    RecordingSurface surface;
    draw(*terminal, surface, 5, false);
    // Outline 100 ± 3 points, widened by 1: (96, 96, 104, 104); right of it, centred.
    const Lines lines = surface.lines();
    EXPECT_TRUE(contains(lines, "textOut(109,95,\"A1\")")) << ::testing::PrintToString(lines);
    // The label's own cell is filled first, one pixel more right and down.
    EXPECT_TRUE(contains(lines, "rectangle(109,95,122,106)"));
}

TEST(RenderLabel, KeepsAtMost254BytesAndOnlyNonEmptyTexts) {
    auto shape = makeShape(kLine, {{0, 0}, {50000, 0}}, std::string(300, 'x'));
    RecordingSurface surface;
    draw(*shape, surface, 5, false);
    const auto texts = textsOf(surface);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], std::string(254, 'x'));

    // A rectangle without line or fill draws nothing but its text.
    auto bare = makeShape(kRectangle, {{0, 0}, {50000, 50000}}, "nom");
    bare->style.colour = kNoColour;
    bare->style.fillColour = kNoColour;
    RecordingSurface only;
    draw(*bare, only, 5, false);
    const Lines drawn = only.drawingLines();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].rfind("textOut(", 0), 0u);
}

TEST(RenderLabel, WireEndLabelsAreWrittenAtBothEnds) {
    auto wire = makeShape(kWire, {{100000, 100000}, {100000, 50000}, {200000, 50000}});
    wire->style = wireDefaultStyle();
    wire->style.fontSize = 10;
    wire->setApplicability();
    wire->joinLabels("K1", "K2");
    RecordingSurface surface;
    draw(*wire, surface, 5, false);
    const auto texts = textsOf(surface);
    EXPECT_EQ(texts, (std::vector<std::string>{"K1", "K2"}));
    // The first segment goes up from P1: the first label is turned by 90 degrees.
    const auto calls = callsOf(surface, SurfaceOp::TextOut);
    EXPECT_EQ(fontBefore(surface, *calls[0]).args[4], 900);
    EXPECT_EQ(fontBefore(surface, *calls[1]).args[4], 0);
}

// ---- text layout ----------------------------------------------------------------------

Extent tenPixelsEach(std::string_view text) {
    return {10 * static_cast<int>(text.size()), 10};
}

std::vector<std::string> lineTexts(const TextLayout& layout) {
    std::vector<std::string> texts;
    for (const TextLine& line : layout.lines)
        texts.push_back(line.text);
    return texts;
}

TEST(TextLayout, CutsAfterTheLastBreakCharacter) {
    struct Case {
        const char* text;
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"hello world foo", 60, {"hello", "world", "foo"}},
        {"ab-cdef", 40, {"ab-", "cdef"}}, // cut after the hyphen
        {"a,b;c:d", 40, {"a,b;", "c:d"}},
        {"abcdefgh", 30, {"abc", "def", "gh"}}, // no break character: cut before the overflow
        {"x/yyyy", 30, {"x/", "yyy", "y"}},
        {"a\r\nb\n\rc\rd\ne", 100, {"a", "b", "c", "d", "e"}},
        {"a\r\n\r\nb", 100, {"a", " ", "b"}}, // an empty line is one space
        {"a\tb", 100, {"a b"}},               // a tab counts as a space
        {"w", 5, {"w"}},                      // a line keeps at least one character
    };
    for (const Case& c : cases) {
        const TextLayout layout = layoutText(c.text, {0, 0, c.width, 1000}, 0, 0, tenPixelsEach);
        EXPECT_EQ(lineTexts(layout), c.lines) << c.text;
        EXPECT_FALSE(layout.overflow) << c.text;
    }
}

TEST(TextLayout, PlacesLinesByAlignmentAndAngle) {
    const Rect box{100, 200, 200, 300};
    struct Case {
        int angle, align;
        Point first, second;
    };
    // Lines "ab" (20 wide) then "c" (10 wide), 10 high.
    const Case cases[] = {
        {0, 0, {100, 200}, {100, 210}},   {0, 1, {180, 200}, {190, 210}},   {0, 3, {140, 200}, {145, 210}},
        {90, 0, {100, 300}, {110, 300}},  {90, 6, {100, 220}, {110, 210}},  {90, 2, {100, 260}, {110, 255}},
        {180, 0, {200, 300}, {200, 290}}, {180, 8, {120, 300}, {110, 290}}, {270, 0, {200, 200}, {190, 200}},
        {270, 1, {200, 280}, {190, 290}},
    };
    for (const Case& c : cases) {
        const TextLayout layout = layoutText("ab\r\nc", box, c.angle, c.align, tenPixelsEach);
        ASSERT_EQ(layout.lines.size(), 2u);
        EXPECT_EQ(layout.lines[0].origin, c.first) << c.angle << "/" << c.align;
        EXPECT_EQ(layout.lines[1].origin, c.second) << c.angle << "/" << c.align;
    }
}

TEST(TextLayout, StopsWhenTheNextLineDoesNotFit) {
    const TextLayout layout = layoutText("one two three four", {0, 0, 50, 25}, 0, 0, tenPixelsEach);
    EXPECT_EQ(lineTexts(layout), (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(layout.overflow);
    const TextLayout turned = layoutText("one two three four", {0, 0, 25, 50}, 90, 0, tenPixelsEach);
    EXPECT_EQ(lineTexts(turned), (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(turned.overflow);
    EXPECT_FALSE(layoutText("one", {0, 0, 50, 10}, 0, 0, tenPixelsEach).overflow);

    // A huge text in a huge box is laid out up to a bound, quickly, and marked.
    const std::string huge(200000, 'x');
    const TextLayout bounded = layoutText(huge, {0, 0, 1 << 30, 1 << 30}, 0, 0, tenPixelsEach);
    EXPECT_TRUE(bounded.overflow);
    EXPECT_EQ(bounded.lines.size(), 32u); // 64 KiB in lines of 2 KiB
}

TEST(TextLayout, NaturalSizesDecideBreaksAndFitting) {
    // At half size the zoomed box is a pixel wider than half the natural one,
    // which would let "hello w" fit; the natural sizes keep the 100 % breaks.
    const auto half = [](std::string_view text) { return Extent{5 * static_cast<int>(text.size()), 5}; };
    const TextLayout layout =
        layoutText("hello world foo", {0, 0, 36, 11}, 0, 0, half, tenPixelsEach, Rect{0, 0, 60, 20});
    EXPECT_EQ(lineTexts(layout), (std::vector<std::string>{"hello", "world"}));
    EXPECT_TRUE(layout.overflow);
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_EQ(layout.lines[1].origin, (Point{0, 5}));
}

TEST(RenderText, OverflowMarkSitsAtTheBoxCorner) {
    auto text = makeShape(kText, {{10000, 10000}, {60000, 30000}}, "un deux trois quatre cinq six sept");
    text->style.fontSize = 9;
    RecordingSurface surface;
    draw(*text, surface, 5, false);
    const Lines lines = surface.drawingLines();
    // The crossed 5 × 5 square whose bottom-right corner is (60, 30).
    for (const char* line : {"moveTo(55,25)", "lineTo(60,25)", "lineTo(60,30)", "lineTo(55,30)",
                             "lineTo(55,25)", "moveTo(60,25)"})
        EXPECT_TRUE(contains(lines, line)) << line;
    EXPECT_FALSE(textsOf(surface).empty());
}

TEST(RenderText, LineBreaksDoNotDependOnTheZoom) {
    auto text =
        makeShape(kText, {{10000, 10000}, {90000, 200000}},
                  utf8ToCp1252("Le schéma montre la chaîne de traitement, étape par étape: lecture, tri."));
    text->style.fontSize = 10;
    std::vector<std::string> reference;
    for (int zoom : {5, 2, 8, 7}) {
        RecordingSurface surface;
        draw(*text, surface, zoom, false);
        const auto texts = textsOf(surface);
        ASSERT_GT(texts.size(), 2u) << zoom;
        if (reference.empty())
            reference = texts;
        EXPECT_EQ(texts, reference) << "zoom " << zoom;
    }
}

// ---- symbols, terminals and wires --------------------------------------------------------

// A library symbol: a rectangle (0, 0)-(20, 10) points and a terminal at (0, 5).
struct FakeSymbol {
    LibNode node{NodeKind::Symbol, "RELAIS"};
    Shape* rectangle = nullptr;

    FakeSymbol() {
        node.drawing = std::make_unique<Folio>();
        rectangle = &node.drawing->append(makeShape(kRectangle, {{0, 0}, {20000, 10000}}));
        node.drawing->append(makeShape(kTerminal, {{0, 5000}, {0, 5000}}));
        node.bounds = {0, 20000, 0, 10000};
    }

    std::unique_ptr<Shape> instance(Point at, int angle) {
        auto shape = std::make_unique<Shape>(kSymbol);
        shape->points = {at, at};
        shape->angle = angle;
        shape->createKindRecord();
        shape->infoSymbole->name = node.name;
        shape->infoSymbole->node = &node;
        auto label = makeShape(kTerminal, {{0, 5000}, {0, 5000}});
        label->infoBorne = std::make_unique<InfoBorneSymbole>();
        label->infoBorne->owner = shape.get();
        shape->infoSymbole->labels.emplace_back("", std::move(label));
        return shape;
    }
};

int redDiamonds(const RecordingSurface& surface) {
    int count = 0;
    for (const SurfaceCall* call : callsOf(surface, SurfaceOp::Polygon))
        count += call->args.size() == 8 ? 1 : 0;
    return count;
}

TEST(RenderSymbol, DrawsTheSharedDrawingInPlaceAndRestoresIt) {
    FakeSymbol symbol;
    auto instance = symbol.instance({100000, 100000}, 90);
    RecordingSurface first, second;
    draw(*instance, first, 5, false);
    draw(*instance, second, 5, false);
    EXPECT_EQ(first.lines(), second.lines());
    EXPECT_EQ(symbol.rectangle->points, (std::vector<Point>{{0, 0}, {20000, 10000}}));
    EXPECT_EQ(symbol.rectangle->angle, 0);
    // Turned by 90 degrees about (10, 5) and centred on (100, 100): (95, 90)-(105, 110).
    const Lines lines = first.drawingLines();
    EXPECT_TRUE(contains(lines, "moveTo(95,90)")) << ::testing::PrintToString(lines);
    EXPECT_TRUE(contains(lines, "lineTo(105,110)"));
    // The drawing's own terminal is not drawn; the instance's label is, once, turned
    // onto (100, 110).
    EXPECT_EQ(redDiamonds(first), 1);
    EXPECT_TRUE(contains(first.lines(), "polygon(100,105,105,110,100,115,95,110)"));
}

TEST(RenderSymbol, TerminalShowsOnlyWhenShownFreeAndOnScreen) {
    FakeSymbol symbol;
    auto instance = symbol.instance({100000, 100000}, 0);
    Shape wire(kWire);
    auto diamonds = [&](int zoom, bool shown = true) {
        RenderContext context;
        context.zoom = zoom;
        context.showTerminals = shown;
        RecordingSurface surface;
        draw(*instance, surface, context, false);
        return redDiamonds(surface);
    };
    EXPECT_EQ(diamonds(5), 1);
    EXPECT_EQ(diamonds(-1), 0); // natural size output (metafiles) shows no terminal
    instance->infoSymbole->labels[0].shape->infoBorne->wire = &wire;
    EXPECT_EQ(diamonds(5), 0);
    instance->infoSymbole->labels[0].shape->infoBorne->wire = nullptr;
    EXPECT_EQ(diamonds(5, false), 0);
}

TEST(RenderSymbol, ASymbolContainingItselfStops) {
    LibNode node(NodeKind::Symbol, "BOUCLE");
    node.drawing = std::make_unique<Folio>();
    node.drawing->append(makeShape(kLine, {{0, 0}, {10000, 0}}));
    auto& inner = node.drawing->append(std::make_unique<Shape>(kSymbol));
    inner.points = {{0, 0}, {0, 0}};
    inner.createKindRecord();
    inner.infoSymbole->node = &node;
    node.bounds = {0, 10000, 0, 0};
    RecordingSurface surface;
    draw(inner, surface, 5, false);
    EXPECT_EQ(callsOf(surface, SurfaceOp::LineTo).size(), static_cast<std::size_t>(kMaxSymbolNesting));
    EXPECT_EQ(inner.points, (std::vector<Point>{{0, 0}, {0, 0}}));
    EXPECT_EQ(node.drawing->objects[0]->points, (std::vector<Point>{{0, 0}, {10000, 0}}));
}

TEST(RenderSymbol, ASymbolNestedManyTimesOverIsCutShort) {
    // Nine instances of itself in its own drawing: 9^8 placements without a bound.
    LibNode node(NodeKind::Symbol, "GIGOGNE");
    node.drawing = std::make_unique<Folio>();
    node.drawing->append(makeShape(kLine, {{0, 0}, {10000, 0}}));
    for (int i = 0; i < 9; ++i) {
        auto& inner = node.drawing->append(std::make_unique<Shape>(kSymbol));
        inner.points = {{i * 1000, 0}, {i * 1000, 0}};
        inner.createKindRecord();
        inner.infoSymbole->node = &node;
    }
    node.bounds = {0, 10000, 0, 0};
    Shape& top = *node.drawing->objects[1];
    RecordingSurface surface;
    draw(top, surface, 5, false);
    const std::size_t lines = callsOf(surface, SurfaceOp::LineTo).size();
    EXPECT_GT(lines, 1000u);
    EXPECT_LE(lines, static_cast<std::size_t>(kMaxSymbolObjects));
    EXPECT_EQ(top.points, (std::vector<Point>{{0, 0}, {0, 0}}));
}

TEST(RenderSymbol, NestedSymbolLabelsAreDrawnOnceByTheOuterInstance) {
    FakeSymbol inner;
    // The outer drawing holds an instance of the inner symbol centred on (50, 50).
    LibNode outer(NodeKind::Symbol, "ARMOIRE");
    outer.drawing = std::make_unique<Folio>();
    outer.drawing->append(inner.instance({50000, 50000}, 0));
    outer.bounds = {40000, 60000, 45000, 55000};
    auto instance = std::make_unique<Shape>(kSymbol);
    instance->points = {{100000, 100000}, {100000, 100000}};
    instance->createKindRecord();
    instance->infoSymbole->node = &outer;
    // Its label list holds the nested terminal where the inner symbol puts it: (40, 50).
    auto label = makeShape(kTerminal, {{40000, 50000}, {40000, 50000}}, "X1");
    label->infoBorne = std::make_unique<InfoBorneSymbole>();
    instance->infoSymbole->labels.emplace_back("X1", std::move(label));
    RecordingSurface surface;
    draw(*instance, surface, 5, false);
    EXPECT_EQ(redDiamonds(surface), 1);
    EXPECT_TRUE(contains(surface.lines(), "polygon(90,95,95,100,90,105,85,100)"));
}

TEST(RenderWire, JunctionDotsOnlyWhereAWireEndsOnAnotherWire) {
    Shape other(kWire);
    Shape terminal(kTerminal);
    auto wire = makeShape(kWire, {{100000, 100000}, {200000, 100000}});
    wire->style = wireDefaultStyle();
    wire->setApplicability();
    struct Case {
        Shape* amont;
        Shape* aval;
        std::vector<std::string> dots;
    };
    const Case cases[] = {
        {&other, nullptr, {"ellipse(97,97,104,104)"}},
        {nullptr, &other, {"ellipse(197,97,204,104)"}},
        {&terminal, &terminal, {}},
        {&other, &other, {"ellipse(97,97,104,104)", "ellipse(197,97,204,104)"}},
    };
    for (const Case& c : cases) {
        wire->infoFil->amont = c.amont;
        wire->infoFil->aval = c.aval;
        RecordingSurface surface;
        draw(*wire, surface, 5, false);
        std::vector<std::string> dots;
        for (const SurfaceCall* call : callsOf(surface, SurfaceOp::Ellipse))
            dots.push_back(call->toString());
        EXPECT_EQ(dots, c.dots);
    }
}

// ---- ghost mode, shadows, handles, tags ----------------------------------------------------

TEST(RenderGhost, ThinBlackOutlineWithoutFillTextOrShadow) {
    auto box = makeShape(kRectangle, {{10000, 10000}, {50000, 40000}}, "nom");
    box->style.fillColour = 3;
    box->style.shadow = 8;
    box->style.lineWidth = 3000;
    RenderContext inverse;
    inverse.inverseVideo = true;
    RecordingSurface surface;
    draw(*box, surface, inverse, true);
    const Lines lines = surface.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "setPen(solid,1,#000000)");
    EXPECT_TRUE(callsOf(surface, SurfaceOp::TextOut).empty());
    EXPECT_TRUE(callsOf(surface, SurfaceOp::Rectangle).empty());
    EXPECT_TRUE(contains(surface.drawingLines(), "lineTo(50,10)"));
}

// Inverse video draws the same figures, every palette colour complemented:
// line, fill, shadow, label text, and the terminals of a symbol's drawing.
TEST(RenderInverse, ComplementsEveryColourOfTheSameDrawing) {
    auto box = makeShape(kRectangle, {{10000, 10000}, {50000, 40000}}, "nom");
    box->style.colour = 1;
    box->style.fillColour = 3;
    box->style.shadow = 8;
    box->style.textColour = 4;
    FakeSymbol symbol;
    auto instance = symbol.instance({100000, 100000}, 0);
    RenderContext inverse;
    inverse.inverseVideo = true;
    // Putting back the surface's own starting state is not a palette colour.
    RecordingSurface fresh;
    fresh.setPen(fresh.state().pen);
    fresh.setBrush(fresh.state().brush);
    fresh.setTextColour(fresh.state().textColour);
    fresh.setBackgroundColour(fresh.state().backgroundColour);
    const Lines restoring = fresh.lines();
    // The palette colours a drawing selected, each as the call that selects its complement.
    auto complemented = [&](const RecordingSurface& surface) {
        Lines colours;
        for (SurfaceCall call : surface.calls()) {
            std::size_t first = 0;
            if (call.op == SurfaceOp::SetPen && call.args[0] == 0)
                first = 2;
            else if (call.op == SurfaceOp::SetBrush)
                first = 1;
            else if (call.op != SurfaceOp::SetTextColour && call.op != SurfaceOp::SetBackgroundColour)
                continue;
            if (contains(restoring, call.toString()))
                continue;
            for (std::size_t k = first; k < first + 3; ++k)
                call.args[k] = 255 - call.args[k];
            colours.push_back(call.toString());
        }
        return colours;
    };
    auto colourOnly = [](const RecordingSurface& surface) {
        Lines colours;
        for (const SurfaceCall& call : surface.calls())
            if (call.op == SurfaceOp::SetPen || call.op == SurfaceOp::SetBrush ||
                call.op == SurfaceOp::SetTextColour || call.op == SurfaceOp::SetBackgroundColour)
                colours.push_back(call.toString());
        return colours;
    };
    for (const Shape* shape : {box.get(), instance.get()}) {
        RecordingSurface normal, inverted;
        draw(*shape, normal, RenderContext::atZoom(5), false);
        draw(*shape, inverted, inverse, false);
        EXPECT_EQ(normal.drawingLines(), inverted.drawingLines());
        const Lines normalColours = complemented(normal);
        EXPECT_GE(normalColours.size(), shape == box.get() ? 4u : 1u);
        for (const std::string& colour : normalColours)
            EXPECT_TRUE(contains(colourOnly(inverted), colour)) << colour;
        for (const std::string& colour : complemented(inverted))
            EXPECT_TRUE(contains(colourOnly(normal), colour)) << colour;
    }
}

TEST(RenderShadow, DrawnFirstFiveDownRightInTheShadowColour) {
    auto box = makeShape(kRectangle, {{10000, 10000}, {50000, 40000}});
    box->style.shadow = 8;
    box->style.fillColour = 15;
    RecordingSurface surface;
    draw(*box, surface, 5, false);
    const Lines drawn = surface.drawingLines();
    ASSERT_GT(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], "rectangle(15,15,56,46)");
    EXPECT_EQ(drawn[1], "rectangle(10,10,51,41)");
    EXPECT_TRUE(contains(surface.lines(), "setBrush(solid,#808080)"));

    // Where the shadow does not apply, it is not drawn.
    auto picture = makeShape(kChordGrid, {{10000, 10000}, {40000, 40000}});
    picture->style.shadow = 8;
    RecordingSurface grid;
    drawShadow(*picture, grid, RenderContext::atZoom(5));
    EXPECT_TRUE(grid.calls().empty());
}

TEST(RenderHandles, BoxCornersAndMidpointsTextFrameFirst) {
    auto text = makeShape(kText, {{10000, 20000}, {30000, 60000}}, "t");
    RecordingSurface surface;
    drawHandles(*text, surface, RenderContext::atZoom(5));
    const Lines lines = surface.drawingLines();
    EXPECT_EQ(lines[0], "moveTo(10,20)");
    std::vector<std::string> handles;
    for (const SurfaceCall* call : callsOf(surface, SurfaceOp::Rectangle))
        handles.push_back(call->toString());
    EXPECT_EQ(handles, (std::vector<std::string>{"rectangle(6,16,14,24)", "rectangle(16,16,24,24)",
                                                 "rectangle(26,16,34,24)", "rectangle(26,36,34,44)",
                                                 "rectangle(26,56,34,64)", "rectangle(16,56,24,64)",
                                                 "rectangle(6,56,14,64)", "rectangle(6,36,14,44)"}));
}

TEST(RenderTags, MidiAndSequenceWords) {
    struct Case {
        int kind;
        std::string word;
        std::string colour;
    };
    const Case cases[] = {{kMidiShortcut, "Midi", "setTextColour(#ffff00)"},
                          {kSequence, utf8ToCp1252("Séquence"), "setTextColour(#ff0000)"}};
    for (const Case& c : cases) {
        auto tag = makeShape(c.kind, {{20000, 30000}, {20000, 30000}}, "C:\\a.mid");
        RecordingSurface surface;
        draw(*tag, surface, 5, false);
        EXPECT_EQ(textsOf(surface), std::vector<std::string>{c.word});
        const Lines lines = surface.lines();
        EXPECT_TRUE(contains(lines, c.colour));
        // Bold 14-pixel "Ms Sans Serif" on a black box fitted to the word.
        EXPECT_TRUE(contains(lines, "setFont(\"Ms Sans Serif\",14,700,0,0,0,0)"));
        const int width = static_cast<int>(c.word.size()) * 10;
        EXPECT_TRUE(contains(lines, "rectangle(20,30," + std::to_string(20 + width + 1) + ",45)"));
    }
}

} // namespace
} // namespace plexo
