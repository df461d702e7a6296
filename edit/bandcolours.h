// The system's button colours that the tab strip, the rulers and the view's
// corner are painted with; the window layer fills them from its palette.
#pragma once

#include "shapes/palette.h"

namespace plexo {

struct BandColours {
    Rgb face{240, 240, 240};
    Rgb shadow{160, 160, 160};
    Rgb highlight{255, 255, 255};
    Rgb text{0, 0, 0};
};

} // namespace plexo
