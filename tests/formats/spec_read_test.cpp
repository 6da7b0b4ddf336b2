#include "formats/attribute_spec.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats_test_support.h"

#include <gtest/gtest.h>

using FormatsTest::CTempFolder;
using FormatsTest::Patterns;
using FormatsTest::ReadSpec;
using FormatsTest::Written;

namespace {

constexpr char kDeclaration[] = "<?xml version='1.0' encoding='UTF-8'?>\r\n";

std::string SpecText(const std::string& attributes, const std::string& rules = "") {
    return std::string(kDeclaration) + "<file " + attributes + ">\r\n" + rules + "</file>\r\n";
}

const CElementSpec* ElementRule(const CSpecBase& spec, const char* path) {
    const CSpecBase* rule = spec.FindRule(path);
    if (rule == nullptr || rule->GetType() != kSpecTypeElement)
        return nullptr;
    return static_cast<const CElementSpec*>(rule);
}

} // namespace

TEST(SpecRead, ReadsNameRootPatternsAndRules) {
    const auto spec =
        ReadSpec(SpecText("name='Orders' filenames='*.ORD,*.Xml' root='orders'",
                          "<element name='order' order='Random' attributes='id,Date'>"
                          "<attribute name='id'/><element name='customer'><content/></element>"
                          "</element><element name='*' order='Sequenced'></element>"));
    EXPECT_STREQ(spec->name.Text(), "Orders");
    EXPECT_STREQ(spec->root.Text(), "orders");
    EXPECT_EQ(Patterns(*spec), (std::vector<std::string>{"*.ord", "*.xml"}));
    const CElementSpec* order = ElementRule(*spec, "order");
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->flags, CSpecBase::kRandom);
    ASSERT_EQ(order->knownAttributes.Count(), 2u);
    EXPECT_STREQ(order->knownAttributes[1]->Text(), "Date") << "attribute names keep their case";
    EXPECT_EQ(order->FindRule("id")->GetType(), kSpecTypeAttribute);
    EXPECT_EQ(order->FindRule("customer")->FirstRule()->GetType(), kSpecTypeContent);
    EXPECT_EQ(ElementRule(*spec, "*")->flags, CSpecBase::kSequenced);
}

TEST(SpecRead, TheRootNamespaceIsReadAndWrittenBackOnlyWhenPresent) {
    const std::string with = SpecText("name='POM' root='project' namespace='urn:a?b=1&amp;c=2'");
    const auto spec = ReadSpec(with);
    EXPECT_STREQ(spec->rootNamespace.Text(), "urn:a?b=1&c=2");
    EXPECT_EQ(Written(*spec), with);

    const std::string without = SpecText("name='Ant' root='project'");
    EXPECT_EQ(Written(*ReadSpec(without)), without);
}

TEST(SpecRead, OrderMustBeSpelledExactly) {
    const auto spec = ReadSpec(SpecText("name='s'", "<element name='a' order='sequenced'/>"
                                                    "<element name='b' order='RANDOM'/>"
                                                    "<element name='c' order='Random'/>"));
    EXPECT_EQ(ElementRule(*spec, "a")->flags & CSpecBase::kOrderMask, 0u);
    EXPECT_EQ(ElementRule(*spec, "b")->flags & CSpecBase::kOrderMask, 0u);
    EXPECT_EQ(ElementRule(*spec, "c")->flags & CSpecBase::kOrderMask, CSpecBase::kRandom);
}

TEST(SpecRead, UnknownElementsAndAttributesAreIgnoredMissingOnesReadEmpty) {
    const auto spec = ReadSpec(SpecText("colour='red'", "<comment name='x'/>"
                                                        "<element name='a' extra='1'>"
                                                        "<attribute name='id' listseparator=';'/>"
                                                        "<unknown/></element>"
                                                        "<element/>"));
    EXPECT_STREQ(spec->name.Text(), "");
    EXPECT_STREQ(spec->root.Text(), "");
    ASSERT_EQ(spec->ChildCount(), 2u);
    const CSpecBase* a = spec->FindRule("a");
    ASSERT_EQ(a->ChildCount(), 1u);
    EXPECT_TRUE(static_cast<const CAttributeSpec*>(a->FirstRule())->listSeparator.IsEmpty())
        << "an attribute rule reads nothing beyond its name";
    EXPECT_STREQ(spec->FindRuleOfType(kSpecTypeElement, 1)->name.Text(), "");
}

TEST(SpecRead, ReferencesAreReplacedAndStrayAmpersandsKept) {
    const auto spec = ReadSpec(SpecText(
        "name='&#65;&#x42;&#x1F600;&gt; &unknown; &#0; &#xD800; & &amp' root='A &amp; B'"));
    EXPECT_STREQ(spec->name.Text(), "AB\xF0\x9F\x98\x80> &unknown; &#0; &#xD800; & &amp");
    EXPECT_STREQ(spec->root.Text(), "A & B");
}

TEST(SpecRead, DeeplyNestedRulesStopAtTheLimit) {
    std::string rules;
    for (int i = 0; i < 1000; ++i)
        rules += "<element name='e'>";
    for (int i = 0; i < 1000; ++i)
        rules += "</element>";
    const auto spec = ReadSpec(SpecText("name='deep'", rules));
    int depth = 0;
    for (const CSpecBase* rule = spec->FirstRule(); rule != nullptr; rule = rule->FirstRule())
        ++depth;
    EXPECT_EQ(depth, CSpecBase::kDeepestRule);
    EXPECT_FALSE(Written(*spec).empty());
}

TEST(LoadSpecFile, LoadsAFileElementAndSaysWhyAnythingElseDoesNot) {
    CTempFolder folder;
    const auto path = folder.Path() / "a.qmfmt";
    FormatsTest::WriteTextFile(path, SpecText("name='a' root='r'", "<element name='x'/>"));
    ESpecFileError error = ESpecFileError::NotXml;
    const auto spec = FormatsTest::LoadSpec(path, &error);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(error, ESpecFileError::None);
    EXPECT_STREQ(spec->name.Text(), "a");
    EXPECT_EQ(spec->ChildCount(), 1u);
    EXPECT_EQ(spec->flags, 0u) << "a loaded specification is neither modified nor in use";

    const struct {
        const char* content;
        ESpecFileError error;
    } kRefused[] = {
        {"<group><file name='a' root='r'/></group>", ESpecFileError::NotSpecification},
        {"<other name='x'/>", ESpecFileError::NotSpecification},
        {"not xml at all", ESpecFileError::NotXml},
        {"", ESpecFileError::NotXml},
    };
    for (const auto& refused : kRefused) {
        FormatsTest::WriteTextFile(path, refused.content);
        EXPECT_EQ(FormatsTest::LoadSpec(path, &error), nullptr) << refused.content;
        EXPECT_EQ(error, refused.error) << refused.content;
    }
    EXPECT_EQ(FormatsTest::LoadSpec(folder.Path() / "missing.qmfmt", &error), nullptr);
    EXPECT_EQ(error, ESpecFileError::CannotOpen);
}

// What the writer escapes, the reader gives back.
TEST(LoadSpecFile, ASavedSpecificationLoadsBackTheSame) {
    CTempFolder folder;
    const auto original =
        ReadSpec(SpecText("name='O&apos;Brien &amp; &quot;Sons&quot; &lt;2> &amp;amp;' "
                          "filenames='it&apos;s.xml,b?.*' root='r&amp;d'",
                          "<element name='&lt;e>' order='Random' attributes='&apos;k&apos;,q'>"
                          "<attribute name='p'/><element name='y'><content/></element></element>"
                          "<element name='z'/>"));
    EXPECT_STREQ(original->name.Text(), "O'Brien & \"Sons\" <2> &amp;");
    original->SetFlags(CSpecBase::kModified);
    ASSERT_EQ(original->Save(folder.Folder().c_str()), NResult::kOk);
    const auto loaded = FormatsTest::LoadSpec(folder.Path() / "OBrien  Sons 2 amp.qmfmt");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Written(*loaded), Written(*original));
    EXPECT_STREQ(loaded->root.Text(), "r&d");
    EXPECT_EQ(Patterns(*loaded), (std::vector<std::string>{"it's.xml", "b?.*"}));
    EXPECT_STREQ(loaded->FirstRule()->name.Text(), "<e>");
}
