#include "translation/text_references.h"

#include <array>
#include <string>
#include <string_view>

namespace NString {

namespace {

struct SReference {
    const char16_t* written;
    char16_t meaning;
};

// The order matters: "&amp;" comes after "&lt;" and before "&apos;".
constexpr std::array<SReference, 8> kReferences{{
    {u"&lt;", u'<'},
    {u"&gt;", u'>'},
    {u"&amp;", u'&'},
    {u"&apos;", u'\''},
    {u"&quot;", u'"'},
    {u"&nbsp;", u'\u00A0'},
    {u"&copy;", u'\u00A9'},
    {u"\\n", u'\n'},
}};

} // namespace

int ReplaceAll(TStr<char16_t>& text, const char16_t* pattern, char16_t replacement) {
    const std::u16string_view wanted(pattern);
    const std::u16string_view original(text.Text());
    if (original.find(wanted) == std::u16string_view::npos)
        return 1;
    // Writing must not reach a lender's memory.
    if (text.IsBorrowed() && text.Assign(text.Text()) == 0)
        return 0;
    char16_t* const start = text.Text();
    const std::u16string_view source(start);
    // The write position never passes the read position, so what is still to
    // be read is untouched.
    std::size_t read = 0;
    std::size_t write = 0;
    while (read < source.size()) {
        if (source.substr(read, wanted.size()) == wanted) {
            start[write++] = replacement;
            read += wanted.size();
        } else {
            start[write++] = source[read++];
        }
    }
    start[write] = 0;
    return 1;
}

int DecodeReferences(TStr<char16_t>& text) {
    for (const SReference& reference : kReferences) {
        if (ReplaceAll(text, reference.written, reference.meaning) == 0)
            return 0;
    }
    return 1;
}

} // namespace NString
