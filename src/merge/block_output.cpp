#include "merge/block_output.h"

#include "framework/result.h"
#include "xml/node.h"

CBlockOutput& CBlockOutput::operator<<(const char* text) {
    if (m_ok)
        m_ok = NXML::WriteString(m_out, text) == NResult::kOk;
    return *this;
}

CBlockOutput& CBlockOutput::operator<<(char character) {
    const char text[2] = {character, 0};
    return *this << text;
}

CBlockOutput& CBlockOutput::LinePrefix(int depth, const char* indent) {
    *this << indent;
    for (int level = 0; level < depth; ++level)
        *this << '\t';
    return *this;
}
