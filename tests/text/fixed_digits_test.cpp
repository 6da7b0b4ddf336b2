#include "text/fixed_digits.h"

#include <gtest/gtest.h>
#include <string>

using namespace NString;

namespace {

std::string Digits(double value, int precision) {
    const CFixedDigits digits(value, precision);
    std::string text = digits.IsNegative() ? "-" : "";
    text += digits.IntegerDigits();
    if (!digits.FractionDigits().empty())
        text += "." + std::string(digits.FractionDigits());
    return text;
}

} // namespace

TEST(FixedDigits, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(Digits(0.5, 0), "1");
    EXPECT_EQ(Digits(-0.5, 0), "-1");
    EXPECT_EQ(Digits(2.5, 0), "3");
    EXPECT_EQ(Digits(0.125, 2), "0.13");
    EXPECT_EQ(Digits(1.0625, 3), "1.063");
    EXPECT_EQ(Digits(0.124, 2), "0.12");
    EXPECT_EQ(Digits(99.995, 2), "100.00");
}

TEST(FixedDigits, FractionHasExactlyThePrecisionInDigits) {
    EXPECT_EQ(Digits(0.0, 3), "0.000");
    EXPECT_EQ(Digits(7.0, 0), "7");
    EXPECT_EQ(Digits(0.001, 15), "0.001000000000000");
    // Beyond fifteen decimals the digits come from the binary value in groups.
    EXPECT_EQ(Digits(0.25, 16), "0.2500000000000000");
    EXPECT_EQ(Digits(1.0 / 1024, 19), "0.0009765625000000000");
}

TEST(FixedDigits, LargeValuesKeepEveryIntegerDigit) {
    // 2^52 and above have no fraction; adding a rounding offset must not move them.
    EXPECT_EQ(Digits(4503599627370497.0, 1), "4503599627370497.0");
    EXPECT_EQ(Digits(4503599627370495.5, 0), "4503599627370496");
    EXPECT_EQ(Digits(1e300, 0).size(), 301u);
    EXPECT_EQ(Digits(1e300, 0).substr(0, 4), "1000");
}

TEST(FixedDigits, NonFiniteValuesHaveNoFraction) {
    const CFixedDigits infinity(-1.0 / 0.0, 3);
    EXPECT_FALSE(infinity.IsFinite());
    EXPECT_TRUE(infinity.IsNegative());
    EXPECT_EQ(infinity.IntegerDigits(), "inf");
    EXPECT_TRUE(infinity.FractionDigits().empty());
}

TEST(FixedDigits, PrecisionIsClamped) {
    EXPECT_EQ(CFixedDigits(1.0, -3).FractionDigits().size(), 0u);
    EXPECT_EQ(CFixedDigits(1.0, 100000).FractionDigits().size(),
              static_cast<std::size_t>(CFixedDigits::kMaxPrecision));
}
