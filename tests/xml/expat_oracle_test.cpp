#include "round_trip_support.h"
#include "text/charset.h"
#include "xml/doc.h"

#include <algorithm>
#include <expat.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

// expat as the judge of well-formedness: a document it accepts must load and
// come back byte for byte; one it rejects for a reason that would cost bytes
// (cut off, mismatched, nothing or something after the root) must be
// refused. Where expat is stricter about something whose bytes are kept (a
// stray "<", an undeclared entity), loading is fine as long as it round-trips.

using XmlTest::FirstDifference;
using XmlTest::InCharset;
using XmlTest::ParseBytes;
using XmlTest::Written;

namespace {

struct SVerdict {
    bool wellFormed;
    XML_Error error;
};

// `encoding` null lets expat detect the character set itself.
SVerdict ExpatVerdict(const std::string& bytes, const char* encoding = nullptr) {
    XML_Parser parser = XML_ParserCreate(encoding);
    const bool wellFormed =
        XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) == XML_STATUS_OK;
    const SVerdict verdict{wellFormed, XML_GetErrorCode(parser)};
    XML_ParserFree(parser);
    return verdict;
}

// Errors that mean the text stops short of a whole document, or runs past it.
bool LosesBytes(XML_Error error) {
    switch (error) {
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_PARTIAL_CHAR:
    case XML_ERROR_TAG_MISMATCH:
    case XML_ERROR_UNCLOSED_CDATA_SECTION:
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
        return true;
    default:
        return false;
    }
}

const char* ByteOrderMark(int charset) {
    switch (charset) {
    case NString::kCharsetUtf16Be:
        return "\xFE\xFF";
    case NString::kCharsetUtf16Le:
        return "\xFF\xFE";
    default:
        return "\xEF\xBB\xBF";
    }
}

// "" when `bytes` loads and its document is written back as `bytes`, else
// what went wrong.
std::string LoadAndRoundTrip(const std::string& bytes) {
    NXML::CDoc doc;
    const int result = ParseBytes(doc, bytes);
    if (result != NResult::kOk)
        return "parse result " + std::to_string(result) + ", problem " +
               std::to_string(int(doc.parseError.problem)) + " at " +
               std::to_string(doc.parseError.line) + ":" + std::to_string(doc.parseError.column);
    const std::string written = (doc.byteOrderMark ? ByteOrderMark(doc.charset) : "") +
                                InCharset(Written(doc), doc.charset);
    return FirstDifference(bytes, written);
}

// Judges one document against expat's verdict; "" when it passes.
std::string Judge(const std::string& bytes, const SVerdict& verdict) {
    NXML::CDoc doc;
    const int result = ParseBytes(doc, bytes);
    if (verdict.wellFormed)
        return LoadAndRoundTrip(bytes);
    if (result == NResult::kOk) {
        if (LosesBytes(verdict.error))
            return std::string("accepted what expat rejects with: ") +
                   XML_ErrorString(verdict.error);
        return LoadAndRoundTrip(bytes);
    }
    return result == NResult::kNotWellFormed || result == NResult::kUnsupportedCharset ||
                   result == NResult::kInexactCharset
               ? ""
               : "parse result " + std::to_string(result);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The character sets documents are generated in, with characters each can hold.
struct SCharset {
    int charset;
    const char* declaredName; // null: no declaration names it
    bool byteOrderMark;
    std::vector<std::string> letters; // UTF-8
    // A letter that names may hold (expat knows the name characters of the
    // older editions of XML, which allow none beyond the 16-bit range).
    const char* nameLetter;
};

const std::vector<SCharset>& Charsets() {
    static const std::vector<SCharset> charsets = {
        {NString::kCharsetUtf8,
         nullptr,
         false,
         {"\xC3\xA9", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80"},
         "\xE4\xB8\xAD"},
        {NString::kCharsetUtf8, "UTF-8", true, {"\xC3\xBC", "\xE2\x82\xAC"}, "\xC3\xBC"},
        {NString::kCharsetUtf16Le, "UTF-16", true, {"\xC3\xA9", "\xF0\x9F\x98\x80"}, "\xC3\xA9"},
        {NString::kCharsetUtf16Be,
         "UTF-16",
         true,
         {"\xE4\xB8\xAD", "\xF0\x9F\x98\x80"},
         "\xE4\xB8\xAD"},
        {NString::kCharsetUtf16Le, "UTF-16", false, {"\xC3\xA9", "\xE4\xB8\xAD"}, "\xC3\xA9"},
        {NString::kCharsetIso8859_1,
         "ISO-8859-1",
         false,
         {"\xC3\xA9", "\xC3\x9F", "\xC2\xBF"},
         "\xC3\x9F"},
        {2252, "windows-1252", false, {"\xE2\x82\xAC", "\xC5\xA1", "\xC3\xA9"}, "\xC5\xA1"},
    };
    return charsets;
}

// Random documents that use every construct of XML 1.0 that the parser must
// keep, in UTF-8.
class CDocumentGenerator {
public:
    CDocumentGenerator(std::uint32_t seed, const SCharset& charset)
        : m_random(seed), m_charset(charset) {}

    std::string Document() {
        std::string text;
        if (m_charset.declaredName != nullptr || Chance(2)) {
            const char quote = Quote();
            text += std::string("<?xml version=") + quote + "1.0" + quote;
            if (m_charset.declaredName != nullptr)
                text +=
                    std::string(" encoding") + Equals() + quote + m_charset.declaredName + quote;
            text += Chance(3) ? " standalone='yes'?>" : "?>";
        }
        text += Misc();
        if (Chance(3))
            text += DocType() + Misc();
        text += Element(0);
        text += Misc();
        return text;
    }

private:
    bool Chance(int oneIn) { return m_random() % std::uint32_t(oneIn) == 0; }
    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[m_random() % items.size()];
    }
    char Quote() { return Chance(2) ? '"' : '\''; }
    std::string Space() { return Pick<std::string>({" ", "\n", "\t", "  ", "\r\n  "}); }
    std::string Equals() { return Pick<std::string>({"=", " = ", "\n=\t", "= "}); }
    std::string Letter() { return Pick(m_charset.letters); }
    std::string Name() {
        return Pick<std::string>({"a", "item", "x-y.z", "p:q", "_n", "n1"}) +
               (Chance(4) ? m_charset.nameLetter : "");
    }

    std::string Misc() {
        std::string text;
        for (int count = int(m_random() % 3); count > 0; --count)
            text += Space() + Pick<std::string>({"<!-- a - b -->", "<?pi data ? >?>", "<!---->"});
        return text + (Chance(2) ? "\n" : "");
    }

    std::string DocType() {
        std::string text = "<!DOCTYPE" + Space() + "r";
        if (Chance(2))
            text += Space() + "SYSTEM" + Space() + "'r.dtd'";
        if (Chance(2)) {
            text += Space() + "[" + Space() + "<!ENTITY e \"<b>]" + Letter() + "</b>\">" + Space() +
                    "<!NOTATION n SYSTEM 'a]b'>" + Space() + "<!ELEMENT r (#PCDATA|a)*>" + Space() +
                    "<!ATTLIST r a CDATA #IMPLIED b (x|y) 'x'>" + Space() + "<!-- ] -->" + Space() +
                    "<?pi ]?>" + Space() + "]";
        }
        return text + (Chance(2) ? " >" : ">");
    }

    std::string Value(char quote) {
        std::string value = Pick<std::string>({"", "v", "a&amp;b", "&#x41;&#66;", "x > y"});
        value += quote == '"' ? "it's" : "say \"hi\"";
        return value + Letter();
    }

    std::string Attributes() {
        std::string text;
        std::vector<std::string> used;
        for (int count = int(m_random() % 4); count > 0; --count) {
            const std::string name = Pick<std::string>({"k", "id", "xml:lang", "d-e", "f.g"});
            if (std::find(used.begin(), used.end(), name) != used.end())
                continue;
            used.push_back(name);
            const char quote = Quote();
            text += Space() + name + Equals() + quote + Value(quote) + quote;
        }
        return text + (Chance(3) ? Space() : "");
    }

    std::string Content(int depth) {
        std::string text;
        for (int count = int(m_random() % 5); count > 0; --count) {
            switch (m_random() % 6) {
            case 0:
                text += Pick<std::string>({"text", " a > b ]] ", "&lt;&amp;&#x20AC;", "\n  "}) +
                        Letter();
                break;
            case 1:
                text += "<![CDATA[" + Pick<std::string>({"", "a]]b", "]]]]", "<x>&"}) + "]]>";
                break;
            case 2:
                text += Pick<std::string>({"<!-- c -->", "<!---x- -->", "<?t d?>"});
                break;
            default:
                if (depth < 4)
                    text += Element(depth + 1);
            }
        }
        return text;
    }

    std::string Element(int depth) {
        const std::string name = Name();
        // A prefix must be declared for expat to accept it.
        std::string start = "<" + name;
        if (name.starts_with("p:"))
            start += " xmlns:p='urn:p'";
        start += Attributes();
        if (Chance(4))
            return start + "/>";
        return start + ">" + Content(depth) + "</" + name + (Chance(3) ? Space() : "") + ">";
    }

    std::mt19937 m_random;
    const SCharset& m_charset;
};

std::string Encoded(const std::string& utf8, const SCharset& charset) {
    std::string bytes = charset.byteOrderMark ? ByteOrderMark(charset.charset) : "";
    return bytes + InCharset(utf8, charset.charset);
}

} // namespace

TEST(ExpatOracle, CorpusDocumentsAndTheirCutOffFormsAreJudgedAlike) {
    const std::filesystem::path root = QUILLMERE_TEST_DATA_DIR;
    int judged = 0;
    for (const auto& folder :
         {root / "xml" / "corpus", root / ".." / ".." / "fuzz" / "corpus" / "xml"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string bytes = ReadFile(entry.path());
            const SVerdict verdict = ExpatVerdict(bytes);
            // Character sets expat does not know are judged by the generated documents.
            if (verdict.error == XML_ERROR_UNKNOWN_ENCODING)
                continue;
            EXPECT_EQ(Judge(bytes, verdict), "") << entry.path().filename();
            // Cut off anywhere inside the root element, nothing may load.
            for (std::size_t cut = bytes.size() / 7; cut < bytes.size();
                 cut += bytes.size() / 7 + 1) {
                const std::string head = bytes.substr(0, cut);
                EXPECT_EQ(Judge(head, ExpatVerdict(head)), "")
                    << entry.path().filename() << " cut at " << cut;
            }
            ++judged;
        }
    }
    EXPECT_GT(judged, 40);
}

TEST(ExpatOracle, GeneratedDocumentsInEveryCharsetLoadAndRoundTrip) {
    int wellFormed = 0;
    for (const SCharset& charset : Charsets()) {
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            const std::string utf8 = CDocumentGenerator(seed, charset).Document();
            // expat is told the UTF-8 form, as it has no windows-1252 of its own.
            const SVerdict verdict = ExpatVerdict(utf8, "UTF-8");
            ASSERT_TRUE(verdict.wellFormed) << "the generator made " << XmlTest::Visible(utf8)
                                            << ": " << XML_ErrorString(verdict.error);
            const std::string bytes = Encoded(utf8, charset);
            EXPECT_EQ(LoadAndRoundTrip(bytes), "")
                << charset.charset << " " << XmlTest::Visible(utf8);
            ++wellFormed;
        }
    }
    EXPECT_EQ(wellFormed, 300 * int(Charsets().size()));
}

TEST(ExpatOracle, DamagedGeneratedDocumentsAreRefusedOrKeptWhole) {
    std::mt19937 random(99);
    int refused = 0;
    for (const SCharset& charset : Charsets()) {
        // expat reads these character sets itself, damage included.
        if (charset.charset == 2252)
            continue;
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            std::string bytes = Encoded(CDocumentGenerator(seed, charset).Document(), charset);
            const std::size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0:
                bytes.resize(at); // cut off
                break;
            case 1:
                bytes.erase(at, 1 + random() % 3);
                break;
            case 2:
                bytes[at] = "<>/\"'=&]-\0"[random() % 10];
                break;
            default:
                bytes.insert(at, 1, "<>/\"'=&]-\0"[random() % 10]);
            }
            const SVerdict verdict = ExpatVerdict(bytes);
            EXPECT_EQ(Judge(bytes, verdict), "")
                << charset.charset << " expat: " << XML_ErrorString(verdict.error) << "\n"
                << XmlTest::Visible(bytes);
            NXML::CDoc doc;
            refused += ParseBytes(doc, bytes) != NResult::kOk;
        }
    }
    EXPECT_GT(refused, 300);
}
