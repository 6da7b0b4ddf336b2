#include "app/about_dialog.h"
#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString Translated(const char* key) {
    return QString::fromUtf16(NString::NTranslator::Text(key).Text());
}

// Widgets need an application object; where the suite has none, one is made
// on the offscreen platform, which stands in for a display on a test machine.
class AboutDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto languages = std::filesystem::path(QUILLMERE_TEST_DATA_DIR).parent_path()
                                   .parent_path() / "data" / "Text";
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

    static QString Shown(const QWidget& dialog, int control) {
        return dialog.findChild<QLabel*>(NWindows::ControlName(control))->text();
    }

private:
    static inline char s_name[] = "quillmere_app_tests";
    static inline char* s_argv[] = {s_name, nullptr};
    static inline int s_argc = 1;
    static inline std::unique_ptr<QApplication> s_application;
};

TEST_F(AboutDialogTest, ShowsNameVersionAndSecondLineInTheLanguageShown) {
    for (const char16_t* language : {static_cast<const char16_t*>(nullptr), u"Deutsch.xml"}) {
        ASSERT_EQ(NString::NTranslator::ApplyLanguage(language), 1);
        CAboutDialog dialog{QIcon()};
        EXPECT_EQ(dialog.windowTitle(), Translated("About.Title"));
        EXPECT_EQ(Shown(dialog, 1069),
                  Translated("Misc.AppName") + u' ' + QStringLiteral(QUILLMERE_EXPECTED_VERSION));
        EXPECT_EQ(Shown(dialog, 1070), Translated("About.Line2"));
        EXPECT_TRUE(Shown(dialog, 1070).contains(u"Velden"));
        EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("ctl1"))->text(),
                  Translated("Misc.OKBtn"));
    }
    ASSERT_EQ(NString::NTranslator::ApplyLanguage(nullptr), 1);
}

TEST_F(AboutDialogTest, ShowsTheProgramIconWhenGivenOne) {
    QPixmap image(16, 16);
    image.fill(Qt::darkGreen);
    struct SCase {
        QIcon icon;
        bool shown;
    };
    const SCase cases[] = {{QIcon(image), true}, {QIcon(), false}};
    for (const SCase& test : cases) {
        CAboutDialog dialog(test.icon);
        const QLabel* icon = dialog.findChild<QLabel*>(QStringLiteral("programIcon"));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(!icon->pixmap().isNull(), test.shown);
    }
}

TEST_F(AboutDialogTest, CloseButtonEndsTheDialog) {
    CAboutDialog dialog{QIcon()};
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ctl1")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
