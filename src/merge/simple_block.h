#pragma once

#include "merge/block_base.h"

namespace NXML {
class CNode;
}

// A block that shows one XML node, and as such the block of every node kind
// without a class of its own: processing instructions, CDATA sections and
// the declarations of an internal subset. Under a selector a block without a
// node stands for the side that lacks it (a placeholder).
class CSimpleBlock : public CBlockBase {
public:
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

protected:
    // The text of the node's previous sibling when that is whitespace only.
    const char* WhitespaceBefore() const;
};
