#include "update/own_release.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>

namespace NUpdate {

QString FileDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex());
}

QString OwnDigest() {
    return FileDigest(QCoreApplication::applicationFilePath());
}

QString OwnVersion() {
    return QStringLiteral(QUILLMERE_VERSION);
}

} // namespace NUpdate
