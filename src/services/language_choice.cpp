#include "services/language_choice.h"

#include "framework/result.h"
#include "services/registry.h"
#include "services/settings_paths.h"
#include "translation/translator.h"

#include <string>

namespace NString::NTranslator {

int RememberLanguage(const char16_t* fileName) {
    return NSettings::WriteString(NSettings::kLanguagePath, fileName);
}

int ApplyRememberedLanguage() {
    std::u16string fileName;
    if (NSettings::ReadString(NSettings::kLanguagePath, fileName) != NResult::kOk ||
        fileName.empty())
        return NResult::kOk;
    return ApplyLanguage(fileName.c_str());
}

} // namespace NString::NTranslator
