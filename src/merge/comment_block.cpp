#include "merge/comment_block.h"

#include "merge/block_output.h"
#include "merge/undo_history.h"

#include <string>

namespace {

constexpr COLORREF kCommentColour = 0x007000;

} // namespace

CCommentBlock::CCommentBlock(const NXML::CNode* shown, int blockSide)
    : CContentBlock(shown, blockSide) {
    if (node != nullptr && textLines.IsEmpty()) {
        textLines.Reserve(1);
        textLines.Add(new SLine);
    }
}

int CCommentBlock::GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                               std::vector<COLORREF>* colours) const {
    CBlockBase::GetLineText(lineText, n, colours);
    if (node == nullptr || !OwnsLine(n))
        return kSideNone;
    NString::TStr<char> line;
    if (n == lines.front())
        line = "<!--";
    if (const SLine* textLine = TextLineAt(n))
        line.Append(textLine->text.Text());
    if (n == lines.back())
        line.Append("-->");
    lineText = line.Text();
    if (colours != nullptr)
        colours->assign(static_cast<std::size_t>(lineText.Length()), kCommentColour);
    return side;
}

bool CCommentBlock::WriteMerged(NIO::CBase& out) const {
    CBlockOutput output(out);
    if (node != nullptr) {
        output << WhitespaceBefore() << "<!--";
        PutLines(output, false);
        output << "-->";
    }
    return output.Ok();
}

bool CCommentBlock::WriteIndented(NIO::CBase& out, int depth, const char* indent) const {
    CBlockOutput output(out);
    if (node != nullptr) {
        output.LinePrefix(depth, indent) << "<!--\r\n";
        PutIndentedLines(output, depth, indent, false);
        output.LinePrefix(depth, indent) << "-->\r\n";
    }
    return output.Ok();
}

bool CCommentBlock::IsWellFormedBody() const {
    std::string body;
    for (const SLine* line : textLines)
        body.append(line->text.Text()).append(line->lineBreak.Text());
    return body.find("--") == std::string::npos && !body.ends_with('-');
}

STextPoint CCommentBlock::KeepWellFormed(CUndoStep& made, CUndoStep* step, STextPoint before,
                                         STextPoint after) {
    CUndoRecord* record = made.FirstRecord();
    if (record == nullptr)
        return after;
    if (!IsWellFormedBody()) {
        record->Undo();
        return before;
    }
    if (step != nullptr) {
        made.RemoveChild(record);
        step->AddChild(record);
    }
    return after;
}

STextPoint CCommentBlock::InsertText(CUndoStep* step, STextPoint at, std::string_view typed) {
    CUndoStep made;
    const STextPoint end = CContentBlock::InsertText(&made, at, typed);
    return KeepWellFormed(made, step, at, end);
}

STextPoint CCommentBlock::DeleteText(CUndoStep* step, STextPoint from, STextPoint to) {
    CUndoStep made;
    const STextPoint start = CContentBlock::DeleteText(&made, from, to);
    return KeepWellFormed(made, step, from, start);
}
