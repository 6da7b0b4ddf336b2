#include "../merge/merge_test_support.h"
#include "merge/text_metrics.h"
#include "view/block_tree_lines.h"

#include <gtest/gtest.h>

namespace {

TEST(BlockTreeLines, ReadsTheTextAndPlacesOfEachLine) {
    const MergeTest::COperation operation(std::nullopt, "<a>\n\t<b x='1'/>\n</a>",
                                          "<a>\n\t<b x='2'/>\n</a>", true);
    const CBlockTreeLines lines(operation.model);
    ASSERT_EQ(lines.LineCount(), static_cast<int>(operation.model.LineCount()));
    ASSERT_GT(lines.LineCount(), 2);
    const std::u16string first = lines.LineText(0);
    EXPECT_EQ(first.substr(0, 2), u"<a");
    // Columns advance by the fixed-pitch width and are held to the line.
    const int start = lines.ColumnX(0, 0);
    EXPECT_EQ(lines.ColumnX(0, 1) - start, CFixedPitchMetrics::kCharWidth);
    const auto length = static_cast<int>(first.size());
    EXPECT_EQ(lines.ColumnX(0, length + 5), lines.ColumnX(0, length));
    EXPECT_EQ(lines.ColumnX(0, -3), start);
    // Past the last line there is nothing.
    EXPECT_EQ(lines.LineText(lines.LineCount()), u"");
    EXPECT_EQ(lines.ColumnX(lines.LineCount(), 0), 0);
}

} // namespace
