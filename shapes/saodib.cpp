#include "shapes/saodib.h"

#include "base/format.h"

#include <cstring>
#include <limits>

namespace plexo {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12; // BITMAPCOREHEADER
constexpr std::uint32_t kInfoHeaderSize = 40; // BITMAPINFOHEADER and its successors
constexpr std::uint32_t kBitFields = 3;       // compression with three colour masks
constexpr std::size_t kFileHeaderSize = 14;   // "BM", file size, reserved, bits offset

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

int lowestBit(std::uint32_t mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

std::uint8_t maskedChannel(std::uint32_t pixel, std::uint32_t mask) {
    if (!mask)
        return 0;
    const int shift = lowestBit(mask);
    const std::uint32_t max = mask >> shift;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255 / max);
}

} // namespace

saoDib::saoDib(std::vector<std::uint8_t> block) : block_(std::move(block)) {
    deriveHeader();
}

void saoDib::deriveHeader() {
    valid_ = false;
    if (block_.size() < 4)
        return;
    headerSize_ = u32(block_, 0);
    std::int64_t width;
    std::int64_t height;
    if (headerSize_ == kCoreHeaderSize && block_.size() >= kCoreHeaderSize) {
        width = u16(block_, 4);
        height = static_cast<std::int16_t>(u16(block_, 6));
        bitCount_ = u16(block_, 10);
        compression_ = 0;
        colourEntrySize_ = 3;
        colourCount_ = bitCount_ <= 8 ? 1 << bitCount_ : 0;
    } else if (headerSize_ >= kInfoHeaderSize && headerSize_ <= block_.size()) {
        width = static_cast<std::int32_t>(u32(block_, 4));
        height = static_cast<std::int32_t>(u32(block_, 8));
        bitCount_ = u16(block_, 14);
        compression_ = u32(block_, 16);
        colourEntrySize_ = 4;
        const std::uint32_t used = u32(block_, 32);
        if (bitCount_ <= 8)
            colourCount_ = used == 0 || used > (1u << bitCount_) ? 1 << bitCount_ : static_cast<int>(used);
        else
            colourCount_ = used > 256 ? 0 : static_cast<int>(used);
    } else {
        return;
    }
    if (bitCount_ != 1 && bitCount_ != 4 && bitCount_ != 8 && bitCount_ != 16 && bitCount_ != 24 &&
        bitCount_ != 32)
        return;
    if (width <= 0 || height == 0 || width > 65535 || height > 65535 || height < -65535)
        return;
    topDown_ = height < 0;
    width_ = static_cast<std::int32_t>(width);
    height_ = static_cast<std::int32_t>(topDown_ ? -height : height);
    colourTableOffset_ = headerSize_;
    // Three colour masks follow a 40-byte header when the bits are packed by mask.
    if (compression_ == kBitFields && headerSize_ == kInfoHeaderSize)
        colourTableOffset_ += 12;
    pixelOffset_ = colourTableOffset_ +
                   static_cast<std::size_t>(colourCount_) * static_cast<std::size_t>(colourEntrySize_);
    rowStride_ = ((static_cast<std::size_t>(width_) * static_cast<std::size_t>(bitCount_) + 31) / 32) * 4;
    if (pixelOffset_ > block_.size())
        return;
    // The three masks (after a 40-byte header, inside a longer one) must be there.
    if (compression_ == kBitFields && kInfoHeaderSize + 12 > block_.size())
        return;
    // Compressed bits have no fixed size; uncompressed bits must all be present.
    if ((compression_ == 0 || compression_ == kBitFields) &&
        rowStride_ * static_cast<std::size_t>(height_) > block_.size() - pixelOffset_)
        return;
    valid_ = true;
}

saoDib saoDib::fromBmpFile(const std::vector<std::uint8_t>& file) {
    if (file.size() <= kFileHeaderSize || file.size() > kMaxBmpFileBytes || file[0] != 'B' || file[1] != 'M')
        return saoDib();
    return saoDib(std::vector<std::uint8_t>(file.begin() + kFileHeaderSize, file.end()));
}

std::vector<std::uint8_t> saoDib::toBmpFile() const {
    std::vector<std::uint8_t> file(kFileHeaderSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, static_cast<std::uint32_t>(kFileHeaderSize + block_.size()));
    put32(file, 10, static_cast<std::uint32_t>(kFileHeaderSize + (valid_ ? pixelOffset_ : 0)));
    file.insert(file.end(), block_.begin(), block_.end());
    return file;
}

std::string saoDib::problem() const {
    if (!valid_)
        return dibstr::kUnreadable;
    if (isTooLarge())
        return format(dibstr::kTooLarge, width_, height_);
    if (compression_ != 0 && compression_ != kBitFields)
        return dibstr::kCompressed;
    if (compression_ == kBitFields && bitCount_ != 16 && bitCount_ != 32)
        return dibstr::kCompressed;
    return {};
}

bool saoDib::decodeToRgba(std::vector<std::uint8_t>& rgba) const {
    if (!valid_ || isTooLarge() || (compression_ != 0 && compression_ != kBitFields))
        return false;
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F}; // 5-5-5 for 16-bit bits
    if (bitCount_ == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (compression_ == kBitFields) {
        if (bitCount_ != 16 && bitCount_ != 32)
            return false;
        const std::size_t at = headerSize_ == kInfoHeaderSize ? headerSize_ : 40;
        if (at + 12 > block_.size())
            return false;
        for (int i = 0; i < 3; ++i)
            masks[i] = u32(block_, at + 4 * static_cast<std::size_t>(i));
    }
    const std::size_t w = static_cast<std::size_t>(width_);
    const std::size_t h = static_cast<std::size_t>(height_);
    rgba.assign(w * h * 4, 255);
    for (std::size_t y = 0; y < h; ++y) {
        const std::size_t sourceRow = topDown_ ? y : h - 1 - y;
        const std::uint8_t* row = block_.data() + pixelOffset_ + sourceRow * rowStride_;
        std::uint8_t* out = rgba.data() + y * w * 4;
        for (std::size_t x = 0; x < w; ++x, out += 4) {
            std::uint32_t pixel = 0;
            switch (bitCount_) {
            case 1:
                pixel = (row[x / 8] >> (7 - x % 8)) & 1;
                break;
            case 4:
                pixel = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
                break;
            case 8:
                pixel = row[x];
                break;
            case 16:
                pixel = static_cast<std::uint32_t>(row[2 * x] | row[2 * x + 1] << 8);
                break;
            case 24:
                out[2] = row[3 * x];
                out[1] = row[3 * x + 1];
                out[0] = row[3 * x + 2];
                continue;
            case 32:
                pixel = static_cast<std::uint32_t>(row[4 * x]) |
                        static_cast<std::uint32_t>(row[4 * x + 1]) << 8 |
                        static_cast<std::uint32_t>(row[4 * x + 2]) << 16 |
                        static_cast<std::uint32_t>(row[4 * x + 3]) << 24;
                break;
            }
            if (bitCount_ <= 8) {
                if (pixel >= static_cast<std::uint32_t>(colourCount_)) {
                    out[0] = out[1] = out[2] = 0;
                    continue;
                }
                const std::uint8_t* entry =
                    block_.data() + colourTableOffset_ + pixel * static_cast<std::uint32_t>(colourEntrySize_);
                out[0] = entry[2];
                out[1] = entry[1];
                out[2] = entry[0];
            } else {
                out[0] = maskedChannel(pixel, masks[0]);
                out[1] = maskedChannel(pixel, masks[1]);
                out[2] = maskedChannel(pixel, masks[2]);
            }
        }
    }
    return true;
}

} // namespace plexo
