#include "app/element_spec_panel.h"

#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/rule_identification.h"
#include "framework/window/dialog_controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

using NWindows::NewControl;

constexpr int kOrderLabel = 1063;
constexpr int kOrderList = 1090;
constexpr int kIdentifiedLabel = 1079;
constexpr int kNameList = 1032;
// The radio buttons, by EIdentification.
constexpr std::array<int, 4> kKindRadios = {1087, 1088, 1022, 1066};

constexpr NWindows::SControlText kTexts[] = {
    {kOrderLabel, "Prefs.ElementSpec.Order"}, {kIdentifiedLabel, "Prefs.ElementSpec.Identified"},
    {1087, "Prefs.ElementSpec.ByNothing"},    {1088, "Prefs.ElementSpec.ByAttributes"},
    {1022, "Prefs.ElementSpec.ByElements"},   {1066, "Prefs.ElementSpec.ByContent"},
};

// The order list's entries, by EChildOrder.
constexpr const char* kOrderKeys[] = {"Prefs.ElementSpec.Default", "Prefs.ElementSpec.Sequential",
                                      "Prefs.ElementSpec.Random"};

// The specification a rule belongs to.
CFileSpec* OwningSpec(CSpecBase* rule) {
    for (NPtr::CNode* node = rule; node != nullptr; node = node->Parent())
        if (auto* spec = dynamic_cast<CFileSpec*>(node))
            return spec;
    return nullptr;
}

} // namespace

CElementSpecPanel::CElementSpecPanel(QWidget* parent)
    : CPreferencePanel(kTexts, parent), m_order(NewControl<QComboBox>(*this, kOrderList)),
      m_names(NewControl<QListWidget>(*this, kNameList)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(NewControl<QLabel>(*this, kOrderLabel), 0, 0);
    layout->addWidget(m_order, 0, 1, Qt::AlignLeft);
    layout->setRowMinimumHeight(1, 8);
    layout->addWidget(NewControl<QLabel>(*this, kIdentifiedLabel), 2, 0, Qt::AlignTop);
    auto* group = new QButtonGroup(this);
    for (std::size_t kind = 0; kind < m_kinds.size(); ++kind) {
        m_kinds[kind] = NewControl<QRadioButton>(*this, kKindRadios[kind]);
        group->addButton(m_kinds[kind]);
        layout->addWidget(m_kinds[kind], 2 + static_cast<int>(kind), 1);
    }
    m_names->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_names, 6, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(6, 1);
    for (const char* key : kOrderKeys)
        m_order->addItem(NWindows::TranslatedText(key));
    connect(m_order, &QComboBox::activated, this, &CElementSpecPanel::OrderChosen);
    connect(group, &QButtonGroup::buttonClicked, this, &CElementSpecPanel::KindChosen);
    connect(m_names, &QListWidget::itemSelectionChanged, this,
            &CElementSpecPanel::SelectionChanged);
}

void CElementSpecPanel::LoadItem(CSpecBase* item) {
    m_rule = dynamic_cast<CElementSpec*>(item);
    m_spec = OwningSpec(m_rule);
    for (int order = 0; order < m_order->count(); ++order)
        m_order->setItemText(order, NWindows::TranslatedText(kOrderKeys[order]));
    if (m_rule == nullptr)
        return;
    m_order->setCurrentIndex(static_cast<int>(ChildOrderOf(*m_rule)));
    m_kinds[static_cast<std::size_t>(IdentificationOf(*m_rule))]->setChecked(true);
    FillList();
}

EIdentification CElementSpecPanel::ChosenKind() const {
    for (std::size_t kind = 0; kind < m_kinds.size(); ++kind)
        if (m_kinds[kind]->isChecked())
            return static_cast<EIdentification>(kind);
    return EIdentification::Nothing;
}

void CElementSpecPanel::FillList() {
    const QSignalBlocker blocker(m_names);
    m_names->clear();
    const EIdentification kind = ChosenKind();
    const bool named =
        kind == EIdentification::Attributes || kind == EIdentification::ChildElements;
    m_names->setEnabled(named);
    if (!named || m_rule == nullptr || m_spec == nullptr)
        return;
    const std::vector<std::string> used = IdentifyingNames(*m_rule, kind);
    for (const std::string& name : OfferedNames(*m_spec, *m_rule, kind)) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), m_names);
        item->setSelected(std::find(used.begin(), used.end(), name) != used.end());
    }
}

void CElementSpecPanel::KindChosen() {
    if (m_rule == nullptr)
        return;
    SetIdentification(*m_rule, ChosenKind());
    FillList();
    MarkChanged();
}

void CElementSpecPanel::OrderChosen(int index) {
    if (m_rule == nullptr)
        return;
    SetChildOrder(*m_rule, static_cast<EChildOrder>(index));
    MarkChanged();
}

void CElementSpecPanel::SelectionChanged() {
    if (m_rule == nullptr)
        return;
    std::vector<std::string> names;
    for (int row = 0; row < m_names->count(); ++row)
        if (m_names->item(row)->isSelected())
            names.push_back(m_names->item(row)->text().toStdString());
    SetIdentifyingNames(*m_rule, ChosenKind(), names);
    MarkChanged();
}

void CElementSpecPanel::MarkChanged() {
    if (m_spec != nullptr)
        m_spec->SetFlags(CSpecBase::kModified);
    if (onRulesChanged)
        onRulesChanged();
}
