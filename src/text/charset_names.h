#pragma once

#include <cstdint>

namespace NString {

// One row of the character-set name table: a MIBenum and every name of that
// character set, lower-cased, each surrounded by single spaces
// (" iso-8859-15 iso_8859-15 latin-9 ").
struct SCharsetName {
    std::int32_t mibEnum;
    const char* aliases;
};

// Rows in increasing MIBenum order, ended by a row whose MIBenum is 0.
extern const SCharsetName kCharsetNameTable[];

} // namespace NString
