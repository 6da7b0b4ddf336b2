#pragma once

#include "compare/code_page_notice.h"

namespace NUpdate {

class CHttpClient;

// While it lives, the core's code-page notices go through `client` to the
// update server ("/api/codepagerequest.php?codepage=<number>"). Without a
// usable server setting nothing is sent. A notice waits for the server's
// answer, up to the client's timeout, so that the user is told it arrived
// only when it did; notices come from the load job, never from the
// user-interface thread.
class CCodePageNoticeSender {
public:
    explicit CCodePageNoticeSender(CHttpClient& client);
    CCodePageNoticeSender(const CCodePageNoticeSender&) = delete;
    CCodePageNoticeSender& operator=(const CCodePageNoticeSender&) = delete;
    ~CCodePageNoticeSender();

private:
    static bool Send(int charset);

    CHttpClient* m_previousClient;
    FCodePageNoticeSender m_previousSender;
};

} // namespace NUpdate
