#pragma once

#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <QApplication>
#include <QString>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

// A fixture for tests of widgets: the texts of the built-in language (with
// the shipped languages listed, so a test may switch) and, where the suite
// has none, an application object on the offscreen platform, which stands in
// for a display on a test machine.
class CWidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto languages =
            std::filesystem::path(QUILLMERE_TEST_DATA_DIR).parent_path().parent_path() / "data" /
            "Text";
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, languages.u16string().c_str()),
                  1);
        if (QApplication::instance() != nullptr)
            return;
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        s_application = std::make_unique<QApplication>(s_argc, s_argv);
    }
    static void TearDownTestSuite() { s_application.reset(); }

    static QString Translated(const char* key) {
        return QString::fromUtf16(NString::NTranslator::Text(key).Text());
    }

private:
    static inline char s_name[] = "quillmere_app_tests";
    static inline char* s_argv[] = {s_name, nullptr};
    static inline int s_argc = 1;
    static inline std::unique_ptr<QApplication> s_application;
};
