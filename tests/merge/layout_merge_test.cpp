// Three-way merges where the sides lay out equal nodes differently: the
// whitespace in and around tags, quote marks, the form of an empty element,
// attribute order and the text after the root element. A layout change one
// side made is kept; where both sides changed the same thing, the left's
// wins. The exact bytes of each result are checked.

#include "merge_test_support.h"

#include <gtest/gtest.h>

using MergeTest::COperation;
using MergeTest::ExpectMergeOutcome;
using MergeTest::SMergeCase;

namespace {

// Only the layout differs: the merge has no difference at all.
const SMergeCase kLayoutOnly[] = {
    {"space before '/>' on the right", "<r><e x=\"1\"/></r>", "<r><e x=\"1\"/></r>",
     "<r><e x=\"1\" /></r>", "<r><e x=\"1\" /></r>"},
    {"space before '/>' on the left", "<r><e x=\"1\"/></r>", "<r><e x=\"1\" /></r>",
     "<r><e x=\"1\"/></r>", "<r><e x=\"1\" /></r>"},
    {"space before '/>' on both, differently", "<r><e x=\"1\"/></r>", "<r><e x=\"1\" /></r>",
     "<r><e x=\"1\"  /></r>", "<r><e x=\"1\" /></r>"},
    {"space before '>' and in the end tag on the right", "<r><e>t</e></r>", "<r><e>t</e></r>",
     "<r><e >t</e ></r>", "<r><e >t</e ></r>"},
    {"end tag dropped on the right", "<r><f></f></r>", "<r><f></f></r>", "<r><f/></r>",
     "<r><f/></r>"},
    {"end tag added on the left", "<r><f/></r>", "<r><f></f></r>", "<r><f/></r>", "<r><f></f></r>"},
    {"both forms changed, differently", "<r><f></f></r>", "<r><f/></r>", "<r><f>\n</f></r>",
     "<r><f/></r>"},
    {"quote marks on the right", "<r><e x=\"1\"/></r>", "<r><e x=\"1\"/></r>", "<r><e x='1'/></r>",
     "<r><e x='1'/></r>"},
    {"quote marks on the left", "<r><e x=\"1\"/></r>", "<r><e x='1'/></r>", "<r><e x=\"1\"/></r>",
     "<r><e x='1'/></r>"},
    {"quote marks on the left, spaces at '=' on the right", "<r><e x=\"1\"/></r>",
     "<r><e x='1'/></r>", "<r><e x = \"1\"/></r>", "<r><e x='1'/></r>"},
    {"attribute on a line of its own on the right", "<r><e a=\"1\" b=\"2\"/></r>",
     "<r><e a=\"1\" b=\"2\"/></r>", "<r><e a=\"1\"\n   b=\"2\"/></r>",
     "<r><e a=\"1\"\n   b=\"2\"/></r>"},
    {"each side spaced a different attribute", "<r><e a=\"1\" b=\"2\"/></r>",
     "<r><e  a=\"1\" b=\"2\"/></r>", "<r><e a=\"1\" b='2'/></r>", "<r><e  a=\"1\" b='2'/></r>"},
    {"attributes reordered on the right", "<r><e a=\"1\" b=\"2\" c=\"3\"/></r>",
     "<r><e a=\"1\" b=\"2\" c=\"3\"/></r>", "<r><e c=\"3\" a=\"1\" b=\"2\"/></r>",
     "<r><e c=\"3\" a=\"1\" b=\"2\"/></r>"},
    {"attributes reordered on the left", "<r><e a=\"1\" b=\"2\" c=\"3\"/></r>",
     "<r><e b=\"2\" a=\"1\" c=\"3\"/></r>", "<r><e a=\"1\" b=\"2\" c=\"3\"/></r>",
     "<r><e b=\"2\" a=\"1\" c=\"3\"/></r>"},
    {"attributes reordered on both, differently", "<r><e a=\"1\" b=\"2\" c=\"3\"/></r>",
     "<r><e b=\"2\" a=\"1\" c=\"3\"/></r>", "<r><e c=\"3\" a=\"1\" b=\"2\"/></r>",
     "<r><e b=\"2\" a=\"1\" c=\"3\"/></r>"},
    {"re-indented on the right", "<r>\n  <a>\n    <b/>\n  </a>\n</r>",
     "<r>\n  <a>\n    <b/>\n  </a>\n</r>", "<r>\n    <a>\n        <b/>\n    </a>\n</r>",
     "<r>\n    <a>\n        <b/>\n    </a>\n</r>"},
    {"re-indented on the left, a blank line added on the right", "<r>\n  <a/>\n  <b/>\n</r>",
     "<r>\n\t<a/>\n\t<b/>\n</r>", "<r>\n  <a/>\n\n  <b/>\n</r>", "<r>\n\t<a/>\n\t<b/>\n</r>"},
    {"line breaks before a comment and an instruction on the right", "<r><!--c--><?p x?></r>",
     "<r><!--c--><?p x?></r>", "<r>\n<!--c-->\n<?p x?>\n</r>", "<r>\n<!--c-->\n<?p x?>\n</r>"},
    {"line break after the declaration on the right", "<?xml version=\"1.0\"?><r/>",
     "<?xml version=\"1.0\"?><r/>", "<?xml version=\"1.0\"?>\n<r/>",
     "<?xml version=\"1.0\"?>\n<r/>"},
    {"final line end added on the right", "<r/>", "<r/>", "<r/>\n", "<r/>\n"},
    {"final line end removed on the right", "<r/>\n", "<r/>\n", "<r/>", "<r/>"},
    {"final line end made CRLF on the left", "<r/>\n", "<r/>\r\n", "<r/>\n", "<r/>\r\n"},
    {"final line ends changed on both, differently", "<r/>", "<r/>\n", "<r/>\r\n", "<r/>\n"},
    {"document type spaced on the right", "<!DOCTYPE r SYSTEM 'r.dtd'><r/>",
     "<!DOCTYPE r SYSTEM 'r.dtd'><r/>", "<!DOCTYPE  r  SYSTEM  'r.dtd' >\n<r/>",
     "<!DOCTYPE  r  SYSTEM  'r.dtd' >\n<r/>"},
    // Without a base to tell who changed the layout, the left's stays.
    {"two-way", nullptr, "<r>\n <e b='2' a='1' />\n</r>\n", "<r><e a=\"1\" b=\"2\"/></r>",
     "<r>\n <e b='2' a='1' />\n</r>\n"},
};

TEST(LayoutMerge, AOneSidedLayoutChangeIsKeptAndIsNoDifference) {
    for (const SMergeCase& test : kLayoutOnly) {
        const COperation operation = MergeTest::MergeOf(test);
        EXPECT_EQ(operation.model.DifferenceCount(), 0u) << test.what;
        ExpectMergeOutcome(operation, test.merged, test.what);
    }
}

// Layout changes beside changes of content, and elements whose content one
// side added or removed: an element is written in the form of the side whose
// content is taken.
const SMergeCase kLayoutAndContent[] = {
    {"right reordered, left changed a value", "<r><e a=\"1\" b=\"2\"/></r>",
     "<r><e a=\"1\" b=\"5\"/></r>", "<r><e b=\"2\" a=\"1\"/></r>", "<r><e b=\"5\" a=\"1\"/></r>"},
    {"right reordered, left added an attribute after the one it follows there",
     "<r><e a=\"1\" b=\"2\" c=\"3\"/></r>", "<r><e a=\"1\" n=\"0\" b=\"2\" c=\"3\"/></r>",
     "<r><e c=\"3\" b=\"2\" a=\"1\"/></r>", "<r><e c=\"3\" b=\"2\" a=\"1\" n=\"0\"/></r>"},
    {"right re-indented, left inserted an element", "<r>\n  <a/>\n  <b/>\n</r>",
     "<r>\n  <a/>\n  <n/>\n  <b/>\n</r>", "<r>\n    <a/>\n    <b/>\n</r>",
     "<r>\n    <a/>\n  <n/>\n    <b/>\n</r>"},
    {"right deleted an element with a blank line before it", "<r>\n  <a/>\n\n  <b/>\n  <c/>\n</r>",
     "<r>\n  <a/>\n\n  <b/>\n  <c/>\n</r>", "<r>\n  <a/>\n\n  <c/>\n</r>",
     "<r>\n  <a/>\n\n  <c/>\n</r>"},
    {"right gave an empty element a child", "<r>\n  <e x=\"1\" />\n</r>",
     "<r>\n  <e x=\"1\" />\n</r>", "<r>\n  <e x=\"1\">\n    <c/>\n  </e>\n</r>",
     "<r>\n  <e x=\"1\">\n    <c/>\n  </e>\n</r>"},
    {"left spaced an empty element, right gave it a child", "<r>\n  <e x=\"1\"/>\n</r>",
     "<r>\n  <e x=\"1\" />\n</r>", "<r>\n  <e x=\"1\">\n    <c/>\n  </e>\n</r>",
     "<r>\n  <e x=\"1\">\n    <c/>\n  </e>\n</r>"},
    {"left gave an empty element a child, right spaced it", "<r><e x=\"1\"/></r>",
     "<r><e x=\"1\"><c/></e></r>", "<r><e x=\"1\" /></r>", "<r><e x=\"1\"><c/></e></r>"},
    {"left emptied an element, right kept its child", "<r><e x=\"1\"><c/></e></r>",
     "<r><e x=\"1\"/></r>", "<r><e x=\"1\"><c/></e></r>", "<r><e x=\"1\"/></r>"},
    {"left emptied an element, right spaced its tag", "<r><e x=\"1\"><c/></e></r>",
     "<r><e x=\"1\"/></r>", "<r><e x=\"1\" ><c/></e></r>", "<r><e x=\"1\"/></r>"},
    {"right emptied an element to an end tag, left spaced its tag", "<r><e x=\"1\"><c/></e></r>",
     "<r><e x=\"1\" ><c/></e></r>", "<r><e x=\"1\">\n</e></r>", "<r><e x=\"1\">\n</e></r>"},
    {"right made every line end CRLF and changed a value, left changed another",
     "<r>\n  <!--a\n  b-->\n  <v>1</v>\n  <w>1</w>\n</r>\n",
     "<r>\n  <!--a\n  b-->\n  <v>2</v>\n  <w>1</w>\n</r>\n",
     "<r>\r\n  <!--a\r\n  b-->\r\n  <v>1</v>\r\n  <w>3</w>\r\n</r>\r\n",
     "<r>\r\n  <!--a\r\n  b-->\r\n  <v>2</v>\r\n  <w>3</w>\r\n</r>\r\n"},
    {"both emptied an element, differently", "<r><e><c/></e></r>", "<r><e/></r>", "<r><e></e></r>",
     "<r><e/></r>"},
};

TEST(LayoutMerge, LayoutBesideChangesOfContent) {
    MergeTest::ExpectMergeOutcomes(kLayoutAndContent);
}

} // namespace
