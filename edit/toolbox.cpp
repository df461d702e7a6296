#include "edit/toolbox.h"

#include "edit/addlinestool.h"
#include "edit/freehandtool.h"
#include "edit/magnifiertool.h"
#include "edit/placetool.h"
#include "edit/polylinetool.h"
#include "edit/selecttool.h"
#include "edit/shapetool.h"
#include "edit/wiretool.h"
#include "shapes/shape.h"

#include <algorithm>

namespace plexo {

namespace {

constexpr int kFirstTool = 101;
constexpr int kLastTabTool = 114; // Tab never reaches the wire, cable and later tools

} // namespace

std::unique_ptr<Tool> makeTool(int id) {
    switch (id) {
    case 101:
        return std::make_unique<SelectTool>();
    case 102:
        return std::make_unique<AddLinesTool>();
    case 103:
        return std::make_unique<MagnifierTool>();
    case 104:
        return std::make_unique<ShapeTool>(kLine);
    case 105:
        return std::make_unique<ShapeTool>(kRectangle);
    case 106:
        return std::make_unique<ShapeTool>(kRoundRect);
    case 107:
        return std::make_unique<ShapeTool>(kOval);
    case 108:
        return std::make_unique<PolylineTool>(kPolygon);
    case 109:
        return std::make_unique<ShapeTool>(kHalfOvalH);
    case 110:
        return std::make_unique<ShapeTool>(kHalfOvalV);
    case 111:
        return std::make_unique<PolylineTool>(kBezier);
    case 112:
        return std::make_unique<FreehandTool>();
    case 113:
        return std::make_unique<ShapeTool>(kText);
    case 114:
        return std::make_unique<PlaceTool>(kTerminal);
    case 115:
        return std::make_unique<WireTool>(kWire);
    case 116:
        return std::make_unique<WireTool>(kCable);
    case 117:
        return std::make_unique<PlaceTool>(kTextZone);
    case 118:
        return std::make_unique<PlaceTool>(kChordGrid);
    case 119:
        return std::make_unique<PlaceTool>(kTablature);
    case 120:
        return std::make_unique<ShapeTool>(kCalendar);
    default:
        return nullptr;
    }
}

int nextTool(int id) {
    return id >= kFirstTool && id < kLastTabTool ? id + 1 : kFirstTool;
}

int previousTool(int id) {
    return id > kFirstTool && id <= kLastTabTool ? id - 1 : kLastTabTool;
}

void ToolChoice::choose(int id) {
    if (id == current_)
        return;
    current_ = id;
    // A listener may remove itself while it is told.
    const auto listeners = listeners_;
    for (const auto& [key, listener] : listeners)
        listener(id);
}

int ToolChoice::addListener(Listener listener) {
    listeners_.emplace_back(++nextKey_, std::move(listener));
    return nextKey_;
}

void ToolChoice::removeListener(int key) {
    std::erase_if(listeners_, [key](const auto& entry) { return entry.first == key; });
}

ToolChoice& toolChoice() {
    static ToolChoice choice;
    return choice;
}

} // namespace plexo
