#pragma once

// The user's choice of language, kept in the settings store so that the next
// run shows the same language. Both run on the user-interface thread after
// the translator has been initialised.
namespace NString::NTranslator {

// Applies the listed language file `fileName` (empty or null: the built-in
// English) and, when that succeeded, remembers it. ApplyLanguage's failure,
// else the settings store's result (on a store failure the language is
// shown all the same, but the next run will not know it).
int ChooseLanguage(const char16_t* fileName);

// Applies the remembered language. NResult::kOk when it was applied or none
// is remembered; otherwise ApplyLanguage's failure (the language file has
// gone, for instance), and the built-in texts stay.
int ApplyRememberedLanguage();

} // namespace NString::NTranslator
