#include "framework/utf.h"

#include <gtest/gtest.h>
#include <string>

using namespace NString;

namespace {

std::u32string DecodeAll(const char* text) {
    std::u32string result;
    while (*text != 0)
        result += DecodeNext(text);
    return result;
}

std::u32string DecodeAll(const char16_t* text) {
    std::u32string result;
    while (*text != 0)
        result += DecodeNext(text);
    return result;
}

} // namespace

TEST(Utf8, RoundTripsEveryLengthClassAndRefusesSurrogates) {
    for (char32_t cp : {U'A', U'\u00E9', U'\u4E2D', U'\U0001F600', U'\U0010FFFF'}) {
        char buffer[5] = {};
        const int length = EncodeChar(cp, buffer);
        ASSERT_EQ(length, EncodedLengthUtf8(cp));
        const char* position = buffer;
        EXPECT_EQ(DecodeNext(position), cp);
        EXPECT_EQ(position, buffer + length);
    }
    EXPECT_EQ(EncodedLengthUtf8(0x7F), 1);
    EXPECT_EQ(EncodedLengthUtf8(0x80), 2);
    EXPECT_EQ(EncodedLengthUtf8(0x7FF), 2);
    EXPECT_EQ(EncodedLengthUtf8(0x800), 3);
    EXPECT_EQ(EncodedLengthUtf8(0x10000), 4);
    char buffer[5] = {};
    for (char32_t refused : {0xD800u, 0xDFFFu, 0x110000u})
        EXPECT_EQ(EncodeChar(refused, buffer), 0) << std::hex << static_cast<unsigned>(refused);
}

TEST(Utf8, DecodesWithoutValidationButStopsAtTheTerminator) {
    EXPECT_EQ(DecodeAll("\xC3\xA9x"), U"\u00E9x");
    const char truncated[] = "\xE4\xB8";
    const char* position = truncated;
    DecodeNext(position);
    EXPECT_EQ(position, truncated + 2);
    EXPECT_EQ(*position, '\0');
}

TEST(Utf8, BrokenSequenceDoesNotSwallowFollowingMarkup) {
    // An ISO-8859-1 "e acute" read as UTF-8 announces two continuation bytes.
    const char text[] = "\xE9</a>";
    const char* position = text;
    DecodeNext(position);
    EXPECT_EQ(position, text + 1);
    EXPECT_EQ(DecodeAll(text + 1), U"</a>");
}

TEST(Utf16, SurrogatePairsRoundTrip) {
    char16_t buffer[3] = {};
    ASSERT_EQ(EncodeChar(U'\U0001F600', buffer), 2);
    EXPECT_EQ(buffer[0], 0xD83D);
    EXPECT_EQ(buffer[1], 0xDE00);
    EXPECT_EQ(DecodeAll(u"x\U0001F600y"), U"x\U0001F600y");
    EXPECT_EQ(EncodeChar(char32_t{0xDC00}, buffer), 0);
}

TEST(Utf16, LoneHighSurrogateDoesNotSwallowTheNextUnit) {
    const char16_t text[] = {0xD800, u'<', 0xDC00, 0xD83D, 0xDE00, 0};
    EXPECT_EQ(DecodeAll(text), (std::u32string{0xD800, U'<', 0xDC00, U'\U0001F600'}));
    // Nor is one before the terminator paired with it.
    const char16_t last[] = {0xD83D, 0};
    const char16_t* position = last;
    EXPECT_EQ(DecodeNext(position), 0xD83Du);
    EXPECT_EQ(position, last + 1);
}
