#pragma once

#include "xml/parse_error.h"

#include <vector>

namespace NXML {

// Writes the zero bytes that end the node strings in the decoded text. A
// name may end at a line feed, which the zero byte then hides; the cutter
// remembers those, so that a position can still be told in lines and columns.
class CTextCutter {
public:
    void Cut(char* at) {
        if (*at == '\n')
            m_hiddenLineFeeds.push_back(at);
        *at = 0;
    }

    // Line and column of `at` in the text that starts at `begin`.
    void Locate(const char* begin, const char* at, SParseError& error) const;

private:
    std::vector<const char*> m_hiddenLineFeeds;
};

} // namespace NXML
