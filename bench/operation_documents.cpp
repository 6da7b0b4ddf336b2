#include "operation_documents.h"

#include "seeded_random.h"

#include <algorithm>
#include <array>
#include <vector>

namespace NBench {

namespace {

constexpr std::array<std::string_view, 8> kWords = {"alpha", "beta",  "gamma", "delta",
                                                    "omega", "sigma", "kappa", "theta"};

// One editable unit of a document: a record or a paragraph, with the
// markup that opens and closes its group when it starts or ends one.
struct SUnit {
    std::uint64_t id;
    std::uint64_t version;
    std::uint64_t group;
};

std::string Sentence(std::uint64_t id, std::uint64_t version) {
    CSeededRandom random(id * 7919 + version);
    std::string text;
    const std::uint64_t words = random.Between(4, 10);
    for (std::uint64_t i = 0; i < words; ++i) {
        if (i > 0)
            text += ' ';
        text += kWords[random.Below(kWords.size())];
    }
    return text;
}

void AppendRecord(std::string& out, const SUnit& unit) {
    out += "  <record id=\"r" + std::to_string(unit.id) + "\" kind=\"";
    out += kWords[unit.id % kWords.size()];
    out += "\" rev=\"" + std::to_string(unit.version) + "\">";
    out += Sentence(unit.id, unit.version);
    out += "</record>\n";
}

void AppendParagraph(std::string& out, const SUnit& unit) {
    out += "      <para id=\"p" + std::to_string(unit.id) + "\">";
    out += Sentence(unit.id, unit.version);
    out += " <em>" + std::string(kWords[unit.version % kWords.size()]) + "</em>.</para>\n";
}

// Sections of 20 paragraphs, chapters of 10 sections.
constexpr std::uint64_t kParagraphsPerSection = 20;
constexpr std::uint64_t kSectionsPerChapter = 10;

// Each group a division inside the one before; not indented, so that the
// text grows with the paragraphs, not with the depth.
void AppendDivisions(std::string& out, const std::vector<SUnit>& units) {
    std::uint64_t openGroup = ~0ull;
    std::uint64_t depth = 0;
    for (const SUnit& unit : units) {
        if (unit.group != openGroup) {
            out += "<div id=\"d" + std::to_string(unit.group) + "\">\n";
            openGroup = unit.group;
            ++depth;
        }
        AppendParagraph(out, unit);
    }
    for (; depth > 0; --depth)
        out += "</div>\n";
}

std::string Render(EOperationShape shape, const std::vector<SUnit>& units) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (shape == EOperationShape::kRecords) {
        out += "<records>\n";
        for (const SUnit& unit : units)
            AppendRecord(out, unit);
        return out + "</records>\n";
    }
    if (shape == EOperationShape::kDeep) {
        out += "<doc>\n";
        AppendDivisions(out, units);
        return out + "</doc>\n";
    }
    out += "<book>\n";
    std::uint64_t openSection = ~0ull;
    for (const SUnit& unit : units) {
        if (unit.group != openSection) {
            const std::uint64_t chapter = unit.group / kSectionsPerChapter;
            const bool closesChapter =
                openSection != ~0ull && openSection / kSectionsPerChapter != chapter;
            if (openSection != ~0ull)
                out += "    </section>\n";
            if (closesChapter)
                out += "  </chapter>\n";
            if (openSection == ~0ull || closesChapter)
                out += "  <chapter id=\"c" + std::to_string(chapter) + "\">\n";
            out += "    <section id=\"s" + std::to_string(unit.group) + "\">\n";
            openSection = unit.group;
        }
        AppendParagraph(out, unit);
    }
    if (openSection != ~0ull)
        out += "    </section>\n  </chapter>\n";
    return out + "</book>\n";
}

// One side's edits: per mille of units changed, inserted and deleted, and a
// few moved within their group.
std::vector<SUnit> Edited(std::vector<SUnit> units, CSeededRandom& random, std::uint64_t& nextId) {
    std::vector<SUnit> edited;
    edited.reserve(units.size() + units.size() / 100);
    for (const SUnit& unit : units) {
        if (random.Chance(5))
            continue;
        if (random.Chance(5))
            edited.push_back({nextId++, 0, unit.group});
        SUnit kept = unit;
        if (random.Chance(10))
            kept.version += 1 + random.Below(1000);
        edited.push_back(kept);
    }
    const std::size_t moves = std::min<std::size_t>(5, edited.size() / 2);
    for (std::size_t i = 0; i + 1 < edited.size() && i < moves; ++i) {
        const std::size_t from = random.Below(edited.size() - 1);
        if (edited[from].group == edited[from + 1].group)
            std::swap(edited[from], edited[from + 1]);
    }
    return edited;
}

std::string Spec(EOperationShape shape, bool unordered) {
    const char* order = unordered ? "Random" : "Sequenced";
    std::string spec = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<file name=\"bench\" root=\"";
    spec += shape == EOperationShape::kRecords ? "records"
            : shape == EOperationShape::kDeep  ? "doc"
                                               : "book";
    spec += "\" filenames=\"*.xml\">\r\n";
    if (shape == EOperationShape::kDeep) {
        for (const char* name : {"doc", "div"})
            spec += "\t<element name=\"" + std::string(name) + "\" order=\"" + order + "\"/>\r\n";
        for (const char* name : {"div", "para"})
            spec += "\t<element name=\"" + std::string(name) +
                    "\">\r\n\t\t<attribute name=\"id\"/>\r\n\t</element>\r\n";
    } else if (shape == EOperationShape::kRecords) {
        spec += "\t<element name=\"records\" order=\"" + std::string(order) + "\"/>\r\n";
        spec += "\t<element name=\"record\" order=\"Sequenced\">\r\n"
                "\t\t<attribute name=\"id\"/>\r\n\t</element>\r\n";
    } else {
        for (const char* name : {"book", "chapter", "section"})
            spec += "\t<element name=\"" + std::string(name) + "\" order=\"" + order + "\"/>\r\n";
        for (const char* name : {"chapter", "section", "para"})
            spec += "\t<element name=\"" + std::string(name) +
                    "\">\r\n\t\t<attribute name=\"id\"/>\r\n\t</element>\r\n";
    }
    return spec + "</file>\r\n";
}

} // namespace

bool OperationShapeFromName(std::string_view name, EOperationShape& shape) {
    if (name == "records")
        shape = EOperationShape::kRecords;
    else if (name == "nested")
        shape = EOperationShape::kNested;
    else if (name == "deep")
        shape = EOperationShape::kDeep;
    else
        return false;
    return true;
}

SOperationDocuments GenerateOperation(EOperationShape shape, std::size_t minimumSize,
                                      bool unordered, std::uint64_t seed) {
    // About 90 bytes a record and 100 a paragraph.
    const std::uint64_t count = minimumSize / 85 + 1;
    std::vector<SUnit> base;
    base.reserve(count);
    for (std::uint64_t id = 0; id < count; ++id)
        base.push_back({id, 0, id / kParagraphsPerSection});
    std::uint64_t nextId = count;
    CSeededRandom leftRandom(seed);
    CSeededRandom rightRandom(seed ^ 0xA5A5A5A5A5A5A5A5ull);
    SOperationDocuments documents;
    documents.left = Render(shape, Edited(base, leftRandom, nextId));
    documents.right = Render(shape, Edited(base, rightRandom, nextId));
    documents.base = Render(shape, base);
    documents.spec = Spec(shape, unordered);
    return documents;
}

} // namespace NBench
