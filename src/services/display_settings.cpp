#include "services/display_settings.h"

#include "services/registry.h"
#include "services/settings_paths.h"

#include <array>
#include <cstddef>
#include <initializer_list>

namespace NSettings {

namespace {

// Left, top, width, height.
static_assert(4 * sizeof(std::int32_t) == kWindowPosSize);

using CWindowPosBytes = std::array<std::uint8_t, kWindowPosSize>;

// Little-endian whatever the machine, so that the stored bytes mean the same
// everywhere.
void PutInt32(std::uint8_t* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t byte = 0; byte < sizeof(bits); ++byte)
        out[byte] = static_cast<std::uint8_t>(bits >> (8 * byte));
}

std::int32_t GetInt32(const std::uint8_t* in) {
    std::uint32_t bits = 0;
    for (std::size_t byte = 0; byte < sizeof(bits); ++byte)
        bits |= static_cast<std::uint32_t>(in[byte]) << (8 * byte);
    return static_cast<std::int32_t>(bits);
}

int FirstFailure(std::initializer_list<int> results) {
    for (const int result : results) {
        if (result != NResult::kOk)
            return result;
    }
    return NResult::kOk;
}

} // namespace

SXmlFont ReadXmlFont() {
    SXmlFont font{};
    if (ReadString(kXmlFontNamePath, font.name) != NResult::kOk)
        font.name = kDefaultXmlFontName;
    font.size = ReadDword(kXmlFontSizePath, kDefaultXmlFontSize);
    font.style = ReadDword(kXmlFontStylePath, kDefaultXmlFontStyle);
    return font;
}

int WriteXmlFont(const SXmlFont& font) {
    return FirstFailure({WriteString(kXmlFontNamePath, font.name.Text()),
                         WriteDword(kXmlFontSizePath, font.size),
                         WriteDword(kXmlFontStylePath, font.style)});
}

bool ReadWindowPos(SWindowPos& pos) {
    CWindowPosBytes bytes{};
    std::size_t length = 0;
    // A shorter value would leave part of the placement unset.
    if (ReadBinary(kWindowPosPath, bytes.data(), bytes.size(), &length) != NResult::kOk ||
        length != bytes.size())
        return false;
    pos.left = GetInt32(&bytes[0]);
    pos.top = GetInt32(&bytes[4]);
    pos.width = GetInt32(&bytes[8]);
    pos.height = GetInt32(&bytes[12]);
    return true;
}

int WriteWindowPos(const SWindowPos& pos) {
    CWindowPosBytes bytes{};
    PutInt32(&bytes[0], pos.left);
    PutInt32(&bytes[4], pos.top);
    PutInt32(&bytes[8], pos.width);
    PutInt32(&bytes[12], pos.height);
    return WriteBinary(kWindowPosPath, bytes.data(), bytes.size());
}

} // namespace NSettings
