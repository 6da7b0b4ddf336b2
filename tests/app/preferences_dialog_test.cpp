#include "../formats/formats_test_support.h"
#include "../formats/scripted_prompts.h"
#include "app/preferences_dialog.h"
#include "app/preferences_target.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/rule_identification.h"
#include "services/display_settings.h"
#include "services/flags.h"
#include "services/settings_backend.h"
#include "widget_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

constexpr char kShop[] = "<file name='Shop' filenames='*.shop' root='shop'>"
                         "<element name='item' attributes='sku,id'><attribute name='id'/>"
                         "</element>"
                         "<element name='order'><element name='number'/></element>"
                         "<element name='note'><content/></element>"
                         "<element name='*' order='Sequenced'/></file>";
constexpr char kBook[] = "<file name='Book' root='book'><element name='chapter'/></file>";

// Stands in for the main window: puts edited specifications in place and
// saves them as the window does, and records what it was asked.
class CRecordingTarget final : public IPreferencesTarget {
public:
    explicit CRecordingTarget(CFormatList& library) : m_library(library) {}
    void DisplayChanged() override { ++displayChanges; }
    bool ChooseLanguage(const char16_t*) override { return true; }
    void ReplaceFormats(const CFormatList& edited) override {
        ++replacements;
        m_library.CopyFrom(edited);
        m_library.SaveAll();
    }
    int displayChanges = 0;
    int replacements = 0;

private:
    CFormatList& m_library;
};

class PreferencesDialogTest : public CWidgetTest {
protected:
    void SetUp() override {
        FormatsTest::WriteTextFile(m_folder.Path() / "Shop.qmfmt", kShop);
        FormatsTest::WriteTextFile(m_folder.Path() / "Book.qmfmt", kBook);
        m_library.LoadFrom(m_folder.Folder().c_str());
        m_flags.Load(NSettings::kDefaultFlags);
    }

    std::unique_ptr<CPreferencesDialog> Open(const char* path) {
        CPreferencesDialog::SelectionPath() = QString::fromUtf8(path);
        return std::make_unique<CPreferencesDialog>(m_library, m_flags, m_target, nullptr);
    }

    static QString CurrentPath(QWidget& dialog) {
        return Control<QTreeWidget>(dialog, 1029)->currentItem()->data(0, Qt::UserRole).toString();
    }

    // The page shown holds the control.
    static bool Shows(QWidget& dialog, int control) {
        QWidget* page = Control<QStackedWidget>(dialog, 1039)->currentWidget();
        return page->findChild<QWidget*>(QStringLiteral("ctl") + QString::number(control)) !=
               nullptr;
    }

    CFileSpec* ShopSpec() const {
        CFileSpec* spec = CFormatList::NextSpec(m_library.FirstSpec());
        EXPECT_STREQ(spec->name.Text(), "Shop");
        return spec;
    }

    std::string FileText(const char* name) const {
        return FormatsTest::ReadTextFile(m_folder.Path() / name);
    }

    NSettings::CMemoryBackend m_settings;
    NSettings::CScopedBackend m_backend{m_settings};
    FormatsTest::CTempFolder m_folder;
    FormatsTest::CScriptedPrompts m_prompts;
    CFormatList m_library;
    NSettings::CFlags m_flags;
    CRecordingTarget m_target{m_library};
};

TEST_F(PreferencesDialogTest, TheTreeListsCategoriesThenSpecificationsAndTheirElementRules) {
    const auto dialog = Open("");
    auto* tree = Control<QTreeWidget>(*dialog, 1029);
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), Translated("Prefs.Display.Title"));
    EXPECT_EQ(tree->topLevelItem(2)->text(0), Translated("Prefs.Format.Title"));
    QTreeWidgetItem* shop = tree->topLevelItem(2)->child(1);
    ASSERT_NE(shop, nullptr);
    QStringList rules;
    for (int index = 0; index < shop->childCount(); ++index)
        rules << shop->child(index)->text(0) + QString::number(shop->child(index)->childCount());
    // Attribute and content rules stay inside their element's page.
    EXPECT_EQ(rules,
              (QStringList{"item0", "order1", "note0", Translated("Prefs.AllElements") + "0"}));
}

TEST_F(PreferencesDialogTest, APathSelectsItsItemAndShowsItsPage) {
    const struct {
        const char* path;
        int pageControl;
    } kCases[] = {
        {"Display", 1075},
        {"Formats", 1050},
        {"Updates", 1105},
        {"Formats#Shop", 1054},
        {"Formats#Shop#order#number", 1090},
        {"Formats#Shop#*", 1090},
        {"Formats#Nowhere", 1075},
    };
    for (const auto& entry : kCases) {
        const auto dialog = Open(entry.path);
        EXPECT_TRUE(Shows(*dialog, entry.pageControl)) << entry.path;
        if (entry.pageControl != 1075) {
            EXPECT_EQ(CurrentPath(*dialog), QString::fromUtf8(entry.path));
        }
    }
}

TEST_F(PreferencesDialogTest, FontSizesOutsideOneToAHundredAreRefused) {
    const struct {
        int size;
        bool accepted;
    } kCases[] = {{0, false}, {1, true}, {100, true}, {101, false}, {12, true}};
    for (const auto& entry : kCases) {
        const auto dialog = Open("Display");
        Control<QSpinBox>(*dialog, 1075)->setValue(entry.size);
        const int messages = static_cast<int>(m_prompts.messages.size());
        const int replacements = m_target.replacements;
        EXPECT_EQ(dialog->ApplyPages(), entry.accepted) << entry.size;
        EXPECT_EQ(m_target.replacements - replacements, entry.accepted ? 1 : 0) << entry.size;
        if (entry.accepted) {
            EXPECT_EQ(NSettings::ReadXmlFont().size, static_cast<std::uint32_t>(entry.size));
        } else {
            ASSERT_EQ(static_cast<int>(m_prompts.messages.size()), messages + 1);
            EXPECT_EQ(QString::fromStdU16String(m_prompts.messages.back().text),
                      Translated("Prefs.Display.FontSizeMsg"));
        }
    }
}

TEST_F(PreferencesDialogTest, DisplayChoicesAreStoredAndShown) {
    const auto dialog = Open("Display");
    Control<QCheckBox>(*dialog, 1072)->setChecked(true);
    Control<QCheckBox>(*dialog, 1043)->setChecked(false);
    Control<QCheckBox>(*dialog, 1047)->setChecked(false);
    ASSERT_TRUE(dialog->ApplyPages());
    EXPECT_EQ(m_target.displayChanges, 1);
    EXPECT_EQ(NSettings::ReadXmlFont().style, NSettings::kFontStyleBold);
    EXPECT_FALSE(m_flags.Has(NSettings::kFlagOverviewPane));
    EXPECT_FALSE(m_flags.Has(NSettings::kFlagToolbar));
    // A page never shown has nothing to take.
    const auto formatsOnly = Open("Formats");
    ASSERT_TRUE(formatsOnly->ApplyPages());
    EXPECT_EQ(m_target.displayChanges, 1);
}

TEST_F(PreferencesDialogTest, ChoosingContentDropsTheIdentificationAndDisablesTheList) {
    const auto dialog = Open("Formats#Shop#item");
    auto* list = Control<QListWidget>(*dialog, 1032);
    ASSERT_TRUE(list->isEnabled());
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->selectedItems().size(), 1);
    Control<QRadioButton>(*dialog, 1066)->click();
    EXPECT_FALSE(list->isEnabled());
    EXPECT_EQ(list->count(), 0);
    const std::string before = FileText("Shop.qmfmt");
    dialog->accept();
    const auto* item = dynamic_cast<const CElementSpec*>(ShopSpec()->FindRule("item"));
    const CFileSpec* shop = ShopSpec();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(IdentificationOf(*item), EIdentification::Content);
    EXPECT_EQ(item->ChildCount(), 1u);
    EXPECT_NE(FileText("Shop.qmfmt"), before) << "the changed specification is saved";
    EXPECT_EQ(FileText("Book.qmfmt"), kBook) << "the other is not written";
    EXPECT_STREQ(shop->name.Text(), "Shop");
}

TEST_F(PreferencesDialogTest, ChildElementChoicesShowInTheTreeAtOnce) {
    const auto dialog = Open("Formats#Shop#order");
    EXPECT_TRUE(Control<QRadioButton>(*dialog, 1022)->isChecked());
    auto* list = Control<QListWidget>(*dialog, 1032);
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(list->item(row)->text() != QLatin1String("number"));
    QTreeWidgetItem* order = Control<QTreeWidget>(*dialog, 1029)->currentItem();
    QStringList children;
    for (int index = 0; index < order->childCount(); ++index)
        children << order->child(index)->text(0);
    EXPECT_EQ(children, (QStringList{"item", "note", "order"}));
}

TEST_F(PreferencesDialogTest, CancelLeavesTheLibraryAndItsFilesAlone) {
    const std::string before = FileText("Shop.qmfmt");
    const auto dialog = Open("Formats#Shop#item");
    Control<QRadioButton>(*dialog, 1087)->click();
    auto* order = Control<QComboBox>(*dialog, 1090);
    order->setCurrentIndex(2);
    emit order->activated(2);
    dialog->reject();
    EXPECT_EQ(m_target.replacements, 0);
    EXPECT_EQ(FileText("Shop.qmfmt"), before);
    EXPECT_EQ(IdentificationOf(*static_cast<CElementSpec*>(ShopSpec()->FindRule("item"))),
              EIdentification::Attributes);
}

TEST_F(PreferencesDialogTest, ApplyThenCancelKeepsWhatApplyApplied) {
    const auto dialog = Open("Formats#Shop#item");
    Control<QRadioButton>(*dialog, 1087)->click();
    Control<QPushButton>(*dialog, 3)->click();
    EXPECT_EQ(m_target.replacements, 1);
    EXPECT_EQ(CurrentPath(*dialog), QStringLiteral("Formats#Shop#item")) << "chosen again";
    // The copy goes on from the library: a second Apply without edits saves nothing new.
    const std::string applied = FileText("Shop.qmfmt");
    EXPECT_EQ(applied.find("<attribute"), std::string::npos);
    Control<QPushButton>(*dialog, 3)->click();
    dialog->reject();
    EXPECT_EQ(FileText("Shop.qmfmt"), applied);
    EXPECT_EQ(IdentificationOf(*static_cast<CElementSpec*>(ShopSpec()->FindRule("item"))),
              EIdentification::Nothing);
}

TEST_F(PreferencesDialogTest, RenamingRefusesTakenNamesAndReplacesTheFile) {
    const auto dialog = Open("Formats#Shop");
    auto* name = Control<QLineEdit>(*dialog, 1054);
    QTreeWidget* tree = Control<QTreeWidget>(*dialog, 1029);
    const struct {
        const char* typed;
        bool accepted;
        const char* key;
    } kCases[] = {
        {"Book", false, "Prefs.FileSpec.MsgNameTaken"},
        {"::", false, "Prefs.FileSpec.MsgNameWithoutFile"},
        {"Shop 2", true, nullptr},
    };
    for (const auto& entry : kCases) {
        name->selectAll();
        QTest::keyClicks(name, QString::fromUtf8(entry.typed));
        EXPECT_EQ(dialog->ApplyPages(), entry.accepted) << entry.typed;
        if (entry.key != nullptr) {
            EXPECT_TRUE(QString::fromStdU16String(m_prompts.messages.back().text)
                            .startsWith(Translated(entry.key).section(u'"', 0, 0)))
                << entry.typed;
        }
    }
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Shop 2"));
    EXPECT_EQ(CurrentPath(*dialog), QStringLiteral("Formats#Shop 2"));
    EXPECT_EQ(FormatsTest::FileNames(m_folder.Path()),
              (std::vector<std::string>{"Book.qmfmt", "Shop 2.qmfmt"}));
}

} // namespace
