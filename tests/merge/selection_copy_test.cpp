#include "merge/selection_copy.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using MergeTest::COperation;

// Lines: 0 <a, 1 x = '1', 2 >, 3 <b>, 4 text, 5 </b>, 6 </a>.
constexpr const char* kDocument = "<a x='1'><b>text</b></a>";

struct SCopyCase {
    const char* what;
    STextPoint caret;
    STextPoint anchor;
    const char16_t* text;
    const char* xml;
};

TEST(SelectionCopy, TextIsTheSelectedCharactersAndXMLTheWholeBlocks) {
    const COperation operation(std::nullopt, kDocument, kDocument, true);
    const SCopyCase cases[] = {
        {"inside one line", {4, 3}, {4, 1}, u"ex", "text"},
        {"the anchor after the caret", {4, 1}, {4, 3}, u"ex", "text"},
        {"across lines", {4, 2}, {3, 1}, u"b>\nte", "<b>text</b>"},
        {"a column past the line end", {1, 99}, {1, 4}, u"'1'", " x='1'"},
        {"from an attribute into a child: the element",
         {3, 1},
         {1, 0},
         u"x = '1'\n>\n<",
         "<a x='1'><b>text</b></a>"},
        {"no anchor", {4, 1}, {}, u"", ""},
        {"the anchor at the caret", {4, 1}, {4, 1}, u"", ""},
    };
    for (const SCopyCase& test : cases) {
        EXPECT_EQ(std::u16string(SelectionText(operation.model, test.caret, test.anchor).Text()),
                  test.text)
            << test.what;
        EXPECT_EQ(SelectionXML(operation.model, test.caret, test.anchor), test.xml) << test.what;
    }
}

TEST(SelectionCopy, XMLOfAnUnresolvedDifferenceIsRefused) {
    COperation operation("<a x='1'/>", "<a x='2'/>", "<a x='3'/>", true);
    const STextPoint caret{0, 1};
    const STextPoint anchor{0, 0};
    EXPECT_EQ(SelectionXML(operation.model, caret, anchor), "");
    operation.model.Resolve(operation.Difference(0), kSideRight);
    EXPECT_EQ(SelectionXML(operation.model, caret, anchor), "<a x='3'/>");
}

} // namespace
