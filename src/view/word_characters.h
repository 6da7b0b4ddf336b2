#pragma once

// The character classes that decide where words begin and end for the caret,
// the mouse and whole-word search. They work on UTF-16 units, as columns do.

// A letter, digit, combining character or extender of XML. Both halves of a
// surrogate pair count: every character beyond the basic plane that XML
// allows in a name is one of these.
bool IsWordCharacter(char16_t unit);

// Tab, line feed, carriage return or space.
bool IsSpaceCharacter(char16_t unit);
