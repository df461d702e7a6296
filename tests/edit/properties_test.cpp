// The values of the object property dialogs, without a window: lengths shown
// and read in the working unit, the checks, and what OK writes into the one
// object, undone as "la modification".
#include "edit/calendarproperties.h"
#include "edit/propertystrings.h"
#include "edit/shapeproperties.h"
#include "edit/symbolproperties.h"

#include "base/textcodec.h"
#include "shapes/units.h"
#include "store/undo.h"
#include "support/drawingfixture.h"

#include <gtest/gtest.h>

#include <string>

namespace plexo {
namespace {

constexpr const char* kUndoModificationText = "&Annuler la modification\tCtrl+Z";

TEST(PropertyLengths, AreShownAndReadInTheWorkingUnit) {
    struct Case {
        std::int32_t units;
        LengthScale scale;
        const char* shown;
    } cases[] = {
        {28346, {false, 1.0}, "28,35"}, {28346, {true, 1.0}, "10"}, // 10 mm
        {-14173, {true, 1.0}, "-5"},    {1000, {false, 1.0}, "1"},
        {0, {false, 1.0}, "0"},         {10000, {false, 2.5}, "25"}, // calibrated: 10 points stand for 25
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(showLength(c.units, c.scale), c.shown);
        PropertyProblem problem;
        const std::optional<std::int32_t> read = readLength(c.shown, c.scale, problem);
        ASSERT_TRUE(read) << problem;
        // What is read back shows the same.
        EXPECT_EQ(showLength(*read, c.scale), c.shown);
    }
    PropertyProblem problem;
    EXPECT_EQ(readLength(" 2.5 ", {false, 1.0}, problem), 2500);
    EXPECT_EQ(readLength("12,5", {true, 1.0}, problem), millimetresToPointsRoundTrip(12500));
}

TEST(PropertyLengths, RefuseWhatIsNotANumberOrOutOfRange) {
    for (const char* typed : {"", "abc", "1,2,3", "--1", "1-", "12 mm", ","}) {
        PropertyProblem problem;
        EXPECT_FALSE(readLength(typed, {false, 1.0}, problem)) << typed;
        EXPECT_EQ(problem, withValue(propstr::kNotANumber, typed)) << typed;
    }
    const std::pair<const char*, bool> tooLarge[] = {
        {"2000000", false}, {"99999999999999999999", false}, {"999999,999", true}};
    for (const auto& [typed, millimetres] : tooLarge) {
        PropertyProblem problem;
        EXPECT_FALSE(readLength(typed, {millimetres, 1.0}, problem)) << typed;
        EXPECT_EQ(problem, withValue(propstr::kOutOfRange, typed));
    }
    PropertyProblem inRange;
    EXPECT_EQ(readLength("999999,999", {false, 1.0}, inRange), 999999999);
    // A calibration cannot be made on an object without width, or with no length.
    EXPECT_FALSE(calibratedScale({0, 0, 0, 5000}, false, 1000));
    EXPECT_FALSE(calibratedScale({0, 0, 5000, 5000}, false, 0));
    const std::optional<LengthScale> scale = calibratedScale({0, 0, 20000, 5000}, true, 1000000);
    ASSERT_TRUE(scale);
    EXPECT_EQ(showLength(20000, *scale), showLength(1000000, {true, 1.0}));
}

class PropertiesTest : public ::testing::Test {
protected:
    std::string undoText() { return undoLabelFor(f.document, f.folio).text; }
    void undo() { undoAction(f.document); }

    test::DrawingFixture f;
};

TEST_F(PropertiesTest, ObjectPropertiesMoveAndStretchOnlyTheirObject) {
    Shape& box = f.add(kRectangle, {{10000, 20000}, {30000, 30000}}, "P1");
    Shape& other = f.add(kLine, {{0, 0}, {5000, 0}});
    const Rect otherOutline = other.outline;
    ObjectProperties values = loadObjectProperties(box);
    EXPECT_EQ(values.name, "P1");
    EXPECT_EQ(values.box, (Rect{10000, 20000, 30000, 30000}));

    values.name = "Pompe à eau";
    values.box = {0, 0, 40000, 5000};
    ASSERT_TRUE(applyObjectProperties(f.document, *f.folio, box, values));
    EXPECT_EQ(box.data, utf8ToCp1252("Pompe à eau"));
    EXPECT_EQ(box.points[0], (Point{0, 0}));
    EXPECT_EQ(box.points[1], (Point{40000, 5000}));
    EXPECT_EQ(other.outline, otherOutline);
    EXPECT_EQ(undoText(), kUndoModificationText);
    undo();
    EXPECT_EQ(box.data, "P1");
    EXPECT_EQ(box.points[1], (Point{30000, 30000}));

    // A horizontal line has no height: it moves down, it cannot be stretched.
    values = loadObjectProperties(other);
    values.box = {1000, 8000, 3000, 8000};
    ASSERT_TRUE(applyObjectProperties(f.document, *f.folio, other, values));
    EXPECT_EQ(other.points[0], (Point{1000, 8000}));
    EXPECT_EQ(other.points[1], (Point{3000, 8000}));
}

TEST_F(PropertiesTest, ObjectPropertiesRefuseAReversedBoxAndRecordNothingUnchanged) {
    Shape& box = f.add(kRectangle, {{10000, 20000}, {30000, 30000}}, "P1");
    ObjectProperties values = loadObjectProperties(box);
    EXPECT_FALSE(applyObjectProperties(f.document, *f.folio, box, values));
    EXPECT_FALSE(undoLabelFor(f.document, f.folio).enabled);
    values.box = {30000, 20000, 10000, 30000};
    EXPECT_EQ(checkObjectProperties(box, values), propstr::kReversedBox);
    EXPECT_FALSE(applyObjectProperties(f.document, *f.folio, box, values));
    values = loadObjectProperties(box);
    values.name = "\xe2\x82\xac ok"; // the euro sign is in Windows-1252
    EXPECT_EQ(checkObjectProperties(box, values), "");
    values.name = "\xe2\x88\x9e"; // infinity is not
    EXPECT_EQ(checkObjectProperties(box, values), propstr::kUnstorableText);
    EXPECT_EQ(box.points[1], (Point{30000, 30000}));
}

TEST_F(PropertiesTest, WireLabelsAreItsTwoEnds) {
    Shape& wire = f.add(kWire, {{0, 0}, {20000, 0}}, "A1\tB1");
    WireProperties values = loadWireProperties(wire);
    EXPECT_EQ(values.first, "A1");
    EXPECT_EQ(values.second, "B1");
    EXPECT_FALSE(applyWireProperties(f.document, *f.folio, wire, values));

    values = {"X\t1", "Y"};
    ASSERT_TRUE(applyWireProperties(f.document, *f.folio, wire, values));
    EXPECT_EQ(wire.data, "X 1\tY") << "a tab would split the first label";
    EXPECT_EQ(undoText(), kUndoModificationText);
    // Without a second label the text is the first alone.
    values = {"Z", ""};
    ASSERT_TRUE(applyWireProperties(f.document, *f.folio, wire, values));
    EXPECT_EQ(wire.data, "Z");
    undo();
    EXPECT_EQ(wire.data, "X 1\tY");
}

TEST_F(PropertiesTest, AMidiShortcutNeedsAPath) {
    Shape& shortcut = f.add(kMidiShortcut, {{0, 0}, {0, 0}}, "/musique/a.mid");
    EXPECT_EQ(loadMidiProperties(shortcut).path, "/musique/a.mid");
    EXPECT_EQ(checkMidiProperties({"  "}), propstr::kNoMidiPath);
    EXPECT_FALSE(applyMidiProperties(f.document, *f.folio, shortcut, {""}));
    ASSERT_TRUE(applyMidiProperties(f.document, *f.folio, shortcut, {" /musique/été.mid "}));
    EXPECT_EQ(shortcut.data, utf8ToCp1252("/musique/été.mid"));
    undo();
    EXPECT_EQ(shortcut.data, "/musique/a.mid");
}

TEST_F(PropertiesTest, SymbolPropertiesWriteNameLabelsAndCommentsAndUndoThem) {
    Shape& instance = f.addSymbol(f.twoTerminalSymbol(), {50000, 50000});
    ASSERT_EQ(instance.infoSymbole->labels.size(), 2u);
    instance.infoSymbole->labels[0].text = "L1";
    instance.infoSymbole->block = std::string("ancien\r\ncommentaire") + '\0';
    instance.takeUndoCopy();

    SymbolProperties values = loadSymbolProperties(instance);
    EXPECT_EQ(values.symbol, "relais");
    EXPECT_EQ(values.labels, (std::vector<std::string>{"L1", ""}));
    EXPECT_TRUE(values.commentsEditable);
    EXPECT_EQ(values.comments, "ancien\ncommentaire");
    EXPECT_FALSE(applySymbolProperties(f.document, *f.folio, instance, values));

    values.name = "K1";
    values.labels = {"L1", "Arrêt"};
    values.comments = "nouveau\nà voir";
    ASSERT_TRUE(applySymbolProperties(f.document, *f.folio, instance, values));
    EXPECT_EQ(instance.data, "K1");
    EXPECT_EQ(instance.infoSymbole->labels[1].text, utf8ToCp1252("Arrêt"));
    EXPECT_EQ(instance.infoSymbole->block, utf8ToCp1252("nouveau\r\nà voir") + '\0');
    EXPECT_EQ(undoText(), kUndoModificationText);
    undo();
    EXPECT_EQ(instance.data, "");
    EXPECT_EQ(instance.infoSymbole->labels[1].text, "");
    EXPECT_EQ(instance.infoSymbole->block, std::string("ancien\r\ncommentaire") + '\0');
}

TEST_F(PropertiesTest, ASymbolBlockHoldingOtherDataIsKeptByteForByte) {
    Shape& instance = f.addSymbol(f.twoTerminalSymbol(), {50000, 50000});
    const std::string binary("\x01\x02\0\x7f", 4);
    instance.infoSymbole->block = binary;
    SymbolProperties values = loadSymbolProperties(instance);
    EXPECT_FALSE(values.commentsEditable);
    values.comments = "ignoré";
    values.name = "K2";
    ASSERT_TRUE(applySymbolProperties(f.document, *f.folio, instance, values));
    EXPECT_EQ(instance.infoSymbole->block, binary);
    EXPECT_EQ(commentsOfBlock(""), "");
    EXPECT_FALSE(commentsOfBlock(std::string("a\0b", 3)));
}

InfoCalendrier calendarOn(int year, int month, int day) {
    InfoCalendrier record;
    record.year = record.secondYear = year;
    record.month = record.secondMonth = month;
    record.day = day;
    record.monthCount = 3;
    return record;
}

TEST(CalendarProperties, MoveByADayOrAMonthAndTheMonthsShownFollow) {
    struct Case {
        const char* what;
        InfoCalendrier start;
        int days, months;
        int year, month, day; // selected afterwards
        int shownYear, shownMonth;
    } cases[] = {
        {"next day", calendarOn(2024, 3, 4), 1, 0, 2024, 3, 5, 2024, 3},
        {"into the next year", calendarOn(2024, 12, 31), 1, 0, 2025, 1, 1, 2024, 12},
        {"back into February", calendarOn(2024, 3, 1), -1, 0, 2024, 2, 29, 2024, 2},
        {"31 January to the end of February", calendarOn(2023, 1, 31), 0, 1, 2023, 2, 28, 2023, 1},
        {"within the months shown", calendarOn(2023, 1, 10), 0, 2, 2023, 3, 10, 2023, 1},
        {"past the months shown", calendarOn(2023, 1, 10), 0, 3, 2023, 4, 10, 2023, 2},
        {"never before year 1", calendarOn(1, 1, 1), -1, -1, 1, 1, 1, 1, 1},
        {"never after 9999", calendarOn(9999, 12, 31), 1, 1, 9999, 12, 31, 9999, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CalendarProperties calendar(c.start);
        if (c.days)
            calendar.moveDays(c.days);
        if (c.months)
            calendar.moveMonths(c.months);
        EXPECT_EQ(calendar.year(), c.year);
        EXPECT_EQ(calendar.month(), c.month);
        EXPECT_EQ(calendar.day(), c.day);
        EXPECT_EQ(calendar.record().year, c.shownYear);
        EXPECT_EQ(calendar.record().month, c.shownMonth);
    }
    // A damaged date is brought into range first.
    CalendarProperties damaged(calendarOn(2023, 2, 45));
    EXPECT_EQ(damaged.day(), 28);
    EXPECT_EQ(damaged.selectedDayTitle(), "Mardi 28 Février 2023");
}

TEST(CalendarProperties, TheDayNoteIsKeptChangedAndRemoved) {
    InfoCalendrier record = calendarOn(2024, 5, 8);
    record.notes.push_back({8, 5, 2024, "ancienne", 0, 0, 0});
    record.notes.push_back({9, 5, 2024, "autre", 1, 0, 0});
    CalendarProperties calendar(record);
    EXPECT_EQ(calendar.note(), (DayNote{"ancienne", false, false, false}));
    EXPECT_EQ(calendar.setNote({"Réunion", true, false, true}), "");
    EXPECT_EQ(calendar.record().notes.size(), 2u);
    EXPECT_EQ(calendar.record().notes[0].text, utf8ToCp1252("Réunion"));
    EXPECT_EQ(calendar.record().notes[0].hatched, 1);
    // A new note for a day without one; its text is cut to what a note holds.
    calendar.moveDays(2);
    EXPECT_EQ(calendar.note(), DayNote{});
    EXPECT_EQ(calendar.setNote({std::string(250, 'x'), false, true, false}), "");
    ASSERT_EQ(calendar.record().notes.size(), 3u);
    EXPECT_EQ(calendar.record().notes[2].text.size(), static_cast<std::size_t>(RDV::kMaxText));
    EXPECT_EQ(calendar.record().notes[2].day, 10);
    // Nothing left in a note removes it.
    calendar.moveDays(-1);
    EXPECT_EQ(calendar.setNote({}), "");
    EXPECT_EQ(calendar.record().notes.size(), 2u);
    EXPECT_EQ(calendar.setNote({"\xe2\x88\x9e"}), propstr::kUnstorableText);
}

TEST_F(PropertiesTest, TheCalendarRecordIsWrittenAndUndone) {
    Shape& calendar = f.add(kCalendar, {{0, 0}, {60000, 99000}});
    *calendar.infoCalendrier = calendarOn(2024, 5, 8);
    calendar.takeUndoCopy();
    CalendarProperties values(*calendar.infoCalendrier);
    EXPECT_FALSE(applyCalendarProperties(f.document, *f.folio, calendar, values.record()));
    values.setNote({"Livraison", false, false, false});
    values.moveMonths(1);
    ASSERT_TRUE(applyCalendarProperties(f.document, *f.folio, calendar, values.record()));
    ASSERT_EQ(calendar.infoCalendrier->notes.size(), 1u);
    EXPECT_EQ(calendar.infoCalendrier->secondMonth, 6);
    EXPECT_EQ(undoText(), kUndoModificationText);
    undo();
    EXPECT_TRUE(calendar.infoCalendrier->notes.empty());
    EXPECT_EQ(calendar.infoCalendrier->secondMonth, 5);
    // Redo puts the note back.
    undo();
    EXPECT_EQ(calendar.infoCalendrier->notes.size(), 1u);
}

} // namespace
} // namespace plexo
