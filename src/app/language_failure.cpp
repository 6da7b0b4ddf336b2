#include "app/language_failure.h"

#include "framework/file_functions.h"
#include "framework/result.h"
#include "services/prompts.h"
#include "text/format.h"
#include "translation/translator.h"

namespace {

using NString::NTranslator::Text;
using CText = NString::TStr<char16_t>;

CText Reason(const char16_t* path, int result) {
    switch (result) {
    case NResult::kInvalidArgument:
        return CText(Text("Msg.LanguageNotListed"));
    case NResult::kNoMemory:
        return CText(Text("Msg.LanguageNoMemory"));
    case NResult::kCannotOpen:
        // The system's own words say more than "cannot be opened" (missing,
        // not permitted, a folder...).
        if (const int error = NIO::ReadFailureReason(path); error != 0)
            return CText(NIO::SystemErrorText(error).Text());
        return CText(Text("Msg.LanguageCannotOpen"));
    default:
        return CText(Text("Msg.LanguageNotLanguage"));
    }
}

} // namespace

CText LanguageFailureText(const char16_t* fileName, int result) {
    CText path = NString::NTranslator::LanguagePath(fileName);
    if (path.IsEmpty())
        path.Assign(fileName != nullptr ? fileName : u"");
    CText text;
    NString::Format(text, Text("Msg.LanguageNotShown").Text(), path.Text(),
                    Reason(path.Text(), result).Text());
    return text;
}

void ReportUnshownLanguage(const char16_t* fileName, int result, void* owner) {
    NPrompts::CurrentPrompts().ShowMessage(owner, LanguageFailureText(fileName, result).Text(),
                                           Text("Misc.AppName").Text(), NPrompts::EIcon::Error,
                                           NPrompts::EButtons::Ok);
}
