#include "compare/code_page_notice.h"

#include <atomic>

namespace {

std::atomic<FCodePageNoticeSender> g_sender{nullptr};

} // namespace

FCodePageNoticeSender InstallCodePageNoticeSender(FCodePageNoticeSender sender) {
    return g_sender.exchange(sender);
}

void SendCodePageNotice(int charset) {
    if (const FCodePageNoticeSender sender = g_sender.load())
        sender(charset);
}
