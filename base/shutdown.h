// The process-wide "shutting down" flag. It is set when a second instance hands
// its files over and stops, and while the application object is being destroyed:
// documents closed then leave alone the objects they share with the rest of the
// program (the title block's library drawing, the symbol browser), which are
// going away with the application.
#pragma once

namespace plexo {

bool shuttingDown();
void setShuttingDown(bool on);

} // namespace plexo
