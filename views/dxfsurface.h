// The drawing surface that turns what the renderer draws into DXF entities:
// output pixels become millimetres with y pointing up, pens become colours,
// line weights and line types, brushes become hatches, texts become texts (or
// the attributes of a symbol's insert). The exporter (views/dxfexport.h)
// chooses the layer and where the entities go before drawing each object.
#pragma once

#include "shapes/surface.h"
#include "views/dxfdrawing.h"

#include <vector>

namespace plexo {

class DxfSurface final : public Surface {
public:
    // mmPerPixel: the size of one output pixel; heightMm: the height of the area
    // drawn, so that the output's top edge (y = 0) becomes y = heightMm.
    DxfSurface(double mmPerPixel, double heightMm);

    // Where the next entities go (the drawing's entities or a block's), and on
    // which layer. The target must outlive the drawing into it.
    void setTarget(std::vector<DxfEntity>* target) { target_ = target; }
    // One of the layer constants (views/dxfdrawing.h).
    void setLayer(std::string_view layer) { layer_ = layer; }
    // Texts go to this list as attributes instead of the target while it is set.
    void setAttributeTarget(std::vector<DxfEntity>* attributes) { attributes_ = attributes; }

    // The DXF place of an output pixel.
    DxfPoint toDxf(Point pixel) const;
    DxfPoint toDxf(double x, double y) const;
    double toMillimetres(double pixels) const { return pixels * mmPerPixel_; }

    void setOrigin(Point origin) override { origin_ = origin; }
    Point origin() const override { return origin_; }
    // A DXF drawing has no clipping: everything is written.
    void setClipRect(const Rect&) override {}
    void clearClip() override {}

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
    // A picture is written as its frame: DXF keeps pictures in files of their own.
    void stretchBitmap(const Rect& dest, int width, int height, std::span<const std::uint8_t> rgba) override;
    bool takeLineType(int lineType) override;

protected:
    void stateChanged(StateItem) override {}

private:
    DxfStyle penStyle() const;
    DxfStyle styleOf(Rgb colour) const;
    void add(DxfEntity entity);
    void addOutline(std::vector<DxfPoint> points, bool closed);
    void addFill(std::vector<DxfPoint> points);
    // The ellipse inscribed in a box (right and bottom excluded), as an arc or
    // an ellipse entity from the radial through start, counter-clockwise to the
    // radial through end; equal radials give the whole curve.
    DxfEntity curve(const Rect& box, Point start, Point end, bool whole) const;
    // Whether a curve continues the last entity drawn (the same ellipse, the
    // same pen, starting where it ended): the screen draws ovals as four
    // quarters, which join here into one curve.
    bool extendsLastCurve(const DxfEntity& piece);
    // Points along the same curve, for the boundaries of fills.
    std::vector<DxfPoint> curvePoints(const Rect& box, Point start, Point end, bool whole) const;

    double mmPerPixel_;
    double heightMm_;
    Point origin_;
    Point current_;
    std::string_view layer_ = dxflayer::kBlockContents;
    int lineType_ = 0;
    std::vector<DxfEntity>* target_ = nullptr;
    std::vector<DxfEntity>* attributes_ = nullptr;
};

// The colour index a CAD program shows for an output colour, and the exact
// colour beside it when the index only comes near.
int dxfColourIndex(Rgb colour, bool& exact);

// The standard line weight (hundredths of a millimetre) nearest a width.
int dxfLineWeight(double millimetres);

} // namespace plexo
