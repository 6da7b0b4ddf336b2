#include "../formats/formats_test_support.h"
#include "framework/buffer.h"
#include "framework/result.h"
#include "merge/conflict_markers.h"
#include "merge/result_file.h"
#include "merge_test_support.h"
#include "services/prompts.h"
#include "xml/doc.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

using namespace std::string_literals;
using namespace std::string_view_literals;
namespace fs = std::filesystem;

namespace {

class SaveMergedResultTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { FormatsTest::LoadEnglish(); }
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quillmere-save-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_target = fs::path(pattern) / "merged.xml";
    }
    void TearDown() override { fs::remove_all(m_target.parent_path()); }

    ESaveResult Save(const MergeTest::COperation& operation) {
        return SaveMergedResult(operation.model, *operation.docs[kSideLeft], 0,
                                m_target.u16string().c_str());
    }
    std::string Saved() const { return FormatsTest::ReadTextFile(m_target); }

    std::ostringstream m_messages;
    NPrompts::CHeadlessPrompts m_prompts{m_messages};
    NPrompts::CScopedPrompts m_scopedPrompts{m_prompts};
    fs::path m_target;
};

} // namespace

TEST_F(SaveMergedResultTest, WritesTheMergeInTheLeftFormWithItsTrailingText) {
    // UTF-16 little-endian left file; the right side adds an attribute.
    const std::string left = "\xFF\xFE<\0r\0>\0<\0a\0/\0>\0<\0/\0r\0>\0\n\0"s;
    MergeTest::COperation operation("<r><a/></r>", left, "<r><a x='1'/></r>\n", true);
    ASSERT_EQ(Save(operation), ESaveResult::Saved);
    EXPECT_EQ(Saved(), "\xFF\xFE<\0r\0>\0<\0a\0 \0x\0=\0'\0\x31\0'\0/\0>\0<\0/\0r\0>\0\n\0"s);
    EXPECT_EQ(m_messages.str(), "");
}

TEST_F(SaveMergedResultTest, RefusesWhileConflictsRemainOrCharactersWouldBeLost) {
    std::ofstream(m_target) << "kept";
    MergeTest::COperation conflict("<r>a</r>", "<r>b</r>", "<r>c</r>", true);
    EXPECT_EQ(Save(conflict), ESaveResult::Unresolved);
    const std::string latin1 = "<?xml version='1.0' encoding='ISO-8859-1'?>\n<r>\xE9</r>";
    // The right file is read as UTF-8 (its mark says so) but keeps the
    // declaration, so the result stays ISO-8859-1.
    MergeTest::COperation euro(latin1, latin1,
                               "\xEF\xBB\xBF<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                               "<r>\xC3\xA9<!--\xE2\x82\xAC--></r>",
                               true);
    EXPECT_EQ(Save(euro), ESaveResult::Failed);
    EXPECT_EQ(Saved(), "kept");
    EXPECT_NE(m_messages.str().find("unresolved conflicts"), std::string::npos) << m_messages.str();
    EXPECT_NE(m_messages.str().find("cannot represent the character U+20AC on line 2"),
              std::string::npos)
        << m_messages.str();
}

namespace {

struct SCharsetCase {
    const char* name;
    std::string_view base;
    std::string_view left;
    std::string_view right;
    std::string_view saved;
    // Part of the warning the save gives; empty for none.
    std::string_view warning;
};

const SCharsetCase kCharsetCases[] = {
    {"RightsNewDeclarationWins", "<?xml version='1.0' encoding='ISO-8859-1'?><r>\xE9</r>",
     "<?xml version='1.0' encoding='ISO-8859-1'?><r>\xE9</r>",
     "<?xml version='1.0' encoding='UTF-8'?><r>\xC3\xA9</r>",
     "<?xml version='1.0' encoding='UTF-8'?><r>\xC3\xA9</r>", ""},
    {"RemovedDeclarationMeansUtf8", "<?xml version='1.0' encoding='windows-1252'?>\n<r>\x80</r>",
     "<?xml version='1.0' encoding='windows-1252'?>\n<r>\x80</r>", "<r>\xE2\x82\xAC</r>",
     "<r>\xE2\x82\xAC</r>", ""},
    // A right file with a mark is read as UTF-8 whatever its declaration says.
    {"UsAsciiGetsReferences", "<?xml version='1.0' encoding='US-ASCII'?><r/>",
     "<?xml version='1.0' encoding='US-ASCII'?><r/>",
     "\xEF\xBB\xBF<?xml version='1.0' encoding='US-ASCII'?><r a='\xC3\xA9'/>",
     "<?xml version='1.0' encoding='US-ASCII'?><r a='&#xE9;'/>", ""},
    // The left's byte order mark stays, before UTF-8 as before any other set.
    {"Utf8MarkOfTheLeftStays", "\xEF\xBB\xBF<r>\xC3\xA9</r>", "\xEF\xBB\xBF<r>\xC3\xA9</r>",
     "<r a='1'>\xC3\xA9</r>", "\xEF\xBB\xBF<r a='1'>\xC3\xA9</r>", ""},
    // The set the right file names cannot be written.
    {"UnwritableDeclarationKeepsTheLeftSet", "<?xml version='1.0' encoding='windows-1252'?><r/>",
     "<?xml version='1.0' encoding='windows-1252'?><r/>",
     "\xEF\xBB\xBF<?xml version='1.0' encoding='JIS_Encoding'?><r>\xC3\xA9</r>",
     "<?xml version='1.0' encoding='JIS_Encoding'?><r>\xE9</r>", "character set JIS_Encoding"},
};

void PrintTo(const SCharsetCase& test, std::ostream* out) {
    *out << test.name;
}

class CSavedCharset : public SaveMergedResultTest,
                      public testing::WithParamInterface<SCharsetCase> {};

// Every byte the parser reads as character data, in the text and in an
// attribute value of a document declared in the character set `name`.
std::string EveryByteDocument(const std::string& name) {
    std::string bytes = "\t\n\r";
    for (int byte = 0x20; byte <= 0xFF; ++byte)
        if (byte != '<' && byte != '&' && byte != '"')
            bytes += static_cast<char>(byte);
    return "<?xml version=\"1.0\" encoding=\"" + name + "\"?>\n<r a=\"" + bytes + "\">" + bytes +
           "</r>\n";
}

} // namespace

TEST_P(CSavedCharset, BytesAgreeWithTheResultsDeclaration) {
    const SCharsetCase& test = GetParam();
    MergeTest::COperation operation(test.base, test.left, test.right, true);
    ASSERT_EQ(Save(operation), ESaveResult::Saved);
    EXPECT_EQ(Saved(), test.saved);
    if (test.warning.empty()) {
        EXPECT_EQ(m_messages.str(), "");
    } else {
        EXPECT_NE(m_messages.str().find(test.warning), std::string::npos) << m_messages.str();
    }
}

INSTANTIATE_TEST_SUITE_P(Merges, CSavedCharset, testing::ValuesIn(kCharsetCases),
                         [](const testing::TestParamInfo<SCharsetCase>& info) {
                             return std::string(info.param.name);
                         });

// A document merged with itself comes back byte for byte in every
// single-byte set, whatever bytes it holds.
TEST_F(SaveMergedResultTest, UnchangedDocumentKeepsEveryByteInEverySingleByteSet) {
    const char* const names[] = {"US-ASCII",     "ISO-8859-1",   "ISO-8859-15",  "windows-1250",
                                 "windows-1251", "windows-1252", "windows-1253", "windows-1254",
                                 "windows-1255", "windows-1256", "windows-1257", "windows-1258",
                                 "TIS-620"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::string document = EveryByteDocument(name);
        MergeTest::COperation operation(document, document, document, true);
        ASSERT_EQ(Save(operation), ESaveResult::Saved);
        EXPECT_EQ(Saved(), document);
    }
    EXPECT_EQ(m_messages.str(), "");
}

// The message names the path and the system's reason; a missing folder is
// named as such and not created.
TEST_F(SaveMergedResultTest, AFailedWriteSaysWhereAndWhy) {
    MergeTest::COperation operation("<r/>", "<r/>", "<r a='1'/>", true);
    const fs::path folder = m_target.parent_path();
    fs::create_directory(folder / "sub");
    struct SCase {
        fs::path target;
        std::string message;
    };
    const SCase cases[] = {
        {folder / "missing" / "m.xml",
         "The folder " + (folder / "missing").string() + " does not exist, so " +
             (folder / "missing" / "m.xml").string() + " cannot be written."},
        {folder / "sub",
         "The file " + (folder / "sub").string() + " cannot be written: Is a directory."},
    };
    for (const SCase& c : cases) {
        m_messages.str("");
        m_target = c.target;
        EXPECT_EQ(Save(operation), ESaveResult::Failed);
        EXPECT_NE(m_messages.str().find(c.message), std::string::npos) << m_messages.str();
    }
    EXPECT_FALSE(fs::exists(folder / "missing"));
    m_target = folder / "merged.xml";
}

namespace {

// UTF-16 little-endian bytes of `text`, with the mark.
std::string Utf16LeFile(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

struct SMarkedCase {
    const char* name;
    std::string base;
    std::string left;
    std::string right;
    std::string saved;
};

} // namespace

// Markers and labels are written in the result's character set; a label's
// character the set lacks becomes "?".
TEST_F(SaveMergedResultTest, ConflictsAreMarkedInTheResultsCharacterSet) {
    const std::string latin1 = "<?xml version='1.0' encoding='ISO-8859-1'?>\n";
    const SMarkedCase cases[] = {
        {"Utf16", "<r>a</r>\n", Utf16LeFile(u"<r>b</r>\n"), "<r>c</r>\n",
         Utf16LeFile(u"<<<<<<< L\u00E9\n<r>b</r>\n||||||| B\n<r>a</r>\n=======\n<r>c</r>\n"
                     u">>>>>>> R\u20AC\n")},
        {"Latin1", latin1 + "<r>a</r>\n", latin1 + "<r>b</r>\n", latin1 + "<r>c</r>\n",
         latin1 + "<<<<<<< L\xE9\n<r>b</r>\n||||||| B\n<r>a</r>\n=======\n<r>c</r>\n>>>>>>> R?\n"},
    };
    SConflictMarkers markers;
    markers.labels = {"B", "L\xC3\xA9", "R\xE2\x82\xAC"};
    for (const SMarkedCase& test : cases) {
        SCOPED_TRACE(test.name);
        m_messages.str("");
        MergeTest::COperation operation(test.base, test.left, test.right, true);
        EXPECT_EQ(SaveMergedResult(operation.model, *operation.docs[kSideLeft], 0,
                                   m_target.u16string().c_str(), &markers),
                  ESaveResult::Marked);
        EXPECT_EQ(Saved(), test.saved);
        EXPECT_NE(m_messages.str().find("saved with each of them marked"), std::string::npos)
            << m_messages.str();
    }
}
