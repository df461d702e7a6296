// The drawing surface over a QPainter, so that one renderer serves windows,
// images, printers (and PDF files) and SVG files. The painter must be active
// for the surface's whole life; the surface works in the painter's current
// coordinates (a print or export may set a scale before), draws aliased, and
// leaves the painter's state as it found it when destroyed.
//
// Inverting and XOR modes need a raster paint engine (QImage, QWidget); PDF,
// SVG and printers ignore them and draw in copy mode. On a widget, Qt repaints
// only from paint events, so rubber shapes are drawn over a backing image.
#pragma once

#include "shapes/surface.h"

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QTransform>

#include <optional>
#include <string>

class QPainter;
class QPainterPath;

namespace plexo {

class QtSurface : public Surface {
public:
    explicit QtSurface(QPainter& painter);
    ~QtSurface() override;

    QPainter& painter() { return painter_; }
    // Whether Invert and Xor take effect on this painter's device.
    bool canInvert() const { return canInvert_; }

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

protected:
    void stateChanged(StateItem item) override;

private:
    // Fills `fill` with the brush and no pen, then strokes `outline` with the
    // pen and no brush: Qt strokes centred on the geometry, while the surface
    // keeps filled shapes inside their box, right and bottom excluded.
    void fillThenStroke(const QPainterPath& fill, const QPainterPath& outline);
    // Inverting one-pixel lines are set pixel by pixel, to keep the chain rule.
    bool exactPixels() const;
    void drawExactLines(std::span<const Point> points);
    // The metrics of the current font, built on first use after a font change.
    const QFontMetrics& metrics();

    QPainter& painter_;
    QTransform base_;
    QPen pen_;
    QBrush brush_;
    Point origin_;
    Point current_;
    bool canInvert_ = false;
    bool shiftStrokes_ = false; // vector output: see StrokeShift
    // What was last given to the painter: objects set the same pen, brush and
    // font over and over, and building Qt's from them costs more than drawing.
    std::optional<Pen> appliedPen_;
    std::optional<Brush> appliedBrush_;
    std::optional<Font> appliedFont_; // its escapement and orientation are not used
    std::optional<QFontMetrics> metrics_;
    // Names the output and the current font in the extents kept across surfaces.
    std::string devicePrefix_, fontKey_;
};

} // namespace plexo
