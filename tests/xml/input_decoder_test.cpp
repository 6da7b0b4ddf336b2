#include "text/charset.h"
#include "xml/doc.h"
#include "xml/element.h"
#include "xml/input_decoder.h"
#include "xml/writer.h"
#include "xml_test_support.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

using namespace NXML;
using XmlTest::ParseBytes;

namespace {

// Parses `bytes`; the result, with the document's character set and root text.
struct SOutcome {
    int result;
    int charset;
    std::string rootText;
};

SOutcome ParseOutcome(std::string_view bytes) {
    CDoc doc;
    const int result = ParseBytes(doc, bytes);
    const CElement* root = doc.FirstChildElement();
    const CNode* text = root != nullptr ? root->FirstChild() : nullptr;
    return {result, doc.charset, text != nullptr ? text->text.Text() : ""};
}

std::string Declared(const std::string& encoding) {
    return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?><r>\xE9</r>";
}

// UTF-16 bytes of `units` in the given order, after a byte-order mark.
std::string Utf16Bytes(std::u16string_view units, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

} // namespace

// The byte-order mark wins over the declaration; declared names are matched
// whole in any case; without either the text is UTF-8.
TEST(CharsetDetection, MarkThenDeclarationThenUtf8) {
    constexpr int kAny = -1;
    struct SCase {
        std::string bytes;
        int result;
        int charset;
    };
    const SCase cases[] = {
        {"\xEF\xBB\xBF<?xml version='1.0' encoding='ISO-8859-1'?><r>\xC3\xA9</r>", NResult::kOk,
         NString::kCharsetUtf8},
        {"<r>\xC3\xA9</r>", NResult::kOk, NString::kCharsetUtf8},
        {Declared("ISO-8859-1"), NResult::kOk, NString::kCharsetIso8859_1},
        {Declared("iso-8859-1"), NResult::kOk, NString::kCharsetIso8859_1},
        {Declared("LATIN1"), NResult::kOk, NString::kCharsetIso8859_1},
        {Declared("windows-1252"), NResult::kOk, 2252},
        {Declared("ISO-8859-15"), NResult::kOk, NString::kCharsetIso8859_15},
        {Declared("JIS_Encoding"), NResult::kUnsupportedCharset, 16}, // known, without a converter
        // Known to the C library, but 0xE9 starts a two-byte character that
        // "<" cannot end: the bytes would not come back.
        {Declared("Shift_JIS"), NResult::kInexactCharset, 17},
        {Declared("x-no-such-set"), NResult::kUnsupportedCharset, 0},
        {Declared("8859-1"), NResult::kUnsupportedCharset, kAny},
        {Declared("UTF-16"), NResult::kUnsupportedCharset, kAny},
        {"<?xml version='1.0' encoding?><r/>", NResult::kUnsupportedCharset, kAny},
        // An encoding outside a real declaration names nothing.
        {"<?xml version='1.0'?><r a=\"encoding='x'\">\xC3\xA9</r>", NResult::kOk,
         NString::kCharsetUtf8},
    };
    for (const SCase& c : cases) {
        const SOutcome outcome = ParseOutcome(c.bytes);
        EXPECT_EQ(outcome.result, c.result) << c.bytes;
        if (c.result == NResult::kOk) {
            EXPECT_EQ(outcome.rootText, "\xC3\xA9") << c.bytes;
        }
        if (c.charset != kAny) {
            EXPECT_EQ(outcome.charset, c.charset) << c.bytes;
        }
    }
}

TEST(CharsetDetection, Utf16SurrogatePairsBecomeFourByteSequences) {
    const std::u16string text = u"<r>\U0001F600\u00E9</r>";
    for (const bool bigEndian : {false, true}) {
        const SOutcome outcome = ParseOutcome(Utf16Bytes(text, bigEndian));
        EXPECT_EQ(outcome.result, NResult::kOk);
        EXPECT_EQ(outcome.charset, bigEndian ? NString::kCharsetUtf16Be : NString::kCharsetUtf16Le);
        EXPECT_EQ(outcome.rootText, "\xF0\x9F\x98\x80\xC3\xA9");
    }
}

// Decoding stops where a character is lost, and the document is refused
// there: at a zero, half a surrogate pair, an odd last byte.
TEST(CharsetDetection, UndecodableCharactersRefuseTheDocument) {
    struct SCase {
        std::string bytes;
        EParseProblem problem;
        int column;
    };
    std::string oddLength = Utf16Bytes(u"<r>az</r>", false);
    oddLength += 'X';
    const SCase cases[] = {
        {Utf16Bytes(u"<r>a\xD800z</r>", false), EParseProblem::kBrokenUtf16, 5},
        {Utf16Bytes(u"<r>a\xDC00z</r>", true), EParseProblem::kBrokenUtf16, 5},
        {oddLength, EParseProblem::kBrokenUtf16, 10},
        {std::string("<r>ab\0cd</r>", 12), EParseProblem::kZeroByte, 6},
        {"\xEF\xBB\xBF" + std::string("<r>ab\0cd</r>", 12), EParseProblem::kZeroByte, 6},
        {Utf16Bytes(std::u16string_view(u"<r>ab\0cd</r>", 12), true), EParseProblem::kZeroByte, 6},
        {Declared("ISO-8859-1") + std::string("\0", 1), EParseProblem::kZeroByte, 52},
    };
    for (const SCase& c : cases) {
        CDoc doc;
        EXPECT_EQ(ParseBytes(doc, c.bytes), NResult::kNotWellFormed) << c.column;
        EXPECT_EQ(doc.parseError.problem, c.problem) << c.column;
        EXPECT_EQ(doc.parseError.line, 1);
        EXPECT_EQ(doc.parseError.column, c.column);
    }
}

// UTF-16 without a byte-order mark shows itself by the zero bytes beside its
// first characters; it is written back without a mark.
TEST(CharsetDetection, Utf16WithoutAByteOrderMarkIsRecognised) {
    struct SCase {
        std::u16string_view text;
        bool bigEndian;
    };
    const SCase cases[] = {
        {u"<?xml version='1.0' encoding='UTF-16'?><r>\u00E9\u4E2D</r>", false},
        {u"<?xml version='1.0' encoding='UTF-16'?><r>\u00E9\u4E2D</r>", true},
        {u"<r>\u00E9\u4E2D</r>", false},
        {u"<r>\u00E9\u4E2D</r>", true},
        {u"\r\n<r>\u00E9\u4E2D</r>", true},
    };
    for (const SCase& c : cases) {
        const std::string bytes = Utf16Bytes(c.text, c.bigEndian).substr(2);
        CDoc doc;
        ASSERT_EQ(ParseBytes(doc, bytes), NResult::kOk) << c.bigEndian;
        EXPECT_EQ(doc.charset, c.bigEndian ? NString::kCharsetUtf16Be : NString::kCharsetUtf16Le);
        EXPECT_FALSE(doc.byteOrderMark);
        EXPECT_STREQ(doc.FirstChildElement()->FirstChild()->text.Text(), "\xC3\xA9\xE4\xB8\xAD");
    }
}

// A pipe tells no size: the decoder reads until the stream gives no more.
TEST(InputReading, ReadsAStreamThatTellsNoSizeToItsEnd) {
    class CPipe final : public NIO::CBase {
    public:
        explicit CPipe(std::string bytes) : m_bytes(std::move(bytes)) {}
        std::size_t Read(void* buffer, std::size_t count) override {
            // A few bytes at a time, as a pipe hands them over.
            const std::size_t taken =
                std::min({count, m_bytes.size() - m_position, std::size_t(4093)});
            std::memcpy(buffer, m_bytes.data() + m_position, taken);
            m_position += taken;
            return taken;
        }
        int WriteBytes(const void*, std::size_t) override { return NResult::kNotWritable; }
        std::uint64_t Size() const override { return 0; }
        int SetSize(std::uint64_t) override { return NResult::kNotWritable; }
        std::uint64_t Position() const override { return 0; }
        int Seek(std::int64_t, int) override { return NResult::kInvalidArgument; }

    private:
        std::string m_bytes;
        std::size_t m_position = 0;
    };
    std::string source = "<r>";
    while (source.size() < 300000)
        source += "<a k='v'>text</a>\n";
    source += "</r>\n";
    CPipe pipe(source);
    CDoc doc;
    ASSERT_EQ(doc.Parse(pipe), NResult::kOk);
    EXPECT_EQ(XmlTest::Captured([&](NIO::CBase& out) { return WriteDocument(out, doc); }), source);
}

TEST(DeclaredCharsetName, ReadsTheEncodingOfARealDeclarationOnly) {
    const std::string longName(9000, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"<?xml version='1.0' encoding='UTF-8'?>", " UTF-8 "},
        {"\r\n <?xml\tencoding = \"koi8-r\" ?>", " koi8-r "},
        // The opening quote is skipped whatever it is; the name ends at a quote.
        {"<?xml encoding=|latin1'?>", " latin1 "},
        {"<?xml version='1.0'?>", "UTF-8"},
        {"<r/>", "UTF-8"},
        {"", "UTF-8"},
        {"<?xml version='1.0'?><r a='x'>encoding='koi8-r'</r>", "UTF-8"},
        {"<?xml-stylesheet href='encoding.xsl' type='text/xsl'?><r/>", "UTF-8"},
        {"<?xml version='1.0' encoding?><r/>", "  "},
        {"<?xml encoding=", "  "},
        {"<?xml encoding='" + longName + "'?>",
         " " + std::string(kLongestDeclaredCharsetName, 'x') + " "},
        {"<?xml encoding='abc", " abc "},
    };
    for (const auto& [text, name] : cases)
        EXPECT_EQ(DeclaredCharsetName(text.data(), text.size()), name) << text;
}

// Sets read through the C library: a file whose bytes come back exactly is
// read; one with a byte the set does not define, or a character the set has
// two forms of (windows-31J holds U+7E8A at ED 40 and at FA 5C, and writes
// only the latter), is refused, since saving it would change unedited bytes.
TEST(CharsetDetection, SystemSetsAreReadOnlyWhenTheirBytesComeBack) {
    struct SCase {
        std::string bytes;
        int result;
        std::string rootText;
    };
    const SCase cases[] = {
        {"<?xml version='1.0' encoding='KOI8-R'?><r>\xD6\xD5\xCB</r>", NResult::kOk,
         "\xD0\xB6\xD1\x83\xD0\xBA"},
        {"<?xml version='1.0' encoding='windows-31J'?><r>\xFA\x5C</r>", NResult::kOk,
         "\xE7\xBA\x8A"},
        {"<?xml version='1.0' encoding='windows-31J'?><r>\xED\x40</r>", NResult::kInexactCharset,
         ""},
        {"<?xml version='1.0' encoding='EUC-KR'?><r>\xFF</r>", NResult::kInexactCharset, ""},
        {"<?xml version='1.0' encoding='Big5'?><r>\xA4</r>", NResult::kInexactCharset, ""},
    };
    for (const SCase& c : cases) {
        const SOutcome outcome = ParseOutcome(c.bytes);
        EXPECT_EQ(outcome.result, c.result) << c.bytes;
        EXPECT_EQ(outcome.rootText, c.rootText) << c.bytes;
    }
}
