#include "app/file_spec_panel.h"

#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "framework/window/dialog_controls.h"
#include "text/format.h"
#include "translation/translator.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

using NWindows::NewControl;

constexpr int kNameLabel = 1058;
constexpr int kNameField = 1054;
constexpr int kPatternsLabel = 1059;
constexpr int kPatternsField = 1057;
constexpr int kRootLabel = 1061;
constexpr int kRootField = 1060;

constexpr NWindows::SControlText kTexts[] = {
    {kNameLabel, "Prefs.FileSpec.Name"},
    {kPatternsLabel, "Prefs.FileSpec.Filename"},
    {kRootLabel, "Prefs.FileSpec.RootElement"},
};

QString PatternText(const CFileSpec& spec) {
    QStringList patterns;
    for (const NString::TStr<char>* pattern : spec.patterns)
        patterns.append(QString::fromUtf8(pattern->Text()));
    return patterns.join(QStringLiteral(", "));
}

} // namespace

CFileSpecPanel::CFileSpecPanel(const CFormatList& workingCopy, QWidget* parent)
    : CPreferencePanel(kTexts, parent), m_workingCopy(workingCopy),
      m_name(NewControl<QLineEdit>(*this, kNameField)),
      m_patterns(NewControl<QLineEdit>(*this, kPatternsField)),
      m_root(NewControl<QLineEdit>(*this, kRootField)) {
    m_root->setReadOnly(true);
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const auto& [label, field] :
         {std::pair{kNameLabel, m_name}, {kPatternsLabel, m_patterns}, {kRootLabel, m_root}})
        layout->addRow(NewControl<QLabel>(*this, label), field);
    connect(m_name, &QLineEdit::textEdited, this, &CFileSpecPanel::NameEdited);
    connect(m_patterns, &QLineEdit::textEdited, this, &CFileSpecPanel::PatternsEdited);
}

void CFileSpecPanel::LoadItem(CSpecBase* item) {
    m_spec = dynamic_cast<CFileSpec*>(item);
    m_name->setText(m_spec != nullptr ? QString::fromUtf8(m_spec->name.Text()) : QString());
    m_patterns->setText(m_spec != nullptr ? PatternText(*m_spec) : QString());
    m_root->setText(m_spec != nullptr ? QString::fromUtf8(m_spec->root.Text()) : QString());
}

void CFileSpecPanel::NameEdited(const QString& text) {
    const QByteArray name = text.toUtf8();
    if (m_spec == nullptr || name == m_spec->name.Text() ||
        m_workingCopy.CheckNewName(*m_spec, name.constData()) != CFormatList::ENameCheck::Free)
        return;
    m_spec->name = name.constData();
    m_spec->SetFlags(CSpecBase::kModified);
    if (onRenamed)
        onRenamed(text);
}

void CFileSpecPanel::PatternsEdited(const QString& text) {
    if (m_spec == nullptr)
        return;
    m_spec->patterns.Clear(true);
    m_spec->AddPatterns(text.toUtf8().constData(), true);
    m_spec->SetFlags(CSpecBase::kModified);
}

bool CFileSpecPanel::ApplyShown() {
    const QByteArray name = m_name->text().toUtf8();
    if (m_spec == nullptr || name == m_spec->name.Text())
        return true;
    const bool noFileName = m_workingCopy.CheckNewName(*m_spec, name.constData()) ==
                            CFormatList::ENameCheck::NoFileName;
    NString::TStr<char16_t> text;
    NString::Format(text,
                    NString::NTranslator::Text(noFileName ? "Prefs.FileSpec.MsgNameWithoutFile"
                                                          : "Prefs.FileSpec.MsgNameTaken")
                        .Text(),
                    name.constData());
    Refuse(text.Text());
    m_name->setFocus();
    return false;
}
