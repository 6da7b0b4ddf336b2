#include "compare/classification.h"
#include "compare_test_support.h"

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

} // namespace
