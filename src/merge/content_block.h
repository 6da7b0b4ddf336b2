#pragma once

#include "framework/allocator.h"
#include "framework/array.h"
#include "merge/simple_block.h"

class CBlockOutput;

// Character data, shown one display line per line of its text. Only the
// first and the last display line are kept in `lines`.
class CContentBlock : public CSimpleBlock {
public:
    // One line of the text and the break that ended it in the source. The
    // text may be borrowed from the node until an edit gives it a copy.
    struct SLine : public NMem::CPooled {
        NString::TStr<char> text;
        // "\r\n", "\n", "\r", U+0085 alone or after "\r", U+2028; empty for a
        // last line without a break.
        NString::TStr<char> lineBreak;
    };

    // Splits the node's text into lines; whitespace-only character data has none.
    CContentBlock(const NXML::CNode* node, int blockSide);
    CContentBlock(const CContentBlock& other);
    ~CContentBlock() override;

    CBlockBase* Clone() const override { return CloneTree(*this); }
    TLine NumberLines(TLine first) override;
    CBlockBase* FindLine(TLine n) const override;
    int GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                    std::vector<COLORREF>* colours) const override;
    int GetWidth() override;
    // The lines with their breaks, as in the source.
    bool WriteMerged(NIO::CBase& out) const override;
    bool WriteIndented(NIO::CBase& out, int depth, const char* indent) const override;

    // The text in lines; the array owns them.
    NPtr::TArray<SLine> textLines;

protected:
    // Whether display line `n` is one of this block's.
    bool OwnsLine(TLine n) const;
    // The text line shown on display line `n`, null for none.
    const SLine* TextLineAt(TLine n) const;
    void PutLines(CBlockOutput& output) const;
    void PutIndentedLines(CBlockOutput& output, int depth, const char* indent) const;
};

// Appends the lines of `text` to `lines`. A line ends at a line feed, a
// carriage return (with a line feed or U+0085 right after it), U+0085 or
// U+2028; a text that ends with a break has no empty line after it. A last
// line without a break borrows its text from `text`, which must outlive it.
void SplitIntoLines(const char* text, NPtr::TArray<CContentBlock::SLine>& lines);
