#pragma once

#include "merge/block_base.h"

class CSideOrder;
class CSimpleBlock;

// A difference: one alternative block per side, in column order, and the
// position of the alternative the merged document takes. Unresolved, it is
// a conflict. Selectors never nest.
class CBlockSelector final : public CBlockBase {
public:
    // The view's difference frame stands this far right of the widest line.
    static constexpr int kFrameRightMargin = 61;
    static constexpr int kFrameLeftMargin = 10;

    CBlockSelector() = default;

    CBlockBase* Clone() const override { return CloneTree(*this); }
    // The alternatives are numbered one after another; no line of its own.
    TLine NumberLines(TLine first) override;
    CBlockBase* FindLine(TLine n) const override;
    TLine FirstLine() const override;
    TLine LastLine() const override;
    void CollectSelectors(NPtr::TArray<CBlockSelector>& list) override;
    // Also places the difference frame.
    int GetWidth() override;
    // The chosen alternative; unresolved, a gap in a CMergedTextWithGaps and
    // a failure in any other stream.
    bool WriteMerged(NIO::CBase& out) const override;
    bool IsBlockSelector() const override { return true; }

    // Chooses the alternative of `side`; a side the operation does not use
    // (the base in a two-way operation) leaves the selector unresolved.
    void Resolve(int side, const CSideOrder& order) { resolution = order.PositionOf(side); }
    void SetResolution(int position) { resolution = position; }
    bool IsResolved() const { return resolution >= 0; }
    // The alternative at the resolution's position; null when unresolved.
    CSimpleBlock* ChosenAlternative() const;
    // The first alternative that shows a node, not a placeholder.
    CSimpleBlock* FirstAlternativeWithNode() const;
    CSimpleBlock* AlternativeOfSide(int alternativeSide) const;
    // Whether some alternative starts at `line`.
    bool IsAlternativeStart(TLine line) const;

    int FrameLeft() const { return m_frameLeft; }
    int FrameRight() const { return m_frameRight; }

    // The position in the side order of the chosen alternative; -1 for none.
    int resolution = -1;

private:
    CSimpleBlock* FirstAlternative() const { return Alternative(FirstChildBlock()); }
    static CSimpleBlock* Alternative(CBlockBase* block);
    void PlaceFrame();

    int m_frameLeft = 0;
    int m_frameRight = 0;
};
