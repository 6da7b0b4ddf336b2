#include "view/search_dialog.h"

#include "framework/window/dialog_controls.h"
#include "framework/window/help_page.h"
#include "prompts/ok_cancel_buttons.h"
#include "services/flags.h"
#include "services/prompts.h"
#include "translation/translator.h"
#include "view/search_state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace {

using NWindows::NewControl;
using NWindows::NewSeparator;

constexpr int kTextLabel = 1026;
constexpr int kTextField = 1018;
constexpr int kMatchCaseBox = 1019;
constexpr int kWholeWordsBox = 1020;
// Wide enough for a usual search text; longer ones scroll.
constexpr int kTextFieldCharacters = 32;

constexpr NWindows::SControlText kTexts[] = {
    {NWindows::kDialogTitle, "Search.Title"},
    {kTextLabel, "Search.SearchFor"},
    {kMatchCaseBox, "Search.MatchCase"},
    {kWholeWordsBox, "Search.MatchWords"},
    {1, "Search.SearchButton"},
    {2, "Misc.CancelBtn"},
};

QComboBox* NewTextField(QWidget& dialog, const CSearchState& state) {
    auto* field = NewControl<QComboBox>(dialog, kTextField);
    field->setEditable(true);
    // The history changes only when a search is made, not while typing.
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    field->setMinimumContentsLength(kTextFieldCharacters);
    for (const std::u16string& text : state.History())
        field->addItem(QString::fromStdU16String(text));
    field->setCurrentIndex(field->findText(QString::fromStdU16String(state.Text()),
                                           Qt::MatchExactly | Qt::MatchCaseSensitive));
    return field;
}

} // namespace

CSearchDialog::CSearchDialog(const NSettings::CFlags& flags, const CSearchState& state,
                             QWidget* parent)
    : CBaseDialog(kTexts, QString::fromUtf16(NWindows::kSearchDialogHelpPage), parent),
      m_text(NewTextField(*this, state)), m_matchCase(NewControl<QCheckBox>(*this, kMatchCaseBox)),
      m_wholeWords(NewControl<QCheckBox>(*this, kWholeWordsBox)) {
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    auto* label = NewControl<QLabel>(*this, kTextLabel);
    label->setBuddy(m_text);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1);
    grid->addWidget(m_matchCase, 1, 1);
    grid->addWidget(m_wholeWords, 2, 1);
    grid->addWidget(NewSeparator(*this), 3, 0, 1, 2);
    grid->addWidget(MakeOkCancelButtons(*this), 4, 0, 1, 2);

    m_matchCase->setChecked(flags.Has(NSettings::kFlagMatchCase));
    m_wholeWords->setChecked(flags.Has(NSettings::kFlagMatchWholeWords));
    ApplyTexts();
}

QString CSearchDialog::Text() const {
    return m_text->currentText();
}

bool CSearchDialog::MatchCase() const {
    return m_matchCase->isChecked();
}

bool CSearchDialog::WholeWords() const {
    return m_wholeWords->isChecked();
}

void CSearchDialog::accept() {
    if (Text().isEmpty()) {
        using NString::NTranslator::Text;
        NPrompts::CurrentPrompts().ShowMessage(
            this, Text("Search.MsgEnterText").Text(), Text("Misc.AppName").Text(),
            NPrompts::EIcon::Information, NPrompts::EButtons::Ok);
        m_text->setFocus();
        return;
    }
    CBaseDialog::accept();
}

bool RunSearchDialog(QWidget* owner, NSettings::CFlags& flags) {
    CSearchState& state = CurrentSearchState();
    CSearchDialog dialog(flags, state, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    std::uint32_t chosen = 0;
    if (dialog.MatchCase())
        chosen |= NSettings::kFlagMatchCase;
    if (dialog.WholeWords())
        chosen |= NSettings::kFlagMatchWholeWords;
    flags.Assign(NSettings::kFlagMatchCase | NSettings::kFlagMatchWholeWords, chosen);
    state.Remember(dialog.Text().toStdU16String());
    return true;
}
