#include "formats/attribute_spec.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats_test_support.h"

#include <gtest/gtest.h>

using FormatsTest::Written;

namespace {

template <class TRule> TRule* AddNamed(CSpecBase& parent, const char* name) {
    auto* rule = new TRule;
    rule->name = name;
    parent.AddRule(rule);
    return rule;
}

} // namespace

TEST(SpecWrite, LeavesOutWhatIsEmptyAndWritesOneOrder) {
    CFileSpec spec;
    spec.name = "bare";
    auto* element = AddNamed<CElementSpec>(spec, "x");
    AddNamed<CAttributeSpec>(*element, "a")->listSeparator = ";";
    AddNamed<CElementSpec>(spec, "y")->SetFlags(CSpecBase::kOrderMask);
    EXPECT_EQ(Written(spec), "<?xml version='1.0' encoding='UTF-8'?>\r\n"
                             "<file name='bare' root=''>\r\n"
                             "\t<element name='x'>\r\n"
                             "\t\t<attribute name='a' listseparator=';'/>\r\n"
                             "\t</element>\r\n"
                             "\t<element name='y' order='Sequenced'>\r\n"
                             "\t</element>\r\n"
                             "</file>\r\n")
        << "Sequenced wins when both order bits are set";
}

TEST(SpecWrite, EscapesWhatWouldBreakTheMarkup) {
    CFileSpec spec;
    spec.name = "O'Brien & \"Sons\" <2>";
    spec.root = "a&b";
    spec.AddPatterns("it's.xml", false);
    auto* element = AddNamed<CElementSpec>(spec, "e'");
    element->knownAttributes.AddCopy("<k>");
    AddNamed<CAttributeSpec>(*element, "&amp;");
    EXPECT_EQ(Written(spec), "<?xml version='1.0' encoding='UTF-8'?>\r\n"
                             "<file name='O&apos;Brien &amp; &quot;Sons&quot; &lt;2>' "
                             "filenames='it&apos;s.xml' root='a&amp;b'>\r\n"
                             "\t<element name='e&apos;' attributes='&lt;k>'>\r\n"
                             "\t\t<attribute name='&amp;amp;'/>\r\n"
                             "\t</element>\r\n"
                             "</file>\r\n");
}

TEST(SpecRules, FindRuleFollowsDottedPaths) {
    auto spec = FormatsTest::ReadSpec("<file name='s' root='r'><element name='order'><element "
                                      "name='customer'><attribute name='code'/></element>"
                                      "</element></file>");
    const CSpecBase* customer = spec->FindRule("order.customer");
    ASSERT_NE(customer, nullptr);
    EXPECT_STREQ(customer->name.Text(), "customer");
    EXPECT_EQ(customer->Parent(), spec->FindRule("order"));
    EXPECT_EQ(spec->FindRule("order.customer.code")->GetType(), kSpecTypeAttribute);
    EXPECT_EQ(spec->FindRule("customer"), nullptr) << "only children, not grandchildren";
    EXPECT_EQ(spec->FindRule("order.missing"), nullptr);
    EXPECT_EQ(spec->FindRule("missing.customer"), nullptr);

    // An element named with a dot is not reachable by path, only by name.
    AddNamed<CElementSpec>(*spec, "a.b");
    EXPECT_EQ(spec->FindRule("a.b"), nullptr);
    EXPECT_STREQ(spec->FindChildRule("a.b")->name.Text(), "a.b");
}

TEST(SpecPatterns, AreLowerCasedSplitAtCommasAndMatchedEachInTurn) {
    CFileSpec spec;
    EXPECT_FALSE(spec.MatchesFileName("a.xml")) << "no patterns, no match";
    spec.AddPatterns("*.ORD,*.XML, *.Xsd,,\xC3\x84*.\xC3\x9C", false);
    EXPECT_EQ(FormatsTest::Patterns(spec),
              (std::vector<std::string>{"*.ord", "*.xml", " *.xsd", "\xC3\xA4*.\xC3\xBC"}));
    EXPECT_TRUE(spec.MatchesFileName("a.ord"));
    EXPECT_TRUE(spec.MatchesFileName("b.xml"));
    EXPECT_FALSE(spec.MatchesFileName("a.txt"));
    EXPECT_FALSE(spec.MatchesFileName("a.xsd")) << "the leading space is part of the pattern";
    CFileSpec trimmed;
    trimmed.AddPatterns(" *.XML , *.Xsd\t,  ,", true);
    EXPECT_EQ(FormatsTest::Patterns(trimmed), (std::vector<std::string>{"*.xml", "*.xsd"}));
}

TEST(SpecPatterns, NoMoreThanTheLimitAreKept) {
    std::string list;
    for (int i = 0; i < 300; ++i)
        list += "*." + std::to_string(i) + ",";
    CFileSpec spec;
    spec.AddPatterns(list.c_str(), false);
    ASSERT_EQ(spec.patterns.Count(), CFileSpec::kMostPatterns);
    EXPECT_STREQ(spec.patterns[255]->Text(), "*.255");
}
