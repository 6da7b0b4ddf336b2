#pragma once

#include "merge/block_base.h"

// The attribute blocks (and attribute selectors) of one element, embedded in
// the element block. It is not among the element's children and has no lines:
// the element numbers and searches the list's blocks itself.
class CAttributeList final : public CBlockBase {
public:
    explicit CAttributeList(CBlockBase& element) : m_element(&element) {}

    bool IsAttributeList() const override { return true; }
    // The attributes in the order their sources wrote them, not in the
    // display order, which puts identifying attributes first: an element
    // nobody changed is written back as it was. Attributes from different
    // sides are placed by their positions there, ties in display order.
    bool WriteMerged(NIO::CBase& out) const override;
    CBlockBase* ParentBlock() const override { return m_element; }

    // Appends a clone of every block of this list to `copy`.
    void CloneInto(CAttributeList& copy) const { AppendChildClones(copy); }

private:
    CBlockBase* m_element;
};
