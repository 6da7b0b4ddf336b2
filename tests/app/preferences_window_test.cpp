#include "app/command_table.h"
#include "app/preferences_dialog.h"
#include "main_window_fixture.h"
#include "merge/block_selector.h"
#include "view/navigation_pane.h"
#include "view/view_controller.h"
#include "view/xml_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolBar>
#include <QTreeWidget>

namespace {

using NPrompts::EAnswer;

// Right holds left's items the other way round: they differ while the
// inventory keeps its order, and match once its children may stand anywhere.
constexpr const char* kSwapped =
    "<inventory><item sku='2'>y</item><item sku='1'>b</item></inventory>";

class PreferencesWindowTest : public MainWindowTest {
protected:
    // Makes the inventory's children order-free and presses `button`.
    static void ChooseRandomOrder(QDialog& dialog, int button) {
        auto* order = Control<QComboBox>(dialog, 1090);
        ASSERT_NE(order, nullptr);
        order->setCurrentIndex(2);
        emit order->activated(2);
        Control<QPushButton>(dialog, button)->click();
    }

    std::unique_ptr<CMainWnd> SwappedCompare() {
        FormatsTest::WriteTextFile(File("right.xml"), kSwapped);
        return Loaded(false, false);
    }

    std::string SpecText() const {
        return FormatsTest::ReadTextFile(m_formatsFolder.Path() / "inventory.qmfmt");
    }

    static constexpr const char* kInventoryRule = "Formats#inventory#inventory";
};

TEST_F(PreferencesWindowTest, PropertiesOpensTheRuleOfTheElement) {
    const auto window = Loaded(true, true);
    QString path;
    bool elementPage = false;
    WhenModal([&](QDialog& dialog) {
        path = Control<QTreeWidget>(dialog, 1029)->currentItem()->data(0, Qt::UserRole).toString();
        elementPage = Control<QStackedWidget>(dialog, 1039)
                          ->currentWidget()
                          ->findChild<QComboBox*>(QStringLiteral("ctl1090")) != nullptr;
    });
    emit window->findChild<CViewController*>()->propertiesRequested(QStringLiteral("item"));
    EXPECT_EQ(path, QStringLiteral("Formats#inventory#item"));
    EXPECT_TRUE(elementPage);
}

TEST_F(PreferencesWindowTest, OkWithAChangedOrderMatchesTheOpenFilesAgain) {
    const auto window = SwappedCompare();
    ASSERT_EQ(m_operation.model.DifferenceCount(), 2u);
    WhenModal([](QDialog& dialog) { ChooseRandomOrder(dialog, 1); });
    window->OpenPreferences(QString::fromLatin1(kInventoryRule));
    EXPECT_TRUE(m_prompts.messages.empty()) << "nothing to lose, nothing asked";
    EXPECT_TRUE(window->IsResultShown());
    EXPECT_EQ(m_operation.model.DifferenceCount(), 0u);
    EXPECT_NE(SpecText().find("<element name='inventory' order='Random'"), std::string::npos);
    EXPECT_EQ(m_operation.spec, m_formats.FindInUse());
}

TEST_F(PreferencesWindowTest, CancelLeavesTheComparisonAndTheFilesAsTheyWere) {
    const auto window = SwappedCompare();
    window->show();
    auto* view = window->findChild<CXMLView*>();
    const QImage before = view->grab().toImage();
    const std::string spec = SpecText();
    WhenModal([](QDialog& dialog) { ChooseRandomOrder(dialog, 2); });
    window->OpenPreferences(QString::fromLatin1(kInventoryRule));
    EXPECT_EQ(m_operation.model.DifferenceCount(), 2u);
    EXPECT_EQ(SpecText(), spec);
    EXPECT_EQ(view->grab().toImage(), before);
}

TEST_F(PreferencesWindowTest, UnsavedResolutionsAreLostOnlyWhenTheUserSaysSo) {
    const struct {
        EAnswer answer;
        bool matchedAgain;
    } kCases[] = {{EAnswer::No, false}, {EAnswer::Yes, true}};
    for (const auto& entry : kCases) {
        // The first round saved the changed order: start again from the fixture's.
        m_formats.DeleteChildren();
        SetUp();
        // Item 2 conflicts; the order changed on the right only.
        FormatsTest::WriteTextFile(
            File("right.xml"),
            "<inventory><item sku='2'>z</item><item sku='1'>b</item></inventory>");
        const auto window = Loaded(true, true);
        for (CBlockSelector* difference : m_operation.model.Differences()) {
            if (!difference->IsResolved()) {
                m_operation.model.SetCurrent(difference);
                window->RunCommand(NCommands::kEditResolveLeft);
            }
        }
        ASSERT_EQ(m_operation.model.ConflictCount(), 0u);
        m_prompts.answers.push_back(entry.answer);
        m_prompts.messages.clear();
        WhenModal([](QDialog& dialog) { ChooseRandomOrder(dialog, 1); });
        window->OpenPreferences(QString::fromLatin1(kInventoryRule));
        ASSERT_EQ(m_prompts.messages.size(), 1u);
        EXPECT_EQ(QString::fromStdU16String(m_prompts.messages[0].text),
                  Translated("Prefs.MsgMatchAgain"));
        EXPECT_NE(SpecText().find("order='Random'"), std::string::npos) << "saved either way";
        EXPECT_EQ(m_operation.model.ConflictCount() > 0, entry.matchedAgain);
        EXPECT_EQ(m_operation.spec, m_formats.FindInUse());
    }
}

TEST_F(PreferencesWindowTest, DisplayChoicesShowInTheWindowOnOk) {
    const auto window = Loaded(true, true);
    window->show();
    auto* view = window->findChild<CXMLView*>();
    auto* toolbar = window->findChild<QToolBar*>();
    // The pane has no meta-object of its own for findChild to tell it by.
    CNavigationPane* overview = nullptr;
    for (QWidget* child : window->findChildren<QWidget*>())
        if (auto* pane = dynamic_cast<CNavigationPane*>(child))
            overview = pane;
    ASSERT_NE(overview, nullptr);
    ASSERT_TRUE(toolbar->isVisible() && overview->isVisible());
    const int lineHeight = view->LineHeight();
    WhenModal([](QDialog& dialog) {
        Control<QSpinBox>(dialog, 1075)->setValue(30);
        Control<QCheckBox>(dialog, 1043)->setChecked(false);
        Control<QCheckBox>(dialog, 1047)->setChecked(false);
        Control<QPushButton>(dialog, 1)->click();
    });
    window->OpenPreferences(QStringLiteral("Display"));
    EXPECT_EQ(view->Fonts().Document().pointSize(), 30);
    EXPECT_GT(view->LineHeight(), lineHeight) << "the tree is measured anew";
    EXPECT_FALSE(toolbar->isVisible());
    EXPECT_FALSE(overview->isVisible());
}

TEST_F(PreferencesWindowTest, TheLanguageListSwitchesWindowAndDialogAtOnce) {
    const auto window = Loaded(false, false);
    QString dialogTitle;
    QString formatsItem;
    WhenModal([&](QDialog& dialog) {
        auto* languages = Control<QComboBox>(dialog, 1044);
        const int german = languages->findText(QStringLiteral("Deutsch"));
        ASSERT_GE(german, 0);
        languages->setCurrentIndex(german);
        emit languages->activated(german);
        dialogTitle = dialog.windowTitle();
        formatsItem = Control<QTreeWidget>(dialog, 1029)->topLevelItem(2)->text(0);
    });
    window->OpenPreferences(QStringLiteral("Display"));
    const QString germanTitle = window->windowTitle();
    const QString germanFile = window->menuBar()->actions().at(0)->text();
    ASSERT_TRUE(window->ChooseLanguage(u""));
    EXPECT_EQ(dialogTitle, QStringLiteral("Einstellungen"));
    EXPECT_EQ(formatsItem, QStringLiteral("Formate"));
    EXPECT_EQ(germanFile, QStringLiteral("&Datei"));
    EXPECT_TRUE(germanTitle.startsWith(QStringLiteral("Vergleich"))) << germanTitle.toStdString();
}

} // namespace
