#include "view/block_tree_lines.h"

#include "merge/merge_model.h"

#include <algorithm>
#include <vector>

namespace {

const CBlockBase* BlockOf(const CMergeModel& model, int line) {
    if (line < 0 || line >= static_cast<int>(model.LineCount()))
        return nullptr;
    return model.Root().FindLine(static_cast<TLine>(line));
}

} // namespace

int CBlockTreeLines::LineCount() const {
    return static_cast<int>(m_model.LineCount());
}

std::u16string CBlockTreeLines::LineText(int line) const {
    const CBlockBase* block = BlockOf(m_model, line);
    if (block == nullptr)
        return {};
    NString::TStr<char16_t> text;
    block->GetLineText(text, static_cast<TLine>(line), nullptr);
    return {text.Text(), static_cast<std::size_t>(text.Length())};
}

int CBlockTreeLines::ColumnX(int line, int column) const {
    const CBlockBase* block = BlockOf(m_model, line);
    if (block == nullptr)
        return 0;
    std::vector<SCharPlacement> placements;
    block->MeasureLine(static_cast<TLine>(line), placements);
    const auto last = static_cast<int>(placements.size()) - 1;
    return placements[static_cast<std::size_t>(std::clamp(column, 0, last))].x;
}
