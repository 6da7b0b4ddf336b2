#include "../support/iconv_encoded.h"
#include "text/charset.h"
#include "text/iconv_converter.h"
#include "text/system_charset.h"

#include <gtest/gtest.h>
#include <string>

using namespace NString;
using TestSupport::IconvEncoded;

namespace {

struct SSetCase {
    const char* declared;
    int mibEnum;
    // Text in the set's script, with markup characters between.
    const char* text;
};

// The sets files on a Debian system were found in, each by a name real
// files declare, with text of its script.
const SSetCase kSets[] = {
    {"Shift_JIS", 17, "<r a='日本語'>かなカナ「漢字」</r>"},
    {"EUC-JP", 18, "<r a='日本語'>かなカナ「漢字」</r>"},
    {"EUC-KR", 38, "<r a='한국어'>안녕하세요 漢字</r>"},
    {"Big5", 2026, "<r a='中文'>繁體中文字</r>"},
    {"GB2312", 2025, "<r a='中文'>简体中文字</r>"},
    {"KOI8-R", 2084, "<r a='Привет'>Съешь ещё этих булок</r>"},
    {"IBM866", 2086, "<r a='Привет'>Съешь ещё этих булок ░▒▓</r>"},
    {"ISO-8859-2", 5, "<r a='Łódź'>Příliš žluťoučký kůň</r>"},
    {"ISO-8859-5", 8, "<r a='Привет'>Съешь ещё этих булок</r>"},
    {"ISO-8859-7", 10, "<r a='Ελληνικά'>Καλημέρα κόσμε</r>"},
};

} // namespace

// Each set resolves by its declared name, reads iconv's bytes as the text
// and writes the text back as the same bytes.
TEST(SystemCharset, RoundTripsTextOfItsScriptExactly) {
    for (const SSetCase& c : kSets) {
        SCOPED_TRACE(c.declared);
        const std::string spaced = std::string(" ") + c.declared + " ";
        ASSERT_EQ(CharsetFromName(spaced.c_str()), c.mibEnum);
        const std::string bytes = IconvEncoded(c.declared, c.text);
        ASSERT_FALSE(bytes.empty());
        ASSERT_NE(bytes, c.text); // the sample really needs the set
        CSystemCharset set(c.mibEnum);
        ASSERT_TRUE(set.Exists());
        std::string decoded;
        ASSERT_TRUE(set.Decode(bytes, decoded));
        EXPECT_EQ(decoded, c.text);
        std::string encoded;
        ASSERT_TRUE(set.Encode(decoded, encoded));
        EXPECT_EQ(encoded, bytes);
    }
}

// Sets that are unknown, converted by the own code, or whose ASCII bytes are
// not ASCII (so that a declaration could not even be read) are not offered.
TEST(SystemCharset, OnlySetsThatKeepMarkupAreOffered) {
    const struct {
        int mibEnum;
        bool exists;
    } cases[] = {
        {0, false},
        {16, false} /* JIS_Encoding: unknown to iconv */,
        {1015, false} /* UTF-16 */,
        {1017, false} /* UTF-32 */,
        {2028, false} /* IBM037, EBCDIC */,
        {17, true} /* Shift_JIS */,
        {2088, true} /* KOI8-U */,
        {113, true} /* GBK */,
        {2024, true} /* windows-31J */,
        {6, true} /* ISO-8859-3 */,
        {11, true} /* ISO-8859-8 */,
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSystemCharset(c.mibEnum).Exists(), c.exists) << c.mibEnum;
}

// Shift_JIS puts the yen sign and the overline at 0x5C and 0x7E: the
// backslash and tilde are not kept as those bytes, since they would read
// back as other characters.
TEST(SystemCharset, KeepsOnlyAsciiThatReadsBackAsItself) {
    CSystemCharset shiftJis(17);
    CSystemCharset koi8(2084);
    for (char c = 1; c < 0x7F; ++c) {
        const bool special = c == '\\' || c == '~';
        EXPECT_EQ(shiftJis.KeepsAscii(c), !special) << int(c);
        EXPECT_TRUE(koi8.KeepsAscii(c)) << int(c);
    }
    std::string bytes;
    EXPECT_FALSE(shiftJis.EncodeRun("\\", bytes));
    EXPECT_TRUE(shiftJis.EncodeRun("\xC2\xA5", bytes)); // the yen sign
    EXPECT_EQ(bytes, "\x5C");
}

// A run is written only when all of it can be, and nothing of a failed one
// is left behind; a byte the set does not define fails the decoding.
TEST(SystemCharset, RefusesWhatItCannotHoldExactly) {
    const struct {
        int mibEnum;
        const char* run;
        bool written;
    } runs[] = {
        {10, "Καλη", true},     {10, "ΚαЖλη", false}, {2084, "Жук", true},
        {2084, "Жук中", false}, {17, "漢字", true},   {17, "한", false},
    };
    for (const auto& c : runs) {
        SCOPED_TRACE(c.run);
        std::string bytes = "x";
        EXPECT_EQ(CSystemCharset(c.mibEnum).EncodeRun(c.run, bytes), c.written);
        EXPECT_EQ(bytes.size() > 1, c.written);
    }
    const struct {
        int mibEnum;
        std::string bytes;
    } undefined[] = {
        {17, "a\x81<"},    // a lead byte without its trail byte
        {38, "a\xFF\xFF"}, // not a byte of EUC-KR
        {18, "a\xA4"},     // cut off at the end
    };
    for (const auto& c : undefined) {
        std::string text;
        EXPECT_FALSE(CSystemCharset(c.mibEnum).Decode(c.bytes, text)) << c.mibEnum;
        EXPECT_EQ(text, "a") << c.mibEnum;
    }
}

// The converter stops before the first sequence it cannot convert and says
// how far it came; after the stop it starts afresh.
TEST(IconvConverter, StopsBeforeWhatItCannotConvert) {
    const struct {
        const char* to;
        const char* from;
        std::string input;
        std::size_t converted;
        std::string output;
    } cases[] = {
        {"UTF-8", "ISO-8859-5", "\xB6\xE3\xDA", 3, "Жук"},
        {"ISO-8859-5", "UTF-8", "Жу中к", 4, "\xB6\xE3"},
        {"UTF-8", "UTF-8", "ab\xFF", 2, "ab"},
        {"UTF-8", "no-such-set", "ab", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        CIconvConverter converter(c.to, c.from);
        std::string output;
        EXPECT_EQ(converter.Convert(c.input, output), c.converted);
        EXPECT_EQ(output, c.output);
    }
    // A long input grows the output as often as needed.
    CIconvConverter widening("UTF-8", "ISO-8859-5");
    std::string output;
    EXPECT_EQ(widening.Convert(std::string(5000, '\xB6'), output), 5000u);
    EXPECT_EQ(output.size(), 10000u);
}

// Names only the C library knows get numbers of their own, one per set name
// in any case; names it does not know, sets it cannot read files in, and
// names XML does not allow get none.
TEST(SystemCharset, NamesOnlyTheLibraryKnowsAreNumbered) {
    const int macCyrillic = SystemOnlyCharsetFromName("MacCyrillic");
    EXPECT_GE(macCyrillic, kFirstSystemOnlyCharset);
    EXPECT_EQ(SystemOnlyCharsetFromName("maccyrillic"), macCyrillic);
    EXPECT_EQ(CharsetFromName(" MACCYRILLIC "), macCyrillic);
    const int macUk = SystemOnlyCharsetFromName("MAC-UK");
    EXPECT_GE(macUk, kFirstSystemOnlyCharset);
    EXPECT_NE(macUk, macCyrillic);
    // The C library would drop the 0xFE and read the name as UTF-8.
    const std::string withStrayByte = "utf-\xFE"
                                      "8";
    for (const std::string& refused : {std::string("x-no-such-set"), std::string("UCS-2"),
                                       withStrayByte, std::string("-utf-8"), std::string()})
        EXPECT_EQ(SystemOnlyCharsetFromName(refused), 0) << refused;

    const std::string text = "<r a='Привет'>Съешь ещё</r>";
    const std::string bytes = IconvEncoded("MacCyrillic", text);
    CSystemCharset set(macCyrillic);
    std::string decoded;
    std::string encoded;
    ASSERT_TRUE(set.Decode(bytes, decoded));
    EXPECT_EQ(decoded, text);
    ASSERT_TRUE(set.Encode(decoded, encoded));
    EXPECT_EQ(encoded, bytes);
    EXPECT_FALSE(CSystemCharset(kFirstSystemOnlyCharset + 100000).Exists());
}
