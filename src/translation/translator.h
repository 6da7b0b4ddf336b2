#pragma once

#include "framework/str.h"
#include "translation/language_tree.h"

#include <cstdint>

namespace NIO {
class CBase;
}

// The process-wide translator: every user-visible text is looked up here by a
// dotted UTF-8 key such as "Msg.NoOperation". Start-up fills it once with
// Initialise, before any window exists and before any worker thread asks for
// a text; afterwards only ApplyLanguage changes it, on the user-interface
// thread while no job runs. Text takes no lock.
namespace NString::NTranslator {

// Where language files are looked for, below the program's folder.
inline constexpr char16_t kLanguageFolder[] = u"Data/Text";

// Lists the languages of `languageFolder` (null: kLanguageFolder beside the
// executable), then loads the language file compiled in under
// `resourceNumber` (see kBuiltInLanguageResource) with LoadLanguage. Its
// result: 1 on success, 0 when that file is missing or unreadable.
int Initialise(int resourceNumber, bool decode, const char16_t* languageFolder = nullptr);

// The text of `key` in `mode` (kShownText, kBaseText or kOverrideText); see
// CLanguage::Text. The reference stays valid for the life of the process
// unless start-up runs again.
const NString::TStr<char16_t>& Text(const char* key, int mode = 0);

// Empties the texts and loads them from the language document that `stream`
// holds; CLanguage::Load's result.
int LoadLanguage(NIO::CBase& stream, bool decode);

// The languages found by Initialise: the built-in English first.
std::uint32_t LanguageCount();
// The display name of entry `index`; empty past the end.
const NString::TStr<char16_t>& LanguageName(std::uint32_t index);
// The file name of entry `index` (empty for the built-in language), the
// value to hand to ApplyLanguage; empty past the end.
const NString::TStr<char16_t>& LanguageFileName(std::uint32_t index);

// Where the listed language file `fileName` lies; empty for the built-in
// language and for a name the language list does not hold.
NString::TStr<char16_t> LanguagePath(const char16_t* fileName);

// Shows the language of the listed file `fileName` instead of the one shown
// now: empties every override, then lays that file over the built-in texts.
// An empty or null name brings back the built-in English. NResult::kOk;
// kInvalidArgument for a name the language list does not hold; or the failure
// of reading the file, and then the texts stay as they were.
int ApplyLanguage(const char16_t* fileName);

// Turns every backslash followed by the digit zero into a zero unit, in
// place, so that a filter text such as "All Files (*.*)\0*.*\0" becomes a
// list of zero-terminated parts ended by an empty one. Returns `text`.
NString::TStr<char16_t>& UnescapeNul(NString::TStr<char16_t>& text);

// The process-wide tree, for code that walks it (menu translation).
CLanguage& Language();

} // namespace NString::NTranslator
