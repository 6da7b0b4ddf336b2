#include "framework/str.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

using namespace NString;

namespace {

template <int N> std::string AsStd(const TStr<char, N>& text) {
    return text.Text();
}
template <int N> std::u16string AsStd(const TStr<char16_t, N>& text) {
    return text.Text();
}

} // namespace

TEST(Str, ConstructsFromTextAndFromItsFirstCharacters) {
    EXPECT_EQ(AsStd(TStr<char>("abc")), "abc");
    EXPECT_EQ(AsStd(TStr<char>(static_cast<const char*>(nullptr))), "");
    // The count is in characters, so multi-byte characters are kept whole.
    EXPECT_EQ(AsStd(TStr<char>("\xC3\xA9t\xC3\xA9", 2)), "\xC3\xA9t");
    EXPECT_EQ(AsStd(TStr<char16_t>(u"x\U0001F600y", 2)), u"x\U0001F600");
    EXPECT_EQ(AsStd(TStr<char>("ab", 10)), "ab");
}

TEST(Str, ReserveKeepsContentWhenThereIsRoomAndClearsItOtherwise) {
    TStr<char> text("abc");
    ASSERT_EQ(text.Capacity(), 4);
    EXPECT_EQ(text.Reserve(3), 1);
    EXPECT_EQ(AsStd(text), "abc");
    EXPECT_EQ(text.Capacity(), 4);

    EXPECT_EQ(text.Reserve(9), 1);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.Capacity(), 10);

    text = "0123456789";
    EXPECT_EQ(text.Reserve(2), 1);
    EXPECT_EQ(AsStd(text), "0123456789");

    // Beyond the largest length it fails and leaves an empty, usable string.
    TStr<char16_t> wide(u"some text that lives on the heap");
    EXPECT_EQ(wide.Reserve(0x7FFFFFFF), 0);
    EXPECT_TRUE(wide.IsEmpty());
    EXPECT_EQ(wide.Capacity(), 4);
    EXPECT_EQ(wide.Append(u"again"), 1);
    EXPECT_EQ(AsStd(wide), u"again");
}

TEST(Str, AppendsAcrossTheInlineSize) {
    TStr<char> text;
    std::string expected;
    for (const char* piece : {"a", "bc", "d", "efghij", "", "klmnopqrstuvwxyz"}) {
        ASSERT_EQ(text.Append(piece), 1);
        expected += piece;
        EXPECT_EQ(AsStd(text), expected);
        EXPECT_GT(text.Capacity(), text.Length());
    }
    EXPECT_EQ(text.Append("\xC3\xA9\xC3\xA8\xC3\xAA", 2), 1);
    EXPECT_EQ(AsStd(text), expected + "\xC3\xA9\xC3\xA8");
}

TEST(Str, AppendAndAssignOfItsOwnTextSurviveTheMoveToAnotherBlock) {
    TStr<char16_t> text(u"abc");
    ASSERT_EQ(text.Append(text.Text()), 1);
    EXPECT_EQ(AsStd(text), u"abcabc");
    ASSERT_EQ(text.Append(text.Text(1)), 1);
    EXPECT_EQ(AsStd(text), u"abcabcbcabc");
    text = text.Text(4);
    EXPECT_EQ(AsStd(text), u"bcbcabc");
    text.Assign(text.Text(), 2);
    EXPECT_EQ(AsStd(text), u"bc");
}

TEST(Str, BorrowedTextIsNeitherWrittenNorFreed) {
    char lender[] = "borrowed";
    {
        TStr<char> text;
        text = "something long enough for the heap";
        text.Borrow(lender);
        EXPECT_TRUE(text.IsBorrowed());
        EXPECT_EQ(text.Text(), lender);
        EXPECT_EQ(text.Capacity(), -1);
        // Each change moves the string onto its own memory first.
        EXPECT_EQ(text.Append("!"), 1);
        EXPECT_EQ(AsStd(text), "borrowed!");
        EXPECT_FALSE(text.IsBorrowed());

        text.Borrow(lender);
        EXPECT_EQ(text.Reserve(2), 1);
        EXPECT_NE(text.Text(), lender);

        text.Borrow(lender);
        text = text.Text(3);
        EXPECT_EQ(AsStd(text), "rowed");

        text.Borrow(lender);
        text.Clear();
        EXPECT_TRUE(text.IsEmpty());
        text.Borrow(lender);
    }
    // Destroying the borrowing string above would have crashed on freeing a stack array.
    EXPECT_STREQ(lender, "borrowed");
}

TEST(Str, ConvertsBetweenEncodingsIncludingSurrogatePairs) {
    const char utf8[] = "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z";
    const char16_t utf16[] = u"A\u00E9\u4E2D\U0001F600z";
    TStr<char16_t> wide;
    wide = utf8;
    EXPECT_EQ(AsStd(wide), utf16);
    TStr<char> narrow;
    narrow = wide.Text();
    EXPECT_EQ(AsStd(narrow), utf8);
    EXPECT_EQ(AsStd(TStr<char>(u"\U0010FFFF")), "\xF4\x8F\xBF\xBF");
}

TEST(Str, CopiesBetweenSizesAndMovesTakeTheBlockOrCopyTheInlineText) {
    TWorkStr<char> work("a working string");
    TStr<char> copy(work);
    EXPECT_EQ(AsStd(copy), "a working string");
    EXPECT_NE(copy.Text(), work.Text());
    TWorkStr<char> back;
    back = copy;
    EXPECT_EQ(AsStd(back), "a working string");

    TStr<char> heap("long enough for a block");
    const char* block = heap.Text();
    TStr<char> taken(std::move(heap));
    EXPECT_EQ(taken.Text(), block);
    EXPECT_TRUE(heap.IsEmpty());

    TStr<char> small("ab");
    TStr<char> moved(std::move(small));
    EXPECT_EQ(AsStd(moved), "ab");
    EXPECT_EQ(moved.Capacity(), 4);

    char lender[] = "lent";
    TStr<char> borrowed;
    borrowed.Borrow(lender);
    taken = std::move(borrowed);
    EXPECT_TRUE(taken.IsBorrowed());
    EXPECT_EQ(taken.Text(), lender);
    EXPECT_FALSE(borrowed.IsBorrowed());
}
