// The tools of the "Outils" menu (101..120): the tool of each id, the Tab
// order, and the current tool, which belongs to the application and is shared
// by every schéma view.
#pragma once

#include "edit/tool.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace plexo {

// A new tool for the id (101..120), or nullptr for another id.
std::unique_ptr<Tool> makeTool(int id);
// Tab and Shift+Tab: 101..114 in a ring (tools 115..120 are never reached).
int nextTool(int id);
int previousTool(int id);

// The current tool's id, shared by every schéma view; listeners hear of changes.
class ToolChoice {
public:
    int current() const { return current_; }
    void choose(int id);
    using Listener = std::function<void(int id)>;
    // Returns a key for removeListener.
    int addListener(Listener listener);
    void removeListener(int key);

private:
    int current_ = 101;
    int nextKey_ = 0;
    std::vector<std::pair<int, Listener>> listeners_;
};

ToolChoice& toolChoice();

} // namespace plexo
