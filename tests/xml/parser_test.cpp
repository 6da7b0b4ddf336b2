#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/declarations.h"
#include "xml/doc.h"
#include "xml/doctype.h"
#include "xml/element.h"
#include "xml_test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace NXML;
using XmlTest::ParseBytes;

namespace {

// Type codes of the children, in order.
std::vector<int> ChildTypes(const CNode& parent) {
    std::vector<int> types;
    for (const CNode* child = parent.FirstChild(); child != nullptr; child = child->NextSibling())
        types.push_back(child->GetType());
    return types;
}

std::vector<std::string> ChildTexts(const CNode& parent) {
    std::vector<std::string> texts;
    for (const CNode* child = parent.FirstChild(); child != nullptr; child = child->NextSibling())
        texts.emplace_back(child->text.Text());
    return texts;
}

class Parsed : public ::testing::Test {
protected:
    const CElement& Root() {
        const CElement* root = doc.FirstChildElement();
        EXPECT_NE(root, nullptr);
        return *root;
    }
    void Parse(std::string_view source) { ASSERT_EQ(ParseBytes(doc, source), NResult::kOk); }

    CDoc doc;
};

} // namespace

TEST_F(Parsed, EveryPieceOfTheSourceBecomesANode) {
    Parse("<?xml version=\"1.0\"?>\n<!--c-->\n<r>a<![CDATA[<b>]]><?pi x?>z</r>");
    EXPECT_EQ(ChildTypes(doc), (std::vector<int>{kTypeProcessingInstruction, kTypeContent,
                                                 kTypeComment, kTypeContent, kTypeElement}));
    EXPECT_EQ(ChildTexts(doc),
              (std::vector<std::string>{"xml version=\"1.0\"", "\n", "c", "\n", "r"}));
    EXPECT_EQ(ChildTypes(Root()), (std::vector<int>{kTypeContent, kTypeCData,
                                                    kTypeProcessingInstruction, kTypeContent}));
    EXPECT_EQ(ChildTexts(Root()), (std::vector<std::string>{"a", "<b>", "pi x", "z"}));
}

TEST_F(Parsed, NodeTextsBorrowTheDocumentBuffer) {
    Parse("<r a='v'>text<!--c--></r>");
    const char* begin = doc.buffer.Text();
    const char* end = begin + doc.buffer.Capacity();
    const auto inBuffer = [&](const NString::TStr<char>& text) {
        return text.IsBorrowed() && text.Text() >= begin && text.Text() < end;
    };
    const CElement& root = Root();
    EXPECT_TRUE(inBuffer(root.text));
    EXPECT_TRUE(inBuffer(root.FirstAttribute()->name));
    EXPECT_TRUE(inBuffer(root.FirstAttribute()->text));
    EXPECT_TRUE(inBuffer(root.FirstChild()->text));
    EXPECT_TRUE(inBuffer(root.LastChild()->text));
    EXPECT_FALSE(doc.buffer.IsBorrowed());
}

TEST_F(Parsed, EmptyElementTagAndStartEndPairAreToldApart) {
    Parse("<r><a/><b></b><c>  </c><d>x</d></r>");
    const CElement* a = Root().FirstChildElement();
    const CElement* b = a->NextSiblingElement();
    const CElement* c = b->NextSiblingElement();
    const CElement* d = c->NextSiblingElement();
    EXPECT_FALSE(a->HasFlags(CElement::kEmptyWithEndTag));
    EXPECT_EQ(a->FirstChild(), nullptr);
    EXPECT_TRUE(b->HasFlags(CElement::kEmptyWithEndTag));
    EXPECT_EQ(b->FirstChild(), nullptr);
    EXPECT_TRUE(c->HasFlags(CElement::kEmptyWithEndTag));
    EXPECT_EQ(ChildTexts(*c), (std::vector<std::string>{"  "}));
    EXPECT_FALSE(d->HasFlags(CElement::kEmptyWithEndTag));
}

TEST_F(Parsed, TheLineEndAfterTheRootIsTrailingTextButACommentIsANode) {
    Parse("<r/>\n");
    EXPECT_EQ(ChildTypes(doc), (std::vector<int>{kTypeElement}));
    EXPECT_STREQ(doc.trailingText.Text(), "\n");

    Parse("<r/>\n<!--after-->\n");
    EXPECT_EQ(ChildTypes(doc), (std::vector<int>{kTypeElement, kTypeContent, kTypeComment}));
    EXPECT_STREQ(doc.trailingText.Text(), "\n");
}

TEST_F(Parsed, MarkupThatStartsNothingStaysCharacterData) {
    Parse("<r>a < b<3c<!bogus>d]]>&undeclared;</r>");
    EXPECT_EQ(ChildTexts(Root()), (std::vector<std::string>{"a < b<3c<!bogus>d]]>&undeclared;"}));
    EXPECT_FALSE(Root().HasFlags(CElement::kEmptyWithEndTag));
    EXPECT_STREQ(doc.trailingText.Text(), "");
}

TEST_F(Parsed, EndTagsOfPrefixedElementsUseTheSourcePrefix) {
    // Both prefixes name the same namespace; the end tag must still be found.
    Parse("<r xmlns:a='u' xmlns:b='u'><b:x>t</b:x><y/></r>");
    const CElement* x = Root().FirstChildElement();
    ASSERT_NE(x, nullptr);
    EXPECT_STREQ(x->text.Text(), "x");
    EXPECT_STREQ(x->prefix.Text(), "b");
    EXPECT_EQ(ChildTexts(*x), (std::vector<std::string>{"t"}));
    ASSERT_NE(x->NextSiblingElement(), nullptr);
    EXPECT_STREQ(x->NextSiblingElement()->text.Text(), "y");
}

TEST_F(Parsed, NonAsciiNamesAreScannedByCodePoint) {
    Parse("<r\xC3\xA9s\xE2\x80\xBF\xC2\xB7 \xE4\xB8\xAD=\"\xF0\x9F\x98\x80\"/>");
    EXPECT_STREQ(Root().text.Text(), "r\xC3\xA9s\xE2\x80\xBF\xC2\xB7");
    EXPECT_STREQ(Root().AttributeNameAt(0), "\xE4\xB8\xAD");
    EXPECT_STREQ(Root().AttributeValue("\xE4\xB8\xAD"), "\xF0\x9F\x98\x80");
}

TEST_F(Parsed, DocumentTypeWithExternalIdentifierKeepsItsSpaces) {
    Parse("<!DOCTYPE  html PUBLIC\t\"-//P\"  'sys.dtd' ><html/>");
    const auto& doctype = static_cast<const CDocTypeDecl&>(*doc.FirstChild());
    ASSERT_EQ(doctype.GetType(), kTypeDocTypeDecl);
    EXPECT_STREQ(doctype.text.Text(), "html");
    EXPECT_STREQ(doctype.publicLiteral.Text(), "-//P");
    EXPECT_EQ(doctype.publicQuote, '"');
    EXPECT_STREQ(doctype.systemLiteral.Text(), "sys.dtd");
    EXPECT_EQ(doctype.systemQuote, '\'');
    EXPECT_STREQ(doctype.SpaceText(CDocTypeDecl::kSpaceBeforeName), "  ");
    EXPECT_STREQ(doctype.SpaceText(CDocTypeDecl::kSpaceAfterName), " ");
    EXPECT_STREQ(doctype.SpaceText(CDocTypeDecl::kSpaceAfterPublic), "\t");
    EXPECT_STREQ(doctype.SpaceText(CDocTypeDecl::kSpaceBeforeSystemLiteral), "  ");
    EXPECT_STREQ(doctype.SpaceText(CDocTypeDecl::kSpaceAfterSystemLiteral), " ");
    EXPECT_FALSE(doctype.HasFlags(CDocTypeDecl::kHasInternalSubset));
    EXPECT_STREQ(Root().text.Text(), "html");
}

TEST_F(Parsed, InternalSubsetDeclarationsAreChildrenOfTheDocumentType) {
    Parse("<!DOCTYPE r SYSTEM \"r.dtd\" [\n<!ELEMENT r (a)>\n<!-- c -->\n"
          "<!ATTLIST r x CDATA #IMPLIED>\n<!ENTITY e \"<b>]\">\n] ><r/>");
    const auto& doctype = static_cast<const CDocTypeDecl&>(*doc.FirstChild());
    EXPECT_TRUE(doctype.HasFlags(CDocTypeDecl::kHasInternalSubset));
    EXPECT_EQ(doctype.systemQuote, '"');
    EXPECT_EQ(doctype.publicQuote, 0);
    EXPECT_EQ(ChildTypes(doctype), (std::vector<int>{kTypeContent, kTypeElementDecl, kTypeContent,
                                                     kTypeComment, kTypeContent, kTypeAttributeDecl,
                                                     kTypeContent, kTypePlain, kTypeContent}));
    const CNode* entity = doctype.LastChild()->PreviousSibling();
    EXPECT_STREQ(entity->text.Text(), " e \"<b>]\"");
    EXPECT_STREQ(doctype.beforeClose.Text(), " ");
    EXPECT_EQ(ChildTypes(doc), (std::vector<int>{kTypeDocTypeDecl, kTypeElement}));
}

TEST_F(Parsed, ElementDeclarationsReadTheirContentModel) {
    Parse("<!DOCTYPE r [<!ELEMENT e EMPTY><!ELEMENT f ANY><!ELEMENT m (#PCDATA|a)*>"
          "<!ELEMENT s ((a,b)|(c?,d+))*>]><r/>");
    const auto* empty = static_cast<const CElementDecl*>(doc.FirstChild()->ChildAt(0));
    const auto* any = static_cast<const CElementDecl*>(doc.FirstChild()->ChildAt(1));
    const auto* mixed = static_cast<const CElementDecl*>(doc.FirstChild()->ChildAt(2));
    const auto* nested = static_cast<const CElementDecl*>(doc.FirstChild()->ChildAt(3));
    EXPECT_STREQ(empty->text.Text(), "e");
    EXPECT_EQ(empty->flags, CElementDecl::kEmpty);
    EXPECT_EQ(any->flags, CElementDecl::kAny);
    EXPECT_EQ(mixed->flags, CElementDecl::kMixed);
    EXPECT_EQ(ChildTexts(mixed->model), (std::vector<std::string>{"#PCDATA", "a"}));
    EXPECT_EQ(mixed->model.flags, CContentParticle::kChoice | CContentParticle::kZeroOrMore);

    // Two groups inside a choice, each read from its own "(" with its names intact.
    const CContentParticle& model = nested->model;
    EXPECT_STREQ(nested->text.Text(), "s");
    EXPECT_STREQ(nested->Body(), " s ((a,b)|(c?,d+))*");
    EXPECT_EQ(nested->flags, 0u);
    EXPECT_EQ(model.flags, CContentParticle::kChoice | CContentParticle::kZeroOrMore);
    ASSERT_EQ(model.ChildCount(), 2u);
    const CNode& first = *model.ChildAt(0);
    const CNode& second = *model.ChildAt(1);
    EXPECT_EQ(first.flags, CContentParticle::kSequence);
    EXPECT_EQ(ChildTexts(first), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ChildTexts(second), (std::vector<std::string>{"c", "d"}));
    EXPECT_EQ(second.ChildAt(0)->flags, CContentParticle::kOptional);
    EXPECT_EQ(second.ChildAt(1)->flags, CContentParticle::kOneOrMore);
}

TEST_F(Parsed, AttributeListDeclarationsReadEveryDefinition) {
    Parse("<!DOCTYPE r [<!ATTLIST r\n id ID #REQUIRED\n refs IDREFS #IMPLIED\n"
          " kind (a|b | c) \"b\"\n n NOTATION (x|y) #FIXED 'x'\n t NMTOKENS 'p q'\n"
          " u ENTITY #IMPLIED>]><r/>");
    const auto& list = static_cast<const CAttributeDecl&>(*doc.FirstChild()->FirstChild());
    ASSERT_EQ(list.GetType(), kTypeAttributeDecl);
    EXPECT_STREQ(list.text.Text(), "r");
    EXPECT_EQ(ChildTexts(list), (std::vector<std::string>{"id", "refs", "kind", "n", "t", "u"}));
    const auto definition = [&](std::uint32_t index) {
        return static_cast<const CAttributeDef*>(list.ChildAt(index));
    };
    EXPECT_EQ(definition(0)->flags, CAttributeDef::kId | CAttributeDef::kRequired);
    EXPECT_EQ(definition(1)->flags,
              CAttributeDef::kIdRef | CAttributeDef::kList | CAttributeDef::kImplied);
    EXPECT_EQ(definition(2)->flags, CAttributeDef::kEnumeration);
    EXPECT_EQ(ChildTexts(*definition(2)), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_STREQ(definition(2)->defaultValue.Text(), "b");
    EXPECT_EQ(definition(3)->flags, CAttributeDef::kNotation | CAttributeDef::kFixed);
    EXPECT_EQ(ChildTexts(*definition(3)), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(definition(3)->FirstChild()->GetType(), kTypePlain);
    EXPECT_STREQ(definition(3)->defaultValue.Text(), "x");
    EXPECT_EQ(definition(4)->flags, CAttributeDef::kNmToken | CAttributeDef::kList);
    EXPECT_STREQ(definition(4)->defaultValue.Text(), "p q");
    EXPECT_EQ(definition(5)->flags, CAttributeDef::kEntity | CAttributeDef::kImplied);
}

TEST_F(Parsed, ReparsingReplacesTheEarlierContent) {
    Parse("<a/>\n");
    Parse("<b/>");
    EXPECT_EQ(ChildTexts(doc), (std::vector<std::string>{"b"}));
    EXPECT_STREQ(doc.trailingText.Text(), "");
}

TEST(DocParse, RefusesInputWithoutADocument) {
    CDoc doc;
    EXPECT_EQ(ParseBytes(doc, "<a>"), NResult::kNotWellFormed);
    EXPECT_EQ(ParseBytes(doc, ""), NResult::kNotWellFormed);
    EXPECT_EQ(ParseBytes(doc, std::string_view("\0\0\0\0\0", 5)), NResult::kNotWellFormed);
    EXPECT_EQ(ParseBytes(doc, "\xEF\xBB\xBF"), NResult::kNotWellFormed);
    EXPECT_EQ(doc.parseError.problem, EParseProblem::kNoRootElement);
    EXPECT_EQ(doc.FirstChild(), nullptr);
    EXPECT_EQ(ParseBytes(doc, "<a/>"), NResult::kOk);
}

TEST(DocLoad, OpensFilesByTheirUtf16Path) {
    CDoc doc;
    EXPECT_EQ(doc.Load(u"/nonexistent/quillmere/missing.xml"), NResult::kCannotOpen);

    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "quillmere-xml-load-\u00E9.xml";
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF<r>loaded</r>\n";
    const NString::TStr<char16_t> utf16Path(reinterpret_cast<const char*>(path.u8string().c_str()));
    const int result = doc.Load(utf16Path.Text());
    std::filesystem::remove(path);
    ASSERT_EQ(result, NResult::kOk);
    EXPECT_STREQ(doc.FirstChildElement()->FirstChild()->text.Text(), "loaded");
    EXPECT_EQ(doc.charset, 106);
}
