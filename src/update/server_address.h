#pragma once

#include <QString>
#include <QUrl>

// The web server asked for new releases and told of unsupported character
// sets. None is set by default, and without one no request is ever made.
namespace NUpdate {

// The stored address, trimmed; empty when none is stored.
QString ReadUpdateServer();
// Stores `address` trimmed; an NResult code.
int WriteUpdateServer(const QString& address);

enum class EServerAddress { Empty, Accepted, NotHttps, Invalid };

// Whether `address` may be used as the server: https, or plain http only on
// this computer's loopback interface (127.0.0.1, ::1, localhost), where a
// local test or mirror server listens and nothing leaves the machine.
EServerAddress CheckServerAddress(const QString& address);

// Whether a request may go to `url` by the same rule (a redirect target, an
// installer address).
bool IsAllowedUrl(const QUrl& url);

// `resource` (a path starting with "/", optionally with "?query") below the
// server's address, keeping any path the address has:
// "https://example.org/quillmere" + "/releases/version.txt".
QUrl ServerResource(const QString& server, const QString& resource);

} // namespace NUpdate
