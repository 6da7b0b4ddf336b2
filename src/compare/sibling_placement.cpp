#include "compare/sibling_placement.h"

#include "compare/data_node.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Whether `side` holds the siblings it shares with the base in another
// order than the base. `basePosition` is indexed like the matches.
bool MovedAgainstBase(const std::vector<std::size_t>& side,
                      const std::vector<std::size_t>& basePosition) {
    std::size_t previous = kNone;
    for (const std::size_t match : side) {
        const std::size_t position = basePosition[match];
        if (position == kNone)
            continue;
        if (previous != kNone && position < previous)
            return true;
        previous = position;
    }
    return false;
}

// The side whose order the siblings keep: the first in column order, unless
// it kept the base's order and the last side moved something.
int OrderingSide(const SUnorderedSiblings& siblings, const CSideOrder& order) {
    const int first = order[0];
    if (!order.IsThreeWay())
        return first;
    const int last = order[order.Count() - 1];
    const auto& base = siblings.sides[kSideBase];
    std::vector<std::size_t> basePosition(siblings.matches.size(), kNone);
    for (std::size_t position = 0; position < base.size(); ++position)
        basePosition[base[position]] = position;
    const auto& sides = siblings.sides;
    const bool lastMoved = MovedAgainstBase(sides[static_cast<std::size_t>(last)], basePosition);
    if (lastMoved && !MovedAgainstBase(sides[static_cast<std::size_t>(first)], basePosition))
        return last;
    return first;
}

// The siblings placed so far, linked in their new order by their positions
// in the matches; one more position stands for the start.
class CPlacedList {
public:
    explicit CPlacedList(std::size_t count)
        : m_next(count + 1, kNone), m_placed(count, false), m_head(count) {}

    std::size_t Head() const { return m_head; }
    // The sibling after `at`, kNone after the last.
    std::size_t Next(std::size_t at) const { return m_next[at]; }
    bool IsPlaced(std::size_t match) const { return m_placed[match]; }

    void LinkAfter(std::size_t at, std::size_t match) {
        m_next[match] = m_next[at];
        m_next[at] = match;
        m_placed[match] = true;
    }

private:
    std::vector<std::size_t> m_next;
    std::vector<bool> m_placed;
    std::size_t m_head;
};

// The position in `order` of the first side that holds `match`.
int FirstPosition(const CDataNode& match, const CSideOrder& order) {
    int position = 0;
    while (match.NodeOf(order[position]) == nullptr)
        ++position;
    return position;
}

// Places the siblings of the side at `position` in `order` that are not
// placed yet, each after the sibling that precedes it on this side and past
// the placed siblings there that this side lacks and an earlier side in
// `order` holds (so the left's insertions at one place come first, whichever
// side gives the order). Every sibling of the side is the anchor of at most
// one search, and the stretches searched are disjoint: linear.
void PlaceSide(CPlacedList& placed, const SUnorderedSiblings& siblings, const CSideOrder& order,
               int position) {
    const int side = order[position];
    const auto passed = [&](std::size_t match) {
        const CDataNode& node = *siblings.matches[match];
        return node.NodeOf(side) == nullptr && FirstPosition(node, order) < position;
    };
    std::size_t anchor = placed.Head();
    for (const std::size_t match : siblings.sides[static_cast<std::size_t>(side)]) {
        if (!placed.IsPlaced(match)) {
            std::size_t at = anchor;
            while (placed.Next(at) != kNone && passed(placed.Next(at)))
                at = placed.Next(at);
            placed.LinkAfter(at, match);
        }
        anchor = match;
    }
}

} // namespace

void PlaceUnorderedSiblings(CDataNode& parent, const SUnorderedSiblings& siblings,
                            const CSideOrder& order) {
    if (siblings.matches.size() < 2)
        return;
    CPlacedList placed(siblings.matches.size());
    const int ordering = order.PositionOf(OrderingSide(siblings, order));
    PlaceSide(placed, siblings, order, ordering);
    for (int position = 0; position < order.Count(); ++position)
        if (position != ordering)
            PlaceSide(placed, siblings, order, position);
    // Appending each in turn rebuilds the list; nothing to do when the
    // order is the one the matches were made in.
    std::size_t expected = 0;
    bool unchanged = true;
    for (std::size_t at = placed.Next(placed.Head()); at != kNone; at = placed.Next(at))
        unchanged = unchanged && at == expected++;
    if (unchanged)
        return;
    for (std::size_t at = placed.Next(placed.Head()); at != kNone; at = placed.Next(at))
        parent.AddChild(siblings.matches[at]);
}
