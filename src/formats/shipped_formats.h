#pragma once

#include "framework/str.h"

// The specifications that come with the program, in "Data/Formats/" beside
// the executable, and their first start in a user's Formats folder.

// The folder of the shipped specifications, ending in "/"; empty when the
// executable's own path is unknown.
NString::TStr<char16_t> ShippedFormatsFolder();

// When `formatsFolder` holds no specification file (or does not exist yet),
// copies every specification file of `shippedFolder` into it, creating it,
// and never replacing a file that is there. The number of files copied.
int InstallShippedFormats(const char16_t* shippedFolder, const char16_t* formatsFolder);
