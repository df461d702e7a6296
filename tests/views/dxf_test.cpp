// The DXF export read back with dxflib's reader: millimetres with y up, the
// folio's extent, texts with their place, height and accents, layers by
// family, line types and hatches, arcs and ellipses along the screen's radials,
// symbols as blocks with inserts, terminals and label attributes, and the
// failures the user is told about.
#include "bench/render_scene.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/geometry.h"
#include "shapes/infosymbole.h"
#include "shapes/symbolresolver.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "support/dxfreader.h"
#include "support/testenvironment.h"
#include "views/dxfexport.h"
#include "views/dxfsurface.h"
#include "views/dxfwriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace plexo {
namespace {

constexpr double kPointMm = 25.4 / 72;

// A new document's first folio, loaded, with the objects given.
class DxfExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.open({}));
        folio = document.folios.front().get();
        folio->acquire();
    }
    void TearDown() override {
        folio->release(false);
        document.close();
    }

    Shape& add(std::unique_ptr<Shape> shape) {
        Shape& added = *shape;
        folio->append(std::move(shape));
        return added;
    }

    test::DxfReader exported() {
        test::DxfReader reader;
        EXPECT_TRUE(reader.readText(dxfText(folioDxf(*folio))));
        return reader;
    }

    test::ScriptedUserInterface ui;
    saoDoc document;
    Folio* folio = nullptr;
};

TEST_F(DxfExport, AnA4FolioIsItsTrueSizeInMillimetres) {
    const test::DxfReader dxf = exported();
    EXPECT_EQ(dxf.intVariables.at("$INSUNITS"), 4);
    EXPECT_EQ(dxf.stringVariables.at("$DWGCODEPAGE"), "ANSI_1252");
    const std::vector<double>& low = dxf.variables.at("$EXTMIN");
    const std::vector<double>& high = dxf.variables.at("$EXTMAX");
    EXPECT_NEAR(low[0], 0, 1);
    EXPECT_NEAR(low[1], 0, 1);
    EXPECT_NEAR(high[0], 210, 1);
    EXPECT_NEAR(high[1], 297, 1);
    // The page's borders: its right edge at 210 mm, its bottom edge at y 0.
    double right = 0, bottom = 1000;
    for (const auto& e : dxf.entities) {
        ASSERT_EQ(e.layer, dxflayer::kPageBorders) << e.type;
        right = std::max({right, e.x, e.x2});
        bottom = std::min({bottom, e.y, e.y2});
    }
    EXPECT_NEAR(right, 210, 1);
    EXPECT_NEAR(bottom, 0, 1);
    for (const char* layer : {dxflayer::kShapes, dxflayer::kTexts, dxflayer::kSymbols, dxflayer::kWires,
                              dxflayer::kTitleBlock, dxflayer::kPageBorders, dxflayer::kTerminals})
        EXPECT_NE(std::find(dxf.layers.begin(), dxf.layers.end(), layer), dxf.layers.end()) << layer;
}

TEST_F(DxfExport, TextsKeepTheirPlaceHeightAndAccents) {
    auto text = scene::makeObject(kText, 100000, 200000, 0);
    text->points = {{100000, 200000}, {400000, 240000}}; // room for one line
    text->style.set(kFontSize, 12);
    text->style.set(kTextAlign, 0);
    text->style.set(kShadow, kNoColour);
    text->setText(utf8ToCp1252("Schéma électrique"));
    rebuildGeometry(*text);
    add(std::move(text));

    const test::DxfReader dxf = exported();
    ASSERT_EQ(dxf.count("TEXT", dxflayer::kTexts), 1u);
    const auto& t = *std::find_if(dxf.entities.begin(), dxf.entities.end(), [](auto& e) { return e.type == "TEXT"; });
    EXPECT_EQ(t.text, utf8ToCp1252("Schéma électrique"));
    // Capitals of a 12-point font; the baseline a little below the box's top.
    EXPECT_NEAR(t.height, 0.7 * 12 * kPointMm, 0.2);
    EXPECT_NEAR(t.x, 100 * kPointMm, 1.5);
    const double top = 297 - 200 * kPointMm;
    EXPECT_LT(t.y, top);
    EXPECT_GT(t.y, top - 12 * kPointMm * 1.5);
    EXPECT_NEAR(t.angle, 0, 1e-9);
}

TEST_F(DxfExport, EachFamilyOnItsLayerWithLineTypesAndHatches) {
    auto dashed = scene::makeObject(kRectangle, 50000, 50000, 0);
    dashed->style.set(kLineType, 1);
    dashed->style.set(kFillColour, kNoColour);
    dashed->style.set(kShadow, kNoColour);
    dashed->setText("");
    rebuildGeometry(*dashed);
    add(std::move(dashed));
    auto crossed = scene::makeObject(kOval, 200000, 50000, 0);
    crossed->style.set(kLineType, 0);
    crossed->style.set(kFillColour, 1);
    crossed->style.set(kPattern, 5);
    crossed->style.set(kShadow, kNoColour);
    crossed->setText("");
    rebuildGeometry(*crossed);
    add(std::move(crossed));
    auto wire = scene::makeObject(kWire, 50000, 300000, 0);
    wire->style.set(kLineType, 2);
    add(std::move(wire));

    const test::DxfReader dxf = exported();
    // The dashed rectangle: four sides, each one line in the dashed line type.
    std::size_t dashedSides = 0;
    for (const auto& e : dxf.entities)
        dashedSides += e.layer == dxflayer::kShapes && e.type == "LINE" && e.lineType == dxflinetype::kDashed;
    EXPECT_EQ(dashedSides, 4u);
    // The oval: a red cross hatch inside a circle or an ellipse.
    ASSERT_EQ(dxf.count("HATCH", dxflayer::kShapes), 1u);
    const auto& hatch = *std::find_if(dxf.entities.begin(), dxf.entities.end(), [](auto& e) { return e.type == "HATCH"; });
    EXPECT_EQ(hatch.text, "QUADRILLAGE");
    EXPECT_EQ(hatch.colour, 1);
    EXPECT_EQ(dxf.count("ELLIPSE", dxflayer::kShapes) + dxf.count("CIRCLE", dxflayer::kShapes), 1u);
    // The wire's segments in dash-dot, and its end labels, on the wires' layer.
    std::size_t wireLines = 0;
    for (const auto& e : dxf.entities)
        wireLines += e.layer == dxflayer::kWires && e.type == "LINE" && e.lineType == dxflinetype::kDashDot;
    EXPECT_EQ(wireLines, 2u);
    EXPECT_GE(dxf.count("TEXT", dxflayer::kWires), 1u);
}

// The point of an exported curve at a parameter (ellipse) or angle (arc).
DxfPoint pointAt(const DxfEntity& e, double parameter) {
    if (e.kind == DxfKind::Arc) {
        const double a = parameter * std::numbers::pi / 180;
        return {e.centre.x + e.radius * std::cos(a), e.centre.y + e.radius * std::sin(a)};
    }
    const DxfPoint minor{-e.majorAxis.y * e.ratio, e.majorAxis.x * e.ratio};
    return {e.centre.x + std::cos(parameter) * e.majorAxis.x + std::sin(parameter) * minor.x,
            e.centre.y + std::cos(parameter) * e.majorAxis.y + std::sin(parameter) * minor.y};
}

// Whether p lies on the ray from the centre towards the radial point r.
void expectOnRay(const DxfPoint& centre, const DxfPoint& p, const DxfPoint& r) {
    const double a = std::atan2(p.y - centre.y, p.x - centre.x);
    const double b = std::atan2(r.y - centre.y, r.x - centre.x);
    EXPECT_NEAR(std::remainder(a - b, 2 * std::numbers::pi), 0, 1e-6);
}

TEST(DxfSurface, ArcsRunCounterClockwiseBetweenTheRadialsOfEveryEllipse) {
    struct Case {
        Rect box;
        Point start, end;
        DxfKind kind;
    };
    const Case cases[] = {
        {{0, 0, 101, 101}, {100, 50}, {50, 0}, DxfKind::Arc},      // circle: right to top
        {{0, 0, 201, 101}, {200, 0}, {0, 100}, DxfKind::Ellipse},  // wide: upper right to lower left
        {{0, 0, 61, 201}, {0, 0}, {60, 30}, DxfKind::Ellipse},     // tall: upper left to right
        {{10, 20, 71, 221}, {70, 220}, {10, 20}, DxfKind::Ellipse}, // tall, moved
    };
    for (const Case& c : cases) {
        std::vector<DxfEntity> out;
        DxfSurface surface(0.5, 100);
        surface.setTarget(&out);
        surface.arc(c.box, c.start, c.end);
        ASSERT_EQ(out.size(), 1u);
        const DxfEntity& e = out[0];
        EXPECT_EQ(e.kind, c.kind);
        const double from = e.kind == DxfKind::Arc ? e.startAngle : e.startParameter;
        const double to = e.kind == DxfKind::Arc ? e.endAngle : e.endParameter;
        expectOnRay(e.centre, pointAt(e, from), surface.toDxf(c.start));
        expectOnRay(e.centre, pointAt(e, to), surface.toDxf(c.end));
        // The ellipse touches its box (right and bottom edges excluded).
        if (e.kind == DxfKind::Ellipse) {
            const double major = std::hypot(e.majorAxis.x, e.majorAxis.y);
            const double width = (c.box.right - 1 - c.box.left) * 0.5, height = (c.box.bottom - 1 - c.box.top) * 0.5;
            EXPECT_NEAR(major, std::max(width, height) / 2, 1e-9);
            EXPECT_NEAR(major * e.ratio, std::min(width, height) / 2, 1e-9);
        }
    }
}

TEST(DxfSurface, ColoursAndWidthsBecomeCadColoursAndStandardWeights) {
    bool exact = false;
    EXPECT_EQ(dxfColourIndex({255, 0, 0}, exact), 1);
    EXPECT_TRUE(exact);
    EXPECT_EQ(dxfColourIndex({0, 0, 0}, exact), 7);
    EXPECT_TRUE(exact);
    EXPECT_EQ(dxfColourIndex({192, 192, 192}, exact), 9);
    EXPECT_EQ(dxfColourIndex({255, 225, 225}, exact), 255);
    EXPECT_FALSE(exact); // a pale colour: the exact colour goes beside the index
    EXPECT_EQ(dxfLineWeight(0.35), 35);
    EXPECT_EQ(dxfLineWeight(0.176), 18);
    EXPECT_EQ(dxfLineWeight(5), 211);

    std::vector<DxfEntity> out;
    DxfSurface surface(0.25, 100);
    surface.setTarget(&out);
    surface.setPen(Pen::solid({255, 225, 225}, 4));
    surface.moveTo(0, 0);
    surface.lineTo(40, 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].style.lineWeight, 100);
    ASSERT_TRUE(out[0].style.trueColour);
    EXPECT_EQ(*out[0].style.trueColour, 0xFFE1E1u);
    EXPECT_EQ(out[0].points[1], (DxfPoint{10, 100}));
}

TEST(DxfWriter, AFileThatCannotBeWrittenIsSaid) {
    test::ScriptedUserInterface ui;
    test::TemporaryFolder folder;
    std::string error;
    EXPECT_FALSE(writeDxfFile(DxfDrawing{}, folder / "absent" / "plan.dxf", error));
    EXPECT_NE(error.find("Impossible d'écrire"), std::string::npos) << error;

    saoDoc document;
    ASSERT_TRUE(document.open({}));
    Folio& folio = *document.folios.front();
    folio.acquire();
    EXPECT_FALSE(exportFolioDxf(folio, folder / "absent" / "plan.dxf"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Exporter en DXF");
    EXPECT_TRUE(exportFolioDxf(folio, folder / "plan.dxf"));
    EXPECT_EQ(ui.boxes.size(), 1u);
    // A failed export leaves the earlier file whole and nothing beside it.
    const auto written = std::filesystem::file_size(folder / "plan.dxf");
    std::filesystem::create_directory(folder / "plan.dxf.part"); // the file beside cannot be made
    EXPECT_FALSE(exportFolioDxf(folio, folder / "plan.dxf"));
    EXPECT_EQ(std::filesystem::file_size(folder / "plan.dxf"), written);
    std::filesystem::remove(folder / "plan.dxf.part");
    test::DxfReader reader;
    EXPECT_TRUE(reader.readFile(folder / "plan.dxf"));
    folio.release(false);
    document.close();

    EXPECT_EQ(suggestedDxfPath("/plans/usine.dls", "3/A"), std::filesystem::path("/plans/usine-3_A.dxf"));
    EXPECT_EQ(suggestedDxfPath({}, ""), std::filesystem::path("Sans titre.dxf"));
}

TEST(DxfWriter, LargeFoliosShowTheProgressGauge) {
    test::ScriptedUserInterface ui;
    test::TemporaryFolder folder;
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    Folio& folio = *document.folios.front();
    folio.acquire();
    scene::fillFolio(folio, 2500, {0, 0, 2000000, 2000000});
    EXPECT_TRUE(exportFolioDxf(folio, folder / "grand.dxf"));
    ASSERT_EQ(ui.progressStarts.size(), 1u);
    EXPECT_EQ(ui.progressStarts[0].first, 2500);
    ASSERT_FALSE(ui.progressPositions.empty());
    EXPECT_EQ(ui.progressPositions.back(), 2500);
    EXPECT_EQ(ui.progressResets, 1);
    folio.release(false);
    document.close();
}

// A library symbol drawn through its own editing document.
void writeSymbolDrawing(LibNode& symbol, const std::function<void(Folio&)>& fill) {
    saoDoc drawing(&symbol);
    ASSERT_TRUE(drawing.open({}));
    Folio& page = *drawing.folios.front();
    page.acquire();
    fill(page);
    page.release(true);
    ASSERT_TRUE(drawing.commit(true));
    drawing.close();
}

std::unique_ptr<Shape> instanceOf(LibNode& symbol, Folio& folio, Point at) {
    auto instance = std::make_unique<Shape>(kSymbol, &folio);
    instance->createKindRecord();
    instance->infoSymbole->name = symbol.name;
    instance->infoSymbole->node = &symbol;
    EXPECT_TRUE(symbolResolver()->acquireAndBuildLabels(*instance, symbol));
    instance->points = {at, at};
    rebuildGeometry(*instance);
    return instance;
}

TEST(DxfSymbols, EachSymbolIsOneBlockInsertedWhereverItStands) {
    test::ScriptedUserInterface ui;
    test::TemporaryFolder folder;
    Lib lib(folder.path().string());
    lib.scanLocation();
    installLibrary(&lib);
    LibNode* library = lib.createNode(*lib.location, NodeKind::Library, "essai");
    ASSERT_NE(library, nullptr);
    LibNode* relay = lib.createNode(*library, NodeKind::Symbol, "RELAIS");
    ASSERT_NE(relay, nullptr);
    // A 40 × 20-point box with a terminal on its left side and a text zone.
    writeSymbolDrawing(*relay, [](Folio& page) {
        auto box = scene::makeObject(kRectangle, 0, 0, 0);
        box->points = {{0, 0}, {40000, 20000}};
        box->style.set(kShadow, kNoColour);
        box->setText("");
        rebuildGeometry(*box);
        page.append(std::move(box));
        auto terminal = scene::makeObject(kTerminal, 0, 0, 0);
        terminal->points = {{0, 10000}, {0, 10000}};
        terminal->setText("A1");
        rebuildGeometry(*terminal);
        page.append(std::move(terminal));
        auto zone = scene::makeObject(kTextZone, 0, 0, 0);
        zone->points = {{20000, 10000}, {20000, 10000}};
        zone->setText(utf8ToCp1252("Repère"));
        rebuildGeometry(*zone);
        page.append(std::move(zone));
    });
    {
        saoDoc document;
        ASSERT_TRUE(document.open({}));
        Folio& folio = *document.folios.front();
        folio.acquire();
        folio.append(instanceOf(*relay, folio, {100000, 100000}));
        auto turned = instanceOf(*relay, folio, {300000, 100000});
        turned->angle = 90;
        turned->epx = 10000; // stretched across the folio after the quarter turn
        rebuildGeometry(*turned);
        SymbolDrawing drawing;
        ASSERT_TRUE(symbolDrawingOf(*turned, drawing));
        const double stretched = 1 + 10000.0 / drawing.halfSize().x;
        const std::size_t labels = turned->infoSymbole->labels.size();
        for (Shape* instance : {folio.objects.front().get(), turned.get()})
            for (Etiquette& label : instance->infoSymbole->labels)
                label.text = "K1";
        folio.append(std::move(turned));

        test::DxfReader dxf;
        ASSERT_TRUE(dxf.readText(dxfText(folioDxf(folio))));
        ASSERT_EQ(dxf.blocks.count("RELAIS"), 1u);
        const auto& block = dxf.blocks.at("RELAIS");
        const auto terminal = std::find_if(block.begin(), block.end(), [](auto& e) { return e.type == "POINT"; });
        ASSERT_NE(terminal, block.end());
        EXPECT_EQ(terminal->layer, dxflayer::kTerminals);
        EXPECT_GE(block.size(), 2u);

        std::vector<test::ReadDxfEntity> inserts;
        for (const auto& e : dxf.entities)
            if (e.type == "INSERT")
                inserts.push_back(e);
        ASSERT_EQ(inserts.size(), 2u);
        for (const auto& insert : inserts) {
            EXPECT_EQ(insert.text, "RELAIS");
            EXPECT_EQ(insert.layer, dxflayer::kSymbols);
        }
        EXPECT_NEAR(inserts[0].x, 100 * kPointMm, 0.2);
        EXPECT_NEAR(inserts[0].y, 297 - 100 * kPointMm, 0.5);
        EXPECT_NEAR(inserts[0].angle, 0, 1e-9);
        EXPECT_NEAR(inserts[1].angle, 90, 1e-9);
        // The stretch along the folio's x axis is the block's y once turned,
        // measured on the drawing's half width as on screen.
        EXPECT_NEAR(inserts[1].scaleX, 1, 1e-9);
        EXPECT_NEAR(inserts[1].scaleY, stretched, 1e-9);
        // The labels follow each insert as attributes.
        std::size_t attributes = 0;
        for (const auto& e : dxf.entities)
            if (e.type == "ATTRIB") {
                ++attributes;
                EXPECT_EQ(e.tag.rfind("LIBELLE", 0), 0u) << e.tag;
            }
        EXPECT_GE(labels, 1u);
        EXPECT_GE(attributes, 2u);
        EXPECT_EQ(attributes % 2, 0u);
        folio.release(false);
        document.close();
    }
    installLibrary(nullptr);
}

} // namespace
} // namespace plexo
