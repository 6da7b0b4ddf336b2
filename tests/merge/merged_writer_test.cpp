#include "../formats/formats_test_support.h"
#include "merge/content_block.h"
#include "merge_test_support.h"
#include "xml/writer.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using MergeTest::COperation;

namespace {

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(QUILLMERE_TEST_DATA_DIR "/xml/corpus")) {
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct SMode {
    const char* name;
    bool threeWay;
    bool merge;
};

class CCorpusRoundTrip : public testing::TestWithParam<SMode> {};

// Merging or comparing a document with itself (each side parsed on its own)
// writes the document back as the whole-document writer does.
TEST_P(CCorpusRoundTrip, IdenticalInputsAreWrittenBackUnchanged) {
    const SMode mode = GetParam();
    const std::vector<std::filesystem::path> files = CorpusFiles();
    ASSERT_FALSE(files.empty());
    for (const std::filesystem::path& path : files) {
        const std::string bytes = FormatsTest::ReadTextFile(path);
        const COperation operation = mode.threeWay
                                         ? COperation(bytes, bytes, bytes, mode.merge)
                                         : COperation(std::nullopt, bytes, bytes, mode.merge);
        const NXML::CDoc& left = *operation.docs[kSideLeft];
        NIO::TBuffer<0> expected;
        ASSERT_EQ(NXML::WriteDocument(expected, left), NResult::kOk) << path;
        EXPECT_EQ(operation.model.DifferenceCount(), 0u) << path;
        EXPECT_EQ(XmlTest::FirstDifference(MergeTest::StreamContent(expected), operation.Merged()),
                  "")
            << path;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, CCorpusRoundTrip,
    testing::Values(SMode{"ThreeWayMerge", true, true}, SMode{"ThreeWayCompare", true, false},
                    SMode{"TwoWayMerge", false, true}, SMode{"TwoWayCompare", false, false}),
    [](const testing::TestParamInfo<SMode>& info) { return std::string(info.param.name); });

struct SWriteCase {
    const char* name;
    // Null for a two-way merge.
    const char* base;
    const char* left;
    const char* right;
    // Sides the differences are resolved to, in list order; kSideNone keeps one.
    std::vector<int> resolutions;
    const char* merged;
};

const SWriteCase kWriteCases[] = {
    // A node only on the right is written with the whitespace that stood
    // before it there; the end tag keeps the left's.
    {"AddedNodeKeepsItsWhitespace",
     nullptr,
     "<r>\n <a/>\n</r>",
     "<r>\n <a/>\n\t<b x='1'/>\n</r>",
     {kSideNone},
     "<r>\n <a/>\n\t<b x='1'/>\n</r>"},
    {"PlaceholderWritesNothing",
     nullptr,
     "<r>\n <a/>\n</r>",
     "<r>\n <a/>\n\t<b/>\n</r>",
     {kSideLeft},
     "<r>\n <a/>\n</r>"},
    // The element had content on the left; with all of it resolved away it
    // is written as the side without the content wrote it.
    {"EmptiedElementTakesTheEmptySidesForm",
     nullptr,
     "<r><a>t<!--c--></a></r>",
     "<r><a/></r>",
     {kSideRight, kSideRight},
     "<r><a/></r>"},
    // With content on every side it keeps both tags.
    {"EmptiedElementKeepsItsEndTag",
     nullptr,
     "<r><a><!--c--></a></r>",
     "<r><a><b/></a></r>",
     {kSideRight, kSideLeft},
     "<r><a></a></r>"},
    // The shown element was empty in its source and stays so when what the
    // other side had is resolved away; with it taken, it gets both tags.
    {"EmptyElementStaysEmptyWithoutTheOtherSidesContent",
     nullptr,
     "<r><a x='1'/></r>",
     "<r><a x='1'>t<b/></a></r>",
     {kSideLeft, kSideLeft},
     "<r><a x='1'/></r>"},
    {"EmptyElementTakesTheOtherSidesContent",
     nullptr,
     "<r><a/></r>",
     "<r><a>t<b/></a></r>",
     {kSideLeft, kSideRight},
     "<r><a><b/></a></r>"},
    {"StartAndEndTagWithOnlyWhitespaceStay",
     nullptr,
     "<r><a> </a><b/></r>",
     "<r><a> </a><b/></r>",
     {},
     "<r><a> </a><b/></r>"},
    // Edited values and texts come from the blocks, the markup from the nodes.
    {"AttributeValuesAndTextsFromTheChosenSide",
     "<r a=\"1\" b='2'>x\r\ny</r>",
     "<r a=\"1\" b='3'>x\r\ny</r>",
     "<r  a = 'A' b=\"2\">x\ny</r>",
     {kSideNone, kSideNone, kSideRight},
     "<r  a = 'A' b='3'>x\ny</r>"},
    // An open difference fails the write, at the top level or inside an element.
    {"OpenAtTheTop", nullptr, "<!--a--><r/>", "<!--b--><r/>", {kSideNone}, "<failed>"},
    {"OpenInAnElement", nullptr, "<r><a>1</a></r>", "<r><a>2</a></r>", {kSideNone}, "<failed>"},
    {"ResolvedInAnElement",
     nullptr,
     "<r><a>1</a></r>",
     "<r><a>2</a></r>",
     {kSideRight},
     "<r><a>2</a></r>"},
};

class CMergedWriting : public testing::TestWithParam<SWriteCase> {};

TEST_P(CMergedWriting, WritesTheChosenAlternatives) {
    const SWriteCase& test = GetParam();
    COperation operation = MergeTest::OperationOf(test.base, test.left, test.right, true);
    ASSERT_EQ(operation.model.DifferenceCount(), test.resolutions.size());
    for (std::uint32_t index = 0; index < test.resolutions.size(); ++index) {
        if (test.resolutions[index] != kSideNone)
            operation.model.Resolve(operation.Difference(index), test.resolutions[index]);
    }
    EXPECT_EQ(operation.Merged(), test.merged);
}

INSTANTIATE_TEST_SUITE_P(Blocks, CMergedWriting, testing::ValuesIn(kWriteCases),
                         [](const testing::TestParamInfo<SWriteCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(MergedWriting, IndentedFormWritesEveryAlternative) {
    const COperation operation(
        std::nullopt,
        "<?xml version=\"1.0\"?><!DOCTYPE r PUBLIC \"p\" 's' [<!ELEMENT r ANY>]>"
        "<r a='1'><e/><t>one\ntwo</t><!--c\nd--></r>",
        "<?xml version=\"1.0\"?><!DOCTYPE r PUBLIC \"p\" 's' [<!ELEMENT r ANY>]>"
        "<r a='2'><e/><t>one\ntwo</t><!--c\nd--></r>",
        false);
    // The root passes depth 0 to the top-level blocks; the XML declaration
    // and the declaration in the subset are written in their source form.
    EXPECT_EQ(operation.Indented(-1, ">"), "><?xml version=\"1.0\"?>\r\n"
                                           "><!DOCTYPE r PUBLIC \"p\" 's'\r\n"
                                           ">[\r\n"
                                           ">\t<!ELEMENT r ANY>\r\n"
                                           ">]>\r\n"
                                           "><r\r\n"
                                           ">\t\ta='1'\r\n"
                                           ">\t\ta='2'\r\n"
                                           ">>\r\n"
                                           ">\t<e\r\n"
                                           ">\t/>\r\n"
                                           ">\t<t\r\n"
                                           ">\t>\r\n"
                                           ">\t\tone\r\n"
                                           ">\t\ttwo\r\n"
                                           ">\t</t>\r\n"
                                           ">\t<!--\r\n"
                                           ">\tc\r\n"
                                           ">\td\r\n"
                                           ">\t-->\r\n"
                                           "></r>\r\n");
}

TEST(ContentLines, SplitAtEveryKindOfBreak) {
    struct SCase {
        const char* text;
        std::vector<std::pair<std::string, std::string>> lines;
    };
    const SCase cases[] = {
        {"", {}},
        {"a", {{"a", ""}}},
        {"a\n", {{"a", "\n"}}},
        {"a\r\nb", {{"a", "\r\n"}, {"b", ""}}},
        {"a\rb\n\nc", {{"a", "\r"}, {"b", "\n"}, {"", "\n"}, {"c", ""}}},
        {"a\xC2\x85"
         "b\r\xC2\x85"
         "c",
         {{"a", "\xC2\x85"}, {"b", "\r\xC2\x85"}, {"c", ""}}},
        {"\xC3\xA9\xE2\x80\xA8\xE2\x80\xA9", {{"\xC3\xA9", "\xE2\x80\xA8"}, {"\xE2\x80\xA9", ""}}},
    };
    for (const SCase& test : cases) {
        NPtr::TArray<CContentBlock::SLine> lines;
        SplitIntoLines(test.text, lines);
        std::vector<std::pair<std::string, std::string>> split;
        for (const CContentBlock::SLine* line : lines)
            split.emplace_back(line->text.Text(), line->lineBreak.Text());
        lines.DeleteAll();
        EXPECT_EQ(split, test.lines) << test.text;
    }
}

TEST(BlockClones, AreDeepAndIndependent) {
    COperation operation(std::nullopt, "<r a='1'>x<b c=\"2\"/><!--d--></r>",
                         "<r a='3'>x<b c=\"2\"/><!--d--></r>", true);
    operation.model.Resolve(operation.Difference(0), kSideRight);
    const std::string merged = operation.Merged();

    const std::unique_ptr<CBlockBase> copy(operation.model.Root().Clone());
    NIO::TBuffer<0> out;
    ASSERT_TRUE(copy->WriteMerged(out));
    EXPECT_EQ(MergeTest::StreamContent(out), merged);

    // The copy's text is its own: changing it leaves the original as it was.
    CBlockBase* element = copy->FirstChildBlock();
    auto* text = static_cast<CContentBlock*>(element->FirstChildBlock());
    text->textLines[0]->text = "y";
    EXPECT_EQ(operation.Merged(), merged);
    out.Clear();
    ASSERT_TRUE(copy->WriteMerged(out));
    EXPECT_EQ(MergeTest::StreamContent(out), "<r a='3'>y<b c=\"2\"/><!--d--></r>");
}

} // namespace
