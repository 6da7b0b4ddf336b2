#include "framework/string_functions.h"

#include "framework/utf.h"

#include <cstring>
#include <locale.h>
#include <string_view>
#include <wctype.h>

namespace NString {
namespace {

// ---- Helpers shared by both encodings ----

int EncodedLength(char32_t codePoint, const char*) {
    return EncodedLengthUtf8(codePoint);
}
int EncodedLength(char32_t codePoint, const char16_t*) {
    return EncodedLengthUtf16(codePoint);
}

template <typename Char> const Char* AfterChar(const Char* position) {
    DecodeNext(position);
    return position;
}

// The same step on writable text.
template <typename Char> Char* AfterChar(Char* position) {
    return position + (AfterChar(static_cast<const Char*>(position)) - position);
}

template <typename Char> char32_t CodePointAt(const Char* position) {
    return DecodeNext(position);
}

template <typename Char> const Char* OrEmpty(const Char* text) {
    static constexpr Char kEmpty[1] = {0};
    return text != nullptr ? text : kEmpty;
}

template <typename Char> bool SetContains(const Char* set, char32_t codePoint) {
    if (set == nullptr)
        return false;
    while (*set != 0) {
        if (DecodeNext(set) == codePoint)
            return true;
    }
    return false;
}

template <typename Char> void CopyUnits(Char* destination, const Char* source, int count) {
    std::memmove(destination, source, static_cast<std::size_t>(count) * sizeof(Char));
}

// ---- Lengths and conversion ----

template <typename Char> int UnitLength(const Char* text) {
    return text == nullptr ? 0 : static_cast<int>(std::basic_string_view<Char>(text).size());
}

template <typename Char> int UnitsOfPrefix(const Char* text, int count) {
    if (text == nullptr)
        return 0;
    const Char* position = text;
    for (int i = 0; i < count && *position != 0; ++i)
        DecodeNext(position);
    return static_cast<int>(position - text);
}

template <typename Source, typename Measure>
int MeasureConverted(const Source* text, Measure measure) {
    if (text == nullptr)
        return 0;
    int length = 0;
    while (*text != 0)
        length += measure(DecodeNext(text));
    return length;
}

template <typename Destination, typename Source>
int ConvertText(Destination* destination, const Source* source) {
    if (destination == nullptr)
        return 0;
    Destination* out = destination;
    if (source != nullptr) {
        while (*source != 0)
            out += EncodeChar(DecodeNext(source), out);
    }
    *out = 0;
    return static_cast<int>(out - destination);
}

// ---- Comparison ----

char32_t Unchanged(char32_t codePoint) {
    return codePoint;
}

char32_t LowerCase(char32_t codePoint) {
    // A locale of our own rather than the process locale, which the user's
    // environment or a toolkit may set: results must not vary between runs.
    // C.UTF-8 carries the full Unicode mapping; plain "C" (ASCII only) is the
    // fallback on a C library without it.
    static const locale_t locale = [] {
        locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
        return unicode != locale_t{} ? unicode : newlocale(LC_CTYPE_MASK, "C", locale_t{});
    }();
    if (codePoint < 0x80)
        return codePoint >= 'A' && codePoint <= 'Z' ? codePoint + ('a' - 'A') : codePoint;
    if (locale == locale_t{})
        return codePoint;
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(codePoint), locale));
}

template <typename A, typename B, typename Fold>
int CompareCodePoints(const A* a, const B* b, Fold fold) {
    a = OrEmpty(a);
    b = OrEmpty(b);
    for (;;) {
        const char32_t left = fold(DecodeNext(a));
        const char32_t right = fold(DecodeNext(b));
        if (left != right)
            return static_cast<int>(left) - static_cast<int>(right);
        if (left == 0)
            return 0;
    }
}

template <typename Char> bool BeginsWith(const Char* text, const Char* prefix) {
    if (text == nullptr || prefix == nullptr)
        return false;
    return std::basic_string_view<Char>(text).starts_with(prefix);
}

// ---- Searching ----

template <typename Char>
const Char* FindCodePoint(const Char* text, char32_t codePoint, bool last) {
    if (text == nullptr)
        return nullptr;
    const Char* found = nullptr;
    while (*text != 0) {
        const Char* start = text;
        if (DecodeNext(text) == codePoint) {
            found = start;
            if (!last)
                break;
        }
    }
    return found;
}

template <typename Char> const Char* FindUnits(const Char* text, const Char* needle) {
    if (text == nullptr || needle == nullptr)
        return nullptr;
    const std::basic_string_view<Char> haystack(text);
    const auto at = haystack.find(needle);
    return at == haystack.npos ? nullptr : text + at;
}

// ---- Editing in place ----

template <typename Char> Char* SkipMembers(Char* text, const Char* set) {
    while (*text != 0 && SetContains(set, CodePointAt(text)))
        text = AfterChar(text);
    return text;
}

template <typename Char> int TrimText(Char* text, const Char* set) {
    if (text == nullptr)
        return 0;
    const int removed = static_cast<int>(SkipMembers(text, set) - text);
    CopyUnits(text, text + removed, UnitLength(text) - removed + 1);
    Char* keptEnd = text;
    for (Char* position = text; *position != 0;) {
        const bool member = SetContains(set, CodePointAt(position));
        position = AfterChar(position);
        if (!member)
            keptEnd = position;
    }
    *keptEnd = 0;
    return static_cast<int>(keptEnd - text);
}

// Rewrites `text` character by character: `rewrite` gets each code point with
// its original units and writes its replacement (possibly nothing) at `out`,
// returning how many units it wrote. The text can only shrink.
template <typename Char, typename Rewrite> int RewriteText(Char* text, Rewrite rewrite) {
    if (text == nullptr)
        return 0;
    Char* out = text;
    for (const Char* in = text; *in != 0;) {
        const Char* start = in;
        const char32_t codePoint = DecodeNext(in);
        out += rewrite(codePoint, start, static_cast<int>(in - start), out);
    }
    *out = 0;
    return static_cast<int>(out - text);
}

template <typename Char> int KeepOriginal(const Char* original, int units, Char* out) {
    CopyUnits(out, original, units);
    return units;
}

template <typename Char> int RemoveMembers(Char* text, const Char* set, CharSelection which) {
    const bool removeMembers = which == CharSelection::InSet;
    return RewriteText(text, [&](char32_t codePoint, const Char* original, int units, Char* out) {
        return SetContains(set, codePoint) == removeMembers ? 0
                                                            : KeepOriginal(original, units, out);
    });
}

template <typename Char> void LowerText(Char* text) {
    RewriteText(text, [](char32_t codePoint, const Char* original, int units, Char* out) {
        const char32_t lower = LowerCase(codePoint);
        const int lowerUnits = EncodedLength(lower, out);
        // Unchanged characters keep their exact units, invalid sequences included.
        if (lower == codePoint || lowerUnits == 0 || lowerUnits > units)
            return KeepOriginal(original, units, out);
        return EncodeChar(lower, out);
    });
}

// ---- Numbers ----

template <typename Char> std::int64_t ReadDecimal(const Char* text, const Char** end) {
    const Char* position = text;
    const bool negative = position != nullptr && *position == '-';
    if (negative)
        ++position;
    const Char* digits = position;
    std::uint64_t value = 0;
    while (position != nullptr && *position >= '0' && *position <= '9')
        value = value * 10 + static_cast<std::uint64_t>(*position++ - '0');
    if (end != nullptr)
        *end = position == digits ? text : position;
    return static_cast<std::int64_t>(negative ? 0 - value : value);
}

int HexDigitValue(char digit) {
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

} // namespace

int Length(const char* text) {
    return UnitLength(text);
}
int Length(const char16_t* text) {
    return UnitLength(text);
}

int PrefixLength(const char* text, int count) {
    return UnitsOfPrefix(text, count);
}
int PrefixLength(const char16_t* text, int count) {
    return UnitsOfPrefix(text, count);
}

int Utf16Length(const char* text) {
    return MeasureConverted(text, EncodedLengthUtf16);
}
int Utf8Length(const char16_t* text) {
    return MeasureConverted(text, EncodedLengthUtf8);
}

int Convert(char16_t* destination, const char* source) {
    return ConvertText(destination, source);
}
int Convert(char* destination, const char16_t* source) {
    return ConvertText(destination, source);
}

int Compare(const char* a, const char* b) {
    const auto* left = reinterpret_cast<const unsigned char*>(OrEmpty(a));
    const auto* right = reinterpret_cast<const unsigned char*>(OrEmpty(b));
    while (*left != 0 && *left == *right) {
        ++left;
        ++right;
    }
    return static_cast<int>(*left) - static_cast<int>(*right);
}
int Compare(const char16_t* a, const char16_t* b) {
    return CompareCodePoints(a, b, Unchanged);
}
int Compare(const char* a, const char16_t* b) {
    return CompareCodePoints(a, b, Unchanged);
}
int Compare(const char16_t* a, const char* b) {
    return CompareCodePoints(a, b, Unchanged);
}

int CompareNoCase(const char* a, const char* b) {
    return CompareCodePoints(a, b, LowerCase);
}
int CompareNoCase(const char16_t* a, const char16_t* b) {
    return CompareCodePoints(a, b, LowerCase);
}

bool StartsWith(const char* text, const char* prefix) {
    return BeginsWith(text, prefix);
}
bool StartsWith(const char16_t* text, const char16_t* prefix) {
    return BeginsWith(text, prefix);
}

const char* FindChar(const char* text, char32_t codePoint) {
    return FindCodePoint(text, codePoint, false);
}
const char16_t* FindChar(const char16_t* text, char32_t codePoint) {
    return FindCodePoint(text, codePoint, false);
}
const char* FindLastChar(const char* text, char32_t codePoint) {
    return FindCodePoint(text, codePoint, true);
}
const char16_t* FindLastChar(const char16_t* text, char32_t codePoint) {
    return FindCodePoint(text, codePoint, true);
}

const char* FindText(const char* text, const char* needle) {
    return FindUnits(text, needle);
}
const char16_t* FindText(const char16_t* text, const char16_t* needle) {
    return FindUnits(text, needle);
}

int Trim(char* text, const char* set) {
    return TrimText(text, set);
}
int Trim(char16_t* text, const char16_t* set) {
    return TrimText(text, set);
}

int RemoveChars(char* text, const char* set, CharSelection which) {
    return RemoveMembers(text, set, which);
}
int RemoveChars(char16_t* text, const char16_t* set, CharSelection which) {
    return RemoveMembers(text, set, which);
}

void ToLower(char* text) {
    LowerText(text);
}
void ToLower(char16_t* text) {
    LowerText(text);
}

std::int64_t ParseDecimal(const char* text, const char** end) {
    return ReadDecimal(text, end);
}
std::int64_t ParseDecimal(const char16_t* text, const char16_t** end) {
    return ReadDecimal(text, end);
}

std::uint64_t ParseHex(const char* text, const char** end) {
    const char* position = text;
    if (position != nullptr && position[0] == '0' && position[1] == 'x')
        position += 2;
    const char* digits = position;
    std::uint64_t value = 0;
    for (int digit; position != nullptr && (digit = HexDigitValue(*position)) >= 0; ++position)
        value = value * 16 + static_cast<std::uint64_t>(digit);
    if (end != nullptr)
        *end = position == digits ? text : position;
    return value;
}

} // namespace NString
