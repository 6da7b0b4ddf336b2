#include "text/fixed_digits.h"

#include <gtest/gtest.h>
#include <string>

using namespace NString;

namespace {

std::string Digits(double value, int precision) {
    const CFixedDigits digits(value, precision);
    std::string text = digits.IsNegative() ? "-" : "";
    text += digits.IntegerDigits();
    if (!digits.FractionDigits().empty()) {
        text += '.';
        text += digits.FractionDigits();
    }
    return text;
}

} // namespace

// Rounding and digit groups are checked through Format; these are the limits.
TEST(FixedDigits, LargeValuesKeepEveryIntegerDigit) {
    // 2^52 and above have no fraction; adding a rounding offset must not move them.
    EXPECT_EQ(Digits(4503599627370497.0, 1), "4503599627370497.0");
    EXPECT_EQ(Digits(4503599627370495.5, 0), "4503599627370496");
    EXPECT_EQ(Digits(1e300, 0).size(), 301u);
    EXPECT_EQ(Digits(1e300, 0).substr(0, 4), "1000");
}

TEST(FixedDigits, PrecisionIsClamped) {
    EXPECT_EQ(CFixedDigits(1.0, -3).FractionDigits().size(), 0u);
    EXPECT_EQ(CFixedDigits(1.0, 100000).FractionDigits().size(),
              static_cast<std::size_t>(CFixedDigits::kMaxPrecision));
}
