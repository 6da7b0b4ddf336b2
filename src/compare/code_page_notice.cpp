#include "compare/code_page_notice.h"

#include <atomic>

namespace {

std::atomic<FCodePageNoticeSender> g_sender{nullptr};

} // namespace

FCodePageNoticeSender InstallCodePageNoticeSender(FCodePageNoticeSender sender) {
    return g_sender.exchange(sender);
}

bool SendCodePageNotice(int charset) {
    const FCodePageNoticeSender sender = g_sender.load();
    return sender != nullptr && sender(charset);
}
