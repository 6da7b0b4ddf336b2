#include "framework/window/help_page.h"

#include "framework/program_folder.h"

#include <QDesktopServices>
#include <QString>

namespace NWindows {

QString HelpFolder() {
    const QString program = QString::fromUtf16(NIO::ProgramFolder().Text());
    // Without the program's folder a relative path would depend on the
    // current directory.
    if (program.isEmpty())
        return {};
    return program + QStringLiteral("Data/Help/");
}

QUrl HelpPageUrl(QStringView page) {
    const QString folder = HelpFolder();
    if (folder.isEmpty())
        return {};
    return QUrl::fromLocalFile(folder + page.toString());
}

void OpenHelpPage(QStringView page) {
    const QUrl url = HelpPageUrl(page);
    if (!url.isEmpty())
        QDesktopServices::openUrl(url);
}

QUrl HomePageUrl() {
    return QUrl(QStringLiteral(QUILLMERE_HOME_URL));
}

void OpenHomePage() {
    const QUrl url = HomePageUrl();
    if (!url.isEmpty())
        QDesktopServices::openUrl(url);
}

} // namespace NWindows
