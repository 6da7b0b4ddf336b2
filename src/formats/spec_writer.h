#pragma once

#include "framework/result.h"

#include <cstddef>

namespace NIO {
class CBase;
}

// Writes the lines of a specification file to a stream and remembers the
// first failure, so that a rule can write all its pieces and report once.
class CSpecWriter {
public:
    explicit CSpecWriter(NIO::CBase& out) : m_out(out) {}

    // Markup, as it stands.
    CSpecWriter& Markup(const char* text);
    // Text inside a single-quoted attribute value: "'", "\"", "<" and "&" are
    // written as references, so that any name reads back as it was.
    CSpecWriter& Value(const char* text);
    // One tab per level.
    CSpecWriter& Indent(int level);

    // NResult::kOk, or the first failing stream result.
    int Result() const { return m_result; }

private:
    void Put(const char* bytes, std::size_t count);

    NIO::CBase& m_out;
    int m_result = NResult::kOk;
};
