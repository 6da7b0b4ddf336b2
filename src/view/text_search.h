#pragma once

#include "view/text_range.h"

#include <optional>
#include <string_view>

class CCaretModel;
class ILineSource;

// How FindNext looks for the text.
struct SSearchOptions {
    bool matchCase = false;
    // An occurrence with a word character just before or after it is no match.
    bool wholeWords = false;
    bool upward = false;
};

// The next occurrence of `text` from `start` in the search's direction: on
// the start line downward from the start column on, upward before it; then
// the other lines in turn, wrapping around the document, each searched
// whole; the start line whole last. Each line is searched whole at most
// once, so a call always ends. Nothing matches an empty text.
std::optional<STextRange> FindNext(const ILineSource& lines, STextPosition start,
                                   std::u16string_view text, const SSearchOptions& options);

// FindNext from where the caret and the selection say (CCaretModel's
// SearchStart); a match becomes the selection, the caret at its end, so that
// searching again finds the next one. A miss changes nothing.
std::optional<STextRange> SearchFromCaret(CCaretModel& caret, const ILineSource& lines,
                                          std::u16string_view text, const SSearchOptions& options);
