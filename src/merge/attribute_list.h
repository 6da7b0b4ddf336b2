#pragma once

#include "merge/block_base.h"

namespace NXML {
class CNode;
}

// The attribute blocks (and attribute selectors) of one element, embedded in
// the element block. It is not among the element's children and has no lines:
// the element numbers and searches the list's blocks itself.
class CAttributeList final : public CBlockBase {
public:
    explicit CAttributeList(CBlockBase& element) : m_element(&element) {}

    bool IsAttributeList() const override { return true; }
    // The attributes in the order their sources wrote them, not in the
    // display order, which puts identifying attributes first: an element
    // nobody changed is written back as it was. An attribute that only
    // another side's element has is written after the attribute it follows
    // there (first when nothing written precedes it there).
    bool WriteMerged(NIO::CBase& out) const override;
    CBlockBase* ParentBlock() const override { return m_element; }

    // Appends a clone of every block of this list to `copy`.
    void CloneInto(CAttributeList& copy) const { AppendChildClones(copy); }

private:
    // The attribute list of the element this element block shows; null in
    // a placeholder.
    const NXML::CNode* ShownAttributes() const;

    CBlockBase* m_element;
};
