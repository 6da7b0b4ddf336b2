#pragma once

#include "update/code_page_notice_sender.h"
#include "update/http_client.h"
#include "update/update_offer.h"

#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QIODevice;
class QTemporaryDir;

namespace NSettings {
class CFlags;
}

namespace NPrompts {
enum class EIcon;
}

namespace NUpdate {

struct SReleaseDescription;

// How the installer handover at exit ended.
enum class EInstallerHandover {
    // No download was started in this run.
    NoDownload,
    // The written installer was given to the desktop to open.
    Opened,
    // The download failed; nothing was kept.
    Failed,
    // The installer was written, but the desktop found nothing to open it
    // with; it stays at InstallerPath() for the user to install.
    NotOpened,
    // The user stopped waiting for the download.
    Cancelled,
};

// The update check of one run: asks the update server for its release
// description, offers a newer release, downloads its installer into a private
// folder and hands it to the desktop at exit. Lives on the user-interface
// thread; the network traffic runs on a client thread of its own. While it
// lives, the core's code-page notices go to the same server.
class CUpdateService : public QObject {
    Q_OBJECT
public:
    explicit CUpdateService(NSettings::CFlags& flags, QObject* parent = nullptr);
    ~CUpdateService() override;

    // Starts a check and returns at once. With an owner (a widget) the check
    // is manual: its answers are shown through the current prompts, owned by
    // `owner` while it still exists. Without one it is automatic and silent,
    // and emits updateFound() when a newer release exists. `force` ignores
    // the due time.
    void CheckForUpdate(QObject* owner, bool force);
    // Downloads the offered installer in the background; nothing happens when
    // none is offered or a download is already running or done.
    void StartInstallerDownload();
    bool IsDownloadRunning() const;
    // At exit: waits while a download runs, calling `keepWaiting` about every
    // 200 ms (false stops waiting), then hands a written installer to the
    // desktop, which asks the user to install it. Nothing downloaded is ever
    // run by the program itself.
    EInstallerHandover RunDownloadedInstaller(const std::function<bool()>& keepWaiting);
    const SUpdateOffer& Offer() const { return m_offer; }
    // Where the installer is (being) written; empty before a download.
    QString InstallerPath() const { return m_installerPath; }

    // How long a request may receive nothing before it is given up.
    void SetRequestTimeout(int milliseconds) { m_client.SetTimeout(milliseconds); }

signals:
    // A newer release was found by an automatic check.
    void updateFound();
    // A check that was due (or forced) has ended, after its answer was shown.
    void checkEnded();

private:
    enum class ECheckResult { Failed, NoNewer, Newer };
    struct SCheckAnswer;

    static SCheckAnswer JudgeAnswer(int status, QIODevice& body);
    void EndCheck(const QPointer<QObject>& owner, bool manual, const QString& server,
                  const SCheckAnswer& answer);
    void OfferRelease(const QPointer<QObject>& owner, bool manual,
                      const SReleaseDescription& release);
    void EndDownload(bool written);
    // Ends a check that never reached the server once control is back in
    // the event loop, so that CheckForUpdate still returns at once: a manual
    // check shows `text` with `icon`.
    void EndCheckLater(const QPointer<QObject>& owner, bool manual, const QString& text,
                       NPrompts::EIcon icon);

    NSettings::CFlags& m_flags;
    SUpdateOffer m_offer;
    std::unique_ptr<QTemporaryDir> m_installerFolder;
    QString m_installerPath;
    bool m_downloadStarted = false;
    // Guards the end of a download, which the client thread reports.
    std::mutex m_downloadMutex;
    std::condition_variable m_downloadEnded;
    // Ends the client's requests before anything they use goes away.
    CHttpClient m_client;
    CCodePageNoticeSender m_codePageNotice{m_client};
};

} // namespace NUpdate
