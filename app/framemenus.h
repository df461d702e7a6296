// The frame's menus, tool bars and status-bar buttons as lists of command ids
// (rows of the frame's command table, app/framecommands.h).
#pragma once

#include "shell/commandmenu.h"

#include <vector>

namespace plexo {

// The popups, then the submenus, then the menu bar's menus, each built after
// the menus it shows as submenus.
std::vector<MenuSpec> frameMenus();
// "Commandes" and "Outils" (0: separator).
std::vector<int> commandsBarCommands();
std::vector<int> toolsBarCommands();
// The status bar's button groups, each followed by a separator.
std::vector<std::vector<int>> statusBarButtonGroups();

} // namespace plexo
