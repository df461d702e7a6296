// The fill of a note bar in the séquence view, one colour per MIDI channel:
// light enough for the black outline and the grid to stay readable, distinct
// enough for neighbouring channels to tell apart. Channel 10 (index 9, the
// drums by General MIDI custom) is a neutral grey.
#pragma once

#include <array>
#include <cstdint>

namespace plexo {

inline constexpr std::array<std::uint32_t, 16> kChannelColours = {
    0x8FB8E8, // 1  blue
    0xF2A76B, // 2  orange
    0x8FD48F, // 3  green
    0xEE8F8F, // 4  red
    0xC3A6E3, // 5  violet
    0xC9A88E, // 6  brown
    0xF0A6D6, // 7  pink
    0xD6D67A, // 8  olive
    0x7DD8E0, // 9  cyan
    0xBDBDBD, // 10 drums
    0xB5CFF5, // 11 light blue
    0xF7CB9C, // 12 light orange
    0xB8E6A8, // 13 light green
    0xF5B5B5, // 14 light red
    0xDCCBF0, // 15 lavender
    0xE6D3B8, // 16 sand
};

// 0xRRGGBB of a channel (0-15; other values wrap).
inline std::uint32_t channelColour(int channel) {
    return kChannelColours[static_cast<std::size_t>(channel) & 15];
}

} // namespace plexo
