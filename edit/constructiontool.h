// The part every creating tool shares: the object under construction, held
// outside the folio until it is finished, drawn as a rubber shape; the right
// button opening the context menu; Escape dropping the construction.
#pragma once

#include "edit/tool.h"

#include <memory>
#include <vector>

namespace plexo {

class Shape;

class ConstructionTool : public Tool {
public:
    explicit ConstructionTool(int kind) : kind_(kind) {}
    ~ConstructionTool() override;

    // A double-click's first click did the work; the second is no new press.
    void doubleClick(ToolHost& host, const PointerEvent& event) override { (void)host, (void)event; }
    void cancel(ToolHost& host) override;
    bool busy() const override { return shape_ != nullptr; }
    ToolCursor hover(ToolHost& host, Point at) override;
    void drawOverlay(Surface& surface, const RenderContext& context) const override;
    std::optional<Rect> overlayArea() const override;

    int kind() const { return kind_; }
    // The object under construction, nullptr when idle.
    const Shape* construction() const { return shape_.get(); }

protected:
    // Starts a construction of the tool's kind with its points; captures the mouse.
    Shape& begin(ToolHost& host, std::vector<Point> points);
    // Rebuilds the geometry after the points changed and redraws the overlay.
    void update(ToolHost& host);
    // Ends the construction: a drawn object is created in the folio ("création"),
    // anything else dropped without recording (placed objects are always kept).
    // Returns the created object.
    Shape* finish(ToolHost& host, bool judgePoints = true);
    // The right button: the context menu. True when the event was handled so.
    bool rightButton(ToolHost& host, const PointerEvent& event);

    std::unique_ptr<Shape> shape_;

private:
    int kind_;
};

} // namespace plexo
