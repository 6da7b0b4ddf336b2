#include "xml/doc.h"
#include "xml/subtree_hash.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace NXML;
using XmlTest::ParseBytes;

namespace {

std::unique_ptr<CDoc> Parsed(const std::string& text) {
    auto doc = std::make_unique<CDoc>();
    EXPECT_EQ(ParseBytes(*doc, text), NResult::kOk) << text;
    return doc;
}

struct SPair {
    const char* a;
    const char* b;
    bool equal;
};

// Whole documents, so that top-level comments and instructions count too.
TEST(SubtreeHash, EqualSubtreesAndTheirHashesAgree) {
    const SPair pairs[] = {
        // Layout, attribute order, quotes, prefixes and indentation are no change.
        {"<a x='1' y='2'><b>t</b></a>", "<a  y=\"2\"\n x='1' >\n  <b>t</b>\n</a>", true},
        {"<a></a>", "<a/>", true},
        {"<a>  </a>", "<a/>", true},
        {"<r xmlns:p='u' xmlns:q='u'><p:a/></r>", "<r xmlns:p='u' xmlns:q='u'><q:a/></r>", true},
        // The element itself.
        {"<a/>", "<b/>", false},
        {"<p:a xmlns:p='u1'/>", "<p:a xmlns:p='u2'/>", false},
        // Attributes: values, names, one more or less, values swapped.
        {"<a x='1'/>", "<a x='2'/>", false},
        {"<a x='1'/>", "<a y='1'/>", false},
        {"<a x='1'/>", "<a x='1' y='1'/>", false},
        {"<a x='1' y='2'/>", "<a x='2' y='1'/>", false},
        // Texts, comments, instructions and CDATA anywhere below.
        {"<a><b><c>x</c></b></a>", "<a><b><c>y</c></b></a>", false},
        {"<a><b><c>x</c></b></a>", "<a><b><c> x </c></b></a>", false},
        {"<a><b/>t</a>", "<a><b/></a>", false},
        {"<a><!--x--></a>", "<a><!--y--></a>", false},
        {"<a><?p x?></a>", "<a><?p y?></a>", false},
        {"<a><![CDATA[x]]></a>", "<a>x</a>", false},
        // Children: one more, one less, another order, another parent.
        {"<a><b/></a>", "<a><b/><c/></a>", false},
        {"<a><b/><c/></a>", "<a><c/><b/></a>", false},
        {"<a><b><c/></b></a>", "<a><b/><c/></a>", false},
        {"<a><b><c d='1'/></b></a>", "<a><b><c d='2'/></b></a>", false},
        // Around the root element.
        {"<!--x--><a/>", "<!--y--><a/>", false},
        {"<?xml version='1.0'?><a/>", "<?xml version='1.1'?><a/>", false},
    };
    for (const SPair& pair : pairs) {
        const auto a = Parsed(pair.a);
        const auto b = Parsed(pair.b);
        EXPECT_EQ(IsSubtreeEqual(*a, *b), pair.equal) << pair.a << " / " << pair.b;
        EXPECT_EQ(IsSubtreeEqual(*b, *a), pair.equal) << pair.b << " / " << pair.a;
        // Unequal pairs differ in their hashes too: each covers what it changes.
        EXPECT_EQ(SubtreeHash(*a) == SubtreeHash(*b), pair.equal) << pair.a << " / " << pair.b;
    }
}

TEST(SubtreeHash, IsCachedForTheWholeSubtree) {
    const auto doc = Parsed("<a><b><c/></b>\n<d/></a>");
    const CNode& d = *doc->FirstChild()->ChildAt(2);
    EXPECT_EQ(d.subtreeHash, 0u);
    const std::uint32_t hash = SubtreeHash(*doc);
    EXPECT_NE(hash, 0u);
    EXPECT_EQ(doc->subtreeHash, hash);
    EXPECT_NE(d.subtreeHash, 0u);
    EXPECT_EQ(SubtreeHash(d), d.subtreeHash);
    // A descendant asked first leaves its hash for the ancestor's walk.
    const auto other = Parsed("<a><b><c/></b>\n<d/></a>");
    SubtreeHash(*other->FirstChild()->FirstChild());
    EXPECT_EQ(SubtreeHash(*other), hash);
}

// A collision, made by hand: the hashes agree, the subtrees do not.
TEST(SubtreeHash, EqualHashesAreConfirmedByTheNodes) {
    const auto a = Parsed("<a><b>x</b></a>");
    const auto b = Parsed("<a><b>y</b></a>");
    const CNode& rootA = *a->FirstChild();
    const CNode& rootB = *b->FirstChild();
    SubtreeHash(rootA);
    SubtreeHash(rootB);
    rootB.subtreeHash = rootA.subtreeHash;
    rootB.FirstChild()->subtreeHash = rootA.FirstChild()->subtreeHash;
    rootB.FirstChild()->FirstChild()->subtreeHash = rootA.FirstChild()->FirstChild()->subtreeHash;
    EXPECT_FALSE(IsSubtreeEqual(rootA, rootB));
}

TEST(SubtreeHash, HundredThousandLevelsNeedNoRecursion) {
    constexpr int kDepth = 100000;
    std::string text;
    for (int level = 0; level < kDepth; ++level)
        text += "<a>";
    text += "x";
    for (int level = 0; level < kDepth; ++level)
        text += "</a>";
    const auto a = Parsed(text);
    const auto b = Parsed(text);
    text[std::size_t(kDepth) * 3] = 'y';
    const auto c = Parsed(text);
    EXPECT_TRUE(IsSubtreeEqual(*a, *b));
    EXPECT_FALSE(IsSubtreeEqual(*a, *c));
}

} // namespace
