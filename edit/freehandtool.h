// Free-hand drawing: press, drag (every move adds a point), release.
#pragma once

#include "edit/constructiontool.h"

namespace plexo {

class FreehandTool : public ConstructionTool {
public:
    FreehandTool();

    void press(ToolHost& host, const PointerEvent& event) override;
    void move(ToolHost& host, const PointerEvent& event) override;
    void release(ToolHost& host, const PointerEvent& event) override;
};

} // namespace plexo
