// Control wires and cables: one point per click; the wire ends by itself when
// a click lands on a free terminal or on a wire (within kConnectTolerance),
// or by a double-click, and is joined to what lies under its ends at once.
#pragma once

#include "edit/polylinetool.h"

namespace plexo {

class WireTool : public PolylineTool {
public:
    using PolylineTool::PolylineTool;

    void press(ToolHost& host, const PointerEvent& event) override;
    void move(ToolHost& host, const PointerEvent& event) override;
    ToolCursor hover(ToolHost& host, Point at) override;
};

} // namespace plexo
