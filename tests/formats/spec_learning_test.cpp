#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats_test_support.h"

#include <gtest/gtest.h>

using FormatsTest::AddNumberedAttributes;
using FormatsTest::ParseDocument;
using FormatsTest::ReadSpec;
using FormatsTest::RuleNames;

namespace {

std::vector<std::string> Known(const CSpecBase& spec, const char* name) {
    return FormatsTest::KnownAttributes(spec.FindChildRule(name));
}

} // namespace

TEST(LearnFromDocuments, AddsOneRulePerNewElementNameInSideAndDocumentOrder) {
    const auto spec = ReadSpec("<file name='s' root='r'><element name='b' order='Random'>"
                               "<attribute name='id'/></element></file>");
    const auto left = ParseDocument("<r><a x='1'><b id='1' y='2'/></a><c/></r>");
    const auto right = ParseDocument("<r z='0'><d/><b w='3'/><a x='2' v='1'/></r>");
    const NXML::CDoc* documents[] = {left.get(), right.get()};

    EXPECT_TRUE(spec->LearnFromDocuments(documents));
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"b", "r", "a", "c", "d"}));
    EXPECT_EQ(spec->FindRule("b")->flags, CSpecBase::kRandom) << "existing rules keep their order";
    EXPECT_EQ(spec->FindRule("b")->ChildCount(), 1u);
    EXPECT_EQ(spec->FindRule("a")->flags, 0u) << "new rules have no order";
    EXPECT_EQ(Known(*spec, "a"), (std::vector<std::string>{"x", "v"}));
    EXPECT_EQ(Known(*spec, "b"), (std::vector<std::string>{"id", "y", "w"}));
    EXPECT_EQ(Known(*spec, "r"), (std::vector<std::string>{"z"}));
    EXPECT_TRUE(Known(*spec, "c").empty());

    EXPECT_FALSE(spec->LearnFromDocuments(documents)) << "nothing new the second time";
    EXPECT_EQ(spec->ChildCount(), 5u);
}

// Long runs of one name are the usual case: an element in such a run still
// teaches the attribute names that the one before it lacked.
TEST(LearnFromDocuments, ARunOfOneNameTeachesEveryAttributeNameInIt) {
    const auto spec = ReadSpec("<file name='s' root='r'/>");
    const auto left =
        ParseDocument("<r><a x='1'/><a x='2'/><a x='3' y='1'/><a y='1' x='3'/><a/><a w='0'/></r>");
    const auto right = ParseDocument("<r><a x='1'/><a v='1'/><b/><b u='2'/><b u='3'/></r>");
    const NXML::CDoc* documents[] = {left.get(), right.get()};
    EXPECT_TRUE(spec->LearnFromDocuments(documents));
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"r", "a", "b"}));
    EXPECT_EQ(Known(*spec, "a"), (std::vector<std::string>{"x", "y", "w", "v"}));
    EXPECT_EQ(Known(*spec, "b"), (std::vector<std::string>{"u"}));
}

TEST(LearnFromDocuments, ANewAttributeAloneCountsAsLearntAndOnlyElementsAreLearnt) {
    const auto spec = ReadSpec("<file name='s' root='r'><element name='r'/></file>");
    const auto doc = ParseDocument("<?xml version='1.0'?><!--c--><?pi x?><r new='1'>text"
                                   "<![CDATA[d]]></r>");
    const NXML::CDoc* documents[] = {doc.get(), nullptr};
    EXPECT_TRUE(spec->LearnFromDocuments(documents));
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"r"}));
    EXPECT_EQ(Known(*spec, "r"), (std::vector<std::string>{"new"}));
}

TEST(LearnFromDocuments, NamesWithDotsFindTheirRuleAndAreNotAddedAgain) {
    const auto spec = ReadSpec("<file name='s' root='a.b'/>");
    const auto doc = ParseDocument("<a.b><c.d/></a.b>");
    const NXML::CDoc* documents[] = {doc.get()};
    EXPECT_TRUE(spec->LearnFromDocuments(documents));
    EXPECT_FALSE(spec->LearnFromDocuments(documents));
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"a.b", "c.d"}));
}

TEST(LearnFromDocuments, NamesLongerThanTheLimitAreNotLearnt) {
    const std::string longest(CFileSpec::kLongestLearntName, 'e');
    const std::string tooLong = longest + "x";
    const auto spec = ReadSpec("<file name='s' root='r'><element name='r'/></file>");
    const auto doc = ParseDocument("<r " + tooLong + "='1' " + longest + "='2'><" + tooLong +
                                   " a='1'/><" + longest + "/></r>");
    const NXML::CDoc* documents[] = {doc.get()};
    EXPECT_TRUE(spec->LearnFromDocuments(documents));
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"r", longest}));
    EXPECT_EQ(Known(*spec, "r"), (std::vector<std::string>{longest}));
    EXPECT_FALSE(spec->LearnFromDocuments(documents)) << "a refused name is nothing new";
}

TEST(LearnFromDocuments, AFullSpecificationLearnsNoMore) {
    const auto spec = ReadSpec("<file name='s' root='r'><element name='r'/></file>");
    auto* rule = static_cast<CElementSpec*>(spec->FirstRule());
    // The rule itself and its attributes: one name short of the limit.
    AddNumberedAttributes(*rule, 2, CFileSpec::kMostLearntNames);
    ASSERT_EQ(spec->LearntNameCount(), CFileSpec::kMostLearntNames - 1);
    const auto doc = ParseDocument("<r new='1'><a b='1'/><c/></r>");
    const NXML::CDoc* documents[] = {doc.get()};
    EXPECT_TRUE(spec->LearnFromDocuments(documents));
    EXPECT_EQ(spec->LearntNameCount(), CFileSpec::kMostLearntNames);
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"r"}));
    EXPECT_STREQ(rule->knownAttributes[rule->knownAttributes.Count() - 1]->Text(), "new");
    EXPECT_FALSE(spec->LearnFromDocuments(documents));
    EXPECT_EQ(spec->LearntNameCount(), CFileSpec::kMostLearntNames);
}
