#include "views/qtsurface.h"

#include "base/textcodec.h"
#include "shapes/textmeasurer.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace plexo {

namespace {

QColor toQColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QString toQString(std::string_view cp1252) {
    return QString::fromStdString(cp1252ToUtf8(cp1252));
}

Qt::BrushStyle toQtBrushStyle(BrushStyle style) {
    switch (style) {
    case BrushStyle::None:
        return Qt::NoBrush;
    case BrushStyle::Solid:
        return Qt::SolidPattern;
    case BrushStyle::Horizontal:
        return Qt::HorPattern;
    case BrushStyle::Vertical:
        return Qt::VerPattern;
    case BrushStyle::ForwardDiagonal:
        return Qt::FDiagPattern;
    case BrushStyle::BackwardDiagonal:
        return Qt::BDiagPattern;
    case BrushStyle::Cross:
        return Qt::CrossPattern;
    case BrushStyle::DiagonalCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::NoBrush;
}

// Extents of texts measured by surfaces on this thread, for every surface after
// them: the folio is painted by a new surface at every repaint.
TextExtentCache& keptExtents() {
    thread_local TextExtentCache cache;
    return cache;
}

template <typename T> void appendBytes(std::string& key, const T& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

bool sameUnturnedFont(const Font& a, const Font& b) {
    return a.height == b.height && a.weight == b.weight && a.italic == b.italic &&
           a.underline == b.underline && a.face == b.face;
}

Rect normalised(const Rect& box) {
    return {std::min(box.left, box.right), std::min(box.top, box.bottom), std::max(box.left, box.right),
            std::max(box.top, box.bottom)};
}

// The area a filled shape covers: pixel (x, y) is filled when its centre lies
// inside, so the box's right and bottom pixels stay out.
QRectF fillArea(const Rect& box) {
    return QRectF(box.left, box.top, box.width(), box.height());
}

// The line a one-pixel pen follows to touch the border pixels of that area.
QRectF outlineLine(const Rect& box) {
    return QRectF(box.left, box.top, std::max(0, box.width() - 1), std::max(0, box.height() - 1));
}

// Qt's arc angles are measured on the circle before it is stretched to the
// ellipse; the surface's radial points give geometric angles, so the ray
// through a point is turned into that parameter.
double arcAngle(const Rect& box, Point through) {
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double rx = box.width() / 2.0, ry = box.height() / 2.0;
    double dx = through.x - cx, dy = cy - through.y; // y upward: counter-clockwise angles
    if (rx > 0 && ry > 0) {
        dx /= rx;
        dy /= ry;
    }
    return std::atan2(dy, dx) * 180 / std::numbers::pi;
}

// Counter-clockwise span from the start radial to the end radial, in (0, 360];
// equal radials give the whole ellipse.
double arcSpan(double startAngle, double endAngle) {
    double span = std::fmod(endAngle - startAngle + 720.0, 360.0);
    if (span < 1e-9)
        span = 360.0;
    return span;
}

QPainterPath arcPath(const QRectF& rect, double startAngle, double span, bool closed) {
    QPainterPath path;
    path.arcMoveTo(rect, startAngle);
    path.arcTo(rect, startAngle, span);
    if (closed)
        path.closeSubpath();
    return path;
}

// Raster engines light the pixel below and right of an integer point when
// stroking, and fill the pixels whose centres lie inside a shape. Vector
// outputs stroke centred on the geometry, so their strokes are moved by half
// a pixel to land on the same pixels as the fills.
class StrokeShift {
public:
    StrokeShift(QPainter& painter, bool on) : painter_(painter), on_(on) {
        if (on_)
            painter_.translate(0.5, 0.5);
    }
    ~StrokeShift() {
        if (on_)
            painter_.translate(-0.5, -0.5);
    }
    StrokeShift(const StrokeShift&) = delete;
    StrokeShift& operator=(const StrokeShift&) = delete;

private:
    QPainter& painter_;
    bool on_;
};

QPolygon toQPolygon(std::span<const Point> points) {
    QPolygon polygon(int(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygon.setPoint(int(i), points[i].x, points[i].y);
    return polygon;
}

} // namespace

QtSurface::QtSurface(QPainter& painter) : painter_(painter) {
    painter_.save();
    base_ = painter_.worldTransform();
    QPaintEngine* engine = painter_.paintEngine();
    // Vector engines claim raster operations but drop them.
    const bool raster = engine && engine->type() == QPaintEngine::Raster;
    canInvert_ = raster && engine->hasFeature(QPaintEngine::RasterOpModes);
    shiftStrokes_ = !raster;
    // Metrics may differ between outputs (hinting, resolution): each kind of
    // output keeps its own extents. The prefix has a fixed size.
    const QPaintDevice* device = painter_.device();
    appendBytes(devicePrefix_, std::int32_t(engine ? engine->type() : -1));
    appendBytes(devicePrefix_, std::int32_t(device ? device->logicalDpiX() : 0));
    appendBytes(devicePrefix_, std::int32_t(device ? device->logicalDpiY() : 0));
    appendBytes(devicePrefix_, double(device ? device->devicePixelRatio() : 0));
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
#if QT_VERSION >= QT_VERSION_CHECK(6, 4, 0)
    // Hatches scale with a print or export transform like everything else,
    // instead of shrinking to 8 device pixels on a fine printer.
    painter_.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
#endif
    restoreState(state());
}

QtSurface::~QtSurface() {
    painter_.restore();
}

void QtSurface::stateChanged(StateItem item) {
    const SurfaceState& s = state();
    switch (item) {
    case StateItem::Pen:
        if (appliedPen_ == s.pen)
            break;
        appliedPen_ = s.pen;
        if (!s.pen.visible()) {
            pen_ = QPen(Qt::NoPen);
        } else {
            pen_ = QPen(toQColor(s.pen.colour), std::max(1, s.pen.width));
            // One-pixel lines light both end pixels (Qt's flat caps drop the
            // right or bottom one whatever the direction, which leaves gaps in
            // chains); wide pens are round at their ends and joins.
            if (s.pen.width <= 1) {
                pen_.setCapStyle(Qt::SquareCap);
                pen_.setJoinStyle(Qt::MiterJoin);
            } else {
                pen_.setCapStyle(Qt::RoundCap);
                pen_.setJoinStyle(Qt::RoundJoin);
            }
        }
        painter_.setPen(pen_);
        break;
    case StateItem::Brush:
        if (appliedBrush_ == s.brush)
            break;
        appliedBrush_ = s.brush;
        brush_ = QBrush(toQColor(s.brush.colour), toQtBrushStyle(s.brush.style));
        painter_.setBrush(brush_);
        break;
    case StateItem::Font: {
        // The escapement turns the text in textOut; the Qt font does not hold it.
        if (appliedFont_ && sameUnturnedFont(*appliedFont_, s.font))
            break;
        appliedFont_ = s.font;
        metrics_.reset();
        // A face name holds no NUL; fixed-size fields follow it.
        fontKey_ = devicePrefix_;
        fontKey_ += s.font.face;
        fontKey_.push_back('\0');
        appendBytes(fontKey_, std::int32_t(s.font.height));
        appendBytes(fontKey_, std::int32_t(s.font.weight));
        fontKey_.push_back(char((s.font.italic ? 1 : 0) | (s.font.underline ? 2 : 0)));
        QFont font;
        if (!s.font.face.empty())
            font.setFamily(toQString(s.font.face));
        font.setPixelSize(std::max(1, s.font.height));
        font.setWeight(QFont::Weight(std::clamp(s.font.weight, 1, 1000)));
        font.setItalic(s.font.italic);
        font.setUnderline(s.font.underline);
        painter_.setFont(font);
        break;
    }
    case StateItem::TextColour: // applied by textOut
        break;
    case StateItem::BackgroundColour:
        painter_.setBackground(QBrush(toQColor(s.backgroundColour)));
        break;
    case StateItem::BackgroundMode:
        painter_.setBackgroundMode(s.backgroundMode == BackgroundMode::Opaque ? Qt::OpaqueMode
                                                                              : Qt::TransparentMode);
        break;
    case StateItem::RasterMode: {
        QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
        if (canInvert_ && s.rasterMode == RasterMode::Invert)
            mode = QPainter::RasterOp_NotDestination;
        else if (canInvert_ && s.rasterMode == RasterMode::Xor)
            mode = QPainter::RasterOp_SourceXorDestination;
        painter_.setCompositionMode(mode);
        break;
    }
    case StateItem::BrushOrigin:
        painter_.setBrushOrigin(s.brushOrigin.x, s.brushOrigin.y);
        break;
    }
}

void QtSurface::setOrigin(Point origin) {
    origin_ = origin;
    painter_.setWorldTransform(QTransform::fromTranslate(-origin.x, -origin.y) * base_);
}

void QtSurface::setClipRect(const Rect& clip) {
    const Rect box = normalised(clip);
    painter_.setClipRect(QRect(box.left, box.top, box.width(), box.height()), Qt::ReplaceClip);
}

void QtSurface::clearClip() {
    painter_.setClipping(false);
}

void QtSurface::moveTo(int x, int y) {
    current_ = {x, y};
}

bool QtSurface::exactPixels() const {
    return canInvert_ && state().rasterMode != RasterMode::Copy && state().pen.width <= 1;
}

void QtSurface::drawExactLines(std::span<const Point> points) {
    // Bresenham steps from each point to the next, the next one left out: every
    // pixel of a chain is inverted once, so drawing it again erases it.
    // Lines far longer than any output (damaged coordinates) are left to Qt's
    // clipping stroker rather than set point by point.
    constexpr std::int64_t kMaxExactLength = 1 << 16;
    QPolygon pixels;
    for (std::size_t i = 1; i < points.size(); ++i) {
        int x = points[i - 1].x, y = points[i - 1].y;
        const int x1 = points[i].x, y1 = points[i].y;
        if (std::abs(std::int64_t(x1) - x) > kMaxExactLength ||
            std::abs(std::int64_t(y1) - y) > kMaxExactLength) {
            painter_.drawLine(x, y, x1, y1);
            continue;
        }
        const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
        const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
        int error = dx + dy;
        while (x != x1 || y != y1) {
            pixels.append(QPoint(x, y));
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += sx;
            }
            if (twice <= dx) {
                error += dx;
                y += sy;
            }
        }
    }
    if (!pixels.isEmpty())
        painter_.drawPoints(pixels);
}

void QtSurface::lineTo(int x, int y) {
    if (pen_.style() != Qt::NoPen) {
        if (exactPixels()) {
            const Point ends[] = {current_, {x, y}};
            drawExactLines(ends);
        } else {
            StrokeShift shift(painter_, shiftStrokes_);
            painter_.drawLine(current_.x, current_.y, x, y);
        }
    }
    current_ = {x, y};
}

void QtSurface::polyline(std::span<const Point> points) {
    if (points.size() < 2 || pen_.style() == Qt::NoPen)
        return;
    if (exactPixels()) {
        drawExactLines(points);
        return;
    }
    StrokeShift shift(painter_, shiftStrokes_);
    painter_.drawPolyline(toQPolygon(points));
}

void QtSurface::polygon(std::span<const Point> points) {
    if (points.size() < 2)
        return;
    if (!shiftStrokes_) {
        painter_.drawPolygon(toQPolygon(points), Qt::OddEvenFill);
        return;
    }
    QPainterPath path;
    path.addPolygon(QPolygonF(toQPolygon(points)));
    path.closeSubpath();
    path.setFillRule(Qt::OddEvenFill);
    fillThenStroke(path, path);
}

void QtSurface::fillThenStroke(const QPainterPath& fill, const QPainterPath& outline) {
    if (brush_.style() != Qt::NoBrush) {
        painter_.setPen(Qt::NoPen);
        painter_.drawPath(fill);
        painter_.setPen(pen_);
    }
    if (pen_.style() != Qt::NoPen) {
        StrokeShift shift(painter_, shiftStrokes_);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPath(outline);
        painter_.setBrush(brush_);
    }
}

void QtSurface::rectangle(const Rect& box) {
    const Rect b = normalised(box);
    if (b.isEmpty())
        return;
    QPainterPath fill, outline;
    fill.addRect(fillArea(b));
    outline.addRect(outlineLine(b));
    fillThenStroke(fill, outline);
}

void QtSurface::roundRect(const Rect& box, int cornerWidth, int cornerHeight) {
    const Rect b = normalised(box);
    if (b.isEmpty())
        return;
    const double rx = std::min(std::abs(cornerWidth), b.width()) / 2.0;
    const double ry = std::min(std::abs(cornerHeight), b.height()) / 2.0;
    QPainterPath fill, outline;
    fill.addRoundedRect(fillArea(b), rx, ry);
    outline.addRoundedRect(outlineLine(b), rx, ry);
    fillThenStroke(fill, outline);
}

void QtSurface::ellipse(const Rect& box) {
    const Rect b = normalised(box);
    if (b.isEmpty())
        return;
    QPainterPath fill, outline;
    fill.addEllipse(fillArea(b));
    outline.addEllipse(outlineLine(b));
    fillThenStroke(fill, outline);
}

void QtSurface::arc(const Rect& box, Point start, Point end) {
    const Rect b = normalised(box);
    if (pen_.style() == Qt::NoPen || b.width() < 0 || b.height() < 0)
        return;
    const double from = arcAngle(b, start);
    const double span = arcSpan(from, arcAngle(b, end));
    StrokeShift shift(painter_, shiftStrokes_);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(arcPath(outlineLine(b), from, span, false));
    painter_.setBrush(brush_);
}

void QtSurface::chord(const Rect& box, Point start, Point end) {
    const Rect b = normalised(box);
    if (b.isEmpty())
        return;
    const double from = arcAngle(b, start);
    const double span = arcSpan(from, arcAngle(b, end));
    fillThenStroke(arcPath(fillArea(b), from, span, true), arcPath(outlineLine(b), from, span, true));
}

const QFontMetrics& QtSurface::metrics() {
    if (!metrics_)
        metrics_.emplace(painter_.fontMetrics());
    return *metrics_;
}

void QtSurface::textOut(int x, int y, std::string_view text) {
    if (text.empty())
        return;
    const QString string = toQString(text);
    const QFontMetrics& fm = metrics();
    const int escapement = state().font.escapement;
    const bool opaque = state().backgroundMode == BackgroundMode::Opaque;
    // Unturned text is drawn in place; saving and restoring the painter's whole
    // state for every text would cost more than the text.
    QTransform saved;
    if (escapement != 0) {
        saved = painter_.worldTransform();
        painter_.translate(x, y);
        painter_.rotate(-escapement / 10.0); // Qt turns clockwise on screen
        x = y = 0;
    }
    if (opaque) {
        painter_.fillRect(QRect(x, y, fm.horizontalAdvance(string), fm.height()),
                          toQColor(state().backgroundColour));
        painter_.setBackgroundMode(Qt::TransparentMode);
    }
    painter_.setPen(toQColor(state().textColour));
    painter_.drawText(x, y + fm.ascent(), string);
    painter_.setPen(pen_);
    if (opaque)
        painter_.setBackgroundMode(Qt::OpaqueMode);
    if (escapement != 0)
        painter_.setWorldTransform(saved);
}

Extent QtSurface::textExtent(std::string_view text) {
    TextExtentCache& kept = keptExtents();
    if (const TextExtent* extent = kept.find(fontKey_, text))
        return {extent->width, extent->height};
    const QFontMetrics& fm = metrics();
    const Extent extent{fm.horizontalAdvance(toQString(text)), fm.height()};
    kept.insert(fontKey_, text, {extent.width, extent.height});
    return extent;
}

void QtSurface::stretchBitmap(const Rect& dest, int width, int height, std::span<const std::uint8_t> rgba) {
    if (width <= 0 || height <= 0 || width > INT_MAX / 4 ||
        rgba.size() / 4 / std::size_t(width) < std::size_t(height))
        return;
    const Rect target = normalised(dest);
    if (target.isEmpty())
        return;
    QImage image(rgba.data(), width, height, width * 4, QImage::Format_RGBA8888);
    const bool mirrorX = dest.right < dest.left, mirrorY = dest.bottom < dest.top;
    if (mirrorX || mirrorY)
        image = image.mirrored(mirrorX, mirrorY);
    painter_.drawImage(QRect(target.left, target.top, target.width(), target.height()), image);
}

} // namespace plexo
