#include "merge_test_support.h"

#include <gtest/gtest.h>

namespace {

struct SRenderingCase {
    const char* name;
    // Null for a two-way operation.
    const char* base;
    const char* left;
    const char* right;
    bool merge;
    const char* rendering;
};

// Renderings worked out by hand: one indent level is 32 pixels with the
// default metrics, and an attribute value in a selector starts 48 pixels
// plus the width of the name and " = " right of the attribute's indent.
const SRenderingCase kRenderingCases[] = {
    {"EveryBlockKind", nullptr,
     "<?xml version=\"1.0\"?>\n<!DOCTYPE r SYSTEM \"r.dtd\" [<!ELEMENT r ANY>]>\n"
     "<r>\n  <e/>\n  <f a=\"1\" b='2'/>\n  <g>t1\r\nt2\n</g>\n  <!---->\n"
     "  <![CDATA[c]]>\n  <p:h xmlns:p=\"u\"></p:h><!--one\ntwo-->\n</r>\n",
     "<?xml version=\"1.0\"?>\n<!DOCTYPE r SYSTEM \"r.dtd\" [<!ELEMENT r ANY>]>\n"
     "<r>\n  <e/>\n  <f a=\"1\" b='2'/>\n  <g>t1\r\nt2\n</g>\n  <!---->\n"
     "  <![CDATA[c]]>\n  <p:h xmlns:p=\"u\"></p:h><!--one\ntwo-->\n</r>\n",
     false,
     "0 L 0 <?xml version=\"1.0\"?>\n"
     "1 L 0 <!DOCTYPE r SYSTEM \"r.dtd\"[\n"
     "2 L 32 <!ELEMENT r ANY>\n"
     "3 L 0 ]>\n"
     "4 L 0 <r>\n"
     "5 L 32 <e/>\n"
     "6 L 32 <f\n"
     "7 L 64 a = \"1\"\n"
     "8 L 64 b = '2'\n"
     "9 L 32 />\n"
     "10 L 32 <g>\n"
     "11 L 64 t1\n"
     "12 L 64 t2\n"
     "13 L 32 </g>\n"
     "14 L 32 <!---->\n"
     "15 L 32 <![CDATA[c]]>\n"
     "16 L 32 <p:h\n"
     "17 L 64 xmlns:p = \"u\"\n"
     "18 L 32 />\n"
     "19 L 32 <!--one\n"
     "20 L 32 two-->\n"
     "21 L 0 </r>\n"},
    // Attribute selectors: only the left alternative names the attribute,
    // and every value starts at 32 + 48 + 4 * 8 = 112.
    {"AttributesInAndOutOfSelectors", nullptr, "<r a=\"1\" b=\"x\"/>", "<r a=\"2\" b=\"x\" c='3'/>",
     true,
     "0 L 0 <r\n"
     "1 L 32 a =\\t\"1\" [#0 open]\n"
     "2 R 112 \"2\" [#0 open]\n"
     "3 L 32 b = \"x\"\n"
     "4 L 32 c =\\t [#1 R]\n"
     "5 R 112 '3' [#1 R]\n"
     "6 L 0 />\n"},
    // a: deleted on the left, unchanged on the right: the deletion wins.
    // The comment: changed on the left, deleted on the right: a conflict.
    // c: deleted on both sides: the left (empty) alternative.
    {"ThreeWayMergeDeletions", "<r><a/><!--x--><c/><d/></r>", "<r><!--x2--><d/></r>",
     "<r><a/><d/></r>", true,
     "0 L 0 <r>\n"
     "1 L 32  [#0 L]\n"
     "2 B 32 <a/> [#0 L]\n"
     "3 R 32 <a/> [#0 L]\n"
     "4 L 32 <!--x2--> [#1 open]\n"
     "5 B 32 <!--x--> [#1 open]\n"
     "6 R 32  [#1 open]\n"
     "7 L 32  [#2 L]\n"
     "8 B 32 <c/> [#2 L]\n"
     "9 R 32  [#2 L]\n"
     "10 L 32 <d/>\n"
     "11 L 0 </r>\n"},
    // A node only on the right is kept; the left shows a placeholder.
    {"TwoWayMergeNodeOnlyOnTheRight", nullptr, "<r><a/></r>", "<r><a/><b>t</b></r>", true,
     "0 L 0 <r>\n"
     "1 L 32 <a/>\n"
     "2 L 32  [#0 R]\n"
     "3 R 32 <b> [#0 R]\n"
     "4 R 64 t [#0 R]\n"
     "5 R 32 </b> [#0 R]\n"
     "6 L 0 </r>\n"},
    // The elements differ by namespace, so each alternative holds its whole
    // subtree for its own side: the differing texts below make no selector.
    {"DifferenceInsideAnAlternative", nullptr, "<r><e xmlns=\"u1\"><x>1</x></e></r>",
     "<r><e xmlns=\"u2\"><x>2</x></e></r>", false,
     "0 L 0 <r>\n"
     "1 L 32 <e [#0 open]\n"
     "2 L 64 xmlns = \"u1\" [#0 open]\n"
     "3 L 32 > [#0 open]\n"
     "4 L 64 <x> [#0 open]\n"
     "5 L 96 1 [#0 open]\n"
     "6 L 64 </x> [#0 open]\n"
     "7 L 32 </e> [#0 open]\n"
     "8 R 32 <e [#0 open]\n"
     "9 R 64 xmlns = \"u2\" [#0 open]\n"
     "10 R 32 > [#0 open]\n"
     "11 R 64 <x> [#0 open]\n"
     "12 R 96 2 [#0 open]\n"
     "13 R 64 </x> [#0 open]\n"
     "14 R 32 </e> [#0 open]\n"
     "15 L 0 </r>\n"},
    // In a three-way compare a change made alike on both sides marks the base.
    {"ThreeWayCompareMarksTheChangedSides", "<r><t>1</t><u>1</u></r>", "<r><t>2</t><u>1</u></r>",
     "<r><t>2</t><u>3</u></r>", false,
     "0 L 0 <r>\n"
     "1 L 32 <t>\n"
     "2 L 64 2 [#0 B]\n"
     "3 B 64 1 [#0 B]\n"
     "4 R 64 2 [#0 B]\n"
     "5 L 32 </t>\n"
     "6 L 32 <u>\n"
     "7 L 64 1 [#1 R]\n"
     "8 B 64 1 [#1 R]\n"
     "9 R 64 3 [#1 R]\n"
     "10 L 32 </u>\n"
     "11 L 0 </r>\n"},
    // The combined block of an element takes the side whose name had a
    // prefix. The declaration only the right has is a difference of a
    // compare; its value stands at 64 + 48 + 10 * 8.
    {"PrefixedElementPreferred", nullptr, "<r xmlns=\"u\"><e/></r>",
     "<r xmlns=\"u\"><p:e xmlns:p=\"u\"/></r>", false,
     "0 L 0 <r\n"
     "1 L 32 xmlns = \"u\"\n"
     "2 L 0 >\n"
     "3 R 32 <p:e\n"
     "4 L 64 xmlns:p =\\t [#0 open]\n"
     "5 R 192 \"u\" [#0 open]\n"
     "6 R 32 />\n"
     "7 L 0 </r>\n"},
};

class CRenderingTest : public testing::TestWithParam<SRenderingCase> {};

TEST_P(CRenderingTest, RendersEveryDisplayLine) {
    const SRenderingCase& test = GetParam();
    EXPECT_EQ(MergeTest::OperationOf(test.base, test.left, test.right, test.merge).Rendering(),
              test.rendering);
}

INSTANTIATE_TEST_SUITE_P(Blocks, CRenderingTest, testing::ValuesIn(kRenderingCases),
                         [](const testing::TestParamInfo<SRenderingCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
