#include "framework/node.h"

#include "framework/result.h"

#include <algorithm>

namespace NPtr {

CNode::~CNode() {
    DeleteChildren();
    Unlink();
}

void CNode::DeleteChildren() {
    CNode* first = m_firstChild;
    if (first == nullptr)
        return;
    m_firstChild = nullptr;
    // The subtree is walked as one list in document order: each node's
    // children are spliced in right behind it before it goes, so nothing
    // recurses and no node is unlinked from a parent that is going as well.
    first->m_previous->m_next = nullptr;
    for (CNode* pending = first; pending != nullptr;) {
        CNode* node = pending;
        pending = node->m_next;
        if (CNode* child = node->m_firstChild) {
            child->m_previous->m_next = pending;
            pending = child;
            node->m_firstChild = nullptr;
        }
        // Detached, the node's own destructor finds nothing left to do.
        node->m_next = nullptr;
        node->m_previous = nullptr;
        node->m_parent = nullptr;
        delete node;
    }
    ChildrenChanged();
}

void CNode::LinkBefore(CNode* child, CNode* successor) {
    child->m_parent = this;
    child->m_next = successor;
    child->m_previous = successor->m_previous;
    successor->m_previous->m_next = child;
    successor->m_previous = child;
}

int CNode::AddChild(CNode* child, CNode* before) {
    if (child == nullptr || child == this)
        return NResult::kInvalidArgument;
    // Only a node with children can be an ancestor; skipping the walk otherwise
    // keeps building deep trees linear.
    if (child->m_firstChild != nullptr && IsDescendantOf(child))
        return NResult::kInvalidArgument;
    child->Unlink();
    if (m_firstChild == nullptr) {
        child->m_parent = this;
        child->m_next = child;
        child->m_previous = child;
        m_firstChild = child;
    } else if (before != nullptr && before->m_parent == this) {
        LinkBefore(child, before);
        if (before == m_firstChild)
            m_firstChild = child;
    } else {
        // In front of the first child is behind the last one.
        LinkBefore(child, m_firstChild);
    }
    ChildrenChanged();
    return NResult::kOk;
}

int CNode::RemoveChild(CNode* child) {
    if (child == nullptr || child->m_parent != this)
        return NResult::kNotAChild;
    if (child->m_next == child) {
        m_firstChild = nullptr;
    } else {
        child->m_previous->m_next = child->m_next;
        child->m_next->m_previous = child->m_previous;
        if (m_firstChild == child)
            m_firstChild = child->m_next;
    }
    child->m_next = nullptr;
    child->m_previous = nullptr;
    child->m_parent = nullptr;
    ChildrenChanged();
    return NResult::kOk;
}

int CNode::Unlink() {
    return m_parent == nullptr ? NResult::kNotAChild : m_parent->RemoveChild(this);
}

CNode* CNode::LastChild() const {
    return m_firstChild == nullptr ? nullptr : m_firstChild->m_previous;
}

CNode* CNode::NextSibling() const {
    if (m_parent == nullptr || m_next == m_parent->m_firstChild)
        return nullptr;
    return m_next;
}

CNode* CNode::PreviousSibling() const {
    if (m_parent == nullptr || this == m_parent->m_firstChild)
        return nullptr;
    return m_previous;
}

CNode* CNode::ChildAt(std::uint32_t index) const {
    CNode* child = m_firstChild;
    for (; child != nullptr && index > 0; --index)
        child = child->NextSibling();
    return child;
}

CNode* CNode::NextInSubtree(const CNode* node) const {
    if (node->m_firstChild != nullptr)
        return node->m_firstChild;
    for (; node != this; node = node->m_parent) {
        if (CNode* next = node->NextSibling())
            return next;
    }
    return nullptr;
}

std::uint32_t CNode::ChildCount(bool recursive) const {
    std::uint32_t count = 0;
    if (recursive) {
        for (const CNode* node = NextInSubtree(this); node != nullptr; node = NextInSubtree(node))
            ++count;
    } else {
        for (const CNode* child = m_firstChild; child != nullptr; child = child->NextSibling())
            ++count;
    }
    return count;
}

bool CNode::HasChildrenAtLeast(std::uint32_t count) const {
    const CNode* child = m_firstChild;
    for (; child != nullptr && count > 0; child = child->NextSibling())
        --count;
    return count == 0;
}

std::uint32_t CNode::Depth() const {
    std::uint32_t depth = 0;
    for (const CNode* ancestor = m_parent; ancestor != nullptr; ancestor = ancestor->m_parent)
        ++depth;
    return depth;
}

bool CNode::IsDescendantOf(const CNode* node) const {
    for (const CNode* ancestor = m_parent; ancestor != nullptr; ancestor = ancestor->m_parent) {
        if (ancestor == node)
            return true;
    }
    return false;
}

} // namespace NPtr
