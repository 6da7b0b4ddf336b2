#include "translation/language_tree.h"
#include "translation/translator.h"
#include "translator_test_support.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

using namespace NString::NTranslator;
using NTranslatorTest::U16;

namespace {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// The length of the key-shaped text at `at` ("Msg.NoOperation",
// "Toolbar.1Diff": parts of letters and digits joined by dots, the first
// starting with a capital, the others with a capital or a digit); 0 when
// there is none.
std::size_t KeyLength(std::string_view text, std::size_t at) {
    std::size_t end = at;
    int parts = 0;
    for (;;) {
        const bool validStart =
            end < text.size() &&
            (std::isupper(static_cast<unsigned char>(text[end])) ||
             (parts > 0 && std::isdigit(static_cast<unsigned char>(text[end]))));
        if (!validStart)
            return 0;
        while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end])))
            ++end;
        ++parts;
        if (end >= text.size() || text[end] != '.')
            return parts > 1 ? end - at : 0;
        ++end;
    }
}

// Every plain literal of `source` that is shaped like a key, wherever it
// stands (as in a command table).
void AddKeyLiterals(std::string_view source, std::set<std::string>& keys) {
    for (std::size_t quote = source.find('"'); quote != std::string_view::npos;
         quote = source.find('"', quote + 1)) {
        if (quote > 0 && (IsWordChar(source[quote - 1]) || source[quote - 1] == '"'))
            continue;
        const std::size_t length = KeyLength(source, quote + 1);
        if (length > 0 && quote + 1 + length < source.size() && source[quote + 1 + length] == '"')
            keys.emplace(source.substr(quote + 1, length));
    }
}

// Every plain literal of `source` passed to `Text(` as its first argument.
void AddTextCallArguments(std::string_view source, std::set<std::string>& keys) {
    constexpr std::string_view kCall = "Text(";
    for (std::size_t call = source.find(kCall); call != std::string_view::npos;
         call = source.find(kCall, call + 1)) {
        if (call > 0 &&
            (IsWordChar(source[call - 1]) || source[call - 1] == '.' || source[call - 1] == '>'))
            continue;
        const std::size_t open = source.find_first_not_of(" \t\n", call + kCall.size());
        if (open == std::string_view::npos || source[open] != '"')
            continue;
        const std::size_t close = source.find_first_of("\"\\", open + 1);
        if (close != std::string_view::npos && source[close] == '"')
            keys.emplace(source.substr(open + 1, close - open - 1));
    }
}

// The text keys that source text names.
std::set<std::string> KeysInSource(std::string_view source) {
    std::set<std::string> keys;
    AddKeyLiterals(source, keys);
    AddTextCallArguments(source, keys);
    return keys;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::set<std::string> KeysUsedBySources() {
    std::set<std::string> keys;
    const auto sources = NTranslatorTest::RepositoryRoot() / "src";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sources)) {
        const auto extension = entry.path().extension();
        if (entry.is_regular_file() && (extension == ".cpp" || extension == ".h"))
            keys.merge(KeysInSource(FileText(entry.path())));
    }
    return keys;
}

std::set<std::string> KeysOfTheList() {
    std::istringstream list(FileText(NTranslatorTest::RepositoryRoot() / "data/lang/keys.txt"));
    std::set<std::string> keys;
    for (std::string key; list >> key;)
        keys.insert(key);
    return keys;
}

class BuiltInLanguage : public ::testing::Test {
protected:
    void SetUp() override { NTranslatorTest::LoadBuiltIn(english); }

    CLanguage english;
};

} // namespace

TEST(TextKeyScan, FindsTextCallsAndKeyShapedLiterals) {
    const std::string source = R"(
        Show(Text("Msg.NoOperation"), NTranslator::Text( "Misc.AppName", 1));
        const SCommandText kTable[] = {{40017, "Menu.FileOpen"}, {kTitle | 1, "Toolbar.1Diff"}};
        Text("lower.case.key");
        name.Text(); node->Text(2); WriteText("Not.A.Key.Call"); u"Wide.Text";
        Open("Setup.msi", "*.xml", "Menu.", "v1.2", "ABC");
    )";
    EXPECT_EQ(KeysInSource(source),
              (std::set<std::string>{"Menu.FileOpen", "Misc.AppName", "Msg.NoOperation",
                                     "Not.A.Key.Call", "Toolbar.1Diff", "lower.case.key"}));
}

TEST_F(BuiltInLanguage, HasATextForEveryKeyTheProgramUses) {
    std::set<std::string> keys = KeysOfTheList();
    // The list names every key of the design; a short list means it was not read.
    ASSERT_GT(keys.size(), 150u);
    keys.merge(KeysUsedBySources());
    for (const std::string& key : keys)
        EXPECT_NE(english.FindText(key.c_str()), nullptr) << key;
}

TEST_F(BuiltInLanguage, FilterTextsBecomeZeroSeparatedLists) {
    for (const char* key : {"Open.Filter", "Open.ReportFilter"}) {
        NString::TStr<char16_t> filter(english.Text(key));
        const int written = filter.Length();
        UnescapeNul(filter);
        // Pairs of description and pattern, then an empty part.
        int parts = 0;
        const char16_t* part = filter.Text();
        for (; *part != 0 && part < filter.Text() + written; ++parts)
            part += std::char_traits<char16_t>::length(part) + 1;
        EXPECT_EQ(*part, 0) << key;
        EXPECT_EQ(parts % 2, 0) << key;
        EXPECT_GE(parts, 2) << key;
    }
}
