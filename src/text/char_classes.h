#pragma once

// Character classes by code point: XML name characters.
namespace NString {

// XML 1.0 (Fifth Edition) NameStartChar and NameChar.
bool IsNameStartChar(char32_t codePoint);
bool IsNameChar(char32_t codePoint);

} // namespace NString
