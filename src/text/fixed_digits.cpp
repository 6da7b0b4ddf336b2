#include "text/fixed_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace NString {
namespace {

constexpr int kFractionGroupDigits = 9;
// Powers of ten that a double holds exactly, and a uint64 too.
constexpr int kLargestExactPower = 15;
// From here on a double has no fractional part; below it every integer and
// every half is exact.
constexpr double kFirstWholeDouble = 4503599627370496.0; // 2^52

std::uint64_t PowerOfTen(int exponent) {
    std::uint64_t power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// Writes `value` as exactly `digits` decimal digits, zero-padded, at `out`.
void WriteZeroPadded(std::uint64_t value, int digits, char* out) {
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

CFixedDigits::CFixedDigits(double value, int precision) {
    precision = std::clamp(precision, 0, kMaxPrecision);
    m_negative = value < 0;
    const double magnitude = std::fabs(value);
    if (!std::isfinite(magnitude)) {
        m_finite = false;
        SetInteger(std::isnan(magnitude) ? "nan" : "inf");
        return;
    }
    m_fractionLength = static_cast<std::size_t>(precision);
    if (!RoundScaled(magnitude, precision))
        RoundByOffset(magnitude, precision);
}

// Scales the magnitude to an integer count of the last decimal and rounds
// that, which is exact for halves such as 1.0625 at three decimals. Only
// possible while the scaled value is below 2^52; false otherwise.
bool CFixedDigits::RoundScaled(double magnitude, int precision) {
    if (precision > kLargestExactPower)
        return false;
    const std::uint64_t scale = PowerOfTen(precision);
    const double scaled = magnitude * static_cast<double>(scale);
    if (scaled >= kFirstWholeDouble)
        return false;
    const auto units = static_cast<std::uint64_t>(std::round(scaled));
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, units / scale).ptr;
    SetInteger({digits, static_cast<std::size_t>(end - digits)});
    WriteZeroPadded(units % scale, precision, m_fraction);
    return true;
}

// Adds half a unit of the last decimal and cuts the digits off after it,
// producing the fraction in groups of up to nine digits.
void CFixedDigits::RoundByOffset(double magnitude, int precision) {
    if (magnitude < kFirstWholeDouble)
        magnitude += 0.5 / std::pow(10.0, precision);
    const double integerPart = std::floor(magnitude);
    const auto end = std::to_chars(m_integer, m_integer + kMaxIntegerDigits, integerPart,
                                   std::chars_format::fixed, 0)
                         .ptr;
    m_integerLength = static_cast<std::size_t>(end - m_integer);
    double fraction = magnitude - integerPart;
    for (int written = 0; written < precision;) {
        const int groupDigits = std::min(precision - written, kFractionGroupDigits);
        const std::uint64_t scale = PowerOfTen(groupDigits);
        fraction *= static_cast<double>(scale);
        // Stays below `scale`: a fraction is at least one unit of its
        // magnitude's last place below 1, which the scaling cannot round away.
        const auto group = static_cast<std::uint64_t>(fraction);
        fraction -= static_cast<double>(group);
        WriteZeroPadded(group, groupDigits, m_fraction + written);
        written += groupDigits;
    }
}

void CFixedDigits::SetInteger(std::string_view digits) {
    m_integerLength = std::min(digits.size(), kMaxIntegerDigits);
    std::copy_n(digits.data(), m_integerLength, m_integer);
}

} // namespace NString
