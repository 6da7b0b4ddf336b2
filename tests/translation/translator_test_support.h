#pragma once

#include "framework/buffer.h"
#include "translation/embedded_language.h"
#include "translation/language_tree.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

// Shared by the translator's tests: language documents from strings, the
// built-in language, and folders of language files.
namespace NTranslatorTest {

inline std::filesystem::path RepositoryRoot() {
    // The test data folder is tests/data in the repository.
    return std::filesystem::path(QUILLMERE_TEST_DATA_DIR).parent_path().parent_path();
}

inline int LoadXml(NString::NTranslator::CLanguage& language, std::string_view xml,
                   bool decode = true) {
    NIO::TBuffer<0> stream;
    stream.Borrow(xml.data(), xml.size());
    return language.Load(stream, decode);
}

// A language document with the given groups inside its "Language" element.
inline std::string LanguageXml(std::string_view groups) {
    return "<?xml version='1.0' encoding='utf-8'?>\n<Language>\n" + std::string(groups) +
           "</Language>\n";
}

inline void LoadBuiltIn(NString::NTranslator::CLanguage& language) {
    const auto file =
        NString::NTranslator::EmbeddedLanguageFile(NString::NTranslator::kBuiltInLanguageResource);
    NIO::TBuffer<0> stream;
    stream.Borrow(file.data(), file.size());
    ASSERT_EQ(language.Load(stream, true), 1);
}

inline std::u16string U16(const NString::TStr<char16_t>& text) {
    return text.Text();
}

// A fresh folder below the system's temporary folder, removed with its files.
class CTempFolder {
public:
    CTempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quillmere-translator-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "cannot make a temporary folder";
        m_path = pattern;
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    ~CTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& Path() const { return m_path; }
    std::u16string Path16() const { return m_path.u16string(); }
    std::u16string PathOf(std::string_view name) const { return (m_path / name).u16string(); }

    void Write(std::string_view name, std::string_view content) const {
        std::ofstream(m_path / name, std::ios::binary) << content;
    }

private:
    std::filesystem::path m_path;
};

} // namespace NTranslatorTest
