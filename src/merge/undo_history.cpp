#include "merge/undo_history.h"

#include "merge/block_base.h"
#include "merge/block_selector.h"
#include "merge/merge_model.h"
#include "merge/view_notifications.h"

CUndoRecord::CUndoRecord(EType recordType) : type(recordType) {}

CUndoRecord::~CUndoRecord() {
    if ((flags & kOwnsBlock) != 0)
        delete block;
}

void CUndoRecord::SetPlace(CBlockBase* where, bool isParent) {
    place = where;
    flags = isParent ? flags | kPlaceIsParent : flags & ~kPlaceIsParent;
}

void CUndoRecord::TakeBlock() {
    if (block == nullptr || (flags & kOwnsBlock) != 0)
        return;
    if (CBlockBase* parent = block->ParentBlock())
        parent->InvalidateWidthUp();
    CurrentViewNotifications().DropBlock(*block);
    if (NPtr::CNode* parent = block->Parent())
        parent->RemoveChild(block);
    flags |= kOwnsBlock;
}

void CUndoRecord::PutBlockBack() {
    if (block == nullptr || place == nullptr || (flags & kOwnsBlock) == 0)
        return;
    if ((flags & kPlaceIsParent) != 0)
        place->AddChild(block);
    else if (NPtr::CNode* parent = place->Parent())
        parent->AddChild(block, place);
    else
        return;
    flags &= ~kOwnsBlock;
    block->InvalidateWidthUp();
    CurrentViewNotifications().DropBlock(*block);
}

void CUndoRecord::Undo() {
    switch (type) {
    case kTextInserted:
        block->DeleteText(nullptr, start, end);
        break;
    case kTextDeleted:
        block->InsertText(nullptr, start, {text.Text(), static_cast<std::size_t>(text.Length())});
        break;
    case kBlockInserted:
        TakeBlock();
        return;
    case kBlockDeleted:
        PutBlockBack();
        return;
    case kResolutionChanged:
        static_cast<CBlockSelector*>(block)->SetResolution(resolutionBefore);
        break;
    }
    block->InvalidateWidthUp();
}

void CUndoRecord::Redo() {
    switch (type) {
    case kTextInserted:
        block->InsertText(nullptr, start, {text.Text(), static_cast<std::size_t>(text.Length())});
        break;
    case kTextDeleted:
        block->DeleteText(nullptr, start, end);
        break;
    case kBlockInserted:
        PutBlockBack();
        return;
    case kBlockDeleted:
        TakeBlock();
        return;
    case kResolutionChanged:
        static_cast<CBlockSelector*>(block)->SetResolution(resolutionAfter);
        break;
    }
    block->InvalidateWidthUp();
}

CUndoRecord* CUndoStep::AddRecord(CUndoRecord::EType type) {
    auto* record = new CUndoRecord(type);
    AddChild(record);
    return record;
}

CUndoStep* CUndoHistory::BeginAction(STextPoint caret, STextPoint anchor) {
    delete m_recording;
    m_recording = new CUndoStep;
    m_recording->caretBefore = caret;
    m_recording->anchorBefore = anchor;
    return m_recording;
}

void CUndoHistory::EndAction(CUndoStep* step, STextPoint caretAfter) {
    if (step == nullptr || step != m_recording)
        return;
    m_recording = nullptr;
    if (step->FirstChild() == nullptr) {
        delete step;
        return;
    }
    DropUndone(nullptr);
    step->caretAfter = caretAfter;
    m_steps.AddChild(step);
}

void CUndoHistory::DropUndone(const CUndoStep* keep) {
    while (m_cursor != nullptr && m_cursor != keep) {
        auto* next = static_cast<CUndoStep*>(m_cursor->NextSibling());
        delete m_cursor;
        m_cursor = next;
    }
}

bool CUndoHistory::CanUndo() const {
    return !IsEmpty() && m_cursor != m_steps.FirstChild();
}

namespace {

// The tree after records were replayed: lines numbered, differences listed.
void Settle(CMergeModel& model) {
    model.NumberAll();
    model.CollectSelectors();
    CurrentViewNotifications().RefreshPanes();
}

} // namespace

CUndoStep* CUndoHistory::Undo(CMergeModel& model) {
    if (!CanUndo())
        return nullptr;
    m_cursor =
        m_cursor == nullptr ? LastStep() : static_cast<CUndoStep*>(m_cursor->PreviousSibling());
    for (CUndoRecord* record = m_cursor->LastRecord(); record != nullptr;
         record = static_cast<CUndoRecord*>(record->PreviousSibling()))
        record->Undo();
    Settle(model);
    return m_cursor;
}

CUndoStep* CUndoHistory::Redo(CMergeModel& model) {
    if (m_cursor == nullptr)
        return nullptr;
    CUndoStep* step = m_cursor;
    m_cursor = static_cast<CUndoStep*>(step->NextSibling());
    for (CUndoRecord* record = step->FirstRecord(); record != nullptr;
         record = static_cast<CUndoRecord*>(record->NextSibling()))
        record->Redo();
    Settle(model);
    return step;
}

void CUndoHistory::Clear() {
    m_cursor = nullptr;
    delete m_recording;
    m_recording = nullptr;
    m_steps.DeleteChildren();
}
