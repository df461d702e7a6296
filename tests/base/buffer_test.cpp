#include "base/buffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace plexo {
namespace {

TEST(Buffer, MeasuringPassThenExactAllocation) {
    Buffer b;
    b.writeInt32(7);
    b.writeByte(1);
    EXPECT_EQ(b.writePos(), 5);
    EXPECT_EQ(b.capacity(), 0);
    EXPECT_FALSE(b.hasBlock());
    b.allocateMeasured();
    EXPECT_FALSE(b.failed());
    EXPECT_EQ(b.capacity(), 5);
    EXPECT_EQ(b.writePos(), 0);
    b.writeInt32(7);
    b.writeByte(1);
    EXPECT_FALSE(b.failed());
    b.writeByte(2); // one byte more than measured
    EXPECT_TRUE(b.failed());
}

TEST(Buffer, AllocateMeasuredTwiceFails) {
    Buffer sized(4);
    sized.allocateMeasured();
    EXPECT_TRUE(sized.failed());

    Buffer empty; // measured nothing: a real buffer of 0 bytes, then a second call fails
    empty.allocateMeasured();
    EXPECT_FALSE(empty.failed());
    empty.allocateMeasured();
    EXPECT_TRUE(empty.failed());
}

TEST(Buffer, OverrunIsStickyAndCopiesNothing) {
    Buffer b(2);
    const char bytes[] = {'a', 'b', 'c'};
    b.write(bytes, 3);
    EXPECT_TRUE(b.failed());
    EXPECT_EQ(b.writePos(), 0);
    EXPECT_EQ(b.data()[0], 0);
    b.write(bytes, 1);
    EXPECT_EQ(b.writePos(), 0);
    EXPECT_EQ(b.data()[0], 0);

    // A zero-byte real buffer never takes a byte.
    Buffer none(0);
    none.writeByte(1);
    EXPECT_TRUE(none.failed());
}

TEST(Buffer, ReadingPastTheEndKeepsTheDestination) {
    Buffer b(Buffer::Block{1, 0, 0, 0, 9});
    std::int32_t v = -5;
    EXPECT_TRUE(b.readInt32(v));
    EXPECT_EQ(v, 1);
    std::int32_t w = 42;
    EXPECT_FALSE(b.readInt32(w)); // only one byte left
    EXPECT_EQ(w, 42);
    std::uint8_t byte = 3;
    EXPECT_FALSE(b.readByte(byte)); // refused although a byte is left
    EXPECT_EQ(byte, 3);
    EXPECT_EQ(b.getInt32(), 0);
}

TEST(Buffer, LittleEndianEncodings) {
    Buffer b;
    auto writeAll = [](Buffer& out) {
        out.writeInt32(0x01020304);
        out.writeInt32(-2);
        out.writeUInt32(0xA0B0C0D0u);
        out.writeByte(0xEE);
        out.writeText("abc");
        out.writeShortText("Arial");
        out.writeFixedText("toolong", 4);
        out.writeFixedText("", 2);
    };
    writeAll(b);
    ASSERT_EQ(b.writePos(), 4 + 4 + 4 + 1 + (4 + 4) + (1 + 6) + 4 + 2);
    b.allocateMeasured();
    writeAll(b);
    ASSERT_FALSE(b.failed());
    const std::uint8_t expected[] = {4,    3,   2,   1, 0xFE, 0xFF, 0xFF, 0xFF, 0xD0, 0xC0, 0xB0, 0xA0,
                                     0xEE, 3,   0,   0, 0,    'a',  'b',  'c',  0,    5,    'A',  'r',
                                     'i',  'a', 'l', 0, 't',  'o',  'o',  0,    0,    0};
    ASSERT_EQ(sizeof expected, static_cast<std::size_t>(b.capacity()));
    EXPECT_EQ(std::memcmp(b.data(), expected, sizeof expected), 0);

    Buffer r(b.detachBlock());
    std::int32_t a = 0, c = 0;
    std::uint32_t u = 0;
    std::string text, face, fixed, empty = "x";
    EXPECT_TRUE(r.readInt32(a));
    EXPECT_TRUE(r.readInt32(c));
    EXPECT_TRUE(r.readUInt32(u));
    EXPECT_EQ(r.getByte(), 0xEE);
    EXPECT_TRUE(r.readText(text));
    EXPECT_TRUE(r.readShortText(face));
    EXPECT_TRUE(r.readFixedText(fixed, 4));
    EXPECT_TRUE(r.readFixedText(empty, 2));
    EXPECT_EQ(a, 0x01020304);
    EXPECT_EQ(c, -2);
    EXPECT_EQ(u, 0xA0B0C0D0u);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(face, "Arial");
    EXPECT_EQ(fixed, "too");
    EXPECT_EQ(empty, "");
    EXPECT_EQ(r.remaining(), 0);
}

TEST(Buffer, HostileLengthsFailWithoutAllocating) {
    struct Case {
        const char* name;
        Buffer::Block bytes;
    };
    const Case cases[] = {
        {"huge length", {0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}},
        {"negative length", {0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}},
        {"terminator missing", {0x02, 0, 0, 0, 'a', 'b'}},
        {"length header cut", {0x02, 0}},
    };
    for (const Case& c : cases) {
        Buffer b(c.bytes);
        std::string text = "before";
        EXPECT_FALSE(b.readText(text)) << c.name;
        EXPECT_TRUE(b.failed()) << c.name;
        EXPECT_EQ(text, "before") << c.name;
    }
    Buffer shortForm(Buffer::Block{200, 'a', 'b', 0});
    std::string face = "kept";
    EXPECT_FALSE(shortForm.readShortText(face));
    EXPECT_EQ(face, "kept");
}

TEST(Buffer, CheckLengthCountsElements) {
    Buffer b(16);
    EXPECT_TRUE(b.checkLength(2, 8));
    EXPECT_TRUE(b.checkLength(0, 8));
    EXPECT_FALSE(b.checkLength(3, 8));
    EXPECT_TRUE(b.failed());
    Buffer c(16);
    EXPECT_FALSE(c.checkLength(-1));
    Buffer d(16);
    EXPECT_FALSE(d.checkLength(INT32_MAX, 9));
}

TEST(Buffer, LongTextKeepsAtMostTheCap) {
    Buffer b;
    b.writeText("abcdef");
    b.writeByte(7);
    b.allocateMeasured();
    b.writeText("abcdef");
    b.writeByte(7);
    Buffer r(b.detachBlock());
    std::string text;
    EXPECT_TRUE(r.readText(text, 3));
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(r.getByte(), 7); // the rest of the text and its terminator were consumed
}

TEST(Buffer, AppendFillAndDetach) {
    Buffer part(Buffer::Block{1, 2, 3});
    Buffer whole(5);
    part.appendTo(whole);
    part.appendTo(whole); // 3 more bytes do not fit in the 2 left
    EXPECT_TRUE(whole.failed());
    EXPECT_FALSE(part.failed());
    EXPECT_EQ(whole.writePos(), 3);

    Buffer measuring;
    Buffer target(4);
    measuring.appendTo(target);
    EXPECT_TRUE(measuring.failed());

    Buffer source(Buffer::Block{9, 8, 7, 6});
    Buffer into(3);
    into.fillFrom(source);
    EXPECT_EQ(into.data()[0], 9);
    EXPECT_EQ(into.data()[2], 7);
    EXPECT_EQ(source.readPos(), 3);

    Buffer::Block block = into.detachBlock();
    EXPECT_EQ(block, (Buffer::Block{9, 8, 7}));
    EXPECT_FALSE(into.hasBlock());
    EXPECT_EQ(into.data(), nullptr);
    EXPECT_FALSE(into.failed());
    EXPECT_TRUE(into.detachBlock().empty());
    EXPECT_TRUE(into.failed());

    Buffer wrapped(Buffer::Block{1});
    EXPECT_EQ(wrapped.release(), Buffer::Block{1});
    EXPECT_FALSE(wrapped.failed());
}

TEST(Buffer, NegativeSizeFails) {
    Buffer b(-1);
    EXPECT_TRUE(b.failed());
    EXPECT_FALSE(b.hasBlock());
}

TEST(Buffer, MovingHandsOverTheBlock) {
    Buffer a(Buffer::Block{1, 2, 3});
    a.getByte();
    Buffer b(std::move(a));
    EXPECT_EQ(b.capacity(), 3);
    EXPECT_EQ(b.readPos(), 1);
    EXPECT_EQ(b.getByte(), 2);
    EXPECT_FALSE(a.hasBlock()); // NOLINT(bugprone-use-after-move): the moved-from state is defined
    EXPECT_EQ(a.capacity(), 0);
    std::uint8_t v = 9;
    EXPECT_FALSE(a.readByte(v));
    EXPECT_EQ(v, 9);
}

} // namespace
} // namespace plexo
