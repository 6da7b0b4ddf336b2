// Three-way merges of the children of an unordered ("Random") element, and
// of the declarations of a document type: each side's insertions stay where
// that side made them, with the indentation they had there, and a side's
// new order is kept.

#include "../formats/formats_test_support.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>

using MergeTest::SMergeCase;

namespace {

const SMergeCase kCases[] = {
    {"inserted in the middle by the right",
     "<resources>\n  <string name=\"a\">A</string>\n  <string name=\"c\">C</string>\n"
     "  <string name=\"d\">D</string>\n</resources>",
     "<resources>\n  <string name=\"a\">A</string>\n  <string name=\"c\">C</string>\n"
     "  <string name=\"d\">D</string>\n</resources>",
     "<resources>\n  <string name=\"a\">A</string>\n    <string name=\"b\">B</string>\n"
     "  <string name=\"c\">C</string>\n  <string name=\"d\">D</string>\n</resources>",
     "<resources>\n  <string name=\"a\">A</string>\n    <string name=\"b\">B</string>\n"
     "  <string name=\"c\">C</string>\n  <string name=\"d\">D</string>\n</resources>"},
    {"inserted in the middle by the left, changed after it by the right",
     "<resources>\n  <string name=\"a\">A</string>\n  <string name=\"c\">C</string>\n</resources>",
     "<resources>\n  <string name=\"a\">A</string>\n\n  <string name=\"b\">B</string>\n"
     "  <string name=\"c\">C</string>\n</resources>",
     "<resources>\n  <string name=\"a\">A</string>\n  <string name=\"c\">C2</string>\n</resources>",
     "<resources>\n  <string name=\"a\">A</string>\n\n  <string name=\"b\">B</string>\n"
     "  <string name=\"c\">C2</string>\n</resources>"},
    {"inserted at different places by both",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"c\"/>\n  <string name=\"e\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n  <string name=\"c\"/>\n"
     "  <string name=\"e\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"c\"/>\n  <string name=\"d\"/>\n"
     "  <string name=\"e\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n  <string name=\"c\"/>\n"
     "  <string name=\"d\"/>\n  <string name=\"e\"/>\n</resources>"},
    {"inserted at the same place by both: both kept, the left's first",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"c\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"l1\"/>\n  <string name=\"l2\"/>\n"
     "  <string name=\"c\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"r1\"/>\n  <string name=\"r2\"/>\n"
     "  <string name=\"c\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"l1\"/>\n  <string name=\"l2\"/>\n"
     "  <string name=\"r1\"/>\n  <string name=\"r2\"/>\n  <string name=\"c\"/>\n</resources>"},
    {"inserted by the right after what the left deleted",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n  <string name=\"c\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"c\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n  <string name=\"n\"/>\n"
     "  <string name=\"c\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"n\"/>\n  <string name=\"c\"/>\n"
     "</resources>"},
    {"inserted first by both", "<resources>\n  <string name=\"a\"/>\n</resources>",
     "<resources>\n  <string name=\"l\"/>\n  <string name=\"a\"/>\n</resources>",
     "<resources>\n\t<string name=\"r\"/>\n  <string name=\"a\"/>\n</resources>",
     "<resources>\n  <string name=\"l\"/>\n\t<string name=\"r\"/>\n  <string name=\"a\"/>\n"
     "</resources>"},
    {"a comment inserted by the right",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <!-- b -->\n  <string name=\"b\"/>\n</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <!-- b -->\n  <string name=\"b\"/>\n</resources>"},
    {"reordered by the right, changed by the left",
     "<resources>\n  <string name=\"a\">A</string>\n  <string name=\"b\">B</string>\n"
     "  <string name=\"c\">C</string>\n</resources>",
     "<resources>\n  <string name=\"a\">A</string>\n  <string name=\"b\">B</string>\n"
     "  <string name=\"c\">C2</string>\n</resources>",
     "<resources>\n  <string name=\"c\">C</string>\n  <string name=\"a\">A</string>\n"
     "  <string name=\"b\">B</string>\n</resources>",
     "<resources>\n  <string name=\"c\">C2</string>\n  <string name=\"a\">A</string>\n"
     "  <string name=\"b\">B</string>\n</resources>"},
    {"reordered by the left, inserted by the right",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n  <string name=\"c\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"c\"/>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"n\"/>\n  <string name=\"b\"/>\n"
     "  <string name=\"c\"/>\n</resources>",
     "<resources>\n  <string name=\"c\"/>\n  <string name=\"a\"/>\n  <string name=\"n\"/>\n"
     "  <string name=\"b\"/>\n</resources>"},
    {"reordered by the right, inserted at the same place by both: the left's first",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n  <string name=\"c\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"l\"/>\n  <string name=\"b\"/>\n"
     "  <string name=\"c\"/>\n</resources>",
     "<resources>\n  <string name=\"c\"/>\n  <string name=\"a\"/>\n  <string name=\"r\"/>\n"
     "  <string name=\"b\"/>\n</resources>",
     "<resources>\n  <string name=\"c\"/>\n  <string name=\"a\"/>\n  <string name=\"l\"/>\n"
     "  <string name=\"r\"/>\n  <string name=\"b\"/>\n</resources>"},
    {"moved by the left, inserted after the same element by the right: the left's first",
     "<resources>\n  <string name=\"v\"/>\n  <string name=\"p\"/>\n  <string name=\"n\"/>\n"
     "  <string name=\"b\"/>\n</resources>",
     "<resources>\n  <string name=\"v\"/>\n  <string name=\"n\"/>\n  <string name=\"p\"/>\n"
     "  <string name=\"b\"/>\n</resources>",
     "<resources>\n  <string name=\"v\"/>\n  <string name=\"p\"/>\n  <string name=\"n\"/>\n"
     "\n  <string name=\"r\"/>\n  <string name=\"b\"/>\n</resources>",
     "<resources>\n  <string name=\"v\"/>\n  <string name=\"n\"/>\n  <string name=\"p\"/>\n"
     "\n  <string name=\"r\"/>\n  <string name=\"b\"/>\n</resources>"},
    {"reordered differently by both: the left's order",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n  <string name=\"c\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"b\"/>\n  <string name=\"a\"/>\n  <string name=\"c\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"c\"/>\n  <string name=\"b\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"b\"/>\n  <string name=\"a\"/>\n  <string name=\"c\"/>\n"
     "</resources>"},
    {"reordered by the right, deleted by the left",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"b\"/>\n  <string name=\"c\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"a\"/>\n  <string name=\"c\"/>\n</resources>",
     "<resources>\n  <string name=\"c\"/>\n  <string name=\"b\"/>\n  <string name=\"a\"/>\n"
     "</resources>",
     "<resources>\n  <string name=\"c\"/>\n  <string name=\"a\"/>\n</resources>"},
    {"a declaration inserted by the right into a document type",
     "<!DOCTYPE r [\n  <!ELEMENT a ANY>\n  <!ELEMENT c ANY>\n]>\n<r/>",
     "<!DOCTYPE r [\n  <!ELEMENT a ANY>\n  <!ELEMENT c ANY>\n]>\n<r/>",
     "<!DOCTYPE r [\n  <!ELEMENT a ANY>\n  <!ELEMENT b ANY>\n  <!ELEMENT c ANY>\n]>\n<r/>",
     "<!DOCTYPE r [\n  <!ELEMENT a ANY>\n  <!ELEMENT b ANY>\n  <!ELEMENT c ANY>\n]>\n<r/>"},
    // Without a base, the right's own siblings follow their predecessor there.
    {"two-way: the right's own siblings", nullptr,
     "<resources><string name=\"a\"/><string name=\"c\"/></resources>",
     "<resources><string name=\"b\"/><string name=\"a\"/><string name=\"x\"/>"
     "<string name=\"c\"/></resources>",
     "<resources><string name=\"b\"/><string name=\"a\"/><string name=\"x\"/>"
     "<string name=\"c\"/></resources>"},
};

TEST(UnorderedPlacement, EachSidesInsertionsAndOrderAreKept) {
    MergeTest::ExpectMergeOutcomes(kCases, FormatsTest::ReadSpec(MergeTest::kStringsSpec).get());
}

} // namespace
