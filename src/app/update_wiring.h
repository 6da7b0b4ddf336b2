#pragma once

class CMainWnd;
namespace NUpdate {
class CUpdateService;
}

// Lends the main window the update check: the Preferences' Updates page (the
// server address check and Check Now), the offer of a newer release found by
// the automatic check, and the Change Log page of that offer.
void ConnectUpdates(CMainWnd& window, NUpdate::CUpdateService& updates);

// At exit: hands a downloaded installer to the desktop, showing the wait for
// a download that still runs.
void HandOverInstaller(CMainWnd& window, NUpdate::CUpdateService& updates);
