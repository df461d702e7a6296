// The pane's cursors, drawn to show what a click will do.
#pragma once

#include "edit/toolhost.h"

#include <QCursor>

namespace plexo {

QCursor toolCursor(ToolCursor cursor);

} // namespace plexo
