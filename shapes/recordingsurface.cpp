#include "shapes/recordingsurface.h"

#include "shapes/textmeasurer.h"

#include <cstdio>

namespace plexo {

namespace {

const char* opName(SurfaceOp op) {
    switch (op) {
    case SurfaceOp::SetPen:
        return "setPen";
    case SurfaceOp::SetBrush:
        return "setBrush";
    case SurfaceOp::SetFont:
        return "setFont";
    case SurfaceOp::SetTextColour:
        return "setTextColour";
    case SurfaceOp::SetBackgroundColour:
        return "setBackgroundColour";
    case SurfaceOp::SetBackgroundMode:
        return "setBackgroundMode";
    case SurfaceOp::SetRasterMode:
        return "setRasterMode";
    case SurfaceOp::SetBrushOrigin:
        return "setBrushOrigin";
    case SurfaceOp::SetOrigin:
        return "setOrigin";
    case SurfaceOp::SetClipRect:
        return "setClipRect";
    case SurfaceOp::ClearClip:
        return "clearClip";
    case SurfaceOp::MoveTo:
        return "moveTo";
    case SurfaceOp::LineTo:
        return "lineTo";
    case SurfaceOp::Polyline:
        return "polyline";
    case SurfaceOp::Polygon:
        return "polygon";
    case SurfaceOp::Rectangle:
        return "rectangle";
    case SurfaceOp::RoundRect:
        return "roundRect";
    case SurfaceOp::Ellipse:
        return "ellipse";
    case SurfaceOp::Arc:
        return "arc";
    case SurfaceOp::Chord:
        return "chord";
    case SurfaceOp::TextOut:
        return "textOut";
    case SurfaceOp::StretchBitmap:
        return "stretchBitmap";
    }
    return "?";
}

std::string hexColour(int red, int green, int blue) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", red & 0xff, green & 0xff, blue & 0xff);
    return text;
}

const char* brushName(int style) {
    static const char* const names[] = {"none",      "solid",     "horizontal", "vertical",
                                        "fdiagonal", "bdiagonal", "cross",      "diagcross"};
    return style >= 0 && style < 8 ? names[style] : "?";
}

std::string joined(const std::vector<int>& args, std::size_t from = 0) {
    std::string text;
    for (std::size_t i = from; i < args.size(); ++i) {
        if (i > from)
            text += ',';
        text += std::to_string(args[i]);
    }
    return text;
}

std::vector<int> pointArgs(std::span<const Point> points) {
    std::vector<int> args;
    args.reserve(points.size() * 2);
    for (const Point& point : points) {
        args.push_back(point.x);
        args.push_back(point.y);
    }
    return args;
}

} // namespace

std::string SurfaceCall::toString() const {
    std::string body;
    switch (op) {
    case SurfaceOp::SetPen:
        body = std::string(args[0] == 0 ? "solid" : "null") + "," + std::to_string(args[1]) + "," +
               hexColour(args[2], args[3], args[4]);
        break;
    case SurfaceOp::SetBrush:
        body = std::string(brushName(args[0])) + "," + hexColour(args[1], args[2], args[3]);
        break;
    case SurfaceOp::SetTextColour:
    case SurfaceOp::SetBackgroundColour:
        body = hexColour(args[0], args[1], args[2]);
        break;
    case SurfaceOp::SetBackgroundMode:
        body = args[0] == 0 ? "transparent" : "opaque";
        break;
    case SurfaceOp::SetRasterMode:
        body = args[0] == 0 ? "copy" : args[0] == 1 ? "invert" : "xor";
        break;
    case SurfaceOp::SetFont:
        body = "\"" + text + "\"," + joined(args);
        break;
    case SurfaceOp::TextOut:
        body = joined(args) + ",\"" + text + "\"";
        break;
    default:
        body = joined(args);
        break;
    }
    return std::string(opName(op)) + "(" + body + ")";
}

bool SurfaceCall::isDrawing() const {
    switch (op) {
    case SurfaceOp::LineTo:
    case SurfaceOp::Polyline:
    case SurfaceOp::Polygon:
    case SurfaceOp::Rectangle:
    case SurfaceOp::RoundRect:
    case SurfaceOp::Ellipse:
    case SurfaceOp::Arc:
    case SurfaceOp::Chord:
    case SurfaceOp::TextOut:
    case SurfaceOp::StretchBitmap:
        return true;
    default:
        return false;
    }
}

RecordingSurface::RecordingSurface() = default;

std::vector<std::string> RecordingSurface::lines() const {
    std::vector<std::string> result;
    result.reserve(calls_.size());
    for (const SurfaceCall& call : calls_)
        result.push_back(call.toString());
    return result;
}

std::vector<std::string> RecordingSurface::drawingLines() const {
    std::vector<std::string> result;
    for (const SurfaceCall& call : calls_)
        if (call.isDrawing() || call.op == SurfaceOp::MoveTo)
            result.push_back(call.toString());
    return result;
}

void RecordingSurface::record(SurfaceOp op, std::vector<int> args, std::string text) {
    calls_.push_back({op, std::move(args), std::move(text)});
}

void RecordingSurface::stateChanged(StateItem item) {
    const SurfaceState& s = state();
    switch (item) {
    case StateItem::Pen:
        record(SurfaceOp::SetPen, {s.pen.visible() ? 0 : 1, s.pen.width, s.pen.colour.red, s.pen.colour.green,
                                   s.pen.colour.blue});
        break;
    case StateItem::Brush:
        record(SurfaceOp::SetBrush,
               {int(s.brush.style), s.brush.colour.red, s.brush.colour.green, s.brush.colour.blue});
        break;
    case StateItem::Font:
        record(SurfaceOp::SetFont,
               {s.font.height, s.font.weight, s.font.italic ? 1 : 0, s.font.underline ? 1 : 0,
                s.font.escapement, s.font.orientation},
               s.font.face);
        break;
    case StateItem::TextColour:
        record(SurfaceOp::SetTextColour, {s.textColour.red, s.textColour.green, s.textColour.blue});
        break;
    case StateItem::BackgroundColour:
        record(SurfaceOp::SetBackgroundColour,
               {s.backgroundColour.red, s.backgroundColour.green, s.backgroundColour.blue});
        break;
    case StateItem::BackgroundMode:
        record(SurfaceOp::SetBackgroundMode, {int(s.backgroundMode)});
        break;
    case StateItem::RasterMode:
        record(SurfaceOp::SetRasterMode, {int(s.rasterMode)});
        break;
    case StateItem::BrushOrigin:
        record(SurfaceOp::SetBrushOrigin, {s.brushOrigin.x, s.brushOrigin.y});
        break;
    }
}

void RecordingSurface::setOrigin(Point origin) {
    origin_ = origin;
    record(SurfaceOp::SetOrigin, {origin.x, origin.y});
}

void RecordingSurface::setClipRect(const Rect& clip) {
    record(SurfaceOp::SetClipRect, {clip.left, clip.top, clip.right, clip.bottom});
}

void RecordingSurface::clearClip() {
    record(SurfaceOp::ClearClip, {});
}

void RecordingSurface::moveTo(int x, int y) {
    current_ = {x, y};
    record(SurfaceOp::MoveTo, {x, y});
}

void RecordingSurface::lineTo(int x, int y) {
    current_ = {x, y};
    record(SurfaceOp::LineTo, {x, y});
}

void RecordingSurface::polyline(std::span<const Point> points) {
    record(SurfaceOp::Polyline, pointArgs(points));
}

void RecordingSurface::polygon(std::span<const Point> points) {
    record(SurfaceOp::Polygon, pointArgs(points));
}

void RecordingSurface::rectangle(const Rect& box) {
    record(SurfaceOp::Rectangle, {box.left, box.top, box.right, box.bottom});
}

void RecordingSurface::roundRect(const Rect& box, int cornerWidth, int cornerHeight) {
    record(SurfaceOp::RoundRect, {box.left, box.top, box.right, box.bottom, cornerWidth, cornerHeight});
}

void RecordingSurface::ellipse(const Rect& box) {
    record(SurfaceOp::Ellipse, {box.left, box.top, box.right, box.bottom});
}

void RecordingSurface::arc(const Rect& box, Point start, Point end) {
    record(SurfaceOp::Arc, {box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y});
}

void RecordingSurface::chord(const Rect& box, Point start, Point end) {
    record(SurfaceOp::Chord, {box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y});
}

void RecordingSurface::textOut(int x, int y, std::string_view text) {
    record(SurfaceOp::TextOut, {x, y}, std::string(text));
}

Extent RecordingSurface::textExtent(std::string_view text) {
    TextFont measured;
    measured.face = font().face;
    measured.height = font().height;
    measured.bold = font().weight >= 700;
    measured.italic = font().italic;
    measured.underline = font().underline;
    FixedTextMeasurer fixed;
    const TextExtent extent = fixed.measure(measured, text);
    return {extent.width, extent.height};
}

void RecordingSurface::stretchBitmap(const Rect& dest, int width, int height, std::span<const std::uint8_t>) {
    record(SurfaceOp::StretchBitmap, {dest.left, dest.top, dest.right, dest.bottom, width, height});
}

} // namespace plexo
