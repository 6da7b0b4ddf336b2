#pragma once

// Character classes by code point: XML name characters, words and spaces.
namespace NString {

// XML 1.0 (Fifth Edition) NameStartChar and NameChar.
bool IsNameStartChar(char32_t codePoint);
bool IsNameChar(char32_t codePoint);

// The letters (base and ideographic characters), digits, combining
// characters and extenders of XML 1.0 (Fourth Edition): what words are made
// of where the user moves and selects word by word, and whole-word search.
bool IsWordChar(char32_t codePoint);

// Tab, line feed, carriage return and space.
bool IsSpaceChar(char32_t codePoint);

} // namespace NString
