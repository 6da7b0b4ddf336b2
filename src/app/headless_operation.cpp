#include "app/headless_operation.h"

#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "formats/spec_selection.h"
#include "framework/file.h"
#include "framework/prompts.h"
#include "framework/result.h"
#include "merge/block_building.h"
#include "text/format.h"
#include "text/translator.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

using NString::NTranslator::Text;

// Questions of the specification choice need an owner to be asked at all;
// without a window the headless prompts answer them.
int g_headlessOwner;

void ShowError(const char* key, const char16_t* path) {
    NString::TStr<char16_t> text;
    NString::Format(text, Text(key).Text(), path);
    NPrompts::CurrentPrompts().ShowMessage(nullptr, text.Text(), Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Error, NPrompts::EButtons::Ok);
}

// A file that cannot be opened has no message of its own in the program;
// a script still needs to know which one it was.
void ShowCannotOpen(const char16_t* path) {
    NString::TStr<char16_t> text;
    NString::Format(text, u"The file {0s} cannot be opened.", path);
    NPrompts::CurrentPrompts().ShowMessage(nullptr, text.Text(), Text("Misc.AppName").Text(),
                                           NPrompts::EIcon::Error, NPrompts::EButtons::Ok);
}

// A side without a file fails without a message, as a silent run asks.
bool LoadInput(CHeadlessOperation::SInput& input) {
    if (input.path.IsEmpty())
        return false;
    switch (input.doc.Load(input.path.Text())) {
    case NResult::kOk:
        return true;
    case NResult::kNothingParsed:
        ShowError("Msg.InvalidXMLFile", input.path.Text());
        return false;
    case NResult::kUnsupportedCharset:
        ShowError("Msg.UnsupportedEncoding", input.path.Text());
        return false;
    default:
        ShowCannotOpen(input.path.Text());
        return false;
    }
}

} // namespace

const char16_t* CHeadlessOperation::SInput::DisplayName() const {
    const char16_t* name = title.IsEmpty() ? path.Text() : title.Text();
    for (const char16_t* position = name; *position != 0; ++position)
        if (*position == u'/' || *position == u'\\')
            name = position + 1;
    return name;
}

bool CHeadlessOperation::Load(CFormatList& formats, bool threeWay, bool merge) {
    context.order.Fill(threeWay);
    context.merge = merge;
    std::vector<SInputFile> files;
    for (const int side : context.order) {
        SInput& input = inputs[static_cast<std::size_t>(side)];
        if (!LoadInput(input))
            return false;
        files.push_back({&input.doc, input.path.Text()});
    }
    CFileSpec* spec =
        FindSpecForOperation(formats, SOperationFiles{files, merge}, &g_headlessOwner);
    if (spec == nullptr)
        return false;
    spec->SetFlags(CFileSpec::kInUse);
    context.spec = spec;
    matchRoot.Match(threeWay ? &inputs[kSideBase].doc : nullptr, &inputs[kSideLeft].doc,
                    &inputs[kSideRight].doc, context);
    BuildModel(model, matchRoot, context);
    return true;
}

std::uint64_t CHeadlessOperation::LargestInputSize() const {
    std::uint64_t largest = 0;
    for (const int side : context.order) {
        const auto path = NIO::NativePath(inputs[static_cast<std::size_t>(side)].path.Text());
        std::error_code error;
        const std::uintmax_t size = path ? std::filesystem::file_size(*path, error) : 0;
        if (!error)
            largest = std::max<std::uint64_t>(largest, size);
    }
    return largest;
}

std::array<SReportFile, 3> CHeadlessOperation::ReportFiles() const {
    std::array<SReportFile, 3> files;
    for (std::size_t side = 0; side < files.size(); ++side)
        files[side] = {inputs[side].path.Text(), inputs[side].DisplayName()};
    return files;
}
