// The texts of the frame's menu commands (the frame's menus, tool bars and
// popups): menu text ("\t" introduces the accelerator shown) and the hint shown
// in the status bar and in tool-bar tips. The frame's command table takes its
// rows' texts from here.
#pragma once

#include "shell/commandids.h"

namespace plexo {

struct CommandInfo {
    int id;
    const char* text; // UTF-8 menu text, with "&" and an optional "\t" accelerator
    const char* hint; // UTF-8 status-bar hint
};

// The command's texts, or nullptr for an unknown id.
const CommandInfo* commandInfo(int id);

} // namespace plexo
