#include "shapes/palette.h"

namespace plexo {
namespace {

constexpr Rgb kPalette[16] = {
    {0, 0, 0},       {255, 0, 0},     {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
    {0, 255, 255},   {192, 192, 192}, {128, 128, 128}, {255, 225, 225}, {225, 255, 225}, {255, 255, 225},
    {225, 225, 255}, {255, 225, 255}, {225, 255, 255}, {255, 255, 255},
};

} // namespace

Rgb normalPaletteColour(int index) {
    if (index < 0 || index > 15)
        return {0, 0, 0};
    return kPalette[index];
}

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
