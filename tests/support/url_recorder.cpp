#include "url_recorder.h"

#include <QDesktopServices>
#include <array>

namespace {

constexpr std::array kSchemes = {"http", "https", "file"};

} // namespace

CUrlRecorder::CUrlRecorder() {
    for (const char* scheme : kSchemes)
        QDesktopServices::setUrlHandler(scheme, this, "Open");
}

CUrlRecorder::~CUrlRecorder() {
    for (const char* scheme : kSchemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void CUrlRecorder::Open(const QUrl& url) {
    opened.push_back(url);
}
