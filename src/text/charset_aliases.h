#pragma once

#include <array>
#include <string_view>

namespace NString {

// A spelling of a character set name that real files use but the IANA
// registry lacks, lower-cased, and the registry set it stands for.
struct SCharsetAlias {
    std::string_view name;
    int mibEnum;
};

extern const std::array<SCharsetAlias, 38> kCharsetAliases;

// The MIBenum of the alias `lowered` (lower case, no surrounding spaces), or 0.
int CharsetFromAlias(std::string_view lowered);

} // namespace NString
