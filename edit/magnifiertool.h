// The magnifier: the left button zooms in one level, the right button out one
// level, centred on the point; nothing past 200 % nor below 10 %.
#pragma once

#include "edit/tool.h"

namespace plexo {

class MagnifierTool : public Tool {
public:
    void press(ToolHost& host, const PointerEvent& event) override;
    ToolCursor hover(ToolHost& host, Point at) override;
};

} // namespace plexo
