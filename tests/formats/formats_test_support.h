#pragma once

// Helpers shared by the format-specification tests: parsing XML held in
// memory, reading and writing specifications as text, and temporary folders
// and environment variables that vanish with the test.

#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "framework/buffer.h"
#include "framework/result.h"
#include "translation/embedded_language.h"
#include "translation/translator.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace FormatsTest {

// Loads the built-in English texts, which the messages are built from.
inline void LoadEnglish() {
    const auto file =
        NString::NTranslator::EmbeddedLanguageFile(NString::NTranslator::kBuiltInLanguageResource);
    NIO::TBuffer<0> stream;
    stream.Borrow(file.data(), file.size());
    ASSERT_EQ(NString::NTranslator::LoadLanguage(stream, true), 1);
}

// A document parsed from `text`; a failed parse fails the calling test.
inline std::unique_ptr<NXML::CDoc> ParseDocument(std::string_view text) {
    auto doc = std::make_unique<NXML::CDoc>();
    NIO::TBuffer<0> stream;
    stream.Borrow(text.data(), text.size());
    EXPECT_EQ(doc->Parse(stream), NResult::kOk) << text;
    return doc;
}

// A specification read from the text of a specification file.
inline std::unique_ptr<CFileSpec> ReadSpec(std::string_view text) {
    const auto doc = ParseDocument(text);
    auto spec = std::make_unique<CFileSpec>();
    if (const NXML::CElement* root = doc->FirstChildElement())
        spec->Read(*root, 0);
    return spec;
}

inline std::u16string U16(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    NString::TStr<char16_t> wide(reinterpret_cast<const char*>(utf8.c_str()));
    return std::u16string(wide.Text());
}

// The specification file at `path`, loaded; null when it did not load.
inline std::unique_ptr<CFileSpec> LoadSpec(const std::filesystem::path& path,
                                           ESpecFileError* why = nullptr) {
    ESpecFileError error = ESpecFileError::None;
    std::unique_ptr<CFileSpec> spec(LoadSpecFile(U16(path).c_str(), error));
    if (why != nullptr)
        *why = error;
    return spec;
}

// The folder of the specifications shipped with the program.
inline std::filesystem::path ShippedFormatsFolder() {
    // The test data folder is tests/data in the repository.
    return std::filesystem::path(QUILLMERE_TEST_DATA_DIR).parent_path().parent_path() / "data" /
           "Formats";
}

// The shipped specification file `fileName`, loaded.
inline std::unique_ptr<CFileSpec> LoadShippedSpec(const char* fileName) {
    return LoadSpec(ShippedFormatsFolder() / fileName);
}

inline std::string Written(const CFileSpec& spec) {
    NIO::TBuffer<0> out;
    if (spec.WriteFile(out) != NResult::kOk)
        return "<write failed>";
    return std::string(reinterpret_cast<const char*>(out.Data()), out.Size());
}

inline std::vector<std::string> Patterns(const CFileSpec& spec) {
    std::vector<std::string> patterns;
    for (const NString::TStr<char>* pattern : spec.patterns)
        patterns.emplace_back(pattern->Text());
    return patterns;
}

// The names of the rules directly below `spec`, in order.
inline std::vector<std::string> RuleNames(const CSpecBase& spec) {
    std::vector<std::string> names;
    for (const CSpecBase* rule = spec.FirstRule(); rule != nullptr; rule = rule->NextRule())
        names.emplace_back(rule->name.Text());
    return names;
}

// Gives `rule` the made-up attribute names k<first> up to k<end - 1>.
inline void AddNumberedAttributes(CElementSpec& rule, std::uint32_t first, std::uint32_t end) {
    for (std::uint32_t i = first; i < end; ++i) {
        std::string name = "k";
        name += std::to_string(i);
        rule.knownAttributes.AddCopy(name.c_str());
    }
}

// The attribute names an element rule has seen.
inline std::vector<std::string> KnownAttributes(const CSpecBase* rule) {
    std::vector<std::string> known;
    for (const NString::TStr<char>* name : static_cast<const CElementSpec*>(rule)->knownAttributes)
        known.emplace_back(name->Text());
    return known;
}

inline std::string ReadTextFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void WriteTextFile(const std::filesystem::path& path, std::string_view text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The names of the files in `folder`, sorted.
inline std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
class CTempFolder {
public:
    CTempFolder() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("quillmere-formats-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    ~CTempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& Path() const { return m_path; }
    // The folder with a final separator, as the Formats folder is given.
    std::u16string Folder() const { return U16(m_path) + u"/"; }

private:
    std::filesystem::path m_path;
};

// Sets (or with nullopt removes) an environment variable for the life of the
// object, then puts back what was there.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        Apply(value);
    }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;
    ~CScopedEnvironment() { Apply(m_old); }

private:
    void Apply(const std::optional<std::string>& value) {
        if (value)
            setenv(m_name.c_str(), value->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

} // namespace FormatsTest
