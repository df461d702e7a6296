// The drawing surface every drawing object renders onto: a window, an image, a
// printer page, a PDF or SVG file (views/qtsurface.h) or a call recorder for
// tests (shapes/recordingsurface.h). It keeps the model of a Windows GDI device
// context, because the drawing code is written against that model:
//
// - Coordinates are integer pixels, y downward. Point and Rect (shapes/point.h)
//   carry pixels here, not document units.
// - Filled shapes (rectangle, rounded rectangle, ellipse, chord, polygon)
//   exclude their right and bottom edges: rectangle(0, 0, 4, 3) covers the
//   pixels x 0..3, y 0..2. Callers that want the edges included add one pixel.
//   The outline, drawn with the current pen, lies on the border pixels of that
//   same area; the interior is filled with the current brush.
// - lineTo draws from the current position to the point and makes it the
//   current position. The point's own pixel is left to the next line of the
//   chain: in the inverting modes a chain of lineTo calls (or a polyline)
//   touches each pixel exactly once, so that a rubber shape drawn twice is
//   erased; in copy mode the end pixel may be lit too. polyline and polygon
//   do not use or move the current position.
// - Arcs and chords take the bounding box of the ellipse and two radial points:
//   the curve starts where the ray from the ellipse centre through the start
//   point meets the ellipse and runs COUNTER-CLOCKWISE (as seen on screen) to
//   the ray through the end point. Equal radials give the whole ellipse. The
//   radial points need not lie on the ellipse.
// - Text: the origin is the top-left corner of the text cell; the cell turns
//   about the origin by the font's escapement.
// - Texts are Windows-1252 bytes, as stored in documents; the Qt surface
//   converts them at its boundary. Callers holding UTF-8 literals convert with
//   utf8ToCp1252 (store/textcodec.h).
//
// The state (pen, brush, font, colours, modes) is kept here; implementations
// apply it when told through stateChanged. SurfaceSaver restores it at the end
// of a scope, so that each object leaves the surface as it found it.
#pragma once

#include "shapes/palette.h"
#include "shapes/point.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace plexo {

enum class PenStyle : std::uint8_t { Solid, Invisible };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1; // pixels; 0 and 1 both give a one-pixel line
    Rgb colour;

    static Pen solid(Rgb colour, int width = 1) { return {PenStyle::Solid, width, colour}; }
    // The pen that draws nothing: shapes drawn with it are filled only.
    static Pen null() { return {PenStyle::Invisible, 0, {}}; }
    bool visible() const { return style != PenStyle::Invisible; }
    friend bool operator==(const Pen&, const Pen&) = default;
};

// Hatches are 8-pixel patterns aligned on the brush origin. Their gaps show
// what is under them in transparent mode, the background colour in opaque mode.
enum class BrushStyle : std::uint8_t {
    None,
    Solid,
    Horizontal,       // ----
    Vertical,         // ||||
    ForwardDiagonal,  // \\\\ (top-left to bottom-right)
    BackwardDiagonal, // //// (bottom-left to top-right)
    Cross,            // ++++
    DiagonalCross,    // xxxx
};

struct Brush {
    BrushStyle style = BrushStyle::None;
    Rgb colour;

    static Brush none() { return {}; }
    static Brush solid(Rgb colour) { return {BrushStyle::Solid, colour}; }
    static Brush hatch(BrushStyle style, Rgb colour) { return {style, colour}; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font {
    std::string face; // Windows-1252 face name; empty selects the system's default face
    int height = 12;  // character (em) height in pixels, internal leading excluded
    int weight = 400; // 1..1000: 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    int escapement = 0;  // direction of the baseline, tenths of a degree counter-clockwise
    int orientation = 0; // kept with the font; glyphs always follow the escapement
    friend bool operator==(const Font&, const Font&) = default;
};

enum class BackgroundMode : std::uint8_t { Transparent, Opaque };

// How pens and brushes combine with what is already drawn. Invert complements
// the destination whatever the colour, so drawing a rubber shape twice erases
// it; Xor combines the pen or brush colour with the destination. Vector outputs
// (PDF, SVG) cannot invert and draw as Copy.
enum class RasterMode : std::uint8_t { Copy, Invert, Xor };

struct Extent {
    int width = 0;
    int height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

struct SurfaceState {
    Pen pen;
    Brush brush = Brush::solid({255, 255, 255});
    Font font;
    Rgb textColour;
    Rgb backgroundColour{255, 255, 255};
    BackgroundMode backgroundMode = BackgroundMode::Transparent;
    RasterMode rasterMode = RasterMode::Copy;
    Point brushOrigin; // in drawing coordinates; hatches repeat every 8 pixels from it
};

class Surface {
public:
    enum class StateItem : std::uint8_t {
        Pen,
        Brush,
        Font,
        TextColour,
        BackgroundColour,
        BackgroundMode,
        RasterMode,
        BrushOrigin
    };

    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    virtual ~Surface() = default;

    // State. The defaults: black one-pixel pen, white brush, 12-pixel default
    // face, black text on a transparent background, copy mode.
    void setPen(const Pen& pen) { set(state_.pen, pen, StateItem::Pen); }
    void setBrush(const Brush& brush) { set(state_.brush, brush, StateItem::Brush); }
    void setFont(const Font& font) { set(state_.font, font, StateItem::Font); }
    void setTextColour(Rgb colour) { set(state_.textColour, colour, StateItem::TextColour); }
    void setBackgroundColour(Rgb colour) {
        set(state_.backgroundColour, colour, StateItem::BackgroundColour);
    }
    void setBackgroundMode(BackgroundMode mode) {
        set(state_.backgroundMode, mode, StateItem::BackgroundMode);
    }
    void setRasterMode(RasterMode mode) { set(state_.rasterMode, mode, StateItem::RasterMode); }
    void setBrushOrigin(Point origin) { set(state_.brushOrigin, origin, StateItem::BrushOrigin); }

    const Pen& pen() const { return state_.pen; }
    const Brush& brush() const { return state_.brush; }
    const Font& font() const { return state_.font; }
    const SurfaceState& state() const { return state_; }
    // Reapplies every item of a saved state.
    void restoreState(const SurfaceState& saved);

    // Scrolling: the drawing point `origin` appears at the top-left corner of
    // the output (output = drawing point − origin).
    virtual void setOrigin(Point origin) = 0;
    virtual Point origin() const = 0;
    // Clipping to a rectangle given in drawing coordinates at the time of the
    // call; it stays where it is on the output when the origin changes later.
    virtual void setClipRect(const Rect& clip) = 0;
    virtual void clearClip() = 0;

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual void polyline(std::span<const Point> points) = 0;
    virtual void polygon(std::span<const Point> points) = 0; // closed, even-odd filled
    virtual void rectangle(const Rect& box) = 0;
    // Corners are quarters of a cornerWidth × cornerHeight ellipse.
    virtual void roundRect(const Rect& box, int cornerWidth, int cornerHeight) = 0;
    virtual void ellipse(const Rect& box) = 0;
    virtual void arc(const Rect& box, Point start, Point end) = 0;   // pen only
    virtual void chord(const Rect& box, Point start, Point end) = 0; // arc closed by its chord, filled

    // Writes text with the current font and text colour; in opaque mode the text
    // cell is first filled with the background colour.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // Width along the baseline and cell height of text in the current font,
    // whatever the escapement.
    virtual Extent textExtent(std::string_view text) = 0;

    // Stretches a picture of width × height pixels (rows top-down, 4 bytes
    // R, G, B, A per pixel; rgba holds at least width × height × 4 bytes) onto
    // the pixels of dest, right and bottom excluded. A dest whose right is left
    // of its left (bottom above its top) mirrors the picture.
    virtual void stretchBitmap(const Rect& dest, int width, int height,
                               std::span<const std::uint8_t> rgba) = 0;

    // Vector outputs with line types of their own (DXF) draw the strokes that
    // follow in line type 1 (dashed) or 2 (dash-dot) themselves, and 0 again
    // solid: they return true. The others return false, and the caller cuts
    // the strokes into dashes.
    virtual bool takeLineType(int /*lineType*/) { return false; }

protected:
    // Called after every setter and for every item of restoreState.
    virtual void stateChanged(StateItem item) = 0;

private:
    template <typename T> void set(T& slot, const T& value, StateItem item) {
        slot = value;
        stateChanged(item);
    }

    SurfaceState state_;
};

// Saves the state of a surface and restores it when the scope ends.
class SurfaceSaver {
public:
    explicit SurfaceSaver(Surface& surface) : surface_(surface), saved_(surface.state()) {}
    ~SurfaceSaver() { surface_.restoreState(saved_); }
    SurfaceSaver(const SurfaceSaver&) = delete;
    SurfaceSaver& operator=(const SurfaceSaver&) = delete;

private:
    Surface& surface_;
    SurfaceState saved_;
};

inline void Surface::restoreState(const SurfaceState& saved) {
    state_ = saved;
    for (StateItem item : {StateItem::Pen, StateItem::Brush, StateItem::Font, StateItem::TextColour,
                           StateItem::BackgroundColour, StateItem::BackgroundMode, StateItem::RasterMode,
                           StateItem::BrushOrigin})
        stateChanged(item);
}

} // namespace plexo
