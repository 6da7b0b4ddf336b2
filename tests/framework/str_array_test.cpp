#include "framework/str_array.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

using namespace NString;

namespace {

// A string that counts its live instances, to see which ones the array deletes.
struct SCountedStr : TStr<char> {
    static inline int live = 0;
    SCountedStr() { ++live; }
    ~SCountedStr() { --live; }
};

class StrArrayTest : public ::testing::Test {
protected:
    void SetUp() override { SCountedStr::live = 0; }
    void TearDown() override { EXPECT_EQ(SCountedStr::live, 0) << "strings leaked"; }
};

} // namespace

TEST_F(StrArrayTest, AddCopyStoresIndependentCopies) {
    TStrArray<TStr<char16_t>> names;
    std::u16string source = u"first";
    EXPECT_EQ(names.AddCopy(source.c_str()), 0);
    EXPECT_EQ(names.AddCopy(u"second, long enough for a heap block"), 1);
    source[0] = u'F';
    ASSERT_EQ(names.Count(), 2u);
    EXPECT_EQ(std::u16string(names[0]->Text()), u"first");
    EXPECT_EQ(std::u16string(names[1]->Text()), u"second, long enough for a heap block");
}

TEST_F(StrArrayTest, DestroyingAndClearingDeleteTheStrings) {
    {
        TStrArray<SCountedStr> strings;
        for (const char* text : {"a", "b", "c"})
            ASSERT_GE(strings.AddCopy(text), 0);
        EXPECT_EQ(SCountedStr::live, 3);

        strings.Clear(false);
        EXPECT_EQ(SCountedStr::live, 0);
        EXPECT_TRUE(strings.IsEmpty());
        EXPECT_GT(strings.Capacity(), 0u);

        strings.AddCopy("d");
        strings.AddCopy("e");
        EXPECT_EQ(SCountedStr::live, 2);
        // A string taken out belongs to the caller.
        SCountedStr* taken = strings.PopBack();
        strings.Clear(true);
        EXPECT_EQ(SCountedStr::live, 1);
        EXPECT_STREQ(taken->Text(), "e");
        delete taken;
        strings.AddCopy("f");
    }
    EXPECT_EQ(SCountedStr::live, 0);
}

TEST_F(StrArrayTest, ClearThroughTheBaseClassDeletesToo) {
    TStrArray<SCountedStr> strings;
    strings.AddCopy("x");
    NPtr::CArray& base = strings;
    base.Clear(true);
    EXPECT_EQ(SCountedStr::live, 0);
    EXPECT_EQ(strings.Capacity(), 0u);
}

TEST_F(StrArrayTest, MoveAssignmentDeletesTheOldStringsAndTakesTheNew) {
    TStrArray<SCountedStr> target;
    target.AddCopy("old 1");
    target.AddCopy("old 2");
    TStrArray<SCountedStr> source;
    source.AddCopy("new");
    target = std::move(source);
    EXPECT_EQ(SCountedStr::live, 1);
    ASSERT_EQ(target.Count(), 1u);
    EXPECT_STREQ(target[0]->Text(), "new");
    EXPECT_TRUE(source.IsEmpty());

    TStrArray<SCountedStr> moved(std::move(target));
    EXPECT_EQ(moved.Count(), 1u);
    EXPECT_EQ(SCountedStr::live, 1);
}
