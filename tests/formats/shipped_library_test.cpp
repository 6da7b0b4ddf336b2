#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "formats/shipped_formats.h"
#include "formats/spec_file_name.h"
#include "formats/spec_selection.h"
#include "formats_test_support.h"

#include <gtest/gtest.h>

using FormatsTest::CTempFolder;
using FormatsTest::ParseDocument;
using FormatsTest::ReadTextFile;
using FormatsTest::Written;

namespace {

std::filesystem::path ShippedFolder() {
    // The test data folder is tests/data in the repository.
    return std::filesystem::path(QUILLMERE_TEST_DATA_DIR).parent_path().parent_path() / "data" /
           "Formats";
}

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
        ASSERT_GT(InstallShippedFormats(FormatsTest::U16(ShippedFolder()).c_str(),
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
    for (const auto& entry : std::filesystem::directory_iterator(ShippedFolder())) {
        SCOPED_TRACE(entry.path().filename().string());
        ++count;
        std::unique_ptr<CFileSpec> spec(LoadSpecFile(FormatsTest::U16(entry.path()).c_str()));
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
    EXPECT_EQ(Chosen("<project/>", u"other.xml"), nullptr)
        << "Maven and Ant both claim <project>: another name is the user's choice";
}

namespace {

const char kPom[] = "<project><dependencies>"
                    "<dependency><groupId>org.junit</groupId><artifactId>junit</artifactId>"
                    "<version>4</version></dependency>"
                    "<dependency><version>5</version><artifactId>junit</artifactId>"
                    "<groupId>org.junit</groupId><scope>test</scope></dependency>"
                    "<dependency><groupId>org.junit</groupId><artifactId>hamcrest</artifactId>"
                    "</dependency>"
                    "<dependency><groupId>com.other</groupId><artifactId>junit</artifactId>"
                    "</dependency></dependencies>"
                    "<plugins><plugin><artifactId>maven-jar-plugin</artifactId></plugin>"
                    "<plugin><groupId>org.apache.maven.plugins</groupId>"
                    "<artifactId>maven-jar-plugin</artifactId><version>3</version></plugin>"
                    "<plugin><artifactId>maven-war-plugin</artifactId></plugin></plugins>"
                    "<modules><module>core</module><module> core </module>"
                    "<module>web</module></modules>"
                    "<profiles><profile><id>ci</id></profile><profile><activation/>"
                    "<id>ci</id></profile><profile><id>dev</id></profile></profiles></project>";
const char kAndroid[] = "<resources>"
                        "<string name='app_name'>App</string><string name='app_name'>Appli</string>"
                        "<string name='title'>App</string>"
                        "<plurals name='songs'><item quantity='one'>%d song</item>"
                        "<item quantity='other'>%d songs</item></plurals>"
                        "<plurals name='songs'><item quantity='other'>%d Lieder</item></plurals>"
                        "<style name='Theme'><item name='colorPrimary'>#fff</item></style>"
                        "</resources>";
const char kMsBuild[] = "<Project><ItemGroup>"
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
const char kXliff12[] = "<xliff><file original='a.txt'><body>"
                        "<trans-unit id='greeting'><source>Hi</source></trans-unit>"
                        "<trans-unit id='greeting'><source>Hi</source><target>Hallo</target>"
                        "</trans-unit><trans-unit id='bye'><source>Hi</source></trans-unit>"
                        "</body></file><file original='b.txt'/></xliff>";
const char kXliff20[] = "<xliff><file id='f'><unit id='u1'/><unit id='u1'/><unit id='u2'/>"
                        "</file></xliff>";
const char kSvg[] = "<svg><defs><linearGradient id='g1'/><linearGradient id='g1' x1='0'/>"
                    "<linearGradient id='g2'/></defs><rect/><rect width='2'/></svg>";
const char kAnt[] = "<project><property name='src' value='a'/><property name='src' value='b'/>"
                    "<target name='build'/><target name='test'/></project>";

} // namespace

TEST_F(ShippedLibrary, ElementsAreIdentifiedByWhatTheyName) {
    struct SCase {
        const char* spec;
        const char* xml;
        const char* element;
        std::size_t i;
        std::size_t j;
        bool same;
    };
    const SCase cases[] = {
        // A new version is the same dependency; the group of a plugin may be left out.
        {"Maven POM", kPom, "dependency", 0, 1, true},
        {"Maven POM", kPom, "dependency", 0, 2, false},
        {"Maven POM", kPom, "dependency", 0, 3, false},
        {"Maven POM", kPom, "plugin", 0, 1, true},
        {"Maven POM", kPom, "plugin", 0, 2, false},
        {"Maven POM", kPom, "module", 0, 1, true},
        {"Maven POM", kPom, "module", 0, 2, false},
        {"Maven POM", kPom, "profile", 0, 1, true},
        {"Maven POM", kPom, "profile", 0, 2, false},
        // A translation is the same string; plural items by quantity, style items by name.
        {"Android Resources", kAndroid, "string", 0, 1, true},
        {"Android Resources", kAndroid, "string", 0, 2, false},
        {"Android Resources", kAndroid, "plurals", 0, 1, true},
        {"Android Resources", kAndroid, "item", 1, 2, true},
        {"Android Resources", kAndroid, "item", 0, 2, false},
        {"Android Resources", kAndroid, "item", 0, 3, false},
        // Conditions tell property groups apart.
        {"MSBuild Project", kMsBuild, "PackageReference", 0, 1, true},
        {"MSBuild Project", kMsBuild, "PackageReference", 0, 2, false},
        {"MSBuild Project", kMsBuild, "PropertyGroup", 0, 1, false},
        {"MSBuild Project", kMsBuild, "PropertyGroup", 0, 2, false},
        {"MSBuild Project", kMsBuild, "Target", 0, 1, true},
        {"MSBuild Project", kMsBuild, "Target", 0, 2, false},
        // Same text, other unit.
        {"XLIFF", kXliff12, "trans-unit", 0, 1, true},
        {"XLIFF", kXliff12, "trans-unit", 0, 2, false},
        {"XLIFF", kXliff12, "file", 0, 1, false},
        {"XLIFF", kXliff20, "unit", 0, 1, true},
        {"XLIFF", kXliff20, "unit", 0, 2, false},
        // Without ids, elements match by name.
        {"SVG", kSvg, "linearGradient", 0, 1, true},
        {"SVG", kSvg, "linearGradient", 0, 2, false},
        {"SVG", kSvg, "rect", 0, 1, true},
        {"Apache Ant", kAnt, "property", 0, 1, true},
        {"Apache Ant", kAnt, "target", 0, 1, false},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(Same(Spec(c.spec), c.xml, c.element, c.i, c.j), c.same)
            << c.spec << ": " << c.element << " " << c.i << " and " << c.j;
}

// Dependency order is the class path order, MSBuild evaluates and F# compiles
// in the file's order, array items, segments and painting keep their order,
// and the first definition of an Ant property wins.
TEST_F(ShippedLibrary, OrderMattersWhereTheToolReadsInOrder) {
    struct SCase {
        const char* spec;
        const char* element;
        bool sequenced;
    };
    const SCase cases[] = {
        {"Maven POM", "dependency", false},
        {"Maven POM", "project", false},
        {"Maven POM", "properties", false},
        {"Maven POM", "dependencies", true},
        {"Maven POM", "plugins", true},
        {"Maven POM", "modules", true},
        {"Android Resources", "resources", false},
        {"Android Resources", "plurals", false},
        {"Android Resources", "string-array", true},
        {"MSBuild Project", "Project", true},
        {"MSBuild Project", "ItemGroup", true},
        {"MSBuild Project", "PackageReference", false},
        {"XLIFF", "body", false},
        {"XLIFF", "file", false},
        {"XLIFF", "unit", true},
        {"SVG", "defs", false},
        {"SVG", "g", true},
        {"SVG", "svg", true},
        {"Apache Ant", "project", true},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(Sequenced(Spec(c.spec), c.element), c.sequenced) << c.spec << ": " << c.element;
}
