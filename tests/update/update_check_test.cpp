#include "framework/result.h"
#include "services/registry.h"
#include "services/settings_paths.h"
#include "update/update_schedule.h"
#include "update_test_fixture.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <string>

namespace {

using NPrompts::EAnswer;
using NPrompts::EButtons;
using NPrompts::EIcon;

constexpr std::int64_t kTicksPerDay = 864000000000LL;

// The stored due time in days from now, rounded; nothing when none is stored.
std::optional<std::int64_t> StoredDaysAhead() {
    std::u16string stored;
    if (NSettings::ReadString(NSettings::kUpdateTimePath, stored) != NResult::kOk)
        return std::nullopt;
    const std::int64_t due = QString::fromStdU16String(stored).toLongLong();
    return (due - NUpdate::CurrentFileTime() + kTicksPerDay / 2) / kTicksPerDay;
}

class UpdateCheck : public UpdateTest {
protected:
    // Runs a check and waits for its end.
    void Check(QObject* owner, bool force) {
        QSignalSpy ended(&m_service, &NUpdate::CUpdateService::checkEnded);
        m_service.CheckForUpdate(owner, force);
        EXPECT_TRUE(WaitUntil([&ended] { return ended.count() > 0; }));
    }
};

// Nothing may leave the program while no usable server is set.
TEST_F(UpdateCheck, NoServerNoConnection) {
    const QString port = QString::number(m_server.Url({}).port());
    const struct {
        QString server;
        const char* message;
        EIcon icon;
    } cases[] = {
        {QString(), "No update server is set up", EIcon::Information},
        {QStringLiteral("   "), "No update server is set up", EIcon::Information},
        {QStringLiteral("http://0.0.0.0:") + port, "is not used", EIcon::Warning},
        {QStringLiteral("ftp://127.0.0.1:") + port, "is not used", EIcon::Warning},
    };
    PublishRelease(OtherDigest(), "999.0");
    QSignalSpy found(&m_service, &NUpdate::CUpdateService::updateFound);
    for (const auto& c : cases) {
        NUpdate::WriteUpdateServer(c.server);
        m_prompts.messages.clear();
        Check(nullptr, true);
        Check(nullptr, false);
        EXPECT_TRUE(m_prompts.messages.empty());
        Check(&m_owner, true);
        ASSERT_EQ(m_prompts.messages.size(), 1u);
        EXPECT_TRUE(LastMessage().contains(QString::fromLatin1(c.message)))
            << LastMessage().toStdString();
        EXPECT_EQ(m_prompts.messages[0].owner, &m_owner);
        EXPECT_EQ(m_prompts.messages[0].icon, c.icon);
        EXPECT_FALSE(SendCodePageNotice(2084));
    }
    ProcessEventsFor(200);
    EXPECT_EQ(m_server.Connections(), 0);
    EXPECT_EQ(found.count(), 0);
}

// An automatic check with every pairing of digest and version: only a newer
// release under another digest is offered; a check that finds none sets the
// next due time by the frequency (and none with Never).
TEST_F(UpdateCheck, AutomaticCheckOffersOnlyANewerRelease) {
    const QString ownDigest = NUpdate::OwnDigest();
    ASSERT_EQ(ownDigest.size(), 32);
    const QByteArray ownVersion = NUpdate::OwnVersion().toLatin1();
    const struct {
        QString digest;
        QByteArray version;
        std::uint32_t frequency;
        bool offered;
        std::optional<std::int64_t> daysAhead;
    } cases[] = {
        {OtherDigest(), "999.0", NSettings::kUpdateWeekly, true, std::nullopt},
        {OtherDigest(), ownVersion + ".1", NSettings::kUpdateDaily, true, std::nullopt},
        {ownDigest, "999.0", NSettings::kUpdateWeekly, false, 7},
        {ownDigest, ownVersion, NSettings::kUpdateDaily, false, 1},
        {OtherDigest(), ownVersion, NSettings::kUpdateMonthly, false, 30},
        {OtherDigest(), "0.9", NSettings::kUpdateWeekly, false, 7},
        {ownDigest.toUpper(), "999.0", NSettings::kUpdateWeekly, false, 7},
    };
    UseTestServer();
    for (const auto& c : cases) {
        NSettings::WriteString(NSettings::kUpdateTimePath, u"");
        m_flags.Assign(NSettings::kUpdateFrequencyMask, c.frequency);
        PublishRelease(c.digest, c.version);
        QSignalSpy found(&m_service, &NUpdate::CUpdateService::updateFound);
        Check(nullptr, false);
        EXPECT_EQ(found.count(), c.offered ? 1 : 0) << c.version.toStdString();
        if (c.offered) {
            EXPECT_EQ(m_service.Offer().newVersion, QString::fromLatin1(c.version));
            EXPECT_EQ(m_service.Offer().ownVersion, NUpdate::OwnVersion());
            EXPECT_EQ(m_service.Offer().installerUrl,
                      m_server.Url(QStringLiteral("/files/setup.deb")));
        }
        const std::optional<std::int64_t> days = StoredDaysAhead();
        if (c.daysAhead) {
            EXPECT_EQ(days, c.daysAhead) << c.version.toStdString();
        } else {
            EXPECT_TRUE(!days || *days <= 0) << c.version.toStdString();
        }
    }
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(UpdateCheck, DueTimeAndNeverDecideWhetherAnAutomaticCheckAsks) {
    UseTestServer();
    PublishRelease(NUpdate::OwnDigest(), "1.0");
    const struct {
        std::uint32_t frequency;
        int daysAhead; // 0: none stored
        bool force;
        bool asks;
    } cases[] = {
        {NSettings::kUpdateWeekly, 0, false, true}, {NSettings::kUpdateWeekly, 3, false, false},
        {NSettings::kUpdateWeekly, 3, true, true},  {NSettings::kUpdateNever, 0, false, false},
        {NSettings::kUpdateNever, 0, true, true},
    };
    for (const auto& c : cases) {
        NSettings::DeleteKey(NSettings::kRootPath);
        UseTestServer();
        if (c.daysAhead > 0)
            NUpdate::SetNextUpdateTime(c.daysAhead);
        m_flags.Assign(NSettings::kUpdateFrequencyMask, c.frequency);
        const qsizetype before = m_server.Requests().size();
        QSignalSpy ended(&m_service, &NUpdate::CUpdateService::checkEnded);
        m_service.CheckForUpdate(nullptr, c.force);
        if (c.asks) {
            EXPECT_TRUE(WaitUntil([&ended] { return ended.count() > 0; }));
        } else {
            ProcessEventsFor(200);
            EXPECT_EQ(ended.count(), 0);
        }
        EXPECT_EQ(m_server.Requests().size() - before, c.asks ? 1 : 0) << c.frequency;
    }
    // With Never a forced check that finds nothing stores nothing.
    EXPECT_EQ(StoredDaysAhead(), std::nullopt);
}

// A server that fails in any way ends the check quietly within the timeout;
// an automatic check then stores no due time, a manual one says it failed.
TEST_F(UpdateCheck, FailuresEndQuietlyWithinTheTimeout) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused =
        QStringLiteral("http://127.0.0.1:") + QString::number(closed.serverPort());
    closed.close();
    const struct {
        const char* what;
        QByteArray response;
        bool useRefusedServer;
    } cases[] = {
        {"404", CTestHttpServer::Response(404, "no such file"), false},
        {"500", CTestHttpServer::Response(500, "oops"), false},
        {"truncated", CTestHttpServer::TruncatedResponse(OtherDigest().toLatin1() + "\n999.0\n"),
         false},
        {"two lines", CTestHttpServer::Response(200, OtherDigest().toLatin1() + "\n999.0\n"),
         false},
        {"html", CTestHttpServer::Response(200, "<html>\n<body>\nmoved</body></html>\n"), false},
        {"silent", QByteArray(), false},
        {"refused", QByteArray(), true},
    };
    QSignalSpy found(&m_service, &NUpdate::CUpdateService::updateFound);
    for (const auto& c : cases) {
        NSettings::DeleteKey(NSettings::kRootPath);
        NUpdate::WriteUpdateServer(c.useRefusedServer ? refused : m_server.Address());
        m_server.Serve(QStringLiteral("/releases/version.txt"), c.response);
        m_prompts.messages.clear();
        QElapsedTimer timer;
        timer.start();
        Check(nullptr, false);
        EXPECT_LT(timer.elapsed(), 4 * kShortTimeoutMs) << c.what;
        EXPECT_EQ(StoredDaysAhead(), std::nullopt) << c.what;
        EXPECT_TRUE(m_prompts.messages.empty()) << c.what;
        Check(&m_owner, true);
        ASSERT_EQ(m_prompts.messages.size(), 1u) << c.what;
        EXPECT_TRUE(LastMessage().contains(QStringLiteral("could not be asked"))) << c.what;
        EXPECT_EQ(m_prompts.messages[0].icon, EIcon::Warning) << c.what;
        EXPECT_TRUE(m_service.Offer().newVersion.isEmpty()) << c.what;
    }
    EXPECT_EQ(found.count(), 0);
}

TEST_F(UpdateCheck, ManualCheckTellsWhenThereIsNothingNew) {
    UseTestServer();
    NUpdate::SetNextUpdateTime(30);
    PublishRelease(NUpdate::OwnDigest(), "999.0");
    // Not due: nothing happens.
    m_service.CheckForUpdate(&m_owner, false);
    ProcessEventsFor(200);
    EXPECT_TRUE(m_prompts.messages.empty());
    Check(&m_owner, true);
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(LastMessage(), QStringLiteral("You have the latest version."));
    EXPECT_EQ(m_prompts.messages[0].icon, EIcon::Information);
    EXPECT_EQ(m_prompts.messages[0].caption,
              std::u16string(NString::NTranslator::Text("Misc.AppName").Text()));
    EXPECT_EQ(m_server.Requests().size(), 1);
    // A manual check leaves the schedule alone.
    EXPECT_EQ(StoredDaysAhead(), 30);
}

TEST_F(UpdateCheck, ManualCheckAsksAndDownloadsOnlyOnYes) {
    UseTestServer();
    PublishRelease(OtherDigest(), "999.0");
    m_server.Serve(QStringLiteral("/files/setup.deb"), CTestHttpServer::Response(200, "package"));
    for (const EAnswer answer : {EAnswer::No, EAnswer::Yes}) {
        m_prompts.messages.clear();
        m_prompts.answers = {answer};
        Check(&m_owner, true);
        ASSERT_EQ(m_prompts.messages.size(), 1u);
        const auto& question = m_prompts.messages[0];
        EXPECT_EQ(question.owner, &m_owner);
        EXPECT_EQ(question.buttons, EButtons::YesNo);
        EXPECT_EQ(question.icon, EIcon::Question);
        EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("Version 999.0 is available.")));
        const bool downloading = answer == EAnswer::Yes;
        EXPECT_EQ(m_flags.Has(NSettings::kFlagInstallerQueued), downloading);
        EXPECT_EQ(m_service.InstallerPath().isEmpty(), !downloading);
    }
    EXPECT_TRUE(WaitUntil([this] { return m_flags.Has(NSettings::kFlagInstallerWritten); }));
    EXPECT_EQ(m_server.Requests().count(QStringLiteral("/files/setup.deb")), 1);
}

// The answer of a manual check whose window has gone meanwhile has no owner.
TEST_F(UpdateCheck, AnswerOutlivingItsWindowHasNoOwner) {
    UseTestServer();
    PublishRelease(NUpdate::OwnDigest(), "1.0");
    auto* window = new QObject;
    QSignalSpy ended(&m_service, &NUpdate::CUpdateService::checkEnded);
    m_service.CheckForUpdate(window, true);
    delete window;
    ASSERT_TRUE(WaitUntil([&ended] { return ended.count() > 0; }));
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].owner, nullptr);
    EXPECT_EQ(LastMessage(), QStringLiteral("You have the latest version."));
}

} // namespace
