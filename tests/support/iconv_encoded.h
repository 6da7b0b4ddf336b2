#pragma once

#include <iconv.h>
#include <string>
#include <string_view>

namespace TestSupport {

// `utf8` in the character set `name`, written by the C library's iconv
// itself, so that test files do not come from the code under test; empty
// when iconv cannot write it.
inline std::string IconvEncoded(const char* name, std::string_view utf8) {
    const iconv_t descriptor = iconv_open(name, "UTF-8");
    if (descriptor == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string bytes(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* out = bytes.data();
    std::size_t outLeft = bytes.size();
    const bool converted = iconv(descriptor, &in, &inLeft, &out, &outLeft) != std::size_t(-1) &&
                           iconv(descriptor, nullptr, nullptr, &out, &outLeft) != std::size_t(-1);
    iconv_close(descriptor);
    if (!converted)
        return {};
    bytes.resize(bytes.size() - outLeft);
    return bytes;
}

} // namespace TestSupport
