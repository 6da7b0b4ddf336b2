#include "xml_documents.h"

#include "seeded_random.h"

#include <array>

namespace NBench {
namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Vocabularies, with a few non-ASCII words so that multi-byte UTF-8 turns up
// in names, values and text.
constexpr std::array<std::string_view, 48> kWords = {
    "alpha",   "bridge", "cargo",  "delta",  "engine",   "field",  "garden",  "harbour",
    "island",  "joint",  "kernel", "ledger", "margin",   "north",  "orbit",   "parcel",
    "quarter", "river",  "signal", "timber", "umbra",    "valley", "window",  "yield",
    "zenith",  "amber",  "basin",  "canal",  "drift",    "ember",  "frost",   "grain",
    "the",     "of",     "and",    "to",     "with",     "under",  "between", "across",
    "café",    "naïve",  "Straße", "über",   "ångström", "façade", "日本語",  "Ελληνικά",
};
constexpr std::array<std::string_view, 16> kGivenNames = {
    "Ada",  "Boris", "Chloé", "Dmitri", "Elif",   "Femi", "Greta", "Hiro",
    "Inès", "Jonas", "Kasia", "Luis",   "Mirela", "Nils", "Zoë",   "Åsa",
};
constexpr std::array<std::string_view, 16> kFamilyNames = {
    "Abbott",  "Brandt",  "Castillo", "Dvořák",    "Eriksen", "Fontaine", "García", "Horvat",
    "Ivanova", "Jürgens", "Kowalski", "Lindqvist", "Moreau",  "Nguyễn",   "Okafor", "Østergaard",
};
constexpr std::array<std::string_view, 6> kRecordKinds = {
    "invoice", "order", "credit", "refund", "quote", "receipt",
};
constexpr std::array<std::string_view, 4> kCodeLines = {
    "if (a < b && b > c) { return a; }",
    "x = items[i] & mask; // keep <low> bits",
    "print(\"<tag attr='1'>\")",
    "while (n-- > 0) total += n;",
};

// A document under construction, with the small formatting steps both shapes
// share.
class CDocumentText {
public:
    CDocumentText(std::size_t minimumSize, std::uint64_t seed) : m_random(seed) {
        // Room for the last record or chapter and the closing tag as well.
        m_text.reserve(minimumSize + minimumSize / 64 + 4096);
    }

    CSeededRandom& Random() { return m_random; }
    std::size_t Size() const { return m_text.size(); }
    std::string Take() { return std::move(m_text); }

    void Append(std::string_view piece) { m_text.append(piece); }

    // `value` in decimal, zero-padded to at least `width` digits.
    void AppendNumber(std::uint64_t value, int width = 1) {
        char digits[20];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        for (int pad = count; pad < width; ++pad)
            m_text.push_back('0');
        while (count > 0)
            m_text.push_back(digits[--count]);
    }

    // Two spaces for every level below the root, which sits at level 1.
    void Indent(int level) { m_text.append(2 * static_cast<std::size_t>(level - 1), ' '); }

    // `count` words from the vocabulary, separated by single spaces.
    void AppendWords(std::size_t count) {
        for (std::size_t index = 0; index < count; ++index) {
            if (index != 0)
                m_text.push_back(' ');
            m_text.append(m_random.Pick(kWords));
        }
    }

private:
    CSeededRandom m_random;
    std::string m_text;
};

class CRecordsGenerator {
public:
    CRecordsGenerator(std::size_t minimumSize, std::uint64_t seed)
        : m_minimumSize(minimumSize), m_text(minimumSize, seed) {}

    std::string Generate() {
        m_text.Append(kDeclaration);
        m_text.Append("<records>\n");
        for (std::uint64_t id = 1; m_text.Size() < m_minimumSize; ++id)
            WriteRecord(id);
        m_text.Append("</records>\n");
        return m_text.Take();
    }

private:
    // One record in a hundred takes one of five variant forms.
    void WriteRecord(std::uint64_t id) {
        switch (m_text.Random().Below(500)) {
        case 0:
            WriteEmptyRecord(id);
            break;
        case 1:
            WriteSingleQuotedRecord(id);
            break;
        case 2:
            WriteRecordWithNote(id);
            break;
        case 3:
            WriteComment();
            WritePlainRecord(id);
            break;
        case 4:
            WriteRecordWithReferences(id);
            break;
        default:
            WritePlainRecord(id);
            break;
        }
    }

    void WritePlainRecord(std::uint64_t id) {
        OpenRecord(id, '"');
        m_text.Append(">");
        m_text.AppendWords(m_text.Random().Between(3, 12));
        CloseRecord();
    }

    void WriteEmptyRecord(std::uint64_t id) {
        OpenRecord(id, '"');
        m_text.Append("/>\n");
    }

    void WriteSingleQuotedRecord(std::uint64_t id) {
        OpenRecord(id, '\'');
        m_text.Append(" status='void'>");
        m_text.AppendWords(m_text.Random().Between(3, 12));
        CloseRecord();
    }

    void WriteRecordWithNote(std::uint64_t id) {
        OpenRecord(id, '"');
        m_text.Append("><note author=\"");
        m_text.Append(m_text.Random().Pick(kGivenNames));
        m_text.Append("\">");
        m_text.AppendWords(m_text.Random().Between(2, 6));
        m_text.Append("</note>");
        m_text.AppendWords(m_text.Random().Between(3, 12));
        CloseRecord();
    }

    void WriteRecordWithReferences(std::uint64_t id) {
        OpenRecord(id, '"');
        m_text.Append(">");
        m_text.AppendWords(m_text.Random().Between(1, 5));
        m_text.Append(" &amp; &#x20AC;");
        m_text.AppendNumber(m_text.Random().Below(1000));
        m_text.Append(" &lt;net&gt;");
        CloseRecord();
    }

    void WriteComment() {
        m_text.Append("  <!-- ");
        m_text.AppendWords(m_text.Random().Between(2, 8));
        m_text.Append(" -->\n");
    }

    // `<record id=".." name=".." kind=".."` up to the end of its attributes.
    void OpenRecord(std::uint64_t id, char quote) {
        const std::string_view mark(&quote, 1);
        m_text.Append("  <record id=");
        m_text.Append(mark);
        m_text.Append("r");
        m_text.AppendNumber(id, 7);
        m_text.Append(mark);
        m_text.Append(" name=");
        m_text.Append(mark);
        m_text.Append(m_text.Random().Pick(kGivenNames));
        m_text.Append(" ");
        m_text.Append(m_text.Random().Pick(kFamilyNames));
        m_text.Append(mark);
        m_text.Append(" kind=");
        m_text.Append(mark);
        m_text.Append(m_text.Random().Pick(kRecordKinds));
        m_text.Append(mark);
    }

    void CloseRecord() { m_text.Append("</record>\n"); }

    std::size_t m_minimumSize;
    CDocumentText m_text;
};

class CMixedGenerator {
public:
    CMixedGenerator(std::size_t minimumSize, std::uint64_t seed)
        : m_minimumSize(minimumSize), m_text(minimumSize, seed) {}

    std::string Generate() {
        m_text.Append(kDeclaration);
        m_text.Append("<?xml-stylesheet type=\"text/css\" href=\"book.css\"?>\n");
        m_text.Append("<!-- generated for throughput measurements -->\n");
        m_text.Append("<book xmlns=\"urn:quillmere:bench:book\" "
                      "xmlns:m=\"urn:quillmere:bench:meta\" xml:lang=\"en\">\n");
        for (std::uint64_t chapter = 1; m_text.Size() < m_minimumSize; ++chapter)
            WriteChapter(chapter);
        m_text.Append("</book>\n");
        return m_text.Take();
    }

private:
    static constexpr int kChapterLevel = 2;
    // Sections nest at most this deep inside a chapter; with the chapter, a
    // paragraph and its inline markup below the root that makes depth 8.
    static constexpr std::uint64_t kDeepestSectionNesting = 4;

    void WriteChapter(std::uint64_t chapter) {
        m_chapter = chapter;
        m_text.Indent(kChapterLevel);
        m_text.Append("<chapter id=\"c");
        m_text.AppendNumber(chapter);
        m_text.Append("\">\n");
        WriteBody(kChapterLevel + 1, m_text.Random().Below(kDeepestSectionNesting + 1));
        m_text.Indent(kChapterLevel);
        m_text.Append("</chapter>\n");
    }

    void WriteSection(int level, std::uint64_t nesting) {
        m_text.Indent(level);
        m_text.Append("<section id=\"s");
        m_text.AppendNumber(++m_sections);
        m_text.Append("\">\n");
        WriteBody(level + 1, nesting);
        m_text.Indent(level);
        m_text.Append("</section>\n");
    }

    // The children of a chapter or section, at `level`. The first child
    // descends when `nesting` allows, so that every depth is reached.
    void WriteBody(int level, std::uint64_t nesting) {
        m_text.Indent(level);
        m_text.Append("<title>");
        m_text.AppendWords(m_text.Random().Between(2, 5));
        m_text.Append("</title>\n");
        const std::uint64_t items = m_text.Random().Between(2, 5);
        for (std::uint64_t item = 0; item < items; ++item) {
            const bool descend = nesting > 0 && (item == 0 || m_text.Random().Chance(300));
            if (descend)
                WriteSection(level, nesting - 1);
            else
                WriteLeafItem(level);
        }
    }

    void WriteLeafItem(int level) {
        const std::uint64_t roll = m_text.Random().Below(1000);
        if (roll < 50)
            WriteComment(level);
        else if (roll < 100)
            WriteCodeListing(level);
        else if (roll < 110)
            WriteProcessingInstruction(level);
        else
            WriteParagraph(level);
    }

    void WriteParagraph(int level) {
        m_text.Indent(level);
        m_text.Append("<para>");
        const std::uint64_t runs = m_text.Random().Between(2, 6);
        for (std::uint64_t run = 0; run < runs; ++run) {
            m_text.AppendWords(m_text.Random().Between(3, 14));
            m_text.Append(" ");
            if (m_text.Random().Chance(400))
                WriteInline();
        }
        m_text.Append("</para>\n");
    }

    void WriteInline() {
        switch (m_text.Random().Below(3)) {
        case 0:
            m_text.Append("<em>");
            m_text.AppendWords(m_text.Random().Between(1, 3));
            m_text.Append("</em> ");
            break;
        case 1:
            m_text.Append("<code>");
            m_text.AppendWords(1);
            m_text.Append("</code> ");
            break;
        default:
            m_text.Append("<m:ref target=\"c");
            m_text.AppendNumber(m_text.Random().Between(1, m_chapter));
            m_text.Append("\"/> ");
            break;
        }
    }

    void WriteComment(int level) {
        m_text.Indent(level);
        m_text.Append("<!-- ");
        m_text.AppendWords(m_text.Random().Between(3, 10));
        m_text.Append(" -->\n");
    }

    void WriteCodeListing(int level) {
        m_text.Indent(level);
        m_text.Append("<programlisting><![CDATA[");
        const std::uint64_t lines = m_text.Random().Between(1, 4);
        for (std::uint64_t line = 0; line < lines; ++line) {
            m_text.Append("\n");
            m_text.Append(m_text.Random().Pick(kCodeLines));
        }
        m_text.Append("\n]]></programlisting>\n");
    }

    void WriteProcessingInstruction(int level) {
        m_text.Indent(level);
        m_text.Append("<?page-break style=\"");
        m_text.Append(m_text.Random().Chance(500) ? "soft" : "hard");
        m_text.Append("\"?>\n");
    }

    std::size_t m_minimumSize;
    CDocumentText m_text;
    std::uint64_t m_chapter = 0;
    std::uint64_t m_sections = 0;
};

} // namespace

std::string_view ShapeName(EDocumentShape shape) {
    return shape == EDocumentShape::kRecords ? "records" : "mixed";
}

std::optional<EDocumentShape> ShapeFromName(std::string_view name) {
    for (const EDocumentShape shape : {EDocumentShape::kRecords, EDocumentShape::kMixed})
        if (ShapeName(shape) == name)
            return shape;
    return std::nullopt;
}

std::string GenerateXmlDocument(EDocumentShape shape, std::size_t minimumSize, std::uint64_t seed) {
    if (shape == EDocumentShape::kRecords)
        return CRecordsGenerator(minimumSize, seed).Generate();
    return CMixedGenerator(minimumSize, seed).Generate();
}

} // namespace NBench
