#pragma once

#include "framework/str.h"
#include "framework/str_array.h"

namespace NXML {
class CElement;
}

// Reading the attribute values of a specification file.

// The value of attribute `name` of `element` with the references "&apos;",
// "&quot;", "&lt;", "&gt;", "&amp;" and numeric character references
// replaced; "" when the attribute is missing. Any other "&" stays as it
// stands, so a file written without escaping reads as it always did.
NString::TStr<char> SpecAttributeValue(const NXML::CElement& element, const char* name);

// Replaces the references of `text` as SpecAttributeValue does.
NString::TStr<char> UnescapeValue(const char* text);

enum class ESpaces { Keep, Trim };

// Appends the parts of `text` between commas to `list`, skipping empty parts,
// until the list holds `limit` items. With ESpaces::Trim, spaces and tabs
// around each part go first.
void AppendCommaList(const char* text, NString::TStrArray<NString::TStr<char>>& list,
                     std::uint32_t limit, ESpaces spaces = ESpaces::Keep);

// `text` with every character mapped to lower case.
NString::TStr<char> LowerCase(const char* text);
