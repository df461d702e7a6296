#include "shapes/contentfit.h"

#include "shapes/fontlist.h"
#include "shapes/geometry.h"
#include "shapes/renderhelpers.h"
#include "shapes/shape.h"
#include "shapes/textmeasurer.h"
#include "shapes/units.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace plexo {

namespace {

using render::item;

constexpr std::int32_t kMaxFontSize = 2000;      // points; larger sizes are damaged values, as drawn
constexpr std::size_t kMaxFittedBytes = 65536;   // the part of a text that the layout shows
constexpr std::int64_t kMaxFittedSize = 1 << 30; // document units; keeps sums of coordinates in range

// The font a text object is laid out with, at natural size.
TextFont naturalFont(const Style& style) {
    TextFont font;
    font.face = fontList().faceName(static_cast<int>(item(style, kFont)));
    font.height =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(item(style, kFontSize), 1, kMaxFontSize));
    const auto fontStyle = static_cast<std::uint8_t>(item(style, kFontStyle));
    font.bold = (fontStyle & kFontBold) != 0;
    font.italic = (fontStyle & kFontItalic) != 0;
    font.underline = (fontStyle & kFontUnderline) != 0;
    return font;
}

std::int32_t saturated(std::int64_t units) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(units, 0, kMaxFittedSize));
}

bool turnedAcross(int angle) {
    return angle == 90 || angle == 270;
}

// The box keeps its top-left corner and takes the size, exchanged when turned.
std::vector<Point> resizedBox(const Shape& shape, Point size) {
    if (turnedAcross(shape.angle))
        std::swap(size.x, size.y);
    Point topLeft;
    if (shape.points.size() >= 2)
        topLeft = {std::min(shape.points[0].x, shape.points[1].x),
                   std::min(shape.points[0].y, shape.points[1].y)};
    else if (!shape.points.empty())
        topLeft = shape.points[0];
    auto far = [](std::int32_t from, std::int32_t length) {
        return static_cast<std::int32_t>(
            std::min<std::int64_t>(std::int64_t{from} + length, std::numeric_limits<std::int32_t>::max()));
    };
    return {topLeft, {far(topLeft.x, size.x), far(topLeft.y, size.y)}};
}

} // namespace

bool fitsToContent(int kind) {
    return kind == kText || kind == kDibPicture || kind == kBitmapPicture || kind == kSymbol;
}

Point fittedTextSize(const Shape& text, int zoom) {
    const TextFont font = naturalFont(text.style);
    TextMeasurer& measurer = textMeasurer();
    const std::string_view all(text.data.data(), std::min(text.data.size(), kMaxFittedBytes));
    std::int64_t widest = 0, widestAtZoom = 0, height = 0, heightAtZoom = 0;
    std::size_t pos = 0;
    do {
        std::size_t stop = pos;
        while (stop < all.size() && all[stop] != '\r' && all[stop] != '\n')
            ++stop;
        std::string line(all.substr(pos, stop - pos));
        std::replace(line.begin(), line.end(), '\t', ' ');
        if (line.empty())
            line = " "; // an empty line is laid out as one space
        const TextExtent e = measurer.measure(font, line);
        widest = std::max<std::int64_t>(widest, e.width);
        widestAtZoom = std::max<std::int64_t>(widestAtZoom, scaleSize(e.width, zoom));
        height += e.height;
        heightAtZoom += scaleSize(e.height, zoom);
        // CR LF and LF CR are one break.
        pos = stop;
        if (pos < all.size()) {
            const char first = all[pos++];
            if (pos < all.size() && (all[pos] == '\r' || all[pos] == '\n') && all[pos] != first)
                ++pos;
        }
    } while (pos < all.size());
    // Natural pixels are points; the zoomed sizes are taken back to document
    // units so that the box also holds the lines as drawn at the pane's zoom.
    const std::int64_t across =
        std::max(widest * kUnitsPerPoint, std::int64_t{fromPixels(saturated(widestAtZoom), zoom)});
    const std::int64_t down =
        std::max(height * kUnitsPerPoint, std::int64_t{fromPixels(saturated(heightAtZoom), zoom)});
    return {saturated(across), saturated(down)};
}

bool fittedGeometry(const Shape& shape, int zoom, FittedGeometry& fitted) {
    fitted = {shape.points, shape.epx, shape.epy};
    switch (shape.kind) {
    case kText:
        fitted.points = resizedBox(shape, fittedTextSize(shape, zoom));
        return true;
    case kDibPicture:
    case kBitmapPicture: {
        std::int64_t width = 0, height = 0;
        if (shape.dib && shape.dib->isValid()) {
            width = shape.dib->width();
            height = shape.dib->height();
        } else if (shape.picture) {
            width = shape.picture->width;
            height = shape.picture->height;
        }
        if (width <= 0 || height <= 0)
            return false;
        // At natural size one picture pixel is one point.
        fitted.points =
            resizedBox(shape, {saturated(width * kUnitsPerPoint), saturated(height * kUnitsPerPoint)});
        return true;
    }
    case kSymbol:
        fitted.epx = 0;
        fitted.epy = 0;
        return true;
    default:
        return false;
    }
}

bool fitChanges(const Shape& shape, int zoom) {
    FittedGeometry fitted;
    return fittedGeometry(shape, zoom, fitted) &&
           (fitted.points != shape.points || fitted.epx != shape.epx || fitted.epy != shape.epy);
}

bool fitToContent(Shape& shape, int zoom) {
    FittedGeometry fitted;
    if (!fittedGeometry(shape, zoom, fitted))
        return false;
    shape.points = std::move(fitted.points);
    shape.epx = fitted.epx;
    shape.epy = fitted.epy;
    rebuildGeometry(shape);
    return true;
}

} // namespace plexo
