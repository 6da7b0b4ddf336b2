#include <gtest/gtest.h>

TEST(TextSuite, Builds) { EXPECT_EQ(1 + 1, 2); }
