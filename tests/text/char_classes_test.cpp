#include "text/char_classes.h"

#include <gtest/gtest.h>
#include <span>
#include <vector>

using namespace NString;

namespace {

std::span<const SCodePointRange> RangesBeforeEndMarker(const SCodePointRange* table) {
    std::size_t count = 0;
    while (table[count].first != 0 || table[count].last != 0)
        ++count;
    return {table, count};
}

const std::vector<std::span<const SCodePointRange>>& WordTables() {
    static const std::vector<std::span<const SCodePointRange>> tables = {
        RangesBeforeEndMarker(kBaseCharRanges), RangesBeforeEndMarker(kDigitRanges),
        RangesBeforeEndMarker(kIdeographicRanges), RangesBeforeEndMarker(kCombiningCharRanges)};
    return tables;
}

// Membership by walking every range, to check the lookup against.
bool InAnyTableByScan(char32_t codePoint) {
    for (const auto& table : WordTables()) {
        for (const SCodePointRange& range : table) {
            if (range.first <= codePoint && codePoint <= range.last)
                return true;
        }
    }
    return false;
}

} // namespace

TEST(WordTables, HaveTheStandardsRangeCountsInOrder) {
    const std::size_t expected[] = {202, 15, 3, 95};
    for (std::size_t i = 0; i < WordTables().size(); ++i) {
        const auto& table = WordTables()[i];
        EXPECT_EQ(table.size(), expected[i]) << "table " << i;
        for (std::size_t r = 0; r < table.size(); ++r) {
            EXPECT_LE(table[r].first, table[r].last) << "table " << i << " range " << r;
            if (r > 0) {
                EXPECT_LT(table[r - 1].last, table[r].first) << "table " << i << " range " << r;
            }
        }
    }
}

TEST(WordTables, MatchTheStandardAtItsEnds) {
    EXPECT_EQ(kBaseCharRanges[0].first, 0x41u);
    EXPECT_EQ(RangesBeforeEndMarker(kBaseCharRanges).back().first, 0xAC00u);
    EXPECT_EQ(RangesBeforeEndMarker(kBaseCharRanges).back().last, 0xD7A3u);
    EXPECT_EQ(kDigitRanges[0].first, 0x30u);
    EXPECT_EQ(RangesBeforeEndMarker(kDigitRanges).back().last, 0x0F29u);
    EXPECT_EQ(kIdeographicRanges[2].first, 0x4E00u);
    EXPECT_EQ(kIdeographicRanges[2].last, 0x9FA5u);
    EXPECT_EQ(kCombiningCharRanges[0].first, 0x300u);
    EXPECT_EQ(RangesBeforeEndMarker(kCombiningCharRanges).back().first, 0x309Au);
}

TEST(WordChar, AgreesWithTheTablesAtEveryRangeBoundary) {
    for (const auto& table : WordTables()) {
        for (const SCodePointRange& range : table) {
            const auto first = static_cast<unsigned>(range.first);
            const auto last = static_cast<unsigned>(range.last);
            EXPECT_TRUE(IsWordChar(first)) << std::hex << first;
            EXPECT_TRUE(IsWordChar(last)) << std::hex << last;
            EXPECT_EQ(IsWordChar(first - 1), InAnyTableByScan(first - 1)) << std::hex << first - 1;
            EXPECT_EQ(IsWordChar(last + 1), InAnyTableByScan(last + 1)) << std::hex << last + 1;
        }
    }
}

TEST(WordChar, CoversLettersDigitsIdeographsAndCombiningMarks) {
    EXPECT_FALSE(IsWordChar(U'_'));
    EXPECT_FALSE(IsWordChar(U'-'));
    EXPECT_FALSE(IsWordChar(U' '));
    EXPECT_FALSE(IsWordChar(0));
    EXPECT_TRUE(IsWordChar(U'\u00E9'));  // e with acute accent
    EXPECT_TRUE(IsWordChar(U'\u0967'));  // Devanagari digit one
    EXPECT_TRUE(IsWordChar(U'\u0E55'));  // Thai digit five
    EXPECT_TRUE(IsWordChar(U'\u0301'));  // combining acute accent
    EXPECT_TRUE(IsWordChar(U'\u4E2D'));  // an ideograph
    EXPECT_TRUE(IsWordChar(U'\u3007'));  // ideographic number zero
    EXPECT_FALSE(IsWordChar(U'\u00D7')); // multiplication sign
    EXPECT_FALSE(IsWordChar(U'\u3000')); // ideographic space
    EXPECT_FALSE(IsWordChar(U'\U00010400'));
}

TEST(Space, IsTabLineFeedCarriageReturnAndSpaceOnly) {
    for (char32_t space : {U'\t', U'\n', U'\r', U' '})
        EXPECT_TRUE(IsSpace(space)) << static_cast<int>(space);
    for (char32_t other : {U'\f', U'\v', U'\u00A0', U'\u2028', U'x', char32_t{0}})
        EXPECT_FALSE(IsSpace(other)) << static_cast<int>(other);
}

TEST(XmlName, StartCharacters) {
    for (char32_t start :
         {U'A', U'z', U':', U'_', U'\u00C0', U'\u00F8', U'\u02FF', U'\u0370', U'\u037F', U'\u200C',
          U'\u200D', U'\u2070', U'\u3001', U'\uFDF0', U'\uFFFD', U'\U00010000', U'\U000EFFFF'})
        EXPECT_TRUE(IsNameStartChar(start)) << std::hex << static_cast<unsigned>(start);
    for (char32_t other :
         {U'-', U'.', U'0', U'9', U'\u00B7', U'\u00D7', U'\u00F7', U'\u0300', U'\u037E', U'\u200E',
          U'\u203F', U'\u3000', U'\uFDD0', U'\uFFFE', U'\U000F0000', U'<', U' '})
        EXPECT_FALSE(IsNameStartChar(other)) << std::hex << static_cast<unsigned>(other);
}

TEST(XmlName, NameCharactersAddDigitsPunctuationAndMarks) {
    for (char32_t name : {U'-', U'.', U'0', U'9', U'\u00B7', U'\u0300', U'\u036F', U'\u203F',
                          U'\u2040', U'a', U'\U00010000'})
        EXPECT_TRUE(IsNameChar(name)) << std::hex << static_cast<unsigned>(name);
    for (char32_t other : {U'/', U'<', U'>', U'=', U'"', U' ', U'\u00D7', U'\u037E', U'\u2041',
                           U'\uFFFE', char32_t{0}})
        EXPECT_FALSE(IsNameChar(other)) << std::hex << static_cast<unsigned>(other);
}
