#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/declarations.h"
#include "xml/doc.h"
#include "xml/doctype.h"
#include "xml/element.h"
#include "xml/equality.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>
#include <string>

using namespace NXML;
using XmlTest::ParseBytes;

namespace {

// The root elements of two parsed documents.
class TwoDocuments : public ::testing::Test {
protected:
    void Parse(const char* left, const char* right) {
        ASSERT_EQ(ParseBytes(leftDoc, left), NResult::kOk);
        ASSERT_EQ(ParseBytes(rightDoc, right), NResult::kOk);
    }
    const CNode& Left(std::uint32_t index = 0) { return *leftDoc.ChildAt(index); }
    const CNode& Right(std::uint32_t index = 0) { return *rightDoc.ChildAt(index); }

    CDoc leftDoc;
    CDoc rightDoc;
};

// "<!ELEMENT e " followed by a model nested `depth` groups deep.
std::string DeepModel(int depth, const char* innermost) {
    return "<!DOCTYPE r [<!ELEMENT e " + std::string(depth, '(') + innermost +
           std::string(depth, ')') + ">]><r/>";
}

} // namespace

// Elements compare local name and namespace only; document types their
// literals and quotes; declarations what they declare, not their spacing.
TEST_F(TwoDocuments, NodesCompareWhatTheyAreNotHowTheyAreWritten) {
    struct SCase {
        const char* left;
        const char* right;
        bool declaration; // compare the document type's first child
        bool equal;
    };
    const SCase cases[] = {
        {"<a:x xmlns:a='u1'/>", "<b:x xmlns:b='u2'/>", false, false},
        {"<a:x xmlns:a='u1'/>", "<b:x xmlns:b='u1'/>", false, true},
        {"<x/>", "<y/>", false, false},
        {"<x a='1'><c/></x>", "<x a='2' b='3'>text</x>", false, true},
        {"<!DOCTYPE r PUBLIC 'p' 's'><r/>", "<!DOCTYPE r PUBLIC 'p' 's' [<!ELEMENT r ANY>]><r/>",
         false, true},
        {"<!DOCTYPE r PUBLIC 'p' 's'><r/>", "<!DOCTYPE r PUBLIC 'p' \"s\"><r/>", false, false},
        {"<!DOCTYPE r SYSTEM 's'><r/>", "<!DOCTYPE r SYSTEM 't'><r/>", false, false},
        {"<!DOCTYPE r SYSTEM 's'><r/>", "<!DOCTYPE r PUBLIC '' 's'><r/>", false, false},
        {"<!DOCTYPE r [<!ELEMENT e (a,(b|c)*)>]><r/>",
         "<!DOCTYPE r [<!ELEMENT  e  ( a , ( b | c )* )>]><r/>", true, true},
        {"<!DOCTYPE r [<!ELEMENT e (a,(b|c)*)>]><r/>", "<!DOCTYPE r [<!ELEMENT e (a,(b|c)+)>]><r/>",
         true, false},
        {"<!DOCTYPE r [<!ELEMENT e (a,(b|c)*)>]><r/>", "<!DOCTYPE r [<!ELEMENT e (a,(b|d)*)>]><r/>",
         true, false},
        {"<!DOCTYPE r [<!ELEMENT e (a,b)>]><r/>", "<!DOCTYPE r [<!ELEMENT e (a,b,c)>]><r/>", true,
         false},
        {"<!DOCTYPE r [<!ELEMENT e ANY>]><r/>", "<!DOCTYPE r [<!ELEMENT e EMPTY>]><r/>", true,
         false},
        {"<!DOCTYPE r [<!ELEMENT e ANY>]><r/>", "<!DOCTYPE r [<!ELEMENT  e  ANY >]><r/>", true,
         true},
        {"<!DOCTYPE r [<!ATTLIST e a CDATA #IMPLIED>]><r/>",
         "<!DOCTYPE r [<!ATTLIST e a CDATA #IMPLIED b CDATA #IMPLIED>]><r/>", true, false},
    };
    for (const SCase& c : cases) {
        Parse(c.left, c.right);
        const CNode& left = c.declaration ? *Left().FirstChild() : Left();
        const CNode& right = c.declaration ? *Right().FirstChild() : Right();
        EXPECT_EQ(IsEqual(left, right), c.equal) << c.left << " against " << c.right;
    }
}

TEST_F(TwoDocuments, AttributesCompareNameAndValue) {
    Parse("<x a='1' b='1' c='2'/>", "<x a='1'/>");
    const auto& left = static_cast<const CElement&>(Left());
    const CAttribute& a = *static_cast<const CElement&>(Right()).FirstAttribute();
    EXPECT_TRUE(IsEqual(*left.AttributeAt(0), a));
    EXPECT_FALSE(IsEqual(*left.AttributeAt(1), a));
    EXPECT_FALSE(IsEqual(*left.AttributeAt(2), a));
}

TEST_F(TwoDocuments, OtherKindsCompareTypeAndText) {
    Parse("<x><!--c--><?c?>t</x>", "<x><!--c--><!--d-->t</x>");
    const auto left = [this](std::uint32_t index) -> const CNode& {
        return *Left().ChildAt(index);
    };
    const auto right = [this](std::uint32_t index) -> const CNode& {
        return *Right().ChildAt(index);
    };
    EXPECT_TRUE(IsEqual(left(0), right(0)));
    EXPECT_FALSE(IsEqual(left(0), right(1)));
    EXPECT_FALSE(IsEqual(left(1), right(0))); // same text, other kind
    EXPECT_TRUE(IsEqual(left(2), right(2)));
}

TEST_F(TwoDocuments, AttributeDefinitionsCompareEveryPart) {
    const auto firstDefinition = [this](const CDoc& doc) -> const CNode& {
        return *doc.FirstChild()->FirstChild()->FirstChild();
    };
    const char* const variants[] = {
        "<!DOCTYPE r [<!ATTLIST e a CDATA #IMPLIED>]><r/>",
        "<!DOCTYPE r [<!ATTLIST e a ID #IMPLIED>]><r/>",
        "<!DOCTYPE r [<!ATTLIST e a CDATA #REQUIRED>]><r/>",
        "<!DOCTYPE r [<!ATTLIST e a CDATA 'x'>]><r/>",
        "<!DOCTYPE r [<!ATTLIST e a CDATA 'y'>]><r/>",
        "<!DOCTYPE r [<!ATTLIST e a (p|q) 'p'>]><r/>",
        "<!DOCTYPE r [<!ATTLIST e a (p|s) 'p'>]><r/>",
    };
    for (const char* left : variants) {
        for (const char* right : variants) {
            Parse(left, right);
            EXPECT_EQ(IsEqual(firstDefinition(leftDoc), firstDefinition(rightDoc)), left == right)
                << left << " against " << right;
            EXPECT_EQ(IsEqual(*Left().FirstChild(), *Right().FirstChild()), left == right)
                << "the declarations of " << left << " against " << right;
        }
    }
}

TEST_F(TwoDocuments, DeeplyNestedModelsCompareWithoutRecursion) {
    constexpr int kDepth = 100000;
    Parse(DeepModel(kDepth, "a").c_str(), DeepModel(kDepth, "a").c_str());
    EXPECT_TRUE(IsEqual(*Left().FirstChild(), *Right().FirstChild()));
    Parse(DeepModel(kDepth, "a").c_str(), DeepModel(kDepth, "b").c_str());
    EXPECT_FALSE(IsEqual(*Left().FirstChild(), *Right().FirstChild()));
}
