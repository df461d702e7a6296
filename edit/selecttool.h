// The selection tool: a click selects the front-most object under the pointer
// (Shift toggles it), a drag from empty space draws a rubber band selecting
// what lies wholly inside it, a drag from a selected object moves the
// selection (snapped, wires following), a drag from a handle reshapes the
// object, and a double-click opens the properties of the single selection.
#pragma once

#include "edit/tool.h"

#include <memory>
#include <vector>

namespace plexo {

class Folio;
class Shape;

class SelectTool : public Tool {
public:
    SelectTool();
    ~SelectTool() override;

    void press(ToolHost& host, const PointerEvent& event) override;
    void move(ToolHost& host, const PointerEvent& event) override;
    void release(ToolHost& host, const PointerEvent& event) override;
    void doubleClick(ToolHost& host, const PointerEvent& event) override;
    ToolCursor hover(ToolHost& host, Point at) override;
    void cancel(ToolHost& host) override;
    bool busy() const override { return mode_ != Mode::None; }
    void drawOverlay(Surface& surface, const RenderContext& context) const override;
    std::optional<Rect> overlayArea() const override;

    // The last rubber band: a move takes the points of partly selected wires
    // lying inside it, and the band moves along.
    const Rect& lastBand() const { return band_; }
    Rect& lastBand() { return band_; }

private:
    enum class Mode { None, Band, Move, Reshape };

    // The drag's current point, keeping only its dominant axis with Shift.
    Point dragPoint(ToolHost& host, const PointerEvent& event) const;
    // The move's displacement, snapped as the move will be.
    Point displacement() const;
    std::unique_ptr<Shape> reshapedGhost() const;
    void end(ToolHost& host);

    Mode mode_ = Mode::None;
    Point start_, current_;
    Rect band_{0, 0, -1, -1};
    std::unique_ptr<Shape> bandShape_;
    Shape* target_ = nullptr; // the object reshaped
    int handle_ = 0;
    std::vector<Shape*> moving_; // the selected objects at the start of a move
    bool symbolInSelection_ = false;
    // The document's snapping when the drag began.
    bool snap_ = false;
    bool unitIsMm_ = false;
    Point halfGrid_;
    std::int32_t secondaryGrid_ = 0;
};

} // namespace plexo
