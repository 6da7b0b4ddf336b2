#include "compare/classification.h"
#include "compare_test_support.h"

#include <string>
#include <vector>

namespace {

using EKind = SClassification::EKind;

// What a side holds in one row of a classification table: nothing, the
// base's node, or one of two nodes that differ from it and each other.
enum class EHeld { Absent, AsBase, X, Y };

struct SRow {
    EHeld base, left, right;
    SClassification expected;
};

constexpr SClassification kSame{EKind::Same, kSideNone};
constexpr SClassification kOpen{EKind::Open, kSideNone};
constexpr SClassification kPickBase{EKind::Pick, kSideBase};
constexpr SClassification kPickLeft{EKind::Pick, kSideLeft};
constexpr SClassification kPickRight{EKind::Pick, kSideRight};

using enum EHeld;

class ClassificationTable : public ::testing::Test {
protected:
    ClassificationTable()
        : m_base(CompareTest::ParseDocument("<a/>")), m_equal(CompareTest::ParseDocument("<a/>")),
          m_x(CompareTest::ParseDocument("<x/>")), m_y(CompareTest::ParseDocument("<y/>")) {}

    const NXML::CNode* Node(EHeld held) const {
        switch (held) {
        case Absent:
            return nullptr;
        case AsBase:
            return m_equal->FirstChild();
        case X:
            return m_x->FirstChild();
        case Y:
            return m_y->FirstChild();
        }
        return nullptr;
    }

    void Check(bool threeWay, bool merge, const std::vector<SRow>& rows) const {
        SMatchContext context;
        context.order.Fill(threeWay);
        context.merge = merge;
        for (const SRow& row : rows) {
            const NXML::CNode* base = row.base == Absent ? nullptr : m_base->FirstChild();
            const SClassification got = Classify(context, base, Node(row.left), Node(row.right));
            EXPECT_EQ(got, row.expected)
                << "base " << int(row.base) << " left " << int(row.left) << " right "
                << int(row.right) << ": got kind " << int(got.kind) << " side " << got.side;
            CDataNode match;
            match.nodes = {base, Node(row.left), Node(row.right)};
            EXPECT_EQ(IsSame(context, match), row.expected.kind == EKind::Same)
                << "IsSame, base " << int(row.base) << " left " << int(row.left) << " right "
                << int(row.right);
        }
    }

private:
    std::unique_ptr<NXML::CDoc> m_base, m_equal, m_x, m_y;
};

TEST_F(ClassificationTable, ThreeWayCompare) {
    Check(true, false,
          {{AsBase, AsBase, AsBase, kSame},
           {AsBase, AsBase, X, kPickRight},
           {AsBase, X, AsBase, kPickLeft},
           {AsBase, X, X, kPickBase},
           {AsBase, X, Y, kOpen},
           {AsBase, AsBase, Absent, kPickRight},
           {AsBase, X, Absent, kOpen},
           {AsBase, Absent, AsBase, kPickLeft},
           {AsBase, Absent, X, kOpen},
           {AsBase, Absent, Absent, kPickBase},
           {Absent, X, X, kPickBase},
           {Absent, X, Y, kOpen},
           {Absent, X, Absent, kPickLeft},
           {Absent, Absent, X, kPickRight}});
}

// Where both sides agree on a change, a merge takes the left side; that
// includes a node both sides added alike.
TEST_F(ClassificationTable, ThreeWayMerge) {
    Check(true, true,
          {{AsBase, AsBase, AsBase, kSame},
           {AsBase, AsBase, X, kPickRight},
           {AsBase, X, AsBase, kPickLeft},
           {AsBase, X, X, kPickLeft},
           {AsBase, X, Y, kOpen},
           {AsBase, AsBase, Absent, kPickRight},
           {AsBase, X, Absent, kOpen},
           {AsBase, Absent, AsBase, kPickLeft},
           {AsBase, Absent, X, kOpen},
           {AsBase, Absent, Absent, kPickLeft},
           {Absent, X, X, kPickLeft},
           {Absent, X, Y, kOpen},
           {Absent, X, Absent, kPickLeft},
           {Absent, Absent, X, kPickRight}});
}

TEST_F(ClassificationTable, TwoWayCompare) {
    Check(false, false,
          {{Absent, X, X, kSame},
           {Absent, X, Y, kOpen},
           {Absent, X, Absent, kOpen},
           {Absent, Absent, X, kOpen}});
}

TEST_F(ClassificationTable, TwoWayMerge) {
    Check(false, true,
          {{Absent, X, X, kSame},
           {Absent, X, Y, kOpen},
           {Absent, X, Absent, kPickLeft},
           {Absent, Absent, X, kPickRight}});
}

// A two-way operation never looks at a base node, even when one is given.
TEST_F(ClassificationTable, TwoWayIgnoresTheBase) {
    SMatchContext context;
    context.merge = true;
    EXPECT_EQ(Classify(context, Node(X), Node(X), Node(X)), kSame);
}

// The same tables with a change made below the node: in an attribute, a
// text, a child or deeper down. The node itself (its tag) stays as it was,
// so only a look at the whole subtree can tell. A pick that would drop the
// changed subtree must become open; rows where nothing is dropped keep
// their result.
enum class EDeep { Absent, AsBase, BaseChanged, X, XChanged, Y };

struct SDeepRow {
    EDeep base, left, right;
    SClassification expected;
};

// The node as it stands in every copy that holds no change; `T` is its tag.
constexpr const char* kUnchanged = "<T id='1' k='2'><b><c>x</c></b></T>";
// The same laid out otherwise, which is no change.
constexpr const char* kUnchangedRelaidOut = "<T  k=\"2\"\n id='1' >\n  <b>\n<c>x</c></b>\n</T>";
// One change each, below the node or in its attributes.
constexpr const char* kChangedBelow[] = {
    "<T id='9' k='2'><b><c>x</c></b></T>",            // attribute value
    "<T id='1' k='2' n='3'><b><c>x</c></b></T>",      // attribute added
    "<T id='1'><b><c>x</c></b></T>",                  // attribute removed
    "<T id='1' k='2'><b><c>y</c></b></T>",            // text deep down
    "<T id='1' k='2'><b><c>x</c></b><d/></T>",        // child added
    "<T id='1' k='2'><b><c>x</c></b>text</T>",        // text added
    "<T id='1' k='2'><b/></T>",                       // descendant removed
    "<T id='1' k='2'><b><c n='1'>x</c></b></T>",      // attribute deep down
    "<T id='1' k='2'><b><e>x</e></b></T>",            // descendant renamed
    "<T id='1' k='2'><b><c>x<!--note--></c></b></T>", // comment added
};

std::string WithTag(const char* text, const char* tag) {
    std::string result;
    for (const char* c = text; *c != 0; ++c) {
        if (*c == 'T')
            result += tag;
        else
            result += *c;
    }
    return result;
}

class DeepClassificationTable : public ::testing::Test {
protected:
    // Every row once for each kind of change below the node.
    void Check(bool merge, const std::vector<SDeepRow>& rows) {
        SMatchContext context;
        context.order.Fill(true);
        context.merge = merge;
        for (const char* changed : kChangedBelow) {
            const auto base = CompareTest::ParseDocument(WithTag(kUnchanged, "a"));
            const auto asBase = CompareTest::ParseDocument(WithTag(kUnchangedRelaidOut, "a"));
            const auto baseChanged = CompareTest::ParseDocument(WithTag(changed, "a"));
            const auto x = CompareTest::ParseDocument(WithTag(kUnchangedRelaidOut, "x"));
            const auto xChanged = CompareTest::ParseDocument(WithTag(changed, "x"));
            const auto y = CompareTest::ParseDocument(WithTag(kUnchanged, "y"));
            const auto node = [&](EDeep held) -> const NXML::CNode* {
                switch (held) {
                case EDeep::Absent:
                    return nullptr;
                case EDeep::AsBase:
                    return asBase->FirstChild();
                case EDeep::BaseChanged:
                    return baseChanged->FirstChild();
                case EDeep::X:
                    return x->FirstChild();
                case EDeep::XChanged:
                    return xChanged->FirstChild();
                case EDeep::Y:
                    return y->FirstChild();
                }
                return nullptr;
            };
            for (const SDeepRow& row : rows) {
                const NXML::CNode* baseNode =
                    row.base == EDeep::Absent ? nullptr : base->FirstChild();
                const SClassification got =
                    Classify(context, baseNode, node(row.left), node(row.right));
                EXPECT_EQ(got, row.expected)
                    << "change " << changed << ", base " << int(row.base) << " left "
                    << int(row.left) << " right " << int(row.right) << ": got kind "
                    << int(got.kind) << " side " << got.side;
            }
        }
    }
};

// `both` is what a row where both sides agree on a change gives: left in a
// merge, base in a compare.
std::vector<SDeepRow> DeepRows(SClassification both) {
    using enum EDeep;
    return {
        // Equal tags everywhere: the children are classified on their own.
        {AsBase, AsBase, AsBase, kSame},
        {AsBase, BaseChanged, AsBase, kSame},
        {AsBase, AsBase, BaseChanged, kSame},
        {AsBase, BaseChanged, BaseChanged, kSame},
        // One side renamed the node: the other side's subtree is dropped.
        {AsBase, AsBase, X, kPickRight},
        {AsBase, BaseChanged, X, kOpen},
        {AsBase, X, AsBase, kPickLeft},
        {AsBase, X, BaseChanged, kOpen},
        // Both renamed it alike: one of the two is dropped.
        {AsBase, X, X, both},
        {AsBase, XChanged, X, kOpen},
        {AsBase, X, XChanged, kOpen},
        {AsBase, XChanged, Y, kOpen},
        // One side deleted the node, the other kept or changed it.
        {AsBase, AsBase, Absent, kPickRight},
        {AsBase, BaseChanged, Absent, kOpen},
        {AsBase, XChanged, Absent, kOpen},
        {AsBase, Absent, AsBase, kPickLeft},
        {AsBase, Absent, BaseChanged, kOpen},
        {AsBase, Absent, XChanged, kOpen},
        {AsBase, Absent, Absent, both},
        // Added where the base has none: only a deep-equal pair agrees.
        {Absent, X, X, both},
        {Absent, XChanged, X, kOpen},
        {Absent, X, XChanged, kOpen},
        {Absent, XChanged, Absent, kPickLeft},
        {Absent, Absent, XChanged, kPickRight},
    };
}

TEST_F(DeepClassificationTable, ThreeWayMerge) {
    Check(true, DeepRows(kPickLeft));
}

TEST_F(DeepClassificationTable, ThreeWayCompare) {
    Check(false, DeepRows(kPickBase));
}

// Two-way: a pick drops nothing (the other side has no node), and equal
// tags leave the children to be compared on their own.
TEST(DeepClassification, TwoWayNeverLooksBelowTheNode) {
    const auto plain = CompareTest::ParseDocument(WithTag(kUnchanged, "a"));
    for (const char* changedText : kChangedBelow) {
        const auto changed = CompareTest::ParseDocument(WithTag(changedText, "a"));
        for (const bool merge : {false, true}) {
            SMatchContext context;
            context.merge = merge;
            EXPECT_EQ(Classify(context, nullptr, plain->FirstChild(), changed->FirstChild()), kSame)
                << changedText;
            EXPECT_EQ(Classify(context, nullptr, nullptr, changed->FirstChild()),
                      merge ? kPickRight : kOpen)
                << changedText;
        }
    }
}

} // namespace
