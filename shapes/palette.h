// The fixed 16-colour palette of drawing objects. Colour attributes are indices:
// 0..15 select a palette colour, 255 means "none" (no fill, no shadow).
#pragma once

#include <cstdint>

namespace plexo {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr std::uint8_t kNoColour = 255;

// Named indices used by the drawing code for its fixed colours.
enum PaletteIndex : std::uint8_t {
    kBlack = 0,
    kRed = 1,
    kGreen = 2,
    kYellow = 3,
    kBlue = 4,
    kWhite = 15,
};

// The colour of a palette index, complemented in inverse video (the
// presentation's display switch); any index outside 0..15 gives black, in
// normal and in inverse video alike.
Rgb paletteColour(int index, bool inverse);

// The colour of an index in normal video, whatever the switch says.
Rgb normalPaletteColour(int index);

} // namespace plexo
