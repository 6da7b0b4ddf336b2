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
    // The text splits at typed line breaks, which it keeps; the caller
    // renumbers the lines.
    STextPoint InsertText(CUndoStep* step, STextPoint at, std::string_view typed) override;
    // A range over several lines joins its ends; the removed text keeps the
    // breaks it had, and the joined line keeps the break that ended the range.
    STextPoint DeleteText(CUndoStep* step, STextPoint from, STextPoint to) override;

    // The text in lines; the array owns them.
    NPtr::TArray<SLine> textLines;

protected:
    // Whether display line `n` is one of this block's.
    bool OwnsLine(TLine n) const;
    // The text line shown on display line `n`, null for none.
    const SLine* TextLineAt(TLine n) const;
    // The lines with `escape`, edited text in its source form.
    void PutLines(CBlockOutput& output, bool escape) const;
    void PutIndentedLines(CBlockOutput& output, int depth, const char* indent, bool escape) const;
    // The columns of markup before the text on the first line.
    virtual std::uint32_t LeadColumns() const { return 0; }

private:
    // A place in the text: a line of `textLines` and a column of its text.
    struct STextPlace {
        std::uint32_t index = 0;
        std::uint32_t column = 0;
    };
    // Whether display line `n` shows a line of the text. Unlike OwnsLine it
    // holds between an edit that changed the number of lines and the
    // renumbering after it, as undo replays the records of one action.
    bool HoldsTextLine(TLine n) const;
    // The place of `at`, a point of this block's text; false outside it.
    bool FindPlace(STextPoint at, STextPlace& place) const;
    STextPoint PointOf(STextPlace place) const;
    // The place of `at`, its column clipped to the text; `at` must lie on a
    // line of the text.
    STextPlace ClippedPlace(STextPoint at) const;
};

// Appends the lines of `text` to `lines`. A line ends at a line feed, a
// carriage return (with a line feed or U+0085 right after it), U+0085 or
// U+2028; a text that ends with a break has no empty line after it. A last
// line without a break borrows its text from `text`, which must outlive it.
void SplitIntoLines(const char* text, NPtr::TArray<CContentBlock::SLine>& lines);
