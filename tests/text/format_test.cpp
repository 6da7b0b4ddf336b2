#include "text/format.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace NString;

namespace {

template <typename T> std::size_t UnitLength(const T* text) {
    return std::char_traits<T>::length(text);
}

// Formats into a roomy buffer, into a string that must grow from its small
// inline buffer and into a working string; all three must agree.
template <typename T, typename... Args>
std::basic_string<T> Formatted(const T* format, const Args&... args) {
    T buffer[1024];
    const std::size_t length = Format(buffer, format, args...);
    EXPECT_EQ(length, UnitLength(buffer));
    const std::basic_string<T> result(buffer, length);

    TStr<T> small;
    EXPECT_EQ(Format(small, format, args...), 1);
    EXPECT_EQ(std::basic_string<T>(small.Text()), result);
    TWorkStr<T> work;
    EXPECT_EQ(Format(work, format, args...), 1);
    EXPECT_EQ(std::basic_string<T>(work.Text()), result);
    return result;
}

} // namespace

TEST(Format, ProducesTheMessagesTheProgramUses) {
    EXPECT_EQ(Formatted("{0s}List\\{1Z2d}", u"Software", 3), "SoftwareList\\03");
    EXPECT_EQ(Formatted(u"{0s}List\\{1Z2d}", u"Software", 3), u"SoftwareList\\03");
    EXPECT_EQ(Formatted("{0d}-{1c}: ", 12, 'A'), "12-A: ");
    EXPECT_EQ(Formatted(u"{0d}-{1c}: ", 12, u'A'), u"12-A: ");
    EXPECT_EQ(Formatted("{0As} and {1Us}", "utf-8", u"utf-16"), "utf-8 and utf-16");
}

TEST(Format, MatchesArgumentsByPositionWhateverThePlaceholdersName) {
    EXPECT_EQ(Formatted("{1Z4d}-{2Z2d}", 0, 2024, 5), "2024-05");
    // The unused argument may have any type.
    EXPECT_EQ(Formatted("{1Z4d}-{2Z2d}", "unused", 2024, 5), "2024-05");
    EXPECT_EQ(Formatted("{2d}{0d}{1d}", 1, 2, 3), "312");
    EXPECT_EQ(Formatted("{0d} {0x} {0Z4d}", 255), "255 FF 0255");
    // Each placeholder of an index checks the argument against its own type.
    EXPECT_EQ(Formatted("[{0s}|{0d}|{0s}]", 5), "[|5|]");
    // Letters name arguments 10 to 35; a letter index is never taken for a prefix.
    EXPECT_EQ(Formatted("{Ad}/{Bs}/{As}", 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, "eleven"),
              "10/eleven/");
}

// Doubled and stray braces, unclosed placeholders (the output ends, keeping
// what came before) and placeholders without index, type or argument, each
// formatted with the single argument 5. A doubled brace consumes no argument;
// the append marker "{+}" means something only at the very start.
TEST(Format, MalformedPlaceholdersAndBraces) {
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {{"{{0d}", "{0d}"},
                 {"{{0d} {0d}", "{0d} 5"},
                 {"a}b{0d}}", "a}b5}"},
                 {"ends with {{", "ends with {"},
                 {"ab{", "ab"},
                 {"[{}][{a}][{+d}][{0}]", "[][][][]"},
                 {"x{+}y", "xy"},
                 {"[{0q}][{0R}][{05}]", "[][][]"},
                 {"[{0d}|{1d}|{Zd}]", "[5||]"}};
    for (const auto& c : cases)
        EXPECT_EQ(Formatted(c.format, 5), c.expected) << c.format;
    EXPECT_EQ(Formatted("ab{0d}cd{1d", 5, 6), "ab5cd");
    EXPECT_EQ(Formatted(u"x{0s", u"never"), u"x");
    EXPECT_EQ(Formatted("[{0d}]"), "[]");
}

TEST(Format, MismatchedArgumentsWriteNothing) {
    // Each line pairs a type with arguments it does not take.
    EXPECT_EQ(Formatted("[{0d}{1d}{2d}]", std::int64_t{1}, "x", u"y"), "[]");
    EXPECT_EQ(Formatted("[{0u}{1x}{2c}]", std::int64_t{1}, std::uint64_t{1}, u"x"), "[]");
    EXPECT_EQ(Formatted("[{0l}{1l}{2s}{3s}]", "x", u"y", 7, std::uint64_t{7}), "[]");
    // The same arguments print once they meet their own types.
    EXPECT_EQ(Formatted("[{0l}|{1l}|{2s}|{3s}]", std::int64_t{1}, std::uint64_t{2}, "x", u"y"),
              "[1|2|x|y]");
}

TEST(Format, EdgeValuesOfTheIntegerTypes) {
    constexpr auto kMin32 = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(Formatted("{0d}", kMin32), "-2147483648");
    EXPECT_EQ(Formatted("{0d}", 0), "0");
    EXPECT_EQ(Formatted("{0x}", -1), "FFFFFFFF");
    // The 32-bit types read the argument's 32 bits.
    EXPECT_EQ(Formatted("{0u}", -1), "4294967295");
    EXPECT_EQ(Formatted("{0d}", 0x80000000u), "-2147483648");
    // "l" prints the value of any integer.
    EXPECT_EQ(Formatted("{0l}", std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(Formatted("{0l}", std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
    EXPECT_EQ(Formatted("{0l} {1l}", -5, 4000000000u), "-5 4000000000");
}

TEST(Format, NumberFieldsPadAndPlaceTheSign) {
    EXPECT_EQ(Formatted("[{0Z4d}]", 5), "[0005]");
    // With zero padding the minus sign stands outside the width.
    EXPECT_EQ(Formatted("[{0Z4d}]", -5), "[-0005]");
    EXPECT_EQ(Formatted("[{0RZ4d}]", -5), "[-0005]");
    // Without it the sign is part of the padded field.
    EXPECT_EQ(Formatted("[{04d}]", -5), "[-5  ]");
    EXPECT_EQ(Formatted("[{0R4d}]", -5), "[  -5]");
    EXPECT_EQ(Formatted("[{0R4x}]", 255), "[  FF]");
    // A field wider than the width is never cut.
    EXPECT_EQ(Formatted("[{0Z2d}|{0R2d}]", 12345), "[12345|12345]");
    // Digits on both sides of other spec characters make up one width.
    EXPECT_EQ(Formatted("[{01R2d}]", 7), "[           7]");
}

TEST(Format, WidthIsCappedAt256) {
    EXPECT_EQ(Formatted("{0999d}", 1), "1" + std::string(255, ' '));
    EXPECT_EQ(Formatted("{0Z99999999999999999999d}", 1), std::string(255, '0') + "1");
    EXPECT_EQ(Formatted("{0R300s}", "x"), std::string(255, ' ') + "x");
}

TEST(Format, TextArgumentsArePaddedInOutputUnits) {
    EXPECT_EQ(Formatted("[{05s}]", "ab"), "[ab   ]");
    EXPECT_EQ(Formatted("[{0R5s}]", "ab"), "[   ab]");
    EXPECT_EQ(Formatted("[{01s}]", "abc"), "[abc]");
    // U+00E9 takes two bytes of UTF-8 and one UTF-16 unit.
    EXPECT_EQ(Formatted("[{0R4s}]", u"\u00E9"), "[  \xC3\xA9]");
    EXPECT_EQ(Formatted(u"[{0R4s}]", "\xC3\xA9"), u"[   \u00E9]");
    EXPECT_EQ(Formatted("[{04s}]", "\xC3\xA9"), "[\xC3\xA9  ]");
    EXPECT_EQ(Formatted("[{03s}]", static_cast<const char*>(nullptr)), "[   ]");
}

TEST(Format, TextIsConvertedToTheOutputEncoding) {
    const char utf8[] = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z";
    const char16_t utf16[] = u"a\u00E9\u4E2D\U0001F600z";
    EXPECT_EQ(Formatted("{0s}", utf16), utf8);
    EXPECT_EQ(Formatted(u"{0As}", utf8), utf16);
    // The surrogate pair counts two units of padding, its UTF-8 form four bytes.
    EXPECT_EQ(Formatted(u"[{0R4As}]", "\xF0\x9F\x98\x80"), u"[  \U0001F600]");
    EXPECT_EQ(Formatted("[{0R6s}]", u"\U0001F600"), "[  \xF0\x9F\x98\x80]");
    // The argument knows its encoding, so a prefix that disagrees changes nothing.
    EXPECT_EQ(Formatted("{0s}{1As}", "\xC3\xA9", u"\u00E9"), "\xC3\xA9\xC3\xA9");
    // A lone surrogate cannot be encoded in UTF-8 and is dropped.
    const char16_t lone[] = {u'a', 0xD800, 0};
    EXPECT_EQ(Formatted("[{0s}]", lone), "[a]");
}

TEST(Format, StringObjectsAreArgumentsToo) {
    const TStr<char> name("name");
    const TWorkStr<char16_t> title(u"T\u00EFtle");
    EXPECT_EQ(Formatted("{0s}: {1s}", name, title), "name: T\xC3\xAFtle");
    EXPECT_EQ(Formatted(u"{0s}: {1s}", name, title), u"name: T\u00EFtle");
}

TEST(FormatBuffer, NeverWritesBeyondItsCapacity) {
    char storage[9];
    std::memset(storage, 'G', sizeof storage);
    EXPECT_EQ(Format(storage, 8, "{0s}", "abcdefghijkl"), 7u);
    EXPECT_STREQ(storage, "abcdefg");
    EXPECT_EQ(storage[8], 'G');

    std::memset(storage, 'G', sizeof storage);
    EXPECT_EQ(Format(storage, 4, "{010d}", 5), 3u);
    EXPECT_STREQ(storage, "5  ");
    EXPECT_EQ(storage[4], 'G');
}

TEST(FormatBuffer, AppendsAfterTheTextAlreadyThere) {
    char buffer[16] = "total ";
    EXPECT_EQ(Format(buffer, "{+}{0d}", 7), 7u);
    EXPECT_STREQ(buffer, "total 7");

    char16_t wide[16] = u"x=";
    EXPECT_EQ(Format(wide, u"{+}{0Z3d}", 4), 5u);
    EXPECT_EQ(std::u16string(wide), u"x=004");

    char partly[6] = "abc";
    EXPECT_EQ(Format(partly, "{+}{0s}", "defgh"), 5u);
    EXPECT_STREQ(partly, "abcde");
}

TEST(FormatString, GrowsReplacesAndAppends) {
    TStr<char> text;
    EXPECT_EQ(Format(text, "{0s} has {1d} items", "a rather long name", 42), 1);
    EXPECT_STREQ(text.Text(), "a rather long name has 42 items");
    EXPECT_EQ(Format(text, "{0d}", 1), 1);
    EXPECT_STREQ(text.Text(), "1");
    EXPECT_EQ(Format(text, "{+}, {0d}", 2), 1);
    EXPECT_EQ(Format(text, "{+}, {0s}", "and a number long enough to need a new block"), 1);
    EXPECT_STREQ(text.Text(), "1, 2, and a number long enough to need a new block");

    TStr<char16_t> wide(u"\U0001F600");
    EXPECT_EQ(Format(wide, u"{+} {0As}", "\xC3\xA9t\xC3\xA9"), 1);
    EXPECT_EQ(std::u16string(wide.Text()), u"\U0001F600 \u00E9t\u00E9");
}

TEST(FormatString, NeverWritesIntoBorrowedText) {
    const char lent[] = "lent";
    TStr<char> text;
    text.Borrow(lent);
    EXPECT_EQ(Format(text, "{+}!"), 1);
    EXPECT_STREQ(text.Text(), "lent!");
    EXPECT_STREQ(lent, "lent");
    EXPECT_FALSE(text.IsBorrowed());
}

TEST(FormatString, ArgumentsMayReadTheStringBeingWritten) {
    TWorkStr<char> work("abc");
    EXPECT_EQ(Format(work, "{+}{0s}", work), 1);
    EXPECT_STREQ(work.Text(), "abcabc");
    EXPECT_EQ(Format(work, "<{0s}>", work), 1);
    EXPECT_STREQ(work.Text(), "<abcabc>");

    TStr<char16_t> onHeap(u"abcdefgh");
    EXPECT_EQ(Format(onHeap, u"{0s}{0s}", onHeap), 1);
    EXPECT_EQ(std::u16string(onHeap.Text()), u"abcdefghabcdefgh");
}
