#include "text/charset.h"
#include "text/charset_aliases.h"
#include "text/charset_names.h"

#include <cctype>
#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace NString;

namespace {

bool InRegistry(int mibEnum) {
    for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row)
        if (row->mibEnum == mibEnum)
            return true;
    return false;
}

} // namespace

// Every alias is a lower-case whole name the registry lacks, names a set the
// registry has, and appears once; a spelling the registry holds would never
// be reached here.
TEST(CharsetAliases, AreUniqueLowerCaseNamesOfRegistrySetsTheRegistryLacks) {
    std::set<std::string_view> seen;
    for (const SCharsetAlias& alias : kCharsetAliases) {
        SCOPED_TRACE(std::string(alias.name));
        EXPECT_TRUE(seen.insert(alias.name).second);
        EXPECT_TRUE(InRegistry(alias.mibEnum));
        for (const char c : alias.name) {
            EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c)));
            EXPECT_NE(c, ' ');
        }
        std::string spaced = " "; // not " " + name: GCC 12 warns of an overlapping copy
        spaced.append(alias.name).append(" ");
        for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row)
            EXPECT_EQ(std::string(row->aliases).find(spaced), std::string::npos) << row->mibEnum;
    }
}

// Declared names as the parser passes them (spaced), in any case; the
// registry is searched first and aliases match whole names only.
TEST(CharsetAliases, CommonSpellingsResolveToTheirRegistrySet) {
    const struct {
        const char* declared;
        int mibEnum;
    } cases[] = {{" ascii ", kCharsetUsAscii},
                 {" UTF8 ", kCharsetUtf8},
                 {" Latin-1 ", kCharsetIso8859_1},
                 {" iso8859-1 ", kCharsetIso8859_1},
                 {" cp1252 ", 2252},
                 {" CP1250 ", kCharsetWindows1250},
                 {" sjis ", 17},
                 {" eucjp ", 18},
                 {" euckr ", 38},
                 {" euc-cn ", 2025},
                 {" big-5 ", 2026},
                 {" koi8r ", 2084},
                 {" iso8859-15 ", kCharsetIso8859_15},
                 {" asc ", 0},
                 {" ascii2 ", 0},
                 {" xascii ", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CharsetFromName(c.declared), c.mibEnum) << c.declared;
}
