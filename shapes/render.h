// How every drawing object draws itself on a Surface in the RenderContext its
// caller gives (zoom, page being printed, terminals shown, video mode): the
// object itself, its shadow, its one-line label or laid-out text, and its
// selection handles. The placement rules shared with the outline (label
// rectangle, anchor table, handle points, symbol placement) are the geometry's
// (shapes/geometry.h). Points are converted to output pixels with toPixels
// (shapes/units.h); the surface's origin handles scrolling.
//
// Zoom levels are 0..8, or kNaturalSizeZoom (−1) for one document point to one
// output unit. At levels ≥ 0 filled rectangles and ellipses get one extra pixel
// right and bottom, since the surface excludes those edges.
#pragma once

#include "shapes/point.h"
#include "shapes/rendercontext.h"
#include "shapes/surface.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

class Shape;
struct Style;

// A one-line label keeps at most this many bytes of its text.
constexpr std::size_t kMaxLabelBytes = 254;
// Symbol drawings may hold symbol instances; deeper nesting than this is taken
// for a symbol that contains itself and is not drawn.
constexpr int kMaxSymbolNesting = 8;
// At most this many objects of symbol drawings are drawn for one object on the
// folio (a drawing that nests symbols many times over is cut short).
constexpr long kMaxSymbolObjects = 100000;

// Draws the object (and its shadow first, outside ghost mode). In ghost mode the
// object is being dragged: it is drawn as a thin outline with a 1-pixel black
// pen, the raster mode chosen by the caller, without fills, texts or labels.
// The object is not changed (the objects of a symbol drawing are moved into
// place and back while they are drawn).
void draw(const Shape& shape, Surface& surface, const RenderContext& context, bool ghost);
// The same with a context holding only the zoom (terminals shown, not printing,
// normal video).
void draw(const Shape& shape, Surface& surface, int zoom, bool ghost);

// The object's geometry again, shifted by 5 points right and down, in its
// shadow colour. draw calls it; it does nothing when the shadow does not apply
// or is 255.
void drawShadow(const Shape& shape, Surface& surface, const RenderContext& context);

// The 8 × 8-pixel selection handles, with the pen and brush the caller selected.
void drawHandles(const Shape& shape, Surface& surface, const RenderContext& context);

// The Surface font of a style (face, size in points at the zoom, weight, italic,
// underline, escapement from the angle).
Font styleFont(const Style& style, int zoom, int angle);

// The layout of a text object (kind 9): its lines with their origins (pixels),
// and whether text remained that did not fit.
struct TextLine {
    std::string text; // Windows-1252; an empty line is one space
    Point origin;
    int width = 0; // scaled width in pixels
    friend bool operator==(const TextLine&, const TextLine&) = default;
};

struct TextLayout {
    std::vector<TextLine> lines;
    bool overflow = false;
};

// Measures a line of text in pixels at the output zoom.
using TextMeasure = std::function<Extent(std::string_view)>;

// Lays text out in box (normalised pixels) turned by angle, aligned by
// textAlign, cutting lines after the last break character (space, * + , - . / : ;)
// when a line grows wider than the room left along the text direction.
//
// When a natural-size measure and box are given, where lines break and how many
// fit is decided with them (text and box at one pixel per point), and measure
// only places the lines: the layout is then the same at every zoom, whatever
// the rounding of the zoomed sizes.
TextLayout layoutText(std::string_view text, const Rect& box, int angle, int textAlign,
                      const TextMeasure& measure, const TextMeasure& naturalMeasure = {},
                      const Rect& naturalBox = {});

// True for the characters after which a text line may be cut.
bool isBreakCharacter(char c);

} // namespace plexo
