#pragma once

#include "framework/str.h"

// The name of the file a specification is kept in: its name with every
// character dropped that is not a space, an ASCII letter or digit, "_", "-",
// "+", "=", "." or a no-break space, then trimmed of spaces, with ".qmfmt"
// appended. Names that reduce to the same text share one file.
NString::TStr<char16_t> SpecFileName(const char* specName);

// The extension of specification files, and the pattern that finds them.
inline constexpr char16_t kSpecFileExtension[] = u".qmfmt";
inline constexpr char kSpecFilePattern[] = "*.qmfmt";
