#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "formats/formats_folder.h"
#include "formats/shipped_formats.h"
#include "formats/spec_file_problems.h"
#include "formats_test_support.h"
#include "scripted_prompts.h"

#include <gtest/gtest.h>

using FormatsTest::CScopedEnvironment;
using FormatsTest::CTempFolder;
using FormatsTest::FileNames;
using FormatsTest::ReadTextFile;
using FormatsTest::WriteTextFile;

namespace {

std::string Utf8(const char16_t* text) {
    return NString::TStr<char>(text).Text();
}

std::string SpecFile(const std::string& name, const std::string& root) {
    return "<?xml version='1.0' encoding='UTF-8'?>\r\n<file name='" + name + "' root='" + root +
           "'>\r\n</file>\r\n";
}

std::vector<std::string> SpecNames(const CFormatList& library) {
    std::vector<std::string> names;
    for (const CFileSpec* spec = library.FirstSpec(); spec != nullptr;
         spec = CFormatList::NextSpec(spec))
        names.emplace_back(spec->name.Text());
    return names;
}

} // namespace

TEST(FormatsFolder, TheVariableWinsThenTheDataHomeThenHome) {
    CScopedEnvironment home("HOME", "/home/tester");
    {
        CScopedEnvironment dir("QUILLMERE_FORMATS_DIR", "/srv/formats");
        CScopedEnvironment data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(Utf8(FormatsFolder().Text()), "/srv/formats/");
    }
    {
        CScopedEnvironment dir("QUILLMERE_FORMATS_DIR", "");
        CScopedEnvironment data("XDG_DATA_HOME", "/data/");
        EXPECT_EQ(Utf8(FormatsFolder().Text()), "/data/Velden/Quillmere/Formats/");
    }
    {
        CScopedEnvironment dir("QUILLMERE_FORMATS_DIR", std::nullopt);
        CScopedEnvironment data("XDG_DATA_HOME", "relative/data");
        EXPECT_EQ(Utf8(FormatsFolder().Text()),
                  "/home/tester/.local/share/Velden/Quillmere/Formats/")
            << "a relative data home is ignored";
    }
}

TEST(SpecFilesIn, ListsSpecificationFilesOnlySortedIgnoringCase) {
    CTempFolder folder;
    for (const char* name : {"b.qmfmt", "A.QMFMT", "c.qmfmt.part", "notes.txt", "a2.qmfmt"})
        WriteTextFile(folder.Path() / name, "x");
    std::filesystem::create_directory(folder.Path() / "sub.qmfmt");
    std::vector<std::string> listed;
    for (const auto& path : SpecFilesIn(folder.Folder().c_str()))
        listed.push_back(std::filesystem::path(Utf8(path.Text())).filename().string());
    EXPECT_EQ(listed, (std::vector<std::string>{"A.QMFMT", "a2.qmfmt", "b.qmfmt"}));
    EXPECT_TRUE(SpecFilesIn(FormatsTest::U16(folder.Path() / "missing").c_str()).empty());
}

TEST(FormatList, LoadFormatsLoadsTheReadableFilesAndReportsTheOthersOnceTogether) {
    FormatsTest::LoadEnglish();
    CTempFolder folder;
    WriteTextFile(folder.Path() / "zeta.qmfmt", SpecFile("Zeta", "z"));
    WriteTextFile(folder.Path() / "Alpha.qmfmt", SpecFile("Alpha", "a"));
    WriteTextFile(folder.Path() / "broken.qmfmt", "no markup at all");
    WriteTextFile(folder.Path() / "empty.qmfmt", "");
    WriteTextFile(folder.Path() / "other.qmfmt", "<other name='x'/>");
    WriteTextFile(folder.Path() / "sub" / "deeper.qmfmt", SpecFile("Deeper", "d"));
    CScopedEnvironment dir("QUILLMERE_FORMATS_DIR", folder.Path().string());
    FormatsTest::CScriptedPrompts prompts;
    CFormatList library;
    EXPECT_EQ(library.LoadFormats(), NResult::kOk);
    EXPECT_EQ(SpecNames(library), (std::vector<std::string>{"Alpha", "Zeta"}));
    EXPECT_EQ(Utf8(library.Folder()), Utf8(folder.Folder().c_str()));
    ASSERT_EQ(prompts.messages.size(), 1u);
    const auto& message = prompts.messages[0];
    EXPECT_EQ(message.icon, NPrompts::EIcon::Warning);
    EXPECT_EQ(message.buttons, NPrompts::EButtons::Ok);
    EXPECT_EQ(message.caption, u"Velden\u00A0Quillmere");
    const std::u16string damaged = u".qmfmt\nis not an XML file, or it is damaged.\n\n";
    EXPECT_EQ(message.text,
              u"These format specification files could not be read and are not used:\n\n" +
                  folder.Folder() + u"broken" + damaged + folder.Folder() + u"empty" + damaged +
                  folder.Folder() +
                  u"other.qmfmt\nholds no format specification: its root element is not "
                  u"<file>.");

    for (const char* name : {"broken.qmfmt", "empty.qmfmt", "other.qmfmt"})
        std::filesystem::remove(folder.Path() / name);
    CFormatList clean;
    clean.LoadFrom(folder.Folder().c_str());
    EXPECT_EQ(prompts.messages.size(), 1u) << "nothing to report";
}

TEST(FormatList, AFileThatCannotBeOpenedIsReportedAsSuch) {
    FormatsTest::LoadEnglish();
    FormatsTest::CScriptedPrompts prompts;
    const SSpecFileProblem problems[] = {
        {NString::TStr<char16_t>(u"/f/locked.qmfmt"), ESpecFileError::CannotOpen}};
    ReportSpecFileProblems(problems);
    ReportSpecFileProblems({});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              u"These format specification files could not be read and are not used:\n\n"
              u"/f/locked.qmfmt\ncannot be opened.");
}

TEST(FormatList, FreeSpecNameAvoidsEveryTakenFile) {
    CTempFolder folder;
    WriteTextFile(folder.Path() / "T.qmfmt", "not a specification");
    WriteTextFile(folder.Path() / "R-2.qmfmt", "taken as well");
    CFormatList library;
    library.LoadFrom(folder.Folder().c_str());
    library.GetOrCreateSpec("R");
    library.GetOrCreateSpec("S: one"); // its file is "S one.qmfmt"
    const struct {
        const char* wanted;
        const char* free;
    } kCases[] = {
        {"R", "R-3"}, {"S one", "S one-2"}, {"S/ one", "S/ one-2"},
        {"T", "T-2"}, {"V", "V"},           {"r", "r"},
    };
    for (const auto& name : kCases)
        EXPECT_STREQ(library.FreeSpecName(name.wanted).Text(), name.free) << name.wanted;
}

TEST(GroupFiles, AreSplitIntoOneFilePerSpecificationAndDeleted) {
    CTempFolder folder;
    WriteTextFile(folder.Path() / "bundle.qmfmt",
                  "<?xml version='1.0'?>\r\n<group>"
                  "<file name='One' root='one'><element name='x'/></file>"
                  "<comment/>"
                  "<file name='Two: 2' filenames='*.TWO' root='two'/>"
                  "<file name='Three' root='three'/>"
                  "</group>");
    WriteTextFile(folder.Path() / "plain.qmfmt", SpecFile("Plain", "p"));
    WriteTextFile(folder.Path() / "broken.qmfmt", "no markup at all");
    CFormatList library;
    library.LoadFrom(folder.Folder().c_str());
    EXPECT_EQ(FileNames(folder.Path()),
              (std::vector<std::string>{"One.qmfmt", "Three.qmfmt", "Two 2.qmfmt", "broken.qmfmt",
                                        "plain.qmfmt"}));
    EXPECT_EQ(SpecNames(library), (std::vector<std::string>{"One", "Plain", "Three", "Two: 2"}));
    const std::string two = ReadTextFile(folder.Path() / "Two 2.qmfmt");
    EXPECT_NE(two.find("filenames='*.two'"), std::string::npos) << two;
    EXPECT_NE(ReadTextFile(folder.Path() / "One.qmfmt").find("<element name='x'>"),
              std::string::npos);
    for (const CFileSpec* spec = library.FirstSpec(); spec != nullptr;
         spec = CFormatList::NextSpec(spec))
        EXPECT_FALSE(spec->HasFlags(CSpecBase::kModified)) << spec->name.Text();
}

TEST(GroupFiles, ASpecificationNamedLikeItsGroupFileSurvives) {
    CTempFolder folder;
    WriteTextFile(
        folder.Path() / "orders.qmfmt",
        "<group><file name='orders' root='orders'/><file name='bills' root='b'/></group>");
    CFormatList library;
    library.LoadFrom(FormatsTest::U16(folder.Path()).c_str()); // without a final separator
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"bills.qmfmt", "orders.qmfmt"}));
    EXPECT_EQ(SpecNames(library), (std::vector<std::string>{"bills", "orders"}));
}

TEST(GroupFiles, AreKeptWhenOneOfTheirSpecificationsCannotBeSaved) {
    CTempFolder folder;
    const std::string group = "<group><file name='a' root='a'/><file name='b' root='b'/></group>";
    WriteTextFile(folder.Path() / "g.qmfmt", group);
    // A folder where b's file would be written first makes its save fail.
    std::filesystem::create_directory(folder.Path() / "b.qmfmt.part");
    CFormatList library;
    library.LoadFrom(folder.Folder().c_str());
    EXPECT_EQ(ReadTextFile(folder.Path() / "g.qmfmt"), group) << "split again at the next start";
    EXPECT_EQ(SpecNames(library), (std::vector<std::string>{"a"}));

    std::filesystem::remove(folder.Path() / "b.qmfmt.part");
    CFormatList next;
    next.LoadFrom(folder.Folder().c_str());
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"a.qmfmt", "b.qmfmt"}));
    EXPECT_EQ(SpecNames(next), (std::vector<std::string>{"a", "b"}));
}

TEST(FormatList, SaveAllWritesOnlyModifiedSpecifications) {
    CTempFolder folder;
    CFormatList library;
    library.LoadFrom(folder.Folder().c_str());
    CFileSpec* kept = library.GetOrCreateSpec("kept");
    CFileSpec* changed = library.GetOrCreateSpec("changed");
    EXPECT_FALSE(library.SaveAll());
    EXPECT_TRUE(FileNames(folder.Path()).empty());
    changed->SetFlags(CSpecBase::kModified);
    EXPECT_TRUE(library.SaveAll());
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"changed.qmfmt"}));
    EXPECT_FALSE(changed->HasFlags(CSpecBase::kModified));
    EXPECT_FALSE(kept->HasFlags(CSpecBase::kModified));
    EXPECT_FALSE(library.SaveAll());
}

TEST(FormatList, ARenamedSpecificationReplacesItsOldFileWhenSaved) {
    CTempFolder folder;
    WriteTextFile(folder.Path() / "odd name.qmfmt", SpecFile("Orders", "orders"));
    CFormatList library;
    library.LoadFrom(folder.Folder().c_str());
    CFileSpec* orders = library.FirstSpec();
    ASSERT_NE(orders, nullptr);
    // The copy the preferences edit carries the file it stands for.
    CFormatList copy;
    copy.CopyFrom(library);
    copy.FirstSpec()->name = "Purchase orders";
    copy.FirstSpec()->SetFlags(CSpecBase::kModified);
    library.CopyFrom(copy);
    EXPECT_TRUE(library.SaveAll());
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"Purchase orders.qmfmt"}));
    CFormatList reread;
    reread.LoadFrom(folder.Folder().c_str());
    EXPECT_EQ(SpecNames(reread), (std::vector<std::string>{"Purchase orders"}));
}

TEST(FormatList, CheckNewNameRefusesNamesWithoutFileOrOfAnotherFile) {
    CTempFolder folder;
    WriteTextFile(folder.Path() / "A.qmfmt", SpecFile("A", "a"));
    WriteTextFile(folder.Path() / "B file.qmfmt", SpecFile("B", "b"));
    WriteTextFile(folder.Path() / "broken.qmfmt", "not a specification");
    CFormatList library;
    library.LoadFrom(folder.Folder().c_str());
    CFileSpec* a = library.GetOrCreateSpec("A");
    library.GetOrCreateSpec("C: new"); // unsaved; its file would be "C new.qmfmt"
    using ECheck = CFormatList::ENameCheck;
    const struct {
        const char* name;
        ECheck check;
    } kCases[] = {
        {"A", ECheck::Free},       {"A2", ECheck::Free},       {"a", ECheck::Free},
        {"", ECheck::NoFileName},  {"::", ECheck::NoFileName}, {"B", ECheck::Taken},
        {"B file", ECheck::Taken}, {"C new", ECheck::Taken},   {"broken", ECheck::Taken},
        {"A:", ECheck::Free},
    };
    for (const auto& entry : kCases)
        EXPECT_EQ(library.CheckNewName(*a, entry.name), entry.check) << entry.name;
}

TEST(FormatList, GetOrCreateSpecFindsByExactNameOrAppends) {
    CFormatList library;
    CFileSpec* orders = library.GetOrCreateSpec("Orders");
    EXPECT_EQ(library.GetOrCreateSpec("Orders"), orders);
    CFileSpec* lower = library.GetOrCreateSpec("orders");
    EXPECT_NE(lower, orders);
    EXPECT_EQ(SpecNames(library), (std::vector<std::string>{"Orders", "orders"}));
}

TEST(ShippedFormats, FillAnEmptyFolderOnly) {
    CTempFolder shipped;
    WriteTextFile(shipped.Path() / "pom.qmfmt", SpecFile("Maven", "project"));
    WriteTextFile(shipped.Path() / "svg.qmfmt", SpecFile("SVG", "svg"));
    WriteTextFile(shipped.Path() / "README", "not a specification");
    CTempFolder user;
    const auto formats = user.Path() / "Velden" / "Quillmere" / "Formats";

    EXPECT_EQ(InstallShippedFormats(shipped.Folder().c_str(), FormatsTest::U16(formats).c_str()),
              2);
    EXPECT_EQ(FileNames(formats), (std::vector<std::string>{"pom.qmfmt", "svg.qmfmt"}));

    // A folder that holds a specification is the user's: nothing is added or replaced.
    std::filesystem::remove(formats / "svg.qmfmt");
    WriteTextFile(formats / "pom.qmfmt", SpecFile("Mine", "project"));
    EXPECT_EQ(InstallShippedFormats(shipped.Folder().c_str(), FormatsTest::U16(formats).c_str()),
              0);
    EXPECT_EQ(FileNames(formats), (std::vector<std::string>{"pom.qmfmt"}));
    EXPECT_EQ(ReadTextFile(formats / "pom.qmfmt"), SpecFile("Mine", "project"));
}
