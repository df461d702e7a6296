#include "edit/calendarproperties.h"

#include "base/textcodec.h"
#include "edit/propertystrings.h"
#include "shapes/rendercalendar.h"
#include "shapes/shape.h"
#include "store/edittransaction.h"
#include "store/undo.h"

#include <algorithm>
#include <cstdint>

namespace plexo {

namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;
constexpr int kMaxMonthsShown = 12;

const char* const kDayNames[] = {"Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi", "Dimanche"};

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CalendarDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

bool isNoteOf(const RDV& note, int year, int month, int day) {
    return note.year == year && note.month == month && note.day == day;
}

bool sameNotes(const RDV& a, const RDV& b) {
    return a.day == b.day && a.month == b.month && a.year == b.year && a.text == b.text &&
           a.mark1 == b.mark1 && a.mark2 == b.mark2 && a.hatched == b.hatched;
}

bool sameRecords(const InfoCalendrier& a, const InfoCalendrier& b) {
    return a.year == b.year && a.month == b.month && a.secondYear == b.secondYear &&
           a.secondMonth == b.secondMonth && a.day == b.day && a.monthCount == b.monthCount &&
           std::equal(a.notes.begin(), a.notes.end(), b.notes.begin(), b.notes.end(), sameNotes);
}

// Months counted from January of year 0.
std::int64_t monthIndex(int year, int month) {
    return std::int64_t{year} * 12 + (month - 1);
}

} // namespace

CalendarProperties::CalendarProperties(const InfoCalendrier& record) : record_(record) {
    // A damaged date is brought into range before anything moves from it.
    const int year = std::clamp(record_.secondYear, kFirstYear, kLastYear);
    const int month = std::clamp(record_.secondMonth, 1, 12);
    select(year, month, std::clamp(record_.day, 1, daysInMonth(year, month)));
}

std::string CalendarProperties::selectedDayTitle() const {
    return std::string(kDayNames[weekday(year(), month(), day())]) + " " + std::to_string(day()) + " " +
           monthName(month()) + " " + std::to_string(year());
}

DayNote CalendarProperties::note() const {
    for (const RDV& note : record_.notes)
        if (isNoteOf(note, year(), month(), day()))
            return {cp1252ToUtf8(note.text), note.mark1 != 0, note.mark2 != 0, note.hatched != 0};
    return {};
}

PropertyProblem CalendarProperties::setNote(const DayNote& note) {
    std::optional<std::string> text = toDocumentText(note.text);
    if (!text)
        return propstr::kUnstorableText;
    if (text->size() > static_cast<std::size_t>(RDV::kMaxText))
        text->resize(RDV::kMaxText);
    auto& notes = record_.notes;
    const auto found = std::find_if(notes.begin(), notes.end(),
                                    [this](const RDV& n) { return isNoteOf(n, year(), month(), day()); });
    if (text->empty() && !note.mark1 && !note.mark2 && !note.hatched) {
        if (found != notes.end())
            notes.erase(found);
        return {};
    }
    RDV& kept = found != notes.end() ? *found : notes.emplace_back();
    kept.year = year();
    kept.month = month();
    kept.day = day();
    kept.text = *text;
    kept.mark1 = note.mark1 ? 1 : 0;
    kept.mark2 = note.mark2 ? 1 : 0;
    kept.hatched = note.hatched ? 1 : 0;
    return {};
}

void CalendarProperties::moveDays(int days) {
    const std::int64_t first = daysFromCivil(kFirstYear, 1, 1);
    const std::int64_t last = daysFromCivil(kLastYear, 12, 31);
    const CalendarDate date =
        civilFromDays(std::clamp(daysFromCivil(year(), month(), day()) + days, first, last));
    select(date.year, date.month, date.day);
}

void CalendarProperties::moveMonths(int months) {
    const std::int64_t index = std::clamp(monthIndex(year(), month()) + months, monthIndex(kFirstYear, 1),
                                          monthIndex(kLastYear, 12));
    const int year = static_cast<int>(index / 12);
    const int month = static_cast<int>(index % 12) + 1;
    select(year, month, std::min(day(), daysInMonth(year, month)));
}

void CalendarProperties::select(int year, int month, int day) {
    record_.secondYear = year;
    record_.secondMonth = month;
    record_.day = day;
    // The months shown follow the selected day.
    const int shown = std::clamp(record_.monthCount, 1, kMaxMonthsShown);
    const std::int64_t selected = monthIndex(year, month);
    std::int64_t firstShown =
        monthIndex(std::clamp(record_.year, kFirstYear, kLastYear), std::clamp(record_.month, 1, 12));
    if (selected < firstShown)
        firstShown = selected;
    else if (selected >= firstShown + shown)
        firstShown = selected - shown + 1;
    record_.year = static_cast<int>(firstShown / 12);
    record_.month = static_cast<int>(firstShown % 12) + 1;
}

bool applyCalendarProperties(saoDoc& document, Folio& folio, Shape& calendar, const InfoCalendrier& record) {
    if (!calendar.infoCalendrier || sameRecords(*calendar.infoCalendrier, record))
        return false;
    EditTransaction edit(document, folio, kUndoModification);
    edit.modify(calendar, [&record](Shape& changed) { *changed.infoCalendrier = record; });
    edit.finish();
    return true;
}

} // namespace plexo
