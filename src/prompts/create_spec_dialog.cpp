#include "prompts/create_spec_dialog.h"

#include "framework/window/base_dialog.h"
#include "framework/window/dialog_controls.h"
#include "prompts/ok_cancel_buttons.h"
#include "prompts/prompt_message_box.h"
#include "translation/translator.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr NWindows::SControlText kTexts[] = {
    {NWindows::kDialogTitle, "CreateSpec.Title"},
    {1058, "CreateSpec.Specification"},
    {1059, "CreateSpec.Filename"},
    {1, "Misc.OKBtn"},
    {2, "Misc.CancelBtn"},
};

using NString::NTranslator::Text;

QString FromUtf8(const NString::TStr<char>& text) {
    return QString::fromUtf8(text.Text());
}

NString::TStr<char> ToUtf8(const QString& text) {
    return NString::TStr<char>(text.toUtf8().constData());
}

QLabel* NamedLabel(const char* objectName, QWidget* buddy) {
    auto* label = new QLabel(buddy->parentWidget());
    label->setObjectName(objectName);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CCreateSpecDialog::CCreateSpecDialog(QWidget* owner, const NPrompts::SSpecRequest& request)
    : CBaseDialog(kTexts, QString(), owner), m_name(new QLineEdit(this)),
      m_wildcards(new QLineEdit(this)), m_nameLabel(NamedLabel("ctl1058", m_name)),
      m_wildcardsLabel(NamedLabel("ctl1059", m_wildcards)) {
    const NPrompts::SNewSpec offered = NPrompts::OfferedSpec(request);
    m_name->setObjectName("ctl1054");
    m_name->setText(FromUtf8(offered.name));
    m_wildcards->setObjectName("ctl1057");
    m_wildcards->setText(FromUtf8(offered.wildcards));
    QFrame* separator = NWindows::NewSeparator(*this);
    QDialogButtonBox* buttons = MakeOkCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);

    // Room for a name and a few wildcards without scrolling.
    m_name->setMinimumWidth(fontMetrics().averageCharWidth() * 40);

    auto* layout = new QFormLayout(this);
    layout->addRow(m_nameLabel, m_name);
    layout->addRow(m_wildcardsLabel, m_wildcards);
    layout->addRow(separator);
    layout->addRow(buttons);
    ApplyTexts();

    const auto enableOk = [this] { m_ok->setEnabled(!m_name->text().isEmpty()); };
    enableOk();
    connect(m_name, &QLineEdit::textChanged, this, enableOk);
}

NPrompts::SNewSpec CCreateSpecDialog::Entered() const {
    return {ToUtf8(m_name->text()), ToUtf8(m_wildcards->text())};
}

void CCreateSpecDialog::accept() {
    CPromptMessageBox::Run(this, Text("CreateSpec.HowToEditYourSpec").Text(),
                           Text("Misc.AppName").Text(), NPrompts::EIcon::Information,
                           NPrompts::EButtons::Ok);
    QDialog::accept();
}

bool CCreateSpecDialog::Run(QWidget* owner, const NPrompts::SSpecRequest& request,
                            NPrompts::SNewSpec& created) {
    CCreateSpecDialog dialog(owner, request);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    created = dialog.Entered();
    return true;
}
