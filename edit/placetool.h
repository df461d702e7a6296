// The placed tools: the object follows the mouse while the button is down and
// is placed on release: terminal, editable text, chord grid (30000 × 30000
// units) and tablature (10000 × 60000 units), centred on the mouse.
#pragma once

#include "edit/constructiontool.h"

namespace plexo {

class PlaceTool : public ConstructionTool {
public:
    using ConstructionTool::ConstructionTool;

    void press(ToolHost& host, const PointerEvent& event) override;
    void move(ToolHost& host, const PointerEvent& event) override;
    void release(ToolHost& host, const PointerEvent& event) override;

private:
    void place(ToolHost& host, const PointerEvent& event);
};

} // namespace plexo
