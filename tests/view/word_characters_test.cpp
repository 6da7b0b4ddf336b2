#include "view/word_characters.h"

#include <gtest/gtest.h>

namespace {

TEST(WordCharacters, LettersDigitsMarksAndExtendersMakeWords) {
    struct SCase {
        char16_t unit;
        bool word;
        bool space;
    };
    const SCase cases[] = {
        {u'a', true, false},
        {u'Z', true, false},
        {u'7', true, false},
        {u'\u00E9', true, false},
        {u'\u0436', true, false},
        {u'\u4E2D', true, false},
        // A combining acute accent and two extenders.
        {u'\u0301', true, false},
        {u'\u00B7', true, false},
        {u'\u3005', true, false},
        {u'\xD83D', true, false},
        {u'\xDE00', true, false},
        {u'-', false, false},
        {u'_', false, false},
        {u'.', false, false},
        {u':', false, false},
        {u'<', false, false},
        {u'=', false, false},
        {u'\u00D7', false, false},
        {u'\u00A0', false, false},
        {u' ', false, true},
        {u'\t', false, true},
        {u'\n', false, true},
        {u'\r', false, true},
    };
    for (const SCase& test : cases) {
        EXPECT_EQ(IsWordCharacter(test.unit), test.word) << static_cast<int>(test.unit);
        EXPECT_EQ(IsSpaceCharacter(test.unit), test.space) << static_cast<int>(test.unit);
    }
}

} // namespace
