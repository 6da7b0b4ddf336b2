#include "app/application.h"

#include "app/command_line.h"
#include "app/exit_code.h"
#include "app/headless_operation.h"
#include "app/qt_settings_backend.h"
#include "app/usage.h"
#include "formats/format_list.h"
#include "framework/allocator.h"
#include "framework/buffer.h"
#include "framework/file_functions.h"
#include "framework/flags.h"
#include "framework/prompts.h"
#include "framework/result.h"
#include "merge/report.h"
#include "merge/result_file.h"
#include "text/embedded_language.h"
#include "text/language_choice.h"
#include "text/translator.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <pthread.h>

namespace {

using NSettings::CFlags;
using NString::NTranslator::Text;

// The block tree is written recursively along its depth; documents may nest
// 100,000 levels deep.
constexpr std::size_t kOperationStackSize = std::size_t(1) << 30;

void SayOnStandardError(const char* what, const NString::TStr<char16_t>& path = {}) {
    std::fprintf(stderr, "quillmere: %s%s\n", what, NString::TStr<char>(path.Text()).Text());
}

EExitCode NeedsWindow(const char* why) {
    std::fprintf(stderr,
                 "quillmere: %s needs the program's window, which is not available yet.\n"
                 "Run with -silent and -compare or -merge, naming -left and -right; see "
                 "quillmere --help.\n",
                 why);
    return kExitNeedsWindow;
}

void ShowNoOperation() {
    NPrompts::CurrentPrompts().ShowMessage(nullptr, Text("Msg.NoOperation").Text(),
                                           Text("Misc.AppName").Text(), NPrompts::EIcon::Error,
                                           NPrompts::EButtons::Ok);
}

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// "-" names standard output.
EExitCode WriteReportFile(const CHeadlessOperation& operation,
                          const NString::TStr<char16_t>& path) {
    NIO::TBuffer<0> report;
    if (!WriteReport(report, operation.model, operation.ReportFiles(), LocalTimeNow())) {
        SayOnStandardError("the report could not be made");
        return kExitFailure;
    }
    const bool written =
        NString::CompareNoCase(path.Text(), u"-") == 0
            ? std::fwrite(report.Data(), 1, report.Size(), stdout) == report.Size() &&
                  std::fflush(stdout) == 0
            : NIO::ReplaceFileWithBuffer(path.Text(), report) == NResult::kOk;
    if (written)
        return kExitSuccess;
    SayOnStandardError("cannot write the report to ", path);
    return kExitFailure;
}

EExitCode SaveSilently(const CHeadlessOperation& operation,
                       const NString::TStr<char16_t>& resultPath) {
    if (operation.model.ConflictCount() == 0 && resultPath.IsEmpty())
        return NeedsWindow("Saving without -result");
    switch (SaveMergedResult(operation.model, operation.inputs[kSideLeft].doc,
                             operation.LargestInputSize(), resultPath.Text())) {
    case ESaveResult::Saved:
        return kExitSuccess;
    case ESaveResult::Unresolved:
        SayOnStandardError("conflicts remain unresolved; the merged result was not written");
        return kExitUnresolvedConflicts;
    case ESaveResult::Failed:
        break;
    }
    SayOnStandardError("cannot write the merged result to ", resultPath);
    return kExitFailure;
}

// Loads the operation the command line names, then does what comes after
// loading: the report, and for a silent merge the result.
EExitCode RunOperation(const SCommandLine& commandLine, CFlags& flags, CFormatList& formats) {
    auto operation = std::make_unique<CHeadlessOperation>();
    for (std::size_t side = 0; side < operation->inputs.size(); ++side) {
        operation->inputs[side].path = commandLine.paths[side];
        operation->inputs[side].title = commandLine.titles[side];
    }
    const bool merge = flags.Has(NSettings::kFlagMerge);
    if (!operation->Load(formats, flags.Has(NSettings::kFlagThreeWay), merge))
        return kExitFailure;
    flags.Change(NSettings::kFlagResultUnsaved, merge);
    EExitCode code = kExitSuccess;
    if (flags.Has(NSettings::kFlagReportRequested))
        code = WriteReportFile(*operation, commandLine.reportPath);
    if (!flags.Has(NSettings::kFlagSilent))
        return MoreSevere(code, NeedsWindow("Showing the loaded operation"));
    if (merge)
        code = MoreSevere(code, SaveSilently(*operation, commandLine.resultPath));
    return code;
}

// Runs `work` on a thread with a stack of `size` bytes and returns its result.
EExitCode RunWithStack(std::size_t size, const std::function<EExitCode()>& work) {
    struct SWork {
        const std::function<EExitCode()>* work;
        EExitCode result = kExitFailure;
    } job{&work};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, size);
    pthread_t thread;
    const auto entry = [](void* data) -> void* {
        auto* running = static_cast<SWork*>(data);
        running->result = (*running->work)();
        return nullptr;
    };
    const bool started = pthread_create(&thread, &attributes, entry, &job) == 0;
    pthread_attr_destroy(&attributes);
    if (!started)
        return work();
    pthread_join(thread, nullptr);
    return job.result;
}

EExitCode RunConfigured(const SCommandLine& commandLine, CFlags& flags) {
    if (NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource, true) != 1)
        return kExitFailure;
    NString::NTranslator::ApplyRememberedLanguage();
    CFormatList formats;
    if (formats.LoadFormats() != NResult::kOk) {
        SayOnStandardError("the folder of the format specifications is unknown");
        return kExitFailure;
    }
    const bool silent = commandLine.silent;
    switch (ApplyCommandLine(commandLine, flags)) {
    case ECommandLineOutcome::NoOperation:
        if (!silent)
            ShowNoOperation();
        return kExitFailure;
    case ECommandLineOutcome::NoFiles:
    case ECommandLineOutcome::Operation:
        break;
    }
    const bool bothFiles =
        !commandLine.paths[kSideLeft].IsEmpty() && !commandLine.paths[kSideRight].IsEmpty();
    if (!silent && !bothFiles)
        return NeedsWindow("Choosing the files in the Open dialog");
    return RunWithStack(kOperationStackSize,
                        [&] { return RunOperation(commandLine, flags, formats); });
}

} // namespace

int RunApplication(std::span<const char* const> arguments) {
    const SCommandLine commandLine = ReadCommandLine(arguments);
    if (commandLine.helpAsked) {
        std::fputs(UsageText(), stdout);
        return kExitSuccess;
    }
    if (commandLine.versionAsked) {
        std::fputs(VersionText(), stdout);
        return kExitSuccess;
    }
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
