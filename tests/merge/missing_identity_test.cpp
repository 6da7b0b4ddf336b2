// Three-way merges of elements that lack the text or child element their
// rule identifies them by (a Maven `module` identified by its text, used
// without text inside an embedded checkstyle configuration). Such elements
// still match their counterparts, so nothing is written twice and a change
// to one of them is merged like any other.

#include "../formats/formats_test_support.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <memory>

using MergeTest::SMergeCase;

namespace {

const SMergeCase kCases[] = {
    {"untouched modules without text, unrelated changes around them",
     "<project><version>1</version><name>a</name>"
     "<module n='C'><module n='U'/><module n='F'/></module></project>",
     "<project><version>2</version><name>a</name>"
     "<module n='C'><module n='U'/><module n='F'/></module></project>",
     "<project><version>1</version><name>b</name>"
     "<module n='C'><module n='U'/><module n='F'/></module></project>",
     "<project><version>2</version><name>b</name>"
     "<module n='C'><module n='U'/><module n='F'/></module></project>"},
    {"a module without text changed on one side",
     "<project><module><module n='U'/><module n='F'/></module></project>",
     "<project><module><module n='U' v='1'/><module n='F'/></module></project>",
     "<project><module><module n='U'/><module n='F'/></module></project>",
     "<project><module><module n='U' v='1'/><module n='F'/></module></project>"},
    {"a module without text added on one side",
     "<project><module><module n='U'/></module></project>",
     "<project><module><module n='U'/><module n='F'/></module></project>",
     "<project><module><module n='U'/></module></project>",
     "<project><module><module n='U'/><module n='F'/></module></project>"},
    {"a module without text inserted first against a change of the second",
     "<project><module><module n='A'/><module n='B'/></module></project>",
     "<project><module><module n='X'/><module n='A'/><module n='B'/></module></project>",
     "<project><module><module n='A'/><module n='B'><p v='1'/></module></module></project>",
     "<project><module><module n='X'/><module n='A'/><module n='B'><p v='1'/></module>"
     "</module></project>"},
    {"a module without text deleted on one side, changed on the other",
     "<project><module><module n='U'/></module></project>", "<project><module></module></project>",
     "<project><module><module n='U' v='1'/></module></project>", nullptr},
    {"changed differently on both sides", "<project><module><module n='U'/></module></project>",
     "<project><module><module n='L'/></module></project>",
     "<project><module><module n='R'/></module></project>", nullptr},
    {"dependencies without an identifying child, unordered parent",
     "<project><dependency><scope>a</scope></dependency></project>",
     "<project><dependency><scope>a</scope></dependency><version>2</version></project>",
     "<project><dependency><scope>b</scope></dependency></project>",
     "<project><dependency><scope>b</scope></dependency><version>2</version></project>"},
    // Identified dependencies: one side moved one, the other deleted another
    // one; the moved one is kept once, at its new place.
    {"moved against another deleted",
     "<project><dependencies>"
     "<dependency><groupId>g</groupId><artifactId>derby</artifactId></dependency>"
     "<dependency><groupId>g</groupId><artifactId>helper</artifactId></dependency>"
     "<dependency><groupId>g</groupId><artifactId>jndi</artifactId></dependency>"
     "</dependencies></project>",
     "<project><dependencies>"
     "<dependency><groupId>g</groupId><artifactId>derby</artifactId></dependency>"
     "<dependency><groupId>g</groupId><artifactId>jndi</artifactId></dependency>"
     "<dependency><groupId>g</groupId><artifactId>helper</artifactId></dependency>"
     "</dependencies></project>",
     "<project><dependencies>"
     "<dependency><groupId>g</groupId><artifactId>helper</artifactId></dependency>"
     "<dependency><groupId>g</groupId><artifactId>jndi</artifactId></dependency>"
     "</dependencies></project>",
     "<project><dependencies>"
     "<dependency><groupId>g</groupId><artifactId>jndi</artifactId></dependency>"
     "<dependency><groupId>g</groupId><artifactId>helper</artifactId></dependency>"
     "</dependencies></project>"},
};

TEST(MissingIdentity, MergedOnceWithEveryChange) {
    const std::unique_ptr<CFileSpec> pom = FormatsTest::LoadShippedSpec("Maven POM.qmfmt");
    ASSERT_NE(pom, nullptr);
    MergeTest::ExpectMergeOutcomes(kCases, pom.get());
}

} // namespace
