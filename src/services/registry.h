#pragma once

#include "framework/result.h"
#include "framework/str.h"
#include "services/settings_backend.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

// Typed access to single settings of the current backend. Every function
// takes the whole path of a value, for example
// u"Software\\Velden\\Quillmere\\Fonts\\XML\\Size": what stands before the
// last backslash is the subkey, what follows it the value name. A path
// without a backslash (or null) names nothing: reads give their default or
// kKeyNotOpened, writes fail with kKeyNotOpened.
//
// A value stored with another type than the one asked for reads like a
// missing value.
namespace NSettings {

// The stored word, or `defaultValue` when the value cannot be read.
std::uint32_t ReadDword(const char16_t* path, std::uint32_t defaultValue);

// NResult::kOk with `text` set; kKeyNotOpened; kValueUnreadable. `text` is
// unchanged on failure.
int ReadString(const char16_t* path, std::u16string& text);

// As above; NResult::kCannotGrow when `text` cannot be sized to the stored
// length (it is then empty). Text after an embedded zero is not kept.
template <typename T, int N> int ReadString(const char16_t* path, NString::TStr<T, N>& text) {
    static_assert(std::is_same_v<T, char16_t>, "settings strings are UTF-16");
    std::u16string stored;
    const int result = ReadString(path, stored);
    if (result != NResult::kOk)
        return result;
    return text.Assign(stored.c_str()) != 0 ? NResult::kOk : NResult::kCannotGrow;
}

// Copies the stored bytes into `buffer` when there are no more than
// `capacity` of them. NResult::kOk (with the count in `length` when given),
// kStoreFailed when the value is missing, of another type or too long, or
// kKeyNotOpened.
int ReadBinary(const char16_t* path, void* buffer, std::size_t capacity,
               std::size_t* length = nullptr);

// Each returns NResult::kOk, kStoreFailed, or kKeyNotOpened. A null text is empty.
int WriteDword(const char16_t* path, std::uint32_t value);
int WriteString(const char16_t* path, const char16_t* text);
int WriteBinary(const char16_t* path, const void* bytes, std::size_t length);

// Deletes the subkey named by the last component of `path` together with
// everything below it, e.g. u"Software\\Velden\\Quillmere\\Recent\\List".
// NResult::kOk (also when it did not exist), kStoreFailed, or kKeyNotOpened
// when `path` has no parent (an empty path deletes nothing).
int DeleteKey(const char16_t* path);

} // namespace NSettings
