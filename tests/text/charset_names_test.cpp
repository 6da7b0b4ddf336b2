#include "text/charset_names.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace NString;

namespace {

std::vector<SCharsetName> Rows() {
    std::vector<SCharsetName> rows;
    for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row)
        rows.push_back(*row);
    return rows;
}

std::string FirstName(const SCharsetName& row) {
    const std::string aliases = row.aliases;
    return aliases.substr(1, aliases.find(' ', 1) - 1);
}

const SCharsetName* RowOf(int mibEnum) {
    for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row)
        if (row->mibEnum == mibEnum)
            return row;
    return nullptr;
}

} // namespace

TEST(CharsetNameTable, HoldsExactlyTheKeptRangesInIncreasingOrder) {
    std::vector<int> expected;
    for (auto [low, high] : {std::pair{3, 106}, std::pair{109, 119}, std::pair{1000, 1020},
                             std::pair{2000, 2107}, std::pair{2250, 2259}})
        for (int mibEnum = low; mibEnum <= high; ++mibEnum)
            expected.push_back(mibEnum);

    std::vector<int> actual;
    for (const SCharsetName& row : Rows())
        actual.push_back(row.mibEnum);

    EXPECT_EQ(actual.size(), 254u);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(kCharsetNameTable[254].aliases, nullptr);
}

TEST(CharsetNameTable, AliasListsAreLowerCaseWholeNamesBetweenSingleSpaces) {
    for (const SCharsetName& row : Rows()) {
        SCOPED_TRACE(row.mibEnum);
        const std::string aliases = row.aliases;
        ASSERT_GE(aliases.size(), 3u);
        EXPECT_EQ(aliases.front(), ' ');
        EXPECT_EQ(aliases.back(), ' ');
        EXPECT_EQ(aliases.find("  "), std::string::npos);
        for (char c : aliases)
            EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << aliases;
    }
}

TEST(CharsetNameTable, FirstNamesAreTheRegistryNames) {
    const std::pair<int, const char*> samples[] = {
        {3, "ansi_x3.4-1968"},
        {4, "iso_8859-1:1987"},
        {18, "extended_unix_code_packed_format_for_japanese"},
        {106, "utf-8"},
        {109, "iso-8859-13"},
        {119, "kz-1048"},
        {1000, "iso-10646-ucs-2"},
        {1013, "utf-16be"},
        {1020, "bocu-1"},
        {2000, "iso-8859-1-windows-3.0-latin-1"},
        {2023, "microsoft-publishing"},
        {2104, "amiga-1251"},
        {2107, "tscii"},
        {2250, "windows-1250"},
        {2259, "tis-620"},
    };
    for (const auto& [mibEnum, firstName] : samples) {
        const SCharsetName* row = RowOf(mibEnum);
        ASSERT_NE(row, nullptr) << mibEnum;
        EXPECT_EQ(FirstName(*row), firstName) << mibEnum;
    }
}

TEST(CharsetNameTable, ListsAliasesAndPreferredNamesButNoRegistryRemarks) {
    EXPECT_NE(std::string(RowOf(3)->aliases).find(" us-ascii "), std::string::npos);
    EXPECT_NE(std::string(RowOf(4)->aliases).find(" latin1 "), std::string::npos);
    EXPECT_NE(std::string(RowOf(4)->aliases).find(" iso-8859-1 "), std::string::npos);
    EXPECT_NE(std::string(RowOf(111)->aliases).find(" latin-9 "), std::string::npos);
    EXPECT_NE(std::string(RowOf(2026)->aliases).find(" csbig5 "), std::string::npos);
    EXPECT_EQ(std::string(RowOf(2104)->aliases).find('('), std::string::npos);
}
