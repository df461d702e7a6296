// The icons of the frame, the document windows and the commands, drawn in code
// (16 x 16 pixels, one per command id of the tool bars and the status bar).
#pragma once

#include <QIcon>

namespace plexo {

QIcon frameIcon();    // the main window
QIcon documentIcon(); // document windows and palettes
// The command's tool-bar picture; a null icon for a command without one.
QIcon commandIcon(int id);

} // namespace plexo
