#include "test_http_server.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QMutexLocker>
#include <QTcpSocket>

namespace {

// The request target of a request whose head has arrived; empty until then.
QString RequestTarget(const QByteArray& received) {
    if (!received.contains("\r\n\r\n"))
        return {};
    const QList<QByteArray> requestLine = received.left(received.indexOf("\r\n")).split(' ');
    return requestLine.size() == 3 ? QString::fromLatin1(requestLine[1]) : QString();
}

} // namespace

CTestHttpServer::CTestHttpServer() : m_server(new QTcpServer) {
    m_server->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] { Accept(); });
    m_thread.start();
    QMetaObject::invokeMethod(
        m_server,
        [this] {
            m_server->listen(QHostAddress::LocalHost);
            m_port = m_server->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

CTestHttpServer::~CTestHttpServer() {
    m_thread.quit();
    m_thread.wait();
}

QByteArray CTestHttpServer::Response(int status, const QByteArray& body) {
    return "HTTP/1.1 " + QByteArray::number(status) +
           " Status\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

QByteArray CTestHttpServer::TruncatedResponse(const QByteArray& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size() + 100) +
           "\r\nConnection: close\r\n\r\n" + body;
}

QByteArray CTestHttpServer::Redirect(const QString& location) {
    return "HTTP/1.1 302 Found\r\nLocation: " + location.toLatin1() +
           "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
}

void CTestHttpServer::Serve(const QString& path, const QByteArray& rawResponse) {
    const QMutexLocker lock(&m_mutex);
    m_responses.insert(path, rawResponse);
}

QString CTestHttpServer::Address() const {
    return QStringLiteral("http://127.0.0.1:") + QString::number(m_port);
}

QUrl CTestHttpServer::Url(const QString& path) const {
    return QUrl(Address() + path);
}

int CTestHttpServer::Connections() const {
    const QMutexLocker lock(&m_mutex);
    return m_connections;
}

QStringList CTestHttpServer::Requests() const {
    const QMutexLocker lock(&m_mutex);
    return m_requests;
}

void CTestHttpServer::Accept() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        {
            const QMutexLocker lock(&m_mutex);
            ++m_connections;
        }
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket,
                         [this, socket] { Answer(*socket); });
    }
}

void CTestHttpServer::Answer(QTcpSocket& socket) {
    const QString target = RequestTarget(socket.peek(socket.bytesAvailable()));
    if (target.isEmpty())
        return;
    socket.readAll();
    const QString path = target.left(target.indexOf(QLatin1Char('?')));
    QByteArray response;
    {
        const QMutexLocker lock(&m_mutex);
        m_requests.append(target);
        response = m_responses.value(path, Response(404, "missing"));
    }
    if (response.isEmpty())
        return;
    socket.write(response);
    socket.disconnectFromHost();
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

void ProcessEventsFor(int milliseconds) {
    WaitUntil([] { return false; }, milliseconds);
}
