#include "formats/spec_values.h"

#include "framework/string_functions.h"
#include "framework/utf.h"
#include "xml/element.h"

#include <cstring>
#include <string>

namespace {

struct SNamedReference {
    const char* name; // between "&" and ";"
    char character;
};

constexpr SNamedReference kNamedReferences[] = {
    {"apos", '\''}, {"quot", '"'}, {"lt", '<'}, {"gt", '>'}, {"amp", '&'},
};

// The code point of a numeric reference body ("#65" or "#x41"), or 0 when the
// body is not one or names no character that can be written.
char32_t NumericReference(const char* body, const char* end) {
    if (end - body < 2 || body[0] != '#')
        return 0;
    const bool hex = body[1] == 'x';
    const char* digits = body + (hex ? 2 : 1);
    if (digits == end || end - digits > 8)
        return 0;
    const char* stop = nullptr;
    const std::uint64_t value =
        hex ? NString::ParseHex(digits, &stop)
            : static_cast<std::uint64_t>(NString::ParseDecimal(digits, &stop));
    if (stop != end || *digits == '-' || value == 0 || value > NString::kLastCodePoint ||
        NString::IsSurrogate(static_cast<char32_t>(value)))
        return 0;
    return static_cast<char32_t>(value);
}

// Writes the character `reference` (from "&" up to ";") stands for into `out`
// and returns its length in bytes, or 0 when it is no reference we know.
int DecodeReference(const char* reference, const char* semicolon, char* out) {
    const char* body = reference + 1;
    const auto length = static_cast<std::size_t>(semicolon - body);
    for (const SNamedReference& named : kNamedReferences) {
        if (std::strlen(named.name) == length && std::memcmp(named.name, body, length) == 0) {
            out[0] = named.character;
            return 1;
        }
    }
    const char32_t codePoint = NumericReference(body, semicolon);
    return codePoint != 0 ? NString::EncodeChar(codePoint, out) : 0;
}

} // namespace

NString::TStr<char> UnescapeValue(const char* text) {
    std::string result;
    for (const char* position = text; *position != 0; ++position) {
        const char* semicolon = *position == '&' ? NString::FindChar(position, U';') : nullptr;
        char decoded[4];
        const int length = semicolon != nullptr ? DecodeReference(position, semicolon, decoded) : 0;
        if (length == 0) {
            result += *position;
            continue;
        }
        result.append(decoded, static_cast<std::size_t>(length));
        position = semicolon;
    }
    return NString::TStr<char>(result.c_str());
}

NString::TStr<char> SpecAttributeValue(const NXML::CElement& element, const char* name) {
    return UnescapeValue(element.AttributeValue(name));
}

void AppendCommaList(const char* text, NString::TStrArray<NString::TStr<char>>& list,
                     std::uint32_t limit, ESpaces spaces) {
    const char* part = text;
    while (list.Count() < limit && *part != 0) {
        const char* comma = NString::FindChar(part, U',');
        std::string item(part, comma != nullptr ? comma : part + std::strlen(part));
        if (spaces == ESpaces::Trim)
            item.resize(static_cast<std::size_t>(NString::Trim(item.data(), " \t")));
        if (!item.empty())
            list.AddCopy(item.c_str());
        if (comma == nullptr)
            break;
        part = comma + 1;
    }
}

NString::TStr<char> LowerCase(const char* text) {
    NString::TStr<char16_t> wide(text);
    NString::ToLower(wide.Text());
    return NString::TStr<char>(wide.Text());
}
