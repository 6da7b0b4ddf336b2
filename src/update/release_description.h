#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QIODevice;

// The short text the update server publishes about its current release
// ("/releases/version.txt"), one item a line: the MD5 digest of the release's
// program file as 32 hexadecimal digits, its version ("1.4.2") and the address
// of its installer.
namespace NUpdate {

struct SReleaseDescription {
    // Lower case.
    QString digest;
    QString version;
    QUrl installerUrl;
};

// The description read from `body`, or nothing when it is not well formed: a
// line missing or longer than 1024 characters, a digest that is not 32
// hexadecimal digits, a version that is not dotted numbers, or an installer
// address that requests may not go to (see IsAllowedUrl).
std::optional<SReleaseDescription> ReadReleaseDescription(QIODevice& body);

// Whether `version` is made of numbers separated by single dots.
bool IsVersionText(const QString& version);

// Whether dotted version `candidate` is later than `own`, part by part as
// numbers, missing parts counting as 0 ("1.10" > "1.9", "2.0" == "2").
// False when either is not a version.
bool IsNewerVersion(const QString& candidate, const QString& own);

} // namespace NUpdate
