#include "test_http_server.h"
#include "update/http_client.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QIODevice>
#include <QTcpServer>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>

namespace {

constexpr int kShortTimeoutMs = 400;

// What a request's handler saw.
struct SOutcome {
    std::atomic<bool> ended{false};
    int status = -1;
    QByteArray firstLine;
    bool onClientThread = false;
};

class HttpClient : public ::testing::Test {
protected:
    HttpClient() { m_client.SetTimeout(kShortTimeoutMs); }

    // Gets `url` and waits for the handler; whether it was queued.
    bool Get(const QUrl& url, SOutcome& outcome, qint64 maxBodyBytes = 0) {
        QThread* testThread = QThread::currentThread();
        const bool queued = m_client.Get(
            url,
            [&outcome, testThread](int status, QIODevice& body) {
                outcome.status = status;
                outcome.firstLine = body.readLine();
                outcome.onClientThread = QThread::currentThread() != testThread;
                outcome.ended = true;
            },
            maxBodyBytes);
        if (queued) {
            EXPECT_TRUE(WaitUntil([&outcome] { return outcome.ended.load(); }))
                << url.toString().toStdString();
        }
        return queued;
    }

    CTestHttpServer m_server;
    NUpdate::CHttpClient m_client;
};

TEST_F(HttpClient, AnswersReachTheHandlerOnTheClientThread) {
    m_server.Serve(QStringLiteral("/text"), CTestHttpServer::Response(200, "one\ntwo\n"));
    m_server.Serve(QStringLiteral("/moved"), CTestHttpServer::Redirect(QStringLiteral("/text")));
    m_server.Serve(QStringLiteral("/broken"), CTestHttpServer::TruncatedResponse("one\n"));
    m_server.Serve(QStringLiteral("/big"), CTestHttpServer::Response(200, QByteArray(5000, 'x')));
    const struct {
        const char* path;
        qint64 maxBodyBytes;
        int status;
        QByteArray firstLine;
    } cases[] = {
        {"/text", 0, 200, "one\n"},     {"/moved", 0, 200, "one\n"},
        {"/absent", 0, 404, "missing"}, {"/broken", 0, 0, {}},
        {"/big", 4096, 0, {}},          {"/big", 8192, 200, QByteArray(5000, 'x')},
    };
    for (const auto& c : cases) {
        SOutcome outcome;
        ASSERT_TRUE(Get(m_server.Url(QString::fromLatin1(c.path)), outcome, c.maxBodyBytes));
        EXPECT_EQ(outcome.status, c.status) << c.path;
        EXPECT_EQ(outcome.firstLine, c.firstLine) << c.path;
        EXPECT_TRUE(outcome.onClientThread) << c.path;
    }
    EXPECT_EQ(m_server.Requests().count(QStringLiteral("/text")), 2);
}

TEST_F(HttpClient, UnreachableOrSilentServersEndWithinTheTimeout) {
    m_server.Serve(QStringLiteral("/silent"), QByteArray());
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QUrl refused(QStringLiteral("http://127.0.0.1:") + QString::number(closed.serverPort()) +
                       QStringLiteral("/x"));
    closed.close();
    for (const QUrl& url : {m_server.Url(QStringLiteral("/silent")), refused}) {
        QElapsedTimer timer;
        timer.start();
        SOutcome outcome;
        ASSERT_TRUE(Get(url, outcome));
        EXPECT_EQ(outcome.status, 0) << url.toString().toStdString();
        EXPECT_LT(timer.elapsed(), 4 * kShortTimeoutMs) << url.toString().toStdString();
    }
    EXPECT_EQ(m_server.Requests(), QStringList{QStringLiteral("/silent")});
}

// Only https, or http on the loopback interface; nothing is sent otherwise.
TEST_F(HttpClient, RefusesAddressesThatAreNotAllowed) {
    const char* const refused[] = {"http://0.0.0.0:1/x", "ftp://127.0.0.1/x", "file:///etc/hosts",
                                   "not a url"};
    for (const char* address : refused) {
        SOutcome outcome;
        EXPECT_FALSE(Get(QUrl(QString::fromLatin1(address)), outcome)) << address;
    }
    ProcessEventsFor(100);
    EXPECT_EQ(m_server.Connections(), 0);
}

TEST_F(HttpClient, DestroyingTheClientDropsRunningRequests) {
    m_server.Serve(QStringLiteral("/silent"), QByteArray());
    std::atomic<int> calls{0};
    {
        NUpdate::CHttpClient client;
        ASSERT_TRUE(client.Get(m_server.Url(QStringLiteral("/silent")),
                               [&calls](int, QIODevice&) { ++calls; }));
        ASSERT_TRUE(WaitUntil([this] { return !m_server.Requests().isEmpty(); }));
    }
    ProcessEventsFor(100);
    EXPECT_EQ(calls.load(), 0);
}

} // namespace
