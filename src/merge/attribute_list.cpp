#include "merge/attribute_list.h"

#include "merge/block_selector.h"
#include "merge/element_block.h"
#include "xml/element.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using CWritten = std::vector<const CSimpleBlock*>;

// The block whose attribute takes `block`'s place in the order: a selector's
// chosen alternative, or while it is unresolved the first alternative with a
// node, where the selector leaves its gap; else the block itself.
const CSimpleBlock* PlacedBlock(const CBlockBase& block) {
    if (!block.IsBlockSelector())
        return static_cast<const CSimpleBlock*>(&block);
    const auto& selector = static_cast<const CBlockSelector&>(block);
    return selector.IsResolved() ? selector.ChosenAlternative()
                                 : selector.FirstAlternativeWithNode();
}

// What writes a placed block: the selector it is an alternative of, else itself.
const CBlockBase& Writer(const CSimpleBlock& placed) {
    const auto* parent = static_cast<const CBlockBase*>(placed.Parent());
    return parent != nullptr && parent->IsBlockSelector() ? *parent : placed;
}

// Whether the blocks write attributes of `order` itself, in its order.
bool InOrderOf(const CWritten& blocks, const NXML::CElement& order) {
    const NXML::CAttribute* cursor = order.FirstAttribute();
    for (const CSimpleBlock* block : blocks) {
        while (cursor != nullptr && cursor != block->node)
            cursor = cursor->NextAttribute();
        if (cursor == nullptr)
            return false;
    }
    return true;
}

const char* NameOf(const NXML::CNode& attribute) {
    return static_cast<const NXML::CAttribute&>(attribute).name.Text();
}

// Names with their positions, sorted by name for lookups.
class CPositionsByName {
public:
    explicit CPositionsByName(const NXML::CElement& element) {
        std::size_t position = 0;
        for (const NXML::CAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
             attribute = attribute->NextAttribute())
            m_positions.emplace_back(NameOf(*attribute), position++);
        std::sort(m_positions.begin(), m_positions.end());
    }

    std::size_t Size() const { return m_positions.size(); }

    // The position of the attribute named `name`; -1 when there is none.
    long Find(std::string_view name) const {
        const auto found = std::lower_bound(m_positions.begin(), m_positions.end(),
                                            std::make_pair(name, std::size_t(0)));
        return found != m_positions.end() && found->first == name ? long(found->second) : -1;
    }

private:
    std::vector<std::pair<std::string_view, std::size_t>> m_positions;
};

// Where an attribute goes: its rank, then its position on its own side.
using CPlace = std::pair<long, long>;

// Sorts the blocks into the order of `order`: an attribute goes where the
// attribute of its name stands there, and one that `order` lacks (a side
// added it) after the nearest attribute before it on its own side that
// `order` has, behind that one's namesake and behind the attributes right
// after it that its own side lacks (what the other side added at the same
// place comes first). The places come from two walks over each element the
// blocks' attributes belong to, so that many attributes cost no more than
// sorting them.
void SortIntoOrderOf(CWritten& blocks, const NXML::CElement& order) {
    const CPositionsByName positions(order);
    // The rank is 2p + 2 for the namesake of the attribute at position p of
    // `order`, 2p + 3 for an attribute placed after it that `order` lacks,
    // and 1 before every namesake.
    std::vector<std::pair<const NXML::CNode*, CPlace>> places;
    // Each side's list, by its first attribute.
    std::vector<const NXML::CAttribute*> lists;
    for (const CSimpleBlock* block : blocks) {
        const NXML::CAttribute* list =
            static_cast<const NXML::CAttribute*>(block->node)->FirstOfItsList();
        if (std::find(lists.begin(), lists.end(), list) != lists.end())
            continue;
        lists.push_back(list);
        // runEnd[i]: the first position from i on that this side has.
        std::vector<long> runEnd(positions.Size() + 1, long(positions.Size()));
        for (const NXML::CAttribute* attribute = list; attribute != nullptr;
             attribute = attribute->NextAttribute()) {
            const long position = positions.Find(NameOf(*attribute));
            if (position >= 0)
                runEnd[std::size_t(position)] = position;
        }
        for (std::size_t index = positions.Size(); index-- > 0;)
            runEnd[index] = std::min(runEnd[index], runEnd[index + 1]);
        long after = 2 * runEnd[0] + 1;
        long own = 0;
        for (const NXML::CAttribute* attribute = list; attribute != nullptr;
             attribute = attribute->NextAttribute()) {
            const long position = positions.Find(NameOf(*attribute));
            if (position >= 0)
                after = 2 * runEnd[std::size_t(position) + 1] + 1;
            places.push_back({attribute, {position >= 0 ? 2 * position + 2 : after, own++}});
        }
    }
    std::sort(places.begin(), places.end());
    std::vector<std::pair<CPlace, const CSimpleBlock*>> placed;
    for (const CSimpleBlock* block : blocks)
        placed.emplace_back(
            std::lower_bound(places.begin(), places.end(), std::make_pair(block->node, CPlace{}))
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
        const CSimpleBlock* block = PlacedBlock(*child);
        if (block == nullptr)
            return false;
        if (block->node != nullptr)
            written.push_back(block);
    }
    const NXML::CElement* order =
        static_cast<const CElementBlock*>(m_element)->AttributeOrderSource();
    if (order != nullptr && !InOrderOf(written, *order))
        SortIntoOrderOf(written, *order);
    for (const CSimpleBlock* block : written) {
        if (!Writer(*block).WriteMerged(out))
            return false;
    }
    return true;
}
