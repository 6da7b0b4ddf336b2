#pragma once

#include "merge/block_base.h"

// The attribute blocks (and attribute selectors) of one element, embedded in
// the element block. It is not among the element's children and has no lines:
// the element numbers and searches the list's blocks itself.
class CAttributeList final : public CBlockBase {
public:
    explicit CAttributeList(CBlockBase& element) : m_element(&element) {}

    bool IsAttributeList() const override { return true; }
    // The attributes in the order of the element whose attribute order the
    // merged document takes (CElementBlock::AttributeOrderSource), not in
    // the display order, which puts identifying attributes first: an element
    // nobody changed is written back as it was, and one whose attributes a
    // single side reordered as that side has it. An attribute that element
    // lacks follows the one it follows on its own side. An unresolved
    // attribute's gap stands where its first alternative with a node would.
    bool WriteMerged(NIO::CBase& out) const override;
    CBlockBase* ParentBlock() const override { return m_element; }

    // Appends a clone of every block of this list to `copy`.
    void CloneInto(CAttributeList& copy) const { AppendChildClones(copy); }

private:
    CBlockBase* m_element;
};
