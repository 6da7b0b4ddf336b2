#pragma once

#include "framework/str.h"

// The user asked for a language that cannot be shown; the texts stay as they
// were, and the user needs to know which file failed and why.

// The message for the language file `fileName` that the translator refused
// with `result` (a failure of ApplyLanguage): the file, with its folder when
// it is listed, and the reason in words.
NString::TStr<char16_t> LanguageFailureText(const char16_t* fileName, int result);

// Shows that message as an error through the prompts, owned by `owner`.
void ReportUnshownLanguage(const char16_t* fileName, int result, void* owner);
