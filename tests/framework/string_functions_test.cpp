#include "framework/string_functions.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace NString;

namespace {

// "é" in UTF-8, and a character outside the Basic Multilingual Plane in both encodings.
constexpr const char* kEAcute = "\xC3\xA9";
constexpr const char* kGrinning8 = "\xF0\x9F\x98\x80";

} // namespace

TEST(TextLength, CountsUnits) {
    const std::string text = std::string("a") + kEAcute + kGrinning8;
    EXPECT_EQ(Length(text.c_str()), 7);
    EXPECT_EQ(Length(u"a\u00E9\U0001F600"), 4);
    EXPECT_EQ(PrefixLength(text.c_str(), 2), 3);
    EXPECT_EQ(PrefixLength(u"\U0001F600x", 1), 2);
    EXPECT_EQ(PrefixLength("ab", 5), 2);
    EXPECT_EQ(Length(static_cast<const char*>(nullptr)), 0);
}

TEST(TextConversion, RoundTripsAndDropsWhatCannotBeEncoded) {
    const std::string utf8 = std::string("x") + kEAcute + kGrinning8;
    ASSERT_EQ(Utf16Length(utf8.c_str()), 4);
    char16_t wide[8];
    EXPECT_EQ(Convert(wide, utf8.c_str()), 4);
    EXPECT_EQ(std::u16string(wide), u"x\u00E9\U0001F600");
    ASSERT_EQ(Utf8Length(wide), 7);
    char narrow[8];
    EXPECT_EQ(Convert(narrow, wide), 7);
    EXPECT_EQ(std::string(narrow), utf8);

    // An encoded surrogate in UTF-8 and a lone surrogate at the end of UTF-16.
    EXPECT_EQ(Utf16Length("a\xED\xA0\x80z"), 2);
    EXPECT_EQ(Convert(wide, "a\xED\xA0\x80z"), 2);
    EXPECT_EQ(std::u16string(wide), u"az");
    const char16_t lone[] = {u'a', 0xD800, 0};
    EXPECT_EQ(Utf8Length(lone), 1);
    EXPECT_EQ(Convert(narrow, lone), 1);
    EXPECT_STREQ(narrow, "a");
}

TEST(TextCompare, ReturnsTheDifferenceOfTheFirstDifferingCharacters) {
    EXPECT_EQ(Compare("abc", "abc"), 0);
    EXPECT_EQ(Compare("abc", "abd"), 'c' - 'd');
    EXPECT_EQ(Compare("ab", "abc"), -'c');
    EXPECT_EQ(Compare("abc", "ab"), 'c');
    // UTF-8 against UTF-8 compares unsigned bytes: 0xC3 against "z".
    EXPECT_EQ(Compare(kEAcute, "z"), 0xC3 - 'z');
    EXPECT_EQ(Compare(static_cast<const char*>(nullptr), ""), 0);

    // UTF-16 compares code points, so a surrogate pair sorts above U+FFFF.
    EXPECT_EQ(Compare(u"\U0001F600", u"\uFFFF"), 0x1F600 - 0xFFFF);
    EXPECT_EQ(Compare(u"a", u"a"), 0);

    EXPECT_EQ(Compare((std::string("x") + kGrinning8).c_str(), u"x\U0001F600"), 0);
    EXPECT_EQ(Compare(kEAcute, u"\u00E8"), 0xE9 - 0xE8);
    EXPECT_EQ(Compare(u"\u00E8", kEAcute), 0xE8 - 0xE9);
    EXPECT_EQ(Compare(u"ab", "a"), 'b');
}

TEST(TextCompare, IgnoresCaseBeyondAscii) {
    EXPECT_EQ(CompareNoCase("\xC3\x89"
                            "COLE",
                            "\xC3\xA9"
                            "cole"),
              0);
    EXPECT_LT(CompareNoCase("ABC", "abd"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_EQ(CompareNoCase(u"\u0391\u0392", u"\u03B1\u03B2"), 0);
    EXPECT_NE(CompareNoCase(u"\u0391", u"\u03B2"), 0);
}

TEST(TextStartsWith, NeedsBothArguments) {
    EXPECT_TRUE(StartsWith("prefix and more", "prefix"));
    EXPECT_TRUE(StartsWith("x", ""));
    EXPECT_FALSE(StartsWith("pre", "prefix"));
    EXPECT_FALSE(StartsWith(static_cast<const char*>(nullptr), ""));
    EXPECT_FALSE(StartsWith(u"x", nullptr));
    EXPECT_TRUE(StartsWith(u"\U0001F600!", u"\U0001F600"));
}

TEST(TextSearch, FindsCodePointsFirstAndLast) {
    const std::string text = std::string("a") + kGrinning8 + "b" + kGrinning8 + "c";
    EXPECT_EQ(FindChar(text.c_str(), U'\U0001F600'), text.c_str() + 1);
    EXPECT_EQ(FindLastChar(text.c_str(), U'\U0001F600'), text.c_str() + 6);
    EXPECT_EQ(FindChar(text.c_str(), U'z'), nullptr);
    // The second byte of a sequence must not be mistaken for a character.
    EXPECT_EQ(FindChar(text.c_str(), char32_t{0x9F}), nullptr);

    const char16_t* wide = u"\U0001F600x\U0001F600";
    EXPECT_EQ(FindChar(wide, U'x'), wide + 2);
    EXPECT_EQ(FindLastChar(wide, U'\U0001F600'), wide + 3);
    EXPECT_EQ(FindChar(wide, char32_t{0xDE00}), nullptr);
}

TEST(TextSearch, FindsText) {
    const char* text = "one two one";
    EXPECT_EQ(FindText(text, "one"), text);
    EXPECT_EQ(FindText(text, "two"), text + 4);
    EXPECT_EQ(FindText(text, "three"), nullptr);
    EXPECT_EQ(FindText(text, ""), text);
    const char16_t* wide = u"one two one";
    EXPECT_EQ(FindText(wide, u"one"), wide);
    EXPECT_EQ(FindText(static_cast<const char*>(nullptr), "x"), nullptr);
}

TEST(TextTrim, RemovesMembersFromBothEnds) {
    char both[] = " \t text \n ";
    EXPECT_EQ(Trim(both, " \t\n"), 4);
    EXPECT_STREQ(both, "text");
    char all[] = "    ";
    EXPECT_EQ(Trim(all, " "), 0);
    EXPECT_STREQ(all, "");

    std::u16string wide = u"\u00A0\U0001F600mid\u00A0";
    EXPECT_EQ(Trim(wide.data(), u"\u00A0\U0001F600"), 3);
    EXPECT_EQ(std::u16string(wide.c_str()), u"mid");
}

TEST(TextEdit, RemovesCharactersInOrNotInASet) {
    std::string text = std::string("1a") + kEAcute + "2b3";
    EXPECT_EQ(RemoveChars(text.data(), "0123456789", CharSelection::InSet), 4);
    EXPECT_EQ(std::string(text.c_str()), std::string("a") + kEAcute + "b");
    EXPECT_EQ(RemoveChars(text.data(), kEAcute, CharSelection::NotInSet), 2);
    EXPECT_EQ(std::string(text.c_str()), kEAcute);

    std::u16string wide = u"x\U0001F600y";
    EXPECT_EQ(RemoveChars(wide.data(), u"\U0001F600", CharSelection::InSet), 2);
    EXPECT_EQ(std::u16string(wide.c_str()), u"xy");
}

TEST(TextLowerCase, MapsUnicodeLettersInPlace) {
    std::string text = "MiXeD \xC3\x89T\xC3\x89 \xCE\x91";
    ToLower(text.data());
    EXPECT_STREQ(text.c_str(), "mixed \xC3\xA9t\xC3\xA9 \xCE\xB1");

    std::u16string wide = u"\u00C9\u0391Z\U00010400";
    ToLower(wide.data());
    EXPECT_EQ(wide, u"\u00E9\u03B1z\U00010428");
}

TEST(TextLowerCase, NeverGrowsTheText) {
    // U+023A lowers to U+2C65, one byte longer in UTF-8: kept as it is there,
    // but lowered in UTF-16 where both take one unit.
    std::string text = "\xC8\xBA"
                       "A";
    ToLower(text.data());
    EXPECT_STREQ(text.c_str(), "\xC8\xBA"
                               "a");
    std::u16string wide = u"\u023A";
    ToLower(wide.data());
    EXPECT_EQ(wide, u"\u2C65");

    // The Kelvin sign (three bytes) lowers to "k" (one byte): the text shrinks.
    std::string kelvin = "\xE2\x84\xAAx";
    ToLower(kelvin.data());
    EXPECT_STREQ(kelvin.c_str(), "kx");
}

TEST(TextNumbers, ParsesDecimal) {
    const char* end = nullptr;
    const char* text = "123abc";
    EXPECT_EQ(ParseDecimal(text, &end), 123);
    EXPECT_EQ(end, text + 3);
    EXPECT_EQ(ParseDecimal("-45"), -45);
    EXPECT_EQ(ParseDecimal("007"), 7);

    for (const char* refused : {"+5", " 5", "-", "", "x1"}) {
        EXPECT_EQ(ParseDecimal(refused, &end), 0) << refused;
        EXPECT_EQ(end, refused) << refused;
    }
    EXPECT_EQ(ParseDecimal(static_cast<const char*>(nullptr)), 0);

    EXPECT_EQ(ParseDecimal("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ParseDecimal("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    // Overflow wraps instead of being undefined.
    EXPECT_EQ(ParseDecimal("9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(ParseDecimal("18446744073709551617"), 1);

    const char16_t* wideEnd = nullptr;
    const char16_t* wide = u"-2024-05";
    EXPECT_EQ(ParseDecimal(wide, &wideEnd), -2024);
    EXPECT_EQ(wideEnd, wide + 5);
}

TEST(TextNumbers, ParsesHexadecimal) {
    const char* end = nullptr;
    const char* text = "0x1fG";
    EXPECT_EQ(ParseHex(text, &end), 0x1Fu);
    EXPECT_EQ(end, text + 4);
    EXPECT_EQ(ParseHex("FF"), 0xFFu);
    EXPECT_EQ(ParseHex("0xaBcDeF"), 0xABCDEFu);
    EXPECT_EQ(ParseHex("FFFFFFFFFFFFFFFF"), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(ParseHex("10000000000000001"), 1u);
    const char* nothing = "0xg";
    EXPECT_EQ(ParseHex(nothing, &end), 0u);
    EXPECT_EQ(end, nothing);
    EXPECT_EQ(ParseHex("-1"), 0u);
}
