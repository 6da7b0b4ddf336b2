#include "translation/language_list.h"
#include "translator_test_support.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using NString::NTranslator::CLanguageList;
using NTranslatorTest::CTempFolder;
using NTranslatorTest::LanguageXml;
using NTranslatorTest::U16;

namespace {

std::string NamedLanguage(const std::string& name) {
    return LanguageXml("<Group name='Lang'><Text name='Name'>" + name +
                       "</Text></Group><Group name='Misc'><Text name='A'>a</Text></Group>");
}

std::vector<std::u16string> FileNames(const CLanguageList& list) {
    std::vector<std::u16string> names;
    for (std::uint32_t index = 0; index < list.Count(); ++index)
        names.push_back(U16(list.At(index).fileName));
    return names;
}

class LanguageList : public ::testing::Test {
protected:
    CTempFolder folder;
    CLanguageList list;
};

} // namespace

TEST_F(LanguageList, ListsNamedLanguageFilesSortedAfterEnglish) {
    folder.Write("b.xml", NamedLanguage("Beta"));
    folder.Write("a.xml", NamedLanguage("Alpha &amp; Co"));
    folder.Write("c.XML", NamedLanguage("Gamma"));
    list.Scan(folder.Path16().c_str());

    EXPECT_EQ(FileNames(list), (std::vector<std::u16string>{u"", u"a.xml", u"b.xml", u"c.XML"}));
    EXPECT_EQ(U16(list.At(0).displayName), u"English");
    EXPECT_EQ(U16(list.At(1).displayName), u"Alpha & Co");
    EXPECT_TRUE(list.At(4).fileName.IsEmpty());
    EXPECT_TRUE(list.At(4).displayName.IsEmpty());
}

TEST_F(LanguageList, LeavesOutFilesThatDoNotNameTheirLanguage) {
    folder.Write("good.xml", NamedLanguage("Good"));
    folder.Write("no-name.xml",
                 LanguageXml("<Group name='Lang'><Text name='ISOCode'>xx</Text></Group>"));
    folder.Write("empty-name.xml", NamedLanguage(""));
    folder.Write("other-root.xml", "<?xml version='1.0'?>\n<Texts><Group name='Lang'>"
                                   "<Text name='Name'>x</Text></Group></Texts>\n");
    folder.Write("broken.xml", "\x01\x02");
    folder.Write("notes.txt", NamedLanguage("Text file"));
    std::filesystem::create_directory(folder.Path() / "folder.xml");
    list.Scan(folder.Path16().c_str());

    EXPECT_EQ(FileNames(list), (std::vector<std::u16string>{u"", u"good.xml"}));
}

TEST_F(LanguageList, MissingFolderListsOnlyEnglish) {
    list.Scan(folder.PathOf("absent").c_str());
    EXPECT_EQ(FileNames(list), std::vector<std::u16string>{u""});
    list.Scan(u"");
    EXPECT_EQ(FileNames(list), std::vector<std::u16string>{u""});
}

TEST_F(LanguageList, FindsEntriesAndTheirFiles) {
    folder.Write("de.xml", NamedLanguage("Deutsch"));
    // The folder given with and without a final separator.
    for (const std::u16string& path : {folder.Path16(), folder.Path16() + u"/"}) {
        list.Scan(path.c_str());
        ASSERT_EQ(list.IndexOf(u"de.xml"), 1);
        EXPECT_EQ(list.IndexOf(u""), 0);
        EXPECT_EQ(list.IndexOf(nullptr), 0);
        EXPECT_EQ(list.IndexOf(u"fr.xml"), -1);
        EXPECT_EQ(U16(list.PathOf(1)), folder.PathOf("de.xml"));
        EXPECT_TRUE(list.PathOf(0).IsEmpty());
        EXPECT_TRUE(list.PathOf(2).IsEmpty());
    }
}
