#pragma once

#include <string_view>

namespace NXML {

// A stretch of XML text and whether a character in it may be written as a
// character reference ("&#x20AC;"): in character data and attribute values
// it may; in markup (names and the spaces of tags, comments, processing
// instructions, CDATA sections, declarations) XML has no escape.
struct SMarkupSpan {
    std::string_view text;
    bool escapable = false;
};

// Cuts XML text into consecutive, non-empty spans by its markup, following
// XML's own delimiters: "<" starts markup only before a name, "/", "!" or
// "?" (a stray "<" stays character data); quotes delimit values inside tags;
// a document type declaration ends at the ">" after its internal subset.
// Markup cut off by the end of the text runs to the end.
class CMarkupSpans {
public:
    explicit CMarkupSpans(std::string_view text) : m_text(text) {}

    // The next span; false when the text is used up.
    bool Next(SMarkupSpan& span);

private:
    // kAfterValue: in a tag, at the quote that closes a value.
    enum class EState { kContent, kTag, kValue, kAfterValue };

    // Spans from the current position; an empty one when the state changed
    // without consuming text.
    SMarkupSpan ContentSpan();
    // `closingQuote` is 1 when the span starts with a value's closing quote.
    SMarkupSpan TagSpan(std::size_t closingQuote);
    SMarkupSpan ValueSpan();
    // The markup at the current position, which starts with "<".
    SMarkupSpan MarkupSpan();

    // The span from the current position to `end` (clamped), moving on.
    SMarkupSpan Take(std::size_t end, bool escapable);

    std::string_view m_text;
    std::size_t m_position = 0;
    EState m_state = EState::kContent;
    char m_quote = 0;
};

} // namespace NXML
