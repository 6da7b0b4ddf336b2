#pragma once

// Character classes by code point: whitespace, word characters (for word
// boundaries in the document view) and XML name characters.
namespace NString {

// An inclusive range of code points. Range tables are sorted, do not overlap,
// and end with a {0, 0} entry.
struct SCodePointRange {
    char32_t first;
    char32_t last;
};

// XML 1.0 (Fourth Edition), Appendix B: BaseChar, Digit, Ideographic and
// CombiningChar, in the standard's own ranges.
extern const SCodePointRange kBaseCharRanges[];
extern const SCodePointRange kDigitRanges[];
extern const SCodePointRange kIdeographicRanges[];
extern const SCodePointRange kCombiningCharRanges[];

// Tab, line feed, carriage return and space.
bool IsSpace(char32_t codePoint);

// A letter, digit, ideograph or combining character of the tables above.
bool IsWordChar(char32_t codePoint);

// XML 1.0 (Fifth Edition) NameStartChar and NameChar.
bool IsNameStartChar(char32_t codePoint);
bool IsNameChar(char32_t codePoint);

} // namespace NString
