#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/identity_inference.h"
#include "formats_test_support.h"

#include <gtest/gtest.h>

using FormatsTest::ParseDocument;
using FormatsTest::ReadSpec;

namespace {

// The names of the identification rules of the element rule `name`, or
// "no rule" when the specification has none of that name.
std::vector<std::string> IdentityOf(const CFileSpec& spec, const char* name) {
    const CSpecBase* rule = spec.FindChildRule(name);
    if (rule == nullptr)
        return {"no rule"};
    std::vector<std::string> names;
    for (const CSpecBase* child = rule->FirstRule(); child != nullptr; child = child->NextRule())
        names.emplace_back(child->GetType() == kSpecTypeAttribute ? child->name.Text()
                                                                  : "not an attribute");
    return names;
}

struct SInferenceCase {
    const char* what;
    std::vector<const char*> documents;
    // The attribute that identifies elements named "x"; null for none.
    const char* identity;
};

const SInferenceCase kInferenceCases[] = {
    {"a unique id", {"<r><x id='1'/><x id='2'/></r>"}, "id"},
    {"a name before an attribute earlier in the document",
     {"<r><x v='1' name='a'/><x v='2' name='b'/></r>"},
     "name"},
    {"an id before a name", {"<r><x name='a' id='1'/><x name='b' id='2'/></r>"}, "id"},
    {"prefixed names of the list",
     {"<r xmlns:android='u'><x android:text='a' android:id='@+id/a'/>"
      "<x android:text='b' android:id='@+id/b'/></r>"},
     "android:id"},
    {"XAML names",
     {"<r xmlns:x='u'><x Width='1' x:Name='a'/><x Width='2' x:Name='b'/></r>"},
     "x:Name"},
    {"MSBuild items",
     {"<r><x Version='1' Include='a.cs'/><x Version='2' Include='b.cs'/></r>"},
     "Include"},
    {"without a listed name, the first unique attribute in document order",
     {"<r><x kind='same' b='1' a='2'/><x kind='same' b='2' a='1'/></r>"},
     "b"},
    {"a name that ends like an identity before other attributes",
     {"<r xmlns:a='u'><x a:icon='i1' a:shortcutId='s1' RefKEY='k1'/>"
      "<x a:icon='i2' a:shortcutId='s2' RefKEY='k2'/></r>"},
     "a:shortcutId"},
    {"a name ending like an identity in upper case",
     {"<r><x kind='k1' RefKEY='k1' pid='1'/><x kind='k2' RefKEY='k2' pid='2'/></r>"},
     "RefKEY"},
    {"a name that only contains an identity word",
     {"<r><x icon='a' identity='1'/><x icon='b' identity='2'/></r>"},
     "icon"},
    {"the next name when the preferred one repeats",
     {"<r><x id='1' name='a'/><x id='1' name='b'/></r>"},
     "name"},
    {"the same values under different parents",
     {"<r><p><x id='1'/><x id='2'/></p><q><x id='1'/><x id='2'/></q></r>"},
     "id"},
    {"siblings in one input are evidence for all",
     {"<r><x id='1'/></r>", "<r><x id='1'/><x id='2'/></r>", "<r><x id='3'/></r>"},
     "id"},
    {"a value repeated in one input",
     {"<r><x id='1'/><x id='2'/></r>", "<r><x id='1'/><x id='1'/></r>"},
     nullptr},
    {"missing in one input", {"<r><x id='1'/><x id='2'/></r>", "<r><x id='1'/><x/></r>"}, nullptr},
    {"missing on an element without siblings",
     {"<r><x id='1'/><x id='2'/><p><x/></p></r>"},
     nullptr},
    {"missing on the first element", {"<r><x/><x id='2'/><x id='3'/></r>"}, nullptr},
    {"an empty value", {"<r><x id=''/><x id='2'/></r>"}, nullptr},
    {"never two under one parent",
     {"<r><p><x id='1'/></p><q><x id='2'/></q></r>", "<r><x id='1'/></r>"},
     nullptr},
    {"namespace declarations identify nothing",
     {"<r><x xmlns:p='u1'/><x xmlns:p='u2'/></r>"},
     nullptr},
    {"no attributes", {"<r><x/><x/></r>"}, nullptr},
};

} // namespace

TEST(InferIdentity, ChoosesTheAttributeThatTellsSiblingsApartInEveryInput) {
    for (const SInferenceCase& row : kInferenceCases) {
        SCOPED_TRACE(row.what);
        const auto spec = ReadSpec("<file name='s' root='r'/>");
        std::vector<std::unique_ptr<NXML::CDoc>> parsed;
        std::vector<const NXML::CDoc*> documents;
        for (const char* text : row.documents) {
            parsed.push_back(ParseDocument(text));
            documents.push_back(parsed.back().get());
        }
        ASSERT_TRUE(spec->LearnFromDocuments(documents));
        EXPECT_EQ(IdentityOf(*spec, "x"), row.identity != nullptr
                                              ? std::vector<std::string>{row.identity}
                                              : std::vector<std::string>{});
        EXPECT_TRUE(IdentityOf(*spec, "r").empty()) << "a root has no siblings";
    }
}

TEST(InferIdentityRules, OnlyRulesWithoutIdentificationAreGivenOne) {
    const auto spec = ReadSpec("<file name='s' root='r'><element name='x'><content/></element>"
                               "<element name='y'/><element name='z' order='Random'/></file>");
    const auto doc = ParseDocument("<r><x id='1'/><x id='2'/><y id='1'/><y id='2'/>"
                                   "<z key='a'/><z key='b'/></r>");
    const NXML::CDoc* documents[] = {doc.get(), nullptr};
    std::vector<CElementSpec*> rules;
    for (CSpecBase* rule = spec->FirstRule(); rule != nullptr; rule = rule->NextRule())
        rules.push_back(static_cast<CElementSpec*>(rule));
    EXPECT_EQ(InferIdentityRules(rules, documents), 2);
    EXPECT_EQ(IdentityOf(*spec, "x"), (std::vector<std::string>{"not an attribute"}));
    EXPECT_EQ(IdentityOf(*spec, "y"), (std::vector<std::string>{"id"}));
    EXPECT_EQ(IdentityOf(*spec, "z"), (std::vector<std::string>{"key"}));
    EXPECT_EQ(spec->FindChildRule("z")->flags, CSpecBase::kRandom) << "the order stays";
}

// Learning on later use gives identity only to the names it adds, from the
// documents of that use, and only where the default rule identifies nothing.
TEST(LearnFromDocuments, NewNamesAloneAreIdentifiedByWhatHoldsInTheseDocuments) {
    const struct {
        const char* what;
        const char* spec;
        const char* document;
        std::vector<std::string> identityOfX;
        std::vector<std::string> identityOfY;
    } kCases[] = {
        {"a known name keeps its rule, a new one is identified",
         "<file name='s' root='r'><element name='r'/><element name='x'/></file>",
         "<r><x id='1'/><x id='2'/><y key='a'/><y key='b'/></r>",
         {},
         {"key"}},
        {"a default rule that identifies stands for new names",
         "<file name='s' root='r'><element name='*'><attribute name='name'/></element></file>",
         "<r><x id='1'/><x id='2'/></r>",
         {},
         {"no rule"}},
        {"a default rule that does not identify leaves them to the documents",
         "<file name='s' root='r'><element name='*' order='Sequenced'/></file>",
         "<r><x id='1'/><x id='2'/><y key='a'/><y key='a'/></r>",
         {"id"},
         {}},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(row.what);
        const auto spec = ReadSpec(row.spec);
        const auto doc = ParseDocument(row.document);
        const NXML::CDoc* documents[] = {doc.get()};
        EXPECT_TRUE(spec->LearnFromDocuments(documents));
        EXPECT_EQ(IdentityOf(*spec, "x"), row.identityOfX);
        EXPECT_EQ(IdentityOf(*spec, "y"), row.identityOfY);
    }
}

TEST(LearnFromDocuments, AnInferredRuleIsWrittenWithTheSpecification) {
    const auto spec = ReadSpec("<file name='s' root='r'/>");
    const auto doc = ParseDocument("<r><x Include='a' V='1'/><x Include='b' V='1'/></r>");
    const NXML::CDoc* documents[] = {doc.get()};
    ASSERT_TRUE(spec->LearnFromDocuments(documents));
    EXPECT_EQ(FormatsTest::Written(*spec), "<?xml version='1.0' encoding='UTF-8'?>\r\n"
                                           "<file name='s' root='r'>\r\n"
                                           "\t<element name='r'>\r\n"
                                           "\t</element>\r\n"
                                           "\t<element name='x' attributes='Include,V'>\r\n"
                                           "\t\t<attribute name='Include'/>\r\n"
                                           "\t</element>\r\n"
                                           "</file>\r\n");
}
