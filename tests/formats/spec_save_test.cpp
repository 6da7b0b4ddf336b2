#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/spec_file_name.h"
#include "formats_test_support.h"

#include <gtest/gtest.h>

using FormatsTest::CTempFolder;
using FormatsTest::FileNames;
using FormatsTest::ReadTextFile;
using FormatsTest::Written;

namespace {

std::string FileNameOf(const char* specName) {
    return NString::TStr<char>(SpecFileName(specName).Text()).Text();
}

std::unique_ptr<CFileSpec> NamedSpec(const char* name, const char* root) {
    auto spec = std::make_unique<CFileSpec>();
    spec->name = name;
    spec->root = root;
    spec->SetFlags(CSpecBase::kModified);
    return spec;
}

} // namespace

TEST(SpecFileName, KeepsOnlySafeCharactersAndTrims) {
    EXPECT_EQ(FileNameOf("My: Spec/1"), "My Spec1.qmfmt");
    EXPECT_EQ(FileNameOf("  x  "), "x.qmfmt");
    EXPECT_EQ(FileNameOf("a_b-c+d=e.f"), "a_b-c+d=e.f.qmfmt");
    EXPECT_EQ(FileNameOf("tab\there"), "tabhere.qmfmt");
    EXPECT_EQ(FileNameOf("../../etc/passwd"), "....etcpasswd.qmfmt") << "no way out of the folder";
    EXPECT_EQ(FileNameOf("C:\\Windows\\x"), "CWindowsx.qmfmt");
    // A no-break space stays, also at the ends; accented letters go.
    EXPECT_EQ(FileNameOf("\xC2\xA0"
                         "caf\xC3\xA9 x\xC2\xA0"),
              "\xC2\xA0"
              "caf x\xC2\xA0.qmfmt");
    EXPECT_EQ(FileNameOf(" : "), ".qmfmt");
}

TEST(SpecSave, CreatesTheFolderAndNamesThatReduceAlikeShareOneFile) {
    CTempFolder folder;
    // Given without a final separator.
    const auto nested = folder.Path() / "Velden" / "Quillmere" / "Formats";
    auto first = NamedSpec("a/b", "first");
    auto second = NamedSpec("ab", "second");
    ASSERT_EQ(first->Save(FormatsTest::U16(nested).c_str()), NResult::kOk);
    ASSERT_EQ(second->Save(FormatsTest::U16(nested).c_str()), NResult::kOk);
    EXPECT_EQ(FileNames(nested), (std::vector<std::string>{"ab.qmfmt"}));
    EXPECT_EQ(ReadTextFile(nested / "ab.qmfmt"), Written(*second)) << "the last save wins";
}

TEST(SpecSave, FailedWritesAreReportedAndLeaveTheOldFileWhole) {
    // The new content goes to "<file>.part" first; a folder there makes that
    // step fail for every user, the superuser included.
    CTempFolder folder;
    auto spec = NamedSpec("orders", "orders");
    ASSERT_EQ(spec->Save(folder.Folder().c_str()), NResult::kOk);
    const std::string saved = ReadTextFile(folder.Path() / "orders.qmfmt");
    std::filesystem::create_directory(folder.Path() / "orders.qmfmt.part");

    spec->root = "changed";
    spec->SetFlags(CSpecBase::kModified);
    EXPECT_NE(spec->Save(folder.Folder().c_str()), NResult::kOk);
    EXPECT_TRUE(spec->HasFlags(CSpecBase::kModified));
    EXPECT_EQ(ReadTextFile(folder.Path() / "orders.qmfmt"), saved);

    // A folder path that is a regular file is reported too.
    EXPECT_NE(spec->Save(FormatsTest::U16(folder.Path() / "orders.qmfmt").c_str()), NResult::kOk);
    EXPECT_TRUE(spec->HasFlags(CSpecBase::kModified));
}
