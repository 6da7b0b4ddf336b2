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

protected:
    // "<!--" stands before the body.
    std::uint32_t LeadColumns() const override { return 4; }
};
