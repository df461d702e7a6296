// A device-independent bitmap kept packed in one memory block (header, colour
// table, pixel bits), as stored with picture objects (kind 11) and exchanged
// through the clipboard and ".bmp" files. The header information is derived from
// the block and checked against its size, so a damaged block is never read past
// its end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plexo {

// The largest bitmap decoded (100 million pixels, 400 MB once decoded): a
// picture from a document, a ".bmp" file or another program beyond it is kept
// as it is but never decoded, whatever its header claims.
inline constexpr std::int64_t kMaxDibPixels = 100'000'000;
// The largest ".bmp" file taken: the pixels of the largest bitmap at 32 bits,
// with room for the headers and the colour table.
inline constexpr std::size_t kMaxBmpFileBytes = 4 * static_cast<std::size_t>(kMaxDibPixels) + (1u << 16);

namespace dibstr {
inline constexpr const char* kTooLarge = "Image trop grande : %d x %d pixels (au plus 100 millions de pixels).";
inline constexpr const char* kUnreadable = "Image illisible : ce n'est pas une image bitmap ou elle est incomplète.";
inline constexpr const char* kCompressed = "Image compressée : ce format de bitmap n'est pas pris en charge.";
} // namespace dibstr

class saoDib {
public:
    saoDib() = default;
    // Takes the block as stored (it may be larger than the bitmap itself).
    explicit saoDib(std::vector<std::uint8_t> block);
    // The bitmap of a ".bmp" file (its 14-byte file header is dropped); invalid when
    // the bytes are not a bitmap file or are more than kMaxBmpFileBytes.
    static saoDib fromBmpFile(const std::vector<std::uint8_t>& file);
    // The same bitmap as a ".bmp" file.
    std::vector<std::uint8_t> toBmpFile() const;

    const std::vector<std::uint8_t>& block() const { return block_; }
    std::int32_t blockSize() const { return static_cast<std::int32_t>(block_.size()); }

    // The header is understood and the pixel bits lie inside the block.
    bool isValid() const { return valid_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; } // always positive
    bool isTopDown() const { return topDown_; }     // stored with a negative height
    int bitCount() const { return bitCount_; }
    int colourCount() const { return colourCount_; } // entries of the colour table
    std::uint32_t compression() const { return compression_; }
    std::uint32_t headerSize() const { return headerSize_; }
    std::size_t pixelOffset() const { return pixelOffset_; } // offset of the bits in the block
    std::size_t rowStride() const { return rowStride_; }     // bytes per row (4-byte aligned)

    // More than kMaxDibPixels pixels: never decoded.
    bool isTooLarge() const { return valid_ && std::int64_t{width_} * height_ > kMaxDibPixels; }
    // Why decodeToRgba refuses the bitmap (French, UTF-8); empty when it decodes.
    std::string problem() const;

    // Decodes uncompressed 1, 4, 8, 16, 24 and 32-bit bitmaps into top-down RGBA
    // (4 bytes a pixel, alpha 255). False for an invalid, compressed or too large
    // bitmap; the pixels it reads all lie in the block.
    bool decodeToRgba(std::vector<std::uint8_t>& rgba) const;

private:
    std::vector<std::uint8_t> block_;
    bool valid_ = false;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    bool topDown_ = false;
    int bitCount_ = 0;
    int colourCount_ = 0;
    int colourEntrySize_ = 4;
    std::uint32_t compression_ = 0;
    std::uint32_t headerSize_ = 0;
    std::size_t colourTableOffset_ = 0;
    std::size_t pixelOffset_ = 0;
    std::size_t rowStride_ = 0;

    void deriveHeader();
};

// A metafile (kind 12) or device-dependent bitmap (kind 13) picture as held in
// memory: rendered to RGBA pixels. These pictures are not stored with the document.
struct ShapePicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba; // width * height * 4 bytes, top-down
};

} // namespace plexo
