#include "xml_documents.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <string>

namespace {

using NBench::EDocumentShape;
using NBench::GenerateXmlDocument;

constexpr std::size_t kSampleSize = NBench::kMegabyte;

// Parses `text` keeping every kind of node, or fails the test.
void ParseOrFail(const std::string& text, pugi::xml_document& document) {
    const pugi::xml_parse_result result =
        document.load_buffer(text.data(), text.size(), pugi::parse_full, pugi::encoding_utf8);
    ASSERT_TRUE(result) << result.description() << " at offset " << result.offset;
}

std::size_t CountNodes(const pugi::xml_node& node, pugi::xml_node_type type) {
    std::size_t count = node.type() == type ? 1 : 0;
    for (const pugi::xml_node& child : node.children())
        count += CountNodes(child, type);
    return count;
}

class XmlDocumentsTest : public testing::TestWithParam<EDocumentShape> {};

TEST_P(XmlDocumentsTest, SameSeedGivesSameBytesAndOtherSeedOthers) {
    const std::string first = GenerateXmlDocument(GetParam(), 200'000, 7);
    EXPECT_EQ(first, GenerateXmlDocument(GetParam(), 200'000, 7));
    EXPECT_NE(first, GenerateXmlDocument(GetParam(), 200'000, 8));
}

TEST_P(XmlDocumentsTest, ReachesTheMinimumSizeWithoutOvershootingFar) {
    // A record is a few hundred bytes; a chapter of nested sections a few
    // dozen kilobytes at most.
    const std::size_t overshoot = GetParam() == EDocumentShape::kRecords ? 1024 : 256 * 1024;
    for (const std::size_t minimum : {std::size_t(0), std::size_t(1), std::size_t(5000),
                                      std::size_t(300'000), 3 * NBench::kMegabyte}) {
        const std::size_t size = GenerateXmlDocument(GetParam(), minimum).size();
        EXPECT_GE(size, minimum);
        EXPECT_LT(size, minimum + overshoot) << "minimum " << minimum;
    }
}

TEST_P(XmlDocumentsTest, IsWellFormedForSeveralSeeds) {
    for (const std::uint64_t seed : {NBench::kDefaultSeed, std::uint64_t(1), std::uint64_t(99)}) {
        pugi::xml_document document;
        ParseOrFail(GenerateXmlDocument(GetParam(), kSampleSize, seed), document);
        EXPECT_STREQ(document.document_element().name(),
                     GetParam() == EDocumentShape::kRecords ? "records" : "book");
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, XmlDocumentsTest,
                         testing::Values(EDocumentShape::kRecords, EDocumentShape::kMixed),
                         [](const testing::TestParamInfo<EDocumentShape>& info) {
                             return std::string(NBench::ShapeName(info.param));
                         });

TEST(XmlDocumentShapeNames, RoundTripAndRejectUnknownNames) {
    for (const EDocumentShape shape : {EDocumentShape::kRecords, EDocumentShape::kMixed})
        EXPECT_EQ(NBench::ShapeFromName(NBench::ShapeName(shape)), shape);
    EXPECT_NE(NBench::ShapeName(EDocumentShape::kRecords),
              NBench::ShapeName(EDocumentShape::kMixed));
    EXPECT_FALSE(NBench::ShapeFromName("Records").has_value());
    EXPECT_FALSE(NBench::ShapeFromName("").has_value());
}

// How many records of a generated document take each variant form.
struct SRecordVariants {
    std::size_t records = 0;
    std::size_t empty = 0;
    std::size_t singleQuoted = 0;
    std::size_t withNote = 0;
    std::size_t afterComment = 0;
    std::size_t withReferences = 0;

    std::size_t Total() const {
        return empty + singleQuoted + withNote + afterComment + withReferences;
    }
};

TEST(RecordsDocument, IsAFlatListOfNumberedRecordsWithRareVariants) {
    const std::string text = GenerateXmlDocument(EDocumentShape::kRecords, kSampleSize);
    pugi::xml_document document;
    ParseOrFail(text, document);

    SRecordVariants variants;
    bool previousWasComment = false;
    for (const pugi::xml_node& child : document.document_element().children()) {
        if (child.type() == pugi::node_comment) {
            previousWasComment = true;
            continue;
        }
        ASSERT_EQ(child.type(), pugi::node_element);
        ASSERT_STREQ(child.name(), "record");
        ++variants.records;
        char expectedId[16];
        std::snprintf(expectedId, sizeof expectedId, "r%07zu", variants.records);
        ASSERT_STREQ(child.attribute("id").value(), expectedId);
        EXPECT_NE(std::strchr(child.attribute("name").value(), ' '), nullptr);
        EXPECT_STRNE(child.attribute("kind").value(), "");

        const std::string_view text = child.text().get();
        variants.empty += child.first_child().empty();
        variants.singleQuoted += !child.attribute("status").empty();
        variants.withNote += !child.child("note").empty();
        variants.afterComment += previousWasComment;
        variants.withReferences += text.find("& €") != std::string_view::npos;
        previousWasComment = false;
    }
    // Several thousand records, each variant form chosen one time in 500.
    ASSERT_GT(variants.records, 2000u);
    for (const std::size_t count : {variants.empty, variants.singleQuoted, variants.withNote,
                                    variants.afterComment, variants.withReferences})
        EXPECT_GT(count, 0u);
    EXPECT_GT(variants.Total(), variants.records / 200);
    EXPECT_LT(variants.Total(), variants.records / 50);
}

TEST(MixedDocument, HoldsCommentsCdataProcessingInstructionsAndPrefixedElements) {
    pugi::xml_document document;
    ParseOrFail(GenerateXmlDocument(EDocumentShape::kMixed, kSampleSize), document);

    const std::size_t elements = CountNodes(document, pugi::node_element);
    const std::size_t comments = CountNodes(document, pugi::node_comment);
    const std::size_t sections = CountNodes(document, pugi::node_cdata);
    const std::size_t instructions = CountNodes(document, pugi::node_pi);
    EXPECT_GT(comments, 10u);
    EXPECT_GT(sections, 10u);
    EXPECT_GT(instructions, 1u);
    // "Some" CDATA and "a few" instructions: rarer than elements and comments.
    EXPECT_LT(sections, elements / 10);
    EXPECT_LT(instructions, comments);

    const pugi::xml_node root = document.document_element();
    EXPECT_STREQ(root.attribute("xmlns:m").value(), "urn:quillmere:bench:meta");
    EXPECT_FALSE(root.select_node("//m:ref").node().empty());
}

} // namespace
