#include "base/textcodec.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(TextCodec, RoundTripsFrenchAndHighControlCharacters) {
    struct Case {
        std::string cp1252;
        std::string utf8;
    };
    const Case cases[] = {
        {"Sch\xe9ma", "Schéma"},
        {"\x80 \x9c \x85", "€ œ …"},
        {"A\xe7ores", "Açores"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252);
    }
}

TEST(TextCodec, UnmappableAndBrokenUtf8LoseNothingSilently) {
    EXPECT_EQ(utf8ToCp1252("\xe4\xb8\xad"), "?"); // a CJK character has no Windows-1252 form
    EXPECT_EQ(utf8ToCp1252("a\xe9"), "a\xe9");    // a lone Latin-1 byte is kept as it is
    EXPECT_EQ(utf8ToCp1252("\xc3"), "\xc3");      // a sequence cut by the end is kept
    EXPECT_EQ(cp1252ToUtf8("\x81"), "\xc2\x81");  // an undefined byte maps to its C1 control
}

} // namespace
} // namespace plexo
