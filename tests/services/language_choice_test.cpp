#include "../translation/translator_test_support.h"
#include "framework/result.h"
#include "recording_backend.h"
#include "services/language_choice.h"
#include "services/registry.h"
#include "services/settings_backend.h"
#include "services/settings_paths.h"
#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <gtest/gtest.h>
#include <string>

using namespace NString::NTranslator;
using NTranslatorTest::CTempFolder;
using NTranslatorTest::LanguageXml;
using NTranslatorTest::U16;

namespace {

class LanguageChoice : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("fr.xml",
                     LanguageXml("<Group name='Lang'><Text name='Name'>Fran\xC3\xA7"
                                 "ais</Text></Group>"
                                 "<Group name='Menu'><Text name='File'>&amp;Fichier</Text>"
                                 "</Group>"));
        Restart();
    }

    // Start-up of a new run: the built-in texts and the language list.
    void Restart() {
        ASSERT_EQ(Initialise(kBuiltInLanguageResource, true, folder.Path16().c_str()), 1);
    }

    std::u16string Remembered() {
        std::u16string fileName = u"(nothing)";
        NSettings::ReadString(NSettings::kLanguagePath, fileName);
        return fileName;
    }

    static std::u16string MenuFile() { return U16(Text("Menu.File")); }

    CTempFolder folder;
    NSettings::CMemoryBackend store;
    NSettings::CScopedBackend scope{store};
};

} // namespace

TEST_F(LanguageChoice, RememberedLanguageIsShownAgainInTheNextRun) {
    EXPECT_EQ(ApplyRememberedLanguage(), NResult::kOk) << "nothing remembered";
    EXPECT_EQ(MenuFile(), u"&File");
    struct SCase {
        const char16_t* fileName;
        std::u16string menuFile;
    };
    const SCase cases[] = {{u"fr.xml", u"&Fichier"}, {u"", u"&File"}};
    for (const SCase& test : cases) {
        ASSERT_EQ(RememberLanguage(test.fileName), NResult::kOk);
        EXPECT_EQ(Remembered(), test.fileName);
        Restart();
        EXPECT_EQ(MenuFile(), u"&File") << "a new run starts in English";
        EXPECT_EQ(ApplyRememberedLanguage(), NResult::kOk);
        EXPECT_EQ(MenuFile(), test.menuFile);
    }
}

TEST_F(LanguageChoice, RememberedFileThatHasGoneLeavesEnglish) {
    ASSERT_EQ(RememberLanguage(u"fr.xml"), NResult::kOk);
    std::filesystem::remove(folder.Path() / "fr.xml");
    Restart();
    EXPECT_EQ(ApplyRememberedLanguage(), NResult::kInvalidArgument);
    EXPECT_EQ(MenuFile(), u"&File");
}

TEST_F(LanguageChoice, StoreThatRefusesTheChoiceIsReported) {
    NSettingsTest::CRecordingBackend refusing;
    refusing.FailStores(true);
    EXPECT_EQ(RememberLanguage(u"fr.xml"), NSettings::kStoreFailed);
}
