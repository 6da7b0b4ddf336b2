#include "update/installer_file.h"

namespace NUpdate {

QString InstallerFileName(const QUrl& installerUrl) {
    QString name = installerUrl.fileName(QUrl::FullyDecoded);
    for (QChar& character : name) {
        if (character == QLatin1Char('/') || character == QLatin1Char('\\') ||
            character.category() == QChar::Other_Control)
            character = QLatin1Char('_');
    }
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("quillmere-installer");
    return name;
}

} // namespace NUpdate
