#include "../support/url_recorder.h"
#include "update_test_fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

namespace {

using NUpdate::EInstallerHandover;

class InstallerDownload : public UpdateTest {
protected:
    // An automatic check of `service` that finds release 999.0 with its
    // installer at `installerResponse`.
    void FindRelease(NUpdate::CUpdateService& service, const QByteArray& installerResponse) {
        UseTestServer();
        PublishRelease(OtherDigest(), "999.0");
        m_server.Serve(QStringLiteral("/files/setup.deb"), installerResponse);
        QSignalSpy found(&service, &NUpdate::CUpdateService::updateFound);
        service.CheckForUpdate(nullptr, true);
        ASSERT_TRUE(WaitUntil([&found] { return found.count() > 0; }));
    }

    // The exit step, processing events between waits as the exit wait dialog
    // does; stops waiting after `stopAfter` waits (about ten seconds).
    EInstallerHandover RunAtExit(NUpdate::CUpdateService& service, int stopAfter = 50) {
        return service.RunDownloadedInstaller([this, stopAfter] {
            QCoreApplication::processEvents();
            return ++m_waits < stopAfter;
        });
    }

    CUrlRecorder m_desktop;
    int m_waits = 0;
};

TEST_F(InstallerDownload, WrittenInAPrivateFolderAndHandedToTheDesktop) {
    const QByteArray package(300000, 'p');
    FindRelease(m_service, CTestHttpServer::Response(200, package));
    m_service.StartInstallerDownload();
    EXPECT_TRUE(m_service.IsDownloadRunning());
    m_service.StartInstallerDownload(); // starts no second download
    EXPECT_EQ(RunAtExit(m_service), EInstallerHandover::Opened);
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
        {"silent", QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        NUpdate::CUpdateService service(m_flags);
        service.SetRequestTimeout(kShortTimeoutMs);
        m_flags.Clear(NSettings::kFlagInstallerQueued | NSettings::kFlagInstallerWritten);
        FindRelease(service, c.response);
        service.StartInstallerDownload();
        m_waits = 0;
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(RunAtExit(service), EInstallerHandover::Failed);
        EXPECT_LT(timer.elapsed(), 4 * kShortTimeoutMs);
        EXPECT_FALSE(service.IsDownloadRunning());
        EXPECT_FALSE(QFileInfo::exists(service.InstallerPath()));
    }
    EXPECT_TRUE(m_desktop.opened.empty());
}

TEST_F(InstallerDownload, TheUserMayStopWaiting) {
    m_service.SetRequestTimeout(60000);
    FindRelease(m_service, QByteArray());
    m_service.StartInstallerDownload();
    EXPECT_EQ(RunAtExit(m_service, 3), EInstallerHandover::Cancelled);
    EXPECT_EQ(m_waits, 3);
    EXPECT_TRUE(m_desktop.opened.empty());
}

TEST_F(InstallerDownload, NothingToDoWithoutADownload) {
    m_service.StartInstallerDownload(); // nothing offered
    EXPECT_FALSE(m_service.IsDownloadRunning());
    EXPECT_EQ(RunAtExit(m_service), EInstallerHandover::NoDownload);
    EXPECT_EQ(m_waits, 0);
    EXPECT_TRUE(m_desktop.opened.empty());
    EXPECT_EQ(m_server.Connections(), 0);
}

} // namespace
