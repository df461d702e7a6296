// The schéma view's command table: every command the view carries out, with
// its enabling and tick rules, over the view's context.
#pragma once

#include "edit/schemaviewcontext.h"
#include "shell/commandtable.h"

namespace plexo {

const CommandTable<SchemaViewContext>& schemaCommands();

} // namespace plexo
