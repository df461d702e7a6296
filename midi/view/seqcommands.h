// The séquence view's command table: the view only displays, so it takes the
// zoom commands of the frame's "MenuEchelle" (and its accelerators + and -).
#pragma once

#include "shell/commandtable.h"

namespace plexo {

class seqView;

const CommandTable<seqView>& sequenceCommands();

} // namespace plexo
