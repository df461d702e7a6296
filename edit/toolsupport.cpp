#include "edit/toolsupport.h"

#include "edit/viewport.h"
#include "shapes/geometry.h"
#include "shapes/render.h"
#include "shapes/rendercalendar.h"
#include "shapes/shape.h"
#include "shapes/surface.h"
#include "shapes/units.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <algorithm>
#include <cstdlib>

namespace plexo {

namespace {

// One month column and the height of a calendar, per point of its text size.
constexpr std::int32_t kCalendarMonthWidth = 20000;
constexpr std::int32_t kCalendarHeight = 49500;
constexpr int kCalendarMaxMonths = 6;

bool isSquareKind(int kind) {
    // The box kinds, but the calendar, whose size snaps to whole months instead.
    return kind != kCalendar && Shape::keepsNormalisedCorners(kind);
}

std::int32_t signOf(std::int32_t v) {
    return v < 0 ? -1 : 1;
}

void snapCalendar(Shape& calendar) {
    Point& first = calendar.points[calendar.points.size() - 2];
    Point& last = calendar.points.back();
    const std::int32_t t = calendarTextSize(calendar);
    const std::int32_t month = kCalendarMonthWidth * t;
    const std::int32_t months = std::clamp((last.x - first.x) / month, 1, kCalendarMaxMonths);
    last = {first.x + month * months, first.y + kCalendarHeight * t};
    if (calendar.infoCalendrier)
        calendar.infoCalendrier->monthCount = months;
}

} // namespace

Point toolPoint(ToolHost& host, Point p, bool snap) {
    const saoDoc& document = host.document();
    return snapAndClamp(p, host.folio().extent(), document.secondaryGrid, document.unitIsMm != 0,
                        snap && document.snapToGrid != 0);
}

std::unique_ptr<Shape> newToolObject(ToolHost& host, int kind, bool band) {
    const saoDoc& document = host.document();
    auto shape = std::make_unique<Shape>(kind, &host.folio());
    if (band)
        shape->style = document.fourthStyle;
    else if (kind == kWire || kind == kCable)
        shape->style = document.wireStyle;
    else
        shape->style = document.objectStyle;
    shape->setApplicability();
    shape->createKindRecord();
    return shape;
}

void constrainLastPoints(Shape& shape, bool shift) {
    if (shape.points.size() < 2)
        return;
    if (shape.kind == kCalendar) {
        snapCalendar(shape);
        return;
    }
    if (!shift)
        return;
    const Point& a = shape.points[shape.points.size() - 2];
    Point& b = shape.points.back();
    const std::int32_t dx = b.x - a.x, dy = b.y - a.y;
    const std::int32_t adx = std::abs(dx), ady = std::abs(dy);
    switch (shape.kind) {
    case kLine:
    case kPolygon:
    case kBezier:
        if (2 * ady < adx) {
            b.y = a.y;
        } else if (2 * adx < ady) {
            b.x = a.x;
        } else {
            const std::int32_t side = std::max(adx, ady);
            b = {a.x + signOf(dx) * side, a.y + signOf(dy) * side};
        }
        break;
    case kWire:
        if (ady < adx)
            b.y = a.y;
        else
            b.x = a.x;
        break;
    default:
        if (isSquareKind(shape.kind)) {
            const std::int32_t side = std::max(adx, ady);
            b = {a.x + signOf(dx) * side, a.y + signOf(dy) * side};
        }
        break;
    }
}

bool isDrawn(const Shape& shape) {
    const auto& p = shape.points;
    if (p.size() < 2)
        return false;
    switch (shape.kind) {
    case kRectangle:
    case kRoundRect:
    case kOval:
    case kHalfOvalH:
    case kHalfOvalV:
    case kText:
    case kCalendar:
        return p[0].x != p[1].x && p[0].y != p[1].y;
    default:
        return std::any_of(p.begin() + 1, p.end(), [&](const Point& q) { return !(q == p.front()); });
    }
}

std::unique_ptr<Shape> ghostCopy(const Shape& shape) {
    auto copy = std::make_unique<Shape>(shape.kind, shape.folio);
    copy->style = shape.style;
    copy->points = shape.points;
    copy->angle = shape.angle;
    copy->data = shape.data;
    copy->epx = shape.epx;
    copy->epy = shape.epy;
    copy->outline = shape.outline;
    copy->createKindRecord();
    if (shape.infoSymbole) {
        // The drawing is shown through the node; the labels are not drawn in ghost mode.
        copy->infoSymbole->name = shape.infoSymbole->name;
        copy->infoSymbole->node = shape.infoSymbole->node;
    }
    if (shape.infoCalendrier)
        *copy->infoCalendrier = *shape.infoCalendrier;
    copy->alive = false;
    copy->takeUndoCopy();
    return copy;
}

void drawGhost(const Shape& shape, Surface& surface, const RenderContext& context, Point shift) {
    const Point origin = surface.origin();
    const bool shifted = shift.x != 0 || shift.y != 0;
    if (shifted)
        surface.setOrigin(
            {origin.x - toPixels(shift.x, context.zoom), origin.y - toPixels(shift.y, context.zoom)});
    draw(shape, surface, context, true);
    if (shifted)
        surface.setOrigin(origin);
}

Rect spanOf(Point a, Point b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

} // namespace plexo
