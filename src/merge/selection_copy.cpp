#include "merge/selection_copy.h"

#include "framework/buffer.h"
#include "merge/merge_model.h"
#include "merge/xml_editing.h"

#include <algorithm>

NString::TStr<char16_t> SelectionText(const CMergeModel& model, STextPoint caret,
                                      STextPoint anchor) {
    NString::TStr<char16_t> text;
    if (!anchor.IsSet() || !caret.IsSet() || anchor == caret)
        return text;
    const STextPoint from = std::min(caret, anchor);
    const STextPoint to = std::max(caret, anchor);
    NString::TStr<char16_t> line;
    for (TLine n = from.line; n <= to.line && n < model.LineCount(); ++n) {
        model.Root().GetLineText(line, n, nullptr);
        const auto length = static_cast<std::uint32_t>(line.Length());
        const std::uint32_t begin = n == from.line ? std::min(from.column, length) : 0;
        const std::uint32_t end = n == to.line ? std::min(to.column, length) : length;
        if (n != from.line)
            text.Append(u"\n");
        if (end > begin)
            text.Append(line.Text() + begin, static_cast<int>(end - begin));
    }
    return text;
}

std::string SelectionXML(const CMergeModel& model, STextPoint caret, STextPoint anchor) {
    const SBlockRun run = SelectedBlocks(model, caret, anchor);
    NIO::TBuffer<0> out;
    for (const CBlockBase* block = run.first; block != nullptr && run.Contains(*block);
         block = block->NextSiblingBlock())
        if (!block->WriteMerged(out))
            return {};
    return std::string(reinterpret_cast<const char*>(out.Data()), out.Size());
}
