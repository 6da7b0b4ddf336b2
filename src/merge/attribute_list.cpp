#include "merge/attribute_list.h"

#include "merge/block_selector.h"
#include "merge/simple_block.h"
#include "xml/node.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using CWritten = std::vector<const CSimpleBlock*>;

// The block that writes `block`'s attribute: a selector's chosen alternative
// (null while unresolved), else the block itself.
const CSimpleBlock* WrittenBlock(const CBlockBase& block) {
    if (block.IsBlockSelector())
        return static_cast<const CBlockSelector&>(block).ChosenAlternative();
    return static_cast<const CSimpleBlock*>(&block);
}

// Whether the blocks' attributes all come from one element, in its order.
bool InSourceOrder(const CWritten& blocks) {
    const NXML::CNode* cursor = blocks.empty() ? nullptr : blocks.front()->node->Parent();
    cursor = cursor != nullptr ? cursor->FirstChild() : nullptr;
    for (const CSimpleBlock* block : blocks) {
        while (cursor != nullptr && cursor != block->node)
            cursor = cursor->NextSibling();
        if (cursor == nullptr)
            return false;
    }
    return true;
}

// Sorts the blocks by the position of their attribute in its element. The
// positions come from one walk over each element's attributes, so that many
// attributes cost no more than sorting them.
void SortBySourcePosition(CWritten& blocks) {
    std::vector<const NXML::CNode*> lists;
    std::vector<std::pair<const NXML::CNode*, std::size_t>> positions;
    for (const CSimpleBlock* block : blocks) {
        const NXML::CNode* list = block->node->Parent();
        if (std::find(lists.begin(), lists.end(), list) != lists.end())
            continue;
        lists.push_back(list);
        std::size_t position = 0;
        for (const NXML::CNode* attribute = list->FirstChild(); attribute != nullptr;
             attribute = attribute->NextSibling())
            positions.emplace_back(attribute, position++);
    }
    std::sort(positions.begin(), positions.end());
    std::vector<std::pair<std::size_t, const CSimpleBlock*>> placed;
    for (const CSimpleBlock* block : blocks)
        placed.emplace_back(std::lower_bound(positions.begin(), positions.end(),
                                             std::make_pair(block->node, std::size_t(0)))
                                ->second,
                            block);
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t index = 0; index < blocks.size(); ++index)
        blocks[index] = placed[index].second;
}

} // namespace

bool CAttributeList::WriteMerged(NIO::CBase& out) const {
    CWritten written;
    for (const CBlockBase* child = FirstChildBlock(); child != nullptr;
         child = child->NextSiblingBlock()) {
        const CSimpleBlock* block = WrittenBlock(*child);
        if (block == nullptr)
            return false;
        if (block->node != nullptr)
            written.push_back(block);
    }
    if (!InSourceOrder(written))
        SortBySourcePosition(written);
    for (const CSimpleBlock* block : written) {
        if (!block->WriteMerged(out))
            return false;
    }
    return true;
}
