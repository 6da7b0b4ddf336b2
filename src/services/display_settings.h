#pragma once

#include "framework/str.h"

#include <cstdint>

// The stored look of the program: the document font and the placement of the
// main window.
namespace NSettings {

struct SXmlFont {
    NString::TStr<char16_t, 32> name;
    std::uint32_t size;  // points
    std::uint32_t style; // kFontStyleBold, kFontStyleItalic
};

// The stored document font; every part that cannot be read has its default.
SXmlFont ReadXmlFont();
// NResult::kOk, or the first failure of the store (all parts are still written).
int WriteXmlFont(const SXmlFont& font);

// Screen coordinates of the main window while it is neither maximised nor
// minimised.
struct SWindowPos {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
};

// True with `pos` set when a placement of exactly the stored size is kept;
// otherwise `pos` is unchanged and the window system places the window.
bool ReadWindowPos(SWindowPos& pos);
int WriteWindowPos(const SWindowPos& pos);

} // namespace NSettings
