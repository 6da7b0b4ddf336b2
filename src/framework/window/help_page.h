#pragma once

#include <QStringView>
#include <QUrl>
#include <array>

namespace NWindows {

// The help pages shipped with the program, by file name in the help folder.
inline constexpr char16_t kOpenDialogHelpPage[] = u"opendialog.html";
inline constexpr char16_t kSearchDialogHelpPage[] = u"searchdialog.html";
inline constexpr char16_t kChooseSpecHelpPage[] = u"selectformat.html";
inline constexpr char16_t kPreferencesHelpPage[] = u"preferencesdialog.html";
inline constexpr char16_t kManualHelpPage[] = u"manual.html";

// Every page the program opens, so that a test can check that each ships.
inline constexpr std::array<const char16_t*, 5> kHelpPages = {
    kOpenDialogHelpPage, kSearchDialogHelpPage, kChooseSpecHelpPage, kPreferencesHelpPage,
    kManualHelpPage};

// The folder of the help pages, "Data/Help/" beside the program, ending in
// a separator; empty when the program's folder is unknown.
QString HelpFolder();

// The local file of help page `page` ("opendialog.html"); an empty address
// when the help folder is unknown.
QUrl HelpPageUrl(QStringView page);

// Opens help page `page` in the browser. Everything that shows help goes
// through here.
void OpenHelpPage(QStringView page);

// The project's home page, as the build was configured; an empty address
// when none was, and then the Help menu offers none.
QUrl HomePageUrl();

// Opens the project's home page in the browser; nothing without one.
void OpenHomePage();

} // namespace NWindows
