#include "recording_backend.h"
#include "services/display_settings.h"
#include "services/registry.h"
#include "services/settings_paths.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

using namespace NSettings;

namespace {

class DisplaySettings : public ::testing::Test {
protected:
    NSettingsTest::CRecordingBackend backend;
};

std::u16string NameOf(const SXmlFont& font) {
    return font.name.Text();
}

std::array<std::int32_t, 4> Fields(const SWindowPos& pos) {
    return {pos.left, pos.top, pos.width, pos.height};
}

} // namespace

TEST_F(DisplaySettings, FontPartsThatCannotBeReadTakeTheirDefaults) {
    SXmlFont font = ReadXmlFont();
    EXPECT_EQ(NameOf(font), u"Courier New");
    EXPECT_EQ(font.size, 9u);
    EXPECT_EQ(font.style, 0u);

    // A name stored as a number cannot be read as a name; a size stored as
    // text cannot be read as a size.
    WriteDword(kXmlFontNamePath, 42);
    WriteString(kXmlFontSizePath, u"14");
    WriteDword(kXmlFontStylePath, kFontStyleBold | kFontStyleItalic);
    font = ReadXmlFont();
    EXPECT_EQ(NameOf(font), u"Courier New");
    EXPECT_EQ(font.size, 9u);
    EXPECT_EQ(font.style, kFontStyleBold | kFontStyleItalic);
}

TEST_F(DisplaySettings, WindowPosIsSixteenLittleEndianBytes) {
    const SWindowPos written{-1200, 35, 0x01020304, 480};
    ASSERT_EQ(WriteWindowPos(written), NResult::kOk);

    std::array<std::uint8_t, kWindowPosSize> raw{};
    std::size_t length = 0;
    ASSERT_EQ(ReadBinary(kWindowPosPath, raw.data(), raw.size(), &length), NResult::kOk);
    ASSERT_EQ(length, kWindowPosSize);
    // -1200 is 0xFFFFFB50.
    EXPECT_EQ(raw, (std::array<std::uint8_t, kWindowPosSize>{0x50, 0xFB, 0xFF, 0xFF, 35, 0, 0, 0, 4,
                                                             3, 2, 1, 0xE0, 1, 0, 0}));

    SWindowPos read{};
    ASSERT_TRUE(ReadWindowPos(read));
    EXPECT_EQ(Fields(read), Fields(written));
}

TEST_F(DisplaySettings, WindowPosOfAnyOtherSizeIsIgnored) {
    const SWindowPos untouched{1, 2, 3, 4};
    SWindowPos pos = untouched;
    EXPECT_FALSE(ReadWindowPos(pos)) << "nothing stored";

    std::array<std::uint8_t, 20> longer{};
    longer.fill(0x7F);
    WriteBinary(kWindowPosPath, longer.data(), longer.size());
    EXPECT_FALSE(ReadWindowPos(pos));

    WriteBinary(kWindowPosPath, longer.data(), 8);
    EXPECT_FALSE(ReadWindowPos(pos)) << "half a placement is no placement";

    WriteDword(kWindowPosPath, 16);
    EXPECT_FALSE(ReadWindowPos(pos));

    EXPECT_EQ(Fields(pos), Fields(untouched));
}
