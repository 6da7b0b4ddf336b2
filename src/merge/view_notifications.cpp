#include "merge/view_notifications.h"

#include <atomic>

namespace {

CViewNotifications g_silent;
std::atomic<CViewNotifications*> g_installed{nullptr};

} // namespace

void CViewNotifications::RepaintSelector(const CBlockSelector&) {}

void CViewNotifications::RefreshPanes() {}

void CViewNotifications::DropBlock(const CBlockBase&) {}

CViewNotifications& CurrentViewNotifications() {
    CViewNotifications* installed = g_installed.load();
    return installed != nullptr ? *installed : g_silent;
}

CViewNotifications* InstallViewNotifications(CViewNotifications* notifications) {
    return g_installed.exchange(notifications);
}
