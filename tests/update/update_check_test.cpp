#include "framework/result.h"
#include "services/registry.h"
#include "services/settings_paths.h"
#include "update/update_schedule.h"
#include "update_test_fixture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
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

    // The check asked exactly one question, with this text part and icon.
    void ExpectOneMessage(const QString& part, EIcon icon) {
        ASSERT_EQ(m_prompts.messages.size(), 1u);
        EXPECT_TRUE(LastMessage().contains(part)) << LastMessage().toStdString();
        EXPECT_EQ(m_prompts.messages[0].icon, icon);
    }
};

// Nothing may leave the program while no usable server is set.
TEST_F(UpdateCheck, NoServerNoConnection) {
    const struct {
        QString server;
        const char* message;
        EIcon icon;
    } cases[] = {
        {QString(), "No update server is set up", EIcon::Information},
        {m_server.Address().replace(QStringLiteral("127.0.0.1"), QStringLiteral("0.0.0.0")),
         "is not used", EIcon::Warning},
    };
    PublishRelease(OtherDigest(), "999.0");
    QSignalSpy found(&m_service, &NUpdate::CUpdateService::updateFound);
    for (const auto& c : cases) {
        NUpdate::WriteUpdateServer(c.server);
        m_prompts.messages.clear();
        Check(nullptr, true);
        EXPECT_TRUE(m_prompts.messages.empty());
        Check(&m_owner, true);
        ExpectOneMessage(QString::fromLatin1(c.message), c.icon);
        EXPECT_EQ(m_prompts.messages[0].owner, &m_owner);
        EXPECT_FALSE(SendCodePageNotice(2084));
    }
    ProcessEventsFor(200);
    EXPECT_EQ(m_server.Connections(), 0);
    EXPECT_EQ(found.count(), 0);
}

// Only a newer release under another digest is offered; a check that finds
// none sets the next due time by the frequency.
TEST_F(UpdateCheck, AutomaticCheckOffersOnlyANewerRelease) {
    const QString ownDigest = NUpdate::OwnDigest();
    const QByteArray ownVersion = NUpdate::OwnVersion().toLatin1();
    const struct {
        QString digest;
        QByteArray version;
        std::uint32_t frequency;
        std::optional<std::int64_t> daysAhead; // none: offered
    } cases[] = {
        {OtherDigest(), "999.0", NSettings::kUpdateWeekly, std::nullopt},
        {ownDigest, "999.0", NSettings::kUpdateWeekly, 7},
        {OtherDigest(), ownVersion, NSettings::kUpdateMonthly, 30},
        {ownDigest.toUpper(), "999.0", NSettings::kUpdateDaily, 1},
    };
    UseTestServer();
    for (const auto& c : cases) {
        NSettings::WriteString(NSettings::kUpdateTimePath, u"");
        m_flags.Assign(NSettings::kUpdateFrequencyMask, c.frequency);
        PublishRelease(c.digest, c.version);
        QSignalSpy found(&m_service, &NUpdate::CUpdateService::updateFound);
        Check(nullptr, false);
        const std::optional<std::int64_t> days = StoredDaysAhead();
        EXPECT_EQ(found.count(), c.daysAhead ? 0 : 1) << c.version.toStdString();
        if (c.daysAhead) {
            EXPECT_EQ(days, c.daysAhead) << c.version.toStdString();
            continue;
        }
        EXPECT_TRUE(!days || *days <= 0);
        EXPECT_EQ(m_service.Offer().newVersion, QString::fromLatin1(c.version));
        EXPECT_EQ(m_service.Offer().ownVersion, NUpdate::OwnVersion());
        EXPECT_EQ(m_service.Offer().installerUrl, m_server.Url(QStringLiteral("/files/setup.deb")));
    }
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(UpdateCheck, DueTimeAndNeverDecideWhetherAnAutomaticCheckAsks) {
    PublishRelease(NUpdate::OwnDigest(), "1.0");
    const struct {
        std::uint32_t frequency;
        int daysAhead; // 0: none stored
        bool force;
        bool asks;
    } cases[] = {
        {NSettings::kUpdateWeekly, 0, false, true},
        {NSettings::kUpdateWeekly, 3, false, false},
        {NSettings::kUpdateWeekly, 3, true, true},
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
        EXPECT_EQ(WaitUntil([&ended] { return ended.count() > 0; }, c.asks ? 5000 : 200), c.asks);
        EXPECT_EQ(m_server.Requests().size() - before, c.asks ? 1 : 0) << c.frequency;
    }
    // With Never a forced check that finds nothing stores nothing.
    EXPECT_EQ(StoredDaysAhead(), std::nullopt);
}

// A failed request (the client's tests cover its kinds) or a malformed answer
// ends the check quietly within the timeout; an automatic check then stores no
// due time, a manual one says it failed.
TEST_F(UpdateCheck, FailuresEndQuietlyWithinTheTimeout) {
    const struct {
        const char* what;
        QByteArray response;
    } cases[] = {
        {"404", CTestHttpServer::Response(404, "no such file")},
        {"two lines", CTestHttpServer::Response(200, OtherDigest().toLatin1() + "\n999.0\n")},
        {"silent", QByteArray()},
    };
    QSignalSpy found(&m_service, &NUpdate::CUpdateService::updateFound);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        NSettings::DeleteKey(NSettings::kRootPath);
        UseTestServer();
        m_server.Serve(QStringLiteral("/releases/version.txt"), c.response);
        m_prompts.messages.clear();
        QElapsedTimer timer;
        timer.start();
        Check(nullptr, false);
        EXPECT_LT(timer.elapsed(), 4 * kShortTimeoutMs);
        EXPECT_EQ(StoredDaysAhead(), std::nullopt);
        EXPECT_TRUE(m_prompts.messages.empty());
        Check(&m_owner, true);
        ExpectOneMessage(QStringLiteral("could not be asked"), EIcon::Warning);
        EXPECT_TRUE(m_service.Offer().newVersion.isEmpty());
    }
    EXPECT_EQ(found.count(), 0);
}

// A manual check that finds nothing new says so and leaves the schedule
// alone; its answer has no owner once the asking window has gone.
TEST_F(UpdateCheck, ManualCheckTellsWhenThereIsNothingNew) {
    UseTestServer();
    NUpdate::SetNextUpdateTime(30);
    PublishRelease(NUpdate::OwnDigest(), "999.0");
    m_service.CheckForUpdate(&m_owner, false); // not due: nothing happens
    ProcessEventsFor(200);
    EXPECT_TRUE(m_prompts.messages.empty());
    Check(&m_owner, true);
    ExpectOneMessage(QStringLiteral("You have the latest version."), EIcon::Information);
    EXPECT_EQ(m_prompts.messages[0].caption,
              std::u16string(NString::NTranslator::Text("Misc.AppName").Text()));
    EXPECT_EQ(m_server.Requests().size(), 1);
    EXPECT_EQ(StoredDaysAhead(), 30);

    m_prompts.messages.clear();
    auto* window = new QObject;
    QSignalSpy ended(&m_service, &NUpdate::CUpdateService::checkEnded);
    m_service.CheckForUpdate(window, true);
    delete window;
    ASSERT_TRUE(WaitUntil([&ended] { return ended.count() > 0; }));
    ExpectOneMessage(QStringLiteral("You have the latest version."), EIcon::Information);
    EXPECT_EQ(m_prompts.messages[0].owner, nullptr);
}

TEST_F(UpdateCheck, ManualCheckAsksAndDownloadsOnlyOnYes) {
    UseTestServer();
    PublishRelease(OtherDigest(), "999.0");
    m_server.Serve(QStringLiteral("/files/setup.deb"), CTestHttpServer::Response(200, "package"));
    for (const EAnswer answer : {EAnswer::No, EAnswer::Yes}) {
        m_prompts.messages.clear();
        m_prompts.answers = {answer};
        Check(&m_owner, true);
        ExpectOneMessage(QStringLiteral("Version 999.0 is available."), EIcon::Question);
        EXPECT_EQ(m_prompts.messages[0].owner, &m_owner);
        EXPECT_EQ(m_prompts.messages[0].buttons, EButtons::YesNo);
        const bool downloading = answer == EAnswer::Yes;
        EXPECT_EQ(m_flags.Has(NSettings::kFlagInstallerQueued), downloading);
        EXPECT_EQ(m_service.InstallerPath().isEmpty(), !downloading);
    }
    EXPECT_TRUE(WaitUntil([this] { return m_flags.Has(NSettings::kFlagInstallerWritten); }));
    EXPECT_EQ(m_server.Requests().count(QStringLiteral("/files/setup.deb")), 1);
}

} // namespace
