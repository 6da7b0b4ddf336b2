#include "../formats/formats_test_support.h"
#include "merge/conflict_markers.h"
#include "merge/merged_text_with_gaps.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

struct SMarkingCase {
    const char* name;
    const char* base;
    const char* left;
    const char* right;
    // Under MergeTest::kStringsSpec instead of matching in order.
    bool strings;
    int markerSize;
    const char* marked;
};

const SMarkingCase kMarkingCases[] = {
    // Only the line of the conflicting value is marked; the clean change on
    // another line of the same tag is applied.
    {"OneValueOfALongStartTag",
     "<r>\n  <item id=\"1\"\n        colour=\"red\"\n        size=\"large\"\n"
     "        shape=\"round\">text</item>\n  <other/>\n</r>\n",
     "<r>\n  <item id=\"1\"\n        colour=\"blue\"\n        size=\"large\"\n"
     "        shape=\"round\">text</item>\n  <other/>\n</r>\n",
     "<r>\n  <item id=\"1\"\n        colour=\"green\"\n        size=\"large\"\n"
     "        shape=\"square\">text</item>\n  <other/>\n</r>\n",
     false, 7,
     "<r>\n  <item id=\"1\"\n<<<<<<< L\n        colour=\"blue\"\n||||||| B\n"
     "        colour=\"red\"\n=======\n        colour=\"green\"\n>>>>>>> R\n"
     "        size=\"large\"\n        shape=\"square\">text</item>\n  <other/>\n</r>\n"},
    {"TextContent", "<r>\n  <a>one</a>\n  <b/>\n</r>", "<r>\n  <a>two</a>\n  <b/>\n</r>",
     "<r>\n  <a>three</a>\n  <b/>\n</r>", false, 7,
     "<r>\n<<<<<<< L\n  <a>two</a>\n||||||| B\n  <a>one</a>\n=======\n  <a>three</a>\n"
     ">>>>>>> R\n  <b/>\n</r>"},
    // The same string added on both sides with different text; the base
    // section is empty.
    {"ElementsInsertedAtOnePlace", "<resources>\n  <string name=\"a\">A</string>\n</resources>\n",
     "<resources>\n  <string name=\"a\">A</string>\n  <string name=\"b\">left</string>\n"
     "</resources>\n",
     "<resources>\n  <string name=\"a\">A</string>\n  <string name=\"b\">right</string>\n"
     "</resources>\n",
     true, 7,
     "<resources>\n  <string name=\"a\">A</string>\n<<<<<<< L\n"
     "  <string name=\"b\">left</string>\n||||||| B\n=======\n"
     "  <string name=\"b\">right</string>\n>>>>>>> R\n</resources>\n"},
    // Each conflict is marked on its own, the clean line between is kept.
    {"TwoConflicts", "<r>\n  <a>1</a>\n  <m>1</m>\n  <b>1</b>\n</r>",
     "<r>\n  <a>2</a>\n  <m>1</m>\n  <b>2</b>\n</r>",
     "<r>\n  <a>3</a>\n  <m>3</m>\n  <b>3</b>\n</r>", false, 7,
     "<r>\n<<<<<<< L\n  <a>2</a>\n||||||| B\n  <a>1</a>\n=======\n  <a>3</a>\n>>>>>>> R\n"
     "  <m>3</m>\n"
     "<<<<<<< L\n  <b>2</b>\n||||||| B\n  <b>1</b>\n=======\n  <b>3</b>\n>>>>>>> R\n</r>"},
    // Two conflicting values on one line are marked together.
    {"TwoConflictsOnOneLine", "<r>\n  <a x=\"1\" y=\"1\"/>\n</r>",
     "<r>\n  <a x=\"2\" y=\"2\"/>\n</r>", "<r>\n  <a x=\"3\" y=\"3\"/>\n</r>", false, 7,
     "<r>\n<<<<<<< L\n  <a x=\"2\" y=\"2\"/>\n||||||| B\n  <a x=\"1\" y=\"1\"/>\n=======\n"
     "  <a x=\"3\" y=\"3\"/>\n>>>>>>> R\n</r>"},
    // Deleted on one side, changed on the other: the left section is empty.
    {"DeletedAgainstChanged", "<r>\n  <a>1</a>\n  <b/>\n</r>", "<r>\n  <b/>\n</r>",
     "<r>\n  <a>2</a>\n  <b/>\n</r>", false, 7,
     "<r>\n<<<<<<< L\n||||||| B\n  <a>1</a>\n=======\n  <a>2</a>\n>>>>>>> R\n  <b/>\n</r>"},
    // The gap of an attribute one side deleted stands where the others have it.
    {"DeletedAttributeAgainstChanged", "<r>\n  <a x=\"1\" y=\"1\"/>\n</r>",
     "<r>\n  <a y=\"1\"/>\n</r>", "<r>\n  <a x=\"2\" y=\"1\"/>\n</r>", false, 7,
     "<r>\n<<<<<<< L\n  <a y=\"1\"/>\n||||||| B\n  <a x=\"1\" y=\"1\"/>\n=======\n"
     "  <a x=\"2\" y=\"1\"/>\n>>>>>>> R\n</r>"},
    // Every line of the conflicting node is marked, also those all sides share.
    {"WholeMultiLineComment", "<r>\n  <!--\n  one\n  two\n  -->\n</r>",
     "<r>\n  <!--\n  one\n  two left\n  -->\n</r>", "<r>\n  <!--\n  one\n  two right\n  -->\n</r>",
     false, 7,
     "<r>\n<<<<<<< L\n  <!--\n  one\n  two left\n  -->\n||||||| B\n  <!--\n  one\n  two\n"
     "  -->\n=======\n  <!--\n  one\n  two right\n  -->\n>>>>>>> R\n</r>"},
    {"CrLfLineEnds", "<r>\r\n  <a>one</a>\r\n</r>\r\n", "<r>\r\n  <a>two</a>\r\n</r>\r\n",
     "<r>\r\n  <a>three</a>\r\n</r>\r\n", false, 7,
     "<r>\r\n<<<<<<< L\r\n  <a>two</a>\r\n||||||| B\r\n  <a>one</a>\r\n=======\r\n"
     "  <a>three</a>\r\n>>>>>>> R\r\n</r>\r\n"},
    // A marker always starts a line of its own, also after a last line
    // without a line end.
    {"OneLineWithoutLineEnd", "<r>one</r>", "<r>two</r>", "<r>three</r>", false, 3,
     "<<< L\n<r>two</r>\n||| B\n<r>one</r>\n===\n<r>three</r>\n>>> R\n"},
    {"NoConflictIsWrittenAsMerged", "<r>\n  <a>1</a>\n  <b>1</b>\n</r>",
     "<r>\n  <a>2</a>\n  <b>1</b>\n</r>", "<r>\n  <a>1</a>\n  <b>3</b>\n</r>", false, 7,
     "<r>\n  <a>2</a>\n  <b>3</b>\n</r>"},
};

void PrintTo(const SMarkingCase& test, std::ostream* out) {
    *out << test.name;
}

class ConflictMarkingTest : public testing::TestWithParam<SMarkingCase> {};

TEST_P(ConflictMarkingTest, MarksTheFewestLinesWithEachSidesOwnText) {
    const SMarkingCase& test = GetParam();
    const std::unique_ptr<CFileSpec> spec =
        test.strings ? FormatsTest::ReadSpec(MergeTest::kStringsSpec) : nullptr;
    const MergeTest::COperation operation(test.base, test.left, test.right, true, spec.get());
    CMergedTextWithGaps merged;
    ASSERT_TRUE(operation.model.Root().WriteMerged(merged));
    EXPECT_EQ(merged.Gaps().size(), operation.model.ConflictCount());
    SConflictMarkers markers;
    markers.labels = {"B", "L", "R"};
    markers.size = test.markerSize;
    EXPECT_EQ(MarkConflicts(merged, markers), test.marked);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConflictMarkingTest, testing::ValuesIn(kMarkingCases),
                         [](const testing::TestParamInfo<SMarkingCase>& info) {
                             return std::string(info.param.name);
                         });

// Other streams still refuse a merge with conflicts, and an unlabelled
// marker has no trailing space.
TEST(ConflictMarkingTest, GapsOnlyInTheirOwnStreamAndLabelsOptional) {
    const MergeTest::COperation operation("<r>a</r>", "<r>b</r>", "<r>c</r>", true);
    EXPECT_EQ(operation.Merged(), "<failed>");
    CMergedTextWithGaps merged;
    ASSERT_TRUE(operation.model.Root().WriteMerged(merged));
    EXPECT_EQ(merged.Text(), "<r></r>");
    EXPECT_EQ(MarkConflicts(merged, SConflictMarkers{}),
              "<<<<<<<\n<r>b</r>\n|||||||\n<r>a</r>\n=======\n<r>c</r>\n>>>>>>>\n");
}

} // namespace
