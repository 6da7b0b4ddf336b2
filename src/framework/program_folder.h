#pragma once

#include "framework/str.h"

namespace NIO {

// The folder of the running executable, ending in a separator, so that data
// shipped beside the program is found whatever the current directory is.
// Empty when the system does not tell.
NString::TStr<char16_t> ProgramFolder();

} // namespace NIO
