#pragma once

#include "framework/allocator.h"
#include "framework/array.h"

#include <cstdint>

namespace NPtr {

// A tree node that owns its children. Siblings form a circular doubly linked
// list: the first child's previous sibling is the last child and the last
// child's next sibling is the first. A node without a parent is linked to
// nothing. Not locked: one thread at a time.
//
// Every walk is iterative, so trees of any depth are safe, including their
// destruction. A node deleted together with an ancestor has already lost its
// children when its own destructor runs.
class CNode : public NMem::CPooled {
public:
    CNode() = default;
    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;
    // Deletes the whole subtree, then unlinks the node from its parent.
    virtual ~CNode();

    // Links `child` in front of `before` when that is a child of this node,
    // else after the last child; a child with a parent is unlinked first.
    // NResult::kOk, or kInvalidArgument for a null child or one that is this
    // node or one of its ancestors (the tree would become a loop).
    int AddChild(CNode* child, CNode* before = nullptr);
    // Unlinks `child`, which keeps its own children. NResult::kOk, or
    // kNotAChild when this node is not its parent.
    int RemoveChild(CNode* child);
    // Deletes every child with its subtree.
    void DeleteChildren();

    CNode* Parent() const { return m_parent; }
    CNode* FirstChild() const { return m_firstChild; }
    CNode* LastChild() const;
    // Null past the last child (before the first for PreviousSibling).
    CNode* NextSibling() const;
    CNode* PreviousSibling() const;
    // The `index`-th child, null past the end.
    CNode* ChildAt(std::uint32_t index) const;
    // Children, or with `recursive` every node below this one.
    std::uint32_t ChildCount(bool recursive = false) const;
    // Whether there are `count` children or more; counts no further.
    bool HasChildrenAtLeast(std::uint32_t count) const;
    // Number of ancestors.
    std::uint32_t Depth() const;

    // The node after `node` in a depth-first, parent-before-children walk of
    // this node's subtree (this node excluded); null after the last one.
    CNode* NextInSubtree(const CNode* node) const;

protected:
    // Called after a child was linked in or out or the children were
    // deleted, for nodes that keep something derived from their children.
    virtual void ChildrenChanged() {}

private:
    // Unlinks this node from its parent; kNotAChild when it has none.
    int Unlink();
    // True when `node` is a proper ancestor of this node.
    bool IsDescendantOf(const CNode* node) const;
    // Links `child` into this node's non-empty list just in front of `successor`.
    void LinkBefore(CNode* child, CNode* successor);

    CNode* m_next = nullptr;
    CNode* m_previous = nullptr;
    CNode* m_firstChild = nullptr;
    CNode* m_parent = nullptr;
};

} // namespace NPtr
