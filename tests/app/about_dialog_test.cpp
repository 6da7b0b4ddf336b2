#include "app/about_dialog.h"
#include "translation/translator.h"
#include "widget_test.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AboutDialogTest : public CWidgetTest {
protected:
    static QString Shown(const QWidget& dialog, int control) {
        return dialog.findChild<QLabel*>(NWindows::ControlName(control))->text();
    }
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
