#include "../support/url_recorder.h"
#include "update_test_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

namespace {

using NUpdate::EInstallerHandover;

// About ten seconds of waiting: a wait that would never end is cancelled.
constexpr int kGiveUpAfterWaits = 50;

// The exit step, processing events between waits as the exit wait dialog
// does; counts the waits and stops waiting after `stopAfter` of them.
EInstallerHandover RunAtExit(NUpdate::CUpdateService& service, int& waits,
                             int stopAfter = kGiveUpAfterWaits) {
    return service.RunDownloadedInstaller([&waits, stopAfter] {
        QCoreApplication::processEvents();
        return ++waits < stopAfter;
    });
}

class InstallerDownload : public UpdateTest {
protected:
    // An automatic check that finds release 999.0 with its installer at
    // `installerResponse`.
    void FindRelease(const QByteArray& installerResponse) {
        UseTestServer();
        PublishRelease(OtherDigest(), "999.0");
        m_server.Serve(QStringLiteral("/files/setup.deb"), installerResponse);
        QSignalSpy found(&m_service, &NUpdate::CUpdateService::updateFound);
        m_service.CheckForUpdate(nullptr, true);
        ASSERT_TRUE(WaitUntil([&found] { return found.count() > 0; }));
    }

    CUrlRecorder m_desktop;
};

TEST_F(InstallerDownload, WrittenInAPrivateFolderAndHandedToTheDesktop) {
    const QByteArray package(300000, 'p');
    FindRelease(CTestHttpServer::Response(200, package));
    m_service.StartInstallerDownload();
    EXPECT_TRUE(m_service.IsDownloadRunning());
    // Asking again starts no second download.
    m_service.StartInstallerDownload();
    int waits = 0;
    EXPECT_EQ(RunAtExit(m_service, waits), EInstallerHandover::Opened);
    EXPECT_FALSE(m_service.IsDownloadRunning());
    const QString path = m_service.InstallerPath();
    const QFileInfo installer(path);
    EXPECT_EQ(installer.fileName(), QStringLiteral("setup.deb"));
    EXPECT_EQ(installer.dir().dirName().left(17), QStringLiteral("quillmere-update-"));
    EXPECT_EQ(QFileInfo(installer.path()).permissions() &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                   QFile::WriteOther | QFile::ExeOther),
              QFileDevice::Permissions());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), package);
    ASSERT_EQ(m_desktop.opened.size(), 1u);
    EXPECT_EQ(m_desktop.opened[0], QUrl::fromLocalFile(path));
    EXPECT_EQ(m_server.Requests().count(QStringLiteral("/files/setup.deb")), 1);
    // Handed over, the file stays for the desktop's installer to read.
    QFile::remove(path);
    QDir(installer.path()).removeRecursively();
}

// A failed download ends the wait at exit; nothing is handed over and no
// partial file stays.
TEST_F(InstallerDownload, FailedDownloadEndsTheWait) {
    const struct {
        const char* what;
        QByteArray response;
    } cases[] = {
        {"404", CTestHttpServer::Response(404, "gone")},
        {"truncated", CTestHttpServer::TruncatedResponse(QByteArray(1000, 'p'))},
        {"silent", QByteArray()},
    };
    for (const auto& c : cases) {
        NUpdate::CUpdateService service(m_flags);
        service.SetRequestTimeout(kShortTimeoutMs);
        m_flags.Clear(NSettings::kFlagInstallerQueued | NSettings::kFlagInstallerWritten);
        UseTestServer();
        PublishRelease(OtherDigest(), "999.0");
        m_server.Serve(QStringLiteral("/files/setup.deb"), c.response);
        QSignalSpy found(&service, &NUpdate::CUpdateService::updateFound);
        service.CheckForUpdate(nullptr, true);
        ASSERT_TRUE(WaitUntil([&found] { return found.count() > 0; })) << c.what;
        service.StartInstallerDownload();
        QElapsedTimer timer;
        timer.start();
        int waits = 0;
        EXPECT_EQ(RunAtExit(service, waits), EInstallerHandover::Failed) << c.what;
        EXPECT_LT(timer.elapsed(), 4 * kShortTimeoutMs) << c.what;
        EXPECT_FALSE(service.IsDownloadRunning()) << c.what;
        EXPECT_FALSE(QFileInfo::exists(service.InstallerPath())) << c.what;
    }
    EXPECT_TRUE(m_desktop.opened.empty());
}

TEST_F(InstallerDownload, TheUserMayStopWaiting) {
    m_service.SetRequestTimeout(60000);
    FindRelease(QByteArray());
    m_service.StartInstallerDownload();
    int waits = 0;
    EXPECT_EQ(RunAtExit(m_service, waits, 3), EInstallerHandover::Cancelled);
    EXPECT_EQ(waits, 3);
    EXPECT_TRUE(m_desktop.opened.empty());
}

TEST_F(InstallerDownload, NothingToDoWithoutADownload) {
    int waits = 0;
    m_service.StartInstallerDownload(); // nothing offered
    EXPECT_FALSE(m_service.IsDownloadRunning());
    EXPECT_EQ(RunAtExit(m_service, waits), EInstallerHandover::NoDownload);
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(m_desktop.opened.empty());
    EXPECT_EQ(m_server.Connections(), 0);
}

} // namespace
