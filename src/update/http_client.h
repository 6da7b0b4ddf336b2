#pragma once

#include <QThread>
#include <QUrl>
#include <atomic>
#include <functional>

class QIODevice;

namespace NUpdate {

// GET requests over HTTP(S) on a thread of their own, so that a slow server
// never holds up the user interface. Redirects are followed as long as each
// target is an address requests may go to (see IsAllowedUrl). A request that
// receives nothing for the timeout is given up.
class CHttpClient {
public:
    // Called on the client's thread when a request ends: the HTTP status, or 0
    // when no complete response arrived (connection refused or broken, timed
    // out, too long); the body, positioned at its start (empty for 0).
    using FResponseHandler = std::function<void(int status, QIODevice& body)>;

    static constexpr int kDefaultTimeoutMs = 30000;

    CHttpClient();
    CHttpClient(const CHttpClient&) = delete;
    CHttpClient& operator=(const CHttpClient&) = delete;
    // Gives up the requests still running; their handlers are not called.
    ~CHttpClient();

    // How long a request may go without receiving anything.
    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // Queues a GET of `url` and returns whether it was queued: false when
    // requests may not go to `url`. A body longer than `maxBodyBytes` (when
    // above 0) ends the request as incomplete.
    bool Get(const QUrl& url, FResponseHandler handler, qint64 maxBodyBytes = 0);

private:
    void Start(const QUrl& url, const FResponseHandler& handler, qint64 maxBodyBytes);

    QThread m_thread;
    // Lives on m_thread; the network access manager is its child.
    QObject* m_context;
    std::atomic<int> m_timeoutMs{kDefaultTimeoutMs};
};

} // namespace NUpdate
