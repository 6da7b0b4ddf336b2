#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "formats/shipped_formats.h"
#include "formats/spec_file_name.h"
#include "formats/spec_selection.h"
#include "formats_test_support.h"
#include "services/prompts.h"

#include <gtest/gtest.h>

using FormatsTest::CTempFolder;
using FormatsTest::ParseDocument;
using FormatsTest::ReadTextFile;
using FormatsTest::Written;

namespace {

std::vector<const NXML::CElement*> ElementsNamed(const NXML::CDoc& doc, const char* name) {
    std::vector<const NXML::CElement*> found;
    for (const NPtr::CNode* node = doc.NextInSubtree(&doc); node != nullptr;
         node = doc.NextInSubtree(node)) {
        const auto* xml = static_cast<const NXML::CNode*>(node);
        if (xml->GetType() == NXML::kTypeElement && xml->text.Text() == std::string_view(name))
            found.push_back(static_cast<const NXML::CElement*>(xml));
    }
    return found;
}

// The shipped library, installed into a fresh Formats folder and loaded.
class ShippedLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(
            InstallShippedFormats(FormatsTest::U16(FormatsTest::ShippedFormatsFolder()).c_str(),
                                  formats.Folder().c_str()),
            0);
        library.LoadFrom(formats.Folder().c_str());
    }

    const CFileSpec& Spec(const char* name) const {
        for (const CFileSpec* spec = library.FirstSpec(); spec != nullptr;
             spec = CFormatList::NextSpec(spec))
            if (spec->name.Text() == std::string_view(name))
                return *spec;
        ADD_FAILURE() << "no specification " << name;
        static const CFileSpec none;
        return none;
    }

    // Whether elements `i` and `j` named `name` in `xml` are the same element
    // under the specification.
    bool Same(const CFileSpec& spec, const char* xml, const char* name, std::size_t i,
              std::size_t j) {
        documents.push_back(ParseDocument(xml));
        const auto elements = ElementsNamed(*documents.back(), name);
        const CElementSpec* rule = spec.FindElementSpec(*elements.at(i));
        EXPECT_NE(rule, nullptr) << name;
        return rule != nullptr && rule->IdentifyEqual(*elements.at(i), *elements.at(j));
    }

    bool Sequenced(const CFileSpec& spec, const char* element) {
        documents.push_back(ParseDocument(std::string("<") + element + "/>"));
        return spec.IsSequenced(*documents.back()->FirstChildElement());
    }

    const CFileSpec* Chosen(const char* xml, const char16_t* path) {
        documents.push_back(ParseDocument(xml));
        return FindSpecForFile(library, SInputFile{documents.back().get(), path}, nullptr, nullptr);
    }

    CTempFolder formats;
    CFormatList library;
    std::vector<std::unique_ptr<NXML::CDoc>> documents;
};

} // namespace

TEST(ShippedFiles, LoadWriteBackUnchangedAndAreNamedAsTheyWouldBeSaved) {
    int count = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(FormatsTest::ShippedFormatsFolder())) {
        SCOPED_TRACE(entry.path().filename().string());
        ++count;
        const auto spec = FormatsTest::LoadSpec(entry.path());
        ASSERT_NE(spec, nullptr);
        EXPECT_EQ(Written(*spec), ReadTextFile(entry.path()));
        EXPECT_EQ(NString::TStr<char>(SpecFileName(spec->name.Text()).Text()).Text(),
                  entry.path().filename().string())
            << "a learning specification must save over its own file";
        EXPECT_FALSE(spec->root.IsEmpty());
        EXPECT_FALSE(spec->patterns.IsEmpty());
    }
    EXPECT_GE(count, 5);
}

TEST_F(ShippedLibrary, EachFileFindsItsSpecification) {
    EXPECT_EQ(Chosen("<project/>", u"/src/app/pom.xml"), &Spec("Maven POM"));
    EXPECT_EQ(Chosen("<project/>", u"/src/app/build.xml"), &Spec("Apache Ant"));
    EXPECT_EQ(Chosen("<Project Sdk='Microsoft.NET.Sdk'/>", u"App.csproj"),
              &Spec("MSBuild Project"));
    EXPECT_EQ(Chosen("<Project/>", u"Directory.Build.props"), &Spec("MSBuild Project"));
    EXPECT_EQ(Chosen("<resources/>", u"res/values-de/strings.xml"), &Spec("Android Resources"));
    EXPECT_EQ(Chosen("<xliff version='1.2'/>", u"messages.de.XLF"), &Spec("XLIFF"));
    EXPECT_EQ(Chosen("<svg xmlns='http://www.w3.org/2000/svg'/>", u"logo.svg"), &Spec("SVG"));
    EXPECT_EQ(Chosen("<root/>", u"Forms/MainForm.de-DE.resx"), &Spec("ResX Resources"));
    EXPECT_EQ(Chosen("<manifest/>", u"app/src/main/AndroidManifest.xml"),
              &Spec("Android Manifest"));
    EXPECT_EQ(Chosen("<project/>", u"other.xml"), nullptr)
        << "Maven and Ant both claim <project>: another name is the user's choice";
}

// Git hands tools temporary files: a POM is still told from an Ant build
// file by its namespace, or else by the element names its rules know.
TEST_F(ShippedLibrary, WithoutAFileNameAPomAndAnAntBuildFileEachFindTheirs) {
    constexpr char kPom[] = "<project><modelVersion>4.0.0</modelVersion><build><plugins>"
                            "<plugin/></plugins></build><dependencies><dependency/>"
                            "</dependencies></project>";
    constexpr char kAnt[] = "<project name='app' default='jar'><property name='src' value='s'/>"
                            "<target name='jar'><jar destfile='a.jar'/></target></project>";
    EXPECT_EQ(Chosen("<project xmlns='http://maven.apache.org/POM/4.0.0'/>", u".merge_file_1"),
              &Spec("Maven POM"));
    EXPECT_EQ(Chosen(kAnt, u".merge_file_2"), nullptr) << "nobody to ask";

    std::ostringstream out;
    NPrompts::CHeadlessPrompts headless(out);
    NPrompts::CScopedPrompts scope(headless);
    const struct {
        const char* xml;
        const char* chosen;
    } kCases[] = {{kPom, "Maven POM"}, {kAnt, "Apache Ant"}};
    for (const auto& file : kCases) {
        documents.push_back(ParseDocument(file.xml));
        int window = 0;
        EXPECT_EQ(FindSpecForFile(library, SInputFile{documents.back().get(), u"/tmp/x_LOCAL.xml"},
                                  nullptr, &window),
                  &Spec(file.chosen))
            << out.str();
    }
}

// Pairs of elements of one document that a shipped specification takes for
// the same element, or for two different ones.
TEST_F(ShippedLibrary, ElementsAreIdentifiedByWhatTheirFormatKeysThemOn) {
    const char* dependencies =
        "<project><dependencies><dependency><groupId>org.junit</groupId>"
        "<artifactId>junit</artifactId><version>4</version></dependency><dependency>"
        "<version>5</version><artifactId>junit</artifactId><groupId>org.junit</groupId>"
        "<scope>test</scope></dependency><dependency><groupId>org.junit</groupId>"
        "<artifactId>hamcrest</artifactId></dependency><dependency><groupId>com.other</groupId>"
        "<artifactId>junit</artifactId></dependency></dependencies></project>";
    const char* plugins =
        "<plugins><plugin><artifactId>maven-jar-plugin</artifactId></plugin><plugin>"
        "<groupId>org.apache.maven.plugins</groupId><artifactId>maven-jar-plugin</artifactId>"
        "<version>3</version></plugin><plugin><version>4</version>"
        "<artifactId>maven-jar-plugin</artifactId>"
        "<groupId>org.apache.maven.plugins</groupId></plugin><plugin>"
        "<groupId>org.example</groupId><artifactId>maven-jar-plugin</artifactId></plugin><plugin>"
        "<artifactId>maven-war-plugin</artifactId></plugin></plugins>";
    const char* modules =
        "<modules><module>core</module><module> core </module><module>web</module></modules>";
    const char* profiles =
        "<profiles><profile><id>ci</id></profile><profile><activation/><id>ci</id></profile>"
        "<profile><id>dev</id></profile></profiles>";
    const char* executions =
        "<executions><execution><id>a</id><phase>p</phase></execution><execution><phase>q</phase>"
        "<id>a</id></execution><execution><id>b</id><phase>p</phase></execution></executions>";
    const char* extensions =
        "<extensions><extension><groupId>g</groupId><artifactId>a</artifactId></extension>"
        "<extension><groupId>h</groupId><artifactId>a</artifactId></extension></extensions>";
    const char* resources =
        "<resources><string name='app_name'>App</string><string name='app_name'>Appli</string>"
        "<string name='title'>App</string><plurals name='songs'>"
        "<item quantity='one'>%d song</item><item quantity='other'>%d songs</item></plurals>"
        "<plurals name='songs'><item quantity='other'>%d Lieder</item></plurals>"
        "<style name='Theme'><item name='colorPrimary'>#fff</item></style></resources>";
    const char* manifest =
        "<manifest xmlns:android='a'><application>"
        "<activity android:name='.Main' android:label='x'/>"
        "<activity android:name='.Main' android:label='y'/>"
        "<activity android:name='.Settings' android:label='x'/></application></manifest>";
    const char* permissions =
        "<manifest xmlns:android='a'><uses-permission android:name='INTERNET'/>"
        "<uses-permission android:name='CAMERA'/><intent-filter/><intent-filter/></manifest>";
    const char* views =
        "<resources xmlns:android='a'><view android:id='@+id/a' x='1'/>"
        "<view android:id='@+id/a' x='2'/><view android:id='@+id/b'/><pref android:key='k' a='1'/>"
        "<pref android:key='k' a='2'/><pref android:key='j'/></resources>";
    const char* resx =
        "<root><resheader name='version'><value>2.0</value></resheader><resheader name='reader'>"
        "<value>R</value></resheader><data name='Title' xml:space='preserve'>"
        "<value>Hello</value></data><data name='Title'><value>Hallo</value></data>"
        "<data name='Close'><value>Hello</value></data><assembly alias='System.Drawing' name='a'/>"
        "<assembly alias='System.Drawing' name='b'/></root>";
    const char* msbuild =
        "<Project><ItemGroup><PackageReference Include='Serilog' Version='2.0'/>"
        "<PackageReference Include='Serilog'><Version>3.0</Version></PackageReference>"
        "<PackageReference Include='Dapper' Version='2.0'/></ItemGroup>"
        "<PropertyGroup Condition=\"'$(Configuration)'=='Debug'\"/>"
        "<PropertyGroup Condition=\"'$(Configuration)'=='Release'\"/><PropertyGroup/>"
        "<Target Name='Build'/><Target Name='Build'/><Target Name='Test'/></Project>";
    const char* xliff12 =
        "<xliff><file original='a.txt'><body><trans-unit id='greeting'>"
        "<source>Hi</source></trans-unit><trans-unit id='greeting'><source>Hi</source>"
        "<target>Hallo</target></trans-unit><trans-unit id='bye'>"
        "<source>Hi</source></trans-unit></body></file><file original='b.txt'/></xliff>";
    const char* xliff20 =
        "<xliff><file id='f'><unit id='u1'/><unit id='u1'/><unit id='u2'/></file></xliff>";
    const char* svg = "<svg><defs><linearGradient id='g1'/><linearGradient id='g1' x1='0'/>"
                      "<linearGradient id='g2'/></defs><rect/><rect width='2'/></svg>";
    const char* ant = "<project><property name='src' value='a'/><property name='src' value='b'/>"
                      "<target name='build'/><target name='test'/></project>";
    const struct {
        const char* spec;
        const char* xml;
        const char* element;
        std::size_t a;
        std::size_t b;
        bool same;
    } kCases[] = {
        {"Maven POM", dependencies, "dependency", 0, 1, true}, // a new version
        {"Maven POM", dependencies, "dependency", 0, 2, false},
        {"Maven POM", dependencies, "dependency", 0, 3, false},
        {"Maven POM", plugins, "plugin", 1, 2, true}, // a new version
        // A plugin without its group is another one than one of a named group.
        {"Maven POM", plugins, "plugin", 0, 1, false},
        {"Maven POM", plugins, "plugin", 1, 3, false}, // another group
        {"Maven POM", plugins, "plugin", 0, 4, false},
        {"Maven POM", modules, "module", 0, 1, true},
        {"Maven POM", modules, "module", 0, 2, false},
        {"Maven POM", profiles, "profile", 0, 1, true},
        {"Maven POM", profiles, "profile", 0, 2, false},
        {"Maven POM", executions, "execution", 0, 1, true},
        {"Maven POM", executions, "execution", 0, 2, false},
        {"Maven POM", extensions, "extension", 0, 1, false},
        {"Android Resources", resources, "string", 0, 1, true}, // a translation
        {"Android Resources", resources, "string", 0, 2, false},
        {"Android Resources", resources, "plurals", 0, 1, true},
        {"Android Resources", resources, "item", 1, 2, true}, // plural items by quantity
        {"Android Resources", resources, "item", 0, 2, false},
        {"Android Resources", resources, "item", 0, 3, false}, // style items by name
        {"Android Manifest", manifest, "activity", 0, 1, true},
        {"Android Manifest", manifest, "activity", 0, 2, false},
        {"Android Manifest", permissions, "uses-permission", 0, 1, false},
        {"Android Manifest", permissions, "intent-filter", 0, 1, true},
        {"Android Resources", views, "view", 0, 1, true},
        {"Android Resources", views, "view", 0, 2, false},
        {"Android Resources", views, "pref", 0, 1, true},
        {"Android Resources", views, "pref", 0, 2, false},
        {"ResX Resources", resx, "data", 0, 1, true},
        {"ResX Resources", resx, "data", 0, 2, false},
        {"ResX Resources", resx, "resheader", 0, 1, false},
        {"ResX Resources", resx, "assembly", 0, 1, true},
        {"MSBuild Project", msbuild, "PackageReference", 0, 1, true},
        {"MSBuild Project", msbuild, "PackageReference", 0, 2, false},
        {"MSBuild Project", msbuild, "PropertyGroup", 0, 1, false}, // told apart by conditions
        {"MSBuild Project", msbuild, "PropertyGroup", 0, 2, false},
        {"MSBuild Project", msbuild, "Target", 0, 1, true},
        {"MSBuild Project", msbuild, "Target", 0, 2, false},
        {"XLIFF", xliff12, "trans-unit", 0, 1, true},
        {"XLIFF", xliff12, "trans-unit", 0, 2, false}, // same text, other unit
        {"XLIFF", xliff12, "file", 0, 1, false},
        {"XLIFF", xliff20, "unit", 0, 1, true},
        {"XLIFF", xliff20, "unit", 0, 2, false},
        {"SVG", svg, "linearGradient", 0, 1, true},
        {"SVG", svg, "linearGradient", 0, 2, false},
        {"SVG", svg, "rect", 0, 1, true}, // without ids, elements match by name
        {"Apache Ant", ant, "property", 0, 1, true},
        {"Apache Ant", ant, "target", 0, 1, false},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(std::string(row.spec) + " " + row.element + " " + std::to_string(row.a) + "/" +
                     std::to_string(row.b));
        EXPECT_EQ(Same(Spec(row.spec), row.xml, row.element, row.a, row.b), row.same);
    }
}

TEST_F(ShippedLibrary, ChildrenKeepTheirOrderWhereItMeansSomething) {
    const struct {
        const char* spec;
        std::vector<const char*> sequenced;
        std::vector<const char*> unordered;
    } kCases[] = {
        // Dependency order is the class path order; an execution has no order
        // of its own, and the default rule keeps it.
        {"Maven POM",
         {"dependencies", "plugins", "modules", "execution"},
         {"dependency", "project", "properties"}},
        {"Android Resources", {"string-array"}, {"resources", "plurals"}},
        {"Android Manifest", {"application"}, {}},
        {"ResX Resources", {"root"}, {}},
        // Evaluation follows the file's order; F# compiles in item order.
        {"MSBuild Project", {"Project", "ItemGroup"}, {"PackageReference"}},
        {"XLIFF", {"unit"}, {"body", "file"}}, // segments keep their order
        {"SVG", {"g", "svg"}, {"defs"}},
        {"Apache Ant", {"project"}, {}}, // the first definition of a property wins
    };
    for (const auto& row : kCases) {
        for (const char* element : row.sequenced)
            EXPECT_TRUE(Sequenced(Spec(row.spec), element)) << row.spec << " " << element;
        for (const char* element : row.unordered)
            EXPECT_FALSE(Sequenced(Spec(row.spec), element)) << row.spec << " " << element;
    }
}
