#include "formats/wildcard.h"

#include "framework/string_functions.h"
#include "framework/utf.h"

#include <cstring>
#include <vector>

namespace {

enum class ETokenKind {
    Literal,     // one byte that must be there
    AnyChar,     // "?"
    AnyRun,      // "*"
    RunToDot,    // "*" before an optional dot: stops at the name's last dot
    OptionalDot, // "." followed by nothing but "*"s: a dot, or the end of the name
};

struct SToken {
    ETokenKind kind;
    char byte;
};

// Whether nothing but "*" follows `position` in the pattern.
bool OnlyStarsFollow(const char* position) {
    while (*position == '*')
        ++position;
    return *position == 0;
}

std::vector<SToken> Tokenise(const char* pattern) {
    std::vector<SToken> tokens;
    for (const char* position = pattern; *position != 0; ++position) {
        const char c = *position;
        if (c == '?')
            tokens.push_back({ETokenKind::AnyChar, 0});
        else if (c == '*')
            tokens.push_back({position[1] == '.' && OnlyStarsFollow(position + 2)
                                  ? ETokenKind::RunToDot
                                  : ETokenKind::AnyRun,
                              0});
        else if (c == '.' && OnlyStarsFollow(position + 1))
            tokens.push_back({ETokenKind::OptionalDot, 0});
        else
            tokens.push_back({ETokenKind::Literal, c});
    }
    return tokens;
}

// Runs the pattern over one name as a set of reachable positions: byte
// offsets into the name, one entry per offset including the end, advanced
// token by token. Linear in the pattern times the name, whatever the stars.
class CNameMatcher {
public:
    explicit CNameMatcher(const char* name)
        : m_name(name), m_length(std::strlen(name)), m_lastDot(LastDot(name)),
          m_startsCharacter(CharacterStarts(name, m_length)) {}

    bool Matches(const std::vector<SToken>& tokens) const {
        std::vector<bool> reachable(m_length + 1, false);
        reachable[0] = true;
        for (const SToken& token : tokens) {
            reachable = Step(token, reachable);
            if (!Any(reachable))
                return false;
        }
        return reachable[m_length];
    }

private:
    static std::size_t LastDot(const char* name) {
        const char* dot = NString::FindLastChar(name, U'.');
        return dot != nullptr ? static_cast<std::size_t>(dot - name) : std::strlen(name);
    }

    // Which offsets start a character (the end counts as one).
    static std::vector<bool> CharacterStarts(const char* name, std::size_t length) {
        std::vector<bool> starts(length + 1, false);
        for (const char* position = name; *position != 0; NString::DecodeNext(position))
            starts[static_cast<std::size_t>(position - name)] = true;
        starts[length] = true;
        return starts;
    }

    static bool Any(const std::vector<bool>& positions) {
        for (const bool reached : positions)
            if (reached)
                return true;
        return false;
    }

    std::vector<bool> Step(const SToken& token, const std::vector<bool>& from) const {
        std::vector<bool> to(m_length + 1, false);
        switch (token.kind) {
        case ETokenKind::Literal:
            for (std::size_t i = 0; i < m_length; ++i)
                if (from[i] && m_name[i] == token.byte)
                    to[i + 1] = true;
            break;
        case ETokenKind::AnyChar:
            for (std::size_t i = 0; i < m_length; ++i)
                if (from[i])
                    to[NextCharacter(i)] = true;
            break;
        case ETokenKind::AnyRun:
            ExtendRuns(from, to, m_length);
            break;
        case ETokenKind::RunToDot:
            ExtendRuns(from, to, m_lastDot);
            break;
        case ETokenKind::OptionalDot:
            for (std::size_t i = 0; i < m_length; ++i)
                if (from[i] && m_name[i] == '.')
                    to[i + 1] = true;
            if (from[m_length])
                to[m_length] = true;
            break;
        }
        return to;
    }

    // Every character start from a reachable position up to `limit`; a
    // reachable position beyond `limit` stays reachable (an empty run).
    void ExtendRuns(const std::vector<bool>& from, std::vector<bool>& to, std::size_t limit) const {
        bool running = false;
        for (std::size_t i = 0; i <= m_length; ++i) {
            running = i <= limit && (running || from[i]);
            to[i] = (running && m_startsCharacter[i]) || from[i];
        }
    }

    // The offset after the character that starts at `offset`.
    std::size_t NextCharacter(std::size_t offset) const {
        const char* position = m_name + offset;
        NString::DecodeNext(position);
        return static_cast<std::size_t>(position - m_name);
    }

    const char* m_name;
    std::size_t m_length;
    std::size_t m_lastDot;
    std::vector<bool> m_startsCharacter;
};

} // namespace

bool WildcardMatches(const char* pattern, const char* name) {
    if (pattern == nullptr || name == nullptr)
        return false;
    return CNameMatcher(name).Matches(Tokenise(pattern));
}
