#include "update/release_description.h"

#include "update/server_address.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace NUpdate {

namespace {

constexpr qint64 kMaxLineLength = 1024;

// The next line without its line break, or nothing when there is none or it
// is too long.
std::optional<QString> ReadLine(QIODevice& body) {
    if (body.atEnd())
        return std::nullopt;
    // Room for the longest line, its "\r\n", and one byte to tell a longer one.
    QByteArray line = body.readLine(kMaxLineLength + 3);
    if (line.endsWith('\n'))
        line.chop(1);
    else if (!body.atEnd())
        return std::nullopt;
    if (line.endsWith('\r'))
        line.chop(1);
    const QString text = QString::fromUtf8(line).trimmed();
    if (text.size() > kMaxLineLength)
        return std::nullopt;
    return text;
}

bool IsDigest(const QString& text) {
    static const QRegularExpression kDigest(QStringLiteral("^[0-9a-fA-F]{32}$"));
    return kDigest.match(text).hasMatch();
}

} // namespace

bool IsVersionText(const QString& version) {
    static const QRegularExpression kVersion(QStringLiteral("^[0-9]{1,9}(\\.[0-9]{1,9})*$"));
    return kVersion.match(version).hasMatch();
}

bool IsNewerVersion(const QString& candidate, const QString& own) {
    if (!IsVersionText(candidate) || !IsVersionText(own))
        return false;
    const QStringList candidateParts = candidate.split(QLatin1Char('.'));
    const QStringList ownParts = own.split(QLatin1Char('.'));
    const qsizetype count = std::max(candidateParts.size(), ownParts.size());
    for (qsizetype index = 0; index < count; ++index) {
        const int theirs = index < candidateParts.size() ? candidateParts[index].toInt() : 0;
        const int ours = index < ownParts.size() ? ownParts[index].toInt() : 0;
        if (theirs != ours)
            return theirs > ours;
    }
    return false;
}

std::optional<SReleaseDescription> ReadReleaseDescription(QIODevice& body) {
    const std::optional<QString> digest = ReadLine(body);
    const std::optional<QString> version = digest ? ReadLine(body) : std::nullopt;
    const std::optional<QString> address = version ? ReadLine(body) : std::nullopt;
    if (!address || !IsDigest(*digest) || !IsVersionText(*version))
        return std::nullopt;
    const QUrl installerUrl(*address, QUrl::StrictMode);
    if (!IsAllowedUrl(installerUrl) || installerUrl.fileName().isEmpty())
        return std::nullopt;
    return SReleaseDescription{digest->toLower(), *version, installerUrl};
}

} // namespace NUpdate
