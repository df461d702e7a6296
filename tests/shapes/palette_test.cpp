#include "shapes/palette.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(Palette, InverseVideoComplementsPaletteColoursOnly) {
    EXPECT_EQ(paletteColour(9, false), (Rgb{255, 225, 225}));
    EXPECT_EQ(paletteColour(9, true), (Rgb{0, 30, 30}));
    EXPECT_EQ(paletteColour(0, true), (Rgb{255, 255, 255}));
    EXPECT_EQ(paletteColour(16, true), (Rgb{0, 0, 0})); // outside the palette: black in both videos
    EXPECT_EQ(paletteColour(255, true), (Rgb{0, 0, 0}));
    EXPECT_EQ(normalPaletteColour(9), (Rgb{255, 225, 225}));
    EXPECT_EQ(paletteColour(16, false), (Rgb{0, 0, 0}));
}

} // namespace
} // namespace plexo
