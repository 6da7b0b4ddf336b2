#include "merge/attribute_list.h"

#include "merge/block_selector.h"
#include "merge/simple_block.h"
#include "xml/attribute.h"
#include "xml/element.h"

#include <algorithm>
#include <list>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
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

std::string_view NameOf(const NXML::CNode& attribute) {
    return static_cast<const NXML::CAttribute&>(attribute).name.Text();
}

// The written blocks in the order they take in the merged element: the
// attributes of the written element's own source (`shown`) in its order,
// then each attribute that only another side's element supplies after the
// attribute it follows there, or first when nothing written precedes it
// there, and past the attributes placed there that its element lacks: where
// two sides added attributes at one place, those of the written element come
// first. They are placed list by list, each in its source order, so that
// several attributes one side added in a row stay in a row.
class CWrittenOrder {
public:
    explicit CWrittenOrder(const CWritten& blocks) : m_blocks(blocks), m_placed(blocks.size()) {
        for (std::size_t index = 0; index < blocks.size(); ++index)
            m_byName.emplace(NameOf(*blocks[index]->node), index);
    }

    CWritten Arrange(const NXML::CNode* shown) {
        for (const NXML::CAttribute* attribute =
                 shown != nullptr ? NXML::AttributeFrom(shown->FirstChild()) : nullptr;
             attribute != nullptr; attribute = attribute->NextAttribute())
            if (const auto found = m_byName.find(NameOf(*attribute)); found != m_byName.end())
                Place(found->second, m_order.end());
        for (const std::size_t index : OthersInSourceOrder())
            Place(index, AfterPlacedPredecessor(*m_blocks[index]->node));
        return {m_order.begin(), m_order.end()};
    }

private:
    using COrder = std::list<const CSimpleBlock*>;

    void Place(std::size_t index, COrder::iterator before) {
        m_placed[index] = m_order.insert(before, m_blocks[index]);
    }

    // Where an attribute of another side's element goes: after the nearest
    // attribute before it there that is placed already (else at the start),
    // and after the attributes that follow there and its element lacks.
    COrder::iterator AfterPlacedPredecessor(const NXML::CNode& attribute) {
        COrder::iterator place = m_order.begin();
        for (const NXML::CNode* previous = attribute.PreviousSibling(); previous != nullptr;
             previous = previous->PreviousSibling()) {
            if (previous->GetType() != NXML::kTypeAttribute)
                continue;
            const auto found = m_byName.find(NameOf(*previous));
            if (found != m_byName.end() && m_placed[found->second]) {
                place = std::next(*m_placed[found->second]);
                break;
            }
        }
        const std::unordered_set<std::string_view>& own = m_namesOf.at(attribute.Parent());
        while (place != m_order.end() && !own.contains(NameOf(*(*place)->node)))
            ++place;
        return place;
    }

    // The blocks not placed yet, grouped by their element in the order the
    // elements first appear, each group in its source order. Notes the
    // names of those elements' attributes.
    std::vector<std::size_t> OthersInSourceOrder() {
        std::vector<const NXML::CNode*> lists;
        std::unordered_map<const NXML::CNode*, std::size_t> positions;
        std::vector<std::pair<std::pair<std::size_t, std::size_t>, std::size_t>> keyed;
        for (std::size_t index = 0; index < m_blocks.size(); ++index) {
            if (m_placed[index])
                continue;
            const NXML::CNode* list = m_blocks[index]->node->Parent();
            auto rank = static_cast<std::size_t>(std::find(lists.begin(), lists.end(), list) -
                                                 lists.begin());
            if (rank == lists.size()) {
                lists.push_back(list);
                std::size_t position = 0;
                std::unordered_set<std::string_view>& names = m_namesOf[list];
                for (const NXML::CNode* node = list->FirstChild(); node != nullptr;
                     node = node->NextSibling()) {
                    positions.emplace(node, position++);
                    if (node->GetType() == NXML::kTypeAttribute)
                        names.insert(NameOf(*node));
                }
            }
            keyed.push_back({{rank, positions.at(m_blocks[index]->node)}, index});
        }
        std::sort(keyed.begin(), keyed.end());
        std::vector<std::size_t> indexes;
        for (const auto& entry : keyed)
            indexes.push_back(entry.second);
        return indexes;
    }

    const CWritten& m_blocks;
    std::unordered_map<std::string_view, std::size_t> m_byName;
    std::vector<std::optional<COrder::iterator>> m_placed;
    // The attribute names of each element that supplies an attribute not
    // placed by the written element's order.
    std::unordered_map<const NXML::CNode*, std::unordered_set<std::string_view>> m_namesOf;
    COrder m_order;
};

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
        written = CWrittenOrder(written).Arrange(ShownAttributes());
    for (const CSimpleBlock* block : written) {
        if (!block->WriteMerged(out))
            return false;
    }
    return true;
}

const NXML::CNode* CAttributeList::ShownAttributes() const {
    const NXML::CNode* element = static_cast<const CSimpleBlock*>(m_element)->node;
    return element != nullptr ? &static_cast<const NXML::CElement*>(element)->attributes : nullptr;
}
