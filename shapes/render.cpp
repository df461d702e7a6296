// Drawing of every object kind, its shadow and its selection handles. Labels and
// the text layout are in renderlabels.cpp, the calendar in rendercalendar.cpp,
// chord grids and tablatures in renderguitar.cpp.
#include "shapes/render.h"

#include "base/textcodec.h"
#include "shapes/geometry.h"
#include "shapes/primitives.h"
#include "shapes/rendercalendar.h"
#include "shapes/renderhelpers.h"
#include "shapes/wires.h"

#include <array>

namespace plexo {

using namespace render;

namespace {

constexpr std::int32_t kShadowDistance = 5000; // shadows fall 5 points right and down
constexpr std::int32_t kJunctionRadius = 3000; // junction dots of control wires
constexpr std::int32_t kTerminalHalfDiagonal = 5000;
constexpr std::int32_t kTextZoneArm = 4000;       // cross of an editable text zone
constexpr std::int32_t kRoundCornerSize = 10000;  // fill of rounded rectangles: 10-point corner ellipses
constexpr std::int32_t kPictureFrameWidth = 1000; // outline of pictures without a bitmap
constexpr std::int32_t kTagFontHeight = 14000;    // "Midi", "Séquence"
constexpr std::int64_t kMaxPicturePixels = 64 * 1024 * 1024; // larger bitmaps are not decoded

// What a drawing inherits from the object that contains it.
struct DrawContext {
    bool showTerminals = true;
    bool inverse = false; // inverse video
    int printedPage = 0;
    int depth = 0;          // symbol nesting
    long* budget = nullptr; // objects of symbol drawings still allowed in this drawing
};

void drawShape(const Shape& shape, Surface& surface, int zoom, bool ghost, const DrawContext& context);
// The shadow at a zoom (drawShadow with the palette already chosen).
void shadowAt(const Shape& shape, Surface& surface, int zoom, bool inverse);

bool hasColour(int index) {
    return index != kNoColour;
}

// The white heads of a shadow are drawn solid: a shadow is one silhouette.
int shadowArrowKind(int kind) {
    switch (kind) {
    case 3:
        return 2;
    case 6:
        return 5;
    case 10:
        return 9;
    case 12:
        return 11;
    default:
        return kind;
    }
}

void arrowHeads(Surface& surface, const std::vector<Point>& px, const Style& style, Rgb colour, int zoom,
                bool shadow = false) {
    if (px.size() < 2)
        return;
    const int arrow1 = static_cast<int>(item(style, kArrow1));
    const int arrow2 = static_cast<int>(item(style, kArrow2));
    const std::size_t n = px.size();
    if (arrow2 != 0)
        arrowHead(surface, px[n - 2], px[n - 1], colour, shadow ? shadowArrowKind(arrow2) : arrow2, zoom);
    if (arrow1 != 0)
        arrowHead(surface, px[1], px[0], colour, shadow ? shadowArrowKind(arrow1) : arrow1, zoom);
}

bool isControlWire(const Shape* shape) {
    return shape && shape->kind == kWire;
}

void junctionDots(Surface& surface, const Shape& wire, const std::vector<Point>& px, int zoom) {
    if (wire.kind != kWire || !wire.infoFil || px.empty())
        return;
    const int r = toPixels(kJunctionRadius, zoom);
    const int extra = extraPixel(zoom);
    auto dot = [&](Point c) { surface.ellipse({c.x - r, c.y - r, c.x + r + extra, c.y + r + extra}); };
    if (isControlWire(wire.infoFil->amont))
        dot(px.front());
    if (isControlWire(wire.infoFil->aval))
        dot(px.back());
}

// The smooth curve of Bézier curves and cables: quadratic pieces through the
// midpoints of the control polygon.
void smoothCurve(Surface& surface, const std::vector<Point>& px) {
    const std::size_t n = px.size();
    if (n < 2)
        return;
    if (n == 2) {
        surface.moveTo(px[0].x, px[0].y);
        surface.lineTo(px[1].x, px[1].y);
        return;
    }
    auto middle = [](Point a, Point b) { return Point{(a.x + b.x) >> 1, (a.y + b.y) >> 1}; };
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const Point start = i >= 2 ? middle(px[i - 1], px[i]) : px[i - 1];
        const Point end = i + 2 < n ? middle(px[i], px[i + 1]) : px[i + 1];
        quadraticPiece(surface, start, px[i], end);
    }
}

void segments(Surface& surface, const std::vector<Point>& px, bool closed, int width, int zoom,
              int lineType) {
    for (std::size_t i = 1; i < px.size(); ++i)
        patternedSegment(surface, px[i - 1].x, px[i - 1].y, px[i].x, px[i].y, width, zoom, lineType);
    if (closed && px.size() > 2)
        patternedSegment(surface, px.back().x, px.back().y, px.front().x, px.front().y, width, zoom,
                         lineType);
}

// ---- kinds ---------------------------------------------------------------------

void drawPolyline(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    const Style& style = shape.style;
    const std::vector<Point> px = render::toPixels(shape.points, zoom);
    const int fill = colourIndex(style, kFillColour);
    if (shape.kind == kPolygon && hasColour(fill) && !ghost && px.size() > 2) {
        surface.setPen(Pen::null());
        selectFillBrush(surface, paletteColour(fill, inverse), static_cast<int>(item(style, kPattern)));
        surface.polygon(px);
    }
    const int colour = colourIndex(style, kColour);
    if (!hasColour(colour))
        return;
    surface.setPen(ghost ? ghostPen() : linePen(style, zoom, inverse));
    const int width = lineWidthUnits(style);
    segments(surface, px, shape.kind == kPolygon, width, zoom, static_cast<int>(item(style, kLineType)));
    arrowHeads(surface, px, style, paletteColour(colour, inverse), zoom);
    if (shape.kind == kWire && !ghost) {
        surface.setPen(Pen::null());
        surface.setBrush(Brush::solid(paletteColour(colour, inverse)));
        junctionDots(surface, shape, px, zoom);
    }
}

void drawBox(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    if (shape.points.size() < 2)
        return;
    const Style& style = shape.style;
    const Point p1 = render::toPixels(shape.points[0], zoom);
    const Point p2 = render::toPixels(shape.points[1], zoom);
    const Rect box = normalised(p1, p2);
    const int extra = extraPixel(zoom);
    const int fill = colourIndex(style, kFillColour);
    if (shape.kind != kLine && hasColour(fill) && !ghost) {
        surface.setPen(Pen::null());
        selectFillBrush(surface, paletteColour(fill, inverse), static_cast<int>(item(style, kPattern)));
        switch (shape.kind) {
        case kRectangle:
            surface.rectangle(grown(box, extra));
            break;
        case kRoundRect: {
            const int corner = toPixels(kRoundCornerSize, zoom);
            surface.roundRect(grown(box, extra), corner, corner);
            break;
        }
        case kOval: {
            const Rect e = grown(box, extra);
            const Point radial{e.right, (e.top + e.bottom) / 2};
            surface.chord(e, radial, radial);
            break;
        }
        case kHalfOvalH:
            horizontalHalfOvalFill(surface, p1, p2, zoom);
            break;
        case kHalfOvalV:
            verticalHalfOvalFill(surface, p1, p2, zoom);
            break;
        default:
            break;
        }
    }
    const int colour = colourIndex(style, kColour);
    if (!hasColour(colour))
        return;
    surface.setPen(ghost ? ghostPen() : linePen(style, zoom, inverse));
    const int width = lineWidthUnits(style);
    const int lineType = ghost ? 0 : static_cast<int>(item(style, kLineType));
    switch (shape.kind) {
    case kLine: {
        patternedSegment(surface, p1.x, p1.y, p2.x, p2.y, width, zoom, lineType);
        arrowHeads(surface, {p1, p2}, style, paletteColour(colour, inverse), zoom);
        break;
    }
    case kRectangle:
        rectangleOutline(surface, box, width, zoom, lineType);
        break;
    case kRoundRect:
        roundedRectangleOutline(surface, box, width, zoom, lineType);
        break;
    case kOval:
        ovalOutline(surface, box, width, zoom, lineType);
        break;
    case kHalfOvalH:
        horizontalHalfOvalOutline(surface, p1, p2, width, zoom, lineType);
        break;
    case kHalfOvalV:
        verticalHalfOvalOutline(surface, p1, p2, width, zoom, lineType);
        break;
    default:
        break;
    }
}

void drawCurve(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    const int colour = colourIndex(shape.style, kColour);
    if (!hasColour(colour))
        return;
    const std::vector<Point> px = render::toPixels(shape.points, zoom);
    surface.setPen(ghost ? ghostPen() : linePen(shape.style, zoom, inverse));
    smoothCurve(surface, px);
    arrowHeads(surface, px, shape.style, paletteColour(colour, inverse), zoom);
}

// A picture's frame: a 1-point solid rectangle around its box.
void pictureFrame(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost, const Rect& box) {
    surface.setPen(ghost ? ghostPen()
                         : Pen::solid(paletteColour(colourIndex(shape.style, kColour), inverse),
                                      toPixelsAtLeastOne(kPictureFrameWidth, zoom)));
    rectangleOutline(surface, box, kPictureFrameWidth, zoom, 0);
}

void drawPicture(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    if (shape.points.size() < 2)
        return;
    const Point p1 = render::toPixels(shape.points[0], zoom);
    const Point p2 = render::toPixels(shape.points[1], zoom);
    const Rect dest{p1.x, p1.y, p2.x, p2.y};
    const Rect box = normalised(p1, p2);
    bool drawn = false;
    if (!ghost) {
        if (shape.kind == kDibPicture && shape.dib && shape.dib->isValid() &&
            std::int64_t{shape.dib->width()} * shape.dib->height() <= kMaxPicturePixels) {
            std::vector<std::uint8_t> rgba;
            if (shape.dib->decodeToRgba(rgba)) {
                surface.stretchBitmap(dest, shape.dib->width(), shape.dib->height(), rgba);
                drawn = true;
            }
        } else if ((shape.kind == kBitmapPicture || shape.kind == kMetafilePicture) && shape.picture &&
                   shape.picture->width > 0 && shape.picture->height > 0 &&
                   shape.picture->rgba.size() >=
                       std::size_t(shape.picture->width) * std::size_t(shape.picture->height) * 4) {
            surface.stretchBitmap(dest, shape.picture->width, shape.picture->height, shape.picture->rgba);
            drawn = shape.kind == kBitmapPicture;
        }
    }
    // A metafile keeps its frame over its picture, as it always did.
    if (!drawn)
        pictureFrame(shape, surface, zoom, inverse, ghost, box);
}

void drawTerminal(const Shape& shape, Surface& surface, int zoom, bool ghost, const DrawContext& context) {
    if (!context.showTerminals || zoom < 0 || shape.points.empty())
        return;
    if (shape.infoBorne && shape.infoBorne->wire)
        return;
    const Point c = render::toPixels(shape.points[0], zoom);
    const int h = toPixels(kTerminalHalfDiagonal, zoom);
    surface.setPen(ghost ? ghostPen() : Pen::null());
    surface.setBrush(Brush::solid(paletteColour(kRed, context.inverse)));
    const Point diamond[] = {{c.x, c.y - h}, {c.x + h, c.y}, {c.x, c.y + h}, {c.x - h, c.y}};
    surface.polygon(diamond);
}

void drawTextZoneCross(const Shape& shape, Surface& surface, int zoom, bool ghost,
                       const DrawContext& context) {
    if (!context.showTerminals || shape.points.empty())
        return;
    const Point c = render::toPixels(shape.points[0], zoom);
    const int a = toPixels(kTextZoneArm, zoom);
    surface.setPen(ghost ? ghostPen() : Pen::solid(paletteColour(kBlue, context.inverse), 1));
    surface.moveTo(c.x - a, c.y);
    surface.lineTo(c.x + a, c.y);
    surface.moveTo(c.x, c.y - a);
    surface.lineTo(c.x, c.y + a);
}

void drawTag(const Shape& shape, Surface& surface, int zoom, bool inverse, bool ghost) {
    if (shape.points.empty())
        return;
    const Point p = render::toPixels(shape.points[0], zoom);
    const std::string word = shape.kind == kMidiShortcut ? std::string("Midi") : utf8ToCp1252("Séquence");
    Font font;
    font.face = "Ms Sans Serif";
    font.height = toPixelsAtLeastOne(kTagFontHeight, zoom);
    font.weight = 700;
    surface.setFont(font);
    const Extent e = surface.textExtent(word);
    const int extra = extraPixel(zoom);
    const Rect box{p.x, p.y, p.x + e.width + extra, p.y + e.height + extra};
    if (ghost) {
        surface.setPen(ghostPen());
        frame(surface, {box.left, box.top, box.right - extra, box.bottom - extra});
        return;
    }
    surface.setPen(Pen::solid(paletteColour(kBlack, inverse)));
    surface.setBrush(Brush::solid(paletteColour(kBlack, inverse)));
    surface.rectangle(box);
    surface.setBackgroundMode(BackgroundMode::Transparent);
    surface.setTextColour(paletteColour(shape.kind == kMidiShortcut ? kYellow : kRed, inverse));
    surface.textOut(p.x, p.y, word);
}

// Draws an object of a symbol drawing moved into the instance's place. The
// object's own geometry copy is kept too, so that a drawing met again inside
// itself (a symbol nested in itself) still finds its way back.
void drawPlaced(Shape& object, const Shape& instance, const SymbolDrawing& drawing, Surface& surface,
                int zoom, bool ghost, const DrawContext& context) {
    if (context.budget && --*context.budget < 0)
        return;
    const ShapeGeometryCopy kept = object.geometryCopy;
    placeInSymbol(object, instance, drawing);
    drawShape(object, surface, zoom, ghost, context);
    unplaceFromSymbol(object);
    object.geometryCopy = kept;
}

// A symbol instance: its library drawing moved into place, then its labels.
void drawSymbol(const Shape& instance, Surface& surface, int zoom, bool ghost, const DrawContext& context) {
    if (context.depth >= kMaxSymbolNesting)
        return;
    SymbolDrawing drawing;
    if (!symbolDrawingOf(instance, drawing))
        return;
    DrawContext inner = context;
    ++inner.depth;
    for (Shape* object : drawing.objects) {
        if (!object || object->kind == kTerminal || object->kind == kTextZone || object->kind == kSymbolText)
            continue;
        drawPlaced(*object, instance, drawing, surface, zoom, ghost, inner);
    }
    // The labels of a symbol nested in a drawing are part of the outer
    // instance's label list, which draws them with the outer instance's texts:
    // only the instance on the folio draws labels.
    if (ghost || !instance.infoSymbole || context.depth > 0)
        return;
    for (Etiquette& label : instance.infoSymbole->labels) {
        if (!label.shape)
            continue;
        refreshLabel(label, instance, context.printedPage);
        drawPlaced(*label.shape, instance, drawing, surface, zoom, ghost, inner);
    }
}

void drawShape(const Shape& shape, Surface& surface, int zoom, bool ghost, const DrawContext& context) {
    StateGuard saver(surface);
    if (ghost)
        surface.setPen(ghostPen());
    else
        shadowAt(shape, surface, zoom, context.inverse);
    switch (shape.kind) {
    case kSymbol:
        drawSymbol(shape, surface, zoom, ghost, context);
        return;
    case kPolygon:
    case kFreeHand:
    case kWire:
        drawPolyline(shape, surface, zoom, context.inverse, ghost);
        break;
    case kLine:
    case kRectangle:
    case kRoundRect:
    case kOval:
    case kHalfOvalH:
    case kHalfOvalV:
        drawBox(shape, surface, zoom, context.inverse, ghost);
        break;
    case kBezier:
    case kCable:
        drawCurve(shape, surface, zoom, context.inverse, ghost);
        break;
    case kText:
        drawTextObject(shape, surface, zoom, context.inverse, ghost);
        return;
    case kDibPicture:
    case kMetafilePicture:
    case kBitmapPicture:
        drawPicture(shape, surface, zoom, context.inverse, ghost);
        break;
    case kTerminal:
        drawTerminal(shape, surface, zoom, ghost, context);
        break;
    case kTextZone:
        drawTextZoneCross(shape, surface, zoom, ghost, context);
        break;
    case kChordGrid:
        drawChordGrid(shape, surface, zoom, context.inverse, ghost);
        return;
    case kTablature:
        drawTablature(shape, surface, zoom, context.inverse, ghost);
        return;
    case kCalendar:
        drawCalendar(shape, surface, zoom, context.inverse, ghost);
        return;
    case kMidiShortcut:
    case kSequence:
        drawTag(shape, surface, zoom, context.inverse, ghost);
        return;
    default:
        break;
    }
    if (ghost || shape.data.empty())
        return;
    if (shape.isWire())
        drawEndLabels(shape, surface, zoom, context.inverse);
    else if (showsOneLineLabel(shape.kind))
        drawOneLineLabel(shape, surface, zoom, context.inverse);
}

} // namespace

void draw(const Shape& shape, Surface& surface, const RenderContext& context, bool ghost) {
    // Symbols nested many times over in a damaged library must not stall a paint.
    long budget = kMaxSymbolObjects;
    DrawContext inner;
    inner.showTerminals = context.showTerminals;
    inner.inverse = context.inverseVideo;
    inner.printedPage = context.printedPage;
    inner.budget = &budget;
    drawShape(shape, surface, context.zoom, ghost, inner);
}

void draw(const Shape& shape, Surface& surface, int zoom, bool ghost) {
    draw(shape, surface, RenderContext::atZoom(zoom), ghost);
}

void drawShadow(const Shape& shape, Surface& surface, const RenderContext& context) {
    shadowAt(shape, surface, context.zoom, context.inverseVideo);
}

namespace {

void shadowAt(const Shape& shape, Surface& surface, int zoom, bool inverse) {
    const Style& style = shape.style;
    if (!style.isUsable(kShadow) || style.shadow == kNoColour)
        return;
    const Rgb colour = paletteColour(style.shadow, inverse);
    const int d = toPixels(kShadowDistance, zoom);
    const int extra = extraPixel(zoom);
    std::vector<Point> px = render::toPixels(shape.points, zoom);
    for (Point& p : px)
        p.x += d, p.y += d;
    StateGuard saver(surface);
    const Pen thin = Pen::solid(colour, 1);
    const Pen wide = Pen::solid(colour, toPixelsAtLeastOne(lineWidthUnits(style), zoom));
    surface.setPen(thin);
    surface.setBrush(Brush::solid(colour));
    auto box = [&] { return px.size() >= 2 ? normalised(px[0], px[1]) : Rect{}; };
    switch (shape.kind) {
    case kPolygon:
    case kFreeHand:
    case kWire:
        if (shape.kind == kPolygon && hasColour(colourIndex(style, kFillColour)) && px.size() > 2)
            surface.polygon(px);
        surface.setPen(wide);
        segments(surface, px, shape.kind == kPolygon, lineWidthUnits(style), zoom, 0);
        arrowHeads(surface, px, style, colour, zoom, true);
        surface.setPen(Pen::null());
        junctionDots(surface, shape, px, zoom);
        break;
    case kLine:
        if (px.size() < 2)
            break;
        surface.setPen(wide);
        surface.moveTo(px[0].x, px[0].y);
        surface.lineTo(px[1].x, px[1].y);
        arrowHeads(surface, {px[0], px[1]}, style, colour, zoom, true);
        break;
    case kBezier:
    case kCable:
        surface.setPen(wide);
        smoothCurve(surface, px);
        arrowHeads(surface, px, style, colour, zoom, true);
        break;
    case kRectangle:
    case kText:
    case kDibPicture:
    case kMetafilePicture:
    case kBitmapPicture:
        if (px.size() >= 2)
            surface.rectangle(grown(box(), extra));
        break;
    case kRoundRect:
        if (px.size() >= 2) {
            const int corner = toPixels(kRoundCornerSize, zoom);
            surface.roundRect(grown(box(), extra), corner, corner);
        }
        break;
    case kOval:
        if (px.size() >= 2) {
            const Rect e = grown(box(), extra);
            const Point radial{e.right, (e.top + e.bottom) / 2};
            surface.chord(e, radial, radial);
        }
        break;
    case kHalfOvalH:
        if (px.size() >= 2)
            horizontalHalfOvalFill(surface, px[0], px[1], zoom);
        break;
    case kHalfOvalV:
        if (px.size() >= 2)
            verticalHalfOvalFill(surface, px[0], px[1], zoom);
        break;
    case kCalendar: {
        Rect area = render::toPixels(calendarExtent(shape), zoom);
        area.left += d, area.top += d, area.right += d, area.bottom += d;
        surface.rectangle(grown(area, extra));
        break;
    }
    default:
        break;
    }
}

} // namespace

void drawHandles(const Shape& shape, Surface& surface, const RenderContext& context) {
    const int zoom = context.zoom;
    const std::vector<Point> points = handlePoints(shape);
    if (shape.kind == kText || shape.kind == kSymbol) {
        Rect box = shape.outline;
        if (shape.kind == kText && shape.points.size() >= 2)
            box = normalised(shape.points[0], shape.points[1]);
        StateGuard saver(surface);
        surface.setPen(Pen::solid(surface.pen().colour, toPixelsAtLeastOne(kUnitsPerPoint, zoom)));
        frame(surface, render::toPixels(box, zoom));
    }
    for (const Point& point : points) {
        const Point p = render::toPixels(point, zoom);
        surface.rectangle({p.x - 4, p.y - 4, p.x + 4, p.y + 4});
    }
}

} // namespace plexo
