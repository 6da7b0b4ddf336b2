#include "text/charset_aliases.h"

#include <algorithm>

namespace NString {

// Only names the registry does not hold: the registry is searched first, and
// a name in both places would be dead here.
const std::array<SCharsetAlias, 38> kCharsetAliases = {{
    {"ascii", 3},     {"us_ascii", 3},   {"latin-1", 4},   {"latin_1", 4},    {"iso8859-1", 4},
    {"iso8859_1", 4}, {"iso88591", 4},   {"latin-2", 5},   {"iso8859-2", 5},  {"iso88592", 5},
    {"iso8859-5", 8}, {"iso8859-7", 10}, {"sjis", 17},     {"shift-jis", 17}, {"x-sjis", 17},
    {"eucjp", 18},    {"ujis", 18},      {"x-euc-jp", 18}, {"euckr", 38},     {"iso8859-15", 111},
    {"utf8", 106},    {"utf_8", 106},    {"cp932", 2024},  {"ms932", 2024},   {"euc-cn", 2025},
    {"euccn", 2025},  {"big-5", 2026},   {"cp1250", 2250}, {"cp1251", 2251},  {"cp1252", 2252},
    {"cp1253", 2253}, {"cp1254", 2254},  {"cp1255", 2255}, {"cp1256", 2256},  {"cp1257", 2257},
    {"cp1258", 2258}, {"koi8r", 2084},   {"tis620", 2259},
}};

int CharsetFromAlias(std::string_view lowered) {
    const auto* found =
        std::find_if(kCharsetAliases.begin(), kCharsetAliases.end(),
                     [&](const SCharsetAlias& alias) { return alias.name == lowered; });
    return found == kCharsetAliases.end() ? 0 : found->mibEnum;
}

} // namespace NString
