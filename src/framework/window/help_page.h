#pragma once

#include <QStringView>
#include <QUrl>

namespace NWindows {

// The address of a help page: the help folder of the web site, the code of
// the language shown ("Lang.ISOCode") and `page` ("/opendialog.php").
QUrl HelpPageUrl(QStringView page);

// Opens help page `page` in the browser. Everything that shows help goes
// through here.
void OpenHelpPage(QStringView page);

// The address of page `path` ("/support.php") of the product's web site; an
// empty path is the site's front page.
QUrl WebsiteUrl(QStringView path);

// Opens a page of the product's web site in the browser.
void OpenWebsite(QStringView path);

} // namespace NWindows
