// Three-way merges under the shipped specifications and under ones inferred
// from the documents: each side's insertions, deletions and changes land on
// the elements they were made to, and where identities cannot tell which
// element a change belongs to, the merge is a conflict.

#include "../formats/formats_test_support.h"
#include "formats/file_spec.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <memory>

using MergeTest::COperation;
using MergeTest::ExpectMergeOutcome;
using MergeTest::SMergeCase;

namespace {

struct SShippedCase {
    const char* specFile;
    SMergeCase merge;
};

#define POM_DEPENDENCY(group, artifact, rest)                                                      \
    "<dependency><groupId>" group "</groupId><artifactId>" artifact "</artifactId>" rest           \
    "</dependency>"

const SShippedCase kShippedCases[] = {
    {"Maven POM.qmfmt",
     {"a dependency inserted before the one whose version changed",
      "<project><dependencies>" POM_DEPENDENCY("g", "a", "")
          POM_DEPENDENCY("g", "b", "<version>1</version>") "</dependencies></project>",
      "<project><dependencies>" POM_DEPENDENCY("g", "new", "") POM_DEPENDENCY("g", "a", "")
          POM_DEPENDENCY("g", "b", "<version>1</version>") "</dependencies></project>",
      "<project><dependencies>" POM_DEPENDENCY("g", "a", "")
          POM_DEPENDENCY("g", "b", "<version>2</version>") "</dependencies></project>",
      "<project><dependencies>" POM_DEPENDENCY("g", "new", "") POM_DEPENDENCY("g", "a", "")
          POM_DEPENDENCY("g", "b", "<version>2</version>") "</dependencies></project>"}},
    {"Maven POM.qmfmt",
     {"a dependency of another group inserted before one of the same artifact",
      "<project><dependencies>" POM_DEPENDENCY("g", "a",
                                               "<version>1</version>") "</dependencies></project>",
      "<project><dependencies>" POM_DEPENDENCY("h", "a", "<version>1</version>")
          POM_DEPENDENCY("g", "a", "<version>1</version>") "</dependencies></project>",
      "<project><dependencies>" POM_DEPENDENCY("g", "a",
                                               "<version>2</version>") "</dependencies></project>",
      "<project><dependencies>" POM_DEPENDENCY("h", "a", "<version>1</version>")
          POM_DEPENDENCY("g", "a", "<version>2</version>") "</dependencies></project>"}},
    {"Maven POM.qmfmt",
     {"a plugin replaced by one of another group against a change of the old one",
      "<project><build><plugins><plugin><groupId>g</groupId><artifactId>p</artifactId>"
      "<version>1</version></plugin></plugins></build></project>",
      "<project><build><plugins><plugin><groupId>h</groupId><artifactId>p</artifactId>"
      "<version>1</version></plugin></plugins></build></project>",
      "<project><build><plugins><plugin><groupId>g</groupId><artifactId>p</artifactId>"
      "<version>2</version></plugin></plugins></build></project>",
      nullptr}},
    {"Maven POM.qmfmt",
     {"an exclusion inserted before the one changed",
      "<project><dependency><exclusions><exclusion><groupId>g</groupId><artifactId>a"
      "</artifactId></exclusion></exclusions></dependency></project>",
      "<project><dependency><exclusions><exclusion><groupId>g</groupId><artifactId>b"
      "</artifactId></exclusion><exclusion><groupId>g</groupId><artifactId>a</artifactId>"
      "</exclusion></exclusions></dependency></project>",
      "<project><dependency><exclusions><exclusion><groupId>g</groupId><artifactId>a"
      "</artifactId><!--old--></exclusion></exclusions></dependency></project>",
      "<project><dependency><exclusions><exclusion><groupId>g</groupId><artifactId>b"
      "</artifactId></exclusion><exclusion><groupId>g</groupId><artifactId>a</artifactId>"
      "<!--old--></exclusion></exclusions></dependency></project>"}},
    {"Maven POM.qmfmt",
     {"a module inserted before one deleted",
      "<project><modules><module>a</module><module>b</module></modules></project>",
      "<project><modules><module>new</module><module>a</module><module>b</module></modules>"
      "</project>",
      "<project><modules><module>b</module></modules></project>",
      "<project><modules><module>new</module><module>b</module></modules></project>"}},
    {"Maven POM.qmfmt",
     {"a profile and a repository inserted before the ones changed",
      "<project><profiles><profile><id>a</id></profile></profiles><repositories><repository>"
      "<id>r</id><url>1</url></repository></repositories></project>",
      "<project><profiles><profile><id>new</id></profile><profile><id>a</id></profile>"
      "</profiles><repositories><repository><id>s</id><url>1</url></repository><repository>"
      "<id>r</id><url>1</url></repository></repositories></project>",
      "<project><profiles><profile><id>a</id><activation/></profile></profiles><repositories>"
      "<repository><id>r</id><url>2</url></repository></repositories></project>",
      "<project><profiles><profile><id>new</id></profile><profile><id>a</id><activation/>"
      "</profile></profiles><repositories><repository><id>s</id><url>1</url></repository>"
      "<repository><id>r</id><url>2</url></repository></repositories></project>"}},
    {"Maven POM.qmfmt",
     {"an execution inserted before the one whose phase changed",
      "<project><executions><execution><id>a</id><phase>x</phase></execution>"
      "<execution><id>b</id><phase>x</phase></execution></executions></project>",
      "<project><executions><execution><id>new</id><phase>x</phase></execution>"
      "<execution><id>a</id><phase>x</phase></execution>"
      "<execution><id>b</id><phase>x</phase></execution></executions></project>",
      "<project><executions><execution><id>a</id><phase>x</phase></execution>"
      "<execution><id>b</id><phase>y</phase></execution></executions></project>",
      "<project><executions><execution><id>new</id><phase>x</phase></execution>"
      "<execution><id>a</id><phase>x</phase></execution>"
      "<execution><id>b</id><phase>y</phase></execution></executions></project>"}},
    {"ResX Resources.qmfmt",
     {"a resource inserted before the one translated",
      "<root><data name='a'><value>A</value></data><data name='b'><value>B</value></data></root>",
      "<root><data name='new'><value>N</value></data><data name='a'><value>A</value></data>"
      "<data name='b'><value>B</value></data></root>",
      "<root><data name='a'><value>A</value></data><data name='b'><value>Be</value></data>"
      "</root>",
      "<root><data name='new'><value>N</value></data><data name='a'><value>A</value></data>"
      "<data name='b'><value>Be</value></data></root>"}},
    {"ResX Resources.qmfmt",
     {"resources of one value, one deleted and one changed",
      "<root><data name='a'><value>X</value></data><data name='b'><value>X</value></data>"
      "<data name='c'><value>X</value></data></root>",
      "<root><data name='b'><value>X</value></data><data name='c'><value>X</value></data>"
      "</root>",
      "<root><data name='a'><value>X</value></data><data name='b'><value>X</value></data>"
      "<data name='c'><value>Y</value></data></root>",
      "<root><data name='b'><value>X</value></data><data name='c'><value>Y</value></data>"
      "</root>"}},
    {"Android Resources.qmfmt",
     {"a string inserted before the one changed",
      "<resources><string name='a'>A</string><string name='b'>B</string></resources>",
      "<resources><string name='new'>N</string><string name='a'>A</string>"
      "<string name='b'>B</string></resources>",
      "<resources><string name='a'>A</string><string name='b'>Be</string></resources>",
      "<resources><string name='new'>N</string><string name='a'>A</string>"
      "<string name='b'>Be</string></resources>"}},
    {"Android Manifest.qmfmt",
     {"an activity inserted before the one changed",
      "<manifest xmlns:android='a'><application><activity android:name='.A' android:label='a'/>"
      "<activity android:name='.B' android:label='b'/></application></manifest>",
      "<manifest xmlns:android='a'><application><activity android:name='.New'/>"
      "<activity android:name='.A' android:label='a'/>"
      "<activity android:name='.B' android:label='b'/></application></manifest>",
      "<manifest xmlns:android='a'><application><activity android:name='.A' android:label='a'/>"
      "<activity android:name='.B' android:label='B'/></application></manifest>",
      "<manifest xmlns:android='a'><application><activity android:name='.New'/>"
      "<activity android:name='.A' android:label='a'/>"
      "<activity android:name='.B' android:label='B'/></application></manifest>"}},
    {"Android Manifest.qmfmt",
     {"a permission deleted on each side",
      "<manifest xmlns:android='a'><uses-permission android:name='A'/>"
      "<uses-permission android:name='B'/><uses-permission android:name='C'/></manifest>",
      "<manifest xmlns:android='a'><uses-permission android:name='B'/>"
      "<uses-permission android:name='C'/></manifest>",
      "<manifest xmlns:android='a'><uses-permission android:name='A'/>"
      "<uses-permission android:name='B'/></manifest>",
      "<manifest xmlns:android='a'><uses-permission android:name='B'/></manifest>"}},
    {"MSBuild Project.qmfmt",
     {"a package inserted before the one updated",
      "<Project><ItemGroup><PackageVersion Include='A' Version='1'/>"
      "<PackageVersion Include='B' Version='1'/></ItemGroup></Project>",
      "<Project><ItemGroup><PackageVersion Include='New' Version='1'/>"
      "<PackageVersion Include='A' Version='1'/><PackageVersion Include='B' Version='1'/>"
      "</ItemGroup></Project>",
      "<Project><ItemGroup><PackageVersion Include='A' Version='1'/>"
      "<PackageVersion Include='B' Version='2'/></ItemGroup></Project>",
      "<Project><ItemGroup><PackageVersion Include='New' Version='1'/>"
      "<PackageVersion Include='A' Version='1'/><PackageVersion Include='B' Version='2'/>"
      "</ItemGroup></Project>"}},
    {"MSBuild Project.qmfmt",
     {"an update inserted before the item changed",
      "<Project><ItemGroup><None Update='a.json' Copy='1'/></ItemGroup></Project>",
      "<Project><ItemGroup><None Update='b.json' Copy='1'/><None Update='a.json' Copy='1'/>"
      "</ItemGroup></Project>",
      "<Project><ItemGroup><None Update='a.json' Copy='2'/></ItemGroup></Project>",
      "<Project><ItemGroup><None Update='b.json' Copy='1'/><None Update='a.json' Copy='2'/>"
      "</ItemGroup></Project>"}},
};

// A specification that has learnt from the three inputs alone.
std::unique_ptr<CFileSpec> LearntSpec(const COperation& inputs) {
    auto spec = std::make_unique<CFileSpec>();
    const NXML::CDoc* documents[] = {inputs.docs[kSideLeft].get(), inputs.docs[kSideBase].get(),
                                     inputs.docs[kSideRight].get()};
    spec->LearnFromDocuments(documents);
    return spec;
}

const SMergeCase kInferredCases[] = {
    {"an element inserted before the one changed", "<r><x n='a' v='1'/><x n='b' v='1'/></r>",
     "<r><x n='new' v='0'/><x n='a' v='1'/><x n='b' v='1'/></r>",
     "<r><x n='a' v='1'/><x n='b' v='2'/></r>",
     "<r><x n='new' v='0'/><x n='a' v='1'/><x n='b' v='2'/></r>"},
    {"one element deleted on each side", "<r><x n='a'/><x n='b'/><x n='c'/><x n='d'/></r>",
     "<r><x n='a'/><x n='b'/><x n='d'/></r>", "<r><x n='b'/><x n='c'/><x n='d'/></r>",
     "<r><x n='b'/><x n='d'/></r>"},
    {"the identifying attribute changed against a change of another one",
     "<r><x n='a' v='1'/><x n='b' v='1'/></r>", "<r><x n='a' v='1'/><x n='c' v='1'/></r>",
     "<r><x n='a' v='1'/><x n='b' v='2'/></r>", nullptr},
};

} // namespace

TEST(ShippedSpecMerge, TheChangeLandsOnItsElement) {
    for (const SShippedCase& row : kShippedCases) {
        const std::unique_ptr<CFileSpec> spec = FormatsTest::LoadShippedSpec(row.specFile);
        ASSERT_NE(spec, nullptr) << row.specFile;
        ExpectMergeOutcome(MergeTest::MergeOf(row.merge, spec.get()), row.merge.merged,
                           row.merge.what);
    }
}

TEST(InferredIdentityMerge, TheChangeLandsOnItsElement) {
    for (const SMergeCase& test : kInferredCases) {
        const COperation unmatched(test.base, test.left, test.right, true);
        const std::unique_ptr<CFileSpec> spec = LearntSpec(unmatched);
        ASSERT_NE(spec->FindChildRule("x"), nullptr);
        EXPECT_NE(spec->FindChildRule("x")->FindChildRule("n"), nullptr) << test.what;
        const COperation operation(test.base, test.left, test.right, true, spec.get());
        ExpectMergeOutcome(operation, test.merged, test.what);
    }
}

// A specification inferred from earlier documents meets documents in which
// its identity repeats: the siblings that share it are aligned like elements
// without identity, and no change is lost.
TEST(InferredIdentityMerge, AnIdentityThatRepeatsLaterLosesNoChange) {
    const auto spec = FormatsTest::ReadSpec("<file name='s' root='r'><element name='x'>"
                                            "<attribute name='id'/></element></file>");
    const SMergeCase kCases[] = {
        {"inserted first against a change of the second",
         "<r><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='c'/><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='a'/><x id='1' v='B'/></r>",
         "<r><x id='1' v='c'/><x id='1' v='a'/><x id='1' v='B'/></r>"},
        {"deleted on one side, changed on the other", "<r><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='a'/></r>", "<r><x id='1' v='a'/><x id='1' v='B'/></r>", nullptr},
        {"the same repeated identity changed differently",
         "<r><x id='1' v='a'/><x id='1' v='b'/></r>", "<r><x id='1' v='a'/><x id='1' v='L'/></r>",
         "<r><x id='1' v='a'/><x id='1' v='R'/></r>", nullptr},
    };
    MergeTest::ExpectMergeOutcomes(kCases, spec.get());
}

// The same in a parent whose children have no order: siblings of one identity
// pair in document order, and a change that meets another one is a conflict.
TEST(InferredIdentityMerge, AnIdentityThatRepeatsInAnUnorderedParentLosesNoChange) {
    const auto spec = FormatsTest::ReadSpec("<file name='s' root='r'><element name='r' "
                                            "order='Random'/><element name='x'>"
                                            "<attribute name='id'/></element></file>");
    const SMergeCase kCases[] = {
        {"inserted first against a change of the second",
         "<r><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='c'/><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='a'/><x id='1' v='B'/></r>", nullptr},
        {"inserted first, nothing else changed", "<r><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='c'/><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='c'/><x id='1' v='a'/><x id='1' v='b'/></r>"},
        {"the first deleted, the second changed", "<r><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='b'/></r>", "<r><x id='1' v='a'/><x id='1' v='B'/></r>", nullptr},
        {"the first changed, the second deleted", "<r><x id='1' v='a'/><x id='1' v='b'/></r>",
         "<r><x id='1' v='c'/><x id='1' v='b'/></r>", "<r><x id='1' v='a'/></r>",
         "<r><x id='1' v='c'/></r>"},
    };
    MergeTest::ExpectMergeOutcomes(kCases, spec.get());
}
