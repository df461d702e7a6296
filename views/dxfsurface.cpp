#include "views/dxfsurface.h"

#include "shapes/textmeasurer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace plexo {
namespace {

constexpr double kPointMm = 25.4 / 72;
// The screen's hatches repeat every 8 pixels.
constexpr int kHatchPixels = 8;
// Where a text's baseline and capitals lie in its em height: CAD programs
// place a text by its baseline and size it by its capitals.
constexpr double kAscent = 0.9;
constexpr double kCapitalHeight = 0.7;
// Points along a whole ellipse when it bounds a fill.
constexpr int kCurveSteps = 72;

struct IndexedColour {
    int index;
    Rgb colour;
};

// The colours of the AutoCAD colour index that the palette's colours meet or
// come near: the seven primaries (7 is black on paper), two greys, white.
constexpr std::array<IndexedColour, 10> kIndexedColours{{
    {1, {255, 0, 0}},
    {2, {255, 255, 0}},
    {3, {0, 255, 0}},
    {4, {0, 255, 255}},
    {5, {0, 0, 255}},
    {6, {255, 0, 255}},
    {7, {0, 0, 0}},
    {8, {128, 128, 128}},
    {9, {192, 192, 192}},
    {255, {255, 255, 255}},
}};

constexpr std::array<int, 24> kLineWeights{0,  5,  9,  13, 15, 18, 20,  25,  30,  35,  40,  50,
                                           53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};

DxfFill fillOf(BrushStyle style) {
    switch (style) {
    case BrushStyle::Horizontal:
        return DxfFill::Horizontal;
    case BrushStyle::Vertical:
        return DxfFill::Vertical;
    case BrushStyle::ForwardDiagonal:
        return DxfFill::ForwardDiagonal;
    case BrushStyle::BackwardDiagonal:
        return DxfFill::BackwardDiagonal;
    case BrushStyle::Cross:
        return DxfFill::Cross;
    case BrushStyle::DiagonalCross:
        return DxfFill::DiagonalCross;
    default:
        return DxfFill::Solid;
    }
}

double normalisedDegrees(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360 : degrees;
}

double normalisedRadians(double radians) {
    radians = std::fmod(radians, 2 * std::numbers::pi);
    return radians < 0 ? radians + 2 * std::numbers::pi : radians;
}

// The geometry of an ellipse inscribed in a surface box, in pixels.
struct PixelEllipse {
    double cx, cy, a, b;
};

PixelEllipse inscribed(const Rect& box) {
    // The surface leaves the right and bottom edges out of the box.
    const double left = std::min(box.left, box.right), right = std::max(box.left, box.right) - 1;
    const double top = std::min(box.top, box.bottom), bottom = std::max(box.top, box.bottom) - 1;
    return {(left + right) / 2, (top + bottom) / 2, std::max(0.0, (right - left) / 2),
            std::max(0.0, (bottom - top) / 2)};
}

// The direction of a radial point seen from the centre, counter-clockwise with y up.
double radialAngle(const PixelEllipse& e, Point p) {
    const double dx = p.x - e.cx, dy = e.cy - p.y;
    return dx == 0 && dy == 0 ? 0 : std::atan2(dy, dx);
}

// The ellipse parameter (from the x axis) of the point the ray at angle meets.
double parameterOf(const PixelEllipse& e, double angle) {
    return std::atan2(e.a * std::sin(angle), e.b * std::cos(angle));
}

} // namespace

int dxfColourIndex(Rgb colour, bool& exact) {
    auto distance = [&](const Rgb& c) {
        const int r = c.red - colour.red, g = c.green - colour.green, b = c.blue - colour.blue;
        return r * r + g * g + b * b;
    };
    const auto nearest = std::min_element(kIndexedColours.begin(), kIndexedColours.end(),
                                          [&](const auto& x, const auto& y) { return distance(x.colour) < distance(y.colour); });
    exact = distance(nearest->colour) == 0;
    return nearest->index;
}

int dxfLineWeight(double millimetres) {
    const double hundredths = millimetres * 100;
    return *std::min_element(kLineWeights.begin(), kLineWeights.end(), [&](int x, int y) {
        return std::abs(x - hundredths) < std::abs(y - hundredths);
    });
}

DxfSurface::DxfSurface(double mmPerPixel, double heightMm) : mmPerPixel_(mmPerPixel), heightMm_(heightMm) {}

DxfPoint DxfSurface::toDxf(Point pixel) const {
    return toDxf(static_cast<double>(pixel.x), static_cast<double>(pixel.y));
}

DxfPoint DxfSurface::toDxf(double x, double y) const {
    return {(x - origin_.x) * mmPerPixel_, heightMm_ - (y - origin_.y) * mmPerPixel_};
}

DxfStyle DxfSurface::styleOf(Rgb colour) const {
    DxfStyle style;
    style.layer = layer_;
    bool exact = false;
    style.colourIndex = dxfColourIndex(colour, exact);
    if (!exact)
        style.trueColour = (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
    return style;
}

DxfStyle DxfSurface::penStyle() const {
    DxfStyle style = styleOf(pen().colour);
    const double width = std::max(1, pen().width) * mmPerPixel_;
    style.lineWeight = dxfLineWeight(width);
    if (lineType_ > 0) {
        style.lineType = lineType_ == 1 ? dxflinetype::kDashed : dxflinetype::kDashDot;
        // The screen's dashes grow with the line's width.
        style.lineTypeScale = std::max(1.0, width / kPointMm);
    }
    return style;
}

void DxfSurface::add(DxfEntity entity) {
    if (target_)
        target_->push_back(std::move(entity));
}

void DxfSurface::addOutline(std::vector<DxfPoint> points, bool closed) {
    if (!pen().visible() || points.size() < 2)
        return;
    DxfEntity entity;
    entity.kind = DxfKind::Polyline;
    entity.style = penStyle();
    entity.points = std::move(points);
    entity.closed = closed;
    add(std::move(entity));
}

void DxfSurface::addFill(std::vector<DxfPoint> points) {
    if (brush().style == BrushStyle::None || points.size() < 3)
        return;
    DxfEntity entity;
    entity.kind = DxfKind::Hatch;
    entity.style = styleOf(brush().colour);
    entity.fill = fillOf(brush().style);
    entity.hatchSpacing = kHatchPixels * mmPerPixel_;
    entity.points = std::move(points);
    add(std::move(entity));
}

void DxfSurface::moveTo(int x, int y) {
    current_ = {x, y};
}

void DxfSurface::lineTo(int x, int y) {
    const Point from = current_;
    current_ = {x, y};
    if (!pen().visible())
        return;
    DxfEntity entity;
    entity.kind = DxfKind::Line;
    entity.style = penStyle();
    entity.points = {toDxf(from), toDxf(current_)};
    add(std::move(entity));
}

void DxfSurface::polyline(std::span<const Point> points) {
    std::vector<DxfPoint> dxf;
    dxf.reserve(points.size());
    for (const Point& p : points)
        dxf.push_back(toDxf(p));
    addOutline(std::move(dxf), false);
}

void DxfSurface::polygon(std::span<const Point> points) {
    std::vector<DxfPoint> dxf;
    dxf.reserve(points.size());
    for (const Point& p : points)
        dxf.push_back(toDxf(p));
    addFill(dxf);
    addOutline(std::move(dxf), true);
}

void DxfSurface::rectangle(const Rect& box) {
    const int left = std::min(box.left, box.right), right = std::max(box.left, std::max(box.left, box.right) - 1);
    const int top = std::min(box.top, box.bottom), bottom = std::max(top, std::max(box.top, box.bottom) - 1);
    std::vector<DxfPoint> corners{toDxf(Point{left, top}), toDxf(Point{right, top}), toDxf(Point{right, bottom}),
                                  toDxf(Point{left, bottom})};
    addFill(corners);
    addOutline(std::move(corners), true);
}

void DxfSurface::roundRect(const Rect& box, int cornerWidth, int cornerHeight) {
    const double left = std::min(box.left, box.right), right = std::max(left, std::max(box.left, box.right) - 1.0);
    const double top = std::min(box.top, box.bottom), bottom = std::max(top, std::max(box.top, box.bottom) - 1.0);
    const double rx = std::clamp(cornerWidth / 2.0, 0.0, (right - left) / 2);
    const double ry = std::clamp(cornerHeight / 2.0, 0.0, (bottom - top) / 2);
    // The four corners' quarter ellipses, counter-clockwise on screen from the top-right one.
    const struct {
        double cx, cy, from;
    } corners[] = {{right - rx, top + ry, 0},
                   {left + rx, top + ry, 90},
                   {left + rx, bottom - ry, 180},
                   {right - rx, bottom - ry, 270}};
    constexpr int kQuarterSteps = kCurveSteps / 4;
    std::vector<DxfPoint> points;
    for (const auto& corner : corners) {
        for (int i = 0; i <= kQuarterSteps; ++i) {
            const double angle = (corner.from + 90.0 * i / kQuarterSteps) * std::numbers::pi / 180;
            points.push_back(toDxf(corner.cx + rx * std::cos(angle), corner.cy - ry * std::sin(angle)));
        }
    }
    addFill(points);
    addOutline(std::move(points), true);
}

DxfEntity DxfSurface::curve(const Rect& box, Point start, Point end, bool whole) const {
    const PixelEllipse e = inscribed(box);
    DxfEntity entity;
    entity.style = penStyle();
    entity.centre = toDxf(e.cx, e.cy);
    const double startAngle = whole ? 0 : radialAngle(e, start);
    const double endAngle = whole ? 0 : radialAngle(e, end);
    if (e.a == e.b) {
        entity.radius = e.a * mmPerPixel_;
        entity.kind = whole ? DxfKind::Circle : DxfKind::Arc;
        entity.startAngle = normalisedDegrees(startAngle * 180 / std::numbers::pi);
        entity.endAngle = normalisedDegrees(endAngle * 180 / std::numbers::pi);
        return entity;
    }
    entity.kind = DxfKind::Ellipse;
    // Parameters run from the major axis: along x when the ellipse is wider.
    const bool wide = e.a > e.b;
    const double shift = wide ? 0 : std::numbers::pi / 2;
    entity.majorAxis = wide ? DxfPoint{e.a * mmPerPixel_, 0} : DxfPoint{0, e.b * mmPerPixel_};
    entity.ratio = wide ? e.b / e.a : e.a / e.b;
    if (whole) {
        entity.startParameter = 0;
        entity.endParameter = 2 * std::numbers::pi;
    } else {
        entity.startParameter = normalisedRadians(parameterOf(e, startAngle) - shift);
        entity.endParameter = normalisedRadians(parameterOf(e, endAngle) - shift);
    }
    return entity;
}

std::vector<DxfPoint> DxfSurface::curvePoints(const Rect& box, Point start, Point end, bool whole) const {
    const PixelEllipse e = inscribed(box);
    double from = 0, to = 2 * std::numbers::pi;
    if (!whole) {
        from = parameterOf(e, radialAngle(e, start));
        to = parameterOf(e, radialAngle(e, end));
        if (to <= from)
            to += 2 * std::numbers::pi;
    }
    const int steps = std::max(2, static_cast<int>(std::ceil(kCurveSteps * (to - from) / (2 * std::numbers::pi))));
    std::vector<DxfPoint> points;
    points.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = from + (to - from) * i / steps;
        points.push_back(toDxf(e.cx + e.a * std::cos(t), e.cy - e.b * std::sin(t)));
    }
    if (whole)
        points.pop_back(); // the loop closes itself
    return points;
}

void DxfSurface::ellipse(const Rect& box) {
    addFill(curvePoints(box, {}, {}, true));
    if (pen().visible())
        add(curve(box, {}, {}, true));
}

void DxfSurface::arc(const Rect& box, Point start, Point end) {
    if (!pen().visible())
        return;
    DxfEntity piece = curve(box, start, end, start == end);
    if (!extendsLastCurve(piece))
        add(std::move(piece));
}

bool DxfSurface::extendsLastCurve(const DxfEntity& piece) {
    if (!target_ || target_->empty() || (piece.kind != DxfKind::Arc && piece.kind != DxfKind::Ellipse))
        return false;
    DxfEntity& last = target_->back();
    constexpr double kNear = 1e-9;
    auto near = [](double a, double b) { return std::abs(a - b) < kNear; };
    if (last.kind != piece.kind || !(last.style == piece.style) || !near(last.centre.x, piece.centre.x) ||
        !near(last.centre.y, piece.centre.y))
        return false;
    if (piece.kind == DxfKind::Arc) {
        if (!near(last.radius, piece.radius) || !near(normalisedDegrees(last.endAngle), piece.startAngle))
            return false;
        last.endAngle = piece.endAngle;
        if (near(normalisedDegrees(last.endAngle), normalisedDegrees(last.startAngle))) {
            DxfEntity circle;
            circle.kind = DxfKind::Circle;
            circle.style = last.style;
            circle.centre = last.centre;
            circle.radius = last.radius;
            last = std::move(circle);
        }
        return true;
    }
    const double turn = 2 * std::numbers::pi;
    if (!near(last.majorAxis.x, piece.majorAxis.x) || !near(last.majorAxis.y, piece.majorAxis.y) ||
        !near(last.ratio, piece.ratio) || !near(normalisedRadians(last.endParameter), piece.startParameter) ||
        near(last.endParameter - last.startParameter, turn))
        return false;
    last.endParameter = piece.endParameter;
    if (near(normalisedRadians(last.endParameter), normalisedRadians(last.startParameter))) {
        last.startParameter = 0;
        last.endParameter = turn;
    }
    return true;
}

void DxfSurface::chord(const Rect& box, Point start, Point end) {
    const bool whole = start == end;
    std::vector<DxfPoint> points = curvePoints(box, start, end, whole);
    addFill(points);
    if (!pen().visible())
        return;
    add(curve(box, start, end, whole));
    if (!whole && points.size() >= 2) {
        DxfEntity closing;
        closing.kind = DxfKind::Line;
        closing.style = penStyle();
        closing.points = {points.back(), points.front()};
        add(std::move(closing));
    }
}

void DxfSurface::textOut(int x, int y, std::string_view text) {
    if (text.empty() || text.find_first_not_of(' ') == std::string_view::npos)
        return;
    const Font& f = font();
    const double em = std::max(1, f.height);
    const double angle = f.escapement / 10.0;
    const double radians = angle * std::numbers::pi / 180;
    // The baseline lies an ascent below the cell's top-left corner, across the
    // text's direction.
    const double ascent = kAscent * em;
    DxfEntity entity;
    entity.kind = attributes_ ? DxfKind::Attribute : DxfKind::Text;
    entity.style = styleOf(state().textColour);
    entity.points = {toDxf(x + ascent * std::sin(radians), y + ascent * std::cos(radians))};
    entity.height = kCapitalHeight * em * mmPerPixel_;
    entity.rotation = normalisedDegrees(angle);
    entity.text = f.underline ? "%%u" + std::string(text) : std::string(text);
    if (attributes_)
        attributes_->push_back(std::move(entity));
    else
        add(std::move(entity));
}

Extent DxfSurface::textExtent(std::string_view text) {
    const Font& f = font();
    TextFont measured;
    measured.face = f.face;
    measured.height = std::max(1, f.height);
    measured.bold = f.weight >= 600;
    measured.italic = f.italic;
    measured.underline = f.underline;
    const TextExtent extent = textMeasurer().measure(measured, text);
    return {extent.width, extent.height};
}

void DxfSurface::stretchBitmap(const Rect& dest, int, int, std::span<const std::uint8_t>) {
    const int left = std::min(dest.left, dest.right), right = std::max(dest.left, dest.right);
    const int top = std::min(dest.top, dest.bottom), bottom = std::max(dest.top, dest.bottom);
    DxfEntity frame;
    frame.kind = DxfKind::Polyline;
    frame.style = styleOf({128, 128, 128});
    frame.closed = true;
    frame.points = {toDxf(Point{left, top}), toDxf(Point{right, top}), toDxf(Point{right, bottom}),
                    toDxf(Point{left, bottom})};
    add(std::move(frame));
}

bool DxfSurface::takeLineType(int lineType) {
    lineType_ = std::clamp(lineType, 0, 2);
    return true;
}

} // namespace plexo
