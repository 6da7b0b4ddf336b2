#include "compare/anchor_chain.h"
#include "compare/match_context.h"
#include "compare/match_rules.h"
#include "compare/sibling_index.h"
#include "compare/sibling_pairing.h"
#include "compare_test_support.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The first position at or after `from` of a child named `name`, found by
// walking the children.
std::size_t WalkTo(const CSiblingIndex& index, const std::string& name, std::size_t from) {
    for (std::size_t position = from; position < index.Size(); ++position)
        if (index.At(position)->text.Text() == name)
            return position;
    return CSiblingIndex::kNotFound;
}

struct SIndexCase {
    const char* name;
    int children;
    // Child k is named "n" followed by k modulo this: few names repeat
    // thousands of times, many names stand once.
    int names;
};

class SiblingIndexTest : public testing::TestWithParam<SIndexCase> {};

// The index must find what a walk finds, from every position, for keys that
// a handful of children share and for keys that thousands do.
TEST_P(SiblingIndexTest, FindsWhatAWalkFinds) {
    const SIndexCase& test = GetParam();
    std::string text = "<r>";
    for (int child = 0; child < test.children; ++child)
        text += "<n" + std::to_string(child % test.names) + "/>";
    const auto document = CompareTest::ParseDocument(text + "</r>");
    const NXML::CElement* root = document->FirstChildElement();
    CMatchRules rules(nullptr);
    SMatchContext context;
    context.order.Fill(false);
    CSiblingIndex index(rules, root);
    // A pairing of no children keeps no child apart: the keys stay the names'.
    const CSiblingPairing pairing({nullptr, nullptr, nullptr}, context, rules, IndexedAnchorChain);
    index.Index(pairing);
    ASSERT_EQ(index.Size(), static_cast<std::size_t>(test.children));
    for (int name = 0; name < test.names; name += 1 + test.names / 7) {
        const NXML::CNode& child = *index.At(static_cast<std::size_t>(name));
        for (std::size_t from = 0; from <= index.Size(); from += 1 + index.Size() / 300)
            ASSERT_EQ(index.FindCorresponding(rules, child,
                                              index.KeyAt(static_cast<std::size_t>(name)), from),
                      WalkTo(index, child.text.Text(), from))
                << child.text.Text() << " from " << from;
    }
}

const SIndexCase kIndexCases[] = {
    {"OneNameThousandsOfTimes", 3000, 1},
    {"FewNames", 3000, 3},
    {"EveryNameOnce", 3000, 3000},
    {"ShortListWalked", 20, 4},
};

INSTANTIATE_TEST_SUITE_P(Cases, SiblingIndexTest, testing::ValuesIn(kIndexCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
