#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <string>

using MergeTest::COperation;
using MergeTest::SMergeCase;

namespace {

// Where `merged` is null the declarations conflict: there is exactly one
// difference, and resolving it to either side gives that side's document.
const SMergeCase kCases[] = {
    {"SpacingAndCaseEditedOnBothSides", "<?xml version=\"1.0\"?>\n<r/>",
     "<?xml  version=\"1.0\" ?>\n<r/>", "<?XML version=\"1.0\"?>\n<r/>", nullptr},
    {"CaseEditedOnOneSide", "<?xml version=\"1.0\"?>\n<r/>", "<?xml version=\"1.0\"?>\n<r/>",
     "<?XML version=\"1.0\"?>\n<r a=\"1\"/>", "<?XML version=\"1.0\"?>\n<r a=\"1\"/>"},
    {"EncodingEditedDifferently", "<?xml version='1.0' encoding='ISO-8859-1'?><r/>",
     "<?xml version='1.0' encoding='windows-1252'?><r/>",
     "<?xml version='1.0' encoding='UTF-8'?><r/>", nullptr},
    {"EncodingEditedAlike", "<?xml version='1.0' encoding='ISO-8859-1'?><r/>",
     "<?xml version='1.0' encoding='UTF-8'?><r/>", "<?xml version='1.0' encoding='UTF-8'?><r/>",
     "<?xml version='1.0' encoding='UTF-8'?><r/>"},
    {"AddedOnOneSide", "<r/>", "<?xml version=\"1.0\"?>\n<r/>", "<r><a/></r>",
     "<?xml version=\"1.0\"?>\n<r><a/></r>"},
    {"AddedDifferentlyOnBothSides", "<r/>", "<?xml version=\"1.0\"?>\n<r/>",
     "<?xml version='1.0' encoding='UTF-8'?>\n<r/>", nullptr},
    {"RemovedOnOneSide", "<?xml version=\"1.0\"?>\n<r/>", "<?xml version=\"1.0\"?>\n<r/>", "<r/>",
     "<r/>"},
    // An instruction whose target merely starts with "xml" is no declaration.
    {"StylesheetIsNoDeclaration", "<?xml version=\"1.0\"?><r/>",
     "<?xml version=\"1.0\"?><?xml-stylesheet href=\"a\"?><r/>",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r/>",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?><?xml-stylesheet href=\"a\"?><r/>"},
    {"TwoWaySpacing", nullptr, "<?xml version=\"1.0\"?><r/>", "<?xml version='1.0' ?><r/>",
     nullptr},
};

class CDeclarationMerge : public testing::TestWithParam<SMergeCase> {};

} // namespace

TEST_P(CDeclarationMerge, GivesOneDeclarationAtTheStart) {
    const SMergeCase& test = GetParam();
    COperation operation = MergeTest::MergeOf(test);
    if (test.merged != nullptr) {
        EXPECT_EQ(operation.model.ConflictCount(), 0u);
        EXPECT_EQ(operation.Merged(), test.merged);
        return;
    }
    ASSERT_EQ(operation.model.DifferenceCount(), 1u);
    EXPECT_EQ(operation.model.ConflictCount(), 1u);
    for (const int side : {kSideLeft, kSideRight}) {
        operation.model.Resolve(operation.Difference(0), side);
        EXPECT_EQ(operation.Merged(), side == kSideLeft ? test.left : test.right);
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, CDeclarationMerge, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SMergeCase>& info) {
                             return std::string(info.param.what);
                         });
