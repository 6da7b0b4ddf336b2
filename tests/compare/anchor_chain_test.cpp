// The anchors of sibling alignment: unique equal subtrees, the longest chain
// in order on both sides.

#include "compare/anchor_chain.h"
#include "compare_test_support.h"
#include "xml/doc.h"
#include "xml/node.h"

#include <gtest/gtest.h>
#include <string>

namespace {

CNodeList Children(const NXML::CNode& parent) {
    CNodeList children;
    for (const NXML::CNode* child = parent.FirstChild(); child != nullptr;
         child = child->NextSibling())
        children.push_back(child);
    return children;
}

std::string Written(const CIndexPairs& chain) {
    std::string text;
    for (const auto& [a, b] : chain) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(a);
        text += '-';
        text += std::to_string(b);
    }
    return text;
}

struct SCase {
    const char* what;
    const char* a;
    const char* b;
    const char* chain;
};

const SCase kCases[] = {
    {"equal lists", "<x n='1'/><x n='2'/><y/>", "<x n='1'/><x n='2'/><y/>", "0-0 1-1 2-2"},
    {"an insertion shifts the rest", "<x n='1'/><x n='2'/>", "<x n='0'/><x n='1'/><x n='2'/>",
     "0-1 1-2"},
    {"attribute order is no difference", "<x k='1' m='2'/>", "<x m='2' k='1'/>", "0-0"},
    {"a changed child is", "<x><c>1</c></x><y/>", "<x><c>2</c></x><y/>", "1-1"},
    {"repeated on one side: no anchor", "<x/><x/><y/>", "<x/><y/>", "2-1"},
    {"repeated on the other side", "<x/><y/>", "<y/><x/><x/>", "1-0"},
    {"crossed: the longest chain in order", "<p/><q/><r/><s/>", "<q/><r/><s/><p/>", "1-0 2-1 3-2"},
    {"crossed pair: the chain ending latest in the first list", "<p/><q/>", "<q/><p/>", "1-0"},
    {"nothing equal", "<x n='1'/>", "<x n='2'/>", ""},
};

TEST(AnchorChain, UniqueEqualSubtreesInOrder) {
    for (const SCase& test : kCases) {
        const auto a = CompareTest::ParseDocument(std::string("<a>") + test.a + "</a>");
        const auto b = CompareTest::ParseDocument(std::string("<b>") + test.b + "</b>");
        EXPECT_EQ(Written(IndexedAnchorChain(Children(*a->FirstChildElement()),
                                             Children(*b->FirstChildElement()))),
                  test.chain)
            << test.what;
    }
}

} // namespace
