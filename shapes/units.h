// Document units and their conversions. 1000 document units are one typographic
// point (1/72 inch), one screen pixel at zoom 100 %; values shown to the user are
// in thousandths of a point or of a millimetre.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plexo {

constexpr std::int32_t kUnitsPerPoint = 1000;
constexpr int kZoomLevelCount = 9; // 10, 25, 50, 66, 75, 100, 125, 150, 200 %
constexpr int kZoom100 = 5;
constexpr int kNaturalSizeZoom = -1; // one document point to one output unit

// Thousandths of a point to thousandths of a millimetre (v * 127 / 360) and back
// (v * 360 / 127), truncated toward zero.
std::int32_t pointsToMillimetres(std::int32_t v);
std::int32_t millimetresToPoints(std::int32_t v);
// The same, corrected so that converting the result back gives the input where
// possible (r + 1 when the way back falls short, then r - 1 when it overshoots).
std::int32_t pointsToMillimetresRoundTrip(std::int32_t v);
std::int32_t millimetresToPointsRoundTrip(std::int32_t v);

// Zoom percentage of a level (100 for any other level).
int zoomPercent(int zoomLevel);
// Pixels to document units at a zoom level.
std::int32_t fromPixels(std::int32_t pixels, int zoomLevel);
// Document units to pixels, truncated toward zero.
std::int32_t toPixels(std::int32_t v, int zoomLevel);
// The same, but a result <= 0 becomes 1 (pen widths, font heights).
std::int32_t toPixelsAtLeastOne(std::int32_t v, int zoomLevel);
// Scales a size by the zoom factor alone (level 0: v / 10, ... 5: v, ... 8: v * 2),
// for pen widths and font heights already in output units.
std::int32_t scaleSize(std::int32_t v, int zoomLevel);

// A value in thousandths shown with a decimal comma: 1234 -> "1,24", 1000 -> "1",
// 1005 -> "1,01", 12500 -> "12,5" (text is ASCII).
std::string formatDecimal(std::int32_t v);
// A typed number back to thousandths: "12,5" -> 12500, "-0,25" -> -250; a "," or
// "." separates the decimals, at most three are kept, a "-" anywhere negates.
std::int32_t parseDecimal(std::string_view text);

} // namespace plexo
