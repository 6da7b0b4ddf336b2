#include "update_test_fixture.h"

#include <future>

namespace {

// Sends the notice on another thread, as the load job does, while this
// thread runs the test server.
bool SendFromJobThread(int charset) {
    std::future<bool> sent = std::async(std::launch::async, SendCodePageNotice, charset);
    EXPECT_TRUE(WaitUntil(
        [&sent] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    return sent.get();
}

using CodePageNotice = UpdateTest;

// The notice goes to the configured server, and counts as sent only when the
// server confirmed it.
TEST_F(CodePageNotice, SentOnlyWithAServerAndConfirmedByItsAnswer) {
    const struct {
        const char* what;
        QByteArray response;
        bool sent;
    } cases[] = {
        {"200", CTestHttpServer::Response(200, "thanks"), true},
        {"204", CTestHttpServer::Response(204, ""), true},
        {"404", CTestHttpServer::Response(404, "no"), false},
        {"silent", QByteArray(), false},
    };
    UseTestServer();
    int charset = 2000;
    for (const auto& c : cases) {
        m_server.Serve(QStringLiteral("/api/codepagerequest.php"), c.response);
        EXPECT_EQ(SendFromJobThread(++charset), c.sent) << c.what;
        EXPECT_EQ(m_server.Requests().last(),
                  QStringLiteral("/api/codepagerequest.php?codepage=") + QString::number(charset))
            << c.what;
    }
    EXPECT_EQ(m_server.Requests().size(), std::size(cases));
}

// A second service sends while it lives and then hands back to the first.
TEST_F(CodePageNotice, ServicesHandTheSenderBack) {
    UseTestServer();
    m_server.Serve(QStringLiteral("/api/codepagerequest.php"), CTestHttpServer::Response(200, ""));
    {
        NUpdate::CUpdateService inner(m_flags);
        EXPECT_TRUE(SendFromJobThread(2084));
    }
    EXPECT_TRUE(SendFromJobThread(2085));
    EXPECT_EQ(m_server.Requests().size(), 2);
}

} // namespace
