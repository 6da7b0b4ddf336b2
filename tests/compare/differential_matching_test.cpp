// The indexed matching against the plain reference on thousands of random
// operations: both must give the very same match tree.

#include "compare/match_algorithms.h"
#include "compare_test_support.h"
#include "reference_matching.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Few names and values, so that matches and near-matches are common.
const char* const kNames[] = {"a", "b", "c", "p:a"};
const char* const kAttributes[] = {"id", "k", "v"};
const char* const kValues[] = {"1", "2", "3", ""};
const char* const kTexts[] = {"x", " x ", "y", "\n  ", "  "};

class CRandomOperations {
public:
    explicit CRandomOperations(unsigned seed) : m_random(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, std::size_t N> const T& Pick(const T (&items)[N]) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }

    // Rules for the names in use: orders, identifying attributes, child
    // elements and content, and sometimes a default rule.
    std::string Rules() {
        std::string rules;
        if (Chance(60))
            rules +=
                std::string("<element name='*'") + Order() + ">" + ChildRules(1) + "</element>";
        for (const char* name : kNames)
            if (Chance(50))
                rules += std::string("<element name='") + LocalName(name) + "'" + Order() + ">" +
                         (Chance(70) ? ChildRules(2) : "") + "</element>";
        return rules;
    }

    // Top-level children of a base document; one element in ten has many
    // children, so that the long-list indexes are used, not only the walks.
    std::vector<std::string> Children(int count) {
        std::vector<std::string> children;
        for (int i = 0; i < count; ++i)
            children.push_back(Node(3));
        return children;
    }

    // Mutates a list of top-level children as one side's edits would.
    std::vector<std::string> Edited(std::vector<std::string> children) {
        const int edits = Below(4);
        for (int i = 0; i < edits && !children.empty(); ++i) {
            const auto at = static_cast<std::ptrdiff_t>(Below(static_cast<int>(children.size())));
            switch (Below(4)) {
            case 0:
                children.erase(children.begin() + at);
                break;
            case 1:
                children.insert(children.begin() + at, Node(2));
                break;
            case 2:
                children[static_cast<std::size_t>(at)] = Node(2);
                break;
            default:
                std::swap(children[static_cast<std::size_t>(at)], children.back());
                break;
            }
        }
        return children;
    }

    static std::string Wrapped(const std::vector<std::string>& children) {
        std::string text = "<r xmlns:p='u1'>";
        for (const std::string& child : children)
            text += child;
        return text + "</r>";
    }

    std::string Node(int depth) {
        const int kind = Below(10);
        if (kind == 0)
            return Pick(kTexts);
        if (kind == 1)
            return std::string("<!--") + Pick(kTexts) + "-->";
        if (kind == 2 && Chance(30))
            return "<?pi " + std::string(Pick(kTexts)) + "?>";
        std::string name = Pick(kNames);
        std::string text = "<" + name;
        for (const char* attribute : kAttributes)
            if (Chance(40))
                text += std::string(" ") + attribute + "='" + Pick(kValues) + "'";
        const int children = depth <= 0 ? 0 : Chance(10) ? 40 + Below(40) : Below(5);
        if (children == 0)
            return text + "/>";
        text += ">";
        for (int i = 0; i < children; ++i)
            text += Chance(25) ? std::string(Pick(kTexts)) : Node(depth - 1);
        return text + "</" + name + ">";
    }

private:
    static std::string LocalName(const char* name) {
        const std::string qualified(name);
        return qualified.substr(qualified.find(':') + 1);
    }

    const char* Order() {
        switch (Below(3)) {
        case 0:
            return " order='Sequenced'";
        case 1:
            return " order='Random'";
        default:
            return "";
        }
    }

    std::string ChildRules(int depth) {
        std::string rules;
        if (Chance(60))
            rules += std::string("<attribute name='") + Pick(kAttributes) + "'/>";
        if (depth > 1 && Chance(25))
            rules += std::string("<element name='") + LocalName(Pick(kNames)) + "'>" +
                     ChildRules(depth - 1) + "</element>";
        if (Chance(20))
            rules += "<content/>";
        return rules;
    }

    std::mt19937 m_random;
};

// Every match-tree node in order, with its depth, attribute or child, and
// the XML node it holds on each side.
std::string Structure(const CDataNode& root) {
    std::ostringstream out;
    std::vector<std::pair<const CDataNode*, int>> pending{{&root, 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        out << depth << ' ' << node->nodes[0] << ' ' << node->nodes[1] << ' ' << node->nodes[2]
            << '\n';
        std::vector<const CDataNode*> children;
        if (const CElementNode* element = node->AsElementNode())
            for (const CDataNode* a = element->attributes.FirstChildNode(); a != nullptr;
                 a = a->NextSiblingNode())
                children.push_back(a);
        for (const CDataNode* c = node->FirstChildNode(); c != nullptr; c = c->NextSiblingNode())
            children.push_back(c);
        for (auto c = children.rbegin(); c != children.rend(); ++c)
            pending.emplace_back(*c, depth + 1);
    }
    return out.str();
}

// The structures of the match trees that the reference and the indexed
// matching build for one operation.
std::pair<std::string, std::string>
ReferenceAndIndexed(const std::string& baseText, const std::string& leftText,
                    const std::string& rightText, const std::string& rulesText, bool threeWay) {
    const auto left = CompareTest::ParseDocument(leftText);
    const auto right = CompareTest::ParseDocument(rightText);
    const auto base = CompareTest::ParseDocument(baseText);
    const auto spec = CompareTest::SpecWithRules(rulesText);
    SMatchContext context;
    context.order.Fill(threeWay);
    context.spec = spec.get();

    CDocNode reference;
    reference.nodes = {threeWay ? base.get() : nullptr, left.get(), right.get()};
    reference.Build(context, ReferenceMatchAlgorithms());
    CDocNode indexed;
    indexed.nodes = reference.nodes;
    indexed.Build(context, IndexedMatchAlgorithms());
    return {Structure(reference), Structure(indexed)};
}

TEST(DifferentialMatching, IndexedMatchesTheReferenceOnRandomOperations) {
    constexpr int kOperations = 2000;
    int nodesCompared = 0;
    for (int seed = 1; seed <= kOperations; ++seed) {
        CRandomOperations random(static_cast<unsigned>(seed));
        const std::vector<std::string> base = random.Children(1 + random.Below(8));
        const std::string leftText = CRandomOperations::Wrapped(random.Edited(base));
        const std::string rightText = CRandomOperations::Wrapped(random.Edited(base));
        const bool threeWay = random.Chance(50);
        const std::string rulesText = random.Rules();

        const auto [expected, indexed] = ReferenceAndIndexed(
            CRandomOperations::Wrapped(base), leftText, rightText, rulesText, threeWay);
        ASSERT_EQ(indexed, expected)
            << "seed " << seed << (threeWay ? ", three-way" : ", two-way")
            << "\nrules: " << rulesText << "\nleft: " << leftText << "\nright: " << rightText;
        nodesCompared += static_cast<int>(std::count(expected.begin(), expected.end(), '\n'));
    }
    // The operations must be big enough to exercise the long-list indexes.
    EXPECT_GT(nodesCompared, kOperations * 50);
}

// A tree wide enough to be shared out among threads is matched as one
// thread matches it (which the tests above hold to the reference): records
// identified under an unordered root, with random content that each side
// edits, drops, adds to and moves.
TEST(DifferentialMatching, MatchingSharedAmongThreadsGivesTheSameTree) {
    constexpr int kRecords = 6000;
    const std::string rules = "<element name='r' order='Random'/>"
                              "<element name='x'><attribute name='id'/></element>";
    CRandomOperations random(7);
    std::vector<std::string> base;
    for (int id = 0; id < kRecords; ++id)
        base.push_back("<x id='" + std::to_string(id) + "'>" + random.Node(2) + "</x>");
    const auto edited = [&] {
        std::vector<std::string> records = base;
        for (std::string& record : records)
            if (random.Chance(5))
                record = record.substr(0, record.find('>') + 1) + random.Node(2) + "</x>";
        return random.Edited(records);
    };
    const auto original = CompareTest::ParseDocument(CRandomOperations::Wrapped(base));
    const auto left = CompareTest::ParseDocument(CRandomOperations::Wrapped(edited()));
    const auto right = CompareTest::ParseDocument(CRandomOperations::Wrapped(edited()));
    const auto spec = CompareTest::SpecWithRules(rules);
    SMatchContext context;
    context.order.Fill(true);
    context.spec = spec.get();
    const auto structure = [&](unsigned threads) {
        context.threads = threads;
        CDocNode root;
        root.nodes = {original.get(), left.get(), right.get()};
        root.Build(context, IndexedMatchAlgorithms());
        return Structure(root);
    };
    const std::string alone = structure(1);
    // Far more subtrees than are matched before the tree is shared out.
    EXPECT_GT(std::count(alone.begin(), alone.end(), '\n'), 3 * kRecords);
    // Compared without gtest's diff, which would not end on trees this size.
    const std::string shared = structure(4);
    const auto differ = std::mismatch(shared.begin(), shared.end(), alone.begin(), alone.end());
    EXPECT_TRUE(shared == alone) << "the trees part at byte " << (differ.first - shared.begin());
}

// One unordered list of identified elements, each side with many moves,
// insertions and deletions: the placement of each side's siblings searches
// long stretches, again and again from nearby places.
TEST(DifferentialMatching, IndexedPlacesUnorderedSiblingsLikeTheReference) {
    const std::string rules =
        "<element name='r' order='Random'/><element name='x'><attribute name='id'/></element>";
    const auto text = [](const std::vector<int>& ids) {
        std::string text = "<r>";
        for (const int id : ids)
            text += "<x id='" + std::to_string(id) + "'/>";
        return text + "</r>";
    };
    for (unsigned seed = 1; seed <= 300; ++seed) {
        CRandomOperations random(seed);
        std::vector<int> base(static_cast<std::size_t>(10 + random.Below(30)));
        std::iota(base.begin(), base.end(), 0);
        int nextId = static_cast<int>(base.size());
        const auto edited = [&] {
            std::vector<int> ids = base;
            for (int edit = random.Below(20); edit > 0 && !ids.empty(); --edit) {
                const auto at = ids.begin() + random.Below(static_cast<int>(ids.size()));
                const int kind = random.Below(3);
                if (kind == 0)
                    ids.insert(at, nextId++);
                else if (kind == 1)
                    ids.erase(at);
                else {
                    const int moved = *at;
                    ids.erase(at);
                    ids.insert(ids.begin() + random.Below(static_cast<int>(ids.size()) + 1), moved);
                }
            }
            return ids;
        };
        // One side in three keeps the base, so that either side gives the order.
        const int unedited = random.Below(3);
        const std::vector<int> left = unedited == 0 ? base : edited();
        const std::vector<int> right = unedited == 1 ? base : edited();
        const bool threeWay = random.Chance(70);
        const auto [expected, indexed] =
            ReferenceAndIndexed(text(base), text(left), text(right), rules, threeWay);
        ASSERT_EQ(indexed, expected)
            << "seed " << seed << (threeWay ? ", three-way" : ", two-way")
            << "\nbase: " << text(base) << "\nleft: " << text(left) << "\nright: " << text(right);
    }
}

} // namespace
