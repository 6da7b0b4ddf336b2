#include "text/format.h"

#include "framework/string_functions.h"
#include "framework/utf.h"
#include "text/format_placeholder.h"
#include "text/format_sink.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace NString {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// An integer placeholder's value, ready to be written as digits.
struct SNumber {
    bool negative = false;
    std::uint64_t magnitude = 0;
    unsigned base = 10;
};

// Digits of `number` at the end of `buffer`, least significant first.
std::string_view DigitsOf(const SNumber& number, std::span<char, 64> buffer) {
    char* end = buffer.data() + buffer.size();
    char* first = end;
    std::uint64_t rest = number.magnitude;
    do {
        *--first = kDigits[rest % number.base];
        rest /= number.base;
    } while (rest != 0);
    return {first, static_cast<std::size_t>(end - first)};
}

SNumber Signed(std::int64_t value) {
    const bool negative = value < 0;
    // Negating in unsigned arithmetic keeps the smallest value exact.
    const auto magnitude = static_cast<std::uint64_t>(value);
    return {negative, negative ? 0 - magnitude : magnitude};
}

// The number an integer type makes of its argument, or nothing when the
// argument does not fit the type.
std::optional<SNumber> NumberFor(char32_t type, const CFormatArg& arg) {
    switch (type) {
    case U'd':
        if (!arg.Is32BitInteger())
            return std::nullopt;
        return Signed(static_cast<std::int32_t>(arg.Bits32()));
    case U'l':
        if (!arg.IsInteger())
            return std::nullopt;
        if (arg.IsSigned())
            return Signed(static_cast<std::int64_t>(arg.Bits64()));
        return SNumber{false, arg.Bits64()};
    case U'u':
    case U'x':
        if (!arg.Is32BitInteger())
            return std::nullopt;
        return SNumber{false, arg.Bits32(), type == U'u' ? 10u : 16u};
    default:
        return std::nullopt;
    }
}

template <typename T> const T* FindUnitOrEnd(const T* position, char32_t unit) {
    while (*position != 0 && static_cast<char32_t>(*position) != unit)
        ++position;
    return position;
}

template <typename T> bool StartsWithAppendMarker(const T* format) {
    return format != nullptr && format[0] == T('{') && format[1] == T('+') && format[2] == T('}');
}

// The formatting core, once for both output encodings and every sink.
template <typename Sink> class TFormatter {
    using T = typename Sink::CharType;
    using OtherT = std::conditional_t<std::is_same_v<T, char>, char16_t, char>;

public:
    TFormatter(Sink& sink, std::span<const CFormatArg> args) : m_sink(sink), m_args(args) {}

    void Run(const T* format) {
        if (format == nullptr)
            return;
        if (StartsWithAppendMarker(format)) {
            m_sink.SkipExistingText();
            format += 3;
        }
        while (*format != 0) {
            const T* literalEnd = FindUnitOrEnd(format, U'{');
            m_sink.Put(format, static_cast<std::size_t>(literalEnd - format));
            format = literalEnd;
            if (*format == 0)
                return;
            if (format[1] == T('{')) {
                m_sink.Put(format, 1);
                format += 2;
                continue;
            }
            const T* close = FindUnitOrEnd(format + 1, U'}');
            if (*close == 0)
                return;
            if (const auto placeholder = ReadPlaceholder(format + 1, close))
                WriteField(*placeholder);
            format = close + 1;
        }
    }

private:
    void WriteField(const SPlaceholder& placeholder) {
        if (static_cast<std::size_t>(placeholder.index) >= m_args.size())
            return;
        const CFormatArg& arg = m_args[static_cast<std::size_t>(placeholder.index)];
        switch (placeholder.type) {
        case U's':
            if (arg.IsText())
                WriteText(placeholder, arg);
            return;
        case U'c':
            if (arg.Is32BitInteger())
                WriteCharacter(placeholder, arg.Bits32());
            return;
        default:
            if (const auto number = NumberFor(placeholder.type, arg))
                WriteInteger(placeholder, *number);
            return;
        }
    }

    void WriteText(const SPlaceholder& placeholder, const CFormatArg& arg) {
        if (arg.Kind() == CFormatArg::EKind::kUtf8Text)
            WriteText(placeholder, arg.Utf8Text());
        else
            WriteText(placeholder, arg.Utf16Text());
    }

    void WriteText(const SPlaceholder& placeholder, const T* text) {
        const auto length = static_cast<std::size_t>(Length(text));
        WritePadded(placeholder, length, [&] { m_sink.Put(text, length); });
    }

    // Text in the other encoding, converted character by character as it is written.
    void WriteText(const SPlaceholder& placeholder, const OtherT* text) {
        const auto length = static_cast<std::size_t>(ConvertedLength(text));
        WritePadded(placeholder, length, [&] {
            for (const OtherT* position = text; position != nullptr && *position != 0;)
                PutCodePoint(DecodeNext(position));
        });
    }

    static int ConvertedLength(const char16_t* text) { return Utf8Length(text); }
    static int ConvertedLength(const char* text) { return Utf16Length(text); }

    // "c" takes a code point; 0, which is no character of the text, and what
    // cannot be encoded write nothing.
    void WriteCharacter(const SPlaceholder& placeholder, char32_t codePoint) {
        T units[4];
        const auto length = codePoint == 0 ? std::size_t{0}
                                           : static_cast<std::size_t>(EncodeChar(codePoint, units));
        WritePadded(placeholder, length, [&] { m_sink.Put(units, length); });
    }

    void WriteInteger(const SPlaceholder& placeholder, const SNumber& number) {
        char buffer[64];
        WriteNumber(placeholder, number.negative, DigitsOf(number, buffer));
    }

    void WriteNumber(const SPlaceholder& placeholder, bool negative, std::string_view digits) {
        const std::string_view sign = negative ? "-" : "";
        if (placeholder.zeroPadded) {
            const auto width = static_cast<std::size_t>(placeholder.width);
            PutAscii(sign);
            m_sink.PutRepeated(T('0'), width > digits.size() ? width - digits.size() : 0);
            PutAscii(digits);
            return;
        }
        WritePadded(placeholder, sign.size() + digits.size(), [&] {
            PutAscii(sign);
            PutAscii(digits);
        });
    }

    // Writes a field of `length` units with `writeBody`, padded with spaces to the width.
    template <typename WriteBody>
    void WritePadded(const SPlaceholder& placeholder, std::size_t length, WriteBody writeBody) {
        const auto width = static_cast<std::size_t>(placeholder.width);
        const std::size_t padding = width > length ? width - length : 0;
        if (placeholder.rightAligned)
            m_sink.PutRepeated(T(' '), padding);
        writeBody();
        if (!placeholder.rightAligned)
            m_sink.PutRepeated(T(' '), padding);
    }

    void PutCodePoint(char32_t codePoint) {
        T units[4];
        m_sink.Put(units, static_cast<std::size_t>(EncodeChar(codePoint, units)));
    }

    void PutAscii(std::string_view text) {
        if constexpr (std::is_same_v<T, char>) {
            m_sink.Put(text.data(), text.size());
        } else {
            for (const char character : text) {
                const auto unit = static_cast<T>(character);
                m_sink.Put(&unit, 1);
            }
        }
    }

    Sink& m_sink;
    std::span<const CFormatArg> m_args;
};

template <typename T>
std::size_t FormatIntoBuffer(T* buffer, std::size_t capacity, const T* format,
                             std::span<const CFormatArg> args) {
    if (buffer == nullptr || capacity == 0)
        return 0;
    TBufferSink<T> sink(buffer, capacity);
    TFormatter(sink, args).Run(format);
    return sink.Finish();
}

template <typename T>
std::size_t MeasureFormatted(const T* format, std::span<const CFormatArg> args) {
    TCountingSink<T> sink;
    TFormatter(sink, args).Run(format);
    return sink.Length();
}

} // namespace

bool AppendsToExistingText(const char* format) {
    return StartsWithAppendMarker(format);
}
bool AppendsToExistingText(const char16_t* format) {
    return StartsWithAppendMarker(format);
}

std::size_t FormatList(char* buffer, std::size_t capacity, const char* format,
                       std::span<const CFormatArg> args) {
    return FormatIntoBuffer(buffer, capacity, format, args);
}
std::size_t FormatList(char16_t* buffer, std::size_t capacity, const char16_t* format,
                       std::span<const CFormatArg> args) {
    return FormatIntoBuffer(buffer, capacity, format, args);
}

std::size_t FormattedLength(const char* format, std::span<const CFormatArg> args) {
    return MeasureFormatted(format, args);
}
std::size_t FormattedLength(const char16_t* format, std::span<const CFormatArg> args) {
    return MeasureFormatted(format, args);
}

bool AnyTextWithin(std::span<const CFormatArg> args, const void* begin, const void* end) {
    const std::less<const void*> before;
    for (const CFormatArg& arg : args) {
        if (!arg.IsText())
            continue;
        const void* text = arg.Kind() == CFormatArg::EKind::kUtf8Text
                               ? static_cast<const void*>(arg.Utf8Text())
                               : static_cast<const void*>(arg.Utf16Text());
        if (text != nullptr && !before(text, begin) && before(text, end))
            return true;
    }
    return false;
}

} // namespace NString
