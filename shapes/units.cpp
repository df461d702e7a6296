#include "shapes/units.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace plexo {

namespace {

std::int32_t clampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

struct Ratio {
    std::int64_t num;
    std::int64_t den;
};

// Document units per pixel at each zoom level, as a fraction.
Ratio unitsPerPixel(int zoomLevel) {
    switch (zoomLevel) {
    case 0:
        return {10000, 1};
    case 1:
        return {4000, 1};
    case 2:
        return {2000, 1};
    case 3:
        return {3000, 2};
    case 4:
        return {4000, 3};
    case 5:
        return {1000, 1};
    case 6:
        return {100000, 125};
    case 7:
        return {10000, 15};
    case 8:
        return {500, 1};
    default:
        return {1000, 1};
    }
}

} // namespace

std::int32_t pointsToMillimetres(std::int32_t v) {
    return clampToInt32(static_cast<std::int64_t>(v) * 127 / 360);
}

std::int32_t millimetresToPoints(std::int32_t v) {
    return clampToInt32(static_cast<std::int64_t>(v) * 360 / 127);
}

std::int32_t pointsToMillimetresRoundTrip(std::int32_t v) {
    std::int32_t r = pointsToMillimetres(v);
    if (millimetresToPoints(r) < v)
        ++r;
    if (millimetresToPoints(r) > v)
        --r;
    return r;
}

std::int32_t millimetresToPointsRoundTrip(std::int32_t v) {
    std::int32_t r = millimetresToPoints(v);
    if (pointsToMillimetres(r) < v)
        ++r;
    if (pointsToMillimetres(r) > v)
        --r;
    return r;
}

int zoomPercent(int zoomLevel) {
    static constexpr int kPercent[kZoomLevelCount] = {10, 25, 50, 66, 75, 100, 125, 150, 200};
    return zoomLevel >= 0 && zoomLevel < kZoomLevelCount ? kPercent[zoomLevel] : 100;
}

std::int32_t fromPixels(std::int32_t pixels, int zoomLevel) {
    const Ratio r = unitsPerPixel(zoomLevel);
    return clampToInt32(static_cast<std::int64_t>(pixels) * r.num / r.den);
}

std::int32_t toPixels(std::int32_t v, int zoomLevel) {
    const Ratio r = unitsPerPixel(zoomLevel);
    // v * den / num: level 3 is v * 2 / 3000, level 4 v * 3 / 4000, level 6
    // v * 125 / 100000, level 7 v * 15 / 10000.
    return clampToInt32(static_cast<std::int64_t>(v) * r.den / r.num);
}

std::int32_t toPixelsAtLeastOne(std::int32_t v, int zoomLevel) {
    const std::int32_t p = toPixels(v, zoomLevel);
    return p <= 0 ? 1 : p;
}

std::int32_t scaleSize(std::int32_t v, int zoomLevel) {
    const std::int64_t w = v;
    switch (zoomLevel) {
    case 0:
        return clampToInt32(w / 10);
    case 1:
        return clampToInt32(w / 4);
    case 2:
        return clampToInt32(w / 2);
    case 3:
        return clampToInt32(w * 2 / 3);
    case 4:
        return clampToInt32(w * 3 / 4);
    case 6:
        return clampToInt32(w * 125 / 100);
    case 7:
        return clampToInt32(w * 15 / 10);
    case 8:
        return clampToInt32(w * 2);
    default:
        return v;
    }
}

std::string formatDecimal(std::int32_t v) {
    std::int64_t a = std::llabs(static_cast<std::int64_t>(v));
    const std::int64_t lastDigit = a % 10;
    a -= lastDigit;
    if (lastDigit > 3)
        a += 10;
    const std::int64_t whole = a / 1000;
    std::int64_t c = a % 1000;
    // The sign is written even when the whole part is 0 ("-0,5").
    const char* sign = v < 0 && a != 0 ? "-" : "";
    char text[48];
    if (c == 0) {
        std::snprintf(text, sizeof text, "%s%lld", sign, static_cast<long long>(whole));
    } else if (c < 10) {
        std::snprintf(text, sizeof text, "%s%lld,00%lld", sign, static_cast<long long>(whole),
                      static_cast<long long>(c));
    } else if (c < 100) {
        if (c % 10 == 0)
            c /= 10;
        std::snprintf(text, sizeof text, "%s%lld,0%lld", sign, static_cast<long long>(whole),
                      static_cast<long long>(c));
    } else {
        if (c % 100 == 0)
            c /= 100;
        else if (c % 10 == 0)
            c /= 10;
        std::snprintf(text, sizeof text, "%s%lld,%lld", sign, static_cast<long long>(whole),
                      static_cast<long long>(c));
    }
    return text;
}

std::int32_t parseDecimal(std::string_view text) {
    std::int64_t whole = 0;
    std::int64_t decimals = 0;
    int decimalDigits = 0;
    bool inDecimals = false;
    bool negative = false;
    for (char ch : text) {
        if (ch == '-') {
            negative = true;
        } else if (ch == ',' || ch == '.') {
            inDecimals = true;
        } else if (ch >= '0' && ch <= '9') {
            if (!inDecimals) {
                whole = std::min<std::int64_t>(whole * 10 + (ch - '0'), INT32_MAX);
            } else if (decimalDigits < 3) {
                decimals = decimals * 10 + (ch - '0');
                ++decimalDigits;
            }
        }
    }
    if (decimalDigits == 1)
        decimals *= 100;
    else if (decimalDigits == 2)
        decimals *= 10;
    // The sign applies to the whole number, decimals included ("-0,25" is -250).
    const std::int64_t magnitude = whole * 1000 + decimals;
    return clampToInt32(negative ? -magnitude : magnitude);
}

} // namespace plexo
