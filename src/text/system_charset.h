#pragma once

#include "text/iconv_converter.h"

#include <bitset>
#include <memory>
#include <string>
#include <string_view>

namespace NString {

// Sets that the registry does not name but the C library does ("MacCyrillic")
// get numbers from here on, in the order they are first declared in a run.
constexpr int kFirstSystemOnlyCharset = 1000000;

// The number of the set the C library calls `name` (any case, no spaces),
// given on first use; 0 when the C library does not know the name or cannot
// read files in the set (see CSystemCharset).
int SystemOnlyCharsetFromName(std::string_view name);

// A character set of the registry that the own tables do not cover,
// converted by the C library. Only sets that keep the characters of XML
// markup as their ASCII bytes can be read at all: the declaration naming the
// set is read before the set is known.
class CSystemCharset {
public:
    // A set of the registry by its MIBenum, or one numbered by
    // SystemOnlyCharsetFromName.
    explicit CSystemCharset(int mibEnum);

    // Whether the C library converts the set both ways under one of the
    // registry's names for it, and the set keeps the markup characters.
    bool Exists() const { return m_encoder != nullptr; }

    // The C library's name of the set, empty when none.
    const std::string& Name() const { return m_name; }

    // Whether the ASCII character `c` is written as its own byte. Some sets
    // put other characters at a few ASCII bytes (Shift_JIS has the yen sign
    // at 0x5C); their ASCII characters are converted like any other.
    bool KeepsAscii(char c) const;

    // Appends the UTF-8 text of `bytes`; false, after appending the part
    // before it, at a sequence the set does not define.
    bool Decode(std::string_view bytes, std::string& text);

    // Appends the bytes of the UTF-8 `run` (a character or more) only when
    // they read back as the same run: a character the set cannot hold, or
    // holds only as a look-alike, fails the whole run and appends nothing.
    bool EncodeRun(std::string_view run, std::string& bytes);

    // Appends the bytes of the UTF-8 `text` as a save writes them: kept ASCII
    // as it is, every other run through EncodeRun. False when a run fails.
    bool Encode(std::string_view text, std::string& bytes);

private:
    friend int SystemOnlyCharsetFromName(std::string_view name);

    bool Open(const std::string& name);
    bool RoundTrips(char c);

    std::string m_name;
    std::unique_ptr<CIconvConverter> m_decoder;
    std::unique_ptr<CIconvConverter> m_encoder;
    std::bitset<128> m_keptAscii;
};

} // namespace NString
