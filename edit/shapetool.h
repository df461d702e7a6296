// The tools drawn by press, drag and release: line, rectangle, rounded
// rectangle, oval, the two half-ovals, text (then "Saisie de texte") and the
// calendar (whose size snaps to whole months).
#pragma once

#include "edit/constructiontool.h"

namespace plexo {

class ShapeTool : public ConstructionTool {
public:
    using ConstructionTool::ConstructionTool;

    void press(ToolHost& host, const PointerEvent& event) override;
    void move(ToolHost& host, const PointerEvent& event) override;
    void release(ToolHost& host, const PointerEvent& event) override;

private:
    void drag(ToolHost& host, const PointerEvent& event);

    Point start_;
};

} // namespace plexo
