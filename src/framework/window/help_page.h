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

} // namespace NWindows
