#pragma once

// The character classes that decide where words begin and end for the caret,
// the mouse and whole-word search. They work on UTF-16 units, as columns do.

// A letter, digit, combining character or extender: the characters XML
// allows in names, less the punctuation that joins the parts of a name
// ("-", ".", "_", ":"). Both halves of a surrogate pair count, as XML allows
// every character beyond the basic plane in names.
bool IsWordCharacter(char16_t unit);

// Tab, line feed, carriage return or space.
bool IsSpaceCharacter(char16_t unit);
