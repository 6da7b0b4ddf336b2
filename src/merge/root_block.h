#pragma once

#include "merge/block_base.h"

// The top of the block tree. After numbering its lines are {kNoLine, N}:
// the blocks below it fill display lines 0 to N - 1.
class CRootBlock final : public CBlockBase {
public:
    CRootBlock() = default;

    CBlockBase* Clone() const override { return CloneTree(*this); }
    // Numbers every block below from 0 on and records the line count.
    TLine NumberAll();
    TLine LineCount() const { return lines.size() == 2 ? lines.back() : 0; }

    CBlockBase* FindLine(TLine n) const override;
    TLine FirstLine() const override { return 0; }
    TLine LastLine() const override { return LineCount() - 1; }
    // The text of whichever block owns line `n`.
    int GetLineText(NString::TStr<char16_t>& text, TLine n,
                    std::vector<COLORREF>* colours) const override;
    int GetIndent() const override { return 0; }
    // The blocks below, then the trailing text.
    bool WriteMerged(NIO::CBase& out) const override;

    // The text after the last node of the merged document (normally the
    // final line end), borrowed from the input whose layout is taken.
    NString::TStr<char> trailingText;
};
