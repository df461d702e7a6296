// The icons of the frame, the document windows and the commands: SVG pictures
// compiled into the program (res/icons/), sharp at every scale.
#pragma once

#include <QIcon>
#include <QString>

namespace plexo {

QIcon frameIcon();    // the main window
QIcon documentIcon(); // document windows and palettes
// A command's tool-bar picture by its name in the command table (res/icons/<name>.svg);
// a null icon for an unknown name.
QIcon commandIcon(const QString& name);

} // namespace plexo
