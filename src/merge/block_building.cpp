#include "merge/block_building.h"

#include "compare/classification.h"
#include "compare/data_node.h"
#include "compare/match_context.h"
#include "framework/job.h"
#include "framework/string_functions.h"
#include "framework/thread.h"
#include "merge/attribute_block.h"
#include "merge/block_selector.h"
#include "merge/comment_block.h"
#include "merge/content_block.h"
#include "merge/doctype_decl_block.h"
#include "merge/element_block.h"
#include "merge/layout_choice.h"
#include "merge/merge_model.h"
#include "merge/prefix_declarations.h"
#include "xml/attribute.h"
#include "xml/doc.h"
#include "xml/doctype.h"
#include "xml/element.h"

#include <algorithm>
#include <vector>

namespace {

// One block still to build: `node` under `parent` for `side`.
struct SBuildStep {
    const CDataNode* node;
    CBlockBase* parent;
    int side;
};

// The XML node a block of `node` for `side` shows, and the side it comes
// from. For every side at once that is the first side with a node, except
// that an element whose name had a prefix on some side is taken from the
// first such side, so the prefix is kept.
struct SShownNode {
    const NXML::CNode* node = nullptr;
    int side = kSideNone;
};

// The node of the first side in column order that has one.
SShownNode FirstNode(const CDataNode& node, const CSideOrder& order) {
    for (const int candidate : order) {
        if (const NXML::CNode* xmlNode = node.NodeOf(candidate))
            return {xmlNode, candidate};
    }
    return {};
}

SShownNode ShownNode(const CDataNode& node, int side, const CSideOrder& order) {
    if (side != kSideAll)
        return {node.NodeOf(side), side};
    const SShownNode shown = FirstNode(node, order);
    if (shown.node == nullptr || shown.node->GetType() != NXML::kTypeElement)
        return shown;
    for (const int candidate : order) {
        const NXML::CNode* element = node.NodeOf(candidate);
        if (element != nullptr && element->HasFlags(NXML::CElement::kPrefixed))
            return {element, candidate};
    }
    return shown;
}

bool SameTrailingText(const NXML::CNode& a, const NXML::CNode& b) {
    return NString::Compare(static_cast<const NXML::CDoc&>(a).trailingText.Text(),
                            static_cast<const NXML::CDoc&>(b).trailingText.Text()) == 0;
}

// A block of the class that nodes of `type` take.
CSimpleBlock* NewBlock(int type, const NXML::CNode* shown, int side) {
    switch (type) {
    case NXML::kTypeAttribute:
        return new CAttributeBlock(static_cast<const NXML::CAttribute*>(shown), side);
    case NXML::kTypeComment:
        return new CCommentBlock(shown, side);
    case NXML::kTypeContent:
        return new CContentBlock(shown, side);
    case NXML::kTypeDocTypeDecl:
        return new CDocTypeDeclBlock(static_cast<const NXML::CDocTypeDecl*>(shown), side);
    case NXML::kTypeElement:
        return new CElementBlock(static_cast<const NXML::CElement*>(shown), side);
    default:
        return new CSimpleBlock(shown, side);
    }
}

// Makes the block of `node` for `side` and appends it to `parent`; null when
// the side lacks the node and `parent` is not a selector. The class follows
// the node of the first side, so a placeholder has the class of its neighbours.
// A block of every side keeps the match, to write the layout of either side.
CSimpleBlock* MakeBlock(const CDataNode& node, CBlockBase& parent, int side,
                        const SMatchContext& context) {
    const SShownNode shown = ShownNode(node, side, context.order);
    if (shown.node == nullptr && !parent.IsBlockSelector())
        return nullptr;
    const NXML::CNode* first = FirstNode(node, context.order).node;
    if (first == nullptr)
        return nullptr;
    CSimpleBlock* block = NewBlock(first->GetType(), shown.node, shown.side);
    if (side == kSideAll)
        block->match = &node;
    parent.AddChild(block);
    return block;
}

// Builds blocks from a list of steps instead of recursing, so that any depth
// of document is safe. The blocks of one parent are made in order, and each
// block's subtree before the next sibling's.
//
// Below a parent of very many children, the children's own blocks are made
// in order first; then the threads share out what lies below them, each
// building whole subtrees of blocks of its own (the subtrees of the match
// tree they read may overlap, for the alternatives of a difference, but
// nothing there is written).
class CBlockBuilder {
public:
    CBlockBuilder(const SMatchContext& context, unsigned threads)
        : m_context(context), m_threads(threads) {}

    void AddNode(const CDataNode& node, CBlockBase& parent, int side) {
        m_steps.push_back({&node, &parent, side});
    }

    // The steps of `node`'s children, to be built before any step added
    // earlier; built at once when they are many and threads may share them.
    void AddChildren(const CDataNode& node, CBlockBase& parent, int side) {
        if (side != kSideAll && node.NodeOf(side) == nullptr)
            return;
        if (m_descents != nullptr) {
            m_descents->push_back({&node, &parent, side});
            return;
        }
        const std::size_t firstNew = m_steps.size();
        const CElementNode* element = node.AsElementNode();
        if (element != nullptr && parent.IsElementBlock()) {
            CAttributeList& attributes = static_cast<CElementBlock&>(parent).Attributes();
            AddSiblings(element->attributes.FirstChildNode(), attributes, side);
        }
        if (m_threads > 1 && node.HasChildrenAtLeast(kChildrenWorthSharing))
            BuildSharedOut(node, parent, side);
        else
            AddSiblings(node.FirstChildNode(), parent, side);
        std::reverse(m_steps.begin() + static_cast<std::ptrdiff_t>(firstNew), m_steps.end());
    }

    void Run() {
        while (!m_steps.empty()) {
            const SBuildStep step = m_steps.back();
            m_steps.pop_back();
            Build(*step.node, *step.parent, step.side);
        }
    }

private:
    void AddSiblings(const CDataNode* first, CBlockBase& parent, int side) {
        for (const CDataNode* child = first; child != nullptr; child = child->NextSiblingNode())
            m_steps.push_back({child, &parent, side});
    }

    // Makes the blocks of `node`'s children in order, leaving what lies
    // below each as a step, then builds those steps on the threads.
    void BuildSharedOut(const CDataNode& node, CBlockBase& parent, int side) {
        std::vector<SBuildStep> descents;
        CBlockBuilder shallow(m_context, 1);
        shallow.m_descents = &descents;
        shallow.AddSiblings(node.FirstChildNode(), parent, side);
        std::reverse(shallow.m_steps.begin(), shallow.m_steps.end());
        shallow.Run();
        NSys::ShareOutSideBySide<SBuildStep>(NSys::CJobThread::kStackSize, descents, m_threads,
                                             [this](const std::vector<SBuildStep>& share) {
                                                 CBlockBuilder builder(m_context, 1);
                                                 for (const SBuildStep& step : share) {
                                                     builder.AddChildren(*step.node, *step.parent,
                                                                         step.side);
                                                     builder.Run();
                                                 }
                                             });
    }

    void Build(const CDataNode& node, CBlockBase& parent, int side) {
        if (side != kSideAll) {
            if (CSimpleBlock* block = MakeBlock(node, parent, side, m_context))
                AddChildren(node, *block, side);
            return;
        }
        const SClassification classification = Classify(m_context, node);
        if (classification.kind == SClassification::EKind::Same) {
            if (CSimpleBlock* block = MakeBlock(node, parent, kSideAll, m_context))
                AddChildren(node, *block, kSideAll);
            return;
        }
        BuildSelector(node, parent, classification.side);
    }

    // A selector with one alternative per side in column order, resolved to
    // `preselected` (kSideNone leaves it open).
    void BuildSelector(const CDataNode& node, CBlockBase& parent, int preselected) {
        auto* selector = new CBlockSelector;
        parent.AddChild(selector);
        selector->SetResolution(m_context.order.PositionOf(preselected));
        const std::size_t firstNew = m_steps.size();
        for (const int alternativeSide : m_context.order)
            m_steps.push_back({&node, selector, alternativeSide});
        std::reverse(m_steps.begin() + static_cast<std::ptrdiff_t>(firstNew), m_steps.end());
    }

    const SMatchContext& m_context;
    const unsigned m_threads;
    std::vector<SBuildStep> m_steps;
    // Set while the blocks of a shared-out parent's children are made: what
    // lies below each goes here instead of being built.
    std::vector<SBuildStep>* m_descents = nullptr;
};

} // namespace

void BuildBlock(const CDataNode& node, CBlockBase& parent, int side, const SMatchContext& context) {
    CBlockBuilder builder(context, 1);
    builder.AddNode(node, parent, side);
    builder.Run();
}

void BuildChildBlocks(const CDataNode& node, CBlockBase& parent, int side,
                      const SMatchContext& context) {
    CBlockBuilder builder(context, SharingThreads(context));
    builder.AddChildren(node, parent, side);
    builder.Run();
}

void BuildModel(CMergeModel& model, const CDocNode& root, const SMatchContext& context) {
    model.Reset(context);
    BuildChildBlocks(root, model.Root(), kSideAll, model.Context());
    if (const NXML::CNode* doc = root.NodeOf(LayoutSide(root.nodes, SameTrailingText)))
        model.Root().trailingText.Borrow(static_cast<const NXML::CDoc*>(doc)->trailingText.Text());
    if (context.merge)
        OpenUndeclaredPrefixes(model.Root());
    model.CollectSelectors();
    model.NumberAll();
    model.Root().InvalidateWidthUp();
}
