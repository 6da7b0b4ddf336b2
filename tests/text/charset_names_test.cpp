#include "text/charset_names.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace NString;

TEST(CharsetNameTable, HoldsExactlyTheKeptRangesInIncreasingOrder) {
    std::vector<int> expected;
    for (auto [low, high] : {std::pair{3, 106}, std::pair{109, 119}, std::pair{1000, 1020},
                             std::pair{2000, 2107}, std::pair{2250, 2259}})
        for (int mibEnum = low; mibEnum <= high; ++mibEnum)
            expected.push_back(mibEnum);
    std::vector<int> actual;
    for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row)
        actual.push_back(row->mibEnum);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(kCharsetNameTable[expected.size()].aliases, nullptr);
}

// The lookup finds a lower-cased " name " with strstr, so every list must be
// whole names between single spaces, with no registry remark among them.
TEST(CharsetNameTable, AliasListsAreLowerCaseWholeNamesBetweenSingleSpaces) {
    for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row) {
        SCOPED_TRACE(row->mibEnum);
        const std::string aliases = row->aliases;
        ASSERT_GE(aliases.size(), 3u);
        EXPECT_EQ(aliases.front(), ' ');
        EXPECT_EQ(aliases.back(), ' ');
        EXPECT_EQ(aliases.find("  "), std::string::npos);
        for (char c : aliases)
            EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << aliases;
        if (row->mibEnum == 2104) {
            EXPECT_EQ(aliases.find('('), std::string::npos) << "a remark kept as names";
        }
    }
}
