#include "recording_backend.h"
#include "services/registry.h"
#include "services/settings_backend.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>

using namespace NSettings;
using NSettingsTest::CRecordingBackend;

namespace {

constexpr char16_t kSize[] = u"Software\\Velden\\Quillmere\\Fonts\\XML\\Size";
constexpr char16_t kName[] = u"Software\\Velden\\Quillmere\\Fonts\\XML\\Name";
constexpr char16_t kBlob[] = u"Software\\Velden\\Quillmere\\WindowPos";

class Registry : public ::testing::Test {
protected:
    CRecordingBackend backend;
};

} // namespace

TEST_F(Registry, SplitsThePathAtItsLastBackslash) {
    struct SCase {
        const char16_t* path;
        const char16_t* subkey;
        const char16_t* name;
    };
    // A trailing backslash names the subkey's unnamed value.
    for (const SCase& c : {SCase{kSize, u"Software\\Velden\\Quillmere\\Fonts\\XML", u"Size"},
                           SCase{u"Top\\Value", u"Top", u"Value"},
                           SCase{u"Software\\Velden\\", u"Software\\Velden", u""}}) {
        EXPECT_EQ(WriteDword(c.path, 12), NResult::kOk);
        EXPECT_EQ(backend.lastSubkey, c.subkey);
        EXPECT_EQ(backend.lastName, c.name);
    }
}

TEST_F(Registry, PathWithoutBackslashNamesNothing) {
    for (const char16_t* path : {u"Flags", u"", static_cast<const char16_t*>(nullptr)}) {
        EXPECT_EQ(ReadDword(path, 0x1234), 0x1234u);
        std::u16string text = u"unchanged";
        EXPECT_EQ(ReadString(path, text), kKeyNotOpened);
        EXPECT_EQ(text, u"unchanged");
        std::array<std::uint8_t, 4> buffer{};
        EXPECT_EQ(ReadBinary(path, buffer.data(), buffer.size()), kKeyNotOpened);

        EXPECT_EQ(WriteDword(path, 1), kKeyNotOpened);
        EXPECT_EQ(WriteString(path, u"x"), kKeyNotOpened);
        EXPECT_EQ(WriteBinary(path, buffer.data(), buffer.size()), kKeyNotOpened);
        EXPECT_EQ(DeleteKey(path), kKeyNotOpened);
    }
    EXPECT_EQ(backend.TotalWrites(), 0);
    EXPECT_FALSE(backend.lastDeleted.has_value());
}

TEST_F(Registry, EachTypeReadsBackAsWrittenAndOtherTypesAsMissing) {
    ASSERT_EQ(WriteDword(kSize, 0xFFFFFFFEu), NResult::kOk);
    EXPECT_EQ(ReadDword(kSize, 9), 0xFFFFFFFEu);
    std::u16string name = u"before";
    EXPECT_EQ(ReadString(kSize, name), kValueUnreadable);
    EXPECT_EQ(ReadString(kName, name), kValueUnreadable) << "missing value";
    EXPECT_EQ(name, u"before");

    ASSERT_EQ(WriteString(kName, u"Fira \u00E9\U0001F600"), NResult::kOk);
    EXPECT_EQ(ReadString(kName, name), NResult::kOk);
    EXPECT_EQ(name, u"Fira \u00E9\U0001F600");
    EXPECT_EQ(ReadDword(kName, 9), 9u);
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_EQ(ReadBinary(kName, buffer.data(), buffer.size()), kStoreFailed);

    const std::array<std::uint8_t, 5> bytes{0, 1, 0xFF, 0x80, 7};
    ASSERT_EQ(WriteBinary(kBlob, bytes.data(), bytes.size()), NResult::kOk);
    std::size_t length = 0;
    EXPECT_EQ(ReadBinary(kBlob, buffer.data(), buffer.size(), &length), NResult::kOk);
    EXPECT_EQ(length, bytes.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), buffer.begin()));
    EXPECT_EQ(ReadDword(kBlob, 3), 3u);

    // An empty string and an empty byte run are values too.
    ASSERT_EQ(WriteString(kName, nullptr), NResult::kOk);
    EXPECT_EQ(ReadString(kName, name), NResult::kOk);
    EXPECT_EQ(name, u"");
    ASSERT_EQ(WriteBinary(kBlob, nullptr, 0), NResult::kOk);
    EXPECT_EQ(ReadBinary(kBlob, buffer.data(), buffer.size(), &length), NResult::kOk);
    EXPECT_EQ(length, 0u);
}

TEST_F(Registry, ReadsOfARefusedSubkeyChangeNothing) {
    WriteString(kName, u"Consolas");
    backend.Refuse(u"Software\\Velden\\Quillmere\\Fonts\\XML");
    std::u16string text = u"before";
    EXPECT_EQ(ReadString(kName, text), kKeyNotOpened);
    EXPECT_EQ(text, u"before");
    backend.Refuse(u"elsewhere");
    EXPECT_EQ(ReadString(kName, text), NResult::kOk);
    EXPECT_EQ(text, u"Consolas");
}

TEST_F(Registry, ReadStringIntoStringTypeGrowsToTheStoredLength) {
    const std::u16string longName(300, u'n');
    WriteString(kName, longName.c_str());
    NString::TStr<char16_t, 8> small(u"old");
    EXPECT_EQ(ReadString(kName, small), NResult::kOk);
    EXPECT_EQ(std::u16string(small.Text()), longName);

    NString::TStr<char16_t> untouched(u"keep");
    EXPECT_EQ(ReadString(kSize, untouched), kValueUnreadable);
    EXPECT_EQ(std::u16string(untouched.Text()), u"keep");
}

TEST_F(Registry, WriteFailuresAreReported) {
    backend.FailStores(true);
    EXPECT_EQ(WriteDword(kSize, 1), kStoreFailed);
    EXPECT_EQ(WriteString(kName, u"x"), kStoreFailed);
    EXPECT_EQ(WriteBinary(kBlob, "ab", 2), kStoreFailed);
    EXPECT_EQ(ReadDword(kSize, 9), 9u) << "a failed store keeps nothing";

    backend.FailStores(false);
    backend.Refuse(u"Software\\Velden\\Quillmere");
    EXPECT_EQ(WriteBinary(kBlob, "ab", 2), kKeyNotOpened);
    EXPECT_EQ(WriteDword(kSize, 1), NResult::kOk) << "only the refused subkey fails";
}

TEST(SettingsBackend, ScopesRestoreThePreviousBackendAndNullTheBuiltInOne) {
    CBackend& builtIn = CurrentBackend();
    CMemoryBackend outer;
    {
        CScopedBackend outerScope(outer);
        WriteDword(u"A\\B", 7);
        {
            CMemoryBackend inner;
            CScopedBackend innerScope(inner);
            EXPECT_EQ(ReadDword(u"A\\B", 0), 0u) << "the inner backend is empty";
        }
        EXPECT_EQ(&CurrentBackend(), &outer);
        EXPECT_EQ(ReadDword(u"A\\B", 0), 7u);
    }
    EXPECT_EQ(&CurrentBackend(), &builtIn);

    EXPECT_EQ(InstallBackend(&outer), &builtIn);
    EXPECT_EQ(InstallBackend(nullptr), &outer);
    EXPECT_EQ(&CurrentBackend(), &builtIn);
}
