#include "shapes/palette.h"

namespace plexo {
namespace {

constexpr Rgb kPalette[16] = {
    {0, 0, 0},       {255, 0, 0},     {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
    {0, 255, 255},   {192, 192, 192}, {128, 128, 128}, {255, 225, 225}, {225, 255, 225}, {255, 255, 225},
    {225, 225, 255}, {255, 225, 255}, {225, 255, 255}, {255, 255, 255},
};

// Scoped to one draw call of this thread (InverseVideoScope), never set otherwise.
thread_local bool drawingInInverseVideo = false;

} // namespace

InverseVideoScope::InverseVideoScope(bool inverse) : previous_(drawingInInverseVideo) {
    drawingInInverseVideo = inverse;
}

InverseVideoScope::~InverseVideoScope() { drawingInInverseVideo = previous_; }

Rgb normalPaletteColour(int index) {
    if (index < 0 || index > 15)
        return {0, 0, 0};
    return kPalette[index];
}

Rgb paletteColour(int index) { return paletteColour(index, drawingInInverseVideo); }

Rgb paletteColour(int index, bool inverse) {
    if (index < 0 || index > 15)
        return {0, 0, 0};
    Rgb c = kPalette[index];
    if (inverse)
        c = {static_cast<std::uint8_t>(255 - c.red), static_cast<std::uint8_t>(255 - c.green),
             static_cast<std::uint8_t>(255 - c.blue)};
    return c;
}

} // namespace plexo
