#pragma once

#include <cstddef>
#include <string_view>

namespace NString {

// The decimal digits of a double in fixed point: its magnitude rounded half
// away from zero at `precision` decimals, split into the integer part and
// exactly `precision` fraction digits. Infinity and NaN give "inf" and "nan"
// as their integer digits and no fraction.
class CFixedDigits {
public:
    static constexpr int kMaxPrecision = 256;

    // `precision` is clamped to 0..kMaxPrecision.
    CFixedDigits(double value, int precision);

    CFixedDigits(const CFixedDigits&) = delete;
    CFixedDigits& operator=(const CFixedDigits&) = delete;

    // Taken from the value itself, so -0.04 at one decimal is "-0.0".
    bool IsNegative() const { return m_negative; }
    bool IsFinite() const { return m_finite; }
    std::string_view IntegerDigits() const { return {m_integer, m_integerLength}; }
    std::string_view FractionDigits() const { return {m_fraction, m_fractionLength}; }

private:
    // The integer part of the largest double has 309 digits.
    static constexpr std::size_t kMaxIntegerDigits = 320;

    bool RoundScaled(double magnitude, int precision);
    void RoundByOffset(double magnitude, int precision);
    void SetInteger(std::string_view digits);

    bool m_negative = false;
    bool m_finite = true;
    char m_integer[kMaxIntegerDigits];
    std::size_t m_integerLength = 0;
    char m_fraction[kMaxPrecision];
    std::size_t m_fractionLength = 0;
};

} // namespace NString
