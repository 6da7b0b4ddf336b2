#include "round_trip_support.h"
#include "xml/attribute.h"
#include "xml/content.h"
#include "xml/doc.h"
#include "xml/doctype.h"
#include "xml/element.h"

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

const CElement* Root(const CDoc& doc) {
    return doc.FirstChildElement();
}

} // namespace

// ---- The parse stops and keeps what it made ----

TEST(ParseStops, AtAnAttributeWithoutQuotes) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<r><a k='1' x=1 y='2'>t</a></r>tail"), NResult::kOk);
    const CElement* a = Root(doc)->FirstChildElement();
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->text.Text(), "a");
    EXPECT_STREQ(a->AttributeNameAt(0), "k");
    EXPECT_EQ(a->AttributeAt(1), nullptr);
    EXPECT_EQ(a->FirstChild(), nullptr);
    EXPECT_STREQ(doc.trailingText.Text(), "");
}

TEST(ParseStops, AtAnAttributeWithoutItsClosingQuote) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<r a=\"1></r>"), NResult::kOk);
    EXPECT_STREQ(Root(doc)->text.Text(), "r");
    EXPECT_EQ(Root(doc)->FirstAttribute(), nullptr);
}

TEST(ParseStops, AtATagCutOffByTheEnd) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<r><a x='1'"), NResult::kOk);
    const CElement* a = Root(doc)->FirstChildElement();
    EXPECT_STREQ(a->text.Text(), "a");
    EXPECT_STREQ(a->AttributeValue("x"), "1");
    ASSERT_EQ(ParseBytes(doc, "<r:x"), NResult::kOk);
    EXPECT_STREQ(Root(doc)->text.Text(), "x");
    EXPECT_STREQ(Root(doc)->prefix.Text(), "r");
}

TEST(ParseStops, AtAPublicIdentifierWithoutSystemLiteral) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<!DOCTYPE r PUBLIC 'p'><r/>"), NResult::kOk);
    ASSERT_EQ(doc.ChildCount(), 1u);
    const auto& doctype = static_cast<const CDocTypeDecl&>(*doc.FirstChild());
    EXPECT_STREQ(doctype.text.Text(), "r");
    EXPECT_STREQ(doctype.publicLiteral.Text(), "p");
    EXPECT_EQ(doctype.systemQuote, 0);
}

TEST(ParseStops, AtALiteralWithoutQuotes) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<!DOCTYPE r SYSTEM 'r.dtd><r/>"), NResult::kOk);
    EXPECT_EQ(doc.ChildCount(), 1u);
    ASSERT_EQ(ParseBytes(doc, "<!DOCTYPE r SYSTEM r.dtd><r/>"), NResult::kOk);
    EXPECT_EQ(doc.ChildCount(), 1u);
    EXPECT_EQ(doc.FirstChildElement(), nullptr);
}

TEST(ParseStops, AtADeclarationCutOffByTheEnd) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<!DOCTYPE r [\n<!ATTLIST r a CDATA #IMPLIED"), NResult::kOk);
    const CNode* doctype = doc.FirstChild();
    ASSERT_EQ(doctype->GetType(), kTypeDocTypeDecl);
    // The text before the declaration is kept; the declaration is not.
    ASSERT_EQ(doctype->ChildCount(), 1u);
    EXPECT_STREQ(doctype->FirstChild()->text.Text(), "\n");

    ASSERT_EQ(ParseBytes(doc, "<r/><!ELEMENT r ANY"), NResult::kOk);
    EXPECT_EQ(doc.ChildCount(), 1u);
    ASSERT_EQ(ParseBytes(doc, "<!DOCTYPE r []"), NResult::kOk);
    EXPECT_EQ(doc.ChildCount(), 1u);
}

TEST(ParseStops, InsideTheInternalSubset) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<!DOCTYPE r [<!ELEMENT r ANY><!ENTITY e 'open]><r/>"), NResult::kOk);
    ASSERT_EQ(doc.ChildCount(), 1u);
    EXPECT_EQ(doc.FirstChild()->ChildCount(), 1u);
    EXPECT_EQ(doc.FirstChild()->FirstChild()->GetType(), kTypeElementDecl);
}

TEST(ParseStops, WithNothingMadeItReportsNothingParsed) {
    CDoc doc;
    EXPECT_EQ(ParseBytes(doc, "<!ENTITY e 'x>"), NResult::kNothingParsed);
}

// ---- Malformed markup that is read on ----

TEST(ParseGoesOn, AnUnclosedElementRunsToTheEnd) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<r><a>text"), NResult::kOk);
    const CElement* a = Root(doc)->FirstChildElement();
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->FirstChild()->text.Text(), "text");
    EXPECT_STREQ(doc.trailingText.Text(), "");
    ASSERT_EQ(ParseBytes(doc, "<r><a>"), NResult::kOk);
    EXPECT_TRUE(Root(doc)->FirstChildElement()->HasFlags(CElement::kEmptyWithEndTag));
}

TEST(ParseGoesOn, AnUnclosedInternalSubsetRunsToTheEnd) {
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, "<!DOCTYPE r [<!ELEMENT r ANY> "), NResult::kOk);
    EXPECT_EQ(doc.ChildCount(), 1u);
    EXPECT_EQ(doc.FirstChild()->ChildCount(), 2u);
    EXPECT_STREQ(doc.FirstChild()->LastChild()->text.Text(), " ");
}

// ---- Depth and size ----

TEST(DeepDocuments, HundredThousandLevelsParseWriteAndDelete) {
    constexpr int kDepth = 100000;
    const std::string source = Repeat("<a>", kDepth) + "x" + Repeat("</a>", kDepth) + "\n";
    auto doc = std::make_unique<CDoc>();
    ASSERT_EQ(ParseBytes(*doc, source), NResult::kOk);
    const CElement* deepest = Root(*doc);
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

TEST(DeepDocuments, DeepPrefixedAndUnclosedNestingStaysLinear) {
    constexpr int kDepth = 100000;
    const std::string source =
        "<p:r xmlns:p='urn:p' xmlns='urn:d'>" + Repeat("<p:a><b>", kDepth / 2);
    CDoc doc;
    ASSERT_EQ(ParseBytes(doc, source), NResult::kOk);
    const CElement* last = doc.FindChildElement("b", true);
    for (const CElement* child = last; child != nullptr; child = child->FirstChildElement())
        last = child;
    EXPECT_STREQ(last->text.Text(), "b");
    EXPECT_STREQ(last->namespaceUri.Text(), "urn:d");
    EXPECT_STREQ(last->ParentElement()->namespaceUri.Text(), "urn:p");
    EXPECT_TRUE(last->HasFlags(CElement::kEmptyWithEndTag));
}

TEST(LongInputs, UnterminatedOpenersAreReadInLinearTime) {
    const auto start = std::chrono::steady_clock::now();
    for (const char* opener : {"<!--", "<?", "<![CDATA["}) {
        CDoc doc;
        const std::string source = "<r>" + Repeat(opener, 200000);
        ASSERT_EQ(ParseBytes(doc, source), NResult::kOk);
        ASSERT_EQ(Root(doc)->ChildCount(), 1u);
        EXPECT_EQ(Root(doc)->FirstChild()->text.Text(), source.substr(3));
    }
    // Linear work takes milliseconds; a rescan per opener would take minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

// ---- Arbitrary bytes ----

TEST(ArbitraryInput, MutatedCorpusDocumentsNeverBreakTheParser) {
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
    int parsed = 0;
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
            CDoc doc;
            const int result = ParseBytes(doc, mutated);
            ASSERT_TRUE(result == NResult::kOk || result == NResult::kNothingParsed ||
                        result == NResult::kUnsupportedCharset)
                << result;
            if (result == NResult::kOk) {
                ++parsed;
                EXPECT_NE(Written(doc), "<write failed>");
            }
        }
    }
    EXPECT_GT(parsed, 0);
}

TEST(ArbitraryInput, RandomBytesNeverBreakTheParser) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 64, '\0');
        constexpr std::string_view alphabet = "<>/!?-'\"=a:[] \xC3\xA9\xFF";
        for (char& byte : bytes)
            byte = alphabet[random() % alphabet.size()];
        CDoc doc;
        const int result = ParseBytes(doc, bytes);
        EXPECT_TRUE(result == NResult::kOk || result == NResult::kNothingParsed ||
                    result == NResult::kUnsupportedCharset);
        EXPECT_NE(Written(doc), "<write failed>");
    }
}
