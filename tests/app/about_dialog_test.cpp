#include "app/about_dialog.h"
#include "widget_test.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using AboutDialogTest = CWidgetTest;

TEST_F(AboutDialogTest, ShowsItsTextsInTheLanguageShownAndOkCloses) {
    for (const char16_t* language : {static_cast<const char16_t*>(nullptr), u"Deutsch.xml"}) {
        ASSERT_EQ(NString::NTranslator::ApplyLanguage(language), 1);
        CAboutDialog dialog{QIcon()};
        EXPECT_EQ(dialog.windowTitle(), Translated("About.Title"));
        EXPECT_EQ(Control<QLabel>(dialog, 1069)->text(),
                  Translated("Misc.AppName") + u' ' + QStringLiteral(QUILLMERE_EXPECTED_VERSION));
        EXPECT_EQ(Control<QLabel>(dialog, 1070)->text(), Translated("About.Line2"));
        auto* ok = Control<QPushButton>(dialog, 1);
        EXPECT_EQ(ok->text(), Translated("Misc.OKBtn"));
        dialog.show();
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    ASSERT_EQ(NString::NTranslator::ApplyLanguage(nullptr), 1);
}

TEST_F(AboutDialogTest, ShowsTheProgramIconWhenGivenOne) {
    QPixmap image(16, 16);
    image.fill(Qt::darkGreen);
    const struct {
        QIcon icon;
        bool shown;
    } cases[] = {{QIcon(image), true}, {QIcon(), false}};
    for (const auto& test : cases) {
        CAboutDialog dialog(test.icon);
        const QLabel* icon = dialog.findChild<QLabel*>(QStringLiteral("programIcon"));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(!icon->pixmap().isNull(), test.shown);
    }
}

} // namespace
