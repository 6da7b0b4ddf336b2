#include "../formats/formats_test_support.h"
#include "compare/side_order.h"
#include "merge/count_text.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <string>

using MergeTest::COperation;

namespace {

class CountTextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { FormatsTest::LoadEnglish(); }
};

std::u16string Text(const NString::TStr<char16_t>& text) {
    return text.Text();
}

} // namespace

TEST_F(CountTextTest, NamesDifferencesAndTheConflictsOfAMerge) {
    struct SCase {
        std::uint32_t differences;
        std::uint32_t conflicts;
        bool merge;
        const char16_t* expected;
    };
    const SCase cases[] = {
        {3, 1, true, u"2 differences + 1 conflict"},
        {3, 1, false, u"3 differences"},
        {0, 0, true, u"0 conflicts"},
        {0, 0, false, u""},
        {1, 0, true, u"1 difference + 0 conflicts"},
        {1, 0, false, u"1 difference"},
        {1, 1, true, u"1 conflict"},
        {1, 1, false, u"1 difference"},
        {5, 5, true, u"5 conflicts"},
        {12, 2, true, u"10 differences + 2 conflicts"},
        {2, 1, true, u"1 difference + 1 conflict"},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(Text(CountText(test.differences, test.conflicts, test.merge)), test.expected)
            << test.differences << " entries, " << test.conflicts << " open, merge " << test.merge;
}

TEST_F(CountTextTest, ReadsTheModelItIsGiven) {
    // Four differences; the attribute and the text change are open in a merge.
    const auto operation = [](bool merge) {
        return COperation(std::nullopt, "<r><a/><b x=\"1\"/><c>t</c><d/></r>",
                          "<r><b x=\"2\"/><c>u</c><d/><e/></r>", merge);
    };
    EXPECT_EQ(Text(CountText(operation(false).model)), u"4 differences");

    COperation merge = operation(true);
    EXPECT_EQ(Text(CountText(merge.model)), u"2 differences + 2 conflicts");
    merge.model.Resolve(merge.Difference(1), kSideLeft);
    EXPECT_EQ(Text(CountText(merge.model)), u"3 differences + 1 conflict");
}
