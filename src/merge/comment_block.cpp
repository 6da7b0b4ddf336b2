#include "merge/comment_block.h"

#include "merge/block_output.h"

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
