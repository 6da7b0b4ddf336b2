#include "framework/inline_array.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using NPtr::TInlineArray;

namespace {

using TLines = TInlineArray<std::uint32_t, 3>;

std::vector<std::uint32_t> Contents(const TLines& array) {
    return std::vector<std::uint32_t>(array.begin(), array.end());
}

} // namespace

TEST(InlineArray, GrowsToItsCapacityAndRefusesMore) {
    TLines array;
    EXPECT_TRUE(array.empty());
    EXPECT_EQ(array.begin(), array.end());
    std::vector<std::uint32_t> expected;
    for (const std::uint32_t value : {7u, 9u, 12u}) {
        array.push_back(value);
        expected.push_back(value);
        EXPECT_EQ(Contents(array), expected);
        EXPECT_EQ(array.front(), 7u);
        EXPECT_EQ(array.back(), value);
        EXPECT_EQ(array[array.size() - 1], value);
    }
    EXPECT_THROW(array.push_back(13), std::length_error);
    EXPECT_EQ(Contents(array), expected) << "a refused value leaves the array as it was";

    array.clear();
    EXPECT_TRUE(array.empty());
    array.push_back(1);
    EXPECT_EQ(Contents(array), std::vector<std::uint32_t>{1});
}

TEST(InlineArray, AssignReplacesTheContents) {
    struct SCase {
        std::uint32_t count;
        std::vector<std::uint32_t> expected;
    };
    for (const SCase& c : {SCase{0, {}}, SCase{1, {5}}, SCase{3, {5, 5, 5}}}) {
        SCOPED_TRACE(c.count);
        TLines array;
        array.push_back(1);
        array.push_back(2);
        array.assign(c.count, 5);
        EXPECT_EQ(Contents(array), c.expected);
    }
    TLines array;
    array.push_back(4);
    EXPECT_THROW(array.assign(4, 5), std::length_error);
    EXPECT_EQ(Contents(array), std::vector<std::uint32_t>{4});
}
