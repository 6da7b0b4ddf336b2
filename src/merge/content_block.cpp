#include "merge/content_block.h"

#include "merge/block_output.h"
#include "xml/content.h"

#include <algorithm>
#include <cstring>

namespace {

// The length in bytes of the line break at `text`, 0 when none starts there.
int BreakLength(const char* text) {
    const auto byte = [text](int index) { return static_cast<unsigned char>(text[index]); };
    switch (byte(0)) {
    case '\n':
        return 1;
    case '\r':
        if (byte(1) == '\n')
            return 2;
        return byte(1) == 0xC2 && byte(2) == 0x85 ? 3 : 1;
    case 0xC2: // U+0085
        return byte(1) == 0x85 ? 2 : 0;
    case 0xE2: // U+2028
        return byte(1) == 0x80 && byte(2) == 0xA8 ? 3 : 0;
    default:
        return 0;
    }
}

// Copies `length` bytes of `text`; Assign would count characters.
void AssignBytes(NString::TStr<char>& target, const char* text, int length) {
    if (target.Reserve(length) == 0)
        return;
    std::memcpy(target.Text(), text, static_cast<std::size_t>(length));
    target.Text()[length] = 0;
}

// Where the line that starts at `text` ends: the bytes of its characters and
// of its break; a last line without a break has a break length of 0.
struct SLineEnd {
    int length = 0;
    int breakLength = 0;
};

SLineEnd FindLineEnd(const char* text) {
    SLineEnd end;
    for (; text[end.length] != 0; ++end.length) {
        end.breakLength = BreakLength(text + end.length);
        if (end.breakLength != 0)
            break;
    }
    return end;
}

std::uint32_t CountLines(const char* text) {
    std::uint32_t count = 0;
    for (const char* start = text; *start != 0; ++count) {
        const SLineEnd end = FindLineEnd(start);
        start += end.length + end.breakLength;
    }
    return count;
}

} // namespace

void SplitIntoLines(const char* text, NPtr::TArray<CContentBlock::SLine>& lines) {
    // Sized exactly: most texts have one line, and an array grown by adding
    // would start with sixteen slots.
    if (const std::uint32_t count = CountLines(text))
        lines.Reserve(lines.Count() + count);
    for (const char* start = text; *start != 0;) {
        const SLineEnd end = FindLineEnd(start);
        auto* line = new CContentBlock::SLine;
        // A last line without a break ends where the text does, so it can
        // point into the text instead of holding a copy.
        if (end.breakLength == 0)
            line->text.Borrow(start);
        else
            AssignBytes(line->text, start, end.length);
        AssignBytes(line->lineBreak, start + end.length, end.breakLength);
        lines.Add(line);
        start += end.length + end.breakLength;
    }
}

CContentBlock::CContentBlock(const NXML::CNode* shown, int blockSide)
    : CSimpleBlock(shown, blockSide) {
    if (node != nullptr && !NXML::IsWhitespaceContent(node))
        SplitIntoLines(node->Body(), textLines);
}

CContentBlock::CContentBlock(const CContentBlock& other) : CSimpleBlock(other) {
    for (const SLine* line : other.textLines)
        textLines.Add(new SLine(*line));
}

CContentBlock::~CContentBlock() {
    textLines.DeleteAll();
}

TLine CContentBlock::NumberLines(TLine first) {
    lines.assign(1, first);
    if (textLines.Count() > 1)
        lines.push_back(first + textLines.Count() - 1);
    return lines.back() + 1;
}

bool CContentBlock::OwnsLine(TLine n) const {
    return !lines.empty() && n >= lines.front() && n <= lines.back();
}

CBlockBase* CContentBlock::FindLine(TLine n) const {
    return OwnsLine(n) ? const_cast<CContentBlock*>(this) : nullptr;
}

const CContentBlock::SLine* CContentBlock::TextLineAt(TLine n) const {
    const TLine index = n - lines.front();
    return index < textLines.Count() ? textLines[index] : nullptr;
}

int CContentBlock::GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                               std::vector<COLORREF>* colours) const {
    CBlockBase::GetLineText(lineText, n, colours);
    if (node == nullptr || !OwnsLine(n))
        return kSideNone;
    if (const SLine* line = TextLineAt(n))
        lineText = line->text.Text();
    return side;
}

int CContentBlock::GetWidth() {
    if (width == -1) {
        width = 0;
        if (!lines.empty()) {
            for (TLine n = lines.front(); n <= lines.back(); ++n)
                width = std::max(width, RightEnd(n));
        }
    }
    return width;
}

void CContentBlock::PutLines(CBlockOutput& output) const {
    for (const SLine* line : textLines)
        output << line->text << line->lineBreak;
}

void CContentBlock::PutIndentedLines(CBlockOutput& output, int depth, const char* indent) const {
    for (const SLine* line : textLines)
        output.LinePrefix(depth, indent) << line->text << "\r\n";
}

bool CContentBlock::WriteMerged(NIO::CBase& out) const {
    CBlockOutput output(out);
    if (node != nullptr)
        PutLines(output);
    return output.Ok();
}

bool CContentBlock::WriteIndented(NIO::CBase& out, int depth, const char* indent) const {
    CBlockOutput output(out);
    if (node != nullptr)
        PutIndentedLines(output, depth, indent);
    return output.Ok();
}
