#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "formats/spec_selection.h"
#include "formats_test_support.h"
#include "scripted_prompts.h"

#include <gtest/gtest.h>

using FormatsTest::AddNumberedAttributes;
using FormatsTest::CScriptedPrompts;
using FormatsTest::CTempFolder;
using FormatsTest::FileNames;
using FormatsTest::LoadEnglish;
using FormatsTest::ParseDocument;
using FormatsTest::Patterns;
using FormatsTest::ReadTextFile;
using FormatsTest::RuleNames;
using FormatsTest::Written;
using NPrompts::EAnswer;
using NPrompts::EButtons;
using NPrompts::EIcon;

namespace {

// The English texts the messages are built from.
const std::u16string kAppName = u"Velden\u00A0Quillmere";
const std::u16string kMissing = u"No format specification applies to this file:\n\n";
const std::u16string kMismatch = u"Different format specifications apply to these files:\n\n";
const std::u16string kCantCompareBecause =
    u"\n\nThe files cannot be compared without a format specification for the root element of "
    u"this file.";
const std::u16string kCantMergeBecause =
    u"\n\nThe files cannot be merged without a format specification for the root element of this "
    u"file.";
const std::u16string kCantCompare =
    u"\n\nFiles with different format specifications cannot be compared.";
const std::u16string kCantMerge =
    u"\n\nFiles with different format specifications cannot be merged.";
const std::u16string kCreateNew =
    u"\n\nDo you want to create a new format specification for these files now?";
const std::u16string kCantCreateNew =
    u"\n\nA new format specification cannot be created, because the files have different root "
    u"elements.";

class SpecSelection : public ::testing::Test {
protected:
    void SetUp() override {
        LoadEnglish();
        library.LoadFrom(folder.Folder().c_str());
    }

    CFileSpec* AddSpec(const char* name, const char* root, const char* patterns = "",
                       const char* rootNamespace = "") {
        CFileSpec* spec = library.GetOrCreateSpec(name);
        spec->root = root;
        spec->AddPatterns(patterns, false);
        spec->rootNamespace = rootNamespace;
        return spec;
    }

    // An element rule named `name` for each of `names`.
    static void AddRules(CFileSpec& spec, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            auto* rule = new CElementSpec;
            rule->name = name;
            spec.AddRule(rule);
        }
    }

    // An input file parsed from `xml`, kept alive by the fixture.
    SInputFile File(const char* xml, const char16_t* path, const char16_t* title = u"") {
        documents.push_back(ParseDocument(xml));
        return SInputFile{documents.back().get(), path, title};
    }

    SOperationFiles Operation(std::initializer_list<SInputFile> list, bool merge = false) {
        files.assign(list);
        return SOperationFiles{files, merge};
    }

    CTempFolder folder;
    CFormatList library;
    CScriptedPrompts prompts;
    int window = 0;
    void* owner = &window;
    std::vector<std::unique_ptr<NXML::CDoc>> documents;
    std::vector<SInputFile> files;
};

} // namespace

TEST_F(SpecSelection, WithoutAMatchingWildcardTheUserChooses) {
    AddSpec("Orders (ord)", "orders", "*.ord");
    CFileSpec* xml = AddSpec("Orders (xml)", "orders", "*.xml");
    const SInputFile file = File("<orders/>", u"/data/a.txt");
    prompts.choiceAnswers = {1, -1};
    EXPECT_EQ(FindSpecForFile(library, file, nullptr, owner), xml);
    ASSERT_EQ(prompts.choices.size(), 1u);
    EXPECT_EQ(prompts.choices[0].owner, owner);
    EXPECT_EQ(prompts.choices[0].names, (std::vector<std::string>{"Orders (ord)", "Orders (xml)"}));
    EXPECT_EQ(prompts.choices[0].info,
              u"Several format specifications apply to documents whose root element is "
              u"<orders>. Choose the one to use for this file:");

    EXPECT_EQ(FindSpecForFile(library, file, nullptr, owner), nullptr) << "cancelled";
    EXPECT_EQ(FindSpecForFile(library, file, nullptr, nullptr), nullptr) << "nobody to ask";
    EXPECT_EQ(prompts.choices.size(), 2u);
}

TEST_F(SpecSelection, ANewSpecificationNeedsOneRootNameOnEverySide) {
    EXPECT_TRUE(CanCreateNew(Operation({File("<a/>", u"1"), File("<a x='1'/>", u"2")})));
    EXPECT_FALSE(CanCreateNew(Operation({File("<a/>", u"1"), File("<b/>", u"2")})));
    EXPECT_FALSE(
        CanCreateNew(Operation({File("<a/>", u"1"), File("<a/>", u"2"), File("<b/>", u"3")})));
}

TEST_F(SpecSelection, MissingSpecificationMessagesAreBuiltFromTheirPieces) {
    const SInputFile left = File("<a/>", u"/in/left.xml");
    const SOperationFiles same = Operation({left, File("<a/>", u"/in/right.xml")});
    prompts.answers = {EAnswer::Yes, EAnswer::No};
    EXPECT_TRUE(ReportMissing(owner, same, left));
    EXPECT_FALSE(ReportMissing(owner, same, left));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text,
              kMissing + u"/in/left.xml" + kCantCompareBecause + kCreateNew);
    EXPECT_EQ(prompts.messages[0].caption, kAppName);
    EXPECT_EQ(prompts.messages[0].icon, EIcon::Question);
    EXPECT_EQ(prompts.messages[0].buttons, EButtons::YesNo);
    EXPECT_EQ(prompts.messages[0].owner, owner);

    const SOperationFiles differentMerge = Operation({left, File("<b/>", u"/in/right.xml")}, true);
    EXPECT_FALSE(ReportMissing(owner, differentMerge, left));
    EXPECT_EQ(prompts.messages[2].text,
              kMissing + u"/in/left.xml" + kCantMergeBecause + kCantCreateNew);
    EXPECT_EQ(prompts.messages[2].icon, EIcon::Error);
    EXPECT_EQ(prompts.messages[2].buttons, EButtons::Ok);
}

TEST_F(SpecSelection, MismatchMessagesNameBothFiles) {
    const SInputFile left = File("<a/>", u"L.xml");
    const SInputFile right = File("<a/>", u"R.xml");
    prompts.answers = {EAnswer::No};
    EXPECT_FALSE(ReportMismatch(owner, Operation({left, right}, true), left, right));
    EXPECT_EQ(prompts.messages[0].text, kMismatch + u"L.xml\n+\nR.xml" + kCantMerge + kCreateNew);
}

TEST_F(SpecSelection, DifferentRootsWithoutSpecificationFailTheLoad) {
    const SOperationFiles operation =
        Operation({File("<a/>", u"/in/a.xml"), File("<b/>", u"/in/b.xml")});
    EXPECT_EQ(FindSpecForOperation(library, operation, owner), nullptr);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              kMissing + u"/in/a.xml" + kCantCompareBecause + kCantCreateNew);
    EXPECT_TRUE(prompts.creations.empty());
    EXPECT_EQ(library.FirstSpec(), nullptr);
    EXPECT_TRUE(FileNames(folder.Path()).empty());
}

TEST_F(SpecSelection, ACreatedSpecificationStartsFromTheDocumentsAndIsSavedAtOnce) {
    const SOperationFiles operation =
        Operation({File("<orders v='1'><order id='1' date='x'/><note/></orders>", u"/in/A.ORD"),
                   File("<orders><order id='2' rush='y'/><total/></orders>", u"/in/B.ORD")});
    prompts.answers = {EAnswer::Yes};
    prompts.creationAnswers = {CScriptedPrompts::SCreated{"My: Orders", " *.ORD , *.Xml,"}};
    CFileSpec* spec = FindSpecForOperation(library, operation, owner);
    ASSERT_NE(spec, nullptr);
    ASSERT_EQ(prompts.creations.size(), 1u);
    EXPECT_EQ(prompts.creations[0].owner, owner);
    EXPECT_EQ(prompts.creations[0].rootName, "orders");
    EXPECT_EQ(prompts.creations[0].leftPath, u"/in/A.ORD");
    EXPECT_EQ(prompts.creations[0].folder, folder.Folder());

    EXPECT_EQ(library.FirstSpec(), spec);
    EXPECT_STREQ(spec->name.Text(), "My: Orders");
    EXPECT_STREQ(spec->root.Text(), "orders");
    EXPECT_EQ(Patterns(*spec), (std::vector<std::string>{"*.ord", "*.xml"}));
    EXPECT_EQ(RuleNames(*spec),
              (std::vector<std::string>{"orders", "order", "note", "total", "*"}));
    const CSpecBase* defaultRule = spec->FindChildRule("*");
    EXPECT_EQ(defaultRule->flags, CSpecBase::kSequenced);
    EXPECT_EQ(FormatsTest::KnownAttributes(defaultRule),
              (std::vector<std::string>{"v", "id", "date", "rush"}));
    EXPECT_EQ(spec->FindChildRule("order")->flags, 0u);

    EXPECT_FALSE(spec->HasFlags(CSpecBase::kModified));
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"My Orders.qmfmt"}));
    EXPECT_EQ(ReadTextFile(folder.Path() / "My Orders.qmfmt"), Written(*spec));
}

TEST_F(SpecSelection, ACreatedSpecificationIdentifiesWhatAllDocumentsTellApart) {
    const SOperationFiles operation = Operation(
        {File("<orders><order id='1' no='7'/><order id='2' no='8'/><line n='1'/>"
              "<line n='1'/></orders>",
              u"/in/A.ORD"),
         File("<orders><order id='3' no='7'/><order id='1' no='7'/></orders>", u"/in/B.ORD"),
         File("<orders><order no='7' id='1'/><line n='2'/></orders>", u"/in/C.ORD")},
        true);
    prompts.answers = {EAnswer::Yes};
    prompts.creationAnswers = {CScriptedPrompts::SCreated{"Orders", "*.ord"}};
    CFileSpec* spec = FindSpecForOperation(library, operation, owner);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(ReadTextFile(folder.Path() / "Orders.qmfmt"),
              "<?xml version='1.0' encoding='UTF-8'?>\r\n"
              "<file name='Orders' filenames='*.ord' root='orders'>\r\n"
              "\t<element name='orders'>\r\n"
              "\t</element>\r\n"
              "\t<element name='order' attributes='id,no'>\r\n"
              "\t\t<attribute name='id'/>\r\n"
              "\t</element>\r\n"
              "\t<element name='line' attributes='n'>\r\n"
              "\t</element>\r\n"
              "\t<element name='*' order='Sequenced' attributes='id,no,n'>\r\n"
              "\t</element>\r\n"
              "</file>\r\n")
        << "'no' repeats in the second file, 'n' in the first";
}

TEST_F(SpecSelection, DecliningOrCancellingCreatesNothing) {
    const SOperationFiles operation = Operation({File("<r/>", u"a"), File("<r/>", u"b")});
    prompts.answers = {EAnswer::No, EAnswer::Yes};
    prompts.creationAnswers = {std::nullopt};
    EXPECT_EQ(FindSpecForOperation(library, operation, owner), nullptr);
    EXPECT_TRUE(prompts.creations.empty());
    EXPECT_EQ(FindSpecForOperation(library, operation, owner), nullptr);
    EXPECT_EQ(prompts.creations.size(), 1u);
    EXPECT_EQ(library.FirstSpec(), nullptr);
    EXPECT_TRUE(FileNames(folder.Path()).empty());
}

TEST_F(SpecSelection, CreatingNeverTakesTheFileOfAnotherSpecification) {
    CFileSpec* existing = AddSpec("R", "old");
    AddRules(*existing, {"kept"});
    existing->SetFlags(CSpecBase::kModified);
    library.SaveAll();
    FormatsTest::WriteTextFile(folder.Path() / "r.qmfmt", "a file that did not load");
    const std::string existingFile = ReadTextFile(folder.Path() / "R.qmfmt");

    const struct {
        const char* typed;
        const char* created;
    } kCases[] = {
        {"R", "R-2"},       // a specification of that name
        {"r", "r-2"},       // a file of the folder that is no specification
        {"R", "R-3"},       // the first free number
        {"Fresh", "Fresh"}, // a free name stays as typed
    };
    for (const auto& created : kCases) {
        SCOPED_TRACE(created.typed);
        const SOperationFiles operation =
            Operation({File("<r><a/></r>", u"a.xml"), File("<r/>", u"b.xml")});
        prompts.answers = {EAnswer::Yes};
        prompts.creationAnswers = {CScriptedPrompts::SCreated{created.typed, "*.xml"}};
        CFileSpec* spec = FindSpecForOperation(library, operation, owner);
        ASSERT_NE(spec, nullptr);
        EXPECT_NE(spec, existing);
        EXPECT_STREQ(spec->name.Text(), created.created);
        EXPECT_NE(FormatsTest::LoadSpec(folder.Path() / (std::string(created.created) + ".qmfmt")),
                  nullptr)
            << "saved under its own file";
        // The next creation is for another root.
        spec->root = "done";
    }
    EXPECT_STREQ(existing->root.Text(), "old");
    EXPECT_EQ(RuleNames(*existing), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(ReadTextFile(folder.Path() / "R.qmfmt"), existingFile);
    EXPECT_EQ(ReadTextFile(folder.Path() / "r.qmfmt"), "a file that did not load");
    EXPECT_EQ(prompts.creations[0].suggestedName, "r-2") << "the root's name, made free";
}

TEST_F(SpecSelection, ACreatedSpecificationKeepsTheRootsNamespace) {
    const SOperationFiles operation =
        Operation({File("<r xmlns='urn:r'/>", u"a.xml"), File("<r xmlns='urn:r'/>", u"b.xml")});
    prompts.answers = {EAnswer::Yes};
    prompts.creationAnswers = {CScriptedPrompts::SCreated{"R", "*.xml"}};
    CFileSpec* spec = FindSpecForOperation(library, operation, owner);
    ASSERT_NE(spec, nullptr);
    EXPECT_STREQ(spec->rootNamespace.Text(), "urn:r");
    EXPECT_NE(ReadTextFile(folder.Path() / "R.qmfmt").find("root='r' namespace='urn:r'>"),
              std::string::npos);
}

// Without anybody to ask: the root name (exactly), then the namespace, then
// the wildcards on the path or else on the title.
TEST_F(SpecSelection, TheRootTheNamespaceThenTheWildcardsPickTheSpecification) {
    CFileSpec* pom = AddSpec("Maven", "project", "pom.xml", "urn:pom");
    CFileSpec* ant = AddSpec("Ant", "project", "build.xml");
    CFileSpec* other = AddSpec("Other", "project", "other.xml", "urn:other");
    CFileSpec* ord = AddSpec("Orders (ord)", "orders", "*.ord");
    CFileSpec* xml = AddSpec("Orders (xml)", "orders", "*.xml");
    CFileSpec* only = AddSpec("Bills", "bills", "*.bill");
    const struct {
        const char* xml;
        const char16_t* path;
        const char16_t* title;
        const CFileSpec* chosen;
    } kCases[] = {
        {"<bills/>", u"anything.at.all", u"", only}, // a single candidate needs no wildcard
        {"<Orders/>", u"a.xml", u"", nullptr},
        {"<project xmlns='urn:pom'/>", u"x.xml", u"", pom},
        {"<project xmlns='urn:pom'/>", u"build.xml", u"", pom},
        {"<p:project xmlns:p='urn:pom'/>", u"x.xml", u"", pom},
        {"<project xmlns='urn:other'/>", u"pom.xml", u"", other},
        {"<project/>", u"build.xml", u"", ant},
        {"<project/>", u"pom.xml", u"", pom},
        {"<project xmlns='urn:unknown'/>", u"build.xml", u"", ant},
        {"<project/>", u"x.xml", u"", nullptr},
        {"<orders/>", u"/tmp/.merge_file_a1b2", u"data/A.ORD", ord},
        {"<orders/>", u"./orders_LOCAL_123", u"sub\\b.XML", xml},
        {"<orders/>", u"b.xml", u"", xml},
        {"<orders/>", u"/tmp/.merge_file_a1b2", u"", nullptr},
        {"<orders/>", u"/tmp/.merge_file_a1b2", u"notes.txt", nullptr},
    };
    for (const auto& file : kCases) {
        SCOPED_TRACE(std::string(file.xml) + NString::TStr<char>(file.path).Text());
        EXPECT_EQ(FindSpecForFile(library, File(file.xml, file.path, file.title), nullptr, nullptr),
                  file.chosen);
    }
    EXPECT_EQ(FindSpecForFile(library, File("<orders/>", u"b.xml"), ord, nullptr), ord)
        << "the preferred one needs no wildcard";
    EXPECT_EQ(FindSpecForFile(library, SInputFile{nullptr, u"a.xml"}, nullptr, owner), nullptr);
}

TEST_F(SpecSelection, TheChoiceSuggestsTheSpecificationNamingMostElements) {
    CFileSpec* ant = AddSpec("Ant", "project", "build.xml");
    AddRules(*ant, {"project", "target", "property", "*"});
    CFileSpec* pom = AddSpec("Maven", "project", "pom.xml");
    AddRules(*pom, {"project", "dependency", "build", "plugin", "*"});
    AddSpec("Bare", "project", "*.bare");
    const struct {
        const char* xml;
        int suggested;
    } kCases[] = {
        {"<project><target/><target/><property/></project>", 0},
        {"<project><build><plugin/></build><dependency/></project>", 1},
        // Each name counts once; a tie goes to the first by name.
        {"<project><build/><build/><build/><target/></project>", 0},
    };
    for (const auto& file : kCases) {
        SCOPED_TRACE(file.xml);
        prompts.choiceAnswers = {file.suggested};
        FindSpecForFile(library, File(file.xml, u"x.xml"), nullptr, owner);
        ASSERT_FALSE(prompts.choices.empty());
        EXPECT_EQ(prompts.choices.back().suggested, file.suggested);
        EXPECT_EQ(prompts.choices.back().names, (std::vector<std::string>{"Ant", "Maven", "Bare"}));
    }
}

TEST_F(SpecSelection, TheChosenSpecificationLearnsAndIsSavedOnlyWhenItDid) {
    CFileSpec* spec = AddSpec("Orders", "orders", "*.xml");
    const SOperationFiles operation =
        Operation({File("<orders><item/></orders>", u"a.xml"),
                   File("<orders><item sku='1'/></orders>", u"b.xml")});
    EXPECT_EQ(FindSpecForOperation(library, operation, owner), spec);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"orders", "item"}));
    EXPECT_EQ(ReadTextFile(folder.Path() / "Orders.qmfmt"), Written(*spec));

    std::filesystem::remove(folder.Path() / "Orders.qmfmt");
    EXPECT_EQ(FindSpecForOperation(library, operation, owner), spec);
    EXPECT_TRUE(FileNames(folder.Path()).empty()) << "nothing new, nothing written";
}

TEST_F(SpecSelection, ASpecificationThatCannotLearnIsNotWrittenAgain) {
    CFileSpec* spec = AddSpec("Orders", "orders", "*.xml");
    AddRules(*spec, {"orders"});
    AddNumberedAttributes(*static_cast<CElementSpec*>(spec->FirstRule()), 1,
                          CFileSpec::kMostLearntNames);
    const std::string tooLong(CFileSpec::kLongestLearntName + 1, 'n');
    const SOperationFiles operation =
        Operation({File(("<orders><" + tooLong + "/><item/></orders>").c_str(), u"a.xml"),
                   File("<orders new='1'/>", u"b.xml")});
    EXPECT_EQ(FindSpecForOperation(library, operation, owner), spec);
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"orders"}));
    EXPECT_TRUE(FileNames(folder.Path()).empty());
}

TEST_F(SpecSelection, TheSecondFileFollowsTheLeftFilesChoiceWithoutAsking) {
    CFileSpec* ord = AddSpec("Orders (ord)", "orders", "*.ord");
    AddSpec("Orders (xml)", "orders", "*.xml");
    const SOperationFiles operation =
        Operation({File("<orders/>", u"a.ord"), File("<orders/>", u"b.xml")});
    EXPECT_EQ(FindSpecForOperation(library, operation, owner), ord);
    EXPECT_TRUE(prompts.choices.empty());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SpecSelection, TheThirdFileMayAskAndThenMismatch) {
    CFileSpec* orders = AddSpec("Orders", "orders");
    AddSpec("Bills A", "bills", "*.a");
    AddSpec("Bills B", "bills", "*.b");
    const SOperationFiles operation = Operation(
        {File("<orders/>", u"l.xml"), File("<orders/>", u"base.xml"), File("<bills/>", u"r.xml")});
    prompts.choiceAnswers = {0};
    EXPECT_EQ(FindSpecForOperation(library, operation, owner), nullptr);
    ASSERT_EQ(prompts.choices.size(), 1u);
    EXPECT_EQ(prompts.choices[0].names, (std::vector<std::string>{"Bills A", "Bills B"}));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              kMismatch + u"l.xml\n+\nr.xml" + kCantCompare + kCantCreateNew);

    const SOperationFiles agreeing = Operation(
        {File("<orders/>", u"l.xml"), File("<orders/>", u"base.xml"), File("<orders/>", u"r")});
    EXPECT_EQ(FindSpecForOperation(library, agreeing, owner), orders);
}

TEST(HeadlessSelection, CreatesSavesAndSaysSoWithoutWaiting) {
    LoadEnglish();
    CTempFolder folder;
    CFormatList library;
    library.LoadFrom(folder.Folder().c_str());
    std::ostringstream out;
    NPrompts::CHeadlessPrompts headless(out);
    NPrompts::CScopedPrompts scope(headless);

    const auto left = ParseDocument("<inventory><item sku='1'/></inventory>");
    const auto right = ParseDocument("<inventory><item sku='2' qty='3'/></inventory>");
    const SInputFile files[] = {{left.get(), u"/work/Stock.XML"}, {right.get(), u"/work/new.xml"}};
    CFileSpec* spec = FindSpecForOperation(library, SOperationFiles{files, false}, nullptr);

    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"inventory.qmfmt"}));
    EXPECT_EQ(ReadTextFile(folder.Path() / "inventory.qmfmt"), Written(*spec));
    EXPECT_EQ(RuleNames(*spec), (std::vector<std::string>{"inventory", "item", "*"}));
    EXPECT_EQ(Patterns(*spec), (std::vector<std::string>{"*.xml"}));
    const std::string folderText = NString::TStr<char>(folder.Folder().c_str()).Text();
    EXPECT_EQ(out.str(),
              "Velden\xC2\xA0Quillmere: No format specification applies to this file:\n\n"
              "/work/Stock.XML\n\n"
              "The files cannot be compared without a format specification for the root element "
              "of this file.\n\n"
              "Do you want to create a new format specification for these files now?\n"
              "(answered Yes)\n"
              "Creating the format specification \"inventory\" for the root element "
              "\"inventory\" and the files \"*.XML\" in " +
                  folderText + "\n");
}
