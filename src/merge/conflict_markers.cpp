#include "merge/conflict_markers.h"

#include "compare/side_order.h"
#include "merge/merged_text_with_gaps.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

namespace {

using SGap = CMergedTextWithGaps::SGap;

constexpr std::size_t kNoNode = std::string_view::npos;
constexpr std::string_view kWhitespace = " \t\r\n";

// Where the line holding `offset` starts.
std::size_t LineStart(std::string_view text, std::size_t offset) {
    if (offset == 0)
        return 0;
    const std::size_t lineEnd = text.rfind('\n', offset - 1);
    return lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
}

// Where the line holding `offset` ends, after its line end.
std::size_t LineEnd(std::string_view text, std::size_t offset) {
    const std::size_t lineEnd = text.find('\n', offset);
    return lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
}

std::string_view LineBreakOf(std::string_view text) {
    const std::size_t lineEnd = text.find('\n');
    return lineEnd != std::string_view::npos && lineEnd > 0 && text[lineEnd - 1] == '\r' ? "\r\n"
                                                                                         : "\n";
}

// One side's version of a marked range, and where that side's nodes start
// and end in it: kNoNode and 0 when the side has none there.
struct SVersion {
    std::string text;
    std::size_t nodesBegin = kNoNode;
    std::size_t nodesEnd = 0;
    // Where each line starts, then the text's end; a line ends after its
    // line end.
    std::vector<std::size_t> lineStarts;

    std::size_t LineCount() const { return lineStarts.size() - 1; }
    std::size_t StartOf(std::size_t line) const { return lineStarts[line]; }
    std::size_t EndOf(std::size_t line) const { return lineStarts[line + 1]; }
    std::string_view Line(std::size_t line) const {
        return std::string_view(text).substr(StartOf(line), EndOf(line) - StartOf(line));
    }
    // Lines `first` to before `end`.
    std::string_view Lines(std::size_t first, std::size_t end) const {
        return std::string_view(text).substr(StartOf(first), StartOf(end) - StartOf(first));
    }

    void FindLines() {
        for (std::size_t start = 0; start < text.size(); start = LineEnd(text, start))
            lineStarts.push_back(start);
        lineStarts.push_back(text.size());
    }
};

// `side`'s version of the merged text from `begin` to `end`, which holds `gaps`.
SVersion VersionOf(int side, std::string_view merged, std::span<const SGap> gaps, std::size_t begin,
                   std::size_t end) {
    SVersion version;
    std::size_t copied = begin;
    for (const SGap& gap : gaps) {
        version.text.append(merged.substr(copied, gap.offset - copied));
        copied = gap.offset;
        const std::string& own = gap.sides[static_cast<std::size_t>(side)];
        if (own.empty())
            continue;
        // The whitespace before a node is no part of it.
        const std::size_t nodeStart = std::min(own.find_first_not_of(kWhitespace), own.size());
        if (version.nodesBegin == kNoNode)
            version.nodesBegin = version.text.size() + nodeStart;
        version.text += own;
        version.nodesEnd = version.text.size();
    }
    version.text.append(merged.substr(copied, end - copied));
    version.FindLines();
    return version;
}

using CVersions = std::array<SVersion, 3>;

// Every version must hold a line before any is compared with the left's.
std::size_t ShortestLineCount(const CVersions& versions) {
    return std::ranges::min(versions, {}, &SVersion::LineCount).LineCount();
}

// How many lines the versions share before their nodes start.
std::size_t SharedLeadingLines(const CVersions& versions) {
    const SVersion& reference = versions[kSideLeft];
    for (std::size_t count = 0;; ++count) {
        if (count >= ShortestLineCount(versions))
            return count;
        for (const SVersion& version : versions) {
            if (version.Line(count) != reference.Line(count) ||
                version.EndOf(count) > version.nodesBegin)
                return count;
        }
    }
}

// How many lines the versions share after their nodes end and after the
// `leading` shared lines.
std::size_t SharedTrailingLines(const CVersions& versions, std::size_t leading) {
    const SVersion& reference = versions[kSideLeft];
    for (std::size_t count = 0;; ++count) {
        if (leading + count >= ShortestLineCount(versions))
            return count;
        for (const SVersion& version : versions) {
            const std::size_t line = version.LineCount() - 1 - count;
            if (version.Line(line) != reference.Line(reference.LineCount() - 1 - count) ||
                version.StartOf(line) < version.nodesEnd)
                return count;
        }
    }
}

class CConflictWriter {
public:
    CConflictWriter(std::string& out, const SConflictMarkers& markers, std::string_view lineBreak)
        : m_out(out), m_markers(markers), m_lineBreak(lineBreak) {}

    // The versions' shared lines once, around the marked versions.
    void Write(const CVersions& versions) {
        const std::size_t leading = SharedLeadingLines(versions);
        const std::size_t trailing = SharedTrailingLines(versions, leading);
        const SVersion& left = versions[kSideLeft];
        m_out += left.Lines(0, leading);
        WriteMarker('<', kSideLeft);
        WriteMarked(versions[kSideLeft], leading, trailing);
        WriteMarker('|', kSideBase);
        WriteMarked(versions[kSideBase], leading, trailing);
        WriteMarker('=', kSideNone);
        WriteMarked(versions[kSideRight], leading, trailing);
        WriteMarker('>', kSideRight);
        m_out += left.Lines(left.LineCount() - trailing, left.LineCount());
    }

private:
    void WriteMarker(char character, int side) {
        m_out.append(static_cast<std::size_t>(m_markers.size), character);
        if (side != kSideNone && !m_markers.labels[static_cast<std::size_t>(side)].empty()) {
            m_out += ' ';
            m_out += m_markers.labels[static_cast<std::size_t>(side)];
        }
        m_out += m_lineBreak;
    }

    // A version's lines between the shared ones; a marker always starts a line.
    void WriteMarked(const SVersion& version, std::size_t leading, std::size_t trailing) {
        m_out += version.Lines(leading, version.LineCount() - trailing);
        if (!m_out.empty() && m_out.back() != '\n')
            m_out += m_lineBreak;
    }

    std::string& m_out;
    const SConflictMarkers& m_markers;
    std::string_view m_lineBreak;
};

// The lines from `begin` to `end` of the merged text, which hold `gaps` and
// become one marked conflict.
struct SConflictLines {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::span<const SGap> gaps;
};

// Gaps whose lines touch share one conflict.
std::vector<SConflictLines> ConflictLinesOf(std::string_view text, std::span<const SGap> gaps) {
    std::vector<SConflictLines> conflicts;
    for (std::size_t first = 0; first < gaps.size();) {
        const std::size_t begin = LineStart(text, gaps[first].offset);
        std::size_t end = LineEnd(text, gaps[first].offset);
        std::size_t last = first + 1;
        for (; last < gaps.size() && LineStart(text, gaps[last].offset) < end; ++last)
            end = LineEnd(text, gaps[last].offset);
        conflicts.push_back({begin, end, gaps.subspan(first, last - first)});
        first = last;
    }
    return conflicts;
}

// No less than the marked text takes, so that a large result is never copied
// as it grows: each side's version repeats the conflict's lines with its own
// alternatives, and each of the four markers holds at most a label and a
// line break.
std::size_t MarkedSizeBound(std::string_view text, std::span<const SConflictLines> conflicts,
                            const SConflictMarkers& markers) {
    const std::size_t longestLabel =
        std::ranges::max(markers.labels, {}, &std::string::size).size();
    const std::size_t markerLine = static_cast<std::size_t>(markers.size) + 1 + longestLabel + 2;
    std::size_t bound = text.size();
    for (const SConflictLines& conflict : conflicts) {
        bound += 2 * (conflict.end - conflict.begin) + 4 * markerLine + 3 * 2;
        for (const SGap& gap : conflict.gaps)
            for (const std::string& own : gap.sides)
                bound += own.size();
    }
    return bound;
}

} // namespace

std::string MarkConflicts(const CMergedTextWithGaps& merged, const SConflictMarkers& markers) {
    const std::string_view text = merged.Text();
    const std::vector<SConflictLines> conflicts = ConflictLinesOf(text, merged.Gaps());
    std::string out;
    out.reserve(MarkedSizeBound(text, conflicts, markers));
    CConflictWriter writer(out, markers, LineBreakOf(text));
    std::size_t copied = 0;
    for (const SConflictLines& conflict : conflicts) {
        out.append(text.substr(copied, conflict.begin - copied));
        writer.Write({VersionOf(kSideBase, text, conflict.gaps, conflict.begin, conflict.end),
                      VersionOf(kSideLeft, text, conflict.gaps, conflict.begin, conflict.end),
                      VersionOf(kSideRight, text, conflict.gaps, conflict.begin, conflict.end)});
        copied = conflict.end;
    }
    out.append(text.substr(copied));
    return out;
}
