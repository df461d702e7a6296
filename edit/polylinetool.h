// The tools drawn one point per click, a double-click ending the object:
// polygon and Bézier curve.
#pragma once

#include "edit/constructiontool.h"

namespace plexo {

class PolylineTool : public ConstructionTool {
public:
    using ConstructionTool::ConstructionTool;

    void press(ToolHost& host, const PointerEvent& event) override;
    void move(ToolHost& host, const PointerEvent& event) override;
    void doubleClick(ToolHost& host, const PointerEvent& event) override;

protected:
    // The moving last point follows the pointer (Shift constraint applied).
    void follow(ToolHost& host, const PointerEvent& event);
    // A further click: the moving point stays where it is and a new moving
    // point is appended. Returns the point placed.
    Point placePoint(ToolHost& host, const PointerEvent& event);
};

} // namespace plexo
