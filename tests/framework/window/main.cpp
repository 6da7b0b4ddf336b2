#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

// Widgets need an application object and the texts a translator; the shipped
// language folder lets tests switch language.
int main(int argc, char** argv) {
    // Listing the tests runs this too, outside ctest's environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource, true,
                                         QUILLMERE_LANGUAGE_DIR u"") != 1) {
        std::fputs("the built-in language file cannot be loaded\n", stderr);
        return 1;
    }
    return RUN_ALL_TESTS();
}
