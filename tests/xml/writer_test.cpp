#include "round_trip_support.h"
#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/declarations.h"
#include "xml/doc.h"
#include "xml/doctype.h"
#include "xml/element.h"
#include "xml/writer.h"

#include <gtest/gtest.h>
#include <string>

using namespace NXML;
using XmlTest::Captured;
using XmlTest::ParseBytes;
using XmlTest::RoundTripDifference;
using XmlTest::Written;

namespace {

std::string StartTag(const CElement& element) {
    return Captured([&](NIO::CBase& out) {
        return WriteStartTag(out, element, WrittenPrefix(element), IsWrittenEmpty(element));
    });
}

std::string EndTag(const CElement& element) {
    return Captured(
        [&](NIO::CBase& out) { return WriteEndTag(out, element, WrittenPrefix(element)); });
}

std::string PlainForm(const CNode& node) {
    return Captured([&](NIO::CBase& out) { return WritePlainForm(out, node); });
}

class Forms : public ::testing::Test {
protected:
    const CElement& Parse(const char* source) {
        EXPECT_EQ(ParseBytes(doc, source), NResult::kOk);
        return *doc.FirstChildElement();
    }
    CDoc doc;
};

} // namespace

TEST_F(Forms, StartAndEndTagStayAndEmptyElementTagsStay) {
    const CElement& root = Parse("<r><a></a><b/><c> </c></r>");
    const CElement& a = *root.FirstChildElement();
    const CElement& b = *a.NextSiblingElement();
    const CElement& c = *b.NextSiblingElement();
    EXPECT_EQ(StartTag(a) + EndTag(a), "<a></a>");
    EXPECT_FALSE(IsWrittenEmpty(a));
    EXPECT_EQ(StartTag(b), "<b/>");
    EXPECT_TRUE(IsWrittenEmpty(b));
    EXPECT_EQ(StartTag(c), "<c>");
    EXPECT_STREQ(WhitespaceBeforeEndTag(c), " ");
    EXPECT_EQ(Written(doc), "<r><a></a><b/><c> </c></r>");
}

TEST_F(Forms, ANewAttributeGetsDoubleQuotesAndNoSpaces) {
    CElement element;
    element.text = "e";
    auto* attribute = new CAttribute;
    attribute->name = "k";
    attribute->text = "v";
    element.AddAttribute(attribute);
    EXPECT_EQ(StartTag(element), "<ek\"v\"/>");
    EXPECT_EQ(WrittenPrefix(element), nullptr);
    attribute->Spaces()[CAttribute::kSpaceBeforeName] = " ";
    attribute->Spaces()[CAttribute::kSpaceAroundEquals] = "=";
    EXPECT_EQ(StartTag(element), "<e k=\"v\"/>");
}

TEST_F(Forms, AMovedElementTakesThePrefixOfTheNearestDeclaration) {
    const CElement& root = Parse("<r xmlns:a='u'><s xmlns:b='u'/><t xmlns:c='u'><c:x/></t></r>");
    auto& s = *root.FirstChildElement();
    CElement& x = *s.NextSiblingElement()->FirstChildElement();
    // Under s, "c" is not declared, but both "a" and "b" name x's namespace.
    s.AddChild(&x);
    EXPECT_STREQ(WrittenPrefix(x), "b");
    EXPECT_EQ(StartTag(x), "<b:x/>");
    EXPECT_EQ(Written(doc), "<r xmlns:a='u'><s xmlns:b='u'><b:x/></s><t xmlns:c='u'/></r>");
}

TEST_F(Forms, AnElementMovedWherePrefixMeansElseIsRenamed) {
    const CElement& root =
        Parse("<r xmlns:p='other' xmlns:q='u'><s/><t xmlns:p='u'><p:x/></t></r>");
    auto& s = *root.FirstChildElement();
    CElement& x = *s.NextSiblingElement()->FirstChildElement();
    s.AddChild(&x);
    EXPECT_EQ(StartTag(x), "<q:x/>");
}

TEST_F(Forms, PlainFormsWrapTheBody) {
    Parse("<!DOCTYPE r [<!ELEMENT  e (a|b)* ><!ATTLIST e x CDATA 'y>'><!ENTITY n 'v'>]>"
          "<r><!--c--><![CDATA[d]]><?p q?>t</r>");
    const CNode& doctype = *doc.FirstChild();
    EXPECT_EQ(PlainForm(*doctype.ChildAt(0)), "<!ELEMENT  e (a|b)* >");
    EXPECT_EQ(PlainForm(*doctype.ChildAt(1)), "<!ATTLIST e x CDATA 'y>'>");
    EXPECT_EQ(PlainForm(*doctype.ChildAt(2)), "<!ENTITY n 'v'>");
    const CElement& root = *doc.FirstChildElement();
    EXPECT_EQ(PlainForm(*root.ChildAt(0)), "<!--c-->");
    EXPECT_EQ(PlainForm(*root.ChildAt(1)), "<![CDATA[d]]>");
    EXPECT_EQ(PlainForm(*root.ChildAt(2)), "<?p q?>");
    EXPECT_EQ(PlainForm(*root.ChildAt(3)), "t");
}

TEST_F(Forms, DocumentTypeDeclarationsInEveryShape) {
    const auto docType = [&](const char* source) {
        EXPECT_EQ(ParseBytes(doc, source), NResult::kOk);
        const auto& declaration = static_cast<const CDocTypeDecl&>(*doc.FirstChild());
        return Captured([&](NIO::CBase& out) { return WriteDocTypeStart(out, declaration); }) +
               "|" + Captured([&](NIO::CBase& out) { return WriteDocTypeEnd(out, declaration); });
    };
    EXPECT_EQ(docType("<!DOCTYPE r><r/>"), "<!DOCTYPE r>|");
    EXPECT_EQ(docType("<!DOCTYPE r SYSTEM 's'><r/>"), "<!DOCTYPE r SYSTEM 's'>|");
    EXPECT_EQ(docType("<!DOCTYPE\nr PUBLIC \"p\"\n 's' ><r/>"),
              "<!DOCTYPE\nr PUBLIC \"p\"\n 's' >|");
    EXPECT_EQ(docType("<!DOCTYPE r [ ] ><r/>"), "<!DOCTYPE r [|] >");
    EXPECT_EQ(docType("<!DOCTYPE r[]><r/>"), "<!DOCTYPE r[|]>");
    EXPECT_EQ(docType("<!DOCTYPE r junk><r/>"), "<!DOCTYPE r junk>|");
}

TEST_F(Forms, WhitespaceGoesWithTheNodeAfterIt) {
    const CElement& root = Parse("<r>\n <a/>\n <!--c-->\n <?p?>\n</r>");
    const CNode& a = *root.FirstChildElement();
    const CNode& comment = *a.NextSibling()->NextSibling();
    const CNode& instruction = *comment.NextSibling()->NextSibling();
    EXPECT_TRUE(WritesWhitespaceBefore(a));
    EXPECT_STREQ(WhitespaceBefore(a), "\n ");
    EXPECT_FALSE(WritesWhitespaceBefore(comment));
    EXPECT_TRUE(WritesWhitespaceBefore(instruction));
    EXPECT_STREQ(WhitespaceBefore(instruction), "\n ");
    EXPECT_STREQ(WhitespaceBeforeEndTag(root), "\n");
    EXPECT_STREQ(WhitespaceBefore(root), "");
    EXPECT_EQ(Written(doc), "<r>\n <a/>\n <!--c-->\n <?p?>\n</r>");
}

TEST_F(Forms, WritingToAFullStreamReportsTheFailure) {
    Parse("<r a='1'>text</r>");
    static const char kBytes[] = "x";
    NIO::TBuffer<0> readOnly;
    readOnly.Borrow(kBytes, 1);
    EXPECT_EQ(WriteDocument(readOnly, doc), NResult::kNotWritable);
    EXPECT_EQ(WriteStartTag(readOnly, *doc.FirstChildElement(), "", false), NResult::kNotWritable);
}

TEST(WholeDocument, KeepsWhatTheParserToleratesAsText) {
    for (const char* source : {
             "<r>1 < 2 <!bogus> & ]]> &undeclared; &#x20AC;</r>\n",
             "<r a='1'b=\"2\" c = 'x\"y' d=\"&lt;\"/>",
             "\n\n<r/>\n\n",
             "<?xml version='1.0'?>\r\n<!DOCTYPE r [\r\n<!ENTITY e \"<b>]\">\r\n]>\r\n<r/>\r\n",
             "<!DOCTYPE r [ <!NOTATION n SYSTEM 'a]b'> %pe; ]><r/>",
             "<r>\n  <a>x</a\n  ><b></b ></r\t>",
             "<r xmlns:a='u' xmlns:b='u'><b:x/><a:y></a:y></r>",
             "<:x xmlns:='u'></:x>",
             // "p" is undeclared, so p:c takes the default namespace, which the
             // empty prefix also names; the source's prefix is still written.
             "<r><c xmlns='urn:q'><p:c xmlns:='urn:q'></p:c></c></r>",
             "<r><z:x>t</z:x></r>",
         }) {
        EXPECT_EQ(RoundTripDifference(source), "") << "source: " << source;
    }
}

TEST(WholeDocument, WritesAnEditedDocument) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<r>\n  <a/>\n</r>\n"), NResult::kOk);
    CElement& root = *doc.FirstChildElement();
    auto* added = new CElement;
    added->text = "b";
    root.AddChild(added, root.LastChild());
    delete root.FirstChild(); // the indentation before <a/>
    EXPECT_EQ(Written(doc), "<r><a/><b/>\n</r>\n");
}
