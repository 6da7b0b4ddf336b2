#include "text/char_classes.h"

#include <gtest/gtest.h>

using namespace NString;

TEST(XmlName, StartCharacters) {
    for (char32_t start :
         {U'A', U'z', U':', U'_', U'\u00C0', U'\u00F8', U'\u02FF', U'\u0370', U'\u037F', U'\u200C',
          U'\u200D', U'\u2070', U'\u3001', U'\uFDF0', U'\uFFFD', U'\U00010000', U'\U000EFFFF'})
        EXPECT_TRUE(IsNameStartChar(start)) << std::hex << static_cast<unsigned>(start);
    for (char32_t other :
         {U'-', U'.', U'0', U'9', U'\u00B7', U'\u00D7', U'\u00F7', U'\u0300', U'\u037E', U'\u200E',
          U'\u203F', U'\u3000', U'\uFDD0', U'\uFFFE', U'\U000F0000', U'<', U' '})
        EXPECT_FALSE(IsNameStartChar(other)) << std::hex << static_cast<unsigned>(other);
}

TEST(XmlName, NameCharactersAddDigitsPunctuationAndMarks) {
    for (char32_t name : {U'-', U'.', U'0', U'9', U'\u00B7', U'\u0300', U'\u036F', U'\u203F',
                          U'\u2040', U'a', U'\U00010000'})
        EXPECT_TRUE(IsNameChar(name)) << std::hex << static_cast<unsigned>(name);
    for (char32_t other : {U'/', U'<', U'>', U'=', U'"', U' ', U'\u00D7', U'\u037E', U'\u2041',
                           U'\uFFFE', char32_t{0}})
        EXPECT_FALSE(IsNameChar(other)) << std::hex << static_cast<unsigned>(other);
}

// The edges of the letter, ideographic, digit, combining and extender ranges,
// and the name punctuation that separates words in text.
TEST(WordCharacters, LettersDigitsMarksAndExtendersOfXml) {
    for (char32_t word :
         {U'A',      U'Z',      U'a',      U'z',      U'0',      U'9',      U'\u00C0',
          U'\u0131', U'\u0134', U'\u0436', U'\u0660', U'\u0300', U'\u0345', U'\u00B7',
          U'\u02D0', U'\u3005', U'\u3007', U'\u4E00', U'\u9FA5', U'\uAC00'})
        EXPECT_TRUE(IsWordChar(word)) << std::hex << static_cast<unsigned>(word);
    for (char32_t other : {U'-', U'.', U'_', U':', U'<', U'=', U' ', U'\u00A0', U'\u00D7',
                           U'\u0132', U'\u0346', U'\u3001', U'\u9FA6', U'\U00010000', char32_t{0}})
        EXPECT_FALSE(IsWordChar(other)) << std::hex << static_cast<unsigned>(other);
}

TEST(WordCharacters, SpacesAreTabLineEndsAndSpace) {
    for (char32_t space : {U'\t', U'\n', U'\r', U' '})
        EXPECT_TRUE(IsSpaceChar(space)) << static_cast<unsigned>(space);
    for (char32_t other : {U'\v', U'\f', U'\u00A0', U'\u0085', U'\u2028', U'a', char32_t{0}})
        EXPECT_FALSE(IsSpaceChar(other)) << static_cast<unsigned>(other);
}
