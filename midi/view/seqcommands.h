// The séquence view's command table: the zoom commands of the frame's
// "MenuEchelle" (and its accelerators + and -), and playing the séquence.
#pragma once

#include "shell/commandtable.h"

namespace plexo {

class seqView;

const CommandTable<seqView>& sequenceCommands();

} // namespace plexo
