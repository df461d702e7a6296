// The 48 × 16 corner left of a view's tab strip, with its two arrow buttons
// that scroll the tabs (schéma and séquence views).
#pragma once

class QPainter;
class QPalette;

namespace plexo {

void paintTabCorner(QPainter& painter, const QPalette& palette);

} // namespace plexo
