#include "merge/load_job.h"

#include "compare/code_page_notice.h"
#include "compare/invalid_xml_message.h"
#include "compare/load_progress.h"
#include "formats/spec_selection.h"
#include "framework/job.h"
#include "framework/result.h"
#include "framework/thread.h"
#include "merge/block_building.h"
#include "merge/operation.h"
#include "services/flags.h"
#include "services/prompts.h"
#include "services/recent_files.h"
#include "text/format.h"
#include "translation/translator.h"

#include <array>
#include <functional>
#include <vector>

namespace {

using NString::NTranslator::Text;

void ShowError(void* owner, const char16_t* text) {
    NPrompts::CurrentPrompts().ShowMessage(owner, text, Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Error, NPrompts::EButtons::Ok);
}

void ShowLoadError(void* owner, const char* key, const char16_t* path) {
    NString::TStr<char16_t> text;
    NString::Format(text, Text(key).Text(), path);
    ShowError(owner, text.Text());
}

// Reads one input file from its pending path, or else its path. It touches
// only `file`, so files may be read side by side.
int ReadInputFile(CXMLFile& file) {
    if (!file.pendingPath.IsEmpty()) {
        file.path = file.pendingPath;
        file.ClearPendingPath();
    }
    return file.Load(file.path.Text());
}

// What follows reading a file, on the job's thread: a loaded file chosen in
// the Open dialog joins the recent files; the user is told when it is not
// well-formed XML (where and why) or its character set cannot be read
// exactly. A file that cannot be opened fails without a message.
void ReportInputFile(const CXMLFile& file, int result, COperation& operation, void* owner) {
    switch (result) {
    case NResult::kOk:
        if (operation.recentFiles != nullptr &&
            operation.flags.Has(NSettings::kFlagChosenInOpenDialog))
            operation.recentFiles->Add(file.path.Text());
        break;
    case NResult::kNotWellFormed:
        ShowError(owner, InvalidXMLMessage(file.path.Text(), file.parseError).Text());
        break;
    case NResult::kUnsupportedCharset:
        ShowLoadError(owner,
                      SendCodePageNotice(file.charset) ? "Msg.UnsupportedEncodingReported"
                                                       : "Msg.UnsupportedEncoding",
                      file.path.Text());
        break;
    case NResult::kInexactCharset:
        ShowLoadError(owner, "Msg.InexactEncoding", file.path.Text());
        break;
    default:
        break;
    }
}

} // namespace

void CLoadJob::Execute() {
    NSettings::CFlags& flags = m_operation.flags;
    m_operation.Discard();
    flags.Clear(NSettings::kFlagLoadFailed);
    m_operation.order.Fill(flags.Has(NSettings::kFlagThreeWay));
    m_operation.ForgetSpec();
    m_failedSide = -1;
    m_failedResult = NResult::kOk;
    const bool loaded = m_inputs == ELoadInputs::Keep || LoadFiles();
    if (!loaded || !ChooseSpec()) {
        flags.Set(NSettings::kFlagLoadFailed);
    } else {
        const SMatchContext context = m_operation.Context();
        const std::array<CXMLFile, 3>& files = m_operation.files;
        m_operation.matchRoot.Match(&files[kSideBase], &files[kSideLeft], &files[kSideRight],
                                    context);
        BuildModel(m_operation.model, m_operation.matchRoot, context);
        flags.Change(NSettings::kFlagResultUnsaved, context.merge);
    }
    m_progress.SetPosition(100);
    m_progress.End();
}

// The files are independent until matching, so each is read on a thread of
// its own; the outcomes are then taken in side order, and the first file that
// failed is the one the user is told about.
bool CLoadJob::LoadFiles() {
    std::array<int, 3> results{};
    std::vector<std::function<void()>> reads;
    for (const int side : m_operation.order) {
        const auto index = static_cast<std::size_t>(side);
        reads.emplace_back(
            [this, index, &results] { results[index] = ReadInputFile(m_operation.files[index]); });
    }
    // With the job threads' stack, which deep documents need.
    NSys::RunSideBySide(NSys::CJobThread::kStackSize, reads);
    int position = 0;
    for (const int side : m_operation.order) {
        const auto index = static_cast<std::size_t>(side);
        ReportInputFile(m_operation.files[index], results[index], m_operation, m_owner);
        if (results[index] != NResult::kOk) {
            m_failedSide = side;
            m_failedResult = results[index];
            return false;
        }
        m_progress.SetPosition(++position * 25);
    }
    if (m_operation.recentFiles != nullptr)
        m_operation.recentFiles->Save();
    return true;
}

bool CLoadJob::ChooseSpec() {
    std::vector<SInputFile> inputs;
    for (const int side : m_operation.order) {
        const CXMLFile& file = m_operation.files[static_cast<std::size_t>(side)];
        inputs.push_back({&file, file.path.Text(), file.title.Text()});
    }
    const SOperationFiles operationFiles{inputs, m_operation.flags.Has(NSettings::kFlagMerge)};
    CFileSpec* spec = FindSpecForOperation(m_operation.formats, operationFiles, m_owner);
    m_operation.UseSpec(spec);
    return spec != nullptr;
}
