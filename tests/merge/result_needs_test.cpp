// Merges whose result must carry what it needs and nothing twice:
// a prefix it uses is declared in it, an element one side added is not
// written a second time because the other side added it elsewhere, and an
// attribute one side added stands where that side put it.

#include "../formats/formats_test_support.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>

using MergeTest::COperation;
using MergeTest::SMergeCase;

namespace {

// e identified by k, in order.
const char* const kKeyedSpec = "<file name='test' root='r'><element name='e' order='Sequenced'>"
                               "<attribute name='k'/></element></file>";

const SMergeCase kIdentifiedCases[] = {
    {"the same identified element replacing a comment on both sides, text beside it on one",
     "<r><!--c--></r>", "<r>t<e k=\"1\"/></r>", "<r><e k=\"1\"/></r>", "<r>t<e k=\"1\"/></r>"},
    {"the same, among unchanged siblings", "<r><a/><!--c--><b/></r>",
     "<r><a/>t<e k=\"1\"/><b/></r>", "<r><a/><e k=\"1\"/><b/></r>", "<r><a/>t<e k=\"1\"/><b/></r>"},
    {"the same, among identified siblings", "<r><e k=\"0\"/><!--c--><e k=\"2\"/></r>",
     "<r><e k=\"0\"/>t<e k=\"1\"/><e k=\"2\"/></r>", "<r><e k=\"0\"/><e k=\"1\"/><e k=\"2\"/></r>",
     "<r><e k=\"0\"/>t<e k=\"1\"/><e k=\"2\"/></r>"},
};

TEST(ResultNeeds, IdentifiedElementsAreWrittenOnce) {
    MergeTest::ExpectMergeOutcomes(kIdentifiedCases, FormatsTest::ReadSpec(kKeyedSpec).get());
}

// Elements known by their names only.
const SMergeCase kRepeatedAdditionCases[] = {
    {"moved out of its parent by both sides to different places",
     "<r><b/><c/><c><b n=\"1\">t</b></c></r>", "<r><b/><c/><c/><b n=\"1\">t</b></r>",
     "<r><b/><c/><b n=\"1\">t</b><c/></r>", nullptr},
    {"the same, laid out",
     "<r>\n  <b/>\n  <c>\n    <b n=\"1\">t</b>\n  </c>\n  <c>\n    <!--x-->\n  </c>\n</r>",
     "<r>\n  <b/>\n  <c>\n  </c>\n  <c>\n    <!--x-->\n  </c>\n  <b n=\"1\">t</b>\n</r>",
     "<r>\n  <b/>\n  <c>\n  </c>\n  <b n=\"1\">t</b>\n  <c>\n    <!--x-->\n  </c>\n</r>", nullptr},
    {"moved out of its parent by both sides to the same place",
     "<r><b/><c/><c><b n=\"1\">t</b></c></r>", "<r><b/><c/><c/><b n=\"1\">t</b></r>",
     "<r><b/><c/><c/><b n=\"1\">t</b></r>", "<r><b/><c/><c/><b n=\"1\">t</b></r>"},
    {"moved by both sides into different parents", "<r><a><x n=\"1\"><y/></x></a><b/><c/></r>",
     "<r><a/><b><x n=\"1\"><y/></x></b><c/></r>", "<r><a/><b/><c><x n=\"1\"><y/></x></c></r>",
     nullptr},
    {"two of one name moved by both sides into different parents",
     "<r><a><x n=\"1\"/><x n=\"2\"/></a><b/><c/></r>",
     "<r><a/><b><x n=\"1\"/><x n=\"2\"/></b><c/></r>",
     "<r><a/><b/><c><x n=\"1\"/><x n=\"2\"/></c></r>", nullptr},
    {"moved into different parents, changed on the way by one side",
     "<r><a><x n=\"1\"/></a><b/><c/></r>", "<r><a/><b><x n=\"1\"/></b><c/></r>",
     "<r><a/><b/><c><x n=\"2\"/></c></r>", nullptr},
    {"moved by one side, the same added under another parent by the other",
     "<r><a><x n=\"1\"/></a><b/><c/></r>", "<r><a/><b><x n=\"1\"/></b><c/></r>",
     "<r><a><x n=\"1\"/></a><b/><c><x n=\"1\"/></c></r>",
     "<r><a/><b><x n=\"1\"/></b><c><x n=\"1\"/></c></r>"},
    {"the same added by both sides under different parents, nothing moved", "<r><a/><b/></r>",
     "<r><a><x n=\"1\"/></a><b/></r>", "<r><a/><b><x n=\"1\"/></b></r>",
     "<r><a><x n=\"1\"/></a><b><x n=\"1\"/></b></r>"},
    {"moved within its parent by both sides to different places",
     "<r><x n=\"1\"/><x n=\"2\"/><x n=\"3\"/></r>", "<r><x n=\"2\"/><x n=\"1\"/><x n=\"3\"/></r>",
     "<r><x n=\"2\"/><x n=\"3\"/><x n=\"1\"/></r>", nullptr},
    {"the same element added by both sides at different places", "<r><c/><d/></r>",
     "<r><x><y/></x><c/><d/></r>", "<r><c/><d/><x><y/></x></r>", nullptr},
    {"the same comment added by both sides at different places", "<r><c/><d/></r>",
     "<r><!--x--><c/><d/></r>", "<r><c/><d/><!--x--></r>", nullptr},
    {"different elements of one name added at different places", "<r><c/><d/></r>",
     "<r><x><y/></x><c/><d/></r>", "<r><c/><d/><x><z/></x></r>",
     "<r><x><y/></x><c/><d/><x><z/></x></r>"},
    {"one side adds a copy of an element the other side keeps", "<r><b/><c/></r>",
     "<r><b/><c/><b/></r>", "<r><b/><c v=\"1\"/></r>", "<r><b/><c v=\"1\"/><b/></r>"},
    // Without a base, an element each side has at another place.
    {"two-way: swapped", nullptr, "<r><x><y/></x><a/></r>", "<r><a/><x><y/></x></r>", nullptr},
    {"two-way: one side's own addition", nullptr, "<r><a/></r>", "<r><a/><x/></r>",
     "<r><a/><x/></r>"},
    {"two-way: the same at the same place", nullptr, "<r><x/><a/></r>", "<r><x/><a/></r>",
     "<r><x/><a/></r>"},
};

TEST(ResultNeeds, AnAdditionMadeApartOnBothSidesIsWrittenOnceOrLeftOpen) {
    MergeTest::ExpectMergeOutcomes(kRepeatedAdditionCases);
}

TEST(ResultNeeds, EveryPlaceOfElementsMovedApartIsLeftOpen) {
    // Each side's two moved elements: four differences, none decided.
    const COperation operation("<r><a><x n=\"1\"/><x n=\"2\"/></a><b/><c/></r>",
                               "<r><a/><b><x n=\"1\"/><x n=\"2\"/></b><c/></r>",
                               "<r><a/><b/><c><x n=\"2\"/><x n=\"1\"/></c></r>", true);
    EXPECT_EQ(operation.model.ConflictCount(), 4u);
}

// Where one side alone touches the attributes, the other side changes b, so
// that the merge cannot simply take one side's document.
const SMergeCase kAttributePlaceCases[] = {
    {"added between two by the right", "<r><a x=\"1\" z=\"3\"/><b/></r>",
     "<r><a x=\"1\" z=\"3\"/><b v=\"1\"/></r>", "<r><a x=\"1\" y=\"2\" z=\"3\"/><b/></r>",
     "<r><a x=\"1\" y=\"2\" z=\"3\"/><b v=\"1\"/></r>"},
    {"added first by the right", "<r><a x=\"1\" z=\"3\"/><b/></r>",
     "<r><a x=\"1\" z=\"3\"/><b v=\"1\"/></r>", "<r><a w=\"0\" x=\"1\" z=\"3\"/><b/></r>",
     "<r><a w=\"0\" x=\"1\" z=\"3\"/><b v=\"1\"/></r>"},
    {"two added in a row by the right", "<r><a x=\"1\" z=\"3\"/><b/></r>",
     "<r><a x=\"1\" z=\"3\"/><b v=\"1\"/></r>", "<r><a x=\"1\" y=\"2\" y2=\"2\" z=\"3\"/><b/></r>",
     "<r><a x=\"1\" y=\"2\" y2=\"2\" z=\"3\"/><b v=\"1\"/></r>"},
    {"added by the right after one the left deleted", "<r><a x=\"1\" y=\"2\" z=\"3\"/></r>",
     "<r><a x=\"1\" z=\"3\"/></r>", "<r><a x=\"1\" y=\"2\" n=\"4\" z=\"3\"/></r>",
     "<r><a x=\"1\" n=\"4\" z=\"3\"/></r>"},
    {"added by each side at its own place", "<r><a x=\"1\" z=\"3\"/></r>",
     "<r><a x=\"1\" l=\"2\" z=\"3\"/></r>", "<r><a q=\"0\" x=\"1\" z=\"3\"/></r>",
     "<r><a q=\"0\" x=\"1\" l=\"2\" z=\"3\"/></r>"},
    {"added by both sides after the same attribute", "<r><a x=\"1\" z=\"3\"/></r>",
     "<r><a x=\"1\" l=\"2\" z=\"3\"/></r>", "<r><a x=\"1\" q=\"0\" z=\"3\"/></r>",
     "<r><a x=\"1\" l=\"2\" q=\"0\" z=\"3\"/></r>"},
    {"added first by both sides", "<r><a x=\"1\"/></r>", "<r><a l=\"2\" x=\"1\"/></r>",
     "<r><a q=\"0\" x=\"1\"/></r>", "<r><a l=\"2\" q=\"0\" x=\"1\"/></r>"},
    {"added by the right beside one the left changed", "<r><a x=\"1\" z=\"3\"/></r>",
     "<r><a x=\"9\" z=\"3\"/></r>", "<r><a x=\"1\" z=\"3\" y=\"2\"/></r>",
     "<r><a x=\"9\" z=\"3\" y=\"2\"/></r>"},
    {"added by the left between two", "<r><a x=\"1\" z=\"3\"/><b/></r>",
     "<r><a x=\"1\" y=\"2\" z=\"3\"/><b/></r>", "<r><a x=\"1\" z=\"3\"/><b v=\"1\"/></r>",
     "<r><a x=\"1\" y=\"2\" z=\"3\"/><b v=\"1\"/></r>"},
};

TEST(ResultNeeds, AnAddedAttributeStandsWhereItsSidePutIt) {
    MergeTest::ExpectMergeOutcomes(kAttributePlaceCases);
}

// Identifying attributes come first in the display, not in the result.
const SMergeCase kIdentifyingAttributeCases[] = {
    {"added around an identifying attribute", "<r><a k=\"1\" id=\"2\"/><b/></r>",
     "<r><a k=\"1\" id=\"2\"/><b v=\"1\"/></r>", "<r><a k=\"1\" m=\"5\" id=\"2\" n=\"6\"/><b/></r>",
     "<r><a k=\"1\" m=\"5\" id=\"2\" n=\"6\"/><b v=\"1\"/></r>"},
    {"changed, added and deleted on either side", "<r><a k='1' id='2' m='3'/></r>",
     "<r><a k='5' id='2' m='3' n='6'/></r>", "<r><a x='0' k='1' id='2'/></r>",
     "<r><a x='0' k='5' id='2' n='6'/></r>"},
};

TEST(ResultNeeds, AnAddedAttributeKeepsItsPlaceBesideIdentifyingOnes) {
    MergeTest::ExpectMergeOutcomes(
        kIdentifyingAttributeCases,
        FormatsTest::ReadSpec(
            "<file name='test' root='r'><element name='a'><attribute name='id'/></element></file>")
            .get());
}

const SMergeCase kPrefixCases[] = {
    {"declaration removed on the left, an element with its prefix added on the right",
     "<r xmlns:p=\"u\"><a/></r>", "<r><a/></r>", "<r xmlns:p=\"u\"><a/><p:b/></r>", nullptr},
    {"declaration moved into its user on one side, prefix used elsewhere on the other",
     "<r xmlns:p=\"u\"><p:a/></r>", "<r xmlns:p=\"u\"><p:a/><p:b/></r>",
     "<r><p:a xmlns:p=\"u\"/></r>", nullptr},
    {"declaration removed on the left, an attribute with its prefix added on the right",
     "<r xmlns:p=\"u\"><a/></r>", "<r><a/></r>", "<r xmlns:p=\"u\"><a p:v=\"1\"/></r>", nullptr},
    {"declaration removed on the right, an element with its prefix added on the left",
     "<r xmlns:p=\"u\"><a/></r>", "<r xmlns:p=\"u\"><p:b/><a/></r>", "<r><a/></r>", nullptr},
    {"declaration removed on an inner element, used below it on the other side",
     "<r><a xmlns:p=\"u\"><c/></a></r>", "<r><a><c/></a></r>",
     "<r><a xmlns:p=\"u\"><c><p:d/></c></a></r>", nullptr},
    {"declaration bound to another namespace on the left, prefix used on the right",
     "<r xmlns:p=\"u\"><a/></r>", "<r xmlns:p=\"w\"><a/></r>", "<r xmlns:p=\"u\"><a/><p:b/></r>",
     nullptr},
    {"each side removed one of two declarations around an element all sides hold alike",
     "<r xmlns:p=\"u\"><m xmlns:p=\"u\"><s><p:b/></s></m></r>",
     "<r xmlns:p=\"u\"><m><s><p:b/></s></m></r>", "<r><m xmlns:p=\"u\"><s><p:b/></s></m></r>",
     nullptr},
    {"default namespace removed on the left around an element the right added",
     "<r><a xmlns=\"u\"><c/></a></r>", "<r><a><c/></a></r>", "<r><a xmlns=\"u\"><c/><d/></a></r>",
     nullptr},
    // What stays clean.
    {"declaration removed on one side, another one kept for the other's element",
     "<r xmlns:p=\"u\" xmlns:q=\"v\"><a/></r>", "<r xmlns:q=\"v\"><a/></r>",
     "<r xmlns:p=\"u\" xmlns:q=\"v\"><a/><q:b/></r>", "<r xmlns:q=\"v\"><a/><q:b/></r>"},
    {"declaration moved outwards on one side, prefix used on the other",
     "<r><a xmlns:p=\"u\"><c/></a></r>", "<r xmlns:p=\"u\"><a><c/></a></r>",
     "<r><a xmlns:p=\"u\"><c/><p:d/></a></r>", "<r xmlns:p=\"u\"><a><c/><p:d/></a></r>"},
    {"an added element that declares its own prefix", "<r xmlns:p=\"u\"><a/></r>", "<r><a/></r>",
     "<r xmlns:p=\"u\"><a/><p:b xmlns:p=\"u\"/></r>", "<r><a/><p:b xmlns:p=\"u\"/></r>"},
    {"the xml prefix needs no declaration", "<r><a/></r>", "<r><a xml:lang=\"en\"/></r>",
     "<r><a/><b xml:space=\"preserve\"/></r>",
     "<r><a xml:lang=\"en\"/><b xml:space=\"preserve\"/></r>"},
};

TEST(ResultNeeds, APrefixTheResultUsesIsDeclaredInIt) {
    MergeTest::ExpectMergeOutcomes(kPrefixCases);
}

TEST(ResultNeeds, BothDifferencesBehindAnUndeclaredPrefixStayOpen) {
    COperation operation("<r xmlns:p=\"u\"><a/></r>", "<r><a/></r>",
                         "<r xmlns:p=\"u\"><a/><p:b/></r>", true);
    ASSERT_EQ(operation.model.ConflictCount(), 2u);
    // Keeping the declaration resolves it; so does leaving the element out.
    operation.model.Resolve(operation.Difference(0), kSideRight);
    operation.model.Resolve(operation.Difference(1), kSideRight);
    EXPECT_EQ(operation.Merged(), "<r xmlns:p=\"u\"><a/><p:b/></r>");
    operation.model.Resolve(operation.Difference(0), kSideLeft);
    operation.model.Resolve(operation.Difference(1), kSideLeft);
    EXPECT_EQ(operation.Merged(), "<r><a/></r>");
}

TEST(ResultNeeds, ACompareMarksPrefixChangesWithoutOpeningThem) {
    const COperation operation("<r xmlns:p=\"u\"><a/></r>", "<r><a/></r>",
                               "<r xmlns:p=\"u\"><a/><p:b/></r>", false);
    EXPECT_EQ(operation.model.DifferenceCount(), 2u);
    EXPECT_EQ(operation.model.ConflictCount(), 0u);
}

} // namespace
