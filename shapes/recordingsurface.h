// A surface that draws nothing and keeps every call with its exact integer
// arguments, so that tests can state the geometry the drawing code produces.
// Text is measured with the fixed metrics of FixedTextMeasurer
// (shapes/textmeasurer.h), the same as the geometry's when no platform measurer
// is installed, so results do not depend on the fonts: each byte is
// (3 · height + 4) / 5 pixels wide, one more in bold (weight ≥ 700), and a line
// is the font height high.
#pragma once

#include "shapes/surface.h"

#include <string>
#include <vector>

namespace plexo {

enum class SurfaceOp : std::uint8_t {
    SetPen,              // style (0 solid, 1 invisible), width, red, green, blue
    SetBrush,            // style (BrushStyle value), red, green, blue
    SetFont,             // height, weight, italic, underline, escapement, orientation; text = face
    SetTextColour,       // red, green, blue
    SetBackgroundColour, // red, green, blue
    SetBackgroundMode,   // 0 transparent, 1 opaque
    SetRasterMode,       // 0 copy, 1 invert, 2 xor
    SetBrushOrigin,      // x, y
    SetOrigin,           // x, y
    SetClipRect,         // left, top, right, bottom
    ClearClip,           //
    MoveTo,              // x, y
    LineTo,              // x, y
    Polyline,            // x0, y0, x1, y1, ...
    Polygon,             // x0, y0, x1, y1, ...
    Rectangle,           // left, top, right, bottom
    RoundRect,           // left, top, right, bottom, corner width, corner height
    Ellipse,             // left, top, right, bottom
    Arc,                 // left, top, right, bottom, start x, start y, end x, end y
    Chord,               // as Arc
    TextOut,             // x, y; text = the bytes written
    StretchBitmap,       // left, top, right, bottom, width, height
};

struct SurfaceCall {
    SurfaceOp op;
    std::vector<int> args;
    std::string text;

    // Printable form, e.g. "lineTo(10,20)" or "setPen(solid,1,#ff0000)".
    std::string toString() const;
    bool isDrawing() const; // a call that puts pixels on the output
};

class RecordingSurface : public Surface {
public:
    RecordingSurface();

    const std::vector<SurfaceCall>& calls() const { return calls_; }
    // The printable forms of every call, or of the drawing calls only.
    std::vector<std::string> lines() const;
    std::vector<std::string> drawingLines() const;
    void clear() { calls_.clear(); }

    void setOrigin(Point origin) override;
    Point origin() const override { return origin_; }
    void setClipRect(const Rect& clip) override;
    void clearClip() override;

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(std::span<const Point> points) override;
    void polygon(std::span<const Point> points) override;
    void rectangle(const Rect& box) override;
    void roundRect(const Rect& box, int cornerWidth, int cornerHeight) override;
    void ellipse(const Rect& box) override;
    void arc(const Rect& box, Point start, Point end) override;
    void chord(const Rect& box, Point start, Point end) override;
    void textOut(int x, int y, std::string_view text) override;
    Extent textExtent(std::string_view text) override;
    void stretchBitmap(const Rect& dest, int width, int height, std::span<const std::uint8_t> rgba) override;

    Point currentPosition() const { return current_; }

protected:
    void stateChanged(StateItem item) override;

private:
    void record(SurfaceOp op, std::vector<int> args, std::string text = {});

    std::vector<SurfaceCall> calls_;
    Point origin_;
    Point current_;
};

} // namespace plexo
