#pragma once

#include "app/exit_code.h"

#include <functional>

class CFormatList;
class COperation;
struct SCommandLine;
namespace NSettings {
class CFlags;
}

// Whether a window can be shown: a display server is named, or Qt is told
// which platform to use.
bool IsDisplayAvailable();

// The run with the window: loads the files the command line names (or those
// chosen in the Open dialog), writes the report when one was asked for, shows
// the main window and returns when it has been closed. The job threads run.
// `writeReport` writes the report of the loaded operation.
EExitCode RunDesktop(const SCommandLine& commandLine, NSettings::CFlags& flags,
                     CFormatList& formats,
                     const std::function<EExitCode(const COperation&)>& writeReport);
