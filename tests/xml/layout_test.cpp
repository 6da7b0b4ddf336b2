#include "xml/doc.h"
#include "xml/element.h"
#include "xml/layout.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

using namespace NXML;
using XmlTest::ParseBytes;

namespace {

// The root elements of two documents, and whether they are laid out alike.
struct SLayoutCase {
    const char* a;
    const char* b;
    bool sameLayout;
    bool sameAttributeOrder;
};

const SLayoutCase kLayoutCases[] = {
    {"<e x='1' y='2'/>", "<e x='3' y='4'/>", true, true},
    {"<e x='1'/>", "<e x='1' />", false, true},
    {"<e x='1'>t</e>", "<e x='1'>t</e >", false, true},
    {"<e x='1'/>", "<e x='1'></e>", false, true},
    {"<e></e>", "<e>\n</e>", false, true},
    {"<e>\n <c/>\n</e>", "<e>\n <c/></e>", false, true},
    {"<e>t</e>", "<e>u<c/></e>", true, true},
    // Attribute order: what only one element has does not count.
    {"<e a='1' b='2' c='3'/>", "<e c='3' a='1' b='2'/>", true, false},
    {"<e a='1' b='2' c='3'/>", "<e a='1' n='0' c='3'/>", true, true},
    {"<e a='1' b='2'/>", "<e n='0' b='2' m='0' a='1'/>", true, false},
    {"<e a='1'/>", "<e/>", true, true},
};

const CElement& Root(const CDoc& doc) {
    return *doc.FirstChildElement();
}

TEST(Layout, ElementsCompareTheirTagsAndAttributeOrder) {
    for (const SLayoutCase& test : kLayoutCases) {
        CDoc a;
        CDoc b;
        ASSERT_EQ(ParseBytes(a, test.a), NResult::kOk) << test.a;
        ASSERT_EQ(ParseBytes(b, test.b), NResult::kOk) << test.b;
        EXPECT_EQ(IsLayoutEqual(Root(a), Root(b)), test.sameLayout) << test.a << " / " << test.b;
        EXPECT_EQ(IsAttributeOrderEqual(Root(a), Root(b)), test.sameAttributeOrder)
            << test.a << " / " << test.b;
    }
}

} // namespace
