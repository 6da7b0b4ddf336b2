#include "text/charset.h"

#include "framework/string_functions.h"
#include "framework/utf.h"
#include "text/byte_mapping.h"
#include "text/charset_aliases.h"
#include "text/charset_names.h"
#include "text/system_charset.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <utility>

namespace NString {
namespace {

constexpr unsigned char kFirstUpperByte = 0x80;

// Receives converted bytes. Without a buffer it only counts them, so that one
// conversion routine both measures the result and writes it.
class COutput {
public:
    explicit COutput(char* buffer = nullptr) : buffer_(buffer) {}

    void Put(char byte) {
        if (buffer_ != nullptr)
            buffer_[size_] = byte;
        ++size_;
    }

    void PutUtf8(char32_t codePoint) {
        char encoded[4];
        const int length = EncodeChar(codePoint, encoded);
        for (int i = 0; i < length; ++i)
            Put(encoded[i]);
    }

    std::size_t Size() const { return size_; }

private:
    char* buffer_;
    std::size_t size_ = 0;
};

using ConversionPass = void (*)(COutput& output, const char* source, std::size_t byteCount,
                                const CByteMapping& mapping);

void DecodePass(COutput& output, const char* source, std::size_t byteCount,
                const CByteMapping& mapping) {
    for (const char* end = source + byteCount; source < end; ++source) {
        const auto byte = static_cast<unsigned char>(*source);
        if (byte < kFirstUpperByte || mapping.IsVerbatim())
            output.Put(*source);
        else
            output.PutUtf8(mapping.ToCodePoint(byte));
    }
}

void EncodePass(COutput& output, const char* source, std::size_t byteCount,
                const CByteMapping& mapping) {
    const char* end = source + byteCount;
    while (source < end) {
        const auto byte = static_cast<unsigned char>(*source);
        if (byte < kFirstUpperByte || mapping.IsVerbatim())
            output.Put(*source++);
        else if (const auto mapped = mapping.ToByte(DecodeNext(source, end)))
            output.Put(static_cast<char>(*mapped));
    }
}

// Measures the result, then writes it into a string of exactly that size. The
// result replaces the destination only once complete, so the source may be
// the destination's own text and a failure leaves the destination as it was.
int Convert(ConversionPass pass, TStr<char>& destination, const char* source, std::size_t byteCount,
            int mibEnum, std::size_t* convertedLength) {
    const CByteMapping mapping(mibEnum);
    if (!mapping.Exists())
        return 0;
    COutput counter;
    pass(counter, source, byteCount, mapping);
    const std::size_t length = counter.Size();
    if (length > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return 0;
    TStr<char> converted;
    if (converted.Reserve(static_cast<int>(length)) == 0)
        return 0;
    COutput writer(converted.Text());
    pass(writer, source, byteCount, mapping);
    converted.Text()[length] = 0;
    destination = std::move(converted);
    if (convertedLength != nullptr)
        *convertedLength = length;
    return 1;
}

std::size_t LengthOf(const char* text) {
    return text == nullptr ? 0 : std::strlen(text);
}

} // namespace

int CharsetFromName(const char* name) {
    if (name == nullptr || *name == 0)
        return 0;
    TWorkStr<char> lowered;
    if (lowered.Assign(name) == 0)
        return 0;
    ToLower(lowered.Text());
    for (const SCharsetName* row = kCharsetNameTable; row->mibEnum != 0; ++row)
        if (std::strstr(row->aliases, lowered.Text()) != nullptr)
            return row->mibEnum;
    std::string_view whole = lowered.Text();
    whole.remove_prefix(std::min(whole.find_first_not_of(' '), whole.size()));
    whole = whole.substr(0, whole.find(' '));
    if (const int alias = CharsetFromAlias(whole); alias != 0)
        return alias;
    return SystemOnlyCharsetFromName(whole);
}

bool HasConverter(int mibEnum) {
    return CByteMapping(mibEnum).Exists();
}

int ToUtf8(TStr<char>& destination, const char* source, std::size_t byteCount, int mibEnum,
           std::size_t* convertedLength) {
    return Convert(DecodePass, destination, source, byteCount, mibEnum, convertedLength);
}

int ToUtf8(TStr<char>& destination, const char* source, int mibEnum) {
    return ToUtf8(destination, source, LengthOf(source), mibEnum);
}

int FromUtf8(TStr<char>& destination, const char* source, std::size_t byteCount, int mibEnum,
             std::size_t* convertedLength) {
    return Convert(EncodePass, destination, source, byteCount, mibEnum, convertedLength);
}

int FromUtf8(TStr<char>& destination, const char* source, int mibEnum) {
    return FromUtf8(destination, source, LengthOf(source), mibEnum);
}

} // namespace NString
