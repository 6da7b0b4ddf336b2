#include "merge/markup_escape.h"

#include <cctype>

namespace {

bool IsNameByte(unsigned char byte, bool first) {
    if (std::isalpha(byte) != 0 || byte == '_' || byte == ':' || byte >= 0x80)
        return true;
    return !first && (std::isdigit(byte) != 0 || byte == '-' || byte == '.');
}

// Whether `rest` (the text after an "&") starts with the rest of an entity or
// character reference: a name, "#" and digits or "#x" and hex digits, then ";".
bool StartsReference(std::string_view rest) {
    std::size_t length = 0;
    if (rest.starts_with("#x")) {
        for (length = 2;
             length < rest.size() && std::isxdigit(static_cast<unsigned char>(rest[length])) != 0;)
            ++length;
        return length > 2 && length < rest.size() && rest[length] == ';';
    }
    if (rest.starts_with('#')) {
        for (length = 1;
             length < rest.size() && std::isdigit(static_cast<unsigned char>(rest[length])) != 0;)
            ++length;
        return length > 1 && length < rest.size() && rest[length] == ';';
    }
    while (length < rest.size() &&
           IsNameByte(static_cast<unsigned char>(rest[length]), length == 0))
        ++length;
    return length > 0 && length < rest.size() && rest[length] == ';';
}

} // namespace

std::string EscapeMarkup(std::string_view text, char quote) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<')
            escaped += "&lt;";
        else if (c == '&' && !StartsReference(text.substr(i + 1)))
            escaped += "&amp;";
        else if (c != 0 && c == quote)
            escaped += c == '"' ? "&quot;" : "&apos;";
        else
            escaped += c;
    }
    return escaped;
}
