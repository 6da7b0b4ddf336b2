#include "app/update_dialog.h"

#include "framework/window/dialog_controls.h"
#include "services/flags.h"
#include "text/format.h"
#include "translation/translator.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

using NWindows::NewControl;

constexpr int kOfferText = 1018;
constexpr int kRemindLabel = 1104;
constexpr int kChangeLogButton = 1091;
constexpr int kPostponeButton = 1100;
constexpr int kDownloadButton = 1101;

// What exec() returns for each button; closing the window gives Rejected.
constexpr int kDownloadResult = 1;
constexpr int kPostponeResult = 2;

// The offer text is as wide as this many average characters; the dialog
// grows downwards to fit it.
constexpr int kTextWidthInCharacters = 60;

struct SReminder {
    int control;
    const char* key;
    int days;
};
constexpr std::array<SReminder, 3> kReminders = {{
    {1105, "Update.Tomorrow", 1},
    {1106, "Update.NextWeek", 7},
    {1107, "Update.NextMonth", 30},
}};
constexpr std::size_t kTomorrow = 0;
constexpr std::size_t kNextWeek = 1;
constexpr std::size_t kNextMonth = 2;

constexpr NWindows::SControlText kTexts[] = {
    {NWindows::kDialogTitle, "Update.Title"},
    {kRemindLabel, "Update.RemindMe"},
    {kReminders[kTomorrow].control, kReminders[kTomorrow].key},
    {kReminders[kNextWeek].control, kReminders[kNextWeek].key},
    {kReminders[kNextMonth].control, kReminders[kNextMonth].key},
    {kChangeLogButton, "Update.Changes"},
    {kDownloadButton, "Update.Download"},
    {kPostponeButton, "Update.Postpone"},
};

std::size_t PresetReminder(std::uint32_t flags) {
    switch (flags & NSettings::kUpdateFrequencyMask) {
    case NSettings::kUpdateDaily:
        return kTomorrow;
    case NSettings::kUpdateMonthly:
        return kNextMonth;
    default:
        return kNextWeek;
    }
}

// Both versions, then, after an empty line, what the buttons do.
QString OfferText(const SUpdateOfferText& offer) {
    namespace NTranslator = NString::NTranslator;
    NString::TStr<char16_t> text;
    NString::Format(text, NTranslator::Text("Update.Text").Text(),
                    offer.newVersion.toStdU16String().c_str(),
                    offer.ownVersion.toStdU16String().c_str());
    return QString::fromUtf16(text.Text()) + QStringLiteral("\n\n") +
           QString::fromUtf16(NTranslator::Text("Update.When").Text());
}

} // namespace

CUpdateDialog::CUpdateDialog(const SUpdateOfferText& offer, std::uint32_t flags,
                             std::function<void()> showChangeLog, QWidget* parent)
    : CBaseDialog(kTexts, QString{}, parent), m_showChangeLog(std::move(showChangeLog)) {
    auto* text = NewControl<QLabel>(*this, kOfferText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    text->setText(OfferText(offer));

    auto* reminders = new QHBoxLayout;
    reminders->addWidget(NewControl<QLabel>(*this, kRemindLabel));
    auto* group = new QButtonGroup(this);
    for (std::size_t index = 0; index < kReminders.size(); ++index) {
        m_reminders[index] = NewControl<QRadioButton>(*this, kReminders[index].control);
        group->addButton(m_reminders[index]);
        reminders->addWidget(m_reminders[index]);
    }
    reminders->addStretch(1);
    m_reminders[PresetReminder(flags)]->setChecked(true);

    auto* changeLog = NewControl<QPushButton>(*this, kChangeLogButton);
    changeLog->setAutoDefault(false);
    changeLog->setVisible(static_cast<bool>(m_showChangeLog));
    auto* download = NewControl<QPushButton>(*this, kDownloadButton);
    download->setDefault(true);
    auto* postpone = NewControl<QPushButton>(*this, kPostponeButton);
    connect(changeLog, &QPushButton::clicked, this, [this] { m_showChangeLog(); });
    connect(download, &QPushButton::clicked, this, [this] { done(kDownloadResult); });
    connect(postpone, &QPushButton::clicked, this, [this] { done(kPostponeResult); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(changeLog);
    buttons->addStretch(1);
    buttons->addWidget(download);
    buttons->addWidget(postpone);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(text);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(reminders);
    layout->addWidget(NWindows::NewSeparator(*this));
    layout->addLayout(buttons);
    ApplyTexts();

    // The text keeps a readable width; the fixed-size layout then gives the
    // label the height its wrapped lines need at that width, so the dialog
    // is as tall as the text, whatever the versions or the language.
    text->setFixedWidth(text->fontMetrics().averageCharWidth() * kTextWidthInCharacters);
}

SUpdateAnswer CUpdateDialog::Answer() const {
    switch (result()) {
    case kDownloadResult:
        return {EUpdateChoice::Download, 0};
    case kPostponeResult:
        return {EUpdateChoice::Postpone, ReminderDays()};
    default:
        return {};
    }
}

int CUpdateDialog::ReminderDays() const {
    for (std::size_t index = 0; index < kReminders.size(); ++index)
        if (m_reminders[index]->isChecked())
            return kReminders[index].days;
    return kReminders[kNextWeek].days;
}

SUpdateAnswer RunUpdateDialog(const SUpdateOfferText& offer, std::uint32_t flags,
                              std::function<void()> showChangeLog, QWidget* owner) {
    CUpdateDialog dialog(offer, flags, std::move(showChangeLog), owner);
    dialog.exec();
    return dialog.Answer();
}
