#include "app/update_wiring.h"

#include "app/download_wait.h"
#include "app/main_window.h"
#include "app/update_dialog.h"
#include "app/update_panel.h"
#include "services/prompts.h"
#include "text/format.h"
#include "translation/translator.h"
#include "update/server_address.h"
#include "update/update_schedule.h"
#include "update/update_service.h"

#include <QDesktopServices>

namespace {

// Why the Updates page refuses an address; empty when it is taken.
QString ServerAddressProblem(const QString& address) {
    const NUpdate::EServerAddress check = NUpdate::CheckServerAddress(address);
    if (check == NUpdate::EServerAddress::Empty || check == NUpdate::EServerAddress::Accepted)
        return {};
    NString::TStr<char16_t> text;
    NString::Format(text, NString::NTranslator::Text("Update.ServerRefused").Text(),
                    address.toStdU16String().c_str());
    return QString::fromUtf16(text.Text());
}

} // namespace

void ConnectUpdates(CMainWnd& window, NUpdate::CUpdateService& updates) {
    SUpdatePanelActions preferences;
    preferences.validateServer = ServerAddressProblem;
    preferences.checkNow = [&updates](QWidget* owner) { updates.CheckForUpdate(owner, true); };
    window.SetUpdateActions(std::move(preferences), [] {
        QDesktopServices::openUrl(
            NUpdate::ServerResource(NUpdate::ReadUpdateServer(), QStringLiteral("/download.php")));
    });
    QObject::connect(&updates, &NUpdate::CUpdateService::updateFound, &window, [&window, &updates] {
        const NUpdate::SUpdateOffer& offer = updates.Offer();
        window.OfferUpdate(
            {offer.newVersion, offer.ownVersion}, [&updates] { updates.StartInstallerDownload(); },
            NUpdate::SetNextUpdateTime);
    });
}

void HandOverInstaller(CMainWnd& window, NUpdate::CUpdateService& updates) {
    const NUpdate::EInstallerHandover handover = updates.RunDownloadedInstaller([&] {
        return WaitForDownload(&window, [&updates] { return updates.IsDownloadRunning(); });
    });
    if (handover != NUpdate::EInstallerHandover::NotOpened)
        return;
    NString::TStr<char16_t> text;
    NString::Format(text, NString::NTranslator::Text("Update.NotOpened").Text(),
                    updates.InstallerPath().toStdU16String().c_str());
    NPrompts::CurrentPrompts().ShowMessage(nullptr, text.Text(),
                                           NString::NTranslator::Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Information, NPrompts::EButtons::Ok);
}
