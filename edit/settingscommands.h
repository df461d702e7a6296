// The schéma view's document and view settings commands: document size (702),
// grids (703), working unit (704), page count of the folio (709) and title
// block (729). Each loads the settings, lets the view's dialog edit them and
// applies what OK returns; "&Annuler" leaves the document as it was.
#pragma once

#include "edit/schemaviewcontext.h"
#include "shell/commandtable.h"

#include <functional>

namespace plexo {

void addSettingsCommands(CommandTable<SchemaViewContext>& table,
                         const std::function<CommandRow<SchemaViewContext>&(int)>& add);

} // namespace plexo
