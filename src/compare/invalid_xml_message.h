#pragma once

#include "framework/str.h"
#include "xml/parse_error.h"

// The text that tells why an input file was refused as XML: the file, the
// line and column, and what was wrong there, in the chosen language.
NString::TStr<char16_t> InvalidXMLMessage(const char16_t* path, const NXML::SParseError& error);
