// Reading Windows-1252 bytes and writing code points as UTF-8: the one
// decoder the program and the database builder share.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"

namespace pantrio {
namespace {

struct Decoding {
    const char* bytes;
    const char* utf8;
};

TEST(TextEncoding, Windows1252BytesBecomeTheirCharacters) {
    const Decoding cases[] = {
        {"caf\xE9", "caf\xC3\xA9"},  // é, the Latin-1 half
        {"\x80 \x93quoted\x94", "\xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // unassigned
    };
    for (const Decoding& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.bytes), c.utf8) << c.bytes;
        EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(c.bytes)));
        // Text that is already UTF-8 is kept; the bytes above are not.
        EXPECT_EQ(EnsureUtf8(c.utf8), c.utf8);
        EXPECT_EQ(EnsureUtf8(c.bytes), c.utf8);
    }
}

TEST(TextEncoding, CodePointsUTF8CannotCarryBecomeTheReplacementCharacter) {
    const struct {
        char32_t cp;
        const char* utf8;
    } cases[] = {
        {U'A', "A"},
        {0xE9, "\xC3\xA9"},
        {0x20AC, "\xE2\x82\xAC"},
        {0x1F600, "\xF0\x9F\x98\x80"},
        {0xD800, "\xEF\xBF\xBD"},
        {0x110000, "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendUtf8(out, c.cp);
        EXPECT_EQ(out, c.utf8) << static_cast<unsigned long>(c.cp);
    }
}

}  // namespace
}  // namespace pantrio
