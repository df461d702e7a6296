// Rendering of the kinds with their own drawing code: chord grids, tablatures,
// pictures and calendars, and of objects holding absurd values.
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

// ---- chord grids, tablatures, pictures ------------------------------------------------------

TEST(RenderGuitar, ChordGridDotsAndStringMarks) {
    auto grid = makeShape(kChordGrid, {{100000, 100000}, {130000, 130000}});
    grid->setApplicability();
    const std::uint8_t cMajor[6] = {255, 3, 2, 0, 1, 0};
    for (int s = 0; s < 6; ++s)
        grid->style.set(kTuning0 + s, cMajor[s]);
    RecordingSurface surface;
    draw(*grid, surface, 5, false);
    EXPECT_EQ(callsOf(surface, SurfaceOp::Ellipse).size(), 3u);
    EXPECT_EQ(textsOf(surface), (std::vector<std::string>{"x", "3", "2", "o", "1", "o"}));

    // Higher up the neck: the first fret shown is written left of the grid.
    const std::uint8_t barre[6] = {5, 7, 7, 6, 5, 5};
    for (int s = 0; s < 6; ++s)
        grid->style.set(kTuning0 + s, barre[s]);
    RecordingSurface high;
    draw(*grid, high, 5, false);
    const auto texts = callsOf(high, SurfaceOp::TextOut);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0]->text, "5");
    EXPECT_LT(texts[0]->args[0], 100);
    EXPECT_EQ(callsOf(high, SurfaceOp::Ellipse).size(), 6u);
}

TEST(RenderGuitar, TablatureWritesFretNumbersOnTheirStrings) {
    auto tab = makeShape(kTablature, {{100000, 100000}, {110000, 160000}});
    tab->setApplicability();
    const std::uint8_t frets[6] = {3, 255, 0, 0, 0, 12};
    for (int s = 0; s < 6; ++s)
        tab->style.set(kTuning0 + s, frets[s]);
    RecordingSurface surface;
    draw(*tab, surface, 5, false);
    // High string on top: 12 on the first line (y 105), the low string's 3 at the bottom (y 155).
    const auto texts = callsOf(surface, SurfaceOp::TextOut);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0]->text, "3");
    EXPECT_EQ(texts[0]->args[1], 155 - 7 / 2);
    EXPECT_EQ(texts[4]->text, "12");
    EXPECT_EQ(texts[4]->args[1], 105 - 7 / 2);
}

std::vector<std::uint8_t> dibBlock(int width, int height, int bits, std::vector<std::uint8_t> table,
                                   std::vector<std::uint8_t> pixels) {
    std::vector<std::uint8_t> b(40, 0);
    auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(0, 40, 4);
    put(4, static_cast<std::uint32_t>(width), 4);
    put(8, static_cast<std::uint32_t>(height), 4);
    put(12, 1, 2);
    put(14, static_cast<std::uint32_t>(bits), 2);
    put(32, static_cast<std::uint32_t>(table.size() / 4), 4);
    b.insert(b.end(), table.begin(), table.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

TEST(RenderPicture, DecodesIndexedAndTrueColourBitmapsOntoTheBox) {
    // One row of two pixels; table entries are blue, green, red, reserved.
    const std::vector<std::uint8_t> table{0, 0, 255, 0, 255, 0, 0, 0};
    struct Case {
        int bits;
        std::vector<std::uint8_t> table, pixels;
    };
    const Case cases[] = {
        {1, table, {0x40, 0, 0, 0}}, // pixels 0, 1
        {4, table, {0x01, 0, 0, 0}}, // pixels 0, 1
        {8, table, {0, 1, 0, 0}},
        {32, {}, {0, 0, 255, 0, 255, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        auto picture = makeShape(kDibPicture, {{10000, 20000}, {50000, 40000}});
        picture->dib = std::make_unique<saoDib>(dibBlock(2, 1, c.bits, c.table, c.pixels));
        std::vector<std::uint8_t> rgba;
        ASSERT_TRUE(picture->dib->decodeToRgba(rgba)) << c.bits;
        EXPECT_EQ(rgba, (std::vector<std::uint8_t>{255, 0, 0, 255, 0, 0, 255, 255})) << c.bits;
        RecordingSurface surface;
        draw(*picture, surface, 5, false);
        EXPECT_EQ(surface.drawingLines(), (Lines{"stretchBitmap(10,20,50,40,2,1)"})) << c.bits;
    }

    // A damaged block, a metafile or a ghost shows the 1-point frame only.
    auto broken = makeShape(kDibPicture, {{10000, 20000}, {50000, 40000}});
    broken->dib = std::make_unique<saoDib>(dibBlock(4000, 4000, 24, {}, {1, 2, 3}));
    RecordingSurface surface;
    draw(*broken, surface, 5, false);
    EXPECT_TRUE(callsOf(surface, SurfaceOp::StretchBitmap).empty());
    EXPECT_TRUE(contains(surface.drawingLines(), "lineTo(50,20)"));
}

// ---- calendar ---------------------------------------------------------------------------------

TEST(Calendar, EasterAndTheMovableHolidays) {
    const CalendarDate table[] = {{1997, 3, 30}, {1998, 4, 12}, {1999, 4, 4},  {2000, 4, 23}, {2001, 4, 15},
                                  {2002, 3, 31}, {2003, 4, 20}, {2004, 4, 11}, {2005, 3, 27}, {2006, 4, 16}};
    for (const CalendarDate& easter : table)
        EXPECT_EQ(easterSunday(easter.year), easter);
    EXPECT_EQ(easterSunday(2024), (CalendarDate{2024, 3, 31}));
    EXPECT_EQ(easterSunday(2038), (CalendarDate{2038, 4, 25})); // latest possible
    EXPECT_EQ(easterSunday(2285), (CalendarDate{2285, 3, 22})); // earliest possible

    struct Case {
        int year, month, day;
        const char* name;
    };
    const Case cases[] = {
        {1998, 4, 13, "LUNDI PÂQUES"},
        {1998, 5, 21, "ASCENSION"},
        {1998, 6, 1, "LUNDI PENTECÔTE"},
        {1998, 5, 31, "PENTECÔTE"},
        {2024, 4, 1, "LUNDI PÂQUES"},
        {2024, 5, 9, "ASCENSION"},
        {2024, 5, 20, "LUNDI PENTECÔTE"},
        {2026, 4, 6, "LUNDI PÂQUES"},
        {2026, 5, 14, "ASCENSION"},
        {2026, 5, 25, "LUNDI PENTECÔTE"},
        {2026, 7, 14, "FËTE NATIONALE"},
        {2026, 12, 25, "NOËL"},
        {2026, 1, 1, "JOUR DE L'AN"},
        {2026, 11, 11, "VICTOIRE 1918"},
        {2026, 5, 2, ""},
        {2008, 5, 1, "FËTE DU TRAVAIL - ASCENSION"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(publicHoliday(c.year, c.month, c.day), c.name) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(weekday(1998, 4, 13), 0);
    EXPECT_EQ(weekday(2026, 12, 8), 1);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
}

TEST(Calendar, DrawsMonthsNotesAndHolidaysInsideItsOutline) {
    auto calendar = makeShape(kCalendar, {{10000, 10000}, {20000, 20000}});
    calendar->style.fontSize = 8;
    calendar->style.fillColour = 15;
    auto& info = *calendar->infoCalendrier;
    info.year = 1998, info.month = 3, info.monthCount = 2;
    info.secondYear = 1998, info.secondMonth = 4, info.day = 20;
    RDV note;
    note.year = 1998, note.month = 4, note.day = 20;
    note.text = "R\xe9union";
    note.mark1 = 1, note.mark2 = 1, note.hatched = 1;
    info.notes.push_back(note);
    computeOutline(*calendar);
    RecordingSurface surface;
    draw(*calendar, surface, 5, false);
    const auto texts = textsOf(surface);
    auto has = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(has(" Mars 1998"));
    EXPECT_TRUE(has(" Avril 1998"));
    EXPECT_TRUE(has(utf8ToCp1252("LUNDI PÂQUES")));
    EXPECT_TRUE(has("R\xe9union"));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "L"), 9); // Mondays of March and April 1998
    EXPECT_TRUE(contains(surface.lines(), "setBrush(bdiagonal,#000000)"));

    // Every coordinate lies inside the outline.
    const Rect o{calendar->outline.left / 1000, calendar->outline.top / 1000, calendar->outline.right / 1000,
                 calendar->outline.bottom / 1000};
    for (const SurfaceCall& call : surface.calls()) {
        if (!call.isDrawing() && call.op != SurfaceOp::MoveTo)
            continue;
        const std::size_t coordinates =
            call.op == SurfaceOp::Rectangle || call.op == SurfaceOp::Ellipse ? 4
            : call.op == SurfaceOp::TextOut || call.op == SurfaceOp::MoveTo || call.op == SurfaceOp::LineTo
                ? 2
                : call.args.size();
        for (std::size_t i = 0; i + 1 < coordinates; i += 2) {
            EXPECT_GE(call.args[i], o.left) << call.toString();
            EXPECT_LE(call.args[i], o.right) << call.toString();
            EXPECT_GE(call.args[i + 1], o.top) << call.toString();
            EXPECT_LE(call.args[i + 1], o.bottom) << call.toString();
        }
        if (call.op == SurfaceOp::TextOut) {
            RecordingSurface measure;
            measure.setFont({"", 8});
            EXPECT_LE(call.args[0] + measure.textExtent(call.text).width, o.right) << call.toString();
        }
    }
}

// ---- damaged values -------------------------------------------------------------------------

TEST(RenderDamaged, AbsurdValuesDrawWithoutFault) {
    const std::int32_t far = 2147000000;
    const std::vector<std::vector<Point>> geometries = {
        {},
        {{far, far}},
        {{-far, -far}, {far, far}},
        {{far, -far}, {-far, far}, {far, far}, {0, 0}},
    };
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        for (const auto& points : geometries) {
            auto shape = makeShape(kind, points, std::string(300, 'a') + "\r\n\t;");
            Style& s = shape->style;
            s.markAllSet();
            s.lineWidth = 0xffffffffu;
            s.lineType = 200;
            s.colour = 200;
            s.fillColour = 17;
            s.textColour = 99;
            s.shadow = 250;
            s.pattern = 99;
            s.arrow1 = 200;
            s.arrow2 = 8;
            s.font = 100000;
            s.fontSize = -5;
            s.fontStyle = 0xff;
            s.textAlign = 200;
            s.tuning = {200, 0, 255, 99, 1, 24};
            shape->angle = 45;
            if (shape->infoCalendrier) {
                shape->infoCalendrier->year = -40000;
                shape->infoCalendrier->month = 99;
                shape->infoCalendrier->monthCount = 1 << 30;
            }
            for (int zoom : {-1, 0, 5, 8}) {
                RecordingSurface surface;
                draw(*shape, surface, zoom, false);
                draw(*shape, surface, zoom, true);
                drawHandles(*shape, surface, RenderContext::atZoom(zoom));
                // Pens stay within 1000 points, labels within 254 bytes, calendars
                // within 12 months.
                int titles = 0;
                for (const SurfaceCall& call : surface.calls()) {
                    if (call.op == SurfaceOp::SetPen) {
                        EXPECT_LE(call.args[1], 2000) << "kind " << kind;
                    }
                    if (call.op == SurfaceOp::TextOut && kind != kText && kind != kCalendar) {
                        EXPECT_LE(call.text.size(), kMaxLabelBytes) << "kind " << kind;
                    }
                    titles += call.op == SurfaceOp::TextOut && call.text.rfind(" Janvier", 0) == 0;
                }
                EXPECT_LE(titles, 2) << "kind " << kind; // twelve months hold at most two Januaries
            }
        }
    }
}

} // namespace
} // namespace plexo
