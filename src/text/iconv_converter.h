#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace NString {

// One conversion of the C library's iconv, open for as long as the object
// lives.
class CIconvConverter {
public:
    // From the character set `from` to `to`, both by the C library's names.
    CIconvConverter(const char* to, const char* from);
    ~CIconvConverter();
    CIconvConverter(const CIconvConverter&) = delete;
    CIconvConverter& operator=(const CIconvConverter&) = delete;

    // Whether the C library knows both character sets.
    bool IsOpen() const;

    // Converts `input` from the initial shift state and appends the result
    // to `output`, ending in the initial state again. It stops before the
    // first sequence that cannot be converted (undefined in the source set,
    // unrepresentable in the target set, or cut off at the end) and returns
    // how many bytes of `input` it converted: input.size() when all.
    std::size_t Convert(std::string_view input, std::string& output);

private:
    // iconv_t, kept opaque so that users need not include <iconv.h>.
    void* m_descriptor;
};

} // namespace NString
