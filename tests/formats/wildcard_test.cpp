#include "formats/wildcard.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct SCase {
    const char* pattern;
    const char* name;
    bool matches;
};

// Names are compared byte for byte (folding is the caller's business); "?"
// takes one character, not one byte; a final ".*" also matches names without
// an extension and a final "." only those.
const SCase kCases[] = {
    {"pom.xml", "pom.xml", true},
    {"pom.xml", "pom.xm", false},
    {"pom.xml", "pom.xmll", false},
    {"pom.xml", "apom.xml", false},
    {"pom.xml", "POM.xml", false},
    {"", "", true},
    {"", "a", false},
    {"a", "", false},
    {"*", "", true},
    {"*.xml", ".xml", true},
    {"*.xml", "a.b.c.xml", true},
    {"*.xml", "a.xml.bak", false},
    {"*.xml", "axml", false},
    {"a*b", "ab", true},
    {"a*b", "a..b", true},
    {"a*b", "a..bc", false},
    {"a*b*c", "abbbcbc", true},
    {"a*b*c", "abbbcb", false},
    {"**.xml", "x.xml", true},
    {"?.xml", "a.xml", true},
    {"?.xml", ".xml", false},
    {"?.xml", "ab.xml", false},
    {"a?c", "a.c", true},
    {"???", "ab", false},
    {"???", "abcd", false},
    {"?.svg", "\xC3\xA9.svg", true},
    {"??.svg", "\xC3\xA9.svg", false},
    {"a?b",
     "a\xE2\x82\xAC"
     "b",
     true},
    {"*??", "\xC3\xA9", false},
    {"*??", "\xC3\xA9x", true},
    {"*.*", "readme", true},
    {"*.*", "a.b.c", true},
    {"*.*", "", true},
    {"*.*", ".profile", true},
    {"pom.*", "pom", true},
    {"pom.*", "pom.xml.bak", true},
    {"pom.*", "pomx", false},
    {"a*.*", "abc", true},
    {"a*.*", "bc", false},
    {"*.", "readme", true},
    {"*.", "", true},
    {"*.", "readme.txt", false},
    {"*.", "a.b.c", false},
    {"*.", "trailing.", true},
    {"readme.", "readme.txt", false},
    {"a.b.", "a.b", true},
    {"a.b.", "a.b.c", false},
    {"a*.", "a.c", false},
    {"*.tar.gz", "backup.tar.gz", true},
    {"*.tar.gz", "backup.2024.tar.gz", true},
    {"*.tar.gz", "backup.tar", false},
    {"*.tar.gz", "backup.tgz", false},
    {"*.designer.*", "form.designer", true},
    {"*.designer.*", "form.cs", false},
    {"a..b", "a..b", true},
    {"a..b", "a.b", false},
    {" *.xsd", "schema.xsd", false},
    {" *.xsd", " schema.xsd", true},
    {"*.xml;*.xsd", "a.xsd", false},
    {"[ab].xml", "a.xml", false},
    {"[ab].xml", "[ab].xml", true},
};

} // namespace

TEST(Wildcard, MatchesExactlyTheNamesOfThePattern) {
    for (const SCase& c : kCases)
        EXPECT_EQ(WildcardMatches(c.pattern, c.name), c.matches)
            << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
    EXPECT_FALSE(WildcardMatches(nullptr, "a"));
    EXPECT_FALSE(WildcardMatches("*", nullptr));
}

TEST(Wildcard, ManyStarsOnALongNameStayFast) {
    // A backtracking matcher would take exponential time here.
    const std::string name(2000, 'a');
    EXPECT_FALSE(WildcardMatches("*a*a*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    EXPECT_TRUE(WildcardMatches("*a*a*a*a*a*a*a*a*a*a*a*a*", name.c_str()));
}
