#pragma once

#include "merge/block_base.h"

class CDataNode;

namespace NXML {
class CNode;
}

// A block that shows one XML node, and as such the block of every node kind
// without a class of its own: processing instructions, CDATA sections and
// the declarations of an internal subset. Under a selector a block without a
// node stands for the side that lacks it (a placeholder).
class CSimpleBlock : public CBlockBase {
public:
    // An edit gave the block text of its own. Only such text is escaped on
    // writing, so that every unedited node keeps its bytes.
    static constexpr std::uint32_t kTextEdited = 0x1;

    // `node` may be null only under a selector.
    CSimpleBlock(const NXML::CNode* node, int blockSide);
    // The fields, not the links; the text becomes a copy of its own.
    CSimpleBlock(const CSimpleBlock& other);

    CBlockBase* Clone() const override { return CloneTree(*this); }
    // The node's markup around its body, on one line.
    int GetLineText(NString::TStr<char16_t>& text, TLine n,
                    std::vector<COLORREF>* colours) const override;
    // The node in its source form, after the whitespace that stood before it.
    // The body of a node kind with children (an attribute-list declaration)
    // already holds their source, so the children are not written again.
    bool WriteMerged(NIO::CBase& out) const override;
    // The node in its source form, as in WriteMerged, every line of it behind
    // the line prefix.
    bool WriteIndented(NIO::CBase& out, int depth, const char* indent) const override;

    // Null in a placeholder.
    const NXML::CNode* node;
    // What the block shows and writes of its node; borrowed from the node
    // until an edit gives the block its own copy.
    NString::TStr<char> text;
    // For a block that stands for every side, the match-tree node holding
    // each side's node, whose layout the merged document may take instead
    // of the shown node's (see LayoutSide); null for a block of one side.
    const CDataNode* match = nullptr;

protected:
    // The node of `side` in the match; the block's own node without one.
    const NXML::CNode& NodeOfSide(int side) const;
    // The node whose own markup is written: the whitespace inside its tags,
    // its quote marks and its form.
    const NXML::CNode& MarkupSource() const;
    // The whitespace-only text before the node, as the side whose spacing
    // the merged document takes has it; "" when the node follows other text.
    const char* WhitespaceBefore() const;
};
