#pragma once

#include <cstddef>
#include <span>

// The built-in language file, compiled into the core at build time from
// data/lang/English.xml. The array holds one zero byte beyond the size.
extern const unsigned char kEnglishLanguageFile[];
extern const std::size_t kEnglishLanguageFileSize;

namespace NString::NTranslator {

// The number under which start-up asks for the built-in language file.
constexpr int kBuiltInLanguageResource = 131;

// The bytes of the language file compiled in under `resourceNumber`; empty
// for a number that names none.
inline std::span<const unsigned char> EmbeddedLanguageFile(int resourceNumber) {
    if (resourceNumber != kBuiltInLanguageResource)
        return {};
    return {kEnglishLanguageFile, kEnglishLanguageFileSize};
}

} // namespace NString::NTranslator
