#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats_test_support.h"

#include <gtest/gtest.h>

using FormatsTest::ParseDocument;
using FormatsTest::ReadSpec;

namespace {

std::unique_ptr<CFileSpec> Spec(const std::string& rules) {
    return ReadSpec("<file name='s' root='r'>" + rules + "</file>");
}

// The children of a parsed document's root element, elements only.
class CElements {
public:
    explicit CElements(std::string_view xml) : m_doc(ParseDocument(xml)) {
        for (const NXML::CElement* e = m_doc->FirstChildElement()->FirstChildElement();
             e != nullptr; e = e->NextSiblingElement())
            m_elements.push_back(e);
    }
    const NXML::CElement& operator[](std::size_t i) const { return *m_elements.at(i); }

private:
    std::unique_ptr<NXML::CDoc> m_doc;
    std::vector<const NXML::CElement*> m_elements;
};

} // namespace

TEST(FindElementSpec, ANamedRuleNeedsChildRulesElseTheFirstDefaultRuleApplies) {
    const auto spec = Spec("<element name='item'/>"
                           "<element name='*' order='Random'/>"
                           "<element name='item'><attribute name='id'/></element>"
                           "<element name='*'><attribute name='key'/></element>"
                           "<element name='Other'><attribute name='id'/></element>");
    const CElements e("<r><item/><other/><Other/></r>");
    EXPECT_EQ(spec->FindElementSpec(e[0]), spec->FindRuleOfType(kSpecTypeElement, 2))
        << "the rule without child rules is passed over";
    EXPECT_EQ(spec->FindElementSpec(e[1]), spec->FindRuleOfType(kSpecTypeElement, 1))
        << "names compare byte for byte; the first default rule applies";
    EXPECT_EQ(spec->FindElementSpec(e[2]), spec->FindRuleOfType(kSpecTypeElement, 4));
    EXPECT_EQ(Spec("<element name='item'/>")->FindElementSpec(e[0]), nullptr)
        << "without a default rule there is none";
}

TEST(IsSequenced, TheFirstNamedRuleWithAnOrderDecidesThenTheDefaultRule) {
    const auto spec = Spec("<element name='list'/>"
                           "<element name='list' order='Random'/>"
                           "<element name='list' order='Sequenced'/>"
                           "<element name='seq' order='Sequenced'/>"
                           "<element name='*' order='Random'/>");
    const CElements e("<r><list/><seq/><other/></r>");
    EXPECT_FALSE(spec->IsSequenced(e[0]));
    EXPECT_TRUE(spec->IsSequenced(e[1]));
    EXPECT_FALSE(spec->IsSequenced(e[2])) << "no named rule: the default rule decides";
    // Without rules for the element: the first default rule, else ordered.
    EXPECT_TRUE(Spec("")->IsSequenced(e[2]));
    EXPECT_TRUE(Spec("<element name='list'/>")->IsSequenced(e[0]));
    EXPECT_FALSE(Spec("<element name='*' order='Random'/><element name='*' order='Sequenced'/>")
                     ->IsSequenced(e[2]));
    EXPECT_FALSE(Spec("<element name='*'/>")->IsSequenced(e[2]))
        << "a default rule without an order is unordered";
}

TEST(IdentifyEqual, ByAttributeValueAMissingOneCountsAsEmpty) {
    const auto spec = Spec("<element name='x'><attribute name='id'/></element>");
    const auto& rule = *spec->FindElementSpec(CElements("<r><x/></r>")[0]);
    // The example of unordered children: each x finds the one of equal id.
    const CElements left("<r><x id='1'/><x id='2'/></r>");
    const CElements right("<r><x id='2'/><x id='1'/></r>");
    EXPECT_TRUE(rule.IdentifyEqual(left[0], right[1]));
    EXPECT_TRUE(rule.IdentifyEqual(left[1], right[0]));
    EXPECT_FALSE(rule.IdentifyEqual(left[0], right[0]));

    const CElements other("<r><x/><x id=''/><x id='1 '/><y id='1'/></r>");
    EXPECT_TRUE(rule.IdentifyEqual(other[0], other[1]));
    EXPECT_FALSE(rule.IdentifyEqual(left[0], other[2])) << "values are not trimmed";
    EXPECT_FALSE(rule.IdentifyEqual(left[0], other[3])) << "names must match first";
}

TEST(IdentifyEqual, ByChildElementMissingOnlyEqualsMissing) {
    const auto spec = Spec("<element name='dependency'>"
                           "<element name='groupId'><content/></element>"
                           "<element name='artifactId'><content/></element></element>");
    const auto& rule = static_cast<const CElementSpec&>(*spec->FindRule("dependency"));
    const CElements e("<r>"
                      "<dependency><groupId>org.a</groupId><artifactId>x</artifactId></dependency>"
                      "<dependency><artifactId> x </artifactId><groupId>\n org.a\t</groupId>"
                      "<version>2</version></dependency>"
                      "<dependency><groupId>org.a</groupId><artifactId>y</artifactId></dependency>"
                      "<dependency><groupId>org.a</groupId></dependency>"
                      "<dependency><groupId>org.a</groupId></dependency>"
                      "<dependency><groupId>org.a</groupId><artifactId/></dependency>"
                      "</r>");
    EXPECT_TRUE(rule.IdentifyEqual(e[0], e[1])) << "child order and whitespace do not matter";
    EXPECT_FALSE(rule.IdentifyEqual(e[0], e[2]));
    EXPECT_FALSE(rule.IdentifyEqual(e[0], e[3]));
    EXPECT_TRUE(rule.IdentifyEqual(e[3], e[4])) << "artifactId missing on both sides";
    EXPECT_FALSE(rule.IdentifyEqual(e[4], e[5])) << "missing against present";
}

TEST(IdentifyEqual, ByContentTrimmedOfEveryKindOfSpace) {
    const auto spec = Spec("<element name='t'><content/></element>");
    const auto& rule = static_cast<const CElementSpec&>(*spec->FindRule("t"));
    const CElements e("<r><t>a b</t><t>\r\n\t a b \xC2\x85\xE2\x80\xA8</t><t>a  b</t><t/>"
                      "<t></t><t><!--c-->a b</t><t> </t></r>");
    EXPECT_TRUE(rule.IdentifyEqual(e[0], e[1]));
    EXPECT_FALSE(rule.IdentifyEqual(e[0], e[2])) << "inner spaces count";
    EXPECT_TRUE(rule.IdentifyEqual(e[3], e[4])) << "no text on either side";
    EXPECT_TRUE(rule.IdentifyEqual(e[3], e[6])) << "missing text counts as empty";
    EXPECT_FALSE(rule.IdentifyEqual(e[0], e[3]));
    EXPECT_TRUE(rule.IdentifyEqual(e[0], e[5])) << "the first text child, past a comment";
}

TEST(IdentifyEqual, EveryRuleMustHoldInTurnAndNoRuleMeansByName) {
    const auto spec = Spec("<element name='dep'><attribute name='g'/><attribute name='a'/>"
                           "</element><element name='x'/>");
    const auto& dep = static_cast<const CElementSpec&>(*spec->FindRule("dep"));
    const CElements e("<r><dep g='1' a='x'/><dep g='1' a='y'/><dep a='x' g='1' v='2'/></r>");
    EXPECT_FALSE(dep.IdentifyEqual(e[0], e[1]));
    EXPECT_TRUE(dep.IdentifyEqual(e[0], e[2]));
    const auto& x = static_cast<const CElementSpec&>(*spec->FindRule("x"));
    const CElements named("<r><x a='1'>one</x><x a='2'>two</x><y/></r>");
    EXPECT_TRUE(x.IdentifyEqual(named[0], named[1]));
    EXPECT_FALSE(x.IdentifyEqual(named[0], named[2]));
}
