#include "merge/block_rendering.h"

#include "merge/merge_model.h"

#include <string_view>

namespace {

char SideLetter(int side) {
    switch (side) {
    case kSideBase:
        return 'B';
    case kSideLeft:
        return 'L';
    case kSideRight:
        return 'R';
    default:
        return '-';
    }
}

// UTF-8 with tabs made visible.
std::string Visible(const NString::TStr<char16_t>& text) {
    const NString::TStr<char> utf8(text.Text());
    std::string shown;
    for (const char character : std::string_view(utf8.Text())) {
        if (character == '\t')
            shown += "\\t";
        else
            shown += character;
    }
    return shown;
}

std::string DifferenceMark(const CMergeModel& model, const CBlockSelector& selector) {
    std::string mark = " [#" + std::to_string(model.IndexOf(&selector));
    if (model.IsCurrent(&selector))
        mark += '*';
    if (selector.IsResolved())
        mark += std::string(" ") + SideLetter(model.Context().order[selector.resolution]);
    else
        mark += " open";
    return mark + "]";
}

} // namespace

std::string RenderModel(const CMergeModel& model) {
    const CRootBlock& root = model.Root();
    std::string rendering;
    NString::TStr<char16_t> text;
    for (TLine n = 0; n < model.LineCount(); ++n) {
        const CBlockBase* block = root.FindLine(n);
        root.GetLineText(text, n, nullptr);
        const int side = block != nullptr ? block->side : kSideNone;
        rendering += std::to_string(n) + ' ' + SideLetter(side) + ' ' +
                     std::to_string(block != nullptr ? block->GetIndent() : 0) + ' ' +
                     Visible(text);
        if (const CBlockSelector* selector =
                block != nullptr ? block->EnclosingSelector() : nullptr)
            rendering += DifferenceMark(model, *selector);
        rendering += '\n';
    }
    return rendering;
}
