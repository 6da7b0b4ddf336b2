// Three-way merges in which one side's change sits below a node that the
// other side deleted or added differently: a conflict, never a clean result
// without the change.

#include "../formats/formats_test_support.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>

using MergeTest::SMergeCase;

namespace {

const SMergeCase kCases[] = {
    {"deleted against text changed", "<r><a id=\"1\">x</a></r>", "<r></r>",
     "<r><a id=\"1\">y</a></r>", nullptr},
    {"deleted against attribute changed", "<r><a id=\"1\">x</a></r>", "<r></r>",
     "<r><a id=\"2\">x</a></r>", nullptr},
    {"deleted against attribute added", "<r><a id=\"1\">x</a></r>", "<r></r>",
     "<r><a id=\"1\" n=\"2\">x</a></r>", nullptr},
    {"deleted against child added", "<r><a id=\"1\">x</a></r>", "<r></r>",
     "<r><a id=\"1\">x<b/></a></r>", nullptr},
    {"text changed against deleted", "<r><a id=\"1\">x</a></r>", "<r><a id=\"1\">y</a></r>",
     "<r></r>", nullptr},
    {"deleted against a change two levels down", "<r><a><b><c>x</c></b></a></r>", "<r></r>",
     "<r><a><b><c>y</c></b></a></r>", nullptr},
    {"different items added at the same place", "<r><list><item>A</item></list></r>",
     "<r><list><item>A</item><item>Earth</item></list></r>",
     "<r><list><item>A</item><item>Mars</item></list></r>", nullptr},
    {"renamed alike, changed inside on one side", "<r><a>x</a></r>",
     "<r><p:a xmlns:p=\"u\">x</p:a></r>", "<r><p:a xmlns:p=\"u\">y</p:a></r>", nullptr},
    {"deleted against unchanged but laid out anew", "<r><a id=\"1\">x</a></r>", "<r></r>",
     "<r><a  id='1' >x</a></r>", "<r></r>"},
    {"the same item added on both sides", "<r><list><item>A</item></list></r>",
     "<r><list><item>A</item><item>Earth</item></list></r>",
     "<r><list><item>A</item><item>Earth</item></list></r>",
     "<r><list><item>A</item><item>Earth</item></list></r>"},
    {"text changed on one side, attribute on the other", "<r><a id=\"1\">x</a></r>",
     "<r><a id=\"1\">y</a></r>", "<r><a id=\"2\">x</a></r>", "<r><a id=\"2\">y</a></r>"},
    {"deleted on both sides", "<r><a id=\"1\">x</a><b/></r>", "<r><b/></r>", "<r><b/></r>",
     "<r><b/></r>"},
};

// Under kStringsSpec.
const SMergeCase kKeyedCases[] = {
    {"the same key added with different texts", "<resources></resources>",
     "<resources><string name=\"x\">One</string></resources>",
     "<resources><string name=\"x\">Two</string></resources>", nullptr},
    {"the same key added alike", "<resources></resources>",
     "<resources><string name=\"x\">One</string></resources>",
     "<resources><string name=\"x\">One</string></resources>",
     "<resources><string name=\"x\">One</string></resources>"},
};

// Elements identified by an attribute, in order.
const SMergeCase kIdentifiedCases[] = {
    {"moved out of a sibling on both sides, one changed it on the way",
     "<r i='0'><a i='1'><a i='2' n='5'/></a></r>", "<r i='0'><a i='2'/><a i='1'/></r>",
     "<r i='0'><a i='1'/><a i='2' n='5'/></r>", nullptr},
    // What stays clean: nothing is lost in these.
    {"moved out of a sibling on both sides to different places",
     "<r i='0'><a i='1'><a i='2'/></a></r>", "<r i='0'><a i='2'/><a i='1'/></r>",
     "<r i='0'><a i='1'/><a i='2'/></r>", "<r i='0'><a i='2'/><a i='1'/></r>"},
    {"moved into a sibling on one side, kept in place on the other",
     "<r i='0'><a i='1'/><c i='2'/></r>", "<r i='0'><c i='2'><a i='1'/></c><!--c6--></r>",
     "<r i='0'><!--c9--><a i='1'/><c i='2'><b i='3'>t8</b></c></r>",
     "<r i='0'><!--c9--><c i='2'><a i='1'/><b i='3'>t8</b></c><!--c6--></r>"},
    {"deleted on one side, moved to the end on the other",
     "<r i='0'><a i='1'/><c i='2'/><d i='3'/></r>", "<r i='0'><c i='2'/><d i='3'/></r>",
     "<r i='0'><c i='2'/><d i='3'/><a i='1'/></r>", "<r i='0'><c i='2'/><d i='3'/></r>"},
};

TEST(LostChange, ADroppedSubtreeMustHoldNoChange) {
    MergeTest::ExpectMergeOutcomes(kCases);
    MergeTest::ExpectMergeOutcomes(kKeyedCases,
                                   FormatsTest::ReadSpec(MergeTest::kStringsSpec).get());
    MergeTest::ExpectMergeOutcomes(
        kIdentifiedCases,
        FormatsTest::ReadSpec(
            "<file name='test' root='resources'><element name='*' order='Sequenced'>"
            "<attribute name='i'/></element></file>")
            .get());
}

} // namespace
