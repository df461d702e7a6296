// The add-lines tool: a left click inserts half a vertical grid step of room at
// the point's height by moving down every object lying wholly below it; a right
// click removes as much, moving them up. Each click is a move ("déplacement").
#pragma once

#include "edit/tool.h"

namespace plexo {

class AddLinesTool : public Tool {
public:
    void press(ToolHost& host, const PointerEvent& event) override;
    ToolCursor hover(ToolHost& host, Point at) override;
};

} // namespace plexo
