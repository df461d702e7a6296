#include "shapes/palette.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(Palette, InverseVideoComplementsPaletteColoursOnly) {
    EXPECT_EQ(paletteColour(9), (Rgb{255, 225, 225}));
    {
        const InverseVideoScope video(true);
        EXPECT_EQ(paletteColour(9), (Rgb{0, 30, 30}));
        EXPECT_EQ(paletteColour(0), (Rgb{255, 255, 255}));
        EXPECT_EQ(paletteColour(16), (Rgb{0, 0, 0}));  // outside the palette: black in both videos
        EXPECT_EQ(paletteColour(255), (Rgb{0, 0, 0}));
        EXPECT_EQ(normalPaletteColour(9), (Rgb{255, 225, 225}));
    }
    EXPECT_EQ(paletteColour(16), (Rgb{0, 0, 0}));
    EXPECT_EQ(paletteColour(9), (Rgb{255, 225, 225})) << "the scope ends with the drawing";
    EXPECT_EQ(paletteColour(9, true), (Rgb{0, 30, 30}));
}

} // namespace
} // namespace plexo
