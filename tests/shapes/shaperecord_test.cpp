#include "shapes/shaperecord.h"

#include "base/buffer.h"
#include "shapes/fontlist.h"
#include "shapes/shape.h"
#include "shapes/symbolresolver.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace plexo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes record(const Shape& shape) {
    Buffer b;
    writeShape(shape, b);
    b.allocateMeasured();
    writeShape(shape, b);
    EXPECT_FALSE(b.failed());
    EXPECT_EQ(b.writePos(), b.capacity());
    return b.detachBlock();
}

std::unique_ptr<Shape> readBack(const Bytes& bytes, bool* ok = nullptr, std::int32_t* consumed = nullptr) {
    auto shape = std::make_unique<Shape>();
    Buffer b(bytes);
    const bool read = readShape(*shape, b);
    if (ok)
        *ok = read;
    if (consumed)
        *consumed = b.readPos();
    return shape;
}

void int32(Bytes& out, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
}

void text(Bytes& out, std::string_view s) {
    int32(out, static_cast<std::int32_t>(s.size()));
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
}

// A shape with two points, no text and a style without font: its common part
// is 4 + 1 + 20 + 4 + 4 + 4 + 16 = 53 bytes.
constexpr std::size_t kCommonPart = 53;

std::unique_ptr<Shape> plain(int kind) {
    auto s = std::make_unique<Shape>(kind);
    s->style = objectDefaultStyle();
    s->style.font = 0;
    s->setApplicability();
    s->points = {{1000, 2000}, {3000, 4000}};
    s->id = 9;
    return s;
}

// Symbols known to the fake library: name -> number of terminals of its drawing.
class FakeLibrary : public SymbolResolver {
public:
    FakeLibrary() { previous_ = setSymbolResolver(this); }
    ~FakeLibrary() override { setSymbolResolver(previous_); }

    SymbolNode* findSymbol(const std::string& name) override {
        auto it = terminals.find(name);
        return it == terminals.end() ? nullptr : node(name);
    }
    bool acquireAndBuildLabels(Shape& instance, SymbolNode& n) override {
        ++acquired;
        for (auto& [name, count] : terminals) {
            if (node(name) != &n)
                continue;
            for (int i = 0; i < count; ++i) {
                auto label = std::make_unique<Shape>(kTerminal, instance.folio);
                label->setText("B" + std::to_string(i + 1));
                label->createKindRecord();
                label->infoBorne->owner = &instance;
                instance.infoSymbole->labels.emplace_back("", std::move(label));
            }
        }
        return true;
    }
    void releaseSymbol(Shape&, SymbolNode&) override { ++released; }

    SymbolNode* node(const std::string& name) { return reinterpret_cast<SymbolNode*>(&storage_[name]); }

    std::map<std::string, int> terminals;
    int acquired = 0;
    int released = 0;

private:
    std::map<std::string, int> storage_;
    SymbolResolver* previous_;
};

class ShapeRecordTest : public ::testing::Test {
protected:
    void SetUp() override { fontList().setInstalledFonts({"Arial", "Courier New", "Times New Roman"}); }
};

TEST_F(ShapeRecordTest, LineRecordIs68Bytes) {
    Shape line(kLine);
    line.id = 1;
    line.style = objectDefaultStyle();
    line.setApplicability();
    line.points = {{10000, 20000}, {-5, 7}};
    const Bytes bytes = record(line);
    ASSERT_EQ(bytes.size(), 68u);
    Bytes expected;
    int32(expected, 1);
    expected.push_back(0);
    int32(expected, 1000);
    for (std::uint8_t b : {0, 0, 255, 0, 255, 0, 0, 0})
        expected.push_back(b);
    expected.push_back(15);
    for (char c : std::string("Times New Roman"))
        expected.push_back(static_cast<std::uint8_t>(c));
    expected.push_back(0);
    int32(expected, 9);
    expected.push_back(0);
    expected.push_back(0);
    int32(expected, 0); // angle
    int32(expected, 0); // text length
    int32(expected, 2);
    int32(expected, 10000);
    int32(expected, 20000);
    int32(expected, -5);
    int32(expected, 7);
    EXPECT_EQ(bytes, expected);

    bool ok = false;
    std::int32_t consumed = 0;
    auto back = readBack(bytes, &ok, &consumed);
    ASSERT_TRUE(ok);
    EXPECT_EQ(consumed, 68);
    EXPECT_EQ(back->id, 1);
    EXPECT_EQ(back->style.font, 3);
    EXPECT_EQ(back->points, line.points);
    EXPECT_TRUE(back->style.isUnset(kLineWidth)); // flags are the caller's to rebuild
}

TEST_F(ShapeRecordTest, FontsAreStoredByName) {
    Shape s(kText);
    s.style = objectDefaultStyle();
    s.style.font = 0;
    EXPECT_EQ(record(s).size(), 68u - 15 - 4 - 16 + 4); // no points, name length 0 and one zero byte
    s.style.font = 40;                                  // outside the list: written as unknown
    EXPECT_EQ(record(s).size(), 37u);

    // A face that is not installed here comes back by name and is written again.
    Shape other(kText);
    other.style = objectDefaultStyle();
    fontList().setInstalledFonts({"Arial", "Bodoni MT"});
    other.style.font = 2;
    const Bytes stored = record(other);
    fontList().setInstalledFonts({"Arial", "Zapf"});
    auto back = readBack(stored);
    EXPECT_EQ(fontList().faceName(back->style.font), "Bodoni MT");
    EXPECT_EQ(fontList().fontIndexByName("Zapf"), 2); // installed faces keep their index
    EXPECT_EQ(record(*back), stored);
}

TEST_F(ShapeRecordTest, KindPartLayouts) {
    struct Case {
        int kind;
        std::function<void(Shape&)> fill;
        Bytes part;
    };
    Bytes symbolPart;
    text(symbolPart, "K1");
    int32(symbolPart, 1);
    text(symbolPart, "L1");
    int32(symbolPart, 7);
    int32(symbolPart, 2);
    symbolPart.push_back('x');
    symbolPart.push_back('y');
    int32(symbolPart, 5);
    int32(symbolPart, 6);

    Bytes calendarPart;
    for (std::int32_t v : {2026, 12, 2027, 1, 8, 3, 1, 24, 12, 2026})
        int32(calendarPart, v);
    text(calendarPart, "No\xEBl"); // Windows-1252
    for (std::uint8_t b : {1, 0, 1})
        calendarPart.push_back(b);

    Bytes sequencePart;
    for (std::int32_t v : {2, 1, 59, 30000, 0, 0, 2, 0, -1, 0, 0})
        int32(sequencePart, v);

    Bytes wirePart;
    int32(wirePart, 3);
    int32(wirePart, 0);

    const Case cases[] = {
        {kDibPicture,
         [](Shape& s) {
             s.dib = std::make_unique<saoDib>(Bytes{1, 2, 3});
         },
         {3, 0, 0, 0, 1, 2, 3}},
        {kDibPicture, [](Shape&) {}, {0, 0, 0, 0}},
        {kSymbol,
         [](Shape& s) {
             s.createKindRecord();
             s.infoSymbole->name = "K1";
             auto label = std::make_unique<Shape>(kTerminal);
             label->id = 7;
             s.infoSymbole->labels.emplace_back("L1", std::move(label));
             s.infoSymbole->block = "xy";
             s.epx = 5;
             s.epy = 6;
         },
         symbolPart},
        {kWire,
         [](Shape& s) {
             s.createKindRecord();
             s.infoFil->amontId = 3;
         },
         wirePart},
        {kCable,
         [](Shape& s) {
             s.createKindRecord();
             s.infoFil->amontId = 3;
         },
         wirePart},
        {kChordGrid,
         [](Shape& s) {
             s.style.tuning = {0, 2, 2, 1, 9, 0};
             s.style.indeterminate.set(kTuning0 + 3);
             s.style.unset.set(kTuning0 + 4);
         },
         {0, 2, 2, 0, 0, 0}},
        {kTablature, [](Shape& s) { s.style.tuning = {4, 11, 7, 2, 9, 4}; }, {4, 11, 7, 2, 9, 4}},
        {kCalendar,
         [](Shape& s) {
             s.infoCalendrier = std::make_unique<InfoCalendrier>();
             *s.infoCalendrier = {{}, 2026, 12, 2027, 1, 8, 3};
             RDV note;
             note.day = 24;
             note.month = 12;
             note.year = 2026;
             note.text = "No\xEBl";
             note.mark1 = 1;
             note.hatched = 1;
             s.infoCalendrier->notes.push_back(note);
         },
         calendarPart},
        {kSequence,
         [](Shape& s) {
             s.createKindRecord();
             s.infoSequence->events = {{1, 59, 30000}, {2, 0, -1}};
         },
         sequencePart},
        {kMetafilePicture, [](Shape& s) { s.picture = std::make_unique<ShapePicture>(); }, {}},
        {kBitmapPicture, [](Shape& s) { s.picture = std::make_unique<ShapePicture>(); }, {}},
        {kTerminal, [](Shape& s) { s.createKindRecord(); }, {}},
        {kUnusedKind, [](Shape&) {}, {}},
        {kMidiShortcut, [](Shape&) {}, {}},
        {kSymbolText, [](Shape& s) { s.createKindRecord(); }, {}},
    };
    FakeLibrary library;
    library.terminals["K1"] = 1;
    for (const Case& c : cases) {
        auto s = plain(c.kind);
        c.fill(*s);
        const Bytes bytes = record(*s);
        ASSERT_GE(bytes.size(), kCommonPart) << c.kind;
        EXPECT_EQ(bytes[4], c.kind);
        EXPECT_EQ(Bytes(bytes.begin() + kCommonPart, bytes.end()), c.part) << "kind " << c.kind;

        bool ok = false;
        std::int32_t consumed = 0;
        auto back = readBack(bytes, &ok, &consumed);
        ASSERT_TRUE(ok) << c.kind;
        EXPECT_EQ(static_cast<std::size_t>(consumed), bytes.size()) << c.kind;
        back->setApplicability();
        EXPECT_EQ(record(*back), bytes) << "round trip of kind " << c.kind;
    }
}

TEST_F(ShapeRecordTest, RoundTripKeepsTheKindRecords) {
    auto calendar = plain(kCalendar);
    calendar->infoCalendrier = std::make_unique<InfoCalendrier>();
    RDV note;
    note.text = "rdv";
    note.mark2 = 1;
    calendar->infoCalendrier->notes = {note, note};
    calendar->infoCalendrier->notes[1].day = 31;
    auto cal = readBack(record(*calendar));
    ASSERT_TRUE(cal->infoCalendrier);
    ASSERT_EQ(cal->infoCalendrier->notes.size(), 2u);
    EXPECT_EQ(cal->infoCalendrier->notes[0].text, "rdv");
    EXPECT_EQ(cal->infoCalendrier->notes[0].mark2, 1);
    EXPECT_EQ(cal->infoCalendrier->notes[1].day, 31);
    EXPECT_EQ(cal->infoCalendrier->monthCount, 3);

    auto wire = plain(kWire);
    wire->createKindRecord();
    wire->joinLabels("A", "B");
    auto w = readBack(record(*wire));
    ASSERT_TRUE(w->infoFil);
    EXPECT_EQ(w->infoFil->amont, nullptr);
    EXPECT_EQ(w->infoFil->aval, nullptr);
    EXPECT_EQ(w->infoFil->amontId, 0);
    EXPECT_EQ(w->infoFil->avalId, 0);
    EXPECT_EQ(w->data, "A\tB");

    auto grid = plain(kChordGrid);
    grid->style.tuning = {1, 2, 3, 4, 5, 6};
    grid->style.indeterminate.set(kTuning0);
    auto g = readBack(record(*grid));
    EXPECT_EQ(g->style.tuning, (std::array<std::uint8_t, 6>{0, 2, 3, 4, 5, 6}));
    for (int s = 0; s < kTuningStrings; ++s)
        EXPECT_TRUE(g->style.isUsable(kTuning0 + s));

    for (int kind : {kMetafilePicture, kBitmapPicture}) {
        auto pic = plain(kind);
        pic->picture = std::make_unique<ShapePicture>(ShapePicture{1, 1, {1, 2, 3, 4}});
        auto p = readBack(record(*pic));
        EXPECT_EQ(p->picture, nullptr);
        EXPECT_EQ(p->kind, kind);
    }

    auto dib = plain(kDibPicture);
    dib->dib = std::make_unique<saoDib>(Bytes(100, 7));
    auto d = readBack(record(*dib));
    ASSERT_TRUE(d->dib);
    EXPECT_EQ(d->dib->block(), Bytes(100, 7));

    auto terminal = plain(kTextZone);
    auto t = readBack(record(*terminal));
    ASSERT_TRUE(t->infoBorne); // a fresh link record: no owner, no wire
    EXPECT_EQ(t->infoBorne->owner, nullptr);
}

TEST_F(ShapeRecordTest, SymbolLabelsFollowTheCurrentDrawing) {
    FakeLibrary library;
    library.terminals["Relais"] = 2;

    auto stored = [](std::vector<std::pair<std::string, std::int32_t>> labels, const std::string& name) {
        auto s = plain(kSymbol);
        s->createKindRecord();
        s->infoSymbole->name = name;
        s->infoSymbole->block = "blk";
        s->epx = 11;
        s->epy = 12;
        for (auto& [text, id] : labels) {
            auto label = std::make_unique<Shape>(kTerminal);
            label->id = id;
            s->infoSymbole->labels.emplace_back(text, std::move(label));
        }
        return record(*s);
    };

    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::int32_t>> labels;
        std::string name;
        std::vector<std::string> texts; // labels after reading
        std::vector<std::int32_t> ids;
    };
    const Case cases[] = {
        {"more stored", {{"K1", 10}, {"K2", 11}, {"K3", 12}}, "Relais", {"K1", "K2"}, {10, 11}},
        {"fewer stored", {{"K1", 10}}, "Relais", {"K1", ""}, {10, 0}},
        {"same", {{"a", 1}, {"b", 2}}, "Relais", {"a", "b"}, {1, 2}},
        {"missing symbol", {{"K1", 10}}, "Absent", {}, {}},
    };
    for (const Case& c : cases) {
        const int acquiredBefore = library.acquired;
        bool ok = false;
        std::int32_t consumed = 0;
        const Bytes bytes = stored(c.labels, c.name);
        {
            auto back = readBack(bytes, &ok, &consumed);
            ASSERT_TRUE(ok) << c.what;
            EXPECT_EQ(static_cast<std::size_t>(consumed), bytes.size()) << c.what;
            ASSERT_TRUE(back->infoSymbole) << c.what;
            const InfoSymbole& info = *back->infoSymbole;
            EXPECT_EQ(info.name, c.name);
            EXPECT_EQ(info.block, "blk");
            EXPECT_EQ(back->epx, 11);
            EXPECT_EQ(back->epy, 12);
            EXPECT_EQ(info.node != nullptr, c.name == "Relais") << c.what;
            ASSERT_EQ(info.labels.size(), c.texts.size()) << c.what;
            for (std::size_t i = 0; i < c.texts.size(); ++i) {
                EXPECT_EQ(info.labels[i].text, c.texts[i]) << c.what << " " << i;
                EXPECT_EQ(info.labels[i].shape->id, c.ids[i]) << c.what << " " << i;
                EXPECT_EQ(info.labels[i].shape->data, "B" + std::to_string(i + 1)); // default text kept
            }
        }
        const int acquisitions = library.acquired - acquiredBefore;
        EXPECT_EQ(acquisitions, c.name == "Relais" ? 1 : 0) << c.what;
    }
    EXPECT_EQ(library.released, library.acquired);
}

TEST_F(ShapeRecordTest, SymbolWithoutResolverHasNoNode) {
    auto s = plain(kSymbol);
    s->createKindRecord();
    s->infoSymbole->name = "Relais";
    bool ok = false;
    auto back = readBack(record(*s), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(back->infoSymbole->node, nullptr);
}

TEST_F(ShapeRecordTest, CalendarNoteTextIsCappedAt199) {
    auto s = plain(kCalendar);
    s->infoCalendrier = std::make_unique<InfoCalendrier>();
    RDV note;
    note.text = std::string(300, 'n');
    s->infoCalendrier->notes = {note};
    EXPECT_EQ(record(*s).size(), kCommonPart + 7 * 4 + 3 * 4 + 4 + 199 + 1 + 3); // written capped

    // A note of 250 characters written by someone else: 199 kept, the next note intact.
    Bytes bytes = record(*plain(kLine));
    bytes[4] = kCalendar;
    for (std::int32_t v : {2026, 1, 2026, 1, 1, 3, 2})
        int32(bytes, v);
    for (int n = 0; n < 2; ++n) {
        for (std::int32_t v : {5, 6, 2026})
            int32(bytes, v);
        text(bytes, std::string(n == 0 ? 250 : 3, 'x'));
        for (std::uint8_t b : {0, 1, 0})
            bytes.push_back(b);
    }
    bool ok = false;
    auto back = readBack(bytes, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(back->infoCalendrier->notes.size(), 2u);
    EXPECT_EQ(back->infoCalendrier->notes[0].text.size(), 199u);
    EXPECT_EQ(back->infoCalendrier->notes[1].text, "xxx");
    EXPECT_EQ(back->infoCalendrier->notes[1].mark2, 1);
}

TEST_F(ShapeRecordTest, HostileCountsAndLengthsAreRejected) {
    // Offsets inside a record of `plain` (font name length 0): text length at 29,
    // point count at 33.
    auto patched = [](int kind, std::size_t at, std::int32_t value, std::function<void(Shape&)> fill = {}) {
        auto s = plain(kind);
        if (fill)
            fill(*s);
        Bytes bytes = record(*s);
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
        return bytes;
    };
    auto withLabel = [](Shape& s) {
        s.createKindRecord();
        s.infoSymbole->labels.emplace_back("", std::make_unique<Shape>(kTerminal));
    };
    auto withNote = [](Shape& s) {
        s.infoCalendrier = std::make_unique<InfoCalendrier>();
        s.infoCalendrier->notes.resize(1);
    };
    auto withEvent = [](Shape& s) {
        s.createKindRecord();
        s.infoSequence->events.resize(1);
    };
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const std::size_t part = kCommonPart;
    const Case cases[] = {
        {"text length huge", patched(kLine, 29, 0x7FFFFFF0)},
        {"text length negative", patched(kLine, 29, -1)},
        {"point count huge", patched(kLine, 33, 0x10000000)},
        {"point count negative", patched(kLine, 33, -2)},
        {"point count one too many", patched(kLine, 33, 3)},
        {"bitmap size huge", patched(kDibPicture, part, 0x7FFFFFFF)},
        {"bitmap size negative", patched(kDibPicture, part, -4)},
        {"symbol name length huge", patched(kSymbol, part, 0x7FFFFFFF)},
        {"label count huge", patched(kSymbol, part + 5, 0x7FFFFFFF, withLabel)},
        {"label count negative", patched(kSymbol, part + 5, -1, withLabel)},
        {"label text huge", patched(kSymbol, part + 9, 0x7FFFFFFF, withLabel)},
        {"private block huge", patched(kSymbol, part + 9, 0x7FFFFFFF)},
        {"note count huge", patched(kCalendar, part + 24, 0x7FFFFFFF, withNote)},
        {"note count negative", patched(kCalendar, part + 24, -7, withNote)},
        {"note text huge", patched(kCalendar, part + 40, 0x7FFFFFFF, withNote)},
        {"event count huge", patched(kSequence, part, 0x7FFFFFFF, withEvent)},
        {"event count one too many", patched(kSequence, part, 2, withEvent)},
    };
    FakeLibrary library;
    for (const Case& c : cases) {
        bool ok = true;
        readBack(c.bytes, &ok);
        EXPECT_FALSE(ok) << c.what;
    }

    // An unknown kind cannot be skipped: the record is refused.
    Bytes unknown = record(*plain(kLine));
    unknown[4] = 25;
    bool ok = true;
    readBack(unknown, &ok);
    EXPECT_FALSE(ok);
}

TEST_F(ShapeRecordTest, EveryTruncationIsRefused) {
    FakeLibrary library;
    library.terminals["S"] = 1;
    std::vector<std::unique_ptr<Shape>> shapes;
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        auto s = plain(kind);
        s->createKindRecord();
        s->setText("txt");
        if (s->infoSymbole)
            s->infoSymbole->name = "S";
        if (s->infoSequence)
            s->infoSequence->events.resize(2);
        if (s->infoCalendrier)
            s->infoCalendrier->notes.resize(1);
        if (kind == kDibPicture)
            s->dib = std::make_unique<saoDib>(Bytes(10, 1));
        const Bytes full = record(*s);
        for (std::size_t n = 0; n < full.size(); ++n) {
            bool ok = true;
            readBack(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)), &ok);
            EXPECT_FALSE(ok) << "kind " << kind << " cut at " << n;
        }
    }
    EXPECT_EQ(library.released, library.acquired);
}

// The records of every kind, written back to back, are kept as the seeds of the
// shape record fuzz target; they must not change unless the layout does
// (PLEXO_UPDATE_SEEDS=1 rewrites them).
TEST_F(ShapeRecordTest, SeedRecordsMatchTheLayout) {
    FakeLibrary library;
    library.terminals["Seau"] = 2;
    std::map<std::string, Bytes> seeds;
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        auto s = plain(kind);
        s->style = objectDefaultStyle();
        s->setApplicability();
        s->createKindRecord();
        s->setText(kind == kWire ? std::string("X1\tX2") : std::string("n"));
        if (s->infoSymbole) {
            s->infoSymbole->name = "Seau";
            s->infoSymbole->block = std::string("\x01\x02\x03\x04", 4);
            for (int i = 0; i < 2; ++i) {
                auto label = std::make_unique<Shape>(kTerminal);
                label->id = 10 + i;
                s->infoSymbole->labels.emplace_back("L" + std::to_string(i), std::move(label));
            }
        }
        if (s->infoFil)
            s->infoFil->amontId = 2;
        if (s->infoCalendrier) {
            *s->infoCalendrier = {{}, 2026, 12, 2026, 12, 8, 3};
            RDV note;
            note.text = "rdv";
            s->infoCalendrier->notes.push_back(note);
        }
        if (s->infoSequence)
            s->infoSequence->events = {{0, 5, 1000}};
        if (kind == kDibPicture)
            s->dib = std::make_unique<saoDib>(Bytes(44, 0));
        const Bytes bytes = record(*s);
        seeds["every_kind.bin"].insert(seeds["every_kind.bin"].end(), bytes.begin(), bytes.end());
        if (kind == kLine || kind == kSymbol || kind == kCalendar)
            seeds["kind" + std::to_string(kind) + ".bin"] = bytes;
    }
    // From the source tree: __FILE__ may be relative to a build folder the
    // tests do not run in.
    const auto folder = test::sourceDir() / "tests" / "fuzz" / "seeds" / "shaperecord_fuzz";
    const bool update = std::getenv("PLEXO_UPDATE_SEEDS") != nullptr;
    if (update)
        std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : seeds) {
        const auto path = folder / name;
        if (update) {
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
            continue;
        }
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        const Bytes stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(stored, bytes) << name;
    }
    // The stream of every kind reads back record by record to its end.
    Buffer all(seeds["every_kind.bin"]);
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        Shape s;
        ASSERT_TRUE(readShape(s, all)) << kind;
        EXPECT_EQ(s.kind, kind);
    }
    EXPECT_EQ(all.remaining(), 0);
}

} // namespace
} // namespace plexo
