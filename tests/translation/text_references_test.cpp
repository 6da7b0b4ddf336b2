#include "translation/text_references.h"

#include <gtest/gtest.h>
#include <string>

using NString::DecodeReferences;
using NString::ReplaceAll;
using NString::TStr;

namespace {

std::u16string Decoded(const char16_t* text) {
    TStr<char16_t> string(text);
    EXPECT_EQ(DecodeReferences(string), 1);
    return string.Text();
}

} // namespace

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanning) {
    TStr<char16_t> text(u"a--b----c-");
    EXPECT_EQ(ReplaceAll(text, u"--", u'+'), 1);
    EXPECT_EQ(std::u16string(text.Text()), u"a+b++c-");

    // What one replacement produces is not matched again.
    TStr<char16_t> nested(u"&&amp;amp;");
    ReplaceAll(nested, u"&amp;", u'&');
    EXPECT_EQ(std::u16string(nested.Text()), u"&&amp;");
}

TEST(ReplaceAll, CopiesBorrowedTextBeforeWriting) {
    char16_t lender[] = u"x\\0y";
    TStr<char16_t> text;
    text.Borrow(lender);
    ReplaceAll(text, u"\\0", u'-');
    EXPECT_EQ(std::u16string(text.Text()), u"x-y");
    EXPECT_FALSE(text.IsBorrowed());
    EXPECT_EQ(std::u16string(lender), u"x\\0y");
}

TEST(ReplaceAll, ZeroReplacementLeavesZeroSeparatedParts) {
    TStr<char16_t> text(u"A\\0B\\0");
    ReplaceAll(text, u"\\0", 0);
    const char16_t expected[] = {u'A', 0, u'B', 0, 0};
    EXPECT_EQ(std::u16string(text.Text(), 5), std::u16string(expected, 5));
}

TEST(DecodeReferences, ReplacesEachReferenceInItsOrder) {
    EXPECT_EQ(Decoded(u"&lt;b&gt; &quot;x&quot; &apos;y&apos;"), u"<b> \"x\" 'y'");
    EXPECT_EQ(Decoded(u"Velden&nbsp;Quillmere &copy;"), u"Velden\u00A0Quillmere \u00A9");
    EXPECT_EQ(Decoded(u"one\\ntwo\\n"), u"one\ntwo\n");
    // "&amp;" is replaced after "&lt;" and before "&apos;".
    EXPECT_EQ(Decoded(u"&amp;apos;"), u"'");
    EXPECT_EQ(Decoded(u"&amp;lt;"), u"&lt;");
    EXPECT_EQ(Decoded(u"&amp;amp;"), u"&amp;");
    // Unknown references stay as written.
    EXPECT_EQ(Decoded(u"&eacute;&#65;"), u"&eacute;&#65;");
}
