// Outline, labels and symbol placement of drawing objects.
#include "shapes/geometry.h"

#include "shapes/fontlist.h"
#include "shapes/shape.h"
#include "shapes/units.h"
#include "shapes/wires.h"

#include <algorithm>
#include <climits>

namespace plexo {

namespace {

constexpr std::int32_t kTerminalMargin = 3000; // half size of a terminal's outline beyond its line width
constexpr std::int32_t kTerminalLabelWidening = 1000; // a terminal's label box grows by 1 point
constexpr std::size_t kMaxLabelBytes = 254;           // a one-line label shows at most this many bytes
constexpr std::int32_t kTagFontSize = 14;             // tag of MIDI shortcuts and sequences, points
// Calendar cell sizes per point of text size (the creation sizes of the drawing pane).
constexpr std::int32_t kCalendarMonthWidth = 20000;
constexpr std::int32_t kCalendarHeight = 49500;

std::int32_t saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

std::int32_t usableLineWidth(const Shape& shape) {
    if (!shape.style.isUsable(kLineWidth))
        return 0;
    return static_cast<std::int32_t>(std::min<std::uint32_t>(shape.style.lineWidth, 1000000));
}

Rect pointsBox(const std::vector<Point>& points) {
    if (points.empty())
        return {};
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const Point& p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

// Points read from a file may lie anywhere: outlines saturate instead of wrapping.
Rect widened(Rect r, std::int64_t dx, std::int64_t dy) {
    return {saturate(r.left - dx), saturate(r.top - dy), saturate(r.right + dx), saturate(r.bottom + dy)};
}

Rect around(Point p, std::int32_t d) {
    return widened({p.x, p.y, p.x, p.y}, d, d);
}

bool hasArrow(const Shape& shape) {
    return (shape.style.isUsable(kArrow1) && shape.style.arrow1 != 0) ||
           (shape.style.isUsable(kArrow2) && shape.style.arrow2 != 0);
}

// The extent of the symbol's drawing turned by the instance's angle and centred
// on its first point, joined with its labels placed the same way.
Rect symbolOutline(const Shape& instance) {
    const Point p = instance.points.empty() ? Point{} : instance.points[0];
    SymbolDrawing drawing;
    if (!symbolDrawingOf(instance, drawing))
        return widened({p.x, p.y, p.x, p.y}, instance.epx, instance.epy);
    const Point c = drawing.centre();
    const std::int64_t hw = std::int64_t{drawing.bounds.right} - c.x;
    const std::int64_t hh = std::int64_t{drawing.bounds.bottom} - c.y;
    const std::int64_t lw = std::int64_t{c.x} - drawing.bounds.left;
    const std::int64_t lh = std::int64_t{c.y} - drawing.bounds.top;
    const std::int64_t x = p.x, y = p.y;
    auto rect = [](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
        return Rect{saturate(l), saturate(t), saturate(r), saturate(b)};
    };
    Rect box;
    switch (instance.angle) {
    case 90:
        box = rect(x - hh, y - hw, x + lh, y + lw);
        break;
    case 180:
        box = rect(x - hw, y - hh, x + lw, y + lh);
        break;
    case 270:
        box = rect(x - lh, y - lw, x + hh, y + hw);
        break;
    default:
        box = rect(x - lw, y - lh, x + hw, y + hh);
        break;
    }
    if (instance.infoSymbole) {
        for (Etiquette& label : instance.infoSymbole->labels) {
            if (!label.shape)
                continue;
            Shape& s = *label.shape;
            const Rect savedOutline = s.outline;
            refreshLabel(label, instance);
            placeInSymbol(s, instance, drawing);
            computeOutline(s);
            box = box.united(s.outline);
            unplaceFromSymbol(s);
            s.outline = savedOutline;
        }
    }
    return widened(box, instance.epx, instance.epy);
}

Rect calendarBox(const Shape& shape) {
    Rect box = pointsBox(shape.points);
    const std::int32_t size = shape.style.isUsable(kFontSize) ? std::clamp(shape.style.fontSize, 1, 200) : 9;
    const std::int32_t months =
        shape.infoCalendrier ? std::clamp(shape.infoCalendrier->monthCount, 1, 12) : 3;
    box.right = std::max(
        box.right, saturate(std::int64_t{box.left} + std::int64_t{kCalendarMonthWidth} * size * months));
    box.bottom = std::max(box.bottom, saturate(std::int64_t{box.top} + std::int64_t{kCalendarHeight} * size));
    return box;
}

// The outline of the geometry alone: no label, no shadow.
Rect geometryOutline(const Shape& shape) {
    const std::int32_t w = usableLineWidth(shape);
    const Point first = shape.points.empty() ? Point{} : shape.points[0];
    switch (shape.kind) {
    case kTerminal:
        return around(first, w + kTerminalMargin);
    case kTextZone:
    case kSymbolText:
        return around(first, w + kOutlineMargin);
    case kMidiShortcut:
    case kSequence: {
        const TextExtent e = tagExtent(shape.kind);
        return {first.x, first.y, saturate(std::int64_t{first.x} + e.width),
                saturate(std::int64_t{first.y} + e.height)};
    }
    case kSymbol:
        return symbolOutline(shape);
    case kCalendar:
        return widened(calendarBox(shape), w + kOutlineMargin, w + kOutlineMargin);
    default:
        break;
    }
    Rect box = widened(pointsBox(shape.points), w + kOutlineMargin, w + kOutlineMargin);
    if ((shape.kind == kLine || shape.kind == kWire) && hasArrow(shape))
        box = widened(box, 2 * w, 2 * w);
    if (shape.kind == kChordGrid)
        box = {saturate(box.left - 10000LL), saturate(box.top - 1000LL), saturate(box.right + 4000LL),
               saturate(box.bottom + 13000LL)};
    else if (shape.kind == kTablature)
        box = {saturate(box.left - 500LL), saturate(box.top - 500LL), saturate(box.right + 500LL),
               saturate(box.bottom + 11000LL)};
    return box;
}

} // namespace

// ---- symbol drawings ----------------------------------------------------------

void placeInSymbol(Shape& object, const Shape& instance, const SymbolDrawing& drawing) {
    object.takeGeometryCopy();
    const Point c = drawing.centre();
    const Point p = instance.points.empty() ? Point{} : instance.points[0];
    if (instance.angle != 0) {
        // Turning a drawing object changes only its points, angle and kind here.
        const Rect outline = object.outline;
        turn(object, c.x, c.y, instance.angle);
        object.outline = outline;
    }
    for (Point& q : object.points) {
        q.x = saturate(std::int64_t{q.x} + p.x - c.x);
        q.y = saturate(std::int64_t{q.y} + p.y - c.y);
    }
    if (instance.epx != 0 || instance.epy != 0) {
        const Point half = drawing.halfSize();
        stretch(object, p.x, p.y, half.x, half.y, instance.epx, instance.epy);
    }
}

void unplaceFromSymbol(Shape& object) {
    object.restoreGeometryCopy();
}

// ---- outline and labels -------------------------------------------------------

bool showsOneLineLabel(int kind) {
    return (kind >= kLine && kind <= kFreeHand) || (kind >= kTextZone && kind <= kTerminal) ||
           kind == kSymbolText;
}

TextFont labelFont(const Shape& shape) {
    TextFont font;
    if (shape.style.isUsable(kFont))
        font.face = fontList().faceName(shape.style.font);
    font.height = shape.style.isUsable(kFontSize) ? std::clamp(shape.style.fontSize, 1, 2000) : 1;
    const std::uint8_t fs = shape.style.isUsable(kFontStyle) ? shape.style.fontStyle : 0;
    font.bold = (fs & kFontBold) != 0;
    font.italic = (fs & kFontItalic) != 0;
    font.underline = (fs & kFontUnderline) != 0;
    return font;
}

TextExtent measureLabel(const Shape& shape) {
    const std::string_view text(shape.data.data(), std::min(shape.data.size(), kMaxLabelBytes));
    return textMeasurer().measure(labelFont(shape), text);
}

TextExtent tagExtent(int kind) {
    TextFont font;
    font.face = "Ms Sans Serif";
    font.height = kTagFontSize;
    font.bold = true;
    const std::string_view word =
        kind == kSequence ? std::string_view("S\xe9quence") : std::string_view("Midi");
    const TextExtent e = textMeasurer().measure(font, word);
    return {saturate(std::int64_t{e.width} * kUnitsPerPoint),
            saturate(std::int64_t{e.height} * kUnitsPerPoint)};
}

Point labelOrigin(const Rect& box, int textAlign, int angle, std::int32_t w, std::int32_t h) {
    // 64-bit arithmetic: a label far out on the folio must not wrap around.
    const std::int64_t l = box.left, t = box.top, r = box.right, b = box.bottom, W = w, H = h;
    const std::int64_t e = H >> 1;
    const int a = angle == 0 ? 0 : angle == 90 ? 1 : angle == 180 ? 2 : angle == 270 ? 3 : -1;
    if (a < 0 || textAlign < 0 || textAlign > 8)
        return {box.left, box.top};
    auto at = [](std::int64_t x, std::int64_t y) { return Point{saturate(x), saturate(y)}; };
    switch (textAlign * 4 + a) {
    case 0:
        return at(l - W - e, (t + b - H) >> 1);
    case 1:
        return at((l + r - H) >> 1, b + W + e);
    case 2:
        return at(r + W + e, (t + b + H) >> 1);
    case 3:
        return at((l + r + H) >> 1, t - W - e);
    case 4:
        return at(r + e, (t + b - H) >> 1);
    case 5:
        return at((l + r - H) >> 1, t - e);
    case 6:
        return at(l - e, (t + b + H) >> 1);
    case 7:
        return at((l + r + H) >> 1, b + e);
    case 8:
        return at((l + r - W) >> 1, (t + b - H) >> 1);
    case 9:
        return at((l + r - H) >> 1, (t + b + W) >> 1);
    case 10:
        return at((l + r + W) >> 1, (t + b + H) >> 1);
    case 11:
        return at((l + r + H) >> 1, (t + b - W) >> 1);
    case 12:
        return at((l + r - W) >> 1, t - H);
    case 13:
        return at(l - H, (t + b + W) >> 1);
    case 14:
        return at((l + r + W) >> 1, b + H);
    case 15:
        return at(r + H, (t + b - W) >> 1);
    case 16:
        return at((l + r - W) >> 1, b);
    case 17:
        return at(r, (t + b + W) >> 1);
    case 18:
        return at((l + r + W) >> 1, t);
    case 19:
        return at(l, (t + b - W) >> 1);
    case 20:
        return at(l - W - e, t - H);
    case 21:
        return at(l - H, b + W + e);
    case 22:
        return at(r + W + e, b + H);
    case 23:
        return at(r + H, t - W - e);
    case 24:
        return at(r + e, t - H);
    case 25:
        return at(l - H, t - e);
    case 26:
        return at(l - e, b + H);
    case 27:
        return at(r + H, b + e);
    case 28:
        return at(l - W - e, b);
    case 29:
        return at(r, b + W + e);
    case 30:
        return at(r + W + e, t);
    case 31:
        return at(l, t - W - e);
    case 32:
        return at(r + e, b);
    case 33:
        return at(r, t - e);
    case 34:
        return at(l - e, t);
    case 35:
        return at(l, b + e);
    default:
        return {box.left, box.top};
    }
}

Rect turnedTextRect(Point o, int angle, std::int32_t w, std::int32_t h) {
    const std::int64_t x = o.x, y = o.y;
    switch (angle) {
    case 90:
        return {o.x, saturate(y - w), saturate(x + h), o.y};
    case 180:
        return {saturate(x - w), saturate(y - h), o.x, o.y};
    case 270:
        return {saturate(x - h), o.y, o.x, saturate(y + w)};
    default:
        return {o.x, o.y, saturate(x + w), saturate(y + h)};
    }
}

Rect labelRectangle(const Shape& shape) {
    // A symbol's labels are placed and put back while its outline is measured.
    return geometryOutline(shape);
}

void computeOutline(Shape& shape) {
    if (Shape::keepsNormalisedCorners(shape.kind))
        shape.normaliseCorners();
    shape.outline = outlineOf(shape);
}

Rect outlineOf(const Shape& shape) {
    Rect box = geometryOutline(shape);
    if (showsOneLineLabel(shape.kind) && !shape.data.empty()) {
        Rect labelBox = box;
        if (shape.kind == kTerminal)
            labelBox = widened(labelBox, kTerminalLabelWidening, kTerminalLabelWidening);
        const TextExtent e = measureLabel(shape);
        const std::int32_t w = saturate(std::int64_t{e.width} * kUnitsPerPoint);
        const std::int32_t h = saturate(std::int64_t{e.height} * kUnitsPerPoint);
        const int align = shape.style.isUsable(kTextAlign) ? shape.style.textAlign : 0;
        const Point o = labelOrigin(labelBox, align, shape.angle, w, h);
        box = box.united(turnedTextRect(o, shape.angle, w, h));
    }
    if (shape.style.isUsable(kShadow) && shape.style.shadow != kNoColour) {
        box.right = saturate(std::int64_t{box.right} + kShadowOffset);
        box.bottom = saturate(std::int64_t{box.bottom} + kShadowOffset);
    }
    return box;
}

void rebuildGeometry(Shape& shape) {
    computeOutline(shape);
}

Point centreOf(const Rect& r) {
    return {static_cast<std::int32_t>((static_cast<std::int64_t>(r.left) + r.right) >> 1),
            static_cast<std::int32_t>((static_cast<std::int64_t>(r.top) + r.bottom) >> 1)};
}

} // namespace plexo
