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
#include "shell/commandids.h"

#include <algorithm>

namespace plexo {

namespace {

constexpr int kFirstTool = cmd::kToolSelection;
constexpr int kLastTabTool = cmd::kToolTerminal; // Tab never reaches the wire, cable and later tools

} // namespace

std::unique_ptr<Tool> makeTool(int id) {
    switch (id) {
    case cmd::kToolSelection:
        return std::make_unique<SelectTool>();
    case cmd::kToolAddLines:
        return std::make_unique<AddLinesTool>();
    case cmd::kToolMagnifier:
        return std::make_unique<MagnifierTool>();
    case cmd::kToolLine:
        return std::make_unique<ShapeTool>(kLine);
    case cmd::kToolRectangle:
        return std::make_unique<ShapeTool>(kRectangle);
    case cmd::kToolRoundRectangle:
        return std::make_unique<ShapeTool>(kRoundRect);
    case cmd::kToolOval:
        return std::make_unique<ShapeTool>(kOval);
    case cmd::kToolPolygon:
        return std::make_unique<PolylineTool>(kPolygon);
    case cmd::kToolHalfOvalHorizontal:
        return std::make_unique<ShapeTool>(kHalfOvalH);
    case cmd::kToolHalfOvalVertical:
        return std::make_unique<ShapeTool>(kHalfOvalV);
    case cmd::kToolBezier:
        return std::make_unique<PolylineTool>(kBezier);
    case cmd::kToolFreehand:
        return std::make_unique<FreehandTool>();
    case cmd::kToolText:
        return std::make_unique<ShapeTool>(kText);
    case cmd::kToolTerminal:
        return std::make_unique<PlaceTool>(kTerminal);
    case cmd::kToolControlWire:
        return std::make_unique<WireTool>(kWire);
    case cmd::kToolCable:
        return std::make_unique<WireTool>(kCable);
    case cmd::kToolEditableText:
        return std::make_unique<PlaceTool>(kTextZone);
    case cmd::kToolChordGrid:
        return std::make_unique<PlaceTool>(kChordGrid);
    case cmd::kToolTablature:
        return std::make_unique<PlaceTool>(kTablature);
    case cmd::kToolCalendar:
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
