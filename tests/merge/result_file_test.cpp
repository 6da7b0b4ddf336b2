#include "framework/buffer.h"
#include "framework/prompts.h"
#include "framework/result.h"
#include "merge/result_file.h"
#include "merge_test_support.h"
#include "text/charset.h"
#include "text/embedded_language.h"
#include "text/translator.h"
#include "xml/doc.h"
#include "xml/writer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

using namespace std::string_literals;
using namespace std::string_view_literals;
namespace fs = std::filesystem;

namespace {

std::string Bytes(const NIO::TBuffer<0>& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.Data()), buffer.Size());
}

struct SEncoding {
    int charset;
    bool utf8Mark;
    std::string_view expected;
};

} // namespace

// "<r>é€𝄞</r>" in every way a result file can be written.
TEST(ResultFile, EncodesInTheLeftFilesCharacterSet) {
    constexpr std::string_view text = "<r>\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E</r>";
    const SEncoding cases[] = {
        {NString::kCharsetUtf8, false, text},
        {NString::kCharsetUtf8, true, "\xEF\xBB\xBF<r>\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E</r>"},
        {NString::kCharsetUtf16Be, false,
         "\xFE\xFF\0<\0r\0>\0\xE9\x20\xAC\xD8\x34\xDD\x1E\0<\0/\0r\0>"sv},
        {NString::kCharsetUtf16Le, false,
         "\xFF\xFE<\0r\0>\0\xE9\0\xAC\x20\x34\xD8\x1E\xDD<\0/\0r\0>\0"sv},
        {NString::kCharsetUtf16, true,
         "\xFF\xFE<\0r\0>\0\xE9\0\xAC\x20\x34\xD8\x1E\xDD<\0/\0r\0>\0"sv},
    };
    for (const SEncoding& encoding : cases) {
        NIO::TBuffer<0> out;
        EXPECT_EQ(EncodeResultFile(text, encoding.charset, encoding.utf8Mark, out),
                  EEncodeResult::Ok);
        EXPECT_EQ(Bytes(out), encoding.expected) << encoding.charset;
    }
}

TEST(ResultFile, SingleByteSetsConvertOrRefuseWhatTheyCannotHold) {
    NIO::TBuffer<0> out;
    ASSERT_EQ(EncodeResultFile("<r>\xC3\xA9\xE2\x82\xAC</r>", 2252, true, out), EEncodeResult::Ok);
    EXPECT_EQ(Bytes(out), "<r>\xE9\x80</r>");

    NIO::TBuffer<0> latin1;
    EXPECT_EQ(EncodeResultFile("<r>\xE2\x82\xAC</r>", NString::kCharsetIso8859_1, false, latin1),
              EEncodeResult::Unrepresentable);
    NIO::TBuffer<0> unknown;
    EXPECT_EQ(EncodeResultFile("<r/>", 0, false, unknown), EEncodeResult::NoConverter);
    EXPECT_EQ(unknown.Size(), 0u);
}

// A parsed document written back and encoded as its left file gives the
// file's bytes, the byte-order mark included.
TEST(ResultFile, ReproducesEveryInputEncodingByteForByte) {
    const std::string_view files[] = {
        "<?xml version='1.0'?>\n<r a='\xC3\xA9'/>\n",
        "\xEF\xBB\xBF<r>\xC3\xA9</r>\r\n",
        "<?xml version='1.0' encoding='windows-1252'?><r>\xE9\x80</r>",
        "\xFE\xFF\0<\0r\0>\0\xE9\0<\0/\0r\0>\0\n"sv,
        "\xFF\xFE<\0r\0>\0\xE9\0<\0/\0r\0>\0\n\0"sv,
    };
    for (const std::string_view file : files) {
        NXML::CDoc doc;
        NIO::TBuffer<0> input;
        input.Borrow(file.data(), file.size());
        ASSERT_EQ(doc.Parse(input), NResult::kOk);
        NIO::TBuffer<0> text;
        ASSERT_EQ(NXML::WriteDocument(text, doc), NResult::kOk);
        NIO::TBuffer<0> out;
        ASSERT_EQ(EncodeResultFile(Bytes(text), doc.charset, doc.byteOrderMark, out),
                  EEncodeResult::Ok);
        EXPECT_EQ(Bytes(out), file);
    }
}

namespace {

class SaveMergedResultTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(NString::NTranslator::Initialise(NString::NTranslator::kBuiltInLanguageResource,
                                                   true, u"/nonexistent/quillmere/Text"),
                  1);
    }
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
    std::string Saved() const {
        std::ifstream in(m_target, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

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
    const std::string latin1 = "<?xml version='1.0' encoding='ISO-8859-1'?><r>\xE9</r>";
    MergeTest::COperation euro(latin1, latin1, "<r>\xC3\xA9<e>\xE2\x82\xAC</e></r>", true);
    EXPECT_EQ(Save(euro), ESaveResult::Failed);
    EXPECT_EQ(Saved(), "kept");
    EXPECT_NE(m_messages.str().find("unresolved conflicts"), std::string::npos) << m_messages.str();
    EXPECT_NE(m_messages.str().find("cannot represent"), std::string::npos) << m_messages.str();
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
        {folder / "missing" / "m.xml", "The folder " + (folder / "missing").string() +
                                           " does not exist, so " +
                                           (folder / "missing" / "m.xml").string() +
                                           " cannot be written."},
        {folder / "sub", "The file " + (folder / "sub").string() +
                             " cannot be written: Is a directory."},
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
