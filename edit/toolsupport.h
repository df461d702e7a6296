// What the drawing tools share: the pointer's point made ready (snapped and
// clamped), a new object in the right default style, the Shift constraint,
// validity judged on the points, and the rubber drawing of an object.
#pragma once

#include "edit/toolhost.h"
#include "shapes/point.h"

#include <memory>

namespace plexo {

class Shape;
class Surface;

// The point a drawing tool works with: snapped to the secondary grid when the
// document's snap switch is on and snap is set, clamped to 0 and the folio's extent.
Point toolPoint(ToolHost& host, Point p, bool snap = true);

// A new object of the kind for the host's folio (not yet in it): the default
// wire style for wires and cables, the rubber band's style when band is set, the
// default object style otherwise; its kind record made (a calendar for today).
std::unique_ptr<Shape> newToolObject(ToolHost& host, int kind, bool band = false);

// Shift held: the last two points of a line, polygon or Bézier become horizontal,
// vertical or a 45-degree diagonal; a wire's last segment horizontal or vertical;
// a box a square of the larger side. A calendar always snaps to whole months.
void constrainLastPoints(Shape& shape, bool shift);

// Whether a finished construction is worth keeping: for the two-point kinds both
// points differ (a box also in both directions), for point lists at least two
// different points.
bool isDrawn(const Shape& shape);

// A stand-alone copy of an object's geometry for rubber drawing: same kind,
// points, style, text, angle and stretch, no links, not alive, not in a folio's list.
std::unique_ptr<Shape> ghostCopy(const Shape& shape);

// Draws the object as a rubber shape shifted by (dx, dy) document units.
void drawGhost(const Shape& shape, Surface& surface, const RenderContext& context, Point shift = {});

// Rectangle spanned by two points, normalised.
Rect spanOf(Point a, Point b);

} // namespace plexo
