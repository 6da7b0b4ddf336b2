#include "formats/wildcard.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct SCase {
    const char* pattern;
    std::vector<const char*> matched;
    std::vector<const char*> refused;
};

// Names are compared byte for byte (folding is the caller's business); "?"
// takes one character, not one byte; a final ".*" also matches names without
// an extension and a final "." only those.
const SCase kCases[] = {
    {"pom.xml", {"pom.xml"}, {"pom.xm", "pom.xmll", "apom.xml", "POM.xml"}},
    {"", {""}, {"a"}},
    {"a", {}, {""}},
    {"*", {""}, {}},
    {"*.xml", {".xml", "a.b.c.xml"}, {"a.xml.bak", "axml"}},
    {"a*b", {"ab", "a..b"}, {"a..bc"}},
    {"a*b*c", {"abbbcbc"}, {"abbbcb"}},
    {"**.xml", {"x.xml"}, {}},
    {"?.xml", {"a.xml"}, {".xml", "ab.xml"}},
    {"a?c", {"a.c"}, {}},
    {"???", {}, {"ab", "abcd"}},
    {"?.svg", {"\xC3\xA9.svg"}, {}},
    {"??.svg", {}, {"\xC3\xA9.svg"}},
    {"a?b", {"a\u20ACb"}, {}}, // a three-byte character
    {"*??", {"\xC3\xA9x"}, {"\xC3\xA9"}},
    {"*.*", {"readme", "a.b.c", "", ".profile"}, {}},
    {"pom.*", {"pom", "pom.xml.bak"}, {"pomx"}},
    {"a*.*", {"abc"}, {"bc"}},
    {"*.", {"readme", "", "trailing."}, {"readme.txt", "a.b.c"}},
    {"readme.", {}, {"readme.txt"}},
    {"a.b.", {"a.b"}, {"a.b.c"}},
    {"a*.", {}, {"a.c"}},
    {"*.tar.gz", {"backup.tar.gz", "backup.2024.tar.gz"}, {"backup.tar", "backup.tgz"}},
    {"*.designer.*", {"form.designer"}, {"form.cs"}},
    {"a..b", {"a..b"}, {"a.b"}},
    {" *.xsd", {" schema.xsd"}, {"schema.xsd"}},
    {"*.xml;*.xsd", {}, {"a.xsd"}},
    {"[ab].xml", {"[ab].xml"}, {"a.xml"}},
};

} // namespace

TEST(Wildcard, MatchesExactlyTheNamesOfThePattern) {
    for (const SCase& c : kCases) {
        for (const char* name : c.matched)
            EXPECT_TRUE(WildcardMatches(c.pattern, name)) << c.pattern << " ~ " << name;
        for (const char* name : c.refused)
            EXPECT_FALSE(WildcardMatches(c.pattern, name)) << c.pattern << " ~ " << name;
    }
    EXPECT_FALSE(WildcardMatches(nullptr, "a"));
    EXPECT_FALSE(WildcardMatches("*", nullptr));
}

TEST(Wildcard, ManyStarsOnALongNameStayFast) {
    // A backtracking matcher would take exponential time here.
    const std::string name(2000, 'a');
    EXPECT_FALSE(WildcardMatches("*a*a*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    EXPECT_TRUE(WildcardMatches("*a*a*a*a*a*a*a*a*a*a*a*a*", name.c_str()));
}
