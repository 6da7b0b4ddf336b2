#include "text/codepage_tables.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

using namespace NString;

namespace {

char16_t WindowsEntry(int codePage, unsigned char byte) {
    return kWindowsCodePageTables[codePage - kFirstWindowsCodePage][byte - 0x80];
}

} // namespace

TEST(CodePageTables, HoldThePublishedWindowsMappings) {
    EXPECT_EQ(WindowsEntry(1250, 0x8A), u'\u0160');
    EXPECT_EQ(WindowsEntry(1250, 0xFF), u'\u02D9');
    EXPECT_EQ(WindowsEntry(1251, 0xC0), u'\u0410');
    EXPECT_EQ(WindowsEntry(1251, 0xFF), u'\u044F');
    EXPECT_EQ(WindowsEntry(1252, 0x80), u'\u20AC');
    EXPECT_EQ(WindowsEntry(1252, 0x9F), u'\u0178');
    EXPECT_EQ(WindowsEntry(1252, 0xE9), u'\u00E9');
    EXPECT_EQ(WindowsEntry(1253, 0xC1), u'\u0391');
    EXPECT_EQ(WindowsEntry(1254, 0xD0), u'\u011E');
    EXPECT_EQ(WindowsEntry(1255, 0xE0), u'\u05D0');
    EXPECT_EQ(WindowsEntry(1256, 0xC7), u'\u0627');
    EXPECT_EQ(WindowsEntry(1257, 0xC0), u'\u0104');
    EXPECT_EQ(WindowsEntry(1258, 0xC3), u'\u0102');
}

TEST(CodePageTables, MapUndefinedBytesToTheirPrivateUseCodePoints) {
    for (auto [codePage, byte] :
         {std::pair{1250, 0x81}, std::pair{1252, 0x81}, std::pair{1252, 0x9D},
          std::pair{1251, 0x98}, std::pair{1253, 0xAA}, std::pair{1255, 0xFF},
          std::pair{1257, 0xA5}})
        EXPECT_EQ(WindowsEntry(codePage, static_cast<unsigned char>(byte)),
                  kUndefinedByteBase + byte)
            << codePage << " " << byte;
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

TEST(CodePageTables, Iso8859_15DiffersFromLatin1InEightPlaces) {
    const std::pair<unsigned char, char16_t> changes[] = {
        {0xA4, u'\u20AC'}, {0xA6, u'\u0160'}, {0xA8, u'\u0161'}, {0xB4, u'\u017D'},
        {0xB8, u'\u017E'}, {0xBC, u'\u0152'}, {0xBD, u'\u0153'}, {0xBE, u'\u0178'},
    };
    int changed = 0;
    for (int byte = kIso8859_15FirstByte; byte <= kIso8859_15LastByte; ++byte) {
        const char16_t entry = kIso8859_15Table[byte - kIso8859_15FirstByte];
        if (entry != byte)
            ++changed;
    }
    EXPECT_EQ(changed, 8);
    for (const auto& [byte, codePoint] : changes)
        EXPECT_EQ(kIso8859_15Table[byte - kIso8859_15FirstByte], codePoint) << int(byte);
}
