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

// Places the siblings of one side that are not placed yet, each after the
// sibling that precedes it on this side and past the placed siblings there
// that it passes (Passes). Searches go through jumps that skip stretches
// found passed before; a sibling once passed stays passed for every later
// one of the side, so the jumps stay true, and shortening them on every
// search keeps the pass near-linear.
class CSidePass {
public:
    CSidePass(CPlacedList& placed, const SUnorderedSiblings& siblings, const CSideOrder& order,
              int position)
        : m_placed(placed), m_siblings(siblings), m_order(order), m_position(position),
          m_side(order[position]), m_rank(siblings.matches.size(), kNone),
          m_jump(siblings.matches.size() + 1, kNone) {
        const auto& sequence = Sequence();
        for (std::size_t rank = 0; rank < sequence.size(); ++rank)
            m_rank[sequence[rank]] = rank;
    }

    void Run() {
        std::size_t anchor = m_placed.Head();
        for (const std::size_t match : Sequence()) {
            if (!m_placed.IsPlaced(match))
                m_placed.LinkAfter(LastPassed(anchor, m_rank[match]), match);
            anchor = match;
        }
    }

private:
    const std::vector<std::size_t>& Sequence() const {
        return m_siblings.sides[static_cast<std::size_t>(m_side)];
    }

    // Whether the sibling of rank `rank` on this side goes after `match`:
    // when this side holds `match` before it (another side moved `match`
    // here), or when this side lacks `match` and an earlier side in column
    // order holds it (so the left's insertions at one place come first).
    bool Passes(std::size_t match, std::size_t rank) const {
        if (m_rank[match] != kNone)
            return m_rank[match] < rank;
        const CDataNode& node = *m_siblings.matches[match];
        for (int earlier = 0; earlier < m_position; ++earlier)
            if (node.NodeOf(m_order[earlier]) != nullptr)
                return true;
        return false;
    }

    // The last of the siblings after `from` that the sibling of rank `rank`
    // passes, all in a row; `from` itself when it passes none.
    std::size_t LastPassed(std::size_t from, std::size_t rank) {
        std::size_t at = from;
        m_path.clear();
        for (;;) {
            std::size_t next = m_jump[at];
            if (next == kNone) {
                next = m_placed.Next(at);
                if (next == kNone || !Passes(next, rank))
                    break;
            }
            m_path.push_back(at);
            at = next;
        }
        for (const std::size_t visited : m_path)
            m_jump[visited] = at;
        return at;
    }

    CPlacedList& m_placed;
    const SUnorderedSiblings& m_siblings;
    const CSideOrder& m_order;
    const int m_position;
    const int m_side;
    // Per match: its position on this side, kNone where this side lacks it.
    std::vector<std::size_t> m_rank;
    // Per match and the start: a sibling further on up to which everything
    // was passed; kNone when not known.
    std::vector<std::size_t> m_jump;
    std::vector<std::size_t> m_path;
};

} // namespace

void PlaceUnorderedSiblings(CDataNode& parent, const SUnorderedSiblings& siblings,
                            const CSideOrder& order) {
    if (siblings.matches.size() < 2)
        return;
    CPlacedList placed(siblings.matches.size());
    const int ordering = order.PositionOf(OrderingSide(siblings, order));
    CSidePass(placed, siblings, order, ordering).Run();
    for (int position = 0; position < order.Count(); ++position)
        if (position != ordering)
            CSidePass(placed, siblings, order, position).Run();
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
