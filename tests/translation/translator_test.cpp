#include "framework/buffer.h"
#include "framework/result.h"
#include "translation/embedded_language.h"
#include "translation/translator.h"
#include "translator_test_support.h"

#include <gtest/gtest.h>
#include <string>

using namespace NString::NTranslator;
using NTranslatorTest::CTempFolder;
using NTranslatorTest::LanguageXml;
using NTranslatorTest::U16;

namespace {

std::u16string ShippedLanguageFolder() {
    return (NTranslatorTest::RepositoryRoot() / "data" / "Text").u16string();
}

std::u16string Shown(const char* key) {
    return U16(Text(key));
}

} // namespace

TEST(Translator, InitialiseAndLoadLanguageReplaceTheTexts) {
    CTempFolder folder;
    ASSERT_EQ(Initialise(kBuiltInLanguageResource, true, folder.Path16().c_str()), 1);
    EXPECT_EQ(Shown("Misc.AppName"), u"Velden\u00A0Quillmere");
    EXPECT_EQ(Shown("Msg"), u"NO TEXT");
    EXPECT_EQ(U16(Text("No.Such.Key", kBaseText)), u"");
    // The reference stays the same object from call to call.
    EXPECT_EQ(&Text("Menu.File"), &Text("Menu.File"));

    const std::string xml = LanguageXml("<Group name='Msg'><Text name='A'>a</Text></Group>");
    NIO::TBuffer<0> stream;
    stream.Borrow(xml.data(), xml.size());
    EXPECT_EQ(LoadLanguage(stream, true), 1);
    EXPECT_EQ(Shown("Msg.A"), u"a");
    EXPECT_EQ(Shown("Misc.AppName"), u"NO TEXT");
    stream.Borrow("not xml", 7);
    EXPECT_EQ(LoadLanguage(stream, true), 0);
    EXPECT_EQ(Shown("Msg.A"), u"NO TEXT");

    ASSERT_EQ(Initialise(kBuiltInLanguageResource, true, folder.Path16().c_str()), 1);
    EXPECT_EQ(Initialise(kBuiltInLanguageResource + 1, true, folder.Path16().c_str()), 0)
        << "a missing resource";
    EXPECT_EQ(Shown("Misc.AppName"), u"NO TEXT");
}

TEST(Translator, AppliedLanguageReplacesTheTextsUntilEnglishIsChosenAgain) {
    ASSERT_EQ(Initialise(kBuiltInLanguageResource, true, ShippedLanguageFolder().c_str()), 1);
    ASSERT_EQ(U16(LanguageFileName(1)), u"Deutsch.xml");
    const std::u16string english = Shown("Menu.File");

    ASSERT_EQ(ApplyLanguage(u"Deutsch.xml"), NResult::kOk);
    EXPECT_EQ(Shown("Menu.File"), u"&Datei");
    EXPECT_EQ(Shown("Lang.Name"), u"Deutsch");
    EXPECT_EQ(U16(Text("Menu.File", kBaseText)), english);

    ASSERT_EQ(ApplyLanguage(u""), NResult::kOk);
    EXPECT_EQ(Shown("Menu.File"), english);
    EXPECT_EQ(Shown("Lang.Name"), u"English");
}

// A file without Lang.Name is not listed: it has no path and cannot be applied.
TEST(Translator, OnlyListedLanguagesCanBeAppliedAndHaveAPath) {
    CTempFolder folder;
    folder.Write("fr.xml", LanguageXml("<Group name='Lang'><Text name='Name'>Fran\xC3\xA7"
                                       "ais</Text></Group>"));
    folder.Write("xx.xml", LanguageXml("<Group name='Menu'><Text name='File'>X</Text></Group>"));
    ASSERT_EQ(Initialise(kBuiltInLanguageResource, true, folder.Path16().c_str()), 1);
    EXPECT_EQ(U16(LanguagePath(u"fr.xml")), folder.PathOf("fr.xml"));
    for (const char16_t* name : {u"", u"xx.xml", u"../fr.xml"})
        EXPECT_EQ(U16(LanguagePath(name)), u"");
    EXPECT_EQ(ApplyLanguage(u"xx.xml"), NResult::kInvalidArgument);
    EXPECT_EQ(ApplyLanguage(u"../xx.xml"), NResult::kInvalidArgument);
    EXPECT_EQ(Shown("Menu.File"), u"&File");
}

TEST(Translator, LanguageFileRemovedAfterListingKeepsTheTexts) {
    CTempFolder folder;
    folder.Write("de.xml", LanguageXml("<Group name='Lang'><Text name='Name'>D</Text></Group>"
                                       "<Group name='Menu'><Text name='File'>&amp;Datei</Text>"
                                       "</Group>"));
    ASSERT_EQ(Initialise(kBuiltInLanguageResource, true, folder.Path16().c_str()), 1);
    ASSERT_EQ(ApplyLanguage(u"de.xml"), NResult::kOk);
    std::filesystem::remove(folder.Path() / "de.xml");
    EXPECT_EQ(ApplyLanguage(u"de.xml"), NResult::kCannotOpen);
    EXPECT_EQ(Shown("Menu.File"), u"&Datei");
}
