#pragma once

#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <QString>
#include <filesystem>
#include <gtest/gtest.h>

// Widget tests get their application from support/qt_test_application.cpp; this
// fixture adds the built-in texts, with the shipped languages listed so a
// test may switch.
class CWidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto languages =
            std::filesystem::path(QUILLMERE_TEST_DATA_DIR).parent_path().parent_path() / "data" /
            "Text";
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, languages.u16string().c_str()),
                  1);
    }

    static QString Translated(const char* key) {
        return QString::fromUtf16(NString::NTranslator::Text(key).Text());
    }
};
