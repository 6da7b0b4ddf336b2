#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QMutex>
#include <QStringList>
#include <QTcpServer>
#include <QThread>
#include <QUrl>
#include <functional>

class QTcpSocket;

// A small HTTP server on 127.0.0.1 for the tests, answering on a thread of
// its own, so that it answers while the test thread waits: each path gets a canned raw response,
// sent as it is before the connection is closed. A path without one gets 404; a path whose response
// is empty never gets an answer. Counts every connection.
class CTestHttpServer {
public:
    CTestHttpServer();
    ~CTestHttpServer();
    CTestHttpServer(const CTestHttpServer&) = delete;
    CTestHttpServer& operator=(const CTestHttpServer&) = delete;

    // A whole response: status line, Content-Length and Connection: close
    // headers, `body`.
    static QByteArray Response(int status, const QByteArray& body);
    // A response whose body stops short of its announced length.
    static QByteArray TruncatedResponse(const QByteArray& body);
    static QByteArray Redirect(const QString& location);

    void Serve(const QString& path, const QByteArray& rawResponse);
    // http://127.0.0.1:<port>
    QString Address() const;
    QUrl Url(const QString& path) const;
    int Connections() const;
    // The request targets (path and query) in order.
    QStringList Requests() const;

private:
    void Accept();
    void Answer(QTcpSocket& socket);

    QThread m_thread;
    // Lives on m_thread.
    QTcpServer* m_server;
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QHash<QString, QByteArray> m_responses;
    QStringList m_requests;
    int m_connections = 0;
};

// Processes the test thread's events until `done` or until `milliseconds`
// have passed; whether `done`.
bool WaitUntil(const std::function<bool()>& done, int milliseconds = 5000);
// Processes events for `milliseconds`.
void ProcessEventsFor(int milliseconds);
