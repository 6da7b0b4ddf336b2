#include "app/about_dialog.h"

#include "app/program_icon_label.h"
#include "app/usage.h"
#include "framework/window/dialog_controls.h"
#include "translation/translator.h"

#include <QBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kNameAndVersion = 1069;
constexpr int kSecondLine = 1070;
constexpr int kClose = 1;

constexpr NWindows::SControlText kTexts[] = {
    {NWindows::kDialogTitle, "About.Title"},
    {kSecondLine, "About.Line2"},
    {kClose, "Misc.OKBtn"},
};

QLabel* AddLabel(QWidget& dialog, int control) {
    auto* label = new QLabel(&dialog);
    label->setObjectName(NWindows::ControlName(control));
    return label;
}

} // namespace

CAboutDialog::CAboutDialog(const QIcon& programIcon, QWidget* parent)
    : CBaseDialog(kTexts, QString{}, parent) {
    QLabel* icon = NewProgramIconLabel(*this, programIcon);

    QLabel* name = AddLabel(*this, kNameAndVersion);
    name->setText(QString::fromUtf16(NString::NTranslator::Text("Misc.AppName").Text()) + u' ' +
                  QString::fromLatin1(ProgramVersion()));
    QLabel* secondLine = AddLabel(*this, kSecondLine);

    QFrame* separator = NWindows::NewSeparator(*this);

    auto* close = new QPushButton(this);
    close->setObjectName(NWindows::ControlName(kClose));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(secondLine);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addSpacing(icon->height() / 2);
    layout->addWidget(separator);
    layout->addLayout(buttons);
    ApplyTexts();
}

void RunAboutDialog(const QIcon& programIcon, QWidget* owner) {
    CAboutDialog dialog(programIcon, owner);
    dialog.exec();
}
