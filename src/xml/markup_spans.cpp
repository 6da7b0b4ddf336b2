#include "xml/markup_spans.h"

#include "xml/scan.h"

namespace NXML {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsQuote(char byte) {
    return byte == '"' || byte == '\'';
}

bool StartsAt(std::string_view text, std::size_t position, std::string_view prefix) {
    return text.compare(position, prefix.size(), prefix) == 0;
}

// Whether the "<" at `position` opens markup.
bool OpensMarkup(std::string_view text, std::size_t position) {
    if (position + 1 >= text.size())
        return false;
    const char next = text[position + 1];
    return next == '/' || next == '!' || next == '?' ||
           NScan::IsNameStartAt(text.data() + position + 1, text.data() + text.size());
}

// The position after `terminator`, searched from `from`; kNone when absent.
std::size_t After(std::string_view text, std::size_t from, std::string_view terminator) {
    const std::size_t found = text.find(terminator, from);
    return found == kNone ? kNone : found + terminator.size();
}

// The end of the declaration opened by "<!" at `position`: the ">" outside
// quotes, comments, processing instructions and the "[...]" internal subset.
std::size_t DeclarationEnd(std::string_view text, std::size_t position) {
    int depth = 0;
    for (std::size_t here = position + 2; here < text.size();) {
        const char byte = text[here];
        if (StartsAt(text, here, "<!--")) {
            here = After(text, here + 4, "-->");
        } else if (StartsAt(text, here, "<?")) {
            here = After(text, here + 2, "?>");
        } else if (IsQuote(byte)) {
            const std::size_t close = text.find(byte, here + 1);
            here = close == kNone ? kNone : close + 1;
        } else if (byte == '>' && depth == 0) {
            return here + 1;
        } else {
            depth += byte == '[' ? 1 : byte == ']' ? -1 : 0;
            ++here;
        }
        if (here == kNone)
            return kNone;
    }
    return kNone;
}

} // namespace

bool CMarkupSpans::Next(SMarkupSpan& span) {
    while (m_position < m_text.size()) {
        switch (m_state) {
        case EState::kContent:
            span = ContentSpan();
            break;
        case EState::kTag:
            span = TagSpan(0);
            break;
        case EState::kAfterValue:
            span = TagSpan(1);
            break;
        case EState::kValue:
            span = ValueSpan();
            break;
        }
        if (!span.text.empty())
            return true;
    }
    return false;
}

SMarkupSpan CMarkupSpans::ContentSpan() {
    std::size_t open = m_text.find('<', m_position);
    while (open != kNone && !OpensMarkup(m_text, open))
        open = m_text.find('<', open + 1);
    if (open == m_position)
        return MarkupSpan();
    return Take(open, true);
}

SMarkupSpan CMarkupSpans::MarkupSpan() {
    if (StartsAt(m_text, m_position, "<!--"))
        return Take(After(m_text, m_position + 4, "-->"), false);
    if (StartsAt(m_text, m_position, "<![CDATA["))
        return Take(After(m_text, m_position + 9, "]]>"), false);
    if (StartsAt(m_text, m_position, "<?"))
        return Take(After(m_text, m_position + 2, "?>"), false);
    if (StartsAt(m_text, m_position, "<!"))
        return Take(DeclarationEnd(m_text, m_position), false);
    m_state = EState::kTag;
    return {};
}

SMarkupSpan CMarkupSpans::TagSpan(std::size_t closingQuote) {
    const std::size_t stop = m_text.find_first_of("\"'>", m_position + closingQuote);
    if (stop == kNone)
        return Take(kNone, false);
    if (m_text[stop] == '>') {
        m_state = EState::kContent;
    } else {
        m_state = EState::kValue;
        m_quote = m_text[stop];
    }
    return Take(stop + 1, false);
}

SMarkupSpan CMarkupSpans::ValueSpan() {
    m_state = EState::kAfterValue;
    return Take(m_text.find(m_quote, m_position), true);
}

SMarkupSpan CMarkupSpans::Take(std::size_t end, bool escapable) {
    const std::size_t stop = end == kNone ? m_text.size() : end;
    SMarkupSpan span{m_text.substr(m_position, stop - m_position), escapable};
    m_position = stop;
    return span;
}

} // namespace NXML
