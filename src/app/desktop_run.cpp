#include "app/desktop_run.h"

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/update_wiring.h"
#include "icons/icon_set.h"
#include "merge/operation.h"
#include "prompts/qt_prompts.h"
#include "services/flags.h"
#include "services/recent_files.h"
#include "update/update_service.h"

#include <QApplication>
#include <QTimer>

bool IsDisplayAvailable() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

EExitCode RunDesktop(const SCommandLine& commandLine, NSettings::CFlags& flags,
                     CFormatList& formats,
                     const std::function<EExitCode(const COperation&)>& writeReport) {
    // Qt reads no options of its own from the program's command line.
    int argc = 1;
    char name[] = "quillmere";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    CQtPrompts prompts;
    const NPrompts::CScopedPrompts scopedPrompts(prompts);
    NSettings::CRecentFiles recentFiles;
    recentFiles.Load(NSettings::kRecentFolderPath);

    COperation operation(flags, formats, &recentFiles);
    for (std::size_t side = 0; side < operation.files.size(); ++side) {
        operation.files[side].SetPath(commandLine.paths[side].Text());
        operation.files[side].SetTitle(commandLine.titles[side].Text());
    }
    CMainWnd::CPath resultPath = commandLine.resultPath;
    CMainWnd::CPath reportPath = commandLine.reportPath;
    CMainWnd window(operation, resultPath, reportPath);
    // Made before the first load, whose unsupported character sets it tells
    // the update server of (when one is set).
    NUpdate::CUpdateService updates(flags);
    ConnectUpdates(window, updates);
    const bool filesGiven =
        !commandLine.paths[kSideLeft].IsEmpty() && !commandLine.paths[kSideRight].IsEmpty();
    // Cancelling the Open dialog ends the run; so does a failed load of the
    // files the command line names, after its message.
    if (!window.StartOperation(false))
        return filesGiven ? kExitFailure : kExitSuccess;
    EExitCode code = kExitSuccess;
    if (flags.Has(NSettings::kFlagReportRequested))
        code = writeReport(operation);
    window.ShowFirstTime();
    QTimer::singleShot(0, &updates, [&updates] { updates.CheckForUpdate(nullptr, false); });
    QApplication::exec();
    HandOverInstaller(window, updates);
    // A merge tool's caller learns whether the merge was saved.
    if (flags.Has(NSettings::kFlagMerge) && window.IsResultShown() &&
        flags.Has(NSettings::kFlagResultUnsaved))
        code = MoreSevere(code, kExitUnresolvedConflicts);
    return code;
}
