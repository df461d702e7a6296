// The frame's command table: one row for every command of the frame's menus,
// tool bars, status-bar buttons and popups. Rows with a handler are the
// frame's own; a row without one describes a command of the document views,
// which the frame offers to the active view's table (app/documentkind.h).
#pragma once

#include "shell/commandtable.h"

namespace plexo {

class saoFrame;

const CommandTable<saoFrame>& frameCommands();

} // namespace plexo
