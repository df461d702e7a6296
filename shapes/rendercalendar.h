// The calendar object (kind 22): months side by side, each a column with its
// title " Mois AAAA" and one row per day (day initial, day number, public
// holiday, day note with its marks and hatched background).
//
// Sizes follow the calendar tool, which makes a calendar m months across
// 20 × t points per month and 49.5 × t points high for a text size of t
// points: a title row and 32 rows of 1.5 × t points.
#pragma once

#include "shapes/point.h"

#include <string>

namespace plexo {

class Shape;
class Surface;

struct CalendarDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// Easter Sunday of a Gregorian year (1583 and later).
CalendarDate easterSunday(int year);

// The name of the public holiday on a date (UTF-8, e.g. "LUNDI PÂQUES"), or an
// empty string. Fixed holidays every year; Easter Monday, Ascension (Easter + 39
// days), Pentecost and Pentecost Monday from Easter.
std::string publicHoliday(int year, int month, int day);

int daysInMonth(int year, int month);
// 0 Monday .. 6 Sunday.
int weekday(int year, int month, int day);

// The French month name (UTF-8), "Janvier" .. "Décembre"; empty outside 1..12.
std::string monthName(int month);

// The number of months a calendar shows and its text size in points, as used by
// the drawing (the record's values brought into range).
int calendarMonthCount(const Shape& calendar);
int calendarTextSize(const Shape& calendar);

// Everything the calendar draws, in document units: its box (the two points)
// joined with the area of its month columns, widened by the pen.
Rect calendarExtent(const Shape& calendar);

// Draws the calendar (outside ghost mode; in ghost mode only the outline of its
// extent).
void drawCalendar(const Shape& calendar, Surface& surface, int zoom, bool inverse, bool ghost);

} // namespace plexo
