#pragma once

#include "compare/match_context.h"
#include "framework/node.h"

#include <array>

namespace NXML {
class CAttribute;
class CDoc;
class CElement;
class CNode;
} // namespace NXML

// One node of the match tree: one position of the combined document, with
// the node each input has there (null where an input has none). The XML
// nodes are borrowed from the input documents, which outlive the tree. The
// children are the matched children in the order they are shown and written.
class CDataNode : public NPtr::CNode {
public:
    CDataNode() = default;
    CDataNode(int side, const NXML::CNode* node) { nodes[static_cast<std::size_t>(side)] = node; }

    // The node of `side`; for kSideAll the node of the first side in `order`
    // that has one.
    const NXML::CNode* NodeAt(int side, const CSideOrder& order) const;
    const NXML::CNode* NodeOf(int side) const { return nodes[static_cast<std::size_t>(side)]; }
    // The one side holding a node here; kSideNone when several or none do.
    int LoneSide() const;

    // Matches the children of the joined XML nodes and builds the whole
    // subtree below this node. Works without recursion, so any depth is safe.
    void Build(const SMatchContext& context);
    // The same with other matching algorithms (tests compare two sets).
    void Build(const SMatchContext& context, const struct SMatchAlgorithms& algorithms);

    CDataNode* FirstChildNode() const { return static_cast<CDataNode*>(FirstChild()); }
    CDataNode* NextSiblingNode() const { return static_cast<CDataNode*>(NextSibling()); }

    // Null for a node that is not an element's.
    virtual class CElementNode* AsElementNode() { return nullptr; }
    virtual const class CElementNode* AsElementNode() const { return nullptr; }

    // Indexed by side: base, left, right.
    std::array<const NXML::CNode*, 3> nodes{};
    // The left and the right each added this subtree, but at different
    // places among the same siblings: a merge leaves both additions open
    // rather than write the subtree twice.
    bool addedApart = false;
    // Every side of the operation holds this node, the nodes themselves are
    // equal (NXML::IsOwnPartEqual), and their children were paired by
    // position, their subtree hashes being equal; or, in a match for a report
    // only, their subtrees were found equal and left out (equal_subtrees.h).
    bool subtreesEqual = false;
    // Set in a match for a report only (SMatchContext::reportOnly): this node
    // and all its ancestors show every side alike (IsSame), so no difference
    // encloses it.
    bool outsideDifferences = false;
};

// The parent of an element's attribute nodes, carried by every element. It
// stands for no position of the document, so a plain tree node without XML
// nodes is enough.
class CAttributeNodeList final : public NPtr::CNode {
public:
    CDataNode* FirstChildNode() const { return static_cast<CDataNode*>(FirstChild()); }
};

// The match-tree node of elements. Its attributes are matched into a list of
// their own, which is not part of the tree.
class CElementNode final : public CDataNode {
public:
    using CDataNode::CDataNode;

    CElementNode* AsElementNode() override { return this; }
    const CElementNode* AsElementNode() const override { return this; }

    // Children are CAttributeNode, in display order.
    CAttributeNodeList attributes;
};

// The match-tree node of attributes.
class CAttributeNode final : public CDataNode {
public:
    using CDataNode::CDataNode;
};

// The root of the match tree: its XML nodes are the documents.
class CDocNode final : public CDataNode {
public:
    // Throws away the previous match, then matches `base` (null in a two-way
    // operation), `left` and `right` anew.
    void Match(const NXML::CDoc* base, const NXML::CDoc* left, const NXML::CDoc* right,
               const SMatchContext& context);
};
