#include "update/server_address.h"

#include "framework/result.h"
#include "services/registry.h"
#include "services/settings_paths.h"

#include <QHostAddress>
#include <string>

namespace NUpdate {

namespace {

bool IsLoopbackHost(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

QString ReadUpdateServer() {
    std::u16string stored;
    if (NSettings::ReadString(NSettings::kUpdateServerPath, stored) != NResult::kOk)
        return {};
    return QString::fromStdU16String(stored).trimmed();
}

int WriteUpdateServer(const QString& address) {
    return NSettings::WriteString(NSettings::kUpdateServerPath,
                                  address.trimmed().toStdU16String().c_str());
}

bool IsAllowedUrl(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("https") ||
           (scheme == QLatin1String("http") && IsLoopbackHost(url.host()));
}

EServerAddress CheckServerAddress(const QString& address) {
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return EServerAddress::Empty;
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() ||
        url.hasFragment())
        return EServerAddress::Invalid;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("https") && scheme != QLatin1String("http"))
        return EServerAddress::Invalid;
    return IsAllowedUrl(url) ? EServerAddress::Accepted : EServerAddress::NotHttps;
}

QUrl ServerResource(const QString& server, const QString& resource) {
    QUrl url(server.trimmed());
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const qsizetype queryStart = resource.indexOf(QLatin1Char('?'));
    url.setPath(path + resource.left(queryStart));
    if (queryStart >= 0)
        url.setQuery(resource.mid(queryStart + 1));
    return url;
}

} // namespace NUpdate
