#include "xml/doc.h"
#include "xml/element.h"
#include "xml/namespaces.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>
#include <string>

using namespace NXML;
using XmlTest::ParseBytes;

namespace {

const char kNested[] = "<r xmlns='d' xmlns:p='u1' xmlns:q='u2'>"
                       "<p:a xmlns:p='u3'><p:b/><c/><q:d/></p:a>"
                       "<e xmlns=''><f/><p:g/></e>"
                       "<z:h/>"
                       "</r>";

CElement* Element(const CDoc& doc, const char* name) {
    return doc.FindChildElement(name, true);
}

CAttribute* NewAttribute(const char* name, const char* value) {
    auto* attribute = new CAttribute;
    attribute->name = name;
    attribute->text = value;
    return attribute;
}

class Namespaces : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ParseBytes(doc, kNested), NResult::kOk); }
    CDoc doc;
};

} // namespace

// Prefixed names resolve to the nearest declaration of their prefix, others
// take the default namespace, which xmlns='' takes away again.
TEST_F(Namespaces, NamesResolveToTheNearestDeclaration) {
    struct SCase {
        const char* name;
        const char* prefix;
        const char* uri;
    };
    for (const SCase& c :
         {SCase{"r", "", "d"}, SCase{"a", "p", "u3"}, SCase{"b", "p", "u3"}, SCase{"c", "", "d"},
          SCase{"d", "q", "u2"}, SCase{"f", "", ""}, SCase{"g", "p", "u1"}}) {
        const CElement* element = Element(doc, c.name);
        ASSERT_NE(element, nullptr) << c.name;
        EXPECT_STREQ(element->prefix.Text(), c.prefix) << c.name;
        EXPECT_EQ(element->HasFlags(CElement::kPrefixed), *c.prefix != 0) << c.name;
        EXPECT_STREQ(element->namespaceUri.Text(), c.uri) << c.name;
    }
    EXPECT_TRUE(doc.FirstChildElement()->HasFlags(CElement::kDeclaresDefaultNamespace));
    EXPECT_STREQ(Element(doc, "f")->DefaultNamespace(), "");
    EXPECT_STREQ(Element(doc, "c")->DefaultNamespace(), "d");
}

TEST_F(Namespaces, AnUndeclaredPrefixLeavesTheNamespaceEmpty) {
    CDoc plain;
    ASSERT_EQ(ParseBytes(plain, "<r xmlns:p='u'><z:h/></r>"), NResult::kOk);
    const CElement* h = Element(plain, "h");
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->HasFlags(CElement::kPrefixed));
    EXPECT_STREQ(h->prefix.Text(), "z");
    EXPECT_STREQ(h->namespaceUri.Text(), "");
}

TEST_F(Namespaces, DeclarationsAreRecordedInAttributeOrder) {
    const CElement* root = doc.FirstChildElement();
    ASSERT_EQ(root->Prefixes().Count(), 2u);
    EXPECT_STREQ(root->Prefixes()[0]->prefix.Text(), "p");
    EXPECT_STREQ(root->Prefixes()[0]->uri.Text(), "u1");
    EXPECT_STREQ(root->Prefixes()[1]->prefix.Text(), "q");
    EXPECT_STREQ(root->Prefixes()[1]->uri.Text(), "u2");
    EXPECT_STREQ(root->DefaultNamespaceUri().Text(), "d");
}

TEST_F(Namespaces, LookupsSearchOutwards) {
    const CElement* b = Element(doc, "b");
    EXPECT_STREQ(b->FindNamespace("p").uri.Text(), "u3");
    EXPECT_STREQ(b->FindNamespace("q").uri.Text(), "u2");
    EXPECT_STREQ(b->FindNamespace("none").uri.Text(), "");
    EXPECT_STREQ(b->FindNamespace("none").prefix.Text(), "");
    EXPECT_STREQ(b->PrefixOf("u1"), "p");
    EXPECT_STREQ(b->PrefixOf("u2"), "q");
    EXPECT_STREQ(b->PrefixOf("nowhere"), "");
    // Without an argument: the element's own namespace.
    EXPECT_STREQ(b->PrefixOf(), "p");
    EXPECT_STREQ(Element(doc, "d")->PrefixOf(), "q");
}

TEST_F(Namespaces, TheParserAgreesWithTheAncestorWalk) {
    // The parser keeps its own scope; every element must end up with what
    // resolving against its ancestors gives.
    for (const NPtr::CNode* node = doc.NextInSubtree(&doc); node != nullptr;
         node = doc.NextInSubtree(node)) {
        if (static_cast<const CNode*>(node)->GetType() != kTypeElement)
            continue;
        const auto& element = static_cast<const CElement&>(*node);
        std::string expected = element.HasFlags(CElement::kPrefixed)
                                   ? element.FindNamespace(element.prefix.Text()).uri.Text()
                                   : "";
        if (expected.empty())
            expected = element.DefaultNamespace();
        EXPECT_EQ(element.namespaceUri.Text(), expected) << "element " << element.text.Text();
    }
}

TEST(NamespaceDeclarations, XmlnsFollowedByLettersCountsAsDefault) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<r xmlnsfoo='odd'><c/></r>"), NResult::kOk);
    const CElement* root = doc.FirstChildElement();
    EXPECT_TRUE(root->HasFlags(CElement::kDeclaresDefaultNamespace));
    EXPECT_EQ(root->Prefixes().Count(), 0u);
    EXPECT_STREQ(root->FirstChildElement()->namespaceUri.Text(), "odd");
}

TEST(NamespaceDeclarations, ResolvingAnEditedElementCopiesItsNameParts) {
    CElement parent;
    parent.AddAttribute(NewAttribute("xmlns:n", "urn:n"));
    parent.text = "top";
    parent.ResolveNamespaces();

    auto* child = new CElement;
    child->text = "n:leaf";
    parent.AddChild(child);
    child->ResolveNamespaces();
    EXPECT_STREQ(child->text.Text(), "leaf");
    EXPECT_FALSE(child->text.IsBorrowed());
    EXPECT_STREQ(child->prefix.Text(), "n");
    EXPECT_TRUE(child->HasFlags(CElement::kPrefixed));
    EXPECT_STREQ(child->namespaceUri.Text(), "urn:n");

    // Resolving again finds the declarations afresh instead of piling them up.
    parent.ResolveNamespaces();
    EXPECT_EQ(parent.Prefixes().Count(), 1u);
}

TEST(NamespaceScope, EnterAndLeaveFollowNesting) {
    CElement outer;
    outer.AddAttribute(NewAttribute("xmlns:a", "u"));
    outer.AddAttribute(NewAttribute("xmlns:b", "u"));
    outer.AddAttribute(NewAttribute("xmlns", "d1"));
    outer.ReadNamespaceDeclarations();
    CElement inner;
    inner.AddAttribute(NewAttribute("xmlns:c", "u"));
    inner.AddAttribute(NewAttribute("xmlns:a", "v"));
    inner.ReadNamespaceDeclarations();

    CNamespaceScope scope;
    EXPECT_EQ(scope.FindPrefix("a"), nullptr);
    EXPECT_EQ(scope.DefaultUri(), nullptr);
    scope.Enter(outer);
    // Among one element's declarations, the first in attribute order wins.
    EXPECT_STREQ(scope.FindUri("u")->prefix.Text(), "a");
    EXPECT_STREQ(scope.DefaultUri()->Text(), "d1");
    scope.Enter(inner);
    EXPECT_STREQ(scope.FindUri("u")->prefix.Text(), "c");
    EXPECT_STREQ(scope.FindPrefix("a")->uri.Text(), "v");
    EXPECT_STREQ(scope.FindPrefix("b")->uri.Text(), "u");
    EXPECT_STREQ(scope.DefaultUri()->Text(), "d1");
    scope.Leave(inner);
    EXPECT_STREQ(scope.FindPrefix("a")->uri.Text(), "u");
    EXPECT_EQ(scope.FindPrefix("c"), nullptr);
    scope.Leave(outer);
    EXPECT_EQ(scope.FindUri("u"), nullptr);
    EXPECT_EQ(scope.DefaultUri(), nullptr);
}
