#include "text/codepage_tables.h"

#include <gtest/gtest.h>
#include <set>

using namespace NString;

// Samples of the published mappings; 0 marks a byte the code page leaves
// undefined, which must read as its private-use code point.
TEST(CodePageTables, HoldThePublishedWindowsMappings) {
    const struct {
        int codePage;
        unsigned char byte;
        char16_t entry;
    } cases[] = {
        {1250, 0x8A, u'\u0160'}, {1250, 0xFF, u'\u02D9'}, {1251, 0xC0, u'\u0410'},
        {1251, 0xFF, u'\u044F'}, {1252, 0x80, u'\u20AC'}, {1252, 0x9F, u'\u0178'},
        {1252, 0xE9, u'\u00E9'}, {1253, 0xC1, u'\u0391'}, {1254, 0xD0, u'\u011E'},
        {1255, 0xE0, u'\u05D0'}, {1256, 0xC7, u'\u0627'}, {1257, 0xC0, u'\u0104'},
        {1258, 0xC3, u'\u0102'}, {1250, 0x81, 0},         {1252, 0x81, 0},
        {1252, 0x9D, 0},         {1251, 0x98, 0},         {1253, 0xAA, 0},
        {1255, 0xFF, 0},         {1257, 0xA5, 0},
    };
    for (const auto& c : cases) {
        const char16_t expected = c.entry != 0 ? c.entry : char16_t(kUndefinedByteBase + c.byte);
        EXPECT_EQ(kWindowsCodePageTables[c.codePage - kFirstWindowsCodePage][c.byte - 0x80],
                  expected)
            << c.codePage << " " << int(c.byte);
    }
}

// The reverse lookup relies on this: no entry is below 0x80, no code point
// appears twice in one code page, and a private-use entry stands only at the
// byte it names.
TEST(CodePageTables, EntriesAreDistinctAboveAsciiAndUndefinedOnesNameTheirByte) {
    for (int index = 0; index < kWindowsCodePageCount; ++index) {
        SCOPED_TRACE(kFirstWindowsCodePage + index);
        std::set<char16_t> seen;
        for (std::size_t offset = 0; offset < kUpperHalfSize; ++offset) {
            const char16_t entry = kWindowsCodePageTables[index][offset];
            EXPECT_GE(entry, 0x80);
            EXPECT_TRUE(seen.insert(entry).second) << std::hex << int(entry);
            if (entry >= kUndefinedByteBase && entry <= kUndefinedByteBase + 0xFF) {
                EXPECT_EQ(entry, kUndefinedByteBase + 0x80 + offset);
            }
        }
    }
}

// ISO-8859-15 is Latin-1 but for eight bytes; the converter tests read most
// of them, this one counts that no other byte differs.
TEST(CodePageTables, Iso8859_15DiffersFromLatin1InEightPlaces) {
    int changed = 0;
    for (int byte = kIso8859_15FirstByte; byte <= kIso8859_15LastByte; ++byte)
        changed += kIso8859_15Table[byte - kIso8859_15FirstByte] != byte;
    EXPECT_EQ(changed, 8);
    EXPECT_EQ(kIso8859_15Table[0xA8 - kIso8859_15FirstByte], u'\u0161');
    EXPECT_EQ(kIso8859_15Table[0xB4 - kIso8859_15FirstByte], u'\u017D');
    EXPECT_EQ(kIso8859_15Table[0xB8 - kIso8859_15FirstByte], u'\u017E');
}
