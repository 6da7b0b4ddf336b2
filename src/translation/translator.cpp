#include "translation/translator.h"

#include "framework/buffer.h"
#include "framework/program_folder.h"
#include "framework/result.h"
#include "translation/embedded_language.h"
#include "translation/language_list.h"
#include "translation/text_references.h"

namespace NString::NTranslator {

namespace {

// Everything the translator keeps for the process, in one place.
struct STranslatorState {
    CLanguage language;
    CLanguageList languages;
    bool decode = true;
};

STranslatorState& State() {
    static STranslatorState state;
    return state;
}

TStr<char16_t> DefaultLanguageFolder() {
    TStr<char16_t> folder = NIO::ProgramFolder();
    // Without the program's folder a relative path would depend on the
    // current directory, so no folder is searched then.
    if (!folder.IsEmpty())
        folder.Append(kLanguageFolder);
    return folder;
}

} // namespace

int Initialise(int resourceNumber, bool decode, const char16_t* languageFolder) {
    STranslatorState& state = State();
    state.decode = decode;
    if (languageFolder != nullptr)
        state.languages.Scan(languageFolder);
    else
        state.languages.Scan(DefaultLanguageFolder().Text());

    const std::span<const unsigned char> file = EmbeddedLanguageFile(resourceNumber);
    if (file.empty()) {
        state.language.Clear();
        return 0;
    }
    NIO::TBuffer<0> stream;
    stream.Borrow(file.data(), file.size());
    return LoadLanguage(stream, decode);
}

const TStr<char16_t>& Text(const char* key, int mode) {
    return State().language.Text(key, mode);
}

int LoadLanguage(NIO::CBase& stream, bool decode) {
    return State().language.Load(stream, decode);
}

std::uint32_t LanguageCount() {
    return State().languages.Count();
}

const TStr<char16_t>& LanguageName(std::uint32_t index) {
    return State().languages.At(index).displayName;
}

const TStr<char16_t>& LanguageFileName(std::uint32_t index) {
    return State().languages.At(index).fileName;
}

TStr<char16_t> LanguagePath(const char16_t* fileName) {
    const CLanguageList& languages = State().languages;
    const int index = languages.IndexOf(fileName);
    return index < 0 ? TStr<char16_t>() : languages.PathOf(static_cast<std::uint32_t>(index));
}

int ApplyLanguage(const char16_t* fileName) {
    STranslatorState& state = State();
    if (state.languages.IndexOf(fileName) < 0)
        return NResult::kInvalidArgument;
    const TStr<char16_t> path = LanguagePath(fileName);
    if (path.IsEmpty()) {
        state.language.ClearOverrides();
        return NResult::kOk;
    }
    return state.language.OverlayFile(path.Text(), state.decode);
}

TStr<char16_t>& UnescapeNul(TStr<char16_t>& text) {
    ReplaceAll(text, u"\\0", 0);
    return text;
}

CLanguage& Language() {
    return State().language;
}

} // namespace NString::NTranslator
