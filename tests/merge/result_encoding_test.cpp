#include "../xml/xml_test_support.h"
#include "framework/buffer.h"
#include "framework/result.h"
#include "merge/result_encoding.h"
#include "text/charset.h"
#include "xml/doc.h"
#include "xml/writer.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>

using namespace std::string_view_literals;

namespace {

constexpr int kLatin1 = NString::kCharsetIso8859_1;
constexpr int kAscii = NString::kCharsetUsAscii;
constexpr int kUtf8 = NString::kCharsetUtf8;
constexpr int kUtf16 = NString::kCharsetUtf16;
constexpr int kUtf16Le = NString::kCharsetUtf16Le;
constexpr int kUtf16Be = NString::kCharsetUtf16Be;

struct SEncoding {
    int charset;
    bool byteOrderMark;
    std::string_view expected;
};

} // namespace

// "<r>é€𝄞</r>" in every way a result file can be written.
TEST(ResultEncoding, WritesEveryFormWithItsMark) {
    constexpr std::string_view text = "<r>\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E</r>";
    const SEncoding cases[] = {
        {kUtf8, false, text},
        {kUtf8, true, "\xEF\xBB\xBF<r>\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E</r>"},
        {kUtf16Be, true, "\xFE\xFF\0<\0r\0>\0\xE9\x20\xAC\xD8\x34\xDD\x1E\0<\0/\0r\0>"sv},
        {kUtf16Le, true, "\xFF\xFE<\0r\0>\0\xE9\0\xAC\x20\x34\xD8\x1E\xDD<\0/\0r\0>\0"sv},
        {kUtf16Le, false, "<\0r\0>\0\xE9\0\xAC\x20\x34\xD8\x1E\xDD<\0/\0r\0>\0"sv},
        {kUtf16, true, "\xFF\xFE<\0r\0>\0\xE9\0\xAC\x20\x34\xD8\x1E\xDD<\0/\0r\0>\0"sv},
        {2252, true, "<r>\xE9\x80&#x1D11E;</r>"},
    };
    for (const SEncoding& encoding : cases) {
        NIO::TBuffer<0> out;
        EXPECT_EQ(EncodeResultFile(text, encoding.charset, encoding.byteOrderMark, out),
                  EEncodeResult::Ok);
        EXPECT_EQ(XmlTest::StreamContent(out), encoding.expected) << encoding.charset;
    }
}

namespace {

struct SReferenceCase {
    std::string_view text;
    int charset;
    // Null when the text cannot be written.
    const char* expected;
    char32_t codePoint = 0;
    std::size_t line = 0;
};

// A character a single-byte set cannot hold becomes a character reference in
// character data and attribute values; in markup, where XML has no escape,
// the encoding fails and names the character and its line.
const SReferenceCase kReferenceCases[] = {
    {"<r>\xE2\x82\xAC</r>", kLatin1, "<r>&#x20AC;</r>"},
    {"<r a='\xE2\x82\xAC' b=\"\xC3\xA9\xF0\x9F\x98\x80\"/>", kLatin1,
     "<r a='&#x20AC;' b=\"\xE9&#x1F600;\"/>"},
    {"<r>\xD0\x96 \xC3\xA9</r>", 2252, "<r>&#x416; \xE9</r>"},
    {"<?xml version='1.0' encoding='US-ASCII'?><r>\xC3\xA9</r>", kAscii,
     "<?xml version='1.0' encoding='US-ASCII'?><r>&#xE9;</r>"},
    // A byte the US-ASCII file itself held comes back; nothing else non-ASCII.
    {"<r>\xEF\x9E\x80</r>", kAscii, "<r>\x80</r>"},
    {"<r>\n<!-- \xE2\x82\xAC --></r>", kLatin1, nullptr, 0x20AC, 2},
    {"<?pi \xE2\x82\xAC?><r/>", kLatin1, nullptr, 0x20AC, 1},
    {"<r><![CDATA[\n\n\xE2\x82\xAC]]></r>", kLatin1, nullptr, 0x20AC, 3},
    {"<r>\r\n<!--\r\r\n\xE2\x82\xAC--></r>", kLatin1, nullptr, 0x20AC, 4},
    {"<r><\xD0\x96/></r>", 2252, nullptr, 0x416, 1},
    {"<r a\xD0\x96='1'/>", 2252, nullptr, 0x416, 1},
    {"<!DOCTYPE r [<!ENTITY e '\xC3\xA9'>]>\r\n<r/>", kAscii, nullptr, 0xE9, 1},
    // A byte that is no UTF-8 at all has no reference either.
    {"<r>\x80</r>", kLatin1, nullptr, 0, 1},
};

} // namespace

TEST(ResultEncoding, ReferencesCharactersTheSetCannotHoldWhereXmlAllows) {
    for (const SReferenceCase& test : kReferenceCases) {
        SCOPED_TRACE(test.text);
        NIO::TBuffer<0> out;
        SUnrepresentable where;
        const EEncodeResult result = EncodeResultFile(test.text, test.charset, false, out, &where);
        if (test.expected != nullptr) {
            EXPECT_EQ(result, EEncodeResult::Ok);
            EXPECT_EQ(XmlTest::StreamContent(out), test.expected);
        } else {
            EXPECT_EQ(result, EEncodeResult::Unrepresentable);
            EXPECT_EQ(where.codePoint, test.codePoint);
            EXPECT_EQ(where.line, test.line);
        }
    }
}

TEST(ResultEncoding, SetsWithoutAConverterAreRefused) {
    NIO::TBuffer<0> out;
    EXPECT_EQ(EncodeResultFile("<r/>", 0, false, out), EEncodeResult::NoConverter);
    EXPECT_EQ(EncodeResultFile("<r/>", NString::kCharsetUtf32, false, out),
              EEncodeResult::NoConverter);
    EXPECT_EQ(out.Size(), 0u);
}

namespace {

struct SFormCase {
    std::string_view text;
    SResultForm left;
    SResultForm expected;
    std::optional<std::string> unwritable;
};

const SFormCase kFormCases[] = {
    // Without a declared encoding the file is UTF-8, or UTF-16 with its mark.
    {"<r/>", {2252, false}, {kUtf8, false}, {}},
    {"<r/>", {kUtf8, true}, {kUtf8, true}, {}},
    {"<?xml version='1.0'?><r/>", {kUtf16Le, false}, {kUtf16Le, false}, {}},
    {"<?xml-stylesheet href='encoding=\"ISO-8859-1\"'?><r/>", {2252, false}, {kUtf8, false}, {}},
    // The left set as declared keeps its form.
    {"<?xml version='1.0' encoding='windows-1252'?><r/>", {2252, false}, {2252, false}, {}},
    {"<?xml version='1.0' encoding='utf-8'?><r/>", {kUtf8, true}, {kUtf8, true}, {}},
    {"<?xml version='1.0' encoding='UTF-16'?><r/>", {kUtf16Be, false}, {kUtf16Be, false}, {}},
    // Another declared set is written as declared; UTF-16 with a mark.
    {"<?xml version='1.0' encoding='ISO-8859-1'?><r/>", {kUtf8, true}, {kLatin1, false}, {}},
    {" <?xml version='1.0' encoding = \"UTF-8\"?><r/>", {kLatin1, false}, {kUtf8, false}, {}},
    {"<?xml version='1.0' encoding='UTF-16'?><r/>", {kUtf8, false}, {kUtf16, true}, {}},
    {"<?xml version='1.0' encoding='UTF-16BE'?><r/>", {kUtf16Le, true}, {kUtf16Be, true}, {}},
    // A set that cannot be written leaves the left form, and is named.
    {"<?xml version='1.0' encoding='JIS_Encoding'?><r/>",
     {2252, false},
     {2252, false},
     "JIS_Encoding"},
    {"<?xml version='1.0' encoding='UTF-32'?><r/>", {kUtf8, true}, {kUtf8, true}, "UTF-32"},
    {"<?xml version='1.0' encoding=''?><r/>", {kLatin1, false}, {kLatin1, false}, ""},
};

} // namespace

TEST(ResultEncoding, FormFollowsTheDeclarationOfTheResult) {
    for (const SFormCase& test : kFormCases) {
        SCOPED_TRACE(test.text);
        std::optional<std::string> unwritable;
        const SResultForm form = ResultForm(test.text, test.left, &unwritable);
        EXPECT_EQ(form.charset, test.expected.charset);
        EXPECT_EQ(form.byteOrderMark, test.expected.byteOrderMark);
        EXPECT_EQ(unwritable, test.unwritable);
    }
}

// A parsed document written back and encoded in the form its own text asks
// for gives the file's bytes, the byte-order mark included.
TEST(ResultEncoding, ReproducesEveryInputEncodingByteForByte) {
    const std::string_view files[] = {
        "<?xml version='1.0'?>\n<r a='\xC3\xA9'/>\n",
        "\xEF\xBB\xBF<r>\xC3\xA9</r>\r\n",
        "<?xml version='1.0' encoding='windows-1252'?><r>\xE9\x80\x81</r>",
        "<?xml version='1.0' encoding='tis-620'?><r>\x85\xA1</r>",
        "\xFE\xFF\0<\0r\0>\0\xE9\0<\0/\0r\0>\0\n"sv,
        "\xFF\xFE<\0r\0>\0\xE9\0<\0/\0r\0>\0\n\0"sv,
    };
    for (const std::string_view file : files) {
        NXML::CDoc doc;
        NIO::TBuffer<0> input;
        input.Borrow(file.data(), file.size());
        ASSERT_EQ(doc.Parse(input), NResult::kOk);
        NIO::TBuffer<0> text;
        ASSERT_EQ(NXML::WriteDocument(text, doc), NResult::kOk);
        const SResultForm form =
            ResultForm(XmlTest::StreamContent(text), {doc.charset, doc.byteOrderMark});
        NIO::TBuffer<0> out;
        ASSERT_EQ(
            EncodeResultFile(XmlTest::StreamContent(text), form.charset, form.byteOrderMark, out),
            EEncodeResult::Ok);
        EXPECT_EQ(XmlTest::StreamContent(out), file);
    }
}

// What a set lacks, and every control character, becomes "?".
TEST(ResultEncoding, RepresentableLineReplacesWhatTheSetLacks) {
    struct SLineCase {
        const char* text;
        int charset;
        const char* line;
    };
    const SLineCase cases[] = {
        {"caf\xC3\xA9 \xE2\x82\xAC", kLatin1, "caf\xC3\xA9 ?"},
        {"caf\xC3\xA9 \xE2\x82\xAC", kAscii, "caf? ?"},
        {"caf\xC3\xA9 \xE2\x82\xAC", NString::kCharsetIso8859_15, "caf\xC3\xA9 \xE2\x82\xAC"},
        {"caf\xC3\xA9 \xF0\x9F\x90\x9F", kUtf8, "caf\xC3\xA9 \xF0\x9F\x90\x9F"},
        {"caf\xC3\xA9 \xF0\x9F\x90\x9F", kUtf16Be, "caf\xC3\xA9 \xF0\x9F\x90\x9F"},
        {"a\nb\rc\td\x7F", kUtf8, "a?b?c?d?"},
    };
    for (const SLineCase& test : cases)
        EXPECT_EQ(RepresentableLine(test.text, test.charset), test.line)
            << test.text << " in " << test.charset;
}
