#include "formats/spec_writer.h"

#include "framework/stream.h"

#include <cstring>

namespace {

// The reference written for a character of an attribute value, or null when
// the character stands for itself.
const char* ReferenceFor(char c) {
    switch (c) {
    case '\'':
        return "&apos;";
    case '"':
        return "&quot;";
    case '<':
        return "&lt;";
    case '&':
        return "&amp;";
    default:
        return nullptr;
    }
}

} // namespace

void CSpecWriter::Put(const char* bytes, std::size_t count) {
    if (m_result == NResult::kOk && count != 0)
        m_result = m_out.WriteBytes(bytes, count);
}

CSpecWriter& CSpecWriter::Markup(const char* text) {
    Put(text, std::strlen(text));
    return *this;
}

CSpecWriter& CSpecWriter::Value(const char* text) {
    const char* run = text;
    for (const char* position = text; *position != 0; ++position) {
        if (const char* reference = ReferenceFor(*position)) {
            Put(run, static_cast<std::size_t>(position - run));
            Markup(reference);
            run = position + 1;
        }
    }
    return Markup(run);
}

CSpecWriter& CSpecWriter::Indent(int level) {
    for (int i = 0; i < level; ++i)
        Put("\t", 1);
    return *this;
}
