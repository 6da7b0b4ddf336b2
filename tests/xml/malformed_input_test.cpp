#include "round_trip_support.h"
#include "xml/doc.h"
#include "xml/element.h"
#include "xml/input_decoder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace NXML;
using XmlTest::ParseBytes;
using XmlTest::Written;
using namespace std::string_view_literals;

namespace {

std::string Repeat(std::string_view piece, int count) {
    std::string text;
    text.reserve(piece.size() * std::size_t(count));
    for (int index = 0; index < count; ++index)
        text += piece;
    return text;
}

// The UTF-8 text the parser reads for `bytes`, before it cuts it.
std::string Decoded(std::string_view bytes) {
    NIO::TBuffer<0> stream;
    stream.Borrow(bytes.data(), bytes.size());
    NString::TStr<char> text;
    SInputForm form;
    if (DecodeInput(stream, text, form) != NResult::kOk)
        return "<not decoded>";
    return text.Text();
}

// Parses `bytes`; when accepted, the document must be written back exactly
// as it was decoded, and when refused, nothing of it may stay.
::testing::AssertionResult KeepsEveryByteOrRefuses(std::string_view bytes, int& accepted) {
    CDoc doc;
    const int result = ParseBytes(doc, bytes);
    if (result == NResult::kOk) {
        ++accepted;
        const std::string difference = XmlTest::FirstDifference(Decoded(bytes), Written(doc));
        if (!difference.empty())
            return ::testing::AssertionFailure() << difference;
        return ::testing::AssertionSuccess();
    }
    if (result != NResult::kNotWellFormed && result != NResult::kUnsupportedCharset &&
        result != NResult::kInexactCharset)
        return ::testing::AssertionFailure() << "result " << result;
    if (doc.FirstChild() != nullptr || !doc.trailingText.IsEmpty())
        return ::testing::AssertionFailure() << "a refused document keeps nodes";
    return ::testing::AssertionSuccess();
}

} // namespace

// ---- Refusal: why and where ----

TEST(RefusedDocuments, NameTheProblemAndItsLineAndColumn) {
    struct SCase {
        std::string_view source;
        EParseProblem problem;
        int line;
        int column;
    };
    const SCase cases[] = {
        // The input as a whole: empty, blank, plain text, binary.
        {"", EParseProblem::kNoRootElement, 1, 1},
        {" \n\t\n", EParseProblem::kNoRootElement, 3, 1},
        {"just some text\n", EParseProblem::kNoRootElement, 2, 1},
        {"<?xml version='1.0'?>\n<!-- only a comment -->\n", EParseProblem::kNoRootElement, 3, 1},
        {"<r>ab\0cd</r>"sv, EParseProblem::kZeroByte, 1, 6},
        {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR"sv, EParseProblem::kZeroByte, 3, 1},
        {"text <r/>", EParseProblem::kTextOutsideRoot, 1, 1},
        {"<r/>\n<s/>", EParseProblem::kSecondRootElement, 2, 1},
        {"<r/>tail\n", EParseProblem::kTextOutsideRoot, 1, 5},
        {"<![CDATA[x]]><r/>", EParseProblem::kTextOutsideRoot, 1, 1},
        // Start tags.
        {"<r><a k='1' x=1 y='2'>t</a></r>", EParseProblem::kAttributeValueNotQuoted, 1, 15},
        {"<r a=\"1></r>", EParseProblem::kAttributeValueNotClosed, 1, 6},
        {"<r a=\"1>\n<b c=\"2\"/></r>", EParseProblem::kLessThanInAttributeValue, 2, 1},
        {"<r a></r>", EParseProblem::kAttributeWithoutValue, 1, 4},
        {"<r a='1' b='2' a='3'/>", EParseProblem::kDuplicateAttribute, 1, 16},
        {"<r a b='1'/>", EParseProblem::kAttributeWithoutValue, 1, 4},
        {"<r \"x\"/>", EParseProblem::kBadCharacterInTag, 1, 4},
        {"<r a='1'/ >", EParseProblem::kBadCharacterInTag, 1, 9},
        {"<r><a x='1'", EParseProblem::kTagNotClosed, 1, 4},
        {"<r:x", EParseProblem::kTagNotClosed, 1, 1},
        // End tags and elements.
        {"<r>\n  <a>text</b>\n</r>", EParseProblem::kEndTagMismatch, 2, 10},
        {"<r><a></r></a>", EParseProblem::kEndTagMismatch, 1, 7},
        {"<p:r xmlns:p='u' xmlns:q='u'></q:r>", EParseProblem::kEndTagMismatch, 1, 30},
        {"<r></r></r>", EParseProblem::kEndTagWithoutStartTag, 1, 8},
        {"</r>", EParseProblem::kEndTagWithoutStartTag, 1, 1},
        {"<r></ r>", EParseProblem::kMalformedEndTag, 1, 4},
        {"<r></r x>", EParseProblem::kMalformedEndTag, 1, 8},
        {"<r></r", EParseProblem::kTagNotClosed, 1, 4},
        {"<r>\n  <a>text", EParseProblem::kElementNotClosed, 2, 3},
        {"<r><a/>\n", EParseProblem::kElementNotClosed, 1, 1},
        // Delimited constructs: the file ends inside them.
        {"<r><!-- open</r>", EParseProblem::kCommentNotClosed, 1, 4},
        {"<r><![CDATA[ x</r>", EParseProblem::kCDataNotClosed, 1, 4},
        {"<r><?pi x</r>", EParseProblem::kInstructionNotClosed, 1, 4},
        // Document type and markup declarations.
        {"<!DOCTYPE r PUBLIC 'p'><r/>", EParseProblem::kMalformedDocType, 1, 1},
        {"<!DOCTYPE r SYSTEM 'r.dtd><r/>", EParseProblem::kMalformedDocType, 1, 1},
        {"<!DOCTYPE r SYSTEM r.dtd><r/>", EParseProblem::kMalformedDocType, 1, 1},
        {"<!DOCTYPE r [<!ELEMENT r ANY> ", EParseProblem::kInternalSubsetNotClosed, 1, 1},
        {"<!DOCTYPE r [\n<!ATTLIST r a CDATA #IMPLIED", EParseProblem::kDeclarationNotClosed, 2, 1},
        {"<!DOCTYPE r [<!ENTITY e 'open]><r/>", EParseProblem::kDeclarationNotClosed, 1, 14},
        {"<!DOCTYPE r []", EParseProblem::kMalformedDocType, 1, 1},
        {"<r/><!DOCTYPE r>", EParseProblem::kMisplacedDocType, 1, 5},
        {"<r><!DOCTYPE r></r>", EParseProblem::kMisplacedDocType, 1, 4},
        {"<r><!ELEMENT r ANY></r>", EParseProblem::kMisplacedDeclaration, 1, 4},
        {"<!DOCTYPE r [<r/>]><r/>", EParseProblem::kMisplacedDeclaration, 1, 14},
    };
    for (const SCase& c : cases) {
        CDoc doc;
        EXPECT_EQ(ParseBytes(doc, c.source), NResult::kNotWellFormed) << c.source;
        EXPECT_EQ(doc.parseError.problem, c.problem) << c.source;
        EXPECT_EQ(doc.parseError.line, c.line) << c.source;
        EXPECT_EQ(doc.parseError.column, c.column) << c.source;
        EXPECT_EQ(doc.FirstChild(), nullptr) << c.source;
    }
}

TEST(RefusedDocuments, CountLinesHiddenByCutNamesAndColumnsInCharacters) {
    // The names "r", "a" and "b" end at line feeds, which the reader has
    // overwritten before it finds the fault.
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<r\n>\n  <a\n/>\n  <b\nx=1/>\n</r>"), NResult::kNotWellFormed);
    EXPECT_EQ(doc.parseError.problem, EParseProblem::kAttributeValueNotQuoted);
    EXPECT_EQ(doc.parseError.line, 6);
    EXPECT_EQ(doc.parseError.column, 3);
    ASSERT_EQ(ParseBytes(doc, "<r>\n<\xC3\xA9t\xE2\x82\xAC a=1/></r>"), NResult::kNotWellFormed);
    EXPECT_EQ(doc.parseError.line, 2);
    EXPECT_EQ(doc.parseError.column, 8);
}

TEST(RefusedDocuments, AttributeNamesAreUniqueAmongFewAndMany) {
    for (const int count : {2, 16, 17, 5000}) {
        std::string tag = "<r";
        for (int index = 0; index < count; ++index)
            tag += " a" + std::to_string(index) + "='v'";
        CDoc doc;
        EXPECT_EQ(ParseBytes(doc, tag + "/>"), NResult::kOk) << count;
        ASSERT_EQ(ParseBytes(doc, tag + " a" + std::to_string(count - 1) + "='w'/>"),
                  NResult::kNotWellFormed)
            << count;
        EXPECT_EQ(doc.parseError.problem, EParseProblem::kDuplicateAttribute);
        EXPECT_EQ(doc.parseError.column, int(tag.size()) + 2);
    }
    // The same local name with different prefixes is no duplicate here.
    CDoc doc;
    EXPECT_EQ(ParseBytes(doc, "<r p:a='1' q:a='2' a='3'/>"), NResult::kOk);
}

TEST(RefusedDocuments, ASuccessfulParseAfterARefusalHasNoError) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<r>"), NResult::kNotWellFormed);
    ASSERT_EQ(ParseBytes(doc, "<r/>"), NResult::kOk);
    EXPECT_EQ(doc.parseError.problem, EParseProblem::kNone);
}

// ---- Depth and size ----

TEST(DeepDocuments, HundredThousandLevelsParseWriteAndDelete) {
    constexpr int kDepth = 100000;
    const std::string source = Repeat("<a>", kDepth) + "x" + Repeat("</a>", kDepth) + "\n";
    auto doc = std::make_unique<CDoc>();
    ASSERT_EQ(ParseBytes(*doc, source), NResult::kOk);
    const CElement* deepest = doc->FirstChildElement();
    int depth = 1;
    while (const CElement* child = deepest->FirstChildElement()) {
        deepest = child;
        ++depth;
    }
    EXPECT_EQ(depth, kDepth);
    EXPECT_STREQ(deepest->FirstChild()->text.Text(), "x");
    EXPECT_EQ(deepest->ParentElement()->FirstChildElement(), deepest);
    EXPECT_EQ(doc->FindChildElement("b", true), nullptr);
    EXPECT_EQ(XmlTest::FirstDifference(source, Written(*doc)), "");
    EXPECT_EQ(XmlTest::Captured([&](NIO::CBase& out) { return doc->Write(out); }), "x");
    doc.reset();
}

TEST(DeepDocuments, DeepPrefixedNestingStaysLinear) {
    constexpr int kDepth = 100000;
    const std::string source = "<p:r xmlns:p='urn:p' xmlns='urn:d'>" +
                               Repeat("<p:a><b>", kDepth / 2) + Repeat("</b></p:a>", kDepth / 2) +
                               "</p:r>";
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, source), NResult::kOk);
    const CElement* last = doc.FindChildElement("b", true);
    for (const CElement* child = last; child != nullptr; child = child->FirstChildElement())
        last = child;
    EXPECT_STREQ(last->text.Text(), "b");
    EXPECT_STREQ(last->namespaceUri.Text(), "urn:d");
    EXPECT_STREQ(last->ParentElement()->namespaceUri.Text(), "urn:p");
    EXPECT_TRUE(last->HasFlags(CElement::kEmptyWithEndTag));
    // Cut off in the middle, the same nesting is refused at its innermost element.
    ASSERT_EQ(ParseBytes(doc, source.substr(0, source.size() / 2)), NResult::kNotWellFormed);
    EXPECT_EQ(doc.parseError.problem, EParseProblem::kElementNotClosed);
}

TEST(LongInputs, UnterminatedOpenersAreRefusedAtTheFirst) {
    const auto start = std::chrono::steady_clock::now();
    for (const char* opener : {"<!--", "<?", "<![CDATA["}) {
        CDoc doc;
        ASSERT_EQ(ParseBytes(doc, "<r>" + Repeat(opener, 200000)), NResult::kNotWellFormed);
        EXPECT_EQ(doc.parseError.column, 4) << opener;
    }
    // Stray "<" that start nothing stay text, each read once.
    CDoc doc;
    EXPECT_EQ(ParseBytes(doc, "<r>" + Repeat("< <!x ", 200000) + "</r>"), NResult::kOk);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

// ---- Arbitrary bytes: every byte kept, or nothing ----

TEST(ArbitraryInput, MutatedCorpusDocumentsAreKeptWholeOrRefused) {
    std::vector<std::string> sources;
    for (const auto& entry :
         std::filesystem::directory_iterator(QUILLMERE_TEST_DATA_DIR "/xml/corpus")) {
        if (entry.path().extension() != ".xml")
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        sources.emplace_back(std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>());
    }
    ASSERT_FALSE(sources.empty());
    std::mt19937 random(20240611);
    constexpr std::string_view interesting = "<>/?!-[]'\"=: \n\0\xC3\xEF\xBB\xBF\xFE\xFF&#%"sv;
    int accepted = 0;
    for (const std::string& source : sources) {
        for (int round = 0; round < 150; ++round) {
            std::string mutated = source;
            const int edits = 1 + int(random() % 8);
            for (int edit = 0; edit < edits && !mutated.empty(); ++edit) {
                const std::size_t at = random() % mutated.size();
                switch (random() % 4) {
                case 0:
                    mutated[at] = interesting[random() % interesting.size()];
                    break;
                case 1:
                    mutated.insert(at, 1, interesting[random() % interesting.size()]);
                    break;
                case 2:
                    mutated.erase(at, 1 + random() % 16);
                    break;
                default:
                    mutated.resize(at);
                }
            }
            ASSERT_TRUE(KeepsEveryByteOrRefuses(mutated, accepted)) << XmlTest::Visible(mutated);
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST(ArbitraryInput, RandomMarkupIsKeptWholeOrRefused) {
    std::mt19937 random(7);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string bytes = "<r>";
        bytes.resize(3 + random() % 24);
        constexpr std::string_view alphabet = "<>/!?-'\"=a:[] \xC3\xA9";
        for (std::size_t index = 3; index < bytes.size(); ++index)
            bytes[index] = alphabet[random() % alphabet.size()];
        bytes += "</r>";
        ASSERT_TRUE(KeepsEveryByteOrRefuses(bytes, accepted)) << XmlTest::Visible(bytes);
    }
    EXPECT_GT(accepted, 100);
}
