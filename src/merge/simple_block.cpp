#include "merge/simple_block.h"

#include "merge/block_output.h"
#include "xml/node.h"
#include "xml/writer.h"

CSimpleBlock::CSimpleBlock(const NXML::CNode* shown, int blockSide) : node(shown) {
    side = blockSide;
    if (node != nullptr)
        text.Borrow(node->Body());
}

CSimpleBlock::CSimpleBlock(const CSimpleBlock& other)
    : CBlockBase(other), node(other.node), text(other.text) {}

int CSimpleBlock::GetLineText(NString::TStr<char16_t>& lineText, TLine n,
                              std::vector<COLORREF>* colours) const {
    CBlockBase::GetLineText(lineText, n, colours);
    if (node == nullptr || lines.empty() || n != lines.front())
        return kSideNone;
    NString::TStr<char> line(node->GetOpen());
    line.Append(text.Text());
    line.Append(node->GetClose());
    lineText = line.Text();
    return side;
}

bool CSimpleBlock::WriteMerged(NIO::CBase& out) const {
    if (node == nullptr)
        return true;
    CBlockOutput output(out);
    output << WhitespaceBefore() << node->GetOpen() << text << node->GetClose();
    return output.Ok();
}

bool CSimpleBlock::WriteIndented(NIO::CBase& out, int depth, const char* indent) const {
    return node == nullptr || CBlockBase::WriteIndented(out, depth, indent);
}

const char* CSimpleBlock::WhitespaceBefore() const {
    return NXML::WhitespaceBefore(*node);
}
