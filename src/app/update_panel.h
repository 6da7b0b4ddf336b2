#pragma once

#include "app/preference_panel.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace NSettings {
class CFlags;
}

// What the Updates page needs of the update check. Either may be empty.
struct SUpdatePanelActions {
    // Why an update server address cannot be used; empty when it can. When
    // there is no validator every address is taken.
    std::function<QString(const QString& address)> validateServer;
    // Looks for a new version at once, its answers owned by `owner`. Without
    // it the page has no Check Now button.
    std::function<void(QWidget* owner)> checkNow;
};

// The Updates page: how often to look for a new version, the address of the
// server to ask, and Check Now. Nothing is ever asked of a server while no
// address is stored, so Check Now waits for one.
class CUpdatePanel final : public CPreferencePanel {
public:
    CUpdatePanel(NSettings::CFlags& flags, SUpdatePanelActions actions, QWidget* parent);

protected:
    void LoadItem(CSpecBase* item) override;
    // Refuses an address the validator rejects, showing why, and then keeps
    // both the stored address and the frequency. Otherwise stores both; an
    // empty address is always taken: it turns the checks off.
    bool ApplyShown() override;

private:
    std::uint32_t ChosenFrequency() const;
    // Check Now works, and the note saying why not is hidden, once an
    // address is stored.
    void ShowServerState();

    NSettings::CFlags& m_flags;
    SUpdatePanelActions m_actions;
    std::array<QRadioButton*, 4> m_frequencies;
    QLineEdit* m_server;
    QPushButton* m_checkNow;
    QLabel* m_noServer;
};
