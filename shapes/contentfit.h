// "Ajuster le contour de l'objet": an object's box refitted to what it shows.
// A text's box takes the size of its lines, a picture its natural size (one
// pixel to one point) and a symbol instance drops its stretch, so that its
// outline is its drawing and its labels again.
#pragma once

#include "shapes/point.h"

#include <cstdint>
#include <vector>

namespace plexo {

class Shape;

// Whether fitting applies to objects of the kind (texts 9, pictures 11 and 13,
// symbol instances 16).
bool fitsToContent(int kind);

// The size a text object's box needs so that every line of its text shows
// unbroken at natural size and at the zoom level (0..8): the widest line by the
// number of lines, in document units, across and down the text's direction.
// Line breaks are CR LF, LF CR or a lone CR or LF, as the text is laid out.
Point fittedTextSize(const Shape& text, int zoom);

// The geometry a fitted object takes.
struct FittedGeometry {
    std::vector<Point> points;
    std::int32_t epx = 0;
    std::int32_t epy = 0;
};

// The geometry of the object once fitted, or false for the other kinds and for
// a picture without pixels. The object is not changed.
bool fittedGeometry(const Shape& shape, int zoom, FittedGeometry& fitted);
// Whether fitting would change the object.
bool fitChanges(const Shape& shape, int zoom);

// Refits the object: a text or a picture keeps its first (top-left) point and
// takes the fitted size, turned with the object; a symbol instance loses its
// stretch. The outline is recomputed. False (nothing changed) for the other
// kinds and for a picture without pixels.
bool fitToContent(Shape& shape, int zoom);

} // namespace plexo
