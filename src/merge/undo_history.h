#pragma once

#include "framework/node.h"
#include "framework/str.h"
#include "merge/text_point.h"

#include <cstdint>

class CBlockBase;
class CMergeModel;

// One change an action made to the result: text put into or taken out of a
// block, a block put into or taken out of the tree, or a difference resolved
// anew by an edit.
class CUndoRecord final : public NPtr::CNode {
public:
    enum EType : std::uint32_t {
        kTextInserted = 1,
        kBlockInserted = 2,
        kTextDeleted = 3,
        kBlockDeleted = 4,
        // An edit resolved its difference to the edited side; undoing the
        // edit gives the difference the resolution it had.
        kResolutionChanged = 5,
    };
    // The record owns `block`, which is not in the tree.
    static constexpr std::uint32_t kOwnsBlock = 0x1;
    // `place` is the parent to append to, not the sibling to go before.
    static constexpr std::uint32_t kPlaceIsParent = 0x2;

    explicit CUndoRecord(EType recordType);
    // Deletes the block when the record owns it.
    ~CUndoRecord() override;

    // Where a block goes back: before `sibling`, or appended to `parent`.
    void SetPlace(CBlockBase* where, bool isParent);
    // Takes the block out of the tree (when it is in it); the record owns it
    // from then on.
    void TakeBlock();
    // Puts the block back at its place; the tree owns it again.
    void PutBlockBack();

    void Undo();
    void Redo();

    EType type;
    // The text inserted or deleted (UTF-8), with its own line breaks.
    NString::TStr<char> text;
    CBlockBase* block = nullptr;
    CBlockBase* place = nullptr;
    // The range of the text: where it starts and where it ends.
    STextPoint start;
    STextPoint end;
    // For kResolutionChanged: the selector's resolution before and after.
    int resolutionBefore = -1;
    int resolutionAfter = -1;
    std::uint32_t flags = 0;
};

// One user action: its records in the order they were made, and where the
// caret and the selection anchor were before it and the caret after it.
class CUndoStep final : public NPtr::CNode {
public:
    // A new record of `type`, appended; the caller fills it in.
    CUndoRecord* AddRecord(CUndoRecord::EType type);
    CUndoRecord* FirstRecord() const { return static_cast<CUndoRecord*>(FirstChild()); }
    CUndoRecord* LastRecord() const { return static_cast<CUndoRecord*>(LastChild()); }

    STextPoint caretBefore;
    STextPoint anchorBefore;
    STextPoint caretAfter;
};

// The history of the result's changes: the steps that can be undone, and
// after them those that were undone and can be redone. Cleared on every
// load. One thread.
class CUndoHistory {
public:
    CUndoHistory() = default;
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // Starts recording an action. Until it ends with records, what can be
    // redone stays: an action that changes nothing takes nothing away.
    CUndoStep* BeginAction(STextPoint caret, STextPoint anchor);
    // Ends the action: without records it leaves no trace; with records it
    // becomes the last step, and the undone steps are dropped.
    void EndAction(CUndoStep* step, STextPoint caretAfter);

    bool CanUndo() const;
    bool CanRedo() const { return m_cursor != nullptr; }
    // Undoes the last step that is not undone; null when there is none.
    CUndoStep* Undo(CMergeModel& model);
    // Redoes the first undone step; null when there is none.
    CUndoStep* Redo(CMergeModel& model);

    void Clear();
    bool IsEmpty() const { return m_steps.FirstChild() == nullptr; }

private:
    CUndoStep* LastStep() const { return static_cast<CUndoStep*>(m_steps.LastChild()); }
    // Deletes the undone steps, up to but not including `keep`.
    void DropUndone(const CUndoStep* keep);

    NPtr::CNode m_steps;
    // The first undone step; null when nothing is undone.
    CUndoStep* m_cursor = nullptr;
    // The step being recorded, kept apart from the undone ones.
    CUndoStep* m_recording = nullptr;
};
