#include "../../support/url_recorder.h"
#include "framework/result.h"
#include "framework/window/base_dialog.h"
#include "framework/window/help_page.h"
#include "translation/translator.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using NWindows::CBaseDialog;
using NWindows::ControlName;
using NWindows::SControlText;

namespace {

QString Translated(const char* key) {
    return QString::fromUtf16(NString::NTranslator::Text(key).Text());
}

constexpr int kMissingControl = 9999;

constexpr SControlText kTexts[] = {
    {NWindows::kDialogTitle, "Open.Title"},
    {1053, "Open.Type"},
    {1050, "Open.CompareType"},
    {1060, "CreateSpec.Group"},
    {1, "Misc.OKBtn"},
    {kMissingControl, "Misc.CancelBtn"},
};

// A dialog with one control of each kind that carries a text, and an edit
// whose typed text no table line may overwrite.
class CSampleDialog final : public CBaseDialog {
public:
    explicit CSampleDialog(QString helpPage) : CBaseDialog(kTexts, std::move(helpPage)) {
        auto* layout = new QVBoxLayout(this);
        Add<QLabel>(layout, 1053);
        Add<QRadioButton>(layout, 1050);
        Add<QGroupBox>(layout, 1060);
        Add<QPushButton>(layout, 1);
        edit = Add<QLineEdit>(layout, 1054);
        edit->setText(QStringLiteral("typed"));
        ApplyTexts();
    }

    void Reapply() { ApplyTexts(); }

    QLineEdit* edit = nullptr;

private:
    template <typename T> T* Add(QVBoxLayout* layout, int control) {
        auto* widget = new T(this);
        widget->setObjectName(ControlName(control));
        layout->addWidget(widget);
        return widget;
    }
};

// What a control shows, read through its own type.
QString Shown(const QWidget& dialog, int control) {
    const QWidget* widget = dialog.findChild<QWidget*>(ControlName(control));
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return QStringLiteral("<no such control>");
}

void ExpectTheTableShown(const CSampleDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), Translated("Open.Title"));
    for (const SControlText& line : kTexts) {
        if (line.control != NWindows::kDialogTitle && line.control != kMissingControl) {
            EXPECT_EQ(Shown(dialog, line.control), Translated(line.key)) << line.key;
        }
    }
    EXPECT_EQ(dialog.edit->text(), QStringLiteral("typed"));
}

class BaseDialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        ASSERT_EQ(NString::NTranslator::ApplyLanguage(nullptr), NResult::kOk);
    }
};

TEST_F(BaseDialogTest, TextTableLandsOnTheControlsInTheLanguageShown) {
    CSampleDialog dialog(QString{});
    ExpectTheTableShown(dialog);
    ASSERT_EQ(NString::NTranslator::ApplyLanguage(u"Deutsch.xml"), NResult::kOk);
    dialog.Reapply();
    ExpectTheTableShown(dialog);
    // Proves the language changed, so the table above was applied again.
    EXPECT_NE(Shown(dialog, 1050), QStringLiteral("XML File Comparison"));
}

TEST_F(BaseDialogTest, F1OpensTheDialogsHelpPage) {
    struct SCase {
        QString helpPage;
        Qt::Key key;
        bool inEdit;
        bool opens;
    };
    const QString page = QString::fromUtf16(NWindows::kOpenDialogHelpPage);
    const SCase cases[] = {
        {page, Qt::Key_F1, false, true},
        {page, Qt::Key_F1, true, true},
        {page, Qt::Key_F2, false, false},
        {QString{}, Qt::Key_F1, false, false},
    };
    for (const SCase& test : cases) {
        CUrlRecorder recorder;
        CSampleDialog dialog(test.helpPage);
        QTest::keyClick(test.inEdit ? static_cast<QWidget*>(dialog.edit) : &dialog, test.key);
        if (!test.opens) {
            EXPECT_TRUE(recorder.opened.empty()) << test.helpPage.toStdString();
            continue;
        }
        ASSERT_EQ(recorder.opened.size(), 1u) << test.helpPage.toStdString();
        EXPECT_EQ(recorder.opened[0].toString().toStdString(),
                  NWindows::HelpPageUrl(test.helpPage).toString().toStdString());
        EXPECT_TRUE(recorder.opened[0].path().endsWith(QStringLiteral("/Data/Help/") + page))
            << recorder.opened[0].toString().toStdString();
    }
}

} // namespace
