#include "framework/str.h"
#include "framework/string_functions.h"
#include "round_trip_support.h"
#include "text/charset.h"
#include "xml/doc.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using XmlTest::FirstDifference;
using XmlTest::InCharset;
using XmlTest::Written;

namespace {

const std::filesystem::path kDataDir = QUILLMERE_TEST_DATA_DIR "/xml";

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kDataDir / "corpus")) {
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

int Load(NXML::CDoc& doc, const std::filesystem::path& path) {
    const NString::TStr<char16_t> utf16Path(path.string().c_str());
    return doc.Load(utf16Path.Text());
}

std::string WithoutByteOrderMark(const std::string& bytes) {
    for (const std::string_view mark : {"\xEF\xBB\xBF", "\xFE\xFF", "\xFF\xFE"}) {
        if (bytes.starts_with(mark))
            return bytes.substr(mark.size());
    }
    return bytes;
}

std::string WithCrLf(const std::string& text) {
    std::string converted;
    for (const char character : text) {
        if (character == '\n')
            converted += '\r';
        converted += character;
    }
    return converted;
}

} // namespace

TEST(CorpusRoundTrip, EveryDocumentComesBackByteForByte) {
    const std::vector<std::filesystem::path> files = CorpusFiles();
    ASSERT_GE(files.size(), 20u);
    for (const std::filesystem::path& path : files) {
        NXML::CDoc doc;
        ASSERT_EQ(Load(doc, path), NResult::kOk) << path;
        const std::string expected = WithoutByteOrderMark(ReadFile(path));
        const std::string difference =
            FirstDifference(expected, InCharset(Written(doc), doc.charset));
        EXPECT_TRUE(difference.empty()) << path.filename() << ": " << difference;
    }
}

TEST(CorpusRoundTrip, CoversEveryCharsetWithAConverter) {
    std::set<int> charsets;
    for (const std::filesystem::path& path : CorpusFiles()) {
        NXML::CDoc doc;
        ASSERT_EQ(Load(doc, path), NResult::kOk) << path;
        charsets.insert(doc.charset);
    }
    std::set<int> expected = {NString::kCharsetUtf8,       NString::kCharsetUtf16Le,
                              NString::kCharsetUtf16Be,    NString::kCharsetIso8859_1,
                              NString::kCharsetIso8859_15, NString::kCharsetTis620};
    for (int codePage = NString::kCharsetWindows1250; codePage <= NString::kCharsetWindows1258;
         ++codePage)
        expected.insert(codePage);
    EXPECT_EQ(charsets, expected);
}

TEST(CorpusDecoding, EncodedVariantsReadAsTheTextOfTheirSources) {
    std::istringstream manifest(ReadFile(kDataDir / "generated.tsv"));
    int variants = 0;
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line.starts_with('#'))
            continue;
        std::istringstream fields(line);
        std::string output, source, lineEnds;
        ASSERT_TRUE(fields >> output >> source >> lineEnds) << line;
        NXML::CDoc doc;
        ASSERT_EQ(Load(doc, kDataDir / output), NResult::kOk) << output;
        std::string expected = ReadFile(kDataDir / source);
        if (lineEnds == "crlf")
            expected = WithCrLf(expected);
        const std::string difference = FirstDifference(expected, Written(doc));
        EXPECT_TRUE(difference.empty()) << output << ": " << difference;
        ++variants;
    }
    EXPECT_GE(variants, 20);
}
