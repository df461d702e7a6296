#include "base/buffer.h"

#include "base/objfile.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace plexo {

Buffer::Buffer() = default;

Buffer::Buffer(std::int32_t n) {
    allocate(n);
}

Buffer::Buffer(Buffer&& other) noexcept {
    *this = std::move(other);
}

Buffer& Buffer::operator=(Buffer&& other) noexcept {
    if (this != &other) {
        block_ = std::move(other.block_);
        capacity_ = other.capacity_;
        writePos_ = other.writePos_;
        readPos_ = other.readPos_;
        hasBlock_ = other.hasBlock_;
        failed_ = other.failed_;
        other.block_ = Block();
        other.capacity_ = other.writePos_ = other.readPos_ = 0;
        other.hasBlock_ = other.failed_ = false;
    }
    return *this;
}

Buffer::Buffer(ObjFile& container, std::int32_t n) {
    if (allocate(n) && n > 0 && !container.readBytes(block_.data(), n))
        failed_ = true;
}

Buffer::Buffer(Block block) : block_(std::move(block)) {
    if (block_.size() > static_cast<std::size_t>(INT32_MAX)) {
        failed_ = true;
        block_.clear();
        return;
    }
    capacity_ = static_cast<std::int32_t>(block_.size());
    hasBlock_ = true;
}

bool Buffer::allocate(std::int64_t n) {
    if (n < 0 || n > INT32_MAX) {
        failed_ = true;
        return false;
    }
    try {
        block_.assign(static_cast<std::size_t>(n), 0);
    } catch (const std::bad_alloc&) {
        failed_ = true;
        return false;
    }
    capacity_ = static_cast<std::int32_t>(n);
    hasBlock_ = true;
    return true;
}

std::int32_t Buffer::remaining() const {
    return readPos_ >= capacity_ ? 0 : capacity_ - readPos_;
}

void Buffer::allocateMeasured() {
    if (capacity_ != 0 || hasBlock_) {
        failed_ = true;
        return;
    }
    if (allocate(writePos_))
        writePos_ = 0;
}

void Buffer::write(const void* bytes, std::int32_t n) {
    if (n < 0 || ((capacity_ != 0 || hasBlock_) && static_cast<std::int64_t>(writePos_) + n > capacity_))
        failed_ = true;
    if (failed_)
        return;
    if (!hasBlock_ && static_cast<std::int64_t>(writePos_) + n > INT32_MAX) {
        failed_ = true; // a measured size must fit a record size
        return;
    }
    if (hasBlock_ && n > 0)
        std::memcpy(block_.data() + writePos_, bytes, static_cast<std::size_t>(n));
    writePos_ += n;
}

void Buffer::read(void* destination, std::int32_t n) {
    if (n < 0 || readPos_ < 0 || static_cast<std::int64_t>(readPos_) + n > capacity_)
        failed_ = true;
    if (failed_)
        return;
    if (n > 0)
        std::memcpy(destination, block_.data() + readPos_, static_cast<std::size_t>(n));
    readPos_ += n;
}

void Buffer::skip(std::int32_t n) {
    // Saturates instead of wrapping; a position past the end makes later reads fail.
    std::int64_t pos = static_cast<std::int64_t>(readPos_) + n;
    readPos_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(pos, INT32_MIN, INT32_MAX));
}

bool Buffer::writeToFile(ObjFile& container) {
    if (failed_ || !hasBlock_)
        return false;
    return container.writeBytes(block_.data(), capacity_);
}

void Buffer::appendTo(Buffer& other) {
    if (capacity_ == 0) {
        failed_ = true;
        return;
    }
    other.write(block_.data(), capacity_);
}

void Buffer::fillFrom(Buffer& other) {
    if (capacity_ == 0) {
        failed_ = true;
        return;
    }
    other.read(block_.data(), capacity_);
}

Buffer::Block Buffer::detachBlock() {
    if (!hasBlock_) {
        failed_ = true;
        return {};
    }
    return release();
}

Buffer::Block Buffer::release() {
    Block block = std::move(block_);
    block_ = Block();
    hasBlock_ = false;
    return block;
}

bool Buffer::checkLength(std::int64_t n, std::int64_t elementSize) {
    if (failed_)
        return false;
    if (n < 0 || elementSize < 0 || (elementSize > 0 && n > remaining() / elementSize)) {
        failed_ = true;
        return false;
    }
    return true;
}

void Buffer::writeInt32(std::int32_t value) {
    writeUInt32(static_cast<std::uint32_t>(value));
}

void Buffer::writeUInt32(std::uint32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16),
                                   static_cast<std::uint8_t>(value >> 24)};
    write(bytes, 4);
}

void Buffer::writeByte(std::uint8_t value) {
    write(&value, 1);
}

void Buffer::writeFixedText(std::string_view text, std::int32_t n) {
    if (n <= 0) {
        if (n < 0)
            failed_ = true;
        return;
    }
    std::string field(static_cast<std::size_t>(n), '\0');
    std::size_t kept = std::min<std::size_t>(text.size(), static_cast<std::size_t>(n - 1));
    kept = std::min(kept, text.find('\0'));
    std::memcpy(field.data(), text.data(), kept);
    write(field.data(), n);
}

void Buffer::writeText(std::string_view text) {
    writeInt32(static_cast<std::int32_t>(text.size()));
    writeBytes(text);
    writeByte(0);
}

void Buffer::writeShortText(std::string_view text) {
    std::string_view kept = text.substr(0, 255);
    writeByte(static_cast<std::uint8_t>(kept.size()));
    writeBytes(kept);
    writeByte(0);
}

bool Buffer::readUInt32(std::uint32_t& value) {
    std::uint8_t bytes[4];
    read(bytes, 4);
    if (failed_)
        return false;
    value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

bool Buffer::readInt32(std::int32_t& value) {
    std::uint32_t raw;
    if (!readUInt32(raw))
        return false;
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool Buffer::readByte(std::uint8_t& value) {
    std::uint8_t byte;
    read(&byte, 1);
    if (failed_)
        return false;
    value = byte;
    return true;
}

std::int32_t Buffer::getInt32() {
    std::int32_t value = 0;
    readInt32(value);
    return value;
}

std::uint8_t Buffer::getByte() {
    std::uint8_t value = 0;
    readByte(value);
    return value;
}

bool Buffer::readBytes(std::string& text, std::int32_t n) {
    if (!checkLength(n))
        return false;
    std::string bytes(static_cast<std::size_t>(n), '\0');
    read(bytes.data(), n);
    if (failed_)
        return false;
    text = std::move(bytes);
    return true;
}

bool Buffer::readFixedText(std::string& text, std::int32_t n) {
    std::string field;
    if (!readBytes(field, n))
        return false;
    field.resize(std::min(field.size(), field.find('\0')));
    text = std::move(field);
    return true;
}

bool Buffer::readCountedText(std::string& text, std::int32_t length, std::int32_t keepAtMost) {
    if (!checkLength(static_cast<std::int64_t>(length) + 1))
        return false;
    std::string bytes;
    if (!readBytes(bytes, length))
        return false;
    skip(1); // the terminator
    if (keepAtMost >= 0 && bytes.size() > static_cast<std::size_t>(keepAtMost))
        bytes.resize(static_cast<std::size_t>(keepAtMost));
    text = std::move(bytes);
    return true;
}

bool Buffer::readText(std::string& text, std::int32_t keepAtMost) {
    std::int32_t length = 0;
    return readInt32(length) && readCountedText(text, length, keepAtMost);
}

bool Buffer::readShortText(std::string& text) {
    std::uint8_t length = 0;
    return readByte(length) && readCountedText(text, length, INT32_MAX);
}

} // namespace plexo
