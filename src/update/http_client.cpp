#include "update/http_client.h"

#include "update/server_address.h"

#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace NUpdate {

namespace {

QNetworkAccessManager& Manager(QObject& context) {
    auto* manager = context.findChild<QNetworkAccessManager*>();
    return manager != nullptr ? *manager : *new QNetworkAccessManager(&context);
}

// The HTTP status of a reply that arrived whole; 0 for one that did not. An
// HTTP error status (404) is a complete answer, a broken transfer is not,
// whatever status line preceded it.
int ReplyStatus(const QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply.error() == QNetworkReply::NoError)
        return status;
    return status >= 400 ? status : 0;
}

void FollowOnlyAllowedRedirects(QNetworkReply& reply) {
    QObject::connect(&reply, &QNetworkReply::redirected, &reply, [&reply](const QUrl& target) {
        if (IsAllowedUrl(target))
            emit reply.redirectAllowed();
        else
            reply.abort();
    });
}

bool IsTooLong(qint64 bytes, qint64 maxBodyBytes) {
    return maxBodyBytes > 0 && bytes > maxBodyBytes;
}

// Stops a body that is, or is announced to be, too long as soon as it shows.
void LimitBody(QNetworkReply& reply, qint64 maxBodyBytes) {
    if (maxBodyBytes <= 0)
        return;
    QObject::connect(&reply, &QNetworkReply::downloadProgress, &reply,
                     [&reply, maxBodyBytes](qint64 received, qint64 total) {
                         if (IsTooLong(received, maxBodyBytes) || IsTooLong(total, maxBodyBytes))
                             reply.abort();
                     });
}

} // namespace

CHttpClient::CHttpClient() : m_context(new QObject) {
    m_thread.setObjectName(QStringLiteral("HTTP client"));
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
}

CHttpClient::~CHttpClient() {
    QMetaObject::invokeMethod(
        m_context,
        [context = m_context] {
            for (QNetworkReply* reply : context->findChildren<QNetworkReply*>()) {
                reply->disconnect();
                reply->abort();
            }
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool CHttpClient::Get(const QUrl& url, FResponseHandler handler, qint64 maxBodyBytes) {
    if (!IsAllowedUrl(url))
        return false;
    return QMetaObject::invokeMethod(
        m_context,
        [this, url, handler = std::move(handler), maxBodyBytes] {
            Start(url, handler, maxBodyBytes);
        },
        Qt::QueuedConnection);
}

void CHttpClient::Start(const QUrl& url, const FResponseHandler& handler, qint64 maxBodyBytes) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = Manager(*m_context).get(request);
    FollowOnlyAllowedRedirects(*reply);
    LimitBody(*reply, maxBodyBytes);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, handler, maxBodyBytes] {
        // A body that came whole before the limit could stop it.
        const bool tooLong = IsTooLong(reply->bytesAvailable(), maxBodyBytes);
        const int status = tooLong ? 0 : ReplyStatus(*reply);
        if (status != 0) {
            handler(status, *reply);
        } else {
            QBuffer nothing;
            nothing.open(QIODevice::ReadOnly);
            handler(status, nothing);
        }
        reply->deleteLater();
    });
}

} // namespace NUpdate
