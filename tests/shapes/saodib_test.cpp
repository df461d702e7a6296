#include "shapes/saodib.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put(Bytes& b, std::size_t at, std::uint32_t v, int n = 4) {
    for (int i = 0; i < n; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A packed bitmap with a 40-byte header.
Bytes dib(std::int32_t width, std::int32_t height, int bits, std::uint32_t coloursUsed, std::size_t extra) {
    const std::size_t colours = bits <= 8 ? (coloursUsed ? coloursUsed : 1u << bits) : 0;
    const std::size_t stride =
        ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    Bytes b(40 + colours * 4 + stride * rows + extra, 0);
    put(b, 0, 40);
    put(b, 4, static_cast<std::uint32_t>(width));
    put(b, 8, static_cast<std::uint32_t>(height));
    put(b, 12, 1, 2);
    put(b, 14, static_cast<std::uint32_t>(bits), 2);
    put(b, 32, coloursUsed);
    return b;
}

TEST(saoDib, HeaderInformation) {
    struct Case {
        const char* what;
        Bytes block;
        bool valid;
        std::int32_t width, height;
        int bits, colours;
        std::size_t pixels;
    };
    Bytes cut = dib(10, 10, 24, 0, 0);
    cut.pop_back();
    Bytes core(12 + 2 * 3 + 4 * 2, 0); // 12-byte header, 1-bit, 2 colours of 3 bytes, 2 rows of 4 bytes
    put(core, 0, 12);
    put(core, 4, 3, 2);
    put(core, 6, 2, 2);
    put(core, 8, 1, 2);
    put(core, 10, 1, 2);
    Bytes hugeHeader = dib(2, 2, 8, 0, 0);
    put(hugeHeader, 0, 0xFFFFFFF0u);
    Bytes badBits = dib(2, 2, 8, 0, 0);
    put(badBits, 14, 7, 2);
    const Case cases[] = {
        {"24-bit", dib(3, 2, 24, 0, 0), true, 3, 2, 24, 0, 40},
        {"8-bit, 16 colours used", dib(5, 4, 8, 16, 0), true, 5, 4, 8, 16, 40 + 64},
        {"4-bit", dib(2, 2, 4, 0, 0), true, 2, 2, 4, 16, 40 + 64},
        {"top-down", dib(2, -3, 32, 0, 0), true, 2, 3, 32, 0, 40},
        {"larger block", dib(2, 2, 1, 0, 100), true, 2, 2, 1, 2, 48},
        {"core header", core, true, 3, 2, 1, 2, 18},
        {"one byte short", cut, false, 10, 10, 24, 0, 40},
        {"header past the block", hugeHeader, false, 0, 0, 0, 0, 0},
        {"unknown bit count", badBits, false, 0, 0, 0, 0, 0},
        {"empty", {}, false, 0, 0, 0, 0, 0},
        {"three bytes", {40, 0, 0}, false, 0, 0, 0, 0, 0},
        {"zero width", dib(0, 2, 24, 0, 0), false, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        saoDib d(c.block);
        EXPECT_EQ(d.isValid(), c.valid) << c.what;
        EXPECT_EQ(d.blockSize(), static_cast<std::int32_t>(c.block.size())) << c.what;
        if (!c.valid)
            continue;
        EXPECT_EQ(d.width(), c.width) << c.what;
        EXPECT_EQ(d.height(), c.height) << c.what;
        EXPECT_EQ(d.bitCount(), c.bits) << c.what;
        EXPECT_EQ(d.colourCount(), c.colours) << c.what;
        EXPECT_EQ(d.pixelOffset(), c.pixels) << c.what;
    }
}

TEST(saoDib, DecodesPalettedAndTrueColourBits) {
    Bytes b = dib(2, 2, 8, 2, 0);
    // colour table: 0 = red, 1 = blue (stored blue, green, red, reserved)
    b[40 + 2] = 255;
    b[44 + 0] = 255;
    const std::size_t bits = 48;
    b[bits + 0] = 1; // bottom row: blue, red
    b[bits + 1] = 0;
    b[bits + 4] = 0; // top row: red, index 7 (outside the table: black)
    b[bits + 5] = 7;
    std::vector<std::uint8_t> rgba;
    ASSERT_TRUE(saoDib(b).decodeToRgba(rgba));
    EXPECT_EQ(rgba, (Bytes{255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0, 255}));

    Bytes t = dib(1, -2, 24, 0, 0); // top-down: first stored row is the top
    t[40] = 1, t[41] = 2, t[42] = 3;
    t[44] = 4, t[45] = 5, t[46] = 6;
    ASSERT_TRUE(saoDib(t).decodeToRgba(rgba));
    EXPECT_EQ(rgba, (Bytes{3, 2, 1, 255, 6, 5, 4, 255}));

    EXPECT_FALSE(saoDib(Bytes{1, 2, 3}).decodeToRgba(rgba));
}

TEST(saoDib, BmpFiles) {
    const Bytes block = dib(2, 2, 24, 0, 0);
    saoDib d(block);
    const Bytes file = d.toBmpFile();
    ASSERT_EQ(file.size(), block.size() + 14);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[10], 14 + 40); // offset of the bits
    saoDib back = saoDib::fromBmpFile(file);
    EXPECT_TRUE(back.isValid());
    EXPECT_EQ(back.block(), block);
    EXPECT_FALSE(saoDib::fromBmpFile(Bytes{'B', 'M'}).isValid());
    EXPECT_FALSE(saoDib::fromBmpFile(Bytes(100, 0)).isValid());
}

// A bitmap whose header claims more pixels than the bound is kept but never
// decoded, and says why in French; the bound itself still decodes nothing
// beyond the bytes present.
TEST(saoDib, DecodingIsBounded) {
    // 12000 x 9000 one-bit pixels: 13.5 MB of bits, 432 MB once decoded.
    saoDib huge(dib(12000, 9000, 1, 0, 0));
    ASSERT_TRUE(huge.isValid());
    EXPECT_TRUE(huge.isTooLarge());
    std::vector<std::uint8_t> rgba;
    EXPECT_FALSE(huge.decodeToRgba(rgba));
    EXPECT_TRUE(rgba.empty());
    EXPECT_EQ(huge.problem(), "Image trop grande : 12000 x 9000 pixels (au plus 100 millions de pixels).");
    const Bytes hugeFile = huge.toBmpFile();
    EXPECT_TRUE(saoDib::fromBmpFile(hugeFile).isTooLarge());

    // 10000 x 10000 claimed by the header, but the bits are not all there.
    Bytes cut = dib(10000, 10000, 24, 0, 0);
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(saoDib(cut).isValid());
    EXPECT_EQ(saoDib(cut).problem(),
              "Image illisible : ce n'est pas une image bitmap ou elle est incomplète.");

    Bytes rle = dib(4, 4, 8, 0, 0);
    put(rle, 16, 1); // RLE8
    EXPECT_EQ(saoDib(rle).problem(), "Image compressée : ce format de bitmap n'est pas pris en charge.");
    EXPECT_EQ(saoDib(dib(2, 2, 24, 0, 0)).problem(), "");
}

} // namespace
} // namespace plexo

namespace plexo {
namespace {

// A 43-byte header packing its bits by masks that the block is too short to hold
// (found by the bitmap fuzz target): unreadable, and said so the same way by
// every reader.
TEST(saoDib, MasksMissingFromAShortBlockMakeItUnreadable) {
    const std::vector<std::uint8_t> block = {
        0x2b, 0x0, 0x0,  0x0,  0x1,  0x0, 0x0,  0x0,  0x1, 0x0, 0x0, 0x0, 0x2,  0x0, 0x10, 0x0,
        0x3,  0x0, 0x0,  0x0,  0x1a, 0x0, 0xcc, 0x3a, 0x0, 0x0, 0x1, 0x0, 0x60, 0x0, 0xbf, 0x8d,
        0x0,  0x3, 0x7b, 0x86, 0x46, 0x0, 0x20, 0x60, 0x0, 0x0, 0x0, 0x0, 0x0,  0x0, 0x0,  0x0};
    const saoDib dib(block);
    std::vector<std::uint8_t> rgba;
    EXPECT_FALSE(dib.decodeToRgba(rgba));
    EXPECT_FALSE(dib.problem().empty());
    EXPECT_FALSE(dib.isValid());
}

} // namespace
} // namespace plexo
