#include "view/text_search.h"

#include "framework/string_functions.h"
#include "text/char_classes.h"
#include "view/caret_model.h"
#include "view/line_source.h"

#include <algorithm>
#include <string>

namespace {

std::u16string Folded(std::u16string text, bool matchCase) {
    if (!matchCase)
        NString::ToLower(text.data());
    return text;
}

// One line as searched, with the text to find already folded like it.
class CLineSearch {
public:
    CLineSearch(const std::u16string& line, std::u16string_view text, const SSearchOptions& options)
        : m_line(line), m_folded(Folded(line, options.matchCase)), m_text(text),
          m_options(options) {}

    // The column of the first acceptable occurrence at or after `limit`
    // (downward), or of the last one that ends at or before it (upward).
    std::size_t Find(std::size_t limit) const {
        if (!m_options.upward) {
            for (std::size_t at = m_folded.find(m_text, limit); at != std::u16string::npos;
                 at = m_folded.find(m_text, at + 1))
                if (Accepted(at))
                    return at;
            return std::u16string::npos;
        }
        if (limit < m_text.size())
            return std::u16string::npos;
        for (std::size_t at = m_folded.rfind(m_text, limit - m_text.size());
             at != std::u16string::npos;
             at = at == 0 ? std::u16string::npos : m_folded.rfind(m_text, at - 1))
            if (Accepted(at))
                return at;
        return std::u16string::npos;
    }

    // Where a search of the whole line starts.
    std::size_t WholeLine() const { return m_options.upward ? m_line.size() : 0; }

private:
    bool Accepted(std::size_t at) const {
        if (!m_options.wholeWords)
            return true;
        const std::size_t end = at + m_text.size();
        return !(at > 0 && NString::IsWordChar(m_line[at - 1])) &&
               !(end < m_line.size() && NString::IsWordChar(m_line[end]));
    }

    const std::u16string& m_line;
    const std::u16string m_folded;
    std::u16string_view m_text;
    const SSearchOptions& m_options;
};

std::optional<STextRange> Match(int line, std::size_t column, std::size_t length) {
    if (column == std::u16string::npos)
        return std::nullopt;
    const auto start = static_cast<int>(column);
    return STextRange{{line, start}, {line, start + static_cast<int>(length)}};
}

} // namespace

std::optional<STextRange> FindNext(const ILineSource& lines, STextPosition start,
                                   std::u16string_view text, const SSearchOptions& options) {
    const int count = lines.LineCount();
    if (text.empty() || count == 0)
        return std::nullopt;
    const std::u16string folded = Folded(std::u16string(text), options.matchCase);

    const int startLine = std::clamp(start.line, 0, count - 1);
    const std::u16string first = lines.LineText(startLine);
    const auto column =
        static_cast<std::size_t>(std::clamp(start.column, 0, static_cast<int>(first.size())));
    const CLineSearch startSearch(first, folded, options);
    if (auto match = Match(startLine, startSearch.Find(column), folded.size()))
        return match;

    // Stepping back is stepping forward by all lines but one.
    const int step = options.upward ? count - 1 : 1;
    int line = startLine;
    for (int visited = 0; visited < count; ++visited) {
        line = (line + step) % count;
        const std::u16string lineText = line == startLine ? first : lines.LineText(line);
        const CLineSearch search(lineText, folded, options);
        if (auto match = Match(line, search.Find(search.WholeLine()), folded.size()))
            return match;
    }
    return std::nullopt;
}

std::optional<STextRange> SearchFromCaret(CCaretModel& caret, const ILineSource& lines,
                                          std::u16string_view text, const SSearchOptions& options) {
    const auto match = FindNext(lines, caret.SearchStart(options.upward), text, options);
    if (match)
        caret.Select(*match);
    return match;
}
