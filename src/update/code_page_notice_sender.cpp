#include "update/code_page_notice_sender.h"

#include "update/http_client.h"
#include "update/server_address.h"

#include <atomic>
#include <future>
#include <memory>

namespace NUpdate {

namespace {

std::atomic<CHttpClient*> g_client{nullptr};

// The notice's answer is never read; a few bytes are all it may have.
constexpr qint64 kMaxAnswerBytes = 4096;

} // namespace

CCodePageNoticeSender::CCodePageNoticeSender(CHttpClient& client)
    : m_previousClient(g_client.exchange(&client)),
      m_previousSender(InstallCodePageNoticeSender(&CCodePageNoticeSender::Send)) {}

CCodePageNoticeSender::~CCodePageNoticeSender() {
    InstallCodePageNoticeSender(m_previousSender);
    g_client.store(m_previousClient);
}

bool CCodePageNoticeSender::Send(int charset) {
    CHttpClient* client = g_client.load();
    const QString server = ReadUpdateServer();
    if (client == nullptr || CheckServerAddress(server) != EServerAddress::Accepted)
        return false;
    auto received = std::make_shared<std::promise<bool>>();
    std::future<bool> answer = received->get_future();
    const QUrl url = ServerResource(server, QStringLiteral("/api/codepagerequest.php?codepage=") +
                                                QString::number(charset));
    const bool queued = client->Get(
        url,
        [received](int status, QIODevice&) { received->set_value(status >= 200 && status < 300); },
        kMaxAnswerBytes);
    if (!queued)
        return false;
    try {
        return answer.get();
    } catch (const std::future_error&) {
        // The client was shut down with the request still running.
        return false;
    }
}

} // namespace NUpdate
