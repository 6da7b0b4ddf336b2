#include "app/preferences_dialog.h"

#include "app/display_panel.h"
#include "app/element_spec_panel.h"
#include "app/file_spec_panel.h"
#include "app/preference_panel.h"
#include "app/preferences_target.h"
#include "app/update_panel.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "framework/window/dialog_controls.h"
#include "framework/window/help_page.h"
#include "icons/icon_set.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using NWindows::NewControl;

constexpr int kTreeControl = 1029;
constexpr int kPagesControl = 1039;
constexpr int kApplyButton = 3;

constexpr NWindows::SControlText kTexts[] = {
    {NWindows::kDialogTitle, "Prefs.Title"},
    {1, "Misc.OKBtn"},
    {kApplyButton, "Prefs.Apply"},
    {2, "Misc.CancelBtn"},
};
constexpr NWindows::SControlText kBlankTexts[] = {{1050, "Prefs.Blank.Message"}};

// Where an item keeps its path and, for a rule, the rule.
constexpr int kPathRole = Qt::UserRole;
constexpr int kRuleRole = Qt::UserRole + 1;

// The categories at the top of the tree, in order.
struct SCategory {
    const char* path;
    const char* titleKey;
    EPreferencesImage image;
};
constexpr SCategory kCategories[] = {
    {"Display", "Prefs.Display.Title", EPreferencesImage::Display},
    {"Updates", "Prefs.Updates.Title", EPreferencesImage::Updates},
    {"Formats", "Prefs.Format.Title", EPreferencesImage::Formats},
};

CSpecBase* RuleOf(const QTreeWidgetItem* item) {
    return item != nullptr ? static_cast<CSpecBase*>(item->data(0, kRuleRole).value<void*>())
                           : nullptr;
}

QString ItemText(const CSpecBase& rule) {
    const auto* element = dynamic_cast<const CElementSpec*>(&rule);
    return element != nullptr && element->IsDefaultRule()
               ? NWindows::TranslatedText("Prefs.AllElements")
               : QString::fromUtf8(rule.name.Text());
}

EPreferencesImage ImageOf(const CSpecBase& rule) {
    switch (rule.GetType()) {
    case kSpecTypeFile:
        return EPreferencesImage::FileSpec;
    case kSpecTypeElement:
        return EPreferencesImage::ElementSpec;
    default:
        return EPreferencesImage::Formats;
    }
}

} // namespace

QString& CPreferencesDialog::SelectionPath() {
    static QString path;
    return path;
}

CPreferencesDialog::CPreferencesDialog(const CFormatList& library, NSettings::CFlags& flags,
                                       IPreferencesTarget& target, QWidget* parent,
                                       const SUpdatePanelActions& updates)
    : CBaseDialog(kTexts, QString::fromUtf16(NWindows::kPreferencesHelpPage), parent),
      m_library(library), m_target(target), m_tree(NewControl<QTreeWidget>(*this, kTreeControl)),
      m_pages(NewControl<QStackedWidget>(*this, kPagesControl)),
      m_blankPanel(new CMessagePanel(kBlankTexts, 1050, m_pages)),
      m_displayPanel(new CDisplayPanel(flags, target, m_pages)),
      m_updatePanel(new CUpdatePanel(flags, updates, m_pages)),
      m_fileSpecPanel(new CFileSpecPanel(m_workingCopy, m_pages)),
      m_elementPanel(new CElementSpecPanel(m_pages)) {
    m_workingCopy.CopyFrom(library);
    for (QWidget* page :
         {static_cast<QWidget*>(m_blankPanel), static_cast<QWidget*>(m_displayPanel),
          static_cast<QWidget*>(m_updatePanel), static_cast<QWidget*>(m_fileSpecPanel),
          static_cast<QWidget*>(m_elementPanel)})
        m_pages->addWidget(page);
    m_tree->header()->hide();
    m_tree->setColumnCount(1);
    m_tree->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    m_tree->setMinimumHeight(fontMetrics().height() * 20);
    m_pages->setMinimumWidth(fontMetrics().averageCharWidth() * 56);

    auto* buttons = new QDialogButtonBox(this);
    for (const auto& [control, role] : {std::pair{1, QDialogButtonBox::AcceptRole},
                                        {kApplyButton, QDialogButtonBox::ApplyRole},
                                        {2, QDialogButtonBox::RejectRole}})
        buttons->addButton(QString(), role)->setObjectName(NWindows::ControlName(control));
    auto* top = new QHBoxLayout;
    top->addWidget(m_tree, 2);
    top->addWidget(m_pages, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(NWindows::NewSeparator(*this));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CPreferencesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPreferencesDialog::reject);
    connect(findChild<QPushButton*>(NWindows::ControlName(kApplyButton)), &QPushButton::clicked,
            this, &CPreferencesDialog::Apply);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CPreferencesDialog::SelectionChanged);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (item->parent() == nullptr)
            m_tree->expandItem(item);
    });
    m_fileSpecPanel->onRenamed = [this](const QString& name) {
        if (QTreeWidgetItem* item = m_tree->currentItem()) {
            item->setText(0, name);
            item->setData(0, kPathRole, QString::fromUtf8(RuleOf(item)->SpecPath().Text()));
            SelectionPath() = item->data(0, kPathRole).toString();
        }
    };
    m_elementPanel->onRulesChanged = [this] { RulesChanged(); };
    m_displayPanel->onLanguageChanged = [this] { Retranslate(); };

    ApplyTexts();
    for (CPreferencePanel* panel : {m_blankPanel, static_cast<CPreferencePanel*>(m_displayPanel),
                                    static_cast<CPreferencePanel*>(m_updatePanel),
                                    static_cast<CPreferencePanel*>(m_fileSpecPanel),
                                    static_cast<CPreferencePanel*>(m_elementPanel)})
        panel->ApplyTexts();
    FillTree();
}

CPreferencesDialog::~CPreferencesDialog() = default;

// ---- The tree ------------------------------------------------------------

void CPreferencesDialog::FillTree() {
    // The pages forget the rules of the copy the tree showed.
    m_fileSpecPanel->Load(nullptr);
    m_elementPanel->Load(nullptr);
    const QString wanted = SelectionPath();
    const QSignalBlocker blocker(m_tree);
    m_tree->clear();
    for (const SCategory& category : kCategories) {
        auto* item = new QTreeWidgetItem(m_tree, {NWindows::TranslatedText(category.titleKey)});
        item->setIcon(0, PreferencesIcon(category.image));
        item->setData(0, kPathRole, QString::fromLatin1(category.path));
        if (category.image == EPreferencesImage::Formats)
            for (CFileSpec* spec = m_workingCopy.FirstSpec(); spec != nullptr;
                 spec = CFormatList::NextSpec(spec))
                AddRuleItems(*item, *spec);
    }
    QTreeWidgetItem* selected = m_tree->topLevelItem(0);
    for (QTreeWidgetItemIterator item(m_tree); *item != nullptr; ++item)
        if ((*item)->data(0, kPathRole).toString() == wanted)
            selected = *item;
    for (int index = 0; index < m_tree->topLevelItemCount(); ++index)
        m_tree->topLevelItem(index)->setExpanded(true);
    for (QTreeWidgetItem* parent = selected->parent(); parent != nullptr; parent = parent->parent())
        parent->setExpanded(true);
    m_tree->setCurrentItem(selected);
    m_tree->scrollToItem(selected);
    SelectionChanged();
}

// Attribute and content rules are edited on their element's page.
void CPreferencesDialog::AddRuleItems(QTreeWidgetItem& parent, CSpecBase& rule) {
    auto* item = new QTreeWidgetItem(&parent, {ItemText(rule)});
    item->setIcon(0, PreferencesIcon(ImageOf(rule)));
    item->setData(0, kPathRole, QString::fromUtf8(rule.SpecPath().Text()));
    item->setData(0, kRuleRole, QVariant::fromValue(static_cast<void*>(&rule)));
    for (CSpecBase* child = rule.FirstRule(); child != nullptr; child = child->NextRule())
        if (child->GetType() != kSpecTypeAttribute && child->GetType() != kSpecTypeContent)
            AddRuleItems(*item, *child);
}

void CPreferencesDialog::RulesChanged() {
    QTreeWidgetItem* item = m_tree->currentItem();
    CSpecBase* rule = RuleOf(item);
    if (rule == nullptr)
        return;
    qDeleteAll(item->takeChildren());
    for (CSpecBase* child = rule->FirstRule(); child != nullptr; child = child->NextRule())
        if (child->GetType() == kSpecTypeElement)
            AddRuleItems(*item, *child);
    item->setExpanded(true);
}

void CPreferencesDialog::SelectionChanged() {
    QTreeWidgetItem* item = m_tree->currentItem();
    if (item == nullptr)
        return;
    SelectionPath() = item->data(0, kPathRole).toString();
    CSpecBase* rule = RuleOf(item);
    if (rule == nullptr) {
        const QString path = SelectionPath();
        ShowPanel(path == QLatin1String("Display") ? static_cast<CPreferencePanel*>(m_displayPanel)
                  : path == QLatin1String("Updates") ? static_cast<CPreferencePanel*>(m_updatePanel)
                                                     : m_blankPanel,
                  nullptr);
    } else if (rule->GetType() == kSpecTypeFile) {
        ShowPanel(m_fileSpecPanel, rule);
    } else if (rule->GetType() == kSpecTypeElement) {
        ShowPanel(m_elementPanel, rule);
    }
}

void CPreferencesDialog::ShowPanel(CPreferencePanel* panel, CSpecBase* item) {
    panel->Load(item);
    m_pages->setCurrentWidget(panel);
}

void CPreferencesDialog::Retranslate() {
    ApplyTexts();
    for (int page = 0; page < m_pages->count(); ++page)
        static_cast<CPreferencePanel*>(m_pages->widget(page))->ApplyTexts();
    for (int index = 0; index < m_tree->topLevelItemCount(); ++index)
        m_tree->topLevelItem(index)->setText(0,
                                             NWindows::TranslatedText(kCategories[index].titleKey));
    for (QTreeWidgetItemIterator item(m_tree); *item != nullptr; ++item)
        if (const CSpecBase* rule = RuleOf(*item))
            (*item)->setText(0, ItemText(*rule));
}

// ---- Buttons -------------------------------------------------------------

bool CPreferencesDialog::ApplyPages() {
    for (int page = 0; page < m_pages->count(); ++page)
        if (!static_cast<CPreferencePanel*>(m_pages->widget(page))->Apply())
            return false;
    m_target.ReplaceFormats(m_workingCopy);
    return true;
}

void CPreferencesDialog::accept() {
    if (ApplyPages())
        CBaseDialog::accept();
}

// The copy goes on from what the library now holds; the tree shows it, with
// the same item chosen.
void CPreferencesDialog::Apply() {
    if (!ApplyPages())
        return;
    m_workingCopy.CopyFrom(m_library);
    FillTree();
}

void OpenPreferences(QWidget* owner, const CFormatList& library, NSettings::CFlags& flags,
                     IPreferencesTarget& target, const QString& path,
                     const SUpdatePanelActions& updates) {
    if (!path.isEmpty())
        CPreferencesDialog::SelectionPath() = path;
    CPreferencesDialog dialog(library, flags, target, owner, updates);
    dialog.exec();
}
