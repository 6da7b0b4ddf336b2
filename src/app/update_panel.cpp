#include "app/update_panel.h"

#include "framework/window/dialog_controls.h"
#include "services/flags.h"
#include "services/registry.h"
#include "services/settings_paths.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using NWindows::NewControl;

constexpr int kFrequencyLabel = 1109;
constexpr int kServerLabel = 1110;
constexpr int kServerField = 1111;
constexpr int kCheckNowButton = 1097;
constexpr int kNoServerNote = 1112;

struct SFrequency {
    int control;
    const char* key;
    std::uint32_t bits;
};
constexpr std::array<SFrequency, 4> kFrequencies = {{
    {1105, "Prefs.Updates.Never", NSettings::kUpdateNever},
    {1106, "Prefs.Updates.Daily", NSettings::kUpdateDaily},
    {1107, "Prefs.Updates.Weekly", NSettings::kUpdateWeekly},
    {1108, "Prefs.Updates.Monthly", NSettings::kUpdateMonthly},
}};

constexpr NWindows::SControlText kTexts[] = {
    {kFrequencyLabel, "Prefs.Updates.Frequency"},   {kFrequencies[0].control, kFrequencies[0].key},
    {kFrequencies[1].control, kFrequencies[1].key}, {kFrequencies[2].control, kFrequencies[2].key},
    {kFrequencies[3].control, kFrequencies[3].key}, {kServerLabel, "Prefs.Updates.Server"},
    {kCheckNowButton, "Prefs.Updates.CheckNow"},    {kNoServerNote, "Prefs.Updates.Off"},
};

QString StoredServer() {
    std::u16string address;
    NSettings::ReadString(NSettings::kUpdateServerPath, address);
    return QString::fromStdU16String(address);
}

} // namespace

CUpdatePanel::CUpdatePanel(NSettings::CFlags& flags, SUpdatePanelActions actions, QWidget* parent)
    : CPreferencePanel(kTexts, parent), m_flags(flags), m_actions(std::move(actions)),
      m_server(NewControl<QLineEdit>(*this, kServerField)),
      m_checkNow(NewControl<QPushButton>(*this, kCheckNowButton)),
      m_noServer(NewControl<QLabel>(*this, kNoServerNote)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(NewControl<QLabel>(*this, kFrequencyLabel), 0, 0, Qt::AlignTop);
    auto* group = new QButtonGroup(this);
    for (std::size_t index = 0; index < kFrequencies.size(); ++index) {
        m_frequencies[index] = NewControl<QRadioButton>(*this, kFrequencies[index].control);
        group->addButton(m_frequencies[index]);
        layout->addWidget(m_frequencies[index], static_cast<int>(index), 1);
    }
    int row = static_cast<int>(kFrequencies.size());
    layout->setRowMinimumHeight(row++, 8);
    auto* serverLabel = NewControl<QLabel>(*this, kServerLabel);
    serverLabel->setBuddy(m_server);
    m_server->setPlaceholderText(QStringLiteral("https://"));
    layout->addWidget(serverLabel, row, 0);
    layout->addWidget(m_server, row++, 1);
    layout->setRowMinimumHeight(row++, 8);
    m_checkNow->setAutoDefault(false);
    m_checkNow->setVisible(static_cast<bool>(m_actions.checkNow));
    layout->addWidget(m_checkNow, row++, 1, Qt::AlignLeft);
    m_noServer->setWordWrap(true);
    layout->addWidget(m_noServer, row++, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(row, 1);
    connect(m_checkNow, &QPushButton::clicked, this, [this] { m_actions.checkNow(window()); });
}

void CUpdatePanel::LoadItem(CSpecBase* /*item*/) {
    const std::uint32_t frequency = m_flags.Value() & NSettings::kUpdateFrequencyMask;
    for (std::size_t index = 0; index < kFrequencies.size(); ++index)
        m_frequencies[index]->setChecked(kFrequencies[index].bits == frequency);
    m_server->setText(StoredServer());
    ShowServerState();
}

std::uint32_t CUpdatePanel::ChosenFrequency() const {
    for (std::size_t index = 0; index < kFrequencies.size(); ++index)
        if (m_frequencies[index]->isChecked())
            return kFrequencies[index].bits;
    return m_flags.Value() & NSettings::kUpdateFrequencyMask;
}

bool CUpdatePanel::ApplyShown() {
    const QString address = m_server->text().trimmed();
    if (address != StoredServer()) {
        const QString refusal = address.isEmpty() || !m_actions.validateServer
                                    ? QString()
                                    : m_actions.validateServer(address);
        if (!refusal.isEmpty()) {
            Refuse(refusal.toStdU16String().c_str());
            return false;
        }
        NSettings::WriteString(NSettings::kUpdateServerPath, address.toStdU16String().c_str());
    }
    m_server->setText(address);
    m_flags.Assign(NSettings::kUpdateFrequencyMask, ChosenFrequency());
    ShowServerState();
    return true;
}

void CUpdatePanel::ShowServerState() {
    const bool hasServer = !StoredServer().isEmpty();
    m_checkNow->setEnabled(hasServer);
    m_noServer->setVisible(!hasServer);
}
