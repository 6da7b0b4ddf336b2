#include "prompts/choose_spec_dialog.h"

#include "framework/window/base_dialog.h"
#include "framework/window/help_page.h"
#include "prompts/ok_cancel_buttons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr NWindows::SControlText kTexts[] = {
    {NWindows::kDialogTitle, "ChooseSpec.Title"},
    {1, "Misc.OKBtn"},
    {2, "Misc.CancelBtn"},
};

constexpr int kCandidateRole = Qt::UserRole;

} // namespace

CChooseSpecDialog::CChooseSpecDialog(QWidget* owner, const NPrompts::SSpecChoice& choice)
    : CBaseDialog(kTexts, QString::fromUtf16(NWindows::kChooseSpecHelpPage), owner),
      m_list(new QListWidget(this)) {
    auto* info = new QLabel(QString::fromUtf16(choice.info), this);
    info->setObjectName("ctl1026");
    info->setTextFormat(Qt::PlainText);
    info->setWordWrap(true);
    m_list->setObjectName("ctl1032");
    const int offered = NPrompts::OfferedChoice(choice);
    for (const int candidate : NPrompts::NameOrder(choice.names)) {
        auto* item = new QListWidgetItem(
            QString::fromUtf8(choice.names[static_cast<std::size_t>(candidate)]), m_list);
        item->setData(kCandidateRole, candidate);
        if (candidate == offered)
            m_list->setCurrentItem(item);
    }
    QDialogButtonBox* buttons = MakeOkCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(Selected() >= 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    ApplyTexts();

    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_ok->setEnabled(Selected() >= 0); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_list->setCurrentItem(item);
        accept();
    });
}

int CChooseSpecDialog::Selected() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item != nullptr && item->isSelected() ? item->data(kCandidateRole).toInt() : -1;
}

int CChooseSpecDialog::Run(QWidget* owner, const NPrompts::SSpecChoice& choice) {
    CChooseSpecDialog dialog(owner, choice);
    return dialog.exec() == QDialog::Accepted ? dialog.Selected() : -1;
}
