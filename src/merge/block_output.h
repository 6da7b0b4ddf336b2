#pragma once

#include "framework/str.h"

namespace NIO {
class CBase;
}

// Appends the blocks' text to a stream and remembers whether everything
// written so far arrived, including what nested blocks reported.
class CBlockOutput {
public:
    explicit CBlockOutput(NIO::CBase& out) : m_out(out) {}

    CBlockOutput& operator<<(const char* text);
    CBlockOutput& operator<<(const NString::TStr<char>& text) { return *this << text.Text(); }
    // A zero character writes nothing.
    CBlockOutput& operator<<(char character);
    // What a nested block's writer answered.
    CBlockOutput& operator<<(bool written) {
        m_ok = m_ok && written;
        return *this;
    }
    // The start of a re-indented line: `indent`, then `depth` tabs.
    CBlockOutput& LinePrefix(int depth, const char* indent);

    bool Ok() const { return m_ok; }
    NIO::CBase& Stream() const { return m_out; }

private:
    NIO::CBase& m_out;
    bool m_ok = true;
};
