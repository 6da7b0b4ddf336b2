#include "services/registry.h"

#include <cstring>
#include <optional>

namespace NSettings {

namespace {

// Splits at the last backslash; nothing when there is none.
std::optional<SValuePath> SplitPath(const char16_t* path) {
    if (path == nullptr)
        return std::nullopt;
    const std::u16string_view whole(path);
    const std::size_t separator = whole.rfind(u'\\');
    if (separator == std::u16string_view::npos)
        return std::nullopt;
    return SValuePath{whole.substr(0, separator), whole.substr(separator + 1)};
}

// Reads the value at `path` when it holds a `T`. NResult::kOk,
// kKeyNotOpened, or kValueUnreadable (missing or of another type).
template <typename T> int ReadTyped(const char16_t* path, T& out) {
    const std::optional<SValuePath> split = SplitPath(path);
    if (!split)
        return kKeyNotOpened;
    CStoredValue stored;
    const int result = CurrentBackend().Read(*split, stored);
    if (result != NResult::kOk)
        return result;
    T* typed = std::get_if<T>(&stored);
    if (typed == nullptr)
        return kValueUnreadable;
    out = std::move(*typed);
    return NResult::kOk;
}

int WriteValue(const char16_t* path, const CStoredValue& value) {
    const std::optional<SValuePath> split = SplitPath(path);
    if (!split)
        return kKeyNotOpened;
    return CurrentBackend().Write(*split, value);
}

} // namespace

std::uint32_t ReadDword(const char16_t* path, std::uint32_t defaultValue) {
    std::uint32_t value = 0;
    return ReadTyped(path, value) == NResult::kOk ? value : defaultValue;
}

int ReadString(const char16_t* path, std::u16string& text) {
    return ReadTyped(path, text);
}

int ReadBinary(const char16_t* path, void* buffer, std::size_t capacity, std::size_t* length) {
    if (buffer == nullptr)
        capacity = 0;
    CBytes bytes;
    const int result = ReadTyped(path, bytes);
    if (result == kKeyNotOpened)
        return kKeyNotOpened;
    if (result != NResult::kOk || bytes.size() > capacity)
        return kStoreFailed;
    if (!bytes.empty())
        std::memcpy(buffer, bytes.data(), bytes.size());
    if (length != nullptr)
        *length = bytes.size();
    return NResult::kOk;
}

int WriteDword(const char16_t* path, std::uint32_t value) {
    return WriteValue(path, value);
}

int WriteString(const char16_t* path, const char16_t* text) {
    return WriteValue(path, std::u16string(text != nullptr ? text : u""));
}

int WriteBinary(const char16_t* path, const void* bytes, std::size_t length) {
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    return WriteValue(path, length == 0 ? CBytes() : CBytes(first, first + length));
}

int DeleteKey(const char16_t* path) {
    const std::optional<SValuePath> split = SplitPath(path);
    if (!split)
        return kKeyNotOpened;
    // The parent is opened and its last component removed: that is the
    // whole path taken as one subkey.
    return CurrentBackend().DeleteKey(std::u16string_view(path));
}

} // namespace NSettings
