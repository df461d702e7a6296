#include "store/folio.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/buffer.h"
#include "base/userinterface.h"
#include "shapes/shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace plexo {
namespace {

using test::makeShape;

TEST(FolioTest, HeaderIs1302BytesWithFieldsAtTheirOffsets) {
    Folio folio;
    folio.serial = 0x01020304;
    folio.number = "F10a";
    folio.date = "08/12/2026";
    folio.author = "Durand";
    folio.object = "Commande";
    folio.index = 'C';
    folio.titles = {"Titre un", "Titre deux", "Titre trois"};
    folio.revisionAuthors[9] = "Martin";
    folio.revisionDates[0] = "01/01/2020";
    folio.revisionObjects[4] = "Ajout";
    folio.pagesDown = 3;
    folio.pagesAcross = 2;
    Buffer measure;
    folio.writeHeader(measure);
    ASSERT_EQ(measure.writePos(), kFolioHeaderSize);
    measure.allocateMeasured();
    folio.writeHeader(measure);
    const std::uint8_t* b = measure.data();
    auto textAt = [&](int offset) { return std::string(reinterpret_cast<const char*>(b + offset)); };
    EXPECT_EQ(b[0], 0x04);
    EXPECT_EQ(b[3], 0x01);
    struct Field {
        int offset;
        const char* text;
    } fields[] = {
        {4, "F10a"},         {24, "08/12/2026"},      {39, "Durand"},       {69, "Commande"},
        {100, "Titre un"},   {250, "Titre deux"},     {400, "Titre trois"}, {550 + 9 * 30, "Martin"},
        {850, "01/01/2020"}, {1000 + 4 * 30, "Ajout"}};
    for (const auto& field : fields)
        EXPECT_EQ(textAt(field.offset), field.text) << "offset " << field.offset;
    EXPECT_EQ(b[99], 'C');
    EXPECT_EQ(b[1300], 3);
    EXPECT_EQ(b[1301], 2);

    Folio back;
    ASSERT_TRUE(back.readHeader(measure));
    EXPECT_EQ(back.serial, folio.serial);
    EXPECT_EQ(back.number, "F10a");
    EXPECT_EQ(back.titles[2], "Titre trois");
    EXPECT_EQ(back.revisionAuthors[9], "Martin");
    EXPECT_EQ(back.revisionObjects[4], "Ajout");
    EXPECT_EQ(back.index, 'C');
    EXPECT_EQ(back.pagesDown, 3);
    EXPECT_EQ(back.pagesAcross, 2);
}

TEST(FolioTest, OverlongTextsAreCutInsideTheirFieldAndZeroPageCountsReadAsOne) {
    Folio folio;
    folio.number = std::string(40, 'N');
    folio.pagesDown = 0;
    folio.pagesAcross = 0;
    Buffer buffer(kFolioHeaderSize);
    folio.writeHeader(buffer);
    ASSERT_FALSE(buffer.failed());
    Folio back;
    ASSERT_TRUE(back.readHeader(buffer));
    EXPECT_EQ(back.number, std::string(19, 'N'));
    EXPECT_EQ(back.pagesDown, 1);
    EXPECT_EQ(back.pagesAcross, 1);

    Buffer shortOne(kFolioHeaderSize - 1);
    Folio damaged;
    EXPECT_FALSE(damaged.readHeader(shortOne));
}

TEST(FolioTest, NumbersSortByPrefixValueAndSuffix) {
    std::vector<std::string> numbers = {"10", "F10", "F2", "F10a", "2", "G1", "", "A", "F10b", "F02"};
    std::stable_sort(numbers.begin(), numbers.end(),
                     [](const std::string& a, const std::string& b) { return Folio::isNumberBefore(a, b); });
    // F2 and F02 are equal (same prefix, value, no suffix) and keep their order.
    EXPECT_EQ(numbers,
              (std::vector<std::string>{"A", "F2", "F02", "F10", "F10a", "F10b", "G1", "", "2", "10"}));
    struct Case {
        const char* a;
        const char* b;
        bool before;
    } cases[] = {
        {"F2", "F10", true},  {"F10", "F2", false}, {"F10", "F10a", true}, {"F10a", "F10", false},
        {"F10a", "G1", true}, {"G1", "2", true},    {"2", "G1", false},    {"2", "10", true},
        {"F2", "F2", false},  {"f1", "F1", false},  {"F1", "f1", true},    {"3x", "3", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Folio::isNumberBefore(c.a, c.b), c.before) << c.a << " < " << c.b;
}

TEST(FolioTest, RenumbersObjectsAndSymbolLabelsThenRelinksWires) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    Folio folio;
    folio.append(makeShape(kRectangle, {{0, 0}, {1000, 1000}}));
    Shape& symbol = folio.append(test::makeSymbol(folio, "Moteur", {50000, 50000}));
    ASSERT_EQ(symbol.infoSymbole->labels.size(), 3u); // two terminals and a text zone
    Shape& wire = folio.append(makeShape(kWire, {{0, 5000}, {40000, 5000}}));
    Shape& spur = folio.append(makeShape(kWire, {{20000, 5000}, {20000, 30000}}));
    Shape* terminal1 = symbol.infoSymbole->labels[0].shape.get();
    Shape* terminal2 = symbol.infoSymbole->labels[1].shape.get();
    wire.infoFil->amont = terminal1;
    wire.infoFil->aval = terminal2;
    spur.infoFil->amont = &wire;

    folio.renumberObjects();
    EXPECT_EQ(folio.objects[0]->id, 1);
    EXPECT_EQ(symbol.id, 2);
    EXPECT_EQ(terminal1->id, 3);
    EXPECT_EQ(terminal2->id, 4);
    EXPECT_EQ(symbol.infoSymbole->labels[2].shape->id, 5);
    EXPECT_EQ(wire.id, 6);
    EXPECT_EQ(spur.id, 7);
    EXPECT_EQ(wire.infoFil->amontId, 3);
    EXPECT_EQ(wire.infoFil->avalId, 4);
    EXPECT_EQ(spur.infoFil->amontId, 6);
    EXPECT_EQ(spur.infoFil->avalId, 0);

    // Write and read back: the links come back from the numbers.
    Buffer buffer;
    folio.writeObjects(buffer, WhichObjects::All);
    buffer.allocateMeasured();
    folio.writeObjects(buffer, WhichObjects::All);
    Folio back;
    ASSERT_TRUE(back.readObjects(buffer, ReadMode::Load));
    back.relinkWires();
    ASSERT_EQ(back.objects.size(), 4u);
    Shape& backSymbol = *back.objects[1];
    Shape& backWire = *back.objects[2];
    Shape& backSpur = *back.objects[3];
    EXPECT_EQ(backWire.infoFil->amont, backSymbol.infoSymbole->labels[0].shape.get());
    EXPECT_EQ(backWire.infoFil->aval, backSymbol.infoSymbole->labels[1].shape.get());
    EXPECT_EQ(backSymbol.infoSymbole->labels[0].shape->infoBorne->wire, &backWire);
    EXPECT_EQ(backSymbol.infoSymbole->labels[1].shape->infoBorne->wire, &backWire);
    EXPECT_EQ(backSpur.infoFil->amont, &backWire);
    EXPECT_EQ(backSpur.infoFil->aval, nullptr);
    EXPECT_EQ(backWire.infoFil->attachedWires, std::vector<Shape*>{&backSpur});
}

TEST(FolioTest, ATerminalJoinsOnlyTheFirstWireThatNamesIt) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    Folio folio;
    Shape& symbol = folio.append(test::makeSymbol(folio, "Moteur", {0, 0}));
    Shape& first = folio.append(makeShape(kWire, {{0, 0}, {1000, 0}}));
    Shape& second = folio.append(makeShape(kWire, {{0, 0}, {0, 1000}}));
    folio.renumberObjects(); // symbol 1, labels 2..4, wires 5 and 6
    first.infoFil->amontId = 2;
    second.infoFil->amontId = 2;
    folio.relinkWires();
    EXPECT_EQ(first.infoFil->amont, symbol.infoSymbole->labels[0].shape.get());
    EXPECT_EQ(second.infoFil->amont, nullptr);
    EXPECT_EQ(symbol.infoSymbole->labels[0].shape->infoBorne->wire, &first);
}

TEST(FolioTest, UnresolvableSymbolsAreDroppedWithTheirMessages) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    test::RecordingLog log;
    Folio source;
    source.append(makeShape(kLine, {{0, 0}, {10, 10}}));
    source.append(test::makeSymbol(source, "Inconnu", {0, 0}));
    source.append(test::makeSymbol(source, "Vide", {0, 0}));
    source.append(test::makeSymbol(source, "Moteur", {0, 0}));
    auto bytes = test::objectListBytes(source);
    Buffer buffer{Buffer::Block(bytes)};
    Folio back;
    EXPECT_TRUE(back.readObjects(buffer, ReadMode::Load));
    ASSERT_EQ(back.objects.size(), 2u);
    EXPECT_EQ(back.objects[1]->infoSymbole->name, "Moteur");
    EXPECT_TRUE(log.contains("Attention, impossible de charger de symbole 'Inconnu' !"));
    EXPECT_TRUE(log.contains("Attention, symbole Vide incorrect !"));
    for (const auto& m : log.messages)
        if (m.text.rfind("Attention", 0) == 0) {
            EXPECT_EQ(m.severity, 1);
            EXPECT_TRUE(m.popUp);
        }
}

TEST(FolioTest, ReadingStopsAtADamagedRecordAndKeepsWhatWasRead) {
    Folio source;
    for (int i = 0; i < 3; ++i)
        source.append(makeShape(kRectangle, {{i, i}, {i + 100, i + 100}}));
    auto bytes = test::objectListBytes(source);
    struct Case {
        const char* what;
        std::size_t keep;     // bytes kept from the list
        std::size_t expected; // objects kept
    } cases[] = {
        {"cut inside the third record", bytes.size() - 10, 2},
        {"cut before the end marker", bytes.size() - 1, 3},
        {"cut inside the first record", 20, 0},
        {"empty", 0, 0},
    };
    for (const auto& c : cases) {
        test::RecordingLog log;
        Buffer buffer{Buffer::Block(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(c.keep))};
        Folio back;
        EXPECT_FALSE(back.readObjects(buffer, ReadMode::Load)) << c.what;
        EXPECT_EQ(back.objects.size(), c.expected) << c.what;
        EXPECT_FALSE(log.messages.empty()) << c.what;
    }
    // An unknown kind ends the list too.
    auto hostile = bytes;
    hostile[1 + 4] = 99; // kind byte of the first record
    Buffer buffer{Buffer::Block(hostile)};
    test::RecordingLog log;
    Folio back;
    EXPECT_FALSE(back.readObjects(buffer, ReadMode::Load));
    EXPECT_TRUE(back.objects.empty());
}

TEST(FolioTest, PastedObjectsAreSelectedNewAndChangedWithAnUndoCopyNotAlive) {
    Folio source;
    source.append(makeShape(kOval, {{0, 0}, {500, 500}}));
    auto bytes = test::objectListBytes(source);
    Buffer buffer{Buffer::Block(bytes)};
    test::ScriptedUserInterface ui;
    Folio back;
    ASSERT_TRUE(back.readObjects(buffer, ReadMode::Paste));
    ASSERT_EQ(back.objects.size(), 1u);
    const Shape& shape = *back.objects[0];
    EXPECT_TRUE(shape.alive && shape.isNew && shape.changed && shape.selected);
    EXPECT_EQ(shape.undo.points, shape.points);
    EXPECT_EQ(shape.folio, &back);
    EXPECT_TRUE(ui.progressPositions.empty()); // only a load advances the gauge
}

TEST(FolioTest, WritesAllOrSelectedAliveObjectsAsAMarkedList) {
    Folio folio;
    folio.append(makeShape(kLine, {{0, 0}, {10, 10}}));
    folio.append(makeShape(kLine, {{0, 0}, {20, 20}})).selected = true;
    folio.append(makeShape(kLine, {{0, 0}, {30, 30}})).alive = false;
    Buffer all;
    folio.writeObjects(all, WhichObjects::All);
    Buffer selected;
    folio.writeObjects(selected, WhichObjects::Selected);
    // A line with the default font is a 68-byte record, plus its marker.
    EXPECT_EQ(all.writePos(), 2 * 69 + 1);
    EXPECT_EQ(selected.writePos(), 69 + 1);
}

TEST(FolioTest, BandTestFindsSymbolEdgesStrictlyInsideTheBand) {
    Folio folio;
    auto symbol = std::make_unique<Shape>(kSymbol);
    symbol->outline = Rect{100, 200, 300, 400};
    folio.append(std::move(symbol));
    struct Case {
        std::int32_t x1, y1, x2, y2;
        bool free;
    } cases[] = {
        {150, 150, 250, 250, false}, // top edge inside
        {150, 450, 250, 350, false}, // bottom edge inside, band given upside down
        {150, 200, 250, 400, true},  // edges on the band's limits
        {50, 150, 250, 250, true},   // x1 left of the symbol
        {150, 150, 350, 250, true},  // x2 right of the symbol
        {100, 150, 300, 250, false}, // spans exactly
        {150, 250, 250, 350, true},  // band inside, no edge in it
    };
    for (const auto& c : cases)
        EXPECT_EQ(folio.isBandFreeOfSymbols(c.x1, c.y1, c.x2, c.y2), c.free)
            << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
}

TEST(FolioTest, ClipboardDataCarriesTheHeaderThenTheObjects) {
    Folio folio;
    folio.serial = 7;
    folio.number = "A1";
    folio.append(makeShape(kLine, {{0, 0}, {10, 10}}));
    auto data = folio.clipboardData();
    ASSERT_EQ(data.size(), static_cast<std::size_t>(kFolioHeaderSize + 69 + 1));
    Buffer buffer{Buffer::Block(data)};
    Folio back;
    ASSERT_TRUE(back.readClipboardData(buffer));
    EXPECT_EQ(back.number, "A1");
    EXPECT_EQ(back.serial, 7);
    ASSERT_EQ(back.objects.size(), 1u);
    EXPECT_EQ(back.objects[0]->id, 1);
}

TEST(FolioTest, DestroyingAnObjectDropsTheLinksToIt) {
    Folio folio;
    Shape& wire = folio.append(makeShape(kWire, {{0, 0}, {100, 0}}));
    Shape& spur = folio.append(makeShape(kWire, {{50, 0}, {50, 100}}));
    spur.infoFil->amont = &wire;
    wire.infoFil->attachedWires.push_back(&spur);
    wire.alive = false;
    folio.destroyDeadObjects();
    ASSERT_EQ(folio.objects.size(), 1u);
    EXPECT_EQ(spur.infoFil->amont, nullptr);
}

TEST(FolioTest, ExtentIsThePagesTimesThePageSize) {
    Folio loose;
    loose.pagesAcross = 2;
    EXPECT_EQ(loose.extent(), (Rect{0, 0, 2 * 595276, 841890})) << "an A4 portrait page without a document";
    saoDoc doc;
    doc.documentWidth = 1000;
    doc.documentHeight = 2000;
    Folio folio(&doc);
    folio.pagesAcross = 3;
    folio.pagesDown = 2;
    EXPECT_EQ(folio.extent(), (Rect{0, 0, 3000, 4000}));
    folio.pagesDown = 0;
    EXPECT_EQ(folio.extent(), (Rect{0, 0, 3000, 2000})) << "no pages count as one";
    doc.documentWidth = INT32_MAX / 2;
    folio.pagesAcross = 255;
    EXPECT_EQ(folio.extent().right, INT32_MAX) << "saturated";
}

} // namespace
} // namespace plexo
