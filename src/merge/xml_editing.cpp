#include "merge/xml_editing.h"

#include "merge/attribute_block.h"
#include "merge/block_selector.h"
#include "merge/comment_block.h"
#include "merge/element_block.h"
#include "merge/merge_model.h"
#include "merge/undo_history.h"
#include "merge/view_notifications.h"
#include "merge/xml_clipboard.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Whether `ancestor` holds `block` somewhere below it (through attribute lists too).
bool IsWithin(const CBlockBase& block, const CBlockBase& ancestor) {
    for (const CBlockBase* above = block.ParentBlock(); above != nullptr;
         above = above->ParentBlock())
        if (above == &ancestor)
            return true;
    return false;
}

// The blocks from the root down to `block`.
std::vector<const CBlockBase*> PathFromRoot(const CBlockBase& block) {
    std::vector<const CBlockBase*> path;
    for (const CBlockBase* step = &block; step != nullptr; step = step->ParentBlock())
        path.push_back(step);
    std::reverse(path.begin(), path.end());
    return path;
}

const CBlockBase* OutsideAttributeList(const CBlockBase* block) {
    while (block->IsAttributeList())
        block = block->ParentBlock();
    return block;
}

SLineRange RangeOf(const CBlockBase& block) {
    return {block.FirstLine(), block.LastLine()};
}

CBlockBase* TreeParent(const CBlockBase& block) {
    return static_cast<CBlockBase*>(block.Parent());
}

// The block, or its selector when it is an alternative.
CBlockBase* WithSelector(CBlockBase* block) {
    CBlockBase* parent = block->ParentBlock();
    return parent != nullptr && parent->IsBlockSelector() ? parent : block;
}

// The tree after blocks came or went: lines numbered, differences listed.
void Settle(CMergeModel& model) {
    model.NumberAll();
    model.CollectSelectors();
    CurrentViewNotifications().RefreshPanes();
}

void DeleteRun(const SBlockRun& run, CUndoStep* step) {
    // Without a step the records still take the blocks, and delete them.
    CUndoStep discarded;
    CUndoStep& records = step != nullptr ? *step : discarded;
    CBlockBase* parent = TreeParent(*run.first);
    CBlockBase* block = run.first;
    while (block != nullptr && block->FirstLine() <= run.lastLine) {
        CBlockBase* next = block->NextSiblingBlock();
        CUndoRecord* record = records.AddRecord(CUndoRecord::kBlockDeleted);
        record->block = block;
        record->SetPlace(next != nullptr ? next : parent, next == nullptr);
        record->TakeBlock();
        block = next;
    }
}

// The attribute a pasted block stands for; null for other blocks.
const CAttributeBlock* AsAttribute(const CBlockBase& block) {
    const CBlockBase* shown = &block;
    if (block.IsBlockSelector())
        shown = static_cast<const CBlockSelector&>(block).FirstAlternativeWithNode();
    return shown != nullptr && shown->IsAttributeBlock()
               ? static_cast<const CAttributeBlock*>(shown)
               : nullptr;
}

// Where pasted blocks go: into `parent`, before `before` or at the end.
struct SInsertionPoint {
    CBlockBase* parent = nullptr;
    CBlockBase* before = nullptr;
};

SInsertionPoint Before(CBlockBase* block) {
    CBlockBase* before = WithSelector(block);
    return {TreeParent(*before), before};
}

// Where blocks pasted on `line` go, as the block there decides.
std::optional<SInsertionPoint> InsertionPointAt(CMergeModel& model, TLine line, bool attributes) {
    CBlockBase* block = model.Root().FindLine(line);
    if (block == nullptr) {
        if (attributes)
            return std::nullopt;
        return SInsertionPoint{&model.Root(), nullptr};
    }
    if (attributes) {
        if (block->IsAttributeBlock())
            return Before(block);
        // A placeholder stands for an element a side lacks: it has no attributes.
        auto* element = block->IsElementBlock() ? static_cast<CElementBlock*>(block) : nullptr;
        if (element != nullptr && element->Element() != nullptr)
            return SInsertionPoint{&element->Attributes(), nullptr};
        return std::nullopt;
    }
    if (block->IsAttributeBlock())
        return std::nullopt;
    if (block->IsElementBlock() && line == block->LastLine() && line != block->FirstLine())
        return SInsertionPoint{block, nullptr};
    return Before(block);
}

// Whether an attribute of `parent` that stays has the name of a pasted one.
bool NamesClash(const CBlockBase& parent, const SBlockRun& deleted,
                const CXMLClipboard& clipboard) {
    for (const CBlockBase* pasted = clipboard.FirstBlock(); pasted != nullptr;
         pasted = pasted->NextSiblingBlock()) {
        const CAttributeBlock* attribute = AsAttribute(*pasted);
        if (attribute == nullptr)
            continue;
        for (const CBlockBase* present = parent.FirstChildBlock(); present != nullptr;
             present = present->NextSiblingBlock()) {
            const CAttributeBlock* other = AsAttribute(*present);
            if (other != nullptr && !deleted.Contains(*present) &&
                std::strcmp(other->Name(), attribute->Name()) == 0)
                return true;
        }
    }
    return false;
}

// The place for the clipboard's blocks, or none; over a selection a place
// inside the deleted blocks becomes the place where they stood.
std::optional<SInsertionPoint> FindInsertionPoint(CMergeModel& model,
                                                  const CXMLClipboard& clipboard,
                                                  const SBlockRun& deleted, TLine line) {
    if (!model.IsMerge() || clipboard.IsEmpty())
        return std::nullopt;
    const bool attributes = AsAttribute(*clipboard.FirstBlock()) != nullptr;
    std::optional<SInsertionPoint> point = InsertionPointAt(model, line, attributes);
    if (!point)
        return std::nullopt;
    if (deleted.Contains(*point->parent) ||
        (point->before != nullptr && deleted.Contains(*point->before)))
        point = SInsertionPoint{TreeParent(*deleted.first), deleted.Next()};
    if (point->parent->IsAttributeList() != attributes)
        return std::nullopt;
    if (attributes && NamesClash(*point->parent, deleted, clipboard))
        return std::nullopt;
    return point;
}

// Whether `block` is an element, or a difference between elements.
bool HoldsElement(const CBlockBase& block) {
    if (block.IsElementBlock())
        return true;
    if (!block.IsBlockSelector())
        return false;
    for (const CBlockBase* child = block.FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock())
        if (child->IsElementBlock())
            return true;
    return false;
}

// A document has exactly one root element: whole-block edits never take it
// away nor put a second one beside it.
bool TakesTheRootElement(const CMergeModel& model, const SBlockRun& run) {
    if (run.IsEmpty() || run.first->Parent() != &model.Root())
        return false;
    for (const CBlockBase* block = run.first;
         block != nullptr && block->FirstLine() <= run.lastLine; block = block->NextSiblingBlock())
        if (HoldsElement(*block))
            return true;
    return false;
}

// Outside the root element a document holds only comments (besides
// whitespace, declarations and instructions, which are never copied alone).
bool PutsMoreOutsideTheRoot(const CMergeModel& model, const SInsertionPoint& point,
                            const CXMLClipboard& clipboard) {
    if (point.parent != &model.Root())
        return false;
    for (const CBlockBase* block = clipboard.FirstBlock(); block != nullptr;
         block = block->NextSiblingBlock())
        if (dynamic_cast<const CCommentBlock*>(block) == nullptr)
            return true;
    return false;
}

} // namespace

SLineRange ExpandToBlocks(const CRootBlock& root, TLine line1, TLine line2) {
    const CBlockBase* b1 = root.FindLine(line1);
    const CBlockBase* b2 = root.FindLine(line2);
    if (b1 == nullptr)
        return {line1, line2};
    if (b2 == nullptr || b1 == b2 || IsWithin(*b2, *b1))
        return RangeOf(*b1);
    if (IsWithin(*b1, *b2))
        return RangeOf(*b2);
    const std::vector<const CBlockBase*> path1 = PathFromRoot(*b1);
    const std::vector<const CBlockBase*> path2 = PathFromRoot(*b2);
    // Neither holds the other, so the paths part before either ends.
    std::size_t level = 0;
    while (path1[level] == path2[level])
        ++level;
    const CBlockBase* side1 = OutsideAttributeList(path1[level]);
    const CBlockBase* side2 = OutsideAttributeList(path2[level]);
    if (side1 == side2 || IsWithin(*side2, *side1))
        return RangeOf(*side1);
    if (IsWithin(*side1, *side2))
        return RangeOf(*side2);
    return {side1->FirstLine(), side2->LastLine()};
}

bool SBlockRun::Contains(const CBlockBase& block) const {
    if (IsEmpty())
        return false;
    const NPtr::CNode* parent = first->Parent();
    for (const CBlockBase* step = &block; step != nullptr; step = step->ParentBlock())
        if (step->Parent() == parent && step->FirstLine() >= first->FirstLine() &&
            step->FirstLine() <= lastLine)
            return true;
    return false;
}

CBlockBase* SBlockRun::Next() const {
    CBlockBase* block = first;
    while (block != nullptr && block->FirstLine() <= lastLine)
        block = block->NextSiblingBlock();
    return block;
}

SLineRange SelectedLines(STextPoint caret, STextPoint anchor) {
    if (!anchor.IsSet() || !caret.IsSet() || anchor == caret)
        return {};
    const STextPoint from = std::min(caret, anchor);
    const STextPoint to = std::max(caret, anchor);
    const TLine last = to.column == 0 && to.line > from.line ? to.line - 1 : to.line;
    return {from.line, last};
}

SBlockRun SelectedBlocks(const CMergeModel& model, STextPoint caret, STextPoint anchor) {
    const SLineRange lines = SelectedLines(caret, anchor);
    if (lines.first == kNoLine)
        return {};
    const SLineRange blocks = ExpandToBlocks(model.Root(), lines.first, lines.last);
    CBlockBase* first = model.Root().FindLine(blocks.first);
    if (first == nullptr)
        return {};
    first = WithSelector(first);
    return {first, std::max(blocks.last, first->LastLine())};
}

int DeleteSelectionAsXML(CMergeModel& model, STextPoint caret, STextPoint anchor, CUndoStep* step) {
    if (!model.IsMerge())
        return kNothingSelected;
    const SBlockRun run = SelectedBlocks(model, caret, anchor);
    if (run.IsEmpty() || TakesTheRootElement(model, run))
        return kNothingSelected;
    DeleteRun(run, step);
    Settle(model);
    return kDeletedBlocks;
}

bool PasteXML(CMergeModel& model, const CXMLClipboard& clipboard, STextPoint caret,
              STextPoint anchor, CUndoStep* step) {
    const SBlockRun deleted = SelectedBlocks(model, caret, anchor);
    const SLineRange lines = SelectedLines(caret, anchor);
    const TLine line = lines.first != kNoLine ? lines.first : caret.line;
    const std::optional<SInsertionPoint> point =
        FindInsertionPoint(model, clipboard, deleted, line);
    if (!point || TakesTheRootElement(model, deleted) ||
        PutsMoreOutsideTheRoot(model, *point, clipboard))
        return false;
    if (!deleted.IsEmpty())
        DeleteRun(deleted, step);
    for (const CBlockBase* pasted = clipboard.FirstBlock(); pasted != nullptr;
         pasted = pasted->NextSiblingBlock()) {
        CBlockBase* clone = pasted->Clone();
        point->parent->AddChild(clone, point->before);
        if (step == nullptr)
            continue;
        CUndoRecord* record = step->AddRecord(CUndoRecord::kBlockInserted);
        record->block = clone;
        CBlockBase* next = clone->NextSiblingBlock();
        record->SetPlace(next != nullptr ? next : point->parent, next == nullptr);
    }
    model.Root().InvalidateWidth();
    Settle(model);
    return true;
}
