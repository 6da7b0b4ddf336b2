#include "merge/content_block.h"

#include "merge/block_output.h"
#include "merge/markup_escape.h"
#include "merge/undo_history.h"
#include "merge/utf16_columns.h"
#include "xml/content.h"

#include <algorithm>
#include <cstring>
#include <string>

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

namespace {

const char* SourceForm(const NString::TStr<char>& text, bool escape, std::string& buffer) {
    if (!escape)
        return text.Text();
    buffer = EscapeMarkup(text.Text(), 0);
    return buffer.c_str();
}

} // namespace

void CContentBlock::PutLines(CBlockOutput& output, bool escape) const {
    std::string buffer;
    for (const SLine* line : textLines)
        output << SourceForm(line->text, escape, buffer) << line->lineBreak;
}

void CContentBlock::PutIndentedLines(CBlockOutput& output, int depth, const char* indent,
                                     bool escape) const {
    std::string buffer;
    for (const SLine* line : textLines)
        output.LinePrefix(depth, indent) << SourceForm(line->text, escape, buffer) << "\r\n";
}

bool CContentBlock::WriteMerged(NIO::CBase& out) const {
    CBlockOutput output(out);
    if (node != nullptr)
        PutLines(output, HasFlags(kTextEdited));
    return output.Ok();
}

bool CContentBlock::WriteIndented(NIO::CBase& out, int depth, const char* indent) const {
    CBlockOutput output(out);
    if (node != nullptr)
        PutIndentedLines(output, depth, indent, HasFlags(kTextEdited));
    return output.Ok();
}

namespace {

std::string_view View(const NString::TStr<char>& text) {
    return {text.Text(), static_cast<std::size_t>(text.Length())};
}

// Puts `line` at `index` of `lines`, moving the lines from there on back.
void InsertLine(NPtr::TArray<CContentBlock::SLine>& lines, std::uint32_t index,
                CContentBlock::SLine* line) {
    lines.Add(line);
    std::rotate(lines.Data() + index, lines.Data() + lines.Count() - 1,
                lines.Data() + lines.Count());
}

void AddTextRecord(CUndoStep* step, CUndoRecord::EType type, CBlockBase* block,
                   const std::string& text, STextPoint start, STextPoint end) {
    if (step == nullptr)
        return;
    CUndoRecord* record = step->AddRecord(type);
    record->block = block;
    record->text = text.c_str();
    record->start = start;
    record->end = end;
}

} // namespace

bool CContentBlock::HoldsTextLine(TLine n) const {
    return node != nullptr && !lines.empty() && n >= lines.front() &&
           n - lines.front() < textLines.Count();
}

bool CContentBlock::FindPlace(STextPoint at, STextPlace& place) const {
    if (!HoldsTextLine(at.line))
        return false;
    place.index = at.line - lines.front();
    const std::uint32_t lead = place.index == 0 ? LeadColumns() : 0;
    if (at.column < lead)
        return false;
    const std::string_view text = View(textLines[place.index]->text);
    place.column = CharacterStartColumn(text, at.column - lead);
    return at.column - lead <= Utf16Columns(text);
}

STextPoint CContentBlock::PointOf(STextPlace place) const {
    return {lines.front() + place.index, place.column + (place.index == 0 ? LeadColumns() : 0)};
}

CContentBlock::STextPlace CContentBlock::ClippedPlace(STextPoint at) const {
    STextPlace place;
    place.index = at.line - lines.front();
    const std::uint32_t lead = place.index == 0 ? LeadColumns() : 0;
    place.column = CharacterStartColumn(View(textLines[place.index]->text),
                                        at.column > lead ? at.column - lead : 0);
    return place;
}

STextPoint CContentBlock::InsertText(CUndoStep* step, STextPoint at, std::string_view typed) {
    STextPlace place;
    if (typed.empty() || !FindPlace(at, place))
        return at;
    const STextPoint start = PointOf(place);
    const std::string source(typed);
    NPtr::TArray<SLine> pieces;
    SplitIntoLines(source.c_str(), pieces);
    // The text after the last break goes into the line where the caret ends.
    std::string tail;
    std::uint32_t broken = pieces.Count();
    if (broken != 0 && pieces[broken - 1]->lineBreak.IsEmpty())
        tail = pieces[--broken]->text.Text();
    for (std::uint32_t k = 0; k < broken; ++k) {
        SLine* line = textLines[place.index];
        const std::string whole(line->text.Text());
        const std::size_t cut = ByteOffsetOfColumn(whole, place.column);
        auto* head = new SLine;
        head->text = (whole.substr(0, cut) + pieces[k]->text.Text()).c_str();
        head->lineBreak = pieces[k]->lineBreak;
        InsertLine(textLines, place.index, head);
        line->text = whole.substr(cut).c_str();
        place = {place.index + 1, 0};
    }
    pieces.DeleteAll();
    SLine* line = textLines[place.index];
    std::string whole(line->text.Text());
    whole.insert(ByteOffsetOfColumn(whole, place.column), tail);
    line->text = whole.c_str();
    place.column += Utf16Columns(tail);
    SetFlags(kTextEdited);
    const STextPoint end = PointOf(place);
    AddTextRecord(step, CUndoRecord::kTextInserted, this, source, start, end);
    return end;
}

STextPoint CContentBlock::DeleteText(CUndoStep* step, STextPoint from, STextPoint to) {
    if (!HoldsTextLine(from.line) || !HoldsTextLine(to.line))
        return from;
    const STextPlace first = ClippedPlace(std::min(from, to));
    const STextPlace last = ClippedPlace(std::max(from, to));
    const STextPoint start = PointOf(first);
    const STextPoint end = PointOf(last);
    if (start >= end)
        return start;
    SLine* line = textLines[first.index];
    const std::string head(line->text.Text());
    const std::size_t cut = ByteOffsetOfColumn(head, first.column);
    const std::string endText(textLines[last.index]->text.Text());
    const std::size_t endCut = ByteOffsetOfColumn(endText, last.column);
    std::string removed;
    if (first.index == last.index) {
        removed = head.substr(cut, endCut - cut);
    } else {
        removed = head.substr(cut) + line->lineBreak.Text();
        for (std::uint32_t k = first.index + 1; k < last.index; ++k)
            removed += std::string(textLines[k]->text.Text()) + textLines[k]->lineBreak.Text();
        removed += endText.substr(0, endCut);
        line->lineBreak = textLines[last.index]->lineBreak;
        for (std::uint32_t k = last.index; k > first.index; --k)
            delete static_cast<SLine*>(textLines.RemoveAt(k));
    }
    line->text = (head.substr(0, cut) + endText.substr(endCut)).c_str();
    SetFlags(kTextEdited);
    AddTextRecord(step, CUndoRecord::kTextDeleted, this, removed, start, end);
    return start;
}
