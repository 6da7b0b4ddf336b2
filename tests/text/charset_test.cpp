#include "framework/utf.h"
#include "text/charset.h"
#include "text/codepage_tables.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>

using namespace NString;

namespace {

constexpr int kUnsupported[] = {0, 5, 1013, 1014, 1015, 1017, 2026, 2249, 2260};

std::string Utf8Of(char32_t codePoint) {
    char encoded[4];
    return std::string(encoded, static_cast<std::size_t>(EncodeChar(codePoint, encoded)));
}

// Code points in a row, letters among them: {'a', 0x4E2D, 'b'}. Not spelt
// "a" + Utf8Of(...): GCC 12 takes that insert at the front of a string for an
// overlapping copy (-Wrestrict).
std::string Utf8Of(std::initializer_list<char32_t> codePoints) {
    std::string text;
    for (const char32_t codePoint : codePoints)
        text += Utf8Of(codePoint);
    return text;
}

// Converts with the explicit-length form and returns exactly the converted bytes.
std::string ToUtf8String(const std::string& bytes, int mibEnum) {
    TStr<char> destination;
    std::size_t length = 0;
    EXPECT_EQ(ToUtf8(destination, bytes.data(), bytes.size(), mibEnum, &length), 1) << mibEnum;
    return std::string(destination.Text(), length);
}

std::string FromUtf8String(const std::string& utf8, int mibEnum) {
    TStr<char> destination;
    std::size_t length = 0;
    EXPECT_EQ(FromUtf8(destination, utf8.data(), utf8.size(), mibEnum, &length), 1) << mibEnum;
    return std::string(destination.Text(), length);
}

std::string UpperHalf() {
    std::string bytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        bytes += static_cast<char>(byte);
    return bytes;
}

} // namespace

// Surrounding spaces match whole names only; without them a name matches
// inside a longer one and the first row wins.
TEST(CharsetFromName, FindsDeclaredNamesWithoutRegardToCase) {
    const std::string overlong = " " + std::string(3000, 'x') + " ";
    const std::pair<const char*, int> cases[] = {
        {" ISO-8859-1 ", kCharsetIso8859_1},
        {" Latin1 ", kCharsetIso8859_1},
        {" US-ASCII ", kCharsetUsAscii},
        {" Latin-9 ", kCharsetIso8859_15},
        {" Shift_JIS ", 17},
        {" Windows-1252 ", 2252},
        {" TIS-620 ", kCharsetTis620},
        {" microsoft-publishing ", 2023},
        {" utf-16 ", kCharsetUtf16},
        {" UTF-16BE ", kCharsetUtf16Be},
        {" utf-16le ", kCharsetUtf16Le},
        {"utf-16", kCharsetUtf16Be},
        {"UTF-8", kCharsetUtf8},
        {nullptr, 0},
        {"", 0},
        {"  ", 0},
        {" no-such-charset ", 0},
        {overlong.c_str(), 0},
    };
    for (const auto& [name, mibEnum] : cases)
        EXPECT_EQ(CharsetFromName(name), mibEnum) << (name ? name : "null");
}

TEST(CharsetConverters, UnsupportedSetsFailAndLeaveTheDestinationAlone) {
    for (int mibEnum : kUnsupported) {
        SCOPED_TRACE(mibEnum);
        EXPECT_FALSE(HasConverter(mibEnum));
        TStr<char> destination("kept");
        std::size_t length = 99;
        EXPECT_EQ(ToUtf8(destination, "a\xE9", mibEnum), 0);
        EXPECT_EQ(ToUtf8(destination, "a\xE9", 2, mibEnum, &length), 0);
        EXPECT_EQ(FromUtf8(destination, "a\xC3\xA9", mibEnum), 0);
        EXPECT_EQ(FromUtf8(destination, "a\xC3\xA9", 3, mibEnum, &length), 0);
        EXPECT_STREQ(destination.Text(), "kept");
        EXPECT_EQ(length, 99u);
    }
}

TEST(CharsetConverters, Utf8CopiesEveryByteUnchecked) {
    const std::string bytes = "a\xFF\xC3\xA9\x80z";
    EXPECT_TRUE(HasConverter(kCharsetUtf8));
    EXPECT_EQ(ToUtf8String(bytes, kCharsetUtf8), bytes);
    EXPECT_EQ(FromUtf8String(bytes, kCharsetUtf8), bytes);
}

// Every single-byte set keeps ASCII as it is, reads each byte as some
// character and writes that character back as the same byte, defined or not,
// so that an unchanged document keeps its bytes.
TEST(CharsetConverters, EverySingleByteSetKeepsAsciiAndRoundTripsEveryByte) {
    std::string bytes;
    for (int byte = 1; byte <= 0xFF; ++byte)
        bytes += static_cast<char>(byte);
    const std::string ascii = bytes.substr(0, 0x7F);
    for (int mibEnum : {3, 4, 111, 2250, 2251, 2252, 2253, 2254, 2255, 2256, 2257, 2258, 2259}) {
        SCOPED_TRACE(mibEnum);
        EXPECT_TRUE(HasConverter(mibEnum));
        EXPECT_EQ(ToUtf8String(ascii, mibEnum), ascii);
        EXPECT_EQ(FromUtf8String(ascii, mibEnum), ascii);
        EXPECT_EQ(FromUtf8String(ToUtf8String(bytes, mibEnum), mibEnum), bytes);
    }
}

TEST(CharsetConverters, UndefinedBytesReadAsTheirPrivateUseCodePoints) {
    const std::pair<int, unsigned char> cases[] = {
        {kCharsetUsAscii, 0x80},
        {kCharsetUsAscii, 0xE9},
        {kCharsetUsAscii, 0xFF},
        {kCharsetTis620, 0x80},
        {kCharsetTis620, 0x9F},
        {2252, 0x81},
        {2253, 0xD2},
        {2255, 0xFC},
    };
    for (const auto& [mibEnum, byte] : cases) {
        const std::string single(1, static_cast<char>(byte));
        EXPECT_EQ(ToUtf8String(single, mibEnum), Utf8Of(kUndefinedByteBase + byte))
            << mibEnum << " " << int(byte);
        EXPECT_EQ(FromUtf8String(Utf8Of(kUndefinedByteBase + byte), mibEnum), single);
    }
    // A set gives back only its own undefined bytes: 0xE9 is defined in
    // TIS-620 and windows-1252, and a C1 control stands for no undefined byte.
    for (int mibEnum : {kCharsetTis620, 2252})
        EXPECT_EQ(FromUtf8String(Utf8Of(kUndefinedByteBase + 0xE9) + Utf8Of(0x81), mibEnum), "")
            << mibEnum;
    EXPECT_EQ(FromUtf8String(Utf8Of(kUndefinedByteBase + 'A') + Utf8Of(0x81), kCharsetUsAscii), "");
}

// Bytes and the characters they stand for, read and written back.
TEST(CharsetConverters, MapBytesToTheirCharactersBothWays) {
    std::string latin1;
    for (char32_t codePoint = 0x80; codePoint <= 0xFF; ++codePoint)
        latin1 += Utf8Of(codePoint);
    struct SCase {
        int mibEnum;
        std::string bytes;
        std::string utf8;
    };
    const SCase cases[] = {
        {kCharsetIso8859_1, UpperHalf(), latin1},
        {kCharsetIso8859_15, "\xA4\xE9\xA6", Utf8Of({0x20AC, 0xE9, 0x160})},
        {kCharsetIso8859_15, "\xBC\xBD\xBE\xA5", Utf8Of({0x152, 0x153, 0x178, 0xA5})},
        {kCharsetTis620, "\xA1\xFB", Utf8Of({0x0E01, 0x0E5B})},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(ToUtf8String(c.bytes, c.mibEnum), c.utf8) << c.mibEnum;
        EXPECT_EQ(FromUtf8String(c.utf8, c.mibEnum), c.bytes) << c.mibEnum;
    }
}

// A character a set cannot hold is dropped: truncating U+4E3C would give '<'
// and break the markup, and an overlong sequence is no ASCII character.
TEST(CharsetConverters, DropWhatTheyCannotRepresent) {
    struct SCase {
        int mibEnum;
        std::string utf8;
    };
    const SCase cases[] = {
        {kCharsetIso8859_1, Utf8Of({'a', 0x4E2D, 'b'})},
        {kCharsetIso8859_1, Utf8Of({'a', 0x4E3C, 0x20AC, 0x1F600, 'b'})},
        {kCharsetIso8859_15, Utf8Of({'a', 0xA4, 0xBD, 0x4E2D, 'b'})},
        {2252, Utf8Of({'a', 0x4E2D, 0x410, 'b'})},
        {kCharsetTis620, Utf8Of({'a', 0x0DFF, 0x0E60, 0xE9, 'b'})},
        {kCharsetIso8859_1, "a\xC0\xBC"
                            "b"},
        {2252, "a\xC0\xA0"
               "b"},
        {kCharsetIso8859_15, "a\xE0\x80\xBC"
                             "b"},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(FromUtf8String(c.utf8, c.mibEnum), "ab") << c.mibEnum;
}

// Every byte against the published tables, both ways.
TEST(WindowsCodePages, RoundTripEveryByteThroughItsTableEntry) {
    for (int index = 0; index < kWindowsCodePageCount; ++index) {
        const int mibEnum = kCharsetWindows1250 + index;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            SCOPED_TRACE(testing::Message() << mibEnum << " byte " << byte);
            const std::string single(1, static_cast<char>(byte));
            const std::string utf8 = ToUtf8String(single, mibEnum);
            EXPECT_EQ(utf8, Utf8Of(kWindowsCodePageTables[index][byte - 0x80]));
            EXPECT_EQ(FromUtf8String(utf8, mibEnum), single);
        }
    }
}

TEST(CharsetConversion, ExplicitLengthKeepsZeroBytes) {
    const std::string latin1("a\0\xE9", 3);
    const std::string utf8("a\0\xC3\xA9", 4);
    EXPECT_EQ(ToUtf8String(latin1, kCharsetIso8859_1), utf8);
    EXPECT_EQ(FromUtf8String(utf8, kCharsetIso8859_1), latin1);
    EXPECT_EQ(ToUtf8String(std::string("\0\x80", 2), 2252), std::string("\0", 1) + Utf8Of(0x20AC));
}

// The result replaces whatever the destination held.
TEST(CharsetConversion, ZeroTerminatedFormStopsAtTheTerminator) {
    TStr<char> destination("a previous value much longer than the inline buffer");
    EXPECT_EQ(ToUtf8(destination, "caf\xE9\0\xE9", kCharsetIso8859_1), 1);
    EXPECT_EQ(std::string(destination.Text()), "caf" + Utf8Of(0xE9));
    EXPECT_EQ(FromUtf8(destination, "caf\xC3\xA9", kCharsetIso8859_1), 1);
    EXPECT_STREQ(destination.Text(), "caf\xE9");
    EXPECT_EQ(ToUtf8(destination, nullptr, kCharsetIso8859_1), 1);
    EXPECT_STREQ(destination.Text(), "");
}

TEST(CharsetConversion, NeverReadsBeyondTheGivenLength) {
    // The sequence C3 A9 is cut after its lead byte; A9 lies outside the source.
    const char bytes[] = "\xC3\xA9";
    TStr<char> destination;
    std::size_t length = 99;
    EXPECT_EQ(FromUtf8(destination, bytes, 1, kCharsetIso8859_1, &length), 1);
    EXPECT_EQ(length, 0u);
}

TEST(CharsetConversion, SourceMayBeTheDestinationsOwnText) {
    const char latin1[] = "cr\xE8me br\xFBl\xE9"
                          "e, na\xEF"
                          "ve";
    const char utf8[] = "cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                        "e, na\xC3\xAF"
                        "ve";
    TStr<char> text(latin1);
    EXPECT_EQ(ToUtf8(text, text.Text(), kCharsetIso8859_1), 1);
    EXPECT_STREQ(text.Text(), utf8);
    EXPECT_EQ(FromUtf8(text, text.Text(), kCharsetIso8859_1), 1);
    EXPECT_STREQ(text.Text(), latin1);
}

TEST(CharsetConversion, NeverWritesIntoBorrowedText) {
    const char lender[] = "borrowed text";
    TStr<char> destination;
    destination.Borrow(lender);
    EXPECT_EQ(ToUtf8(destination, "x\xE9", kCharsetIso8859_1), 1);
    EXPECT_EQ(std::string(destination.Text()), Utf8Of({'x', 0xE9}));
    EXPECT_STREQ(lender, "borrowed text");
    EXPECT_FALSE(destination.IsBorrowed());
}
