#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/declarations.h"
#include "xml/doc.h"
#include "xml/element.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>
#include <string>

using namespace NXML;
using XmlTest::Captured;
using XmlTest::ParseBytes;

namespace {

class Lookups : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ParseBytes(doc, "<r>\n <a><x><k/></x><k id='deep'/></a>text<!--c-->"
                                  "<k id='top'/><b p:n='1' e=''/>\n</r>"),
                  NResult::kOk);
        root = doc.FirstChildElement();
        ASSERT_NE(root, nullptr);
    }
    CDoc doc;
    CElement* root = nullptr;
};

} // namespace

TEST_F(Lookups, ChildElementsAreFoundPastOtherNodes) {
    const CElement* a = root->FirstChildElement();
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->text.Text(), "a");
    const CElement* k = a->NextSiblingElement();
    ASSERT_NE(k, nullptr);
    EXPECT_STREQ(k->AttributeValue("id"), "top");
    EXPECT_STREQ(k->NextSiblingElement()->text.Text(), "b");
    EXPECT_EQ(k->NextSiblingElement()->NextSiblingElement(), nullptr);
    EXPECT_EQ(
        root->FirstChildElement()->FirstChildElement()->FirstChildElement()->FirstChildElement(),
        nullptr);
}

TEST_F(Lookups, FirstContentSkipsOtherKinds) {
    CElement* a = root->FirstChildElement();
    EXPECT_STREQ(root->FirstContent()->text.Text(), "\n ");
    EXPECT_EQ(a->FirstContent(), nullptr);
    delete root->FirstChild(); // the leading whitespace
    EXPECT_STREQ(root->FirstContent()->text.Text(), "text");
}

TEST_F(Lookups, FindChildElementSearchesEachSubtreeBeforeTheNextChild) {
    EXPECT_STREQ(root->FindChildElement("k")->AttributeValue("id"), "top");
    // Depth first: the k inside a (and the one inside x before that) come
    // before the k that is a child of r.
    const CElement* deep = root->FindChildElement("k", true);
    ASSERT_NE(deep, nullptr);
    EXPECT_STREQ(deep->Parent()->text.Text(), "x");
    EXPECT_EQ(root->FindChildElement("x"), nullptr);
    EXPECT_STREQ(root->FindChildElement("x", true)->text.Text(), "x");
    EXPECT_STREQ(root->FindChildElement("b", true)->text.Text(), "b");
    EXPECT_EQ(root->FindChildElement("missing", true), nullptr);
    // The search stays inside the subtree it starts from.
    EXPECT_EQ(root->FirstChildElement()->FindChildElement("b", true), nullptr);
}

TEST_F(Lookups, AttributesAreLookedUpByFullName) {
    const CElement* b = root->FindChildElement("b");
    EXPECT_STREQ(b->AttributeValue("p:n"), "1");
    EXPECT_EQ(b->FindAttribute("n"), nullptr);
    EXPECT_STREQ(b->AttributeValue("n"), "");
    // An empty value and a missing attribute look alike through AttributeValue.
    EXPECT_STREQ(b->AttributeValue("e"), "");
    EXPECT_NE(b->FindAttribute("e"), nullptr);
    EXPECT_STREQ(b->AttributeNameAt(1), "e");
    EXPECT_STREQ(b->AttributeNameAt(2), "");
}

TEST_F(Lookups, AttributeWalksSkipOtherNodesInTheList) {
    CElement* b = root->FindChildElement("b");
    auto* stray = new CNode;
    b->attributes.AddChild(stray, b->AttributeAt(1));
    b->attributes.AddChild(new CComment);
    EXPECT_EQ(b->attributes.ChildCount(), 4u);
    EXPECT_STREQ(b->FirstAttribute()->NextAttribute()->name.Text(), "e");
    EXPECT_EQ(b->FirstAttribute()->NextAttribute()->NextAttribute(), nullptr);
    EXPECT_STREQ(b->AttributeNameAt(1), "e");
    EXPECT_EQ(b->AttributeAt(2), nullptr);

    b->attributes.AddChild(new CNode, b->FirstAttribute());
    EXPECT_STREQ(b->FirstAttribute()->name.Text(), "p:n");
}

TEST_F(Lookups, ParentElementSkipsOtherAncestors) {
    const CElement* k = root->FindChildElement("k", true);
    EXPECT_EQ(k->ParentElement()->ParentElement()->ParentElement(), root);
    EXPECT_EQ(root->ParentElement(), nullptr);
    // Attributes hang off the unlinked attribute list, not the element.
    const CAttribute* attribute = root->FindChildElement("b")->FirstAttribute();
    EXPECT_EQ(attribute->Parent(), nullptr);
    EXPECT_EQ(attribute->ParentElement(), nullptr);
    EXPECT_EQ(attribute->NextAttribute()->FirstOfItsList(), attribute);
}

TEST(Content, WhitespaceIsTabLineEndsSpaceNelAndLineSeparator) {
    CContent content;
    const auto isWhitespace = [&](const char* text) {
        content.text = text;
        return content.IsWhitespace();
    };
    EXPECT_FALSE(isWhitespace(""));
    EXPECT_TRUE(isWhitespace(" \t\r\n"));
    EXPECT_TRUE(isWhitespace("\xC2\x85 \xE2\x80\xA8"));
    EXPECT_FALSE(isWhitespace(" \xC2\xA0 "));   // no-break space
    EXPECT_FALSE(isWhitespace("\xE2\x80\xA9")); // paragraph separator
    EXPECT_FALSE(isWhitespace("  x  "));
}

TEST(Content, HasContentIgnoresWhitespaceOnlyText) {
    CElement element;
    EXPECT_FALSE(element.HasContent());
    auto* space = new CContent;
    space->text = "\n  ";
    element.AddChild(space);
    EXPECT_FALSE(element.HasContent());
    element.AddChild(new CComment);
    EXPECT_TRUE(element.HasContent());
    delete element.LastChild();
    auto* words = new CContent;
    words->text = " x ";
    element.AddChild(words, space);
    EXPECT_TRUE(element.HasContent());
}

TEST(NodeWrite, AnElementWritesOnlyTheTextBelowIt) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<e a='v'>first<c k='w'>second</c><!--note--><?pi d?></e>"),
              NResult::kOk);
    const CElement* e = doc.FirstChildElement();
    EXPECT_EQ(Captured([&](NIO::CBase& out) { return e->Write(out); }),
              "firstsecond<!--note--><?pi d?>");
    EXPECT_EQ(Captured([&](NIO::CBase& out) { return doc.Write(out); }),
              "firstsecond<!--note--><?pi d?>");
}
