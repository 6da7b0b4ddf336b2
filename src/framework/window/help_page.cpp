#include "framework/window/help_page.h"

#include "translation/translator.h"

#include <QDesktopServices>
#include <QString>

namespace NWindows {

QUrl HelpPageUrl(QStringView page) {
    const NString::TStr<char16_t>& language = NString::NTranslator::Text("Lang.ISOCode");
    return QUrl(QStringLiteral(QUILLMERE_HELP_URL) + QString::fromUtf16(language.Text()) +
                page.toString());
}

void OpenHelpPage(QStringView page) {
    QDesktopServices::openUrl(HelpPageUrl(page));
}

QUrl WebsiteUrl(QStringView path) {
    return QUrl(QStringLiteral(QUILLMERE_WEBSITE_URL) + path.toString());
}

void OpenWebsite(QStringView path) {
    QDesktopServices::openUrl(WebsiteUrl(path));
}

} // namespace NWindows
