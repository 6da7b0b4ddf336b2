#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/rule_identification.h"
#include "formats_test_support.h"

#include <gtest/gtest.h>

using FormatsTest::ReadSpec;
using FormatsTest::Written;
using Names = std::vector<std::string>;

namespace {

constexpr char kSpec[] = "<file name='Shop' root='shop'>"
                         "<element name='item' attributes='sku,id,colour'>"
                         "<attribute name='id'/></element>"
                         "<element name='order'><element name='number'>"
                         "<attribute name='series'/></element></element>"
                         "<element name='note'><content/></element>"
                         "<element name='*' order='Sequenced'/>"
                         "</file>";

CElementSpec& Rule(CFileSpec& spec, const char* path) {
    auto* rule = dynamic_cast<CElementSpec*>(spec.FindRule(path));
    EXPECT_NE(rule, nullptr) << path;
    return *rule;
}

} // namespace

TEST(RuleIdentification, IsReadFromTheFirstChildRule) {
    auto spec = ReadSpec(kSpec);
    const struct {
        const char* rule;
        EIdentification kind;
        Names names;
    } kCases[] = {
        {"item", EIdentification::Attributes, {"id"}},
        {"order", EIdentification::ChildElements, {"number"}},
        {"note", EIdentification::Content, {}},
        {"*", EIdentification::Nothing, {}},
    };
    for (const auto& entry : kCases) {
        const CElementSpec& rule = Rule(*spec, entry.rule);
        EXPECT_EQ(IdentificationOf(rule), entry.kind) << entry.rule;
        EXPECT_EQ(IdentifyingNames(rule, entry.kind), entry.names) << entry.rule;
    }
}

TEST(RuleIdentification, ChoosingAKindDropsTheRulesOfEveryOtherKind) {
    const struct {
        const char* rule;
        EIdentification kind;
        const char* childTypes; // one digit per child rule, its spec type
    } kCases[] = {
        {"item", EIdentification::Content, "4"},    {"note", EIdentification::Content, "4"},
        {"order", EIdentification::Nothing, ""},    {"order", EIdentification::Attributes, ""},
        {"item", EIdentification::Attributes, "3"}, {"note", EIdentification::ChildElements, ""},
    };
    for (const auto& entry : kCases) {
        auto spec = ReadSpec(kSpec);
        CElementSpec& rule = Rule(*spec, entry.rule);
        SetIdentification(rule, entry.kind);
        std::string types;
        for (const CSpecBase* child = rule.FirstRule(); child != nullptr; child = child->NextRule())
            types += static_cast<char>('0' + child->GetType());
        EXPECT_EQ(types, entry.childTypes) << entry.rule;
        EXPECT_EQ(IdentificationOf(rule),
                  entry.childTypes[0] == 0 ? EIdentification::Nothing : entry.kind);
    }
}

TEST(RuleIdentification, NamesAreRewrittenInOrderAndKeptRulesKeepTheirOwn) {
    auto spec = ReadSpec(kSpec);
    CElementSpec& order = Rule(*spec, "order");
    SetIdentifyingNames(order, EIdentification::ChildElements, {"customer", "number"});
    EXPECT_EQ(IdentifyingNames(order, EIdentification::ChildElements),
              (Names{"customer", "number"}));
    EXPECT_NE(spec->FindRule("order.number.series"), nullptr) << "a kept rule keeps its rules";

    CElementSpec& item = Rule(*spec, "item");
    SetIdentifyingNames(item, EIdentification::Attributes, {"sku", "colour"});
    EXPECT_EQ(IdentifyingNames(item, EIdentification::Attributes), (Names{"sku", "colour"}));
    SetIdentifyingNames(item, EIdentification::Attributes, {});
    EXPECT_EQ(IdentificationOf(item), EIdentification::Nothing);
    // The written file reads back the same.
    EXPECT_EQ(Written(*ReadSpec(Written(*spec))), Written(*spec));
}

TEST(RuleIdentification, OfferedNamesAreSortedUniqueAndIncludeThoseInUse) {
    auto spec = ReadSpec(kSpec);
    const struct {
        const char* rule;
        EIdentification kind;
        Names offered;
    } kCases[] = {
        {"item", EIdentification::Attributes, {"colour", "id", "sku"}},
        // A nested rule offers the known attributes of the rule of its name,
        // and what it uses although nothing knows it.
        {"order.number", EIdentification::Attributes, {"series"}},
        {"order", EIdentification::ChildElements, {"item", "note", "number", "order"}},
        {"note", EIdentification::Content, {}},
    };
    for (const auto& entry : kCases)
        EXPECT_EQ(OfferedNames(*spec, Rule(*spec, entry.rule), entry.kind), entry.offered)
            << entry.rule;
}

TEST(RuleIdentification, ChildOrderIsOneFlagOrNone) {
    auto spec = ReadSpec(kSpec);
    CElementSpec& rule = Rule(*spec, "*");
    EXPECT_EQ(ChildOrderOf(rule), EChildOrder::Sequenced);
    for (const EChildOrder order :
         {EChildOrder::Random, EChildOrder::Default, EChildOrder::Sequenced, EChildOrder::Random}) {
        SetChildOrder(rule, order);
        EXPECT_EQ(ChildOrderOf(rule), order);
    }
}
