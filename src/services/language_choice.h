#pragma once

// The user's choice of language, kept in the settings store so that the next
// run shows the same language. Both run on the user-interface thread after
// the translator has been initialised.
namespace NString::NTranslator {

// Remembers the listed language file `fileName` (empty or null: the built-in
// English) for the next run; call it once that language is shown. The
// settings store's result.
int RememberLanguage(const char16_t* fileName);

// Applies the remembered language. NResult::kOk when it was applied or none
// is remembered; otherwise ApplyLanguage's failure (the language file has
// gone, for instance), and the built-in texts stay.
int ApplyRememberedLanguage();

} // namespace NString::NTranslator
