#pragma once

#include "framework/str.h"

#include <concepts>
#include <cstddef>
#include <cstdint>

namespace NString {

// One argument of `Format`: a value that knows its own type, built implicitly
// from whatever the caller passes. Text and string arguments are kept by
// pointer, so an argument must not outlive the value it was built from (a
// `Format` call's arguments live until the call returns).
class CFormatArg {
public:
    enum class EKind : std::uint8_t {
        kInt32,
        kUInt32,
        kInt64,
        kUInt64,
        kUtf8Text,
        kUtf16Text,
    };

    // Every integer type, classified by its size and signedness, so that
    // `long`, `size_t` and character types convert without ambiguity.
    template <std::integral Integer> CFormatArg(Integer value) : m_kind(IntegerKind<Integer>()) {
        if constexpr (std::signed_integral<Integer>)
            m_integer = static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
        else
            m_integer = value;
    }
    CFormatArg(const char* text) : m_kind(EKind::kUtf8Text), m_utf8(text) {}
    CFormatArg(const char16_t* text) : m_kind(EKind::kUtf16Text), m_utf16(text) {}
    template <int N> CFormatArg(const TStr<char, N>& text) : CFormatArg(text.Text()) {}
    template <int N> CFormatArg(const TStr<char16_t, N>& text) : CFormatArg(text.Text()) {}

    EKind Kind() const { return m_kind; }
    bool Is32BitInteger() const { return m_kind == EKind::kInt32 || m_kind == EKind::kUInt32; }
    bool IsInteger() const { return m_kind <= EKind::kUInt64; }
    bool IsText() const { return m_kind == EKind::kUtf8Text || m_kind == EKind::kUtf16Text; }

    // The low 32 bits of an integer argument.
    std::uint32_t Bits32() const { return static_cast<std::uint32_t>(m_integer); }
    // An integer argument widened to 64 bits by its own signedness.
    std::uint64_t Bits64() const { return m_integer; }
    bool IsSigned() const { return m_kind == EKind::kInt32 || m_kind == EKind::kInt64; }

    const char* Utf8Text() const { return m_utf8; }
    const char16_t* Utf16Text() const { return m_utf16; }

private:
    template <typename Integer> static constexpr EKind IntegerKind() {
        static_assert(sizeof(Integer) <= 8, "integer arguments are at most 64 bits wide");
        if constexpr (sizeof(Integer) <= 4)
            return std::signed_integral<Integer> ? EKind::kInt32 : EKind::kUInt32;
        else
            return std::signed_integral<Integer> ? EKind::kInt64 : EKind::kUInt64;
    }

    EKind m_kind;
    union {
        std::uint64_t m_integer;
        const char* m_utf8;
        const char16_t* m_utf16;
    };
};

} // namespace NString
