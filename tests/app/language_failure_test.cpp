#include "../translation/translator_test_support.h"
#include "app/language_failure.h"
#include "framework/result.h"
#include "translation/translator.h"
#include "widget_test.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

using NTranslatorTest::U16;

class LanguageFailureTest : public CWidgetTest {
protected:
    void SetUp() override {
        m_folder.Write("fr.xml", NTranslatorTest::LanguageXml(
                                     "<Group name='Lang'><Text name='Name'>F</Text></Group>"));
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, m_folder.Path16().c_str()),
                  1);
    }
    // The other tests expect the shipped languages.
    void TearDown() override { CWidgetTest::SetUpTestSuite(); }

    NTranslatorTest::CTempFolder m_folder;
};

TEST_F(LanguageFailureTest, NamesTheFileAndTheReason) {
    const std::u16string missing = U16(NString::TStr<char16_t>(std::strerror(ENOENT)));
    const struct {
        const char16_t* fileName;
        int result;
        bool removed; // whether fr.xml is gone when the text is made
        std::u16string reason;
    } cases[] = {
        {u"it.xml", NResult::kInvalidArgument, false,
         u"it is not one of the language files found when the program started"},
        {u"fr.xml", NResult::kCannotOpen, true, missing},
        // Readable again by the time the message is made: no system reason.
        {u"fr.xml", NResult::kCannotOpen, false, u"it cannot be opened"},
        {u"fr.xml", NResult::kNotWellFormed, false,
         u"it is not a well-formed XML file whose root element is <Language>"},
        {u"fr.xml", NResult::kNothingParsed, false,
         u"it is not a well-formed XML file whose root element is <Language>"},
        {u"fr.xml", NResult::kNoMemory, false, u"the memory ran out"},
    };
    for (const auto& test : cases) {
        if (test.removed)
            std::filesystem::remove(m_folder.Path() / "fr.xml");
        const std::u16string shownName =
            test.result == NResult::kInvalidArgument ? test.fileName : m_folder.PathOf("fr.xml");
        EXPECT_EQ(U16(LanguageFailureText(test.fileName, test.result)),
                  u"The language file\n\n" + shownName + u"\n\ncannot be shown: " + test.reason +
                      u". The texts stay in the language shown now.")
            << test.result;
        if (test.removed)
            m_folder.Write("fr.xml", "<Language/>");
    }
}

} // namespace
