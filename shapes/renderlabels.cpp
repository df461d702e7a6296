// Texts of drawing objects: one-line labels placed around the label rectangle,
// the two end labels of wires and cables, and the laid-out text of kind 9 with
// its zoom-independent line breaks.
#include "shapes/fontlist.h"
#include "shapes/geometry.h"
#include "shapes/primitives.h"
#include "shapes/render.h"
#include "shapes/renderhelpers.h"
#include "shapes/textmeasurer.h"
#include "shapes/wires.h"

#include <algorithm>
#include <string_view>

namespace plexo {

using namespace render;

namespace {

constexpr std::int32_t kTerminalLabelWidening = 1000; // a terminal's label box grows by 1 point
constexpr int kOverflowMarkSize = 5;                  // pixels
constexpr std::int32_t kMaxFontSize = 2000;           // points; larger sizes are damaged values
constexpr std::size_t kMaxLaidOutBytes = 65536;       // of a text object's text
constexpr std::size_t kMaxLineBytes = 2048;           // a longer line is cut as if it were too wide

std::int32_t fontSizePoints(const Style& style) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(item(style, kFontSize), 0, kMaxFontSize));
}

std::string_view labelBytes(const std::string& data) {
    return std::string_view(data.data(), std::min(data.size(), kMaxLabelBytes));
}

// Writes the text with the style's font and text colour on a transparent background.
void selectTextStyle(Surface& surface, const Style& style, int zoom, bool inverse, int angle) {
    surface.setFont(styleFont(style, zoom, angle));
    surface.setTextColour(paletteColour(colourIndex(style, kTextColour), inverse));
    surface.setBackgroundMode(BackgroundMode::Transparent);
}

// The 5 × 5 square with both diagonals at the box's bottom-right corner.
void overflowMark(Surface& surface, const Rect& box, bool inverse) {
    surface.setPen(Pen::solid(paletteColour(kBlack, inverse), 1));
    const int r = box.right, b = box.bottom, l = r - kOverflowMarkSize, t = b - kOverflowMarkSize;
    frame(surface, {l, t, r, b});
    surface.moveTo(l, t);
    surface.lineTo(r, b);
    surface.moveTo(r, t);
    surface.lineTo(l, b);
}

// How a line direction maps onto the box for the four angles: the length along
// the text, the room across it, and each line's origin.
struct Direction {
    int angle;
    Rect box;

    int along() const { return angle == 90 || angle == 270 ? box.bottom - box.top : box.right - box.left; }
    int across() const { return angle == 90 || angle == 270 ? box.right - box.left : box.bottom - box.top; }

    // Origin of a line of width w, offset lines across from the first, by the
    // alignment class (0 left, 1 right, 2 centred).
    Point origin(int offset, int w, int placement) const {
        const int l = box.left, t = box.top, r = box.right, b = box.bottom;
        switch (angle) {
        case 90: // upward, advancing right
            return {l + offset, placement == 1 ? t + w : placement == 2 ? (t + b + w) / 2 : b};
        case 180: // upside down, advancing upward
            return {placement == 1 ? l + w : placement == 2 ? (l + r + w) / 2 : r, b - offset};
        case 270: // downward, advancing left
            return {r - offset, placement == 1 ? b - w : placement == 2 ? (t + b - w) / 2 : t};
        default:
            return {placement == 1 ? r - w : placement == 2 ? (l + r - w) / 2 : l, t + offset};
        }
    }
};

int placementOf(int textAlign) {
    switch (textAlign) {
    case 1:
    case 6:
    case 8:
        return 1;
    case 2:
    case 3:
    case 4:
        return 2;
    default:
        return 0;
    }
}

} // namespace

bool isBreakCharacter(char c) {
    switch (c) {
    case ' ':
    case '*':
    case '+':
    case ',':
    case '-':
    case '.':
    case '/':
    case ':':
    case ';':
        return true;
    default:
        return false;
    }
}

Font styleFont(const Style& style, int zoom, int angle) {
    Font font;
    font.face = fontList().faceName(static_cast<int>(item(style, kFont)));
    font.height = toPixelsAtLeastOne(fontSizePoints(style) * kUnitsPerPoint, zoom);
    const auto fontStyle = static_cast<std::uint8_t>(item(style, kFontStyle));
    font.weight = fontStyle & kFontBold ? 700 : 400;
    font.italic = (fontStyle & kFontItalic) != 0;
    font.underline = (fontStyle & kFontUnderline) != 0;
    font.escapement = angle * 10;
    font.orientation = angle * 10;
    return font;
}

TextLayout layoutText(std::string_view text, const Rect& box, int angle, int textAlign,
                      const TextMeasure& measure, const TextMeasure& naturalMeasure, const Rect& naturalBox) {
    TextLayout layout;
    const int turn = angle == 90 || angle == 180 || angle == 270 ? angle : 0;
    const Direction direction{turn, box};
    // Breaks and fitting are decided in natural units when they are given.
    const bool natural = static_cast<bool>(naturalMeasure);
    const TextMeasure& decide = natural ? naturalMeasure : measure;
    const Direction deciding{turn, natural ? naturalBox : box};
    const int room = deciding.along();
    int decidedOffset = 0;
    const int placement = placementOf(textAlign);
    // A damaged or absurd text must not stall a paint: what lies beyond the
    // first kMaxLaidOutBytes is left out (and shown by the overflow mark).
    const std::size_t n = std::min(text.size(), kMaxLaidOutBytes);
    if (text.size() > n)
        layout.overflow = true;
    std::size_t pos = 0;
    int offset = 0;
    while (pos < n) {
        // The line up to the next line break (CR LF and LF CR are one break, as
        // is a lone CR or LF), tabs read as spaces.
        std::size_t stop = pos;
        while (stop < n && text[stop] != '\r' && text[stop] != '\n' && stop - pos < kMaxLineBytes)
            ++stop;
        std::string line(text.substr(pos, stop - pos));
        std::replace(line.begin(), line.end(), '\t', ' ');
        std::size_t next = stop;
        if (stop < n && (text[stop] == '\r' || text[stop] == '\n')) {
            next = stop + 1;
            if (next < n && (text[next] == '\r' || text[next] == '\n') && text[next] != text[stop])
                ++next;
        }
        // Characters are added while the line fits: the longest fitting start is
        // found by halving (widths grow as characters are added).
        bool wrapped = stop - pos >= kMaxLineBytes && stop < n && text[stop] != '\r' && text[stop] != '\n';
        if (line.size() > 1 && decide(line).width > room) {
            std::size_t fits = 1, over = line.size(); // line[0, fits) fits, line[0, over) does not
            while (over - fits > 1) {
                const std::size_t mid = fits + (over - fits) / 2;
                if (decide(std::string_view(line).substr(0, mid)).width > room)
                    over = mid;
                else
                    fits = mid;
            }
            // line[fits] is the overflowing character.
            std::size_t lastBreak = std::string::npos;
            for (std::size_t k = 0; k < fits; ++k)
                if (isBreakCharacter(line[k]))
                    lastBreak = k;
            if (line[fits] == ' ') {
                // The overflowing space ends the line; spaces after it are dropped.
                next = pos + fits;
                while (next < n && (text[next] == ' ' || text[next] == '\t'))
                    ++next;
                line.resize(fits);
            } else if (lastBreak != std::string::npos) {
                next = pos + lastBreak + 1;
                line.resize(lastBreak + 1);
            } else {
                next = pos + fits;
                line.resize(fits);
            }
            wrapped = true;
        }
        while (wrapped && !line.empty() && line.back() == ' ')
            line.pop_back();
        if (line.empty())
            line = " ";
        const Extent e = measure(line);
        const int decidedHeight = natural ? decide(line).height : e.height;
        if (decidedOffset + decidedHeight > deciding.across() || decidedHeight <= 0) {
            layout.overflow = true;
            return layout;
        }
        layout.lines.push_back({line, direction.origin(offset, e.width, placement), e.width});
        offset += e.height;
        decidedOffset += decidedHeight;
        pos = next;
    }
    return layout;
}

namespace render {

void drawTextObject(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    if (shape.points.size() < 2)
        return;
    const Style& style = shape.style;
    const Rect box =
        normalised(render::toPixels(shape.points[0], zoom), render::toPixels(shape.points[1], zoom));
    if (ghost) {
        frame(surface, box);
        return;
    }
    const int fill = colourIndex(style, kFillColour);
    if (fill != kNoColour) {
        surface.setPen(Pen::null());
        selectFillBrush(surface, paletteColour(fill, inverse), static_cast<int>(item(style, kPattern)));
        surface.rectangle(grown(box, extraPixel(zoom)));
    }
    if (shape.data.empty())
        return;
    // Line breaks are found with the font at natural size, measured away from the
    // output, and scaled to the zoom: they are the same at every zoom.
    TextFont natural;
    natural.face = fontList().faceName(static_cast<int>(item(style, kFont)));
    natural.height = std::max<std::int32_t>(1, fontSizePoints(style));
    const auto fontStyle = static_cast<std::uint8_t>(item(style, kFontStyle));
    natural.bold = (fontStyle & kFontBold) != 0;
    natural.italic = (fontStyle & kFontItalic) != 0;
    natural.underline = (fontStyle & kFontUnderline) != 0;
    TextMeasurer& measurer = textMeasurer();
    const TextMeasure measure = [&](std::string_view line) {
        const TextExtent e = measurer.measure(natural, line);
        return Extent{scaleSize(e.width, zoom), scaleSize(e.height, zoom)};
    };
    const TextMeasure naturalMeasure = [&](std::string_view line) {
        const TextExtent e = measurer.measure(natural, line);
        return Extent{e.width, e.height};
    };
    const Rect naturalBox = normalised(render::toPixels(shape.points[0], kNaturalSizeZoom),
                                       render::toPixels(shape.points[1], kNaturalSizeZoom));
    const TextLayout layout =
        layoutText(shape.data, box, shape.angle, static_cast<int>(item(style, kTextAlign)), measure,
                   naturalMeasure, naturalBox);
    selectTextStyle(surface, style, zoom, inverse, shape.angle);
    for (const TextLine& line : layout.lines)
        surface.textOut(line.origin.x, line.origin.y, line.text);
    if (layout.overflow)
        overflowMark(surface, box, inverse);
}

void drawOneLineLabel(const Shape& shape, Surface& surface, int zoom, bool inverse) {
    const std::string_view text = labelBytes(shape.data);
    if (text.empty())
        return;
    const Style& style = shape.style;
    Rect box = render::toPixels(labelRectangle(shape), zoom);
    if (shape.kind == kTerminal) {
        const int d = plexo::toPixels(kTerminalLabelWidening, zoom);
        box = {box.left - d, box.top - d, box.right + d, box.bottom + d};
    }
    selectTextStyle(surface, style, zoom, inverse, shape.angle);
    const Extent e = surface.textExtent(text);
    const Point origin =
        labelOrigin(box, static_cast<int>(item(style, kTextAlign)), shape.angle, e.width, e.height);
    const int fill = colourIndex(style, kFillColour);
    if ((shape.kind == kTextZone || shape.kind == kTerminal || shape.kind == kSymbolText) &&
        fill != kNoColour) {
        surface.setPen(Pen::null());
        selectFillBrush(surface, paletteColour(fill, inverse), static_cast<int>(item(style, kPattern)));
        surface.rectangle(grown(turnedTextRect(origin, shape.angle, e.width, e.height), extraPixel(zoom)));
    }
    surface.textOut(origin.x, origin.y, text);
}

void drawEndLabels(const Shape& shape, Surface& surface, int zoom, bool inverse) {
    const std::size_t n = shape.points.size();
    if (n < 2)
        return;
    const auto [first, second] = shape.splitLabels();
    const Point p1 = render::toPixels(shape.points[0], zoom);
    const Point p2 = render::toPixels(shape.points[1], zoom);
    const Point pn = render::toPixels(shape.points[n - 1], zoom);
    const Point pp = render::toPixels(shape.points[n - 2], zoom);
    auto write = [&](const std::string& label, Point end, Point neighbour, bool isFirst) {
        const std::string_view text = labelBytes(label);
        if (text.empty())
            return;
        // The extent along the baseline is the same turned or not.
        selectTextStyle(surface, shape.style, zoom, inverse, 0);
        const Extent e = surface.textExtent(text);
        const EndLabelPlacement placement = endLabelOrigin(end, neighbour, isFirst, e.width, e.height);
        if (placement.turned)
            surface.setFont(styleFont(shape.style, zoom, 90));
        surface.textOut(placement.origin.x, placement.origin.y, text);
    };
    write(first, p1, p2, true);
    write(second, pn, pp, false);
}

} // namespace render

} // namespace plexo
