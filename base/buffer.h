// The one byte container through which everything is serialised: container
// records, folios and their objects, document headers, library trees and
// clipboard data. Variable-size data is written in two passes: a measuring
// buffer counts the bytes, allocateMeasured allocates exactly that, and the
// same writer runs again. All multi-byte values are little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

class ObjFile;

class Buffer {
public:
    // The memory block; detachBlock hands it out as it is (clipboard data).
    using Block = std::vector<std::uint8_t>;

    // A measuring buffer: capacity 0, no block; writes only count bytes.
    Buffer();
    // A zero-filled block of n bytes (failed when n is negative or memory runs out).
    explicit Buffer(std::int32_t n);
    // A zero-filled block of n bytes filled from the container file's current
    // position; a short read also sets failed.
    Buffer(ObjFile& container, std::int32_t n);
    // Takes an existing block (clipboard data): capacity is its size.
    explicit Buffer(Block block);
    ~Buffer() = default;

    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    // A moved-from buffer is left as a fresh measuring buffer.
    Buffer(Buffer&& other) noexcept;
    Buffer& operator=(Buffer&& other) noexcept;

    std::int32_t capacity() const { return capacity_; }
    std::int32_t writePos() const { return writePos_; }
    std::int32_t readPos() const { return readPos_; }
    bool failed() const { return failed_; }
    bool hasBlock() const { return hasBlock_; }
    // The block's bytes, or nullptr without a block.
    const std::uint8_t* data() const { return hasBlock_ ? block_.data() : nullptr; }
    // Bytes left to read (never negative).
    std::int32_t remaining() const;

    // Sets the sticky error flag; it is never cleared.
    void fail() { failed_ = true; }

    // Turns a measuring buffer into a real one of writePos bytes.
    void allocateMeasured();
    void write(const void* bytes, std::int32_t n);
    void read(void* destination, std::int32_t n);
    // Moves readPos without any check (later reads fail when it ran past the end).
    void skip(std::int32_t n);
    // Writes the whole block at the container file's current position; false when
    // failed, without a block, or when the file write fails.
    bool writeToFile(ObjFile& container);
    // other.write(this block); fails this buffer when it has no capacity.
    void appendTo(Buffer& other);
    // other.read(into this block); fails this buffer when it has no capacity.
    void fillFrom(Buffer& other);
    // Hands the block out and forgets it; without a block sets failed and returns
    // an empty block.
    Block detachBlock();
    // Forgets the block without failing (for a buffer that wrapped someone else's
    // data); the block is returned to its owner.
    Block release();

    // True when a stored count or length n (of elementSize bytes each) can be read
    // from the bytes left; otherwise sets failed. Every reader checks a count or
    // length taken from the data with this before it allocates or loops.
    bool checkLength(std::int64_t n, std::int64_t elementSize = 1);

    // Typed writers.
    void writeInt32(std::int32_t value);
    void writeUInt32(std::uint32_t value);
    void writeByte(std::uint8_t value);
    void writeBytes(std::string_view bytes) { write(bytes.data(), static_cast<std::int32_t>(bytes.size())); }
    // Fixed text field of n bytes: the text (cut to n - 1 bytes), a NUL, zeros.
    void writeFixedText(std::string_view text, std::int32_t n);
    // Counted text, long form: 4-byte length L, the L bytes and a NUL.
    void writeText(std::string_view text);
    // Counted text, short form: 1-byte length L (cut to 255), the L bytes and a NUL.
    void writeShortText(std::string_view text);

    // Typed readers: on failure the value keeps what it held before; the return
    // value is !failed() afterwards.
    bool readInt32(std::int32_t& value);
    bool readUInt32(std::uint32_t& value);
    bool readByte(std::uint8_t& value);
    // The same, returning the value (0 when the read failed).
    std::int32_t getInt32();
    std::uint8_t getByte();
    // Exactly n bytes into text (n checked against the bytes left).
    bool readBytes(std::string& text, std::int32_t n);
    // Fixed text field of n bytes: the text up to the first NUL.
    bool readFixedText(std::string& text, std::int32_t n);
    // Counted text, long form; at most keepAtMost bytes of it are kept (the rest
    // is read and dropped). A negative or oversized length fails the buffer.
    bool readText(std::string& text, std::int32_t keepAtMost = INT32_MAX);
    // Counted text, short form.
    bool readShortText(std::string& text);

private:
    Block block_;
    std::int32_t capacity_ = 0;
    std::int32_t writePos_ = 0;
    std::int32_t readPos_ = 0;
    bool hasBlock_ = false;
    bool failed_ = false;

    bool allocate(std::int64_t n);
    // The rest of a counted text once its length is read: the bytes and their
    // terminator; keepAtMost as readText's.
    bool readCountedText(std::string& text, std::int32_t length, std::int32_t keepAtMost);
};

} // namespace plexo
