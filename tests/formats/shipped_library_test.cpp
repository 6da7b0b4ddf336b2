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

TEST_F(ShippedLibrary, MavenDependenciesAreIdentifiedByGroupAndArtifact) {
    const CFileSpec& pom = Spec("Maven POM");
    const char* xml = "<project><dependencies>"
                      "<dependency><groupId>org.junit</groupId><artifactId>junit</artifactId>"
                      "<version>4</version></dependency>"
                      "<dependency><version>5</version><artifactId>junit</artifactId>"
                      "<groupId>org.junit</groupId><scope>test</scope></dependency>"
                      "<dependency><groupId>org.junit</groupId><artifactId>hamcrest</artifactId>"
                      "</dependency>"
                      "<dependency><groupId>com.other</groupId><artifactId>junit</artifactId>"
                      "</dependency>"
                      "</dependencies></project>";
    EXPECT_TRUE(Same(pom, xml, "dependency", 0, 1)) << "a new version is the same dependency";
    EXPECT_FALSE(Same(pom, xml, "dependency", 0, 2));
    EXPECT_FALSE(Same(pom, xml, "dependency", 0, 3));
    EXPECT_FALSE(Sequenced(pom, "dependency")) << "the children of a dependency have no order";
    EXPECT_FALSE(Sequenced(pom, "project"));
    EXPECT_FALSE(Sequenced(pom, "properties"));
    EXPECT_TRUE(Sequenced(pom, "dependencies")) << "dependency order is the class path order";
    EXPECT_TRUE(Sequenced(pom, "plugins"));
    EXPECT_TRUE(Sequenced(pom, "modules"));
}

TEST_F(ShippedLibrary, MavenPluginsAndModulesAreIdentifiedByWhatTheyName) {
    const CFileSpec& pom = Spec("Maven POM");
    const char* plugins = "<plugins><plugin><artifactId>maven-jar-plugin</artifactId></plugin>"
                          "<plugin><groupId>org.apache.maven.plugins</groupId>"
                          "<artifactId>maven-jar-plugin</artifactId><version>3</version></plugin>"
                          "<plugin><version>4</version><artifactId>maven-jar-plugin</artifactId>"
                          "<groupId>org.apache.maven.plugins</groupId></plugin>"
                          "<plugin><groupId>org.example</groupId>"
                          "<artifactId>maven-jar-plugin</artifactId></plugin>"
                          "<plugin><artifactId>maven-war-plugin</artifactId></plugin></plugins>";
    EXPECT_TRUE(Same(pom, plugins, "plugin", 1, 2)) << "a new version is the same plugin";
    EXPECT_FALSE(Same(pom, plugins, "plugin", 0, 1))
        << "a plugin without its group is another one than a plugin of a named group";
    EXPECT_FALSE(Same(pom, plugins, "plugin", 1, 3)) << "another group";
    EXPECT_FALSE(Same(pom, plugins, "plugin", 0, 4));
    const char* modules = "<modules><module>core</module><module> core </module>"
                          "<module>web</module></modules>";
    EXPECT_TRUE(Same(pom, modules, "module", 0, 1));
    EXPECT_FALSE(Same(pom, modules, "module", 0, 2));
    const char* profiles = "<profiles><profile><id>ci</id></profile><profile><activation/>"
                           "<id>ci</id></profile><profile><id>dev</id></profile></profiles>";
    EXPECT_TRUE(Same(pom, profiles, "profile", 0, 1));
    EXPECT_FALSE(Same(pom, profiles, "profile", 0, 2));
    const char* executions = "<executions><execution><id>a</id><phase>p</phase></execution>"
                             "<execution><phase>q</phase><id>a</id></execution>"
                             "<execution><id>b</id><phase>p</phase></execution></executions>";
    EXPECT_TRUE(Same(pom, executions, "execution", 0, 1));
    EXPECT_FALSE(Same(pom, executions, "execution", 0, 2));
    EXPECT_TRUE(Sequenced(pom, "execution")) << "no order of its own: the default keeps it";
    const char* extensions = "<extensions><extension><groupId>g</groupId><artifactId>a"
                             "</artifactId></extension><extension><groupId>h</groupId>"
                             "<artifactId>a</artifactId></extension></extensions>";
    EXPECT_FALSE(Same(pom, extensions, "extension", 0, 1));
}

TEST_F(ShippedLibrary, AndroidResourcesAreIdentifiedByName) {
    const CFileSpec& android = Spec("Android Resources");
    const char* xml = "<resources>"
                      "<string name='app_name'>App</string><string name='app_name'>Appli</string>"
                      "<string name='title'>App</string>"
                      "<plurals name='songs'><item quantity='one'>%d song</item>"
                      "<item quantity='other'>%d songs</item></plurals>"
                      "<plurals name='songs'><item quantity='other'>%d Lieder</item></plurals>"
                      "<style name='Theme'><item name='colorPrimary'>#fff</item></style>"
                      "</resources>";
    EXPECT_TRUE(Same(android, xml, "string", 0, 1)) << "a translation is the same string";
    EXPECT_FALSE(Same(android, xml, "string", 0, 2));
    EXPECT_TRUE(Same(android, xml, "plurals", 0, 1));
    EXPECT_TRUE(Same(android, xml, "item", 1, 2)) << "plural items by quantity";
    EXPECT_FALSE(Same(android, xml, "item", 0, 2));
    EXPECT_FALSE(Same(android, xml, "item", 0, 3)) << "style items by name";
    EXPECT_FALSE(Sequenced(android, "resources"));
    EXPECT_FALSE(Sequenced(android, "plurals"));
    EXPECT_TRUE(Sequenced(android, "string-array")) << "array items keep their order";
}

TEST_F(ShippedLibrary, AndroidElementsAreIdentifiedByTheirIdNameOrKey) {
    const struct {
        const char* spec;
        const char* xml;
        const char* element;
        std::size_t a;
        std::size_t b;
        bool same;
    } kCases[] = {
        {"Android Manifest",
         "<manifest xmlns:android='a'><application>"
         "<activity android:name='.Main' android:label='x'/>"
         "<activity android:name='.Main' android:label='y'/>"
         "<activity android:name='.Settings' android:label='x'/></application></manifest>",
         "activity", 0, 1, true},
        {"Android Manifest", "", "activity", 0, 2, false},
        {"Android Manifest",
         "<manifest xmlns:android='a'><uses-permission android:name='INTERNET'/>"
         "<uses-permission android:name='CAMERA'/><intent-filter/><intent-filter/></manifest>",
         "uses-permission", 0, 1, false},
        {"Android Manifest", "", "intent-filter", 0, 1, true},
        {"Android Resources",
         "<resources xmlns:android='a'><view android:id='@+id/a' x='1'/>"
         "<view android:id='@+id/a' x='2'/><view android:id='@+id/b'/>"
         "<pref android:key='k' a='1'/><pref android:key='k' a='2'/><pref android:key='j'/>"
         "</resources>",
         "view", 0, 1, true},
        {"Android Resources", "", "view", 0, 2, false},
        {"Android Resources", "", "pref", 0, 1, true},
        {"Android Resources", "", "pref", 0, 2, false},
        {"ResX Resources",
         "<root><resheader name='version'><value>2.0</value></resheader>"
         "<resheader name='reader'><value>R</value></resheader>"
         "<data name='Title' xml:space='preserve'><value>Hello</value></data>"
         "<data name='Title'><value>Hallo</value></data>"
         "<data name='Close'><value>Hello</value></data>"
         "<assembly alias='System.Drawing' name='a'/><assembly alias='System.Drawing' name='b'/>"
         "</root>",
         "data", 0, 1, true},
        {"ResX Resources", "", "data", 0, 2, false},
        {"ResX Resources", "", "resheader", 0, 1, false},
        {"ResX Resources", "", "assembly", 0, 1, true},
    };
    const char* xml = "";
    for (const auto& row : kCases) {
        xml = *row.xml != 0 ? row.xml : xml;
        SCOPED_TRACE(std::string(row.spec) + " " + row.element);
        EXPECT_EQ(Same(Spec(row.spec), xml, row.element, row.a, row.b), row.same);
    }
    EXPECT_TRUE(Sequenced(Spec("ResX Resources"), "root")) << "resources keep the file's order";
    EXPECT_TRUE(Sequenced(Spec("Android Manifest"), "application"));
}

TEST_F(ShippedLibrary, MsBuildItemsAreIdentifiedByWhatTheyInclude) {
    const CFileSpec& msbuild = Spec("MSBuild Project");
    const char* xml = "<Project><ItemGroup>"
                      "<PackageReference Include='Serilog' Version='2.0'/>"
                      "<PackageReference Include='Serilog'><Version>3.0</Version>"
                      "</PackageReference>"
                      "<PackageReference Include='Dapper' Version='2.0'/>"
                      "</ItemGroup>"
                      "<PropertyGroup Condition=\"'$(Configuration)'=='Debug'\"/>"
                      "<PropertyGroup Condition=\"'$(Configuration)'=='Release'\"/>"
                      "<PropertyGroup/>"
                      "<Target Name='Build'/><Target Name='Build'/><Target Name='Test'/>"
                      "</Project>";
    EXPECT_TRUE(Same(msbuild, xml, "PackageReference", 0, 1));
    EXPECT_FALSE(Same(msbuild, xml, "PackageReference", 0, 2));
    EXPECT_FALSE(Same(msbuild, xml, "PropertyGroup", 0, 1)) << "conditions tell groups apart";
    EXPECT_FALSE(Same(msbuild, xml, "PropertyGroup", 0, 2));
    EXPECT_TRUE(Same(msbuild, xml, "Target", 0, 1));
    EXPECT_FALSE(Same(msbuild, xml, "Target", 0, 2));
    EXPECT_TRUE(Sequenced(msbuild, "Project")) << "evaluation follows the file's order";
    EXPECT_TRUE(Sequenced(msbuild, "ItemGroup")) << "F# compiles in item order";
    EXPECT_FALSE(Sequenced(msbuild, "PackageReference"));
}

TEST_F(ShippedLibrary, XliffUnitsAreIdentifiedById) {
    const CFileSpec& xliff = Spec("XLIFF");
    const char* v12 = "<xliff><file original='a.txt'><body>"
                      "<trans-unit id='greeting'><source>Hi</source></trans-unit>"
                      "<trans-unit id='greeting'><source>Hi</source><target>Hallo</target>"
                      "</trans-unit><trans-unit id='bye'><source>Hi</source></trans-unit>"
                      "</body></file><file original='b.txt'/></xliff>";
    EXPECT_TRUE(Same(xliff, v12, "trans-unit", 0, 1));
    EXPECT_FALSE(Same(xliff, v12, "trans-unit", 0, 2)) << "same text, other unit";
    EXPECT_FALSE(Same(xliff, v12, "file", 0, 1));
    const char* v20 = "<xliff><file id='f'><unit id='u1'/><unit id='u1'/><unit id='u2'/>"
                      "</file></xliff>";
    EXPECT_TRUE(Same(xliff, v20, "unit", 0, 1));
    EXPECT_FALSE(Same(xliff, v20, "unit", 0, 2));
    EXPECT_FALSE(Sequenced(xliff, "body"));
    EXPECT_FALSE(Sequenced(xliff, "file"));
    EXPECT_TRUE(Sequenced(xliff, "unit")) << "segments keep their order";
}

TEST_F(ShippedLibrary, SvgKeepsPaintingOrderAndIdentifiesById) {
    const CFileSpec& svg = Spec("SVG");
    const char* xml = "<svg><defs><linearGradient id='g1'/><linearGradient id='g1' x1='0'/>"
                      "<linearGradient id='g2'/></defs><rect/><rect width='2'/></svg>";
    EXPECT_TRUE(Same(svg, xml, "linearGradient", 0, 1));
    EXPECT_FALSE(Same(svg, xml, "linearGradient", 0, 2));
    EXPECT_TRUE(Same(svg, xml, "rect", 0, 1)) << "without ids, elements match by name";
    EXPECT_FALSE(Sequenced(svg, "defs"));
    EXPECT_TRUE(Sequenced(svg, "g"));
    EXPECT_TRUE(Sequenced(svg, "svg"));
}

TEST_F(ShippedLibrary, AntTargetsAndPropertiesAreIdentifiedByName) {
    const CFileSpec& ant = Spec("Apache Ant");
    const char* xml = "<project><property name='src' value='a'/><property name='src' value='b'/>"
                      "<target name='build'/><target name='test'/></project>";
    EXPECT_TRUE(Same(ant, xml, "property", 0, 1));
    EXPECT_FALSE(Same(ant, xml, "target", 0, 1));
    EXPECT_TRUE(Sequenced(ant, "project")) << "the first definition of a property wins";
}
