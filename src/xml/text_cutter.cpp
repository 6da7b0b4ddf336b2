#include "xml/text_cutter.h"

#include <algorithm>

namespace NXML {

void CTextCutter::Locate(const char* begin, const char* at, SParseError& error) const {
    int line = 1;
    const char* lineStart = begin;
    for (const char* here = begin; here < at; ++here) {
        if (*here == '\n') {
            ++line;
            lineStart = here + 1;
        }
    }
    for (const char* hidden : m_hiddenLineFeeds) {
        if (hidden < at) {
            ++line;
            lineStart = std::max(lineStart, hidden + 1);
        }
    }
    // Characters, not bytes: continuation bytes of UTF-8 do not count.
    int column = 1;
    for (const char* here = lineStart; here < at; ++here) {
        if ((static_cast<unsigned char>(*here) & 0xC0) != 0x80)
            ++column;
    }
    error.line = line;
    error.column = column;
}

} // namespace NXML
