// Chord grids (kind 20) and tablatures (kind 21), drawn from the guitar tuning of
// their style: one byte per string, from the low string to the high one, holding
// the fret pressed (0 open) or 255 for a string that is not played.
//
// A chord grid shows the six strings upright and five frets across its box, a
// dot on each pressed fret, the first fret's number on the left when the chord
// sits higher up the neck, and under each string "x" (not played), "o" (open) or
// the fret number. A tablature is one chord column: six horizontal strings,
// high string on top, with the fret number written on each played string.
#include "shapes/renderhelpers.h"

#include "shapes/render.h"

#include <cstdio>

namespace plexo::render {

namespace {

constexpr int kFretsShown = 5;
constexpr int kMaxFret = 99;
constexpr std::int32_t kThinLine = 1000;     // strings and frets: 1 point
constexpr std::int32_t kGridFontSize = 6000; // marks and numbers around a grid
constexpr std::int32_t kTabFontSize = 7000;  // fret numbers of a tablature
constexpr std::int32_t kBaseFretGap = 1000;  // between the base fret number and the dots
constexpr std::int32_t kMarksGap = 1500;     // between the grid and the marks below it

std::uint8_t stringValue(const Style& style, int string) {
    return style.isUsable(kTuning0 + string) ? style.tuning[static_cast<std::size_t>(string)] : kNoTuning;
}

Font smallFont(int height, int zoom) {
    Font font;
    font.height = toPixelsAtLeastOne(height, zoom);
    return font;
}

Rect boxOf(const Shape& shape, int zoom) {
    return normalised(render::toPixels(shape.points[0], zoom), render::toPixels(shape.points[1], zoom));
}

void selectLinePen(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    surface.setPen(ghost ? ghostPen()
                         : Pen::solid(paletteColour(colourIndex(shape.style, kColour), inverse),
                                      toPixelsAtLeastOne(kThinLine, zoom)));
}

} // namespace

void drawChordGrid(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    if (shape.points.size() < 2)
        return;
    const Rect box = boxOf(shape, zoom);
    const int w = box.right - box.left, h = box.bottom - box.top;
    auto stringX = [&](int s) { return box.left + s * w / 5; };
    auto fretY = [&](int f) { return box.top + f * h / kFretsShown; };
    selectLinePen(shape, surface, zoom, inverse, ghost);
    for (int s = 0; s < kTuningStrings; ++s) {
        surface.moveTo(stringX(s), box.top);
        surface.lineTo(stringX(s), box.bottom);
    }
    for (int f = 0; f <= kFretsShown; ++f) {
        surface.moveTo(box.left, fretY(f));
        surface.lineTo(box.right, fretY(f));
    }
    if (ghost)
        return;

    int lowest = kMaxFret, highest = 0;
    for (int s = 0; s < kTuningStrings; ++s) {
        const int v = stringValue(shape.style, s);
        if (v != kNoTuning && v > 0) {
            lowest = std::min(lowest, std::min(v, kMaxFret));
            highest = std::max(highest, std::min(v, kMaxFret));
        }
    }
    // The chord is shown from the nut unless it lies beyond the fifth fret.
    const int base = highest > kFretsShown ? lowest : 1;
    if (base == 1) {
        // The nut: a thicker top line, inside the point above the grid.
        const int thick = std::max(2, plexo::toPixels(kThinLine, zoom));
        surface.setPen(Pen::null());
        surface.setBrush(Brush::solid(paletteColour(colourIndex(shape.style, kColour), inverse)));
        surface.rectangle({box.left, box.top - thick + 1, box.right + 1, box.top + 1});
    }
    const Rgb lineColour = paletteColour(colourIndex(shape.style, kColour), inverse);
    const int radius = std::max(1, std::min(w / 5, h / kFretsShown) * 3 / 10);
    const int extra = extraPixel(zoom);
    surface.setPen(Pen::null());
    surface.setBrush(Brush::solid(lineColour));
    for (int s = 0; s < kTuningStrings; ++s) {
        const int v = stringValue(shape.style, s);
        if (v == kNoTuning || v == 0)
            continue;
        const int row = std::min(std::min(v, kMaxFret) - base, kFretsShown - 1);
        const int cx = stringX(s), cy = (fretY(row) + fretY(row + 1)) / 2;
        surface.ellipse({cx - radius, cy - radius, cx + radius + extra, cy + radius + extra});
    }

    surface.setFont(smallFont(kGridFontSize, zoom));
    surface.setTextColour(paletteColour(colourIndex(shape.style, kTextColour), inverse));
    surface.setBackgroundMode(BackgroundMode::Transparent);
    char text[16];
    if (base > 1) {
        std::snprintf(text, sizeof text, "%d", base);
        const Extent e = surface.textExtent(text);
        // Left of the dots that may sit on the first string.
        surface.textOut(box.left - radius - plexo::toPixels(kBaseFretGap, zoom) - e.width,
                        (fretY(0) + fretY(1) - e.height) / 2, text);
    }
    const int marksTop = box.bottom + plexo::toPixels(kMarksGap, zoom);
    for (int s = 0; s < kTuningStrings; ++s) {
        const int v = stringValue(shape.style, s);
        if (v == kNoTuning)
            std::snprintf(text, sizeof text, "x");
        else if (v == 0)
            std::snprintf(text, sizeof text, "o");
        else
            std::snprintf(text, sizeof text, "%d", std::min(v, kMaxFret));
        const Extent e = surface.textExtent(text);
        surface.textOut(stringX(s) - e.width / 2, marksTop, text);
    }
}

void drawTablature(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    if (shape.points.size() < 2)
        return;
    const Rect box = boxOf(shape, zoom);
    const int h = box.bottom - box.top;
    // String s (0 the low string) on line 5 - s, lines at the middle of six rows.
    auto stringY = [&](int s) {
        return box.top + (2 * (kTuningStrings - 1 - s) + 1) * h / (2 * kTuningStrings);
    };
    selectLinePen(shape, surface, zoom, inverse, ghost);
    for (int s = 0; s < kTuningStrings; ++s) {
        surface.moveTo(box.left, stringY(s));
        surface.lineTo(box.right, stringY(s));
    }
    if (ghost)
        return;
    surface.setFont(smallFont(kTabFontSize, zoom));
    surface.setTextColour(paletteColour(colourIndex(shape.style, kTextColour), inverse));
    // The number hides the string under it.
    surface.setBackgroundMode(BackgroundMode::Opaque);
    surface.setBackgroundColour(paletteColour(kWhite, inverse));
    char text[16];
    for (int s = 0; s < kTuningStrings; ++s) {
        const int v = stringValue(shape.style, s);
        if (v == kNoTuning)
            continue;
        std::snprintf(text, sizeof text, "%d", std::min<int>(v, kMaxFret));
        const Extent e = surface.textExtent(text);
        surface.textOut((box.left + box.right - e.width) / 2, stringY(s) - e.height / 2, text);
    }
}

} // namespace plexo::render
