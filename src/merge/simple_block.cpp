#include "merge/simple_block.h"

#include "compare/data_node.h"
#include "merge/block_output.h"
#include "merge/layout_choice.h"
#include "xml/layout.h"
#include "xml/node.h"
#include "xml/writer.h"

#include <cstring>

CSimpleBlock::CSimpleBlock(const NXML::CNode* shown, int blockSide) : node(shown) {
    side = blockSide;
    if (node != nullptr)
        text.Borrow(node->Body());
}

CSimpleBlock::CSimpleBlock(const CSimpleBlock& other)
    : CBlockBase(other), node(other.node), text(other.text), match(other.match) {}

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
    if (node == nullptr)
        return true;
    NString::TStr<char> source(node->GetOpen());
    source.Append(text.Text());
    source.Append(node->GetClose());
    CBlockOutput output(out);
    // Each line break of the source (CR LF, CR or LF) starts a new line.
    const char* line = source.Text();
    for (;;) {
        const std::size_t length = std::strcspn(line, "\r\n");
        output.LinePrefix(depth, indent)
            << NString::TStr<char>(line, static_cast<int>(length)) << "\r\n";
        line += length;
        if (*line == 0)
            break;
        line += line[0] == '\r' && line[1] == '\n' ? 2 : 1;
    }
    return output.Ok();
}

const NXML::CNode& CSimpleBlock::NodeOfSide(int side) const {
    return match == nullptr ? *node : *match->NodeOf(side);
}

const NXML::CNode& CSimpleBlock::MarkupSource() const {
    return match == nullptr ? *node : NodeOfSide(LayoutSide(match->nodes, NXML::IsLayoutEqual));
}

const char* CSimpleBlock::WhitespaceBefore() const {
    const NXML::CNode& source =
        match == nullptr ? *node : NodeOfSide(LayoutSide(match->nodes, NXML::IsSpacingBeforeEqual));
    return NXML::WhitespaceBefore(source);
}
