// Three-way merges of siblings that no format specification rule identifies
// (elements known by their name only): one side's insertions and deletions
// must not shift the other side's changes onto a neighbour.

#include "merge_test_support.h"

#include <gtest/gtest.h>

using MergeTest::SMergeCase;

namespace {

const SMergeCase kCases[] = {
    {"inserted first against a change of the second",
     "<r><x n=\"a\" v=\"1\"/><x n=\"b\" v=\"1\"/></r>",
     "<r><x n=\"new\" v=\"0\"/><x n=\"a\" v=\"1\"/><x n=\"b\" v=\"1\"/></r>",
     "<r><x n=\"a\" v=\"1\"/><x n=\"b\" v=\"2\"/></r>",
     "<r><x n=\"new\" v=\"0\"/><x n=\"a\" v=\"1\"/><x n=\"b\" v=\"2\"/></r>"},
    {"one deletion on each side", "<r><x n=\"a\"/><x n=\"b\"/><x n=\"c\"/><x n=\"d\"/></r>",
     "<r><x n=\"a\"/><x n=\"b\"/><x n=\"d\"/></r>", "<r><x n=\"b\"/><x n=\"c\"/><x n=\"d\"/></r>",
     "<r><x n=\"b\"/><x n=\"d\"/></r>"},
    {"appended on one side, prepended on the other", "<r><x n=\"1\"/><x n=\"2\"/></r>",
     "<r><x n=\"1\"/><x n=\"2\"/><x n=\"3\"/></r>", "<r><x n=\"0\"/><x n=\"1\"/><x n=\"2\"/></r>",
     "<r><x n=\"0\"/><x n=\"1\"/><x n=\"2\"/><x n=\"3\"/></r>"},
    {"renamed on one side after an insertion on the other", "<r><x n=\"a\"/><x n=\"b\"/></r>",
     "<r><x n=\"new\"/><x n=\"a\"/><x n=\"b\"/></r>", "<r><x n=\"a\"/><x n=\"b2\"/></r>",
     "<r><x n=\"new\"/><x n=\"a\"/><x n=\"b2\"/></r>"},
    {"changed inside after an insertion on the other side", "<r><x><k>1</k></x><x><k>2</k></x></r>",
     "<r><x><k>0</k></x><x><k>1</k></x><x><k>2</k></x></r>",
     "<r><x><k>1</k></x><x><k>2</k><m/></x></r>",
     "<r><x><k>0</k></x><x><k>1</k></x><x><k>2</k><m/></x></r>"},
    {"the same element inserted by both at the same place", "<r><x n=\"a\"/><x n=\"b\"/></r>",
     "<r><x n=\"a\"/><x n=\"new\"/><x n=\"b\"/></r>",
     "<r><x n=\"a\"/><x n=\"new\"/><x n=\"b\" v=\"1\"/></r>",
     "<r><x n=\"a\"/><x n=\"new\"/><x n=\"b\" v=\"1\"/></r>"},
    {"changed by both alike after a deletion", "<r><x n=\"a\"/><x n=\"b\"/><x n=\"c\"/></r>",
     "<r><x n=\"b\" v=\"1\"/><x n=\"c\"/></r>",
     "<r><x n=\"a\"/><x n=\"b\" v=\"1\"/><x n=\"c\"/></r>",
     "<r><x n=\"b\" v=\"1\"/><x n=\"c\"/></r>"},
    {"inserted by both at different places, a deletion on one side",
     "<r><c n=\"1\"/><c n=\"2\"/></r>", "<r><b/><c n=\"1\"/><c n=\"2\"/></r>",
     "<r><c n=\"2\"/><d/><b k=\"1\"/></r>", "<r><b/><c n=\"2\"/><d/><b k=\"1\"/></r>"},
    {"a lone namesake deleted first and another added last, a deletion on the other side",
     "<r><b n=\"1\"><c/></b><c n=\"3\"/><c n=\"4\"/><a/></r>",
     "<r><c n=\"3\"/><c n=\"4\"/><a/><b n=\"6\"><a/></b></r>",
     "<r><b n=\"1\"><c/></b><c n=\"3\"/><a/></r>", "<r><c n=\"3\"/><a/><b n=\"6\"><a/></b></r>"},
    {"one element changed on both sides after an insertion", "<r><x n=\"a\"/><x n=\"b\"/></r>",
     "<r><x n=\"new\"/><x n=\"a\"/><x n=\"b\" v=\"1\"/></r>",
     "<r><x n=\"a\"/><x n=\"b\" v=\"2\"/></r>", nullptr},
};

TEST(SiblingAlignment, ChangesStayOnTheirElement) {
    MergeTest::ExpectMergeOutcomes(kCases);
}

} // namespace
