#include "merge/text_editing.h"

#include "merge/block_selector.h"
#include "merge/merge_model.h"
#include "merge/undo_history.h"

#include <algorithm>

namespace {

// Records go into the caller's step, or into a scratch one that only tells
// whether anything changed.
class CEditRecording {
public:
    explicit CEditRecording(CUndoStep* step) : m_step(step != nullptr ? step : &m_scratch) {
        m_before = m_step->LastRecord();
    }
    CUndoStep* Step() const { return m_step; }
    bool Changed() const { return m_step->LastRecord() != m_before; }

private:
    CUndoStep m_scratch;
    CUndoStep* m_step;
    const CUndoRecord* m_before = nullptr;
};

// The alternative of `selector` that holds `block`.
const CBlockBase& AlternativeHolding(const CBlockSelector& selector, const CBlockBase& block) {
    const CBlockBase* alternative = &block;
    while (alternative->ParentBlock() != &selector)
        alternative = alternative->ParentBlock();
    return *alternative;
}

// An edit of `block` chooses its side in its difference.
void ResolveToEditedSide(const CMergeModel& model, const CBlockBase& block, CUndoStep& step) {
    CBlockSelector* selector = block.EnclosingSelector();
    if (selector == nullptr || selector == &block)
        return;
    const int before = selector->resolution;
    model.Resolve(*selector, AlternativeHolding(*selector, block).side);
    if (selector->resolution == before)
        return;
    CUndoRecord* record = step.AddRecord(CUndoRecord::kResolutionChanged);
    record->block = selector;
    record->resolutionBefore = before;
    record->resolutionAfter = selector->resolution;
}

// What follows a change of `block`: its difference resolved, widths and,
// when `linesChanged`, the numbering redone.
STextEditOutcome Settle(CMergeModel& model, CBlockBase& block, const CEditRecording& recording,
                        STextPoint caret, bool linesChanged) {
    if (!recording.Changed())
        return {caret, STextEditOutcome::kNothingChanged};
    ResolveToEditedSide(model, block, *recording.Step());
    block.InvalidateWidthUp();
    if (linesChanged)
        model.NumberAll();
    return {caret, STextEditOutcome::kActed};
}

bool HasSelection(STextPoint caret, STextPoint anchor) {
    return anchor.IsSet() && caret.IsSet() && anchor != caret;
}

// The block that owns every line from `first` to `last`; null when there is
// none.
CBlockBase* SoleBlock(const CMergeModel& model, TLine first, TLine last) {
    CBlockBase* block = model.Root().FindLine(first);
    for (TLine line = first + 1; block != nullptr && line <= last; ++line) {
        if (model.Root().FindLine(line) != block)
            return nullptr;
    }
    return block;
}

// The UTF-16 units of display line `line` of `block`.
NString::TStr<char16_t> LineText(const CBlockBase& block, TLine line) {
    NString::TStr<char16_t> text;
    block.GetLineText(text, line, nullptr);
    return text;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Deletes [from, to) of `block`, all of it on the block's lines.
STextEditOutcome DeleteInBlock(CMergeModel& model, CBlockBase& block, STextPoint from,
                               STextPoint to, STextPoint unchangedCaret, CUndoStep* step) {
    const CEditRecording recording(step);
    const STextPoint caret = block.DeleteText(recording.Step(), from, to);
    STextEditOutcome outcome = Settle(model, block, recording, caret, from.line != to.line);
    if (outcome.result != STextEditOutcome::kActed)
        outcome.caret = unchangedCaret;
    return outcome;
}

} // namespace

STextEditOutcome DeleteSelectionAsText(CMergeModel& model, STextPoint caret, STextPoint anchor,
                                       CUndoStep* step) {
    if (!HasSelection(caret, anchor))
        return {caret, STextEditOutcome::kNoSelection};
    const STextPoint from = std::min(caret, anchor);
    const STextPoint to = std::max(caret, anchor);
    CBlockBase* block = SoleBlock(model, from.line, to.line);
    if (block == nullptr)
        return {from, STextEditOutcome::kNothingChanged};
    return DeleteInBlock(model, *block, from, to, from, step);
}

STextEditOutcome TypeText(CMergeModel& model, STextPoint caret, STextPoint anchor,
                          std::string_view text, CUndoStep* step) {
    const STextEditOutcome deletion = DeleteSelectionAsText(model, caret, anchor, step);
    const STextEditOutcome unchanged{deletion.caret, deletion.result == STextEditOutcome::kActed
                                                         ? STextEditOutcome::kActed
                                                         : STextEditOutcome::kNothingChanged};
    CBlockBase* block = text.empty() ? nullptr : model.Root().FindLine(deletion.caret.line);
    if (block == nullptr)
        return unchanged;
    const CEditRecording recording(step);
    const STextPoint end = block->InsertText(recording.Step(), deletion.caret, text);
    const STextEditOutcome outcome =
        Settle(model, *block, recording, end, end.line != deletion.caret.line);
    return outcome.result == STextEditOutcome::kActed ? outcome : unchanged;
}

STextEditOutcome DeleteForward(CMergeModel& model, STextPoint caret, STextPoint anchor,
                               CUndoStep* step) {
    if (HasSelection(caret, anchor))
        return DeleteSelectionAsText(model, caret, anchor, step);
    CBlockBase* block = model.Root().FindLine(caret.line);
    if (block == nullptr)
        return {caret, STextEditOutcome::kNothingChanged};
    const NString::TStr<char16_t> line = LineText(*block, caret.line);
    const auto length = static_cast<std::uint32_t>(line.Length());
    if (caret.column < length) {
        const std::uint32_t width =
            IsHighSurrogate(line.Text()[caret.column]) && caret.column + 1 < length ? 2 : 1;
        return DeleteInBlock(model, *block, caret, {caret.line, caret.column + width}, caret, step);
    }
    // Only a line of the same block is joined: lines of two blocks never merge.
    if (model.Root().FindLine(caret.line + 1) != block)
        return {caret, STextEditOutcome::kNothingChanged};
    return DeleteInBlock(model, *block, caret, {caret.line + 1, 0}, caret, step);
}

STextEditOutcome DeleteBackward(CMergeModel& model, STextPoint caret, STextPoint anchor,
                                CUndoStep* step) {
    if (HasSelection(caret, anchor))
        return DeleteSelectionAsText(model, caret, anchor, step);
    CBlockBase* block = model.Root().FindLine(caret.line);
    if (block == nullptr)
        return {caret, STextEditOutcome::kNothingChanged};
    if (caret.column > 0) {
        const NString::TStr<char16_t> line = LineText(*block, caret.line);
        const std::uint32_t width =
            caret.column >= 2 && caret.column <= static_cast<std::uint32_t>(line.Length()) &&
                    IsLowSurrogate(line.Text()[caret.column - 1])
                ? 2
                : 1;
        return DeleteInBlock(model, *block, {caret.line, caret.column - width}, caret, caret, step);
    }
    if (caret.line == 0 || model.Root().FindLine(caret.line - 1) != block)
        return {caret, STextEditOutcome::kNothingChanged};
    const auto previousEnd = static_cast<std::uint32_t>(LineText(*block, caret.line - 1).Length());
    return DeleteInBlock(model, *block, {caret.line - 1, previousEnd}, caret, caret, step);
}
