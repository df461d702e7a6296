// The schéma view's printing and presentation commands: print (24337), the
// print preview (24336), the printer setup (24338) and the presentation (789).
#pragma once

#include "edit/schemaviewcontext.h"
#include "shell/commandtable.h"

#include <functional>

namespace plexo {

void addPrintCommands(CommandTable<SchemaViewContext>& table,
                      const std::function<CommandRow<SchemaViewContext>&(int)>& add);

} // namespace plexo
