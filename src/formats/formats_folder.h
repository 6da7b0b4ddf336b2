#pragma once

#include "framework/str.h"

#include <vector>

// Where format specifications live, and finding their files there.

// The Formats folder, ending in "/": $QUILLMERE_FORMATS_DIR when set and not
// empty; otherwise "Velden/Quillmere/Formats/" in the user's data folder,
// $XDG_DATA_HOME when that is an absolute path, else ~/.local/share. Empty
// when not even the home folder is known.
NString::TStr<char16_t> FormatsFolder();

// The specification files of `folder` (regular files whose names match
// "*.qmfmt" in any case; subfolders are not searched), as full paths, sorted
// by name ignoring case so that every machine lists them alike. Empty when
// the folder does not exist or cannot be read.
std::vector<NString::TStr<char16_t>> SpecFilesIn(const char16_t* folder);
