#pragma once

#include "compare/xml_file.h"
#include "framework/str.h"

#include <array>

// The main window's title: what is compared or merged, by the display names
// of `files` (indexed by side), then the program's name. With nothing
// `loaded` the program's name alone. A `countText` that is neither null nor
// empty follows after " - "; the window passes it while the toolbar, which
// otherwise shows it, is hidden. Names of any length are kept whole.
NString::TStr<char16_t> WindowTitle(const std::array<CXMLFile, 3>& files, bool loaded, bool merge,
                                    bool threeWay, const char16_t* countText);
