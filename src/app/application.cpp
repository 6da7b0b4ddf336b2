#include "app/application.h"

#include "app/command_line.h"
#include "app/desktop_run.h"
#include "app/exit_code.h"
#include "app/load_failure.h"
#include "app/operation_report.h"
#include "app/qt_settings_backend.h"
#include "app/usage.h"
#include "compare/load_progress.h"
#include "formats/format_list.h"
#include "framework/allocator.h"
#include "framework/buffer.h"
#include "framework/event.h"
#include "framework/file_functions.h"
#include "framework/job_manager.h"
#include "framework/result.h"
#include "framework/target_file.h"
#include "framework/thread.h"
#include "merge/load_job.h"
#include "merge/operation.h"
#include "merge/result_file.h"
#include "merge/write_failure.h"
#include "services/flags.h"
#include "services/language_choice.h"
#include "services/prompts.h"
#include "text/format.h"
#include "translation/embedded_language.h"
#include "translation/translator.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

using NSettings::CFlags;
using NString::NTranslator::Text;

// The block tree is written recursively along its depth; documents may nest
// 100,000 levels deep.
constexpr std::size_t kOperationStackSize = std::size_t(1) << 30;

// The load runs on one of these, as it does under the window.
constexpr int kJobThreads = 2;

// One line on standard error: the command line's own mistakes, and what a
// run without a window cannot do.
template <typename... Args> void Say(const char* key, const Args&... args) {
    NString::TStr<char16_t> text;
    NString::Format(text, Text(key).Text(), args...);
    std::fprintf(stderr, "quillmere: %s\n", NString::TStr<char>(text.Text()).Text());
}

EExitCode NeedsWindow(const char* key) {
    Say(key);
    return kExitNeedsWindow;
}

// The key of the message for a command line that cannot be run, or null.
const char* MistakeKey(ECommandLineError error) {
    switch (error) {
    case ECommandLineError::None:
        return nullptr;
    case ECommandLineError::UnknownOption:
        return "Msg.UnknownOption";
    case ECommandLineError::MissingValue:
        return "Msg.MissingValue";
    case ECommandLineError::BothOperations:
        return "Msg.BothOperations";
    case ECommandLineError::BadMarkerSize:
        return "Msg.BadMarkerSize";
    case ECommandLineError::MarkersNeedSilentMerge:
        return "Msg.MarkersNeedSilentMerge";
    case ECommandLineError::MarkerSizeAlone:
        return "Msg.MarkerSizeAlone";
    }
    return nullptr;
}

// Questions of the specification choice need an owner to be asked at all;
// without a window the headless prompts answer them.
int g_headlessOwner;

// A run without a window shows no progress; it only waits for the end.
class CLoadEnd final : public CLoadProgress {
public:
    CLoadEnd() { m_ended.Create(true); }
    void End() override { m_ended.Set(); }
    void Wait() { m_ended.Wait(); }

private:
    NSys::CEvent m_ended;
};

// Loads the operation on a job thread, as the progress dialog has it done,
// and waits for the end. False after the failing step's message.
bool LoadOperation(COperation& operation) {
    CLoadEnd end;
    auto* job = new CLoadJob(operation, end, &g_headlessOwner);
    const NPtr::THolder<NSys::CJob> holder(job);
    if (!NSys::QueueJob(holder, 0))
        return false;
    end.Wait();
    if (!operation.flags.Has(NSettings::kFlagLoadFailed))
        return true;
    ReportUnopenedFile(*job, operation, nullptr);
    return false;
}

// "-" names standard output.
bool IsStandardOutput(const NString::TStr<char16_t>& path) {
    return NString::CompareNoCase(path.Text(), u"-") == 0;
}

EExitCode WriteReportFile(const COperation& operation, const NString::TStr<char16_t>& path) {
    NIO::TBuffer<0> report;
    if (!WriteOperationReport(report, operation)) {
        Say("Msg.ReportNotMade");
        return kExitFailure;
    }
    if (IsStandardOutput(path)) {
        const int error = NIO::WriteToDescriptor(STDOUT_FILENO, report.Data(),
                                                 static_cast<std::size_t>(report.Size()));
        if (error == 0)
            return kExitSuccess;
        Say("Msg.CannotWriteOutput", NIO::SystemErrorText(error));
        return kExitFailure;
    }
    if (const int error = NIO::WriteBufferToTarget(path.Text(), report); error != 0) {
        ShowWriteFailure(path.Text(), error);
        return kExitFailure;
    }
    return kExitSuccess;
}

// A report written over an input file would destroy it, and one the result
// is then written over would be lost; the result may well replace the left
// file (a merge driver's way), as it is written last.
bool ReportOverwritesAFile(const SCommandLine& commandLine) {
    if (!commandLine.reportRequested || IsStandardOutput(commandLine.reportPath))
        return false;
    const char16_t* report = commandLine.reportPath.Text();
    for (const NString::TStr<char16_t>& input : commandLine.paths) {
        if (!input.IsEmpty() && NIO::IsSameFile(input.Text(), report)) {
            Say("Msg.TargetIsInput", report);
            return true;
        }
    }
    if (commandLine.merge.value_or(false) &&
        NIO::WouldOverwriteEachOther(report, commandLine.resultPath.Text())) {
        Say("Msg.ReportIsResult", report);
        return true;
    }
    return false;
}

// With -markers a result with conflicts is written too.
EExitCode SaveSilently(const COperation& operation, const SCommandLine& commandLine) {
    const NString::TStr<char16_t>& resultPath = commandLine.resultPath;
    if ((operation.model.ConflictCount() == 0 || commandLine.markers) && resultPath.IsEmpty())
        return NeedsWindow("Msg.WindowToSave");
    const SConflictMarkers markers = ConflictMarkersOf(commandLine);
    // The save tells why it did not write, or that it marked conflicts.
    switch (SaveMergedResult(operation.model, operation.files[kSideLeft],
                             operation.LargestInputSize(), resultPath.Text(),
                             commandLine.markers ? &markers : nullptr)) {
    case ESaveResult::Saved:
        return kExitSuccess;
    case ESaveResult::Unresolved:
    case ESaveResult::Marked:
        return kExitUnresolvedConflicts;
    case ESaveResult::Failed:
        break;
    }
    return kExitFailure;
}

// The operation of the silent run, which the process's exit frees. Taking its
// millions of nodes apart one by one would add seconds to a large merge after
// its files are written, and the system frees them all at once. Reachable from
// here, it is no leak to a leak checker; volatile, so that the compiler keeps
// the store that nothing reads.
COperation* volatile g_operationLeftToExit = nullptr;

// The silent run: loads the operation the command line names, then does what
// comes after loading: the report, and for a merge the result.
EExitCode RunOperation(const SCommandLine& commandLine, CFlags& flags, CFormatList& formats) {
    auto* operation = new COperation(flags, formats);
    g_operationLeftToExit = operation;
    for (std::size_t side = 0; side < operation->files.size(); ++side) {
        operation->files[side].SetPath(commandLine.paths[side].Text());
        operation->files[side].SetTitle(commandLine.titles[side].Text());
    }
    if (!LoadOperation(*operation))
        return kExitFailure;
    EExitCode code = kExitSuccess;
    if (flags.Has(NSettings::kFlagReportRequested))
        code = WriteReportFile(*operation, commandLine.reportPath);
    if (flags.Has(NSettings::kFlagMerge))
        code = MoreSevere(code, SaveSilently(*operation, commandLine));
    return code;
}

EExitCode RunConfigured(const SCommandLine& commandLine, CFlags& flags) {
    if (NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource, true) != 1)
        return kExitFailure;
    NString::NTranslator::ApplyRememberedLanguage();
    // Asking for help or the version is never wrong, whatever else was given.
    if (commandLine.helpAsked) {
        std::fputs(NString::TStr<char>(Text("Usage.Text").Text()).Text(), stdout);
        return kExitSuccess;
    }
    if (commandLine.versionAsked) {
        std::fputs(VersionText(), stdout);
        return kExitSuccess;
    }
    if (const char* mistake = MistakeKey(commandLine.error)) {
        Say(mistake, commandLine.errorArgument.Text());
        return kExitFailure;
    }
    CFormatList formats;
    if (formats.LoadFormats() != NResult::kOk) {
        Say("Msg.FormatsFolderUnknown");
        return kExitFailure;
    }
    const bool silent = commandLine.silent;
    switch (ApplyCommandLine(commandLine, flags)) {
    case ECommandLineOutcome::NoOperation:
        Say("Msg.NoOperation");
        return kExitFailure;
    case ECommandLineOutcome::NoFiles:
    case ECommandLineOutcome::Operation:
        break;
    }
    if (!silent && !IsDisplayAvailable())
        return NeedsWindow("Msg.NoDisplay");
    if (ReportOverwritesAFile(commandLine))
        return kExitFailure;
    if (NSys::StartJobThreads(kJobThreads) != NResult::kOk)
        return kExitFailure;
    EExitCode code = kExitFailure;
    if (silent)
        NSys::RunWithStack(kOperationStackSize,
                           [&] { code = RunOperation(commandLine, flags, formats); });
    else
        code = RunDesktop(commandLine, flags, formats, [&](const COperation& operation) {
            return WriteReportFile(operation, commandLine.reportPath);
        });
    NSys::StopJobThreads();
    return code;
}

} // namespace

int RunApplication(std::span<const char* const> arguments) {
    NIO::OccupyClosedStandardStreams();
    // A reader that went away shows as a failed write, not a killed process.
    std::signal(SIGPIPE, SIG_IGN);
    const SCommandLine commandLine = ReadCommandLine(arguments);
    if (NMem::Start() != NResult::kOk)
        return kExitFailure;
    CQtSettingsBackend settings;
    const NSettings::CScopedBackend scopedSettings(settings);
    CFlags flags;
    flags.Load(NSettings::kDefaultFlags);
    const EExitCode code = RunConfigured(commandLine, flags);
    NMem::Stop();
    return code;
}
