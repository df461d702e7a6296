// A mouse event as the tools see it: already in document units (the window's
// pixel under the scroll position, at the pane's zoom), neither snapped nor
// clamped — each tool decides that as the drawing rules say.
#pragma once

#include "shapes/point.h"

namespace plexo {

enum class PointerButton { Left, Right };

struct PointerEvent {
    Point point;
    PointerButton button = PointerButton::Left;
    bool shift = false;
    bool control = false;
};

} // namespace plexo
