// The values of "Gestion du calendrier", without a window: the calendar's
// selected day, moved by a day or a month, and the note of that day with its
// two marks and its hatched background. The dialog works on a copy of the
// calendar's record, written into the calendar alone as one "modification".
#pragma once

#include "edit/shapeproperties.h"
#include "shapes/infocalendrier.h"

#include <string>

namespace plexo {

// The note of one day as the dialog edits it.
struct DayNote {
    std::string text; // UTF-8, at most RDV::kMaxText characters once stored
    bool mark1 = false;
    bool mark2 = false;
    bool hatched = false;
    friend bool operator==(const DayNote&, const DayNote&) = default;
};

class CalendarProperties {
public:
    explicit CalendarProperties(const InfoCalendrier& record);

    const InfoCalendrier& record() const { return record_; }
    int year() const { return record_.secondYear; }
    int month() const { return record_.secondMonth; }
    int day() const { return record_.day; }
    // "Mardi 4 Mars 2003".
    std::string selectedDayTitle() const;

    // The selected day's note (its first note); empty when it has none.
    DayNote note() const;
    // Keeps the note for the selected day: the day's first note takes it, an
    // empty note without marks removes it. The text is cut to what a note holds.
    PropertyProblem setNote(const DayNote& note);

    // Moves the selected day by days or months (a day past the end of the new
    // month becomes its last day), within the years 1 to 9999. The months shown
    // follow so that the selected day stays in view.
    void moveDays(int days);
    void moveMonths(int months);

private:
    void select(int year, int month, int day);

    InfoCalendrier record_;
};

// The record becomes the calendar's. False when it is the same.
bool applyCalendarProperties(saoDoc& document, Folio& folio, Shape& calendar, const InfoCalendrier& record);

} // namespace plexo
