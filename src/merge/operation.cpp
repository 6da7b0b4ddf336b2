#include "merge/operation.h"

#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "framework/file.h"
#include "merge/view_notifications.h"
#include "merge/xml_clipboard.h"
#include "services/flags.h"

#include <algorithm>
#include <filesystem>

SMatchContext COperation::Context() const {
    SMatchContext context;
    context.order = order;
    context.merge = flags.Has(NSettings::kFlagMerge);
    context.spec = spec;
    // A silent compare writes a report and nothing else.
    context.reportOnly = flags.Has(NSettings::kFlagSilent) && !context.merge;
    return context;
}

void COperation::Discard() {
    // Copied blocks refer to the documents about to go.
    TheXMLClipboard().Clear();
    matchRoot.DeleteChildren();
    model.Reset(Context());
    CurrentViewNotifications().RefreshPanes();
}

std::uint64_t COperation::LargestInputSize() const {
    std::uint64_t largest = 0;
    for (const int side : order) {
        const auto path = NIO::NativePath(files[static_cast<std::size_t>(side)].path.Text());
        std::error_code error;
        const std::uintmax_t size = path ? std::filesystem::file_size(*path, error) : 0;
        if (!error)
            largest = std::max<std::uint64_t>(largest, size);
    }
    return largest;
}

void COperation::UseSpec(CFileSpec* newSpec) {
    if (spec != nullptr)
        spec->ClearFlags(CFileSpec::kInUse);
    spec = newSpec;
    if (spec != nullptr)
        spec->SetFlags(CFileSpec::kInUse);
}

void COperation::ReplaceFormats(const CFormatList& edited) {
    spec = nullptr;
    formats.CopyFrom(edited);
    spec = formats.FindInUse();
    model.UseSpec(spec);
}
