#pragma once

#include "merge/content_block.h"

// A comment: its body in lines like character data, shown with its markers
// and in the comment colour. An empty comment has one empty line.
class CCommentBlock final : public CContentBlock {
public:
    CCommentBlock(const NXML::CNode* node, int blockSide);

    CBlockBase* Clone() const override { return CloneTree(*this); }
    int GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                    std::vector<COLORREF>* colours) const override;
    // After the whitespace that stood before the comment, so that a comment
    // on a line of its own stays there.
    bool WriteMerged(NIO::CBase& out) const override;
    bool WriteIndented(NIO::CBase& out, int depth, const char* indent) const override;

    // As character data, except that an edit after which the body would
    // hold "--" or end with "-" (which no comment may) is taken back.
    STextPoint InsertText(CUndoStep* step, STextPoint at, std::string_view typed) override;
    STextPoint DeleteText(CUndoStep* step, STextPoint from, STextPoint to) override;

protected:
    // "<!--" stands before the body.
    std::uint32_t LeadColumns() const override { return 4; }

private:
    bool IsWellFormedBody() const;
    // Moves the record of an edit from `made` to `step`, or undoes the edit
    // when it spoiled the body; where the caret goes.
    STextPoint KeepWellFormed(CUndoStep& made, CUndoStep* step, STextPoint before,
                              STextPoint after);
};
