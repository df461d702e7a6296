#include "shapes/rendercalendar.h"

#include "base/textcodec.h"
#include "shapes/primitives.h"
#include "shapes/render.h"
#include "shapes/renderhelpers.h"

#include <cstdio>

namespace plexo {

using namespace render;

namespace {

// Sizes per point of text size, as the calendar tool makes them.
constexpr std::int32_t kMonthWidth = 20000; // one month column
constexpr std::int32_t kCalendarHeight = 49500;
constexpr std::int32_t kRowHeight = 1500; // one day row; the title takes two
constexpr int kTitleRows = 2;
constexpr int kDayRows = 31;
constexpr int kDefaultTextSize = 9;
constexpr int kDefaultMonthCount = 3;
constexpr int kMaxMonthCount = 12;
constexpr int kMaxTextSize = 200;
constexpr int kFirstGregorianYear = 1583;
constexpr const char* kDayInitials = "LMMJVSD"; // Monday first

// Where the parts of a day row start, in tenths of the text size.
constexpr int kInitialAt = 3;
constexpr int kNumberEnd = 34;
constexpr int kSeparatorAt = 38;
constexpr int kTextAt = 43;
constexpr int kMarkSize = 8;

const char* const kMonthNames[12] = {"Janvier", "Février", "Mars",      "Avril",   "Mai",      "Juin",
                                     "Juillet", "Août",    "Septembre", "Octobre", "Novembre", "Décembre"};

struct FixedHoliday {
    int month;
    int day;
    const char* name;
};

const FixedHoliday kFixedHolidays[] = {
    {1, 1, "JOUR DE L'AN"}, {5, 1, "FËTE DU TRAVAIL"}, {5, 8, "VICTOIRE 1945"},   {7, 14, "FËTE NATIONALE"},
    {8, 15, "ASSOMPTION"},  {11, 1, "TOUSSAINT"},      {11, 11, "VICTOIRE 1918"}, {12, 25, "NOËL"},
};

struct MovableHoliday {
    int daysAfterEaster;
    const char* name;
};

const MovableHoliday kMovableHolidays[] = {
    {0, "PÂQUES"}, {1, "LUNDI PÂQUES"}, {39, "ASCENSION"}, {49, "PENTECÔTE"}, {50, "LUNDI PENTECÔTE"},
};

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::int32_t clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

std::string cp1252(const char* utf8) {
    return utf8ToCp1252(utf8);
}

// The longest start of text that fits in width pixels.
std::string fitted(Surface& surface, const std::string& text, int width) {
    if (width <= 0)
        return {};
    if (surface.textExtent(text).width <= width)
        return text;
    std::size_t lo = 0, hi = text.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (surface.textExtent(std::string_view(text).substr(0, mid)).width <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.substr(0, lo);
}

} // namespace

CalendarDate easterSunday(int year) {
    const int a = year % 19, b = year / 100, c = year % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return {year, month, day};
}

std::string publicHoliday(int year, int month, int day) {
    std::string name;
    auto add = [&](const char* holiday) {
        if (!name.empty())
            name += " - ";
        name += holiday;
    };
    for (const FixedHoliday& h : kFixedHolidays) {
        if (h.month == month && h.day == day)
            add(h.name);
    }
    if (year >= kFirstGregorianYear) {
        const CalendarDate easter = easterSunday(year);
        const std::int64_t offset =
            daysFromCivil(year, month, day) - daysFromCivil(year, easter.month, easter.day);
        for (const MovableHoliday& h : kMovableHolidays) {
            if (h.daysAfterEaster == offset)
                add(h.name);
        }
    }
    return name;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

int weekday(int year, int month, int day) {
    const std::int64_t days = daysFromCivil(year, month, day);
    return static_cast<int>(((days + 3) % 7 + 7) % 7); // 1970-01-01 was a Thursday
}

std::string monthName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : std::string();
}

int calendarMonthCount(const Shape& calendar) {
    return calendar.infoCalendrier ? std::clamp(calendar.infoCalendrier->monthCount, 1, kMaxMonthCount)
                                   : kDefaultMonthCount;
}

int calendarTextSize(const Shape& calendar) {
    return calendar.style.isUsable(kFontSize) ? std::clamp(calendar.style.fontSize, 1, kMaxTextSize)
                                              : kDefaultTextSize;
}

Rect calendarExtent(const Shape& calendar) {
    if (calendar.points.empty())
        return {};
    Rect box = calendar.points.size() >= 2 ? normalised(calendar.points[0], calendar.points[1])
                                           : Rect{calendar.points[0].x, calendar.points[0].y,
                                                  calendar.points[0].x, calendar.points[0].y};
    const std::int64_t t = calendarTextSize(calendar);
    const std::int64_t right =
        std::max<std::int64_t>(box.right, box.left + kMonthWidth * t * calendarMonthCount(calendar));
    const std::int64_t bottom = std::max<std::int64_t>(box.bottom, box.top + kCalendarHeight * t);
    const std::int64_t pen = calendar.style.isUsable(kLineWidth) ? lineWidthUnits(calendar.style) : 0;
    return {clamp32(box.left - pen), clamp32(box.top - pen), clamp32(right + pen), clamp32(bottom + pen)};
}

void drawCalendar(const Shape& calendar, Surface& surface, int zoom, bool inverse, bool ghost) {
    if (calendar.points.empty())
        return;
    const Style& style = calendar.style;
    const Point corner = calendar.points.size() >= 2
                             ? Point{std::min(calendar.points[0].x, calendar.points[1].x),
                                     std::min(calendar.points[0].y, calendar.points[1].y)}
                             : calendar.points[0];
    const std::int32_t t = calendarTextSize(calendar);
    const int months = calendarMonthCount(calendar);
    const std::int64_t width = std::int64_t{kMonthWidth} * t, row = std::int64_t{kRowHeight} * t;
    auto px = [&](std::int64_t v) { return plexo::toPixels(clamp32(v), zoom); };
    auto at = [&](std::int64_t x, std::int64_t y) { return Rect{px(x), px(y), px(x), px(y)}; };
    auto area = [&](std::int64_t l, std::int64_t top, std::int64_t r, std::int64_t b) {
        return Rect{px(l), px(top), px(r), px(b)};
    };
    const std::int64_t x0 = corner.x, y0 = corner.y;
    const Rect all = area(x0, y0, x0 + width * months, y0 + kCalendarHeight * t);
    const int extra = extraPixel(zoom);
    if (ghost) {
        frame(surface, all);
        return;
    }
    const int fill = colourIndex(style, kFillColour);
    if (fill != kNoColour) {
        surface.setPen(Pen::null());
        if (selectFillBrush(surface, paletteColour(fill, inverse), static_cast<int>(item(style, kPattern))))
            surface.rectangle(grown(all, extra));
    }
    const int lineColour = colourIndex(style, kColour);
    const Pen pen = linePen(style, zoom, inverse);
    const Rgb textColour = paletteColour(colourIndex(style, kTextColour), inverse);
    Font font = styleFont(style, zoom, 0);
    font.height = toPixelsAtLeastOne(t * kUnitsPerPoint, zoom);
    Font bold = font;
    bold.weight = 700;
    surface.setBackgroundMode(BackgroundMode::Transparent);

    const InfoCalendrier* info = calendar.infoCalendrier.get();
    const int firstYear = info ? std::clamp(info->year, 1, 9999) : 2000;
    const int firstMonth = info ? std::clamp(info->month, 1, 12) : 1;
    const CalendarDate marked =
        info ? CalendarDate{info->secondYear, info->secondMonth, info->day} : CalendarDate{};
    auto tenths = [&](int v) { return std::int64_t{v} * t * kUnitsPerPoint / 10; };

    for (int k = 0; k < months; ++k) {
        const int index = firstMonth - 1 + k;
        const int year = firstYear + index / 12, month = index % 12 + 1;
        const std::int64_t left = x0 + width * k, right = left + width;
        // Title.
        surface.setFont(bold);
        surface.setTextColour(textColour);
        char title[64];
        std::snprintf(title, sizeof title, " %s %04d", cp1252(kMonthNames[month - 1]).c_str(), year);
        const int titleHeight = surface.textExtent(title).height;
        const Rect titleRow = area(left, y0, right, y0 + kTitleRows * row);
        surface.textOut(titleRow.left, (titleRow.top + titleRow.bottom - titleHeight) / 2,
                        fitted(surface, title, titleRow.right - titleRow.left));
        surface.setFont(font);
        const int h = surface.textExtent("0").height;
        const int days = daysInMonth(year, month);
        for (int day = 1; day <= days; ++day) {
            const std::int64_t top = y0 + (kTitleRows + day - 1) * row;
            const Rect line = area(left, top, right, top + row);
            const int wd = weekday(year, month, day);
            const std::string holiday = publicHoliday(year, month, day);
            // The day's notes: texts joined, marks and hatching combined.
            std::string notes;
            bool mark1 = false, mark2 = false, hatched = false;
            if (info) {
                for (const RDV& note : info->notes) {
                    if (note.year != year || note.month != month || note.day != day)
                        continue;
                    if (!note.text.empty()) {
                        if (!notes.empty())
                            notes += "; ";
                        notes += note.text.substr(0, RDV::kMaxText);
                    }
                    mark1 = mark1 || note.mark1;
                    mark2 = mark2 || note.mark2;
                    hatched = hatched || note.hatched;
                }
            }
            if (wd == 6 || !holiday.empty()) {
                surface.setPen(Pen::null());
                surface.setBrush(Brush::solid(paletteColour(wd == 6 ? 12 : 9, inverse)));
                surface.rectangle(grown(line, extra));
            }
            if (hatched) {
                surface.setPen(Pen::null());
                surface.setBrush(
                    Brush::hatch(BrushStyle::BackwardDiagonal,
                                 paletteColour(lineColour == kNoColour ? kBlack : lineColour, inverse)));
                surface.rectangle(grown(area(left + tenths(kSeparatorAt), top, right, top + row), extra));
            }
            const int textTop = (line.top + line.bottom - h) / 2;
            const Rgb dayColour = wd == 6 || !holiday.empty() ? paletteColour(kRed, inverse) : textColour;
            surface.setTextColour(dayColour);
            const char initial[2] = {kDayInitials[wd], 0};
            surface.textOut(px(left + tenths(kInitialAt)), textTop, initial);
            char number[16];
            std::snprintf(number, sizeof number, "%d", day);
            surface.textOut(px(left + tenths(kNumberEnd)) - surface.textExtent(number).width, textTop,
                            number);
            // Marks on the right: mark 1 a red dot, mark 2 a blue square.
            std::int64_t textRight = right - tenths(2);
            const std::int64_t mark = tenths(kMarkSize);
            const std::int64_t markTop = top + (row - mark) / 2;
            if (mark1) {
                textRight -= mark;
                surface.setPen(Pen::null());
                surface.setBrush(Brush::solid(paletteColour(kRed, inverse)));
                surface.ellipse(grown(area(textRight, markTop, textRight + mark, markTop + mark), extra));
                textRight -= tenths(2);
            }
            if (mark2) {
                textRight -= mark;
                surface.setPen(Pen::null());
                surface.setBrush(Brush::solid(paletteColour(kBlue, inverse)));
                surface.rectangle(grown(area(textRight, markTop, textRight + mark, markTop + mark), extra));
                textRight -= tenths(2);
            }
            std::string text = cp1252(holiday.c_str());
            if (!notes.empty())
                text += text.empty() ? notes : " " + notes;
            if (!text.empty()) {
                const int from = px(left + tenths(kTextAt));
                const std::string shown = fitted(surface, text, px(textRight) - from);
                if (!holiday.empty()) {
                    // The holiday's name in red, the notes after it in the text colour.
                    const std::string name = cp1252(holiday.c_str()).substr(0, shown.size());
                    surface.setTextColour(paletteColour(kRed, inverse));
                    surface.textOut(from, textTop, name);
                    if (shown.size() > name.size()) {
                        surface.setTextColour(textColour);
                        surface.textOut(from + surface.textExtent(name).width, textTop,
                                        shown.substr(name.size()));
                    }
                } else {
                    surface.setTextColour(textColour);
                    surface.textOut(from, textTop, shown);
                }
            }
            if (marked == CalendarDate{year, month, day}) {
                surface.setPen(Pen::solid(paletteColour(kRed, inverse), std::max(2, pen.width)));
                frame(surface, {line.left + 1, line.top + 1, line.right - 1, line.bottom - 1});
            }
        }
        if (lineColour == kNoColour)
            continue;
        // Grid: the column, the title row, the day rows and the number column.
        surface.setPen(pen);
        const std::int64_t bottom = y0 + std::int64_t{kCalendarHeight} * t;
        frame(surface, area(left, y0, right, bottom));
        for (int r = 0; r <= kDayRows; ++r) {
            const Rect y = at(left, y0 + (kTitleRows + r) * row);
            surface.moveTo(px(left), y.top);
            surface.lineTo(px(right), y.top);
        }
        const int separator = px(left + tenths(kSeparatorAt));
        const Rect firstRow = at(left, y0 + kTitleRows * row);
        surface.moveTo(separator, firstRow.top);
        surface.lineTo(separator, px(y0 + (kTitleRows + kDayRows) * row));
    }
}

} // namespace plexo
