#include "app/qt_settings_backend.h"
#include "services/flags.h"
#include "services/registry.h"
#include "services/settings_paths.h"

#include <QSettings>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

using namespace NSettings;
namespace fs = std::filesystem;

namespace {

// Points XDG_CONFIG_HOME at a fresh temporary folder before any test runs,
// so that no QSettings object ever sees the real user's settings.
class CTemporaryConfigHome : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quillmere-settings-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr ||
            setenv("XDG_CONFIG_HOME", pattern.c_str(), 1) != 0) {
            std::perror("cannot make a temporary XDG_CONFIG_HOME");
            std::abort();
        }
        s_folder = pattern;
    }
    void TearDown() override { fs::remove_all(s_folder); }

    static fs::path Folder() { return s_folder; }

private:
    static inline fs::path s_folder;
};

const auto* const g_configHome = ::testing::AddGlobalTestEnvironment(new CTemporaryConfigHome);

fs::path SettingsFile() {
    return CTemporaryConfigHome::Folder() / "Velden" / "Quillmere.conf";
}

std::string FileText() {
    std::ifstream in(SettingsFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// QSettings shares what it parsed between objects of one process and reads
// the file again only when its size or time stamp changed. Moving the time
// stamp makes the next object parse the file, as another process would.
void ForgetParsedFile() {
    static int bump = 0;
    fs::last_write_time(SettingsFile(),
                        fs::last_write_time(SettingsFile()) + std::chrono::seconds(++bump));
}

// Leaves the settings file as a hand edit or another program would.
void WriteSettingsFile(const std::string& text) {
    fs::create_directories(SettingsFile().parent_path());
    std::ofstream(SettingsFile(), std::ios::binary | std::ios::trunc) << text;
    ForgetParsedFile();
}

std::u16string StringAt(const char16_t* path) {
    std::u16string text;
    return ReadString(path, text) == NResult::kOk ? text : u"<unreadable>";
}

class QtSettingsBackend : public ::testing::Test {
protected:
    void SetUp() override { fs::remove(SettingsFile()); }

    // Reads through a backend object made after the writes, from a freshly
    // parsed file.
    template <typename Check> void AfterRestart(Check check) {
        ForgetParsedFile();
        CQtSettingsBackend fresh;
        CScopedBackend scope(fresh);
        check();
    }

    CQtSettingsBackend backend;
    CScopedBackend scope{backend};
};

constexpr char16_t kEntry0[] = u"Software\\Velden\\Quillmere\\Recent\\List\\00";
constexpr char16_t kEntry1[] = u"Software\\Velden\\Quillmere\\Recent\\List\\01";
constexpr char16_t kListSize[] = u"Software\\Velden\\Quillmere\\Recent\\ListSize";

} // namespace

TEST_F(QtSettingsBackend, FileLandsInTheConfigHomeWithWordsAsPlainDigits) {
    ASSERT_EQ(WriteDword(kFlagsPath, kDefaultFlags), NResult::kOk);
    ASSERT_EQ(WriteDword(kXmlFontSizePath, 12), NResult::kOk);
    ASSERT_EQ(WriteString(kXmlFontNamePath, u"Courier New"), NResult::kOk);

    EXPECT_TRUE(fs::is_regular_file(SettingsFile()));
    EXPECT_EQ(fs::path(QSettings(QStringLiteral("Velden"), QStringLiteral("Quillmere"))
                           .fileName()
                           .toStdString()),
              SettingsFile());
    const std::string text = FileText();
    EXPECT_NE(text.find("Flags=" + std::to_string(kDefaultFlags)), std::string::npos) << text;
    EXPECT_NE(text.find("XML\\Size=12"), std::string::npos) << text;
    EXPECT_NE(text.find("XML\\Name=Courier New"), std::string::npos) << text;
}

TEST_F(QtSettingsBackend, ValuesKeepTheirTypesAcrossARestart) {
    const std::array<std::uint8_t, 6> bytes{0, 0xFF, 0x80, '\n', '=', 7};
    WriteDword(kFlagsPath, 0xFFFFFFFF);
    WriteDword(kXmlFontStylePath, 0);
    WriteString(kXmlFontNamePath, u"Consolas");
    WriteString(kEntry0, u"9"); // text that looks like a word
    WriteString(kEntry1, u"");
    WriteBinary(kWindowPosPath, bytes.data(), bytes.size());

    AfterRestart([&] {
        EXPECT_EQ(ReadDword(kFlagsPath, 1), 0xFFFFFFFFu);
        EXPECT_EQ(ReadDword(kXmlFontStylePath, 1), 0u);
        EXPECT_EQ(StringAt(kXmlFontNamePath), u"Consolas");
        EXPECT_EQ(StringAt(kEntry0), u"9");
        EXPECT_EQ(ReadDword(kEntry0, 5), 5u) << "a string is no word";
        EXPECT_EQ(StringAt(kEntry1), u"");
        EXPECT_EQ(StringAt(kFlagsPath), u"<unreadable>") << "a word is no string";

        std::array<std::uint8_t, 16> buffer{};
        std::size_t length = 0;
        EXPECT_EQ(ReadBinary(kWindowPosPath, buffer.data(), buffer.size(), &length), NResult::kOk);
        EXPECT_EQ(length, bytes.size());
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), buffer.begin()));
    });
}

TEST_F(QtSettingsBackend, AwkwardStringsSurviveARestart) {
    const std::vector<std::u16string> texts{u"/home/me/a, b; c=d.xml",
                                            u"line one\nline two\ttab",
                                            u"  spaced  ",
                                            u"@at",
                                            u"\"quoted\"",
                                            u"\u00E4\u20AC\U0001F600",
                                            u"#hash",
                                            u"'",
                                            u"''twice",
                                            u"'7",
                                            u"4294967296",
                                            u"4294967295",
                                            u"007",
                                            u"-1",
                                            u"back\\slash"};
    const auto path = [](std::size_t index) {
        return u"Software\\Velden\\Quillmere\\Test\\" + std::u16string(1, u'A' + index);
    };
    for (std::size_t index = 0; index < texts.size(); ++index)
        ASSERT_EQ(WriteString(path(index).c_str(), texts[index].c_str()), NResult::kOk);
    AfterRestart([&] {
        for (std::size_t index = 0; index < texts.size(); ++index)
            EXPECT_EQ(StringAt(path(index).c_str()), texts[index]) << "entry " << index;
    });
}

TEST_F(QtSettingsBackend, HandWrittenFileIsReadByItsText) {
    WriteSettingsFile("[General]\n"
                      "Flags=33554432\n"
                      "UpdateTime='9223372036854775807\n"
                      "\n"
                      "[Fonts]\n"
                      "XML\\Name=Consolas\n"
                      "XML\\Size=12\n"
                      "XML\\Style=bold\n"
                      "\n"
                      "[Recent]\n"
                      "List\\00=/a.xml\n"
                      "ListSize=1, 2\n"
                      "ListCapacity=99999999999\n");
    EXPECT_EQ(ReadDword(kFlagsPath, 0), kFlagMerge);
    EXPECT_EQ(StringAt(kUpdateTimePath), u"9223372036854775807");
    EXPECT_EQ(StringAt(kXmlFontNamePath), u"Consolas");
    EXPECT_EQ(ReadDword(kXmlFontSizePath, 9), 12u);
    EXPECT_EQ(ReadDword(kXmlFontStylePath, 0), 0u) << "text is no word";
    EXPECT_EQ(StringAt(kEntry0), u"/a.xml");
    EXPECT_EQ(ReadDword(kListSize, 7), 7u) << "a list is unreadable";
    EXPECT_EQ(StringAt(kListSize), u"<unreadable>");
    EXPECT_EQ(ReadDword(u"Software\\Velden\\Quillmere\\Recent\\ListCapacity", 20), 20u)
        << "too large for a word";
}

TEST_F(QtSettingsBackend, OnlyTheRootAndItsSubkeysCanBeOpened) {
    EXPECT_EQ(WriteDword(u"Software\\Velden\\Other\\Value", 1), kKeyNotOpened);
    EXPECT_EQ(WriteDword(u"Software\\Velden\\QuillmereX\\Value", 1), kKeyNotOpened);
    EXPECT_EQ(ReadDword(u"Software\\Velden\\Other\\Value", 3), 3u);
    std::u16string text;
    EXPECT_EQ(ReadString(u"Elsewhere\\Name", text), kKeyNotOpened);
    EXPECT_EQ(DeleteKey(u"Software\\Velden"), kKeyNotOpened);
    EXPECT_FALSE(fs::exists(SettingsFile())) << "nothing was written";

    // Names QSettings cannot keep apart from groups.
    EXPECT_EQ(WriteString(u"Software\\Velden\\Quillmere\\Recent\\", u"x"), kStoreFailed);
    EXPECT_EQ(WriteString(u"Software\\Velden\\Quillmere\\a/b", u"x"), kStoreFailed);
    EXPECT_EQ(ReadString(u"Software\\Velden\\Quillmere\\a/b", text), kValueUnreadable);
}
