#include "merge_test_support.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

using MergeTest::COperation;

namespace {

// Where XML declarations start in `text`, in any case of "xml".
std::vector<std::size_t> DeclarationPositions(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char byte) { return static_cast<char>(std::tolower(byte)); });
    std::vector<std::size_t> positions;
    for (std::size_t at = text.find("<?xml"); at != std::string::npos;
         at = text.find("<?xml", at + 1)) {
        const char after = at + 5 < text.size() ? text[at + 5] : '?';
        if (after == ' ' || after == '?')
            positions.push_back(at);
    }
    return positions;
}

struct SDeclarationCase {
    const char* name;
    // Null for a two-way merge.
    const char* base;
    const char* left;
    const char* right;
    // Null when the declarations conflict: there is exactly one difference,
    // and resolving it to either side gives that side's document.
    const char* merged;
};

const SDeclarationCase kCases[] = {
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

void PrintTo(const SDeclarationCase& test, std::ostream* out) {
    *out << test.name;
}

class CDeclarationMerge : public testing::TestWithParam<SDeclarationCase> {};

void ExpectOneDeclarationAtMostAtTheStart(const std::string& merged) {
    const std::vector<std::size_t> positions = DeclarationPositions(merged);
    EXPECT_LE(positions.size(), 1u) << merged;
    if (!positions.empty()) {
        EXPECT_EQ(positions.front(), 0u) << merged;
    }
}

} // namespace

TEST_P(CDeclarationMerge, GivesOneDeclarationAtTheStart) {
    const SDeclarationCase& test = GetParam();
    COperation operation = test.base != nullptr
                               ? COperation(test.base, test.left, test.right, true)
                               : COperation(std::nullopt, test.left, test.right, true);
    if (test.merged != nullptr) {
        EXPECT_EQ(operation.model.ConflictCount(), 0u);
        EXPECT_EQ(operation.Merged(), test.merged);
        ExpectOneDeclarationAtMostAtTheStart(operation.Merged());
        return;
    }
    ASSERT_EQ(operation.model.DifferenceCount(), 1u);
    EXPECT_EQ(operation.model.ConflictCount(), 1u);
    for (const int side : {kSideLeft, kSideRight}) {
        operation.model.Resolve(operation.Difference(0), side);
        EXPECT_EQ(operation.Merged(), side == kSideLeft ? test.left : test.right);
        ExpectOneDeclarationAtMostAtTheStart(operation.Merged());
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, CDeclarationMerge, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SDeclarationCase>& info) {
                             return std::string(info.param.name);
                         });
