#include "translation/language_tree.h"
#include "translation/translator.h"
#include "translator_test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>

using namespace NString::NTranslator;
using NTranslatorTest::U16;

namespace {

// The text keys that source text names: plain literals shaped like a key
// ("Msg.NoOperation", "Toolbar.1Diff") wherever they stand, as in a command
// table, and any plain literal passed to `Text(` as its first argument.
std::set<std::string> KeysInSource(const std::string& source) {
    static const std::regex kKeyLiteral(
        R"re((?:^|[^\w"])"([A-Z][A-Za-z0-9]*(?:\.[A-Z0-9][A-Za-z0-9]*)+)")re");
    static const std::regex kTextCall(R"re((?:^|[^\w.>])Text\(\s*"([^"\\]*)")re");
    std::set<std::string> keys;
    for (const std::regex* pattern : {&kKeyLiteral, &kTextCall})
        for (std::sregex_iterator it(source.begin(), source.end(), *pattern), end; it != end; ++it)
            keys.insert((*it)[1].str());
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
