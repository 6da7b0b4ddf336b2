#include "text/string_functions.h"

#include "text/utf.h"

namespace NString {
namespace {

template <typename Char> int UnitLength(const Char* text) {
    if (text == nullptr)
        return 0;
    const Char* end = text;
    while (*end != 0)
        ++end;
    return static_cast<int>(end - text);
}

template <typename Char> int CountCharacters(const Char* text) {
    if (text == nullptr)
        return 0;
    int count = 0;
    while (*text != 0) {
        DecodeNext(text);
        ++count;
    }
    return count;
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

} // namespace

int Length(const char* text) {
    return UnitLength(text);
}
int Length(const char16_t* text) {
    return UnitLength(text);
}

int CharLength(const char* text) {
    return CountCharacters(text);
}
int CharLength(const char16_t* text) {
    return CountCharacters(text);
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

} // namespace NString
