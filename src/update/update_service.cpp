#include "update/update_service.h"

#include "services/flags.h"
#include "services/prompts.h"
#include "text/format.h"
#include "translation/translator.h"
#include "update/installer_file.h"
#include "update/own_release.h"
#include "update/release_description.h"
#include "update/server_address.h"
#include "update/update_schedule.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <optional>

namespace NUpdate {

namespace {

using NString::NTranslator::Text;

// Three lines of at most 1024 characters and their line breaks.
constexpr qint64 kMaxDescriptionBytes = 4096;
constexpr qint64 kCopyPieceBytes = 65536;
constexpr auto kWaitStep = std::chrono::milliseconds(200);

QString TextOf(const char* key) {
    return QString::fromStdU16String(Text(key).Text());
}

// The text of `key` with its {0s} replaced by `argument`.
QString TextWith(const char* key, const QString& argument) {
    NString::TStr<char16_t> text;
    const std::u16string value = argument.toStdU16String();
    NString::Format(text, Text(key).Text(), value.c_str());
    return QString::fromStdU16String(text.Text());
}

NPrompts::EAnswer Ask(QObject* owner, const QString& text, NPrompts::EIcon icon,
                      NPrompts::EButtons buttons) {
    // A widget's QObject part sits at its start, so this is the widget's
    // address as the prompts take it.
    return NPrompts::CurrentPrompts().ShowMessage(static_cast<void*>(owner),
                                                  text.toStdU16String().c_str(),
                                                  Text("Misc.AppName").Text(), icon, buttons);
}

// Writes the whole body to `path`; a partial file is removed.
bool WriteInstaller(int status, QIODevice& body, const QString& path) {
    if (status != 200)
        return false;
    QFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    while (written && !body.atEnd()) {
        const QByteArray piece = body.read(kCopyPieceBytes);
        written = !piece.isEmpty() && file.write(piece) == piece.size();
    }
    if (written && file.flush())
        return true;
    file.remove();
    return false;
}

} // namespace

struct CUpdateService::SCheckAnswer {
    ECheckResult result = ECheckResult::Failed;
    std::optional<SReleaseDescription> release;
};

CUpdateService::CUpdateService(NSettings::CFlags& flags, QObject* parent)
    : QObject(parent), m_flags(flags) {}

CUpdateService::~CUpdateService() = default;

void CUpdateService::CheckForUpdate(QObject* owner, bool force) {
    const bool manual = owner != nullptr;
    if (!force && !IsUpdateDue(m_flags))
        return;
    const QString server = ReadUpdateServer();
    switch (CheckServerAddress(server)) {
    case EServerAddress::Accepted:
        break;
    case EServerAddress::Empty:
        EndCheckLater(owner, manual, TextOf("Update.NoServer"), NPrompts::EIcon::Information);
        return;
    case EServerAddress::NotHttps:
    case EServerAddress::Invalid:
        EndCheckLater(owner, manual, TextWith("Update.ServerRefused", server),
                      NPrompts::EIcon::Warning);
        return;
    }
    const QPointer<QObject> guardedOwner(owner);
    const bool queued = m_client.Get(
        ServerResource(server, QStringLiteral("/releases/version.txt")),
        [this, guardedOwner, manual, server](int status, QIODevice& body) {
            const SCheckAnswer answer = JudgeAnswer(status, body);
            QMetaObject::invokeMethod(
                this, [=, this] { EndCheck(guardedOwner, manual, server, answer); },
                Qt::QueuedConnection);
        },
        kMaxDescriptionBytes);
    if (!queued)
        EndCheckLater(owner, manual, TextWith("Update.Failed", server), NPrompts::EIcon::Warning);
}

// On the client thread: reading the program file for its digest may take a while.
CUpdateService::SCheckAnswer CUpdateService::JudgeAnswer(int status, QIODevice& body) {
    SCheckAnswer answer;
    if (status != 200)
        return answer;
    answer.release = ReadReleaseDescription(body);
    const QString ownDigest = answer.release ? OwnDigest() : QString();
    if (ownDigest.isEmpty())
        return answer;
    const bool newer = answer.release->digest != ownDigest &&
                       IsNewerVersion(answer.release->version, OwnVersion());
    answer.result = newer ? ECheckResult::Newer : ECheckResult::NoNewer;
    return answer;
}

void CUpdateService::EndCheck(const QPointer<QObject>& owner, bool manual, const QString& server,
                              const SCheckAnswer& answer) {
    switch (answer.result) {
    case ECheckResult::Failed:
        // An automatic check stores no due time, so it runs again next time.
        if (manual)
            Ask(owner, TextWith("Update.Failed", server), NPrompts::EIcon::Warning,
                NPrompts::EButtons::Ok);
        break;
    case ECheckResult::NoNewer:
        if (manual)
            Ask(owner, TextOf("Update.None"), NPrompts::EIcon::Information, NPrompts::EButtons::Ok);
        else if (const int days = FrequencyDays(m_flags.Value()); days > 0)
            SetNextUpdateTime(days);
        break;
    case ECheckResult::Newer:
        OfferRelease(owner, manual, *answer.release);
        break;
    }
    emit checkEnded();
}

void CUpdateService::OfferRelease(const QPointer<QObject>& owner, bool manual,
                                  const SReleaseDescription& release) {
    m_offer = {release.version, OwnVersion(), release.installerUrl};
    if (!manual) {
        emit updateFound();
        return;
    }
    if (Ask(owner, TextWith("Update.Available", release.version), NPrompts::EIcon::Question,
            NPrompts::EButtons::YesNo) == NPrompts::EAnswer::Yes)
        StartInstallerDownload();
}

void CUpdateService::EndCheckLater(const QPointer<QObject>& owner, bool manual, const QString& text,
                                   NPrompts::EIcon icon) {
    QMetaObject::invokeMethod(
        this,
        [this, owner, manual, text, icon] {
            if (manual)
                Ask(owner, text, icon, NPrompts::EButtons::Ok);
            emit checkEnded();
        },
        Qt::QueuedConnection);
}

void CUpdateService::StartInstallerDownload() {
    if (m_offer.installerUrl.isEmpty() || m_flags.Has(NSettings::kFlagInstallerQueued))
        return;
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                  QStringLiteral("/quillmere-update-XXXXXX"));
    if (!folder->isValid())
        return;
    const QString path = folder->filePath(InstallerFileName(m_offer.installerUrl));
    m_installerFolder = std::move(folder);
    m_installerPath = path;
    m_downloadStarted = true;
    m_flags.Clear(NSettings::kFlagInstallerWritten);
    m_flags.Set(NSettings::kFlagInstallerQueued);
    const bool queued =
        m_client.Get(m_offer.installerUrl, [this, path](int status, QIODevice& body) {
            EndDownload(WriteInstaller(status, body, path));
        });
    if (!queued)
        EndDownload(false);
}

void CUpdateService::EndDownload(bool written) {
    {
        const std::lock_guard lock(m_downloadMutex);
        // Clearing the queued flag on failure ends the wait at exit.
        if (written)
            m_flags.Set(NSettings::kFlagInstallerWritten);
        else
            m_flags.Clear(NSettings::kFlagInstallerQueued);
    }
    m_downloadEnded.notify_all();
}

bool CUpdateService::IsDownloadRunning() const {
    return m_flags.Has(NSettings::kFlagInstallerQueued) &&
           !m_flags.Has(NSettings::kFlagInstallerWritten);
}

EInstallerHandover
CUpdateService::RunDownloadedInstaller(const std::function<bool()>& keepWaiting) {
    if (!m_downloadStarted)
        return EInstallerHandover::NoDownload;
    std::unique_lock lock(m_downloadMutex);
    while (!m_downloadEnded.wait_for(lock, kWaitStep, [this] { return !IsDownloadRunning(); })) {
        lock.unlock();
        const bool keep = keepWaiting();
        lock.lock();
        if (!keep)
            return EInstallerHandover::Cancelled;
    }
    lock.unlock();
    if (!m_flags.Has(NSettings::kFlagInstallerWritten) || !QFileInfo::exists(m_installerPath))
        return EInstallerHandover::Failed;
    // The desktop's installer reads the file after the program has ended,
    // and without one the user installs it by hand.
    m_installerFolder->setAutoRemove(false);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(m_installerPath))
               ? EInstallerHandover::Opened
               : EInstallerHandover::NotOpened;
}

} // namespace NUpdate
