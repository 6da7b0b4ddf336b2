#include "../support/iconv_encoded.h"
#include "merge/result_encoding.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <string>

using TestSupport::IconvEncoded;

namespace {

// A set read through iconv and four words of its script.
struct SSetWords {
    const char* name;
    const char* words[4];
};

const SSetWords kSets[] = {
    {"Shift_JIS", {"日本語", "かな", "カナ", "「漢字」"}},
    {"EUC-JP", {"日本語", "かな", "カナ", "「漢字」"}},
    {"EUC-KR", {"한국어", "안녕", "하세요", "漢字"}},
    {"Big5", {"中文", "繁體", "字型", "測試"}},
    {"GB2312", {"中文", "简体", "字型", "测试"}},
    {"KOI8-R", {"Привет", "Съешь", "ещё", "булок"}},
    {"IBM866", {"Привет", "Съешь", "ещё", "░▒▓"}},
    {"ISO-8859-2", {"Łódź", "Příliš", "žluťoučký", "kůň"}},
    {"ISO-8859-5", {"Привет", "Съешь", "ещё", "булок"}},
    {"ISO-8859-7", {"Ελληνικά", "Καλημέρα", "κόσμε", "ΑΒΓ"}},
    // Not a name of the registry: only the C library knows it.
    {"MacCyrillic", {"Привет", "Съешь", "ещё", "булок"}},
};

// A document in the set `name` (as Unicode text), its words in an attribute
// value, two texts and a comment.
std::string Document(const char* name, std::string_view value, std::string_view first,
                     std::string_view second, std::string_view comment) {
    std::string text = "<?xml version=\"1.0\" encoding=\"";
    text.append(name).append("\"?>\n<doc>\n  <a v=\"").append(value).append("\">");
    text.append(first).append("</a>\n  <b>").append(second).append("</b>\n  <!-- ");
    text.append(comment).append(" -->\n</doc>\n");
    return text;
}

// The bytes a save writes for the merge: the merged text in the form the
// left file and the result's declaration ask for.
std::string SavedBytes(const MergeTest::COperation& operation) {
    const std::string text = operation.Merged();
    const NXML::CDoc& left = *operation.docs[kSideLeft];
    const SResultForm form = ResultForm(text, {left.charset, left.byteOrderMark});
    NIO::TBuffer<0> out;
    if (EncodeResultFile(text, form.charset, form.byteOrderMark, out) != EEncodeResult::Ok)
        return "<not encoded>";
    return XmlTest::StreamContent(out);
}

class CSystemCharsetMerge : public testing::TestWithParam<SSetWords> {};

} // namespace

// A file merged with itself comes back byte for byte.
TEST_P(CSystemCharsetMerge, UnchangedFileKeepsEveryByte) {
    const SSetWords& set = GetParam();
    const std::string file = IconvEncoded(
        set.name, Document(set.name, set.words[0], set.words[1], set.words[2], set.words[3]));
    ASSERT_FALSE(file.empty());
    MergeTest::COperation operation(file, file, file, true);
    ASSERT_NE(operation.docs[kSideLeft]->FirstChildElement(), nullptr);
    EXPECT_EQ(operation.model.DifferenceCount(), 0u);
    EXPECT_EQ(SavedBytes(operation), file);
}

// The left side changes the first text, the right side the value; the right
// file is UTF-8 (with a mark) and adds a character no such set holds, which
// the result refers to.
TEST_P(CSystemCharsetMerge, ChangesOfBothSidesAreWrittenInTheLeftSet) {
    const SSetWords& set = GetParam();
    const char* const* w = set.words;
    const std::string base = IconvEncoded(set.name, Document(set.name, w[0], w[1], w[2], w[3]));
    const std::string left = IconvEncoded(set.name, Document(set.name, w[0], w[3], w[2], w[3]));
    const std::string changedValue = std::string(w[1]) + "\xF0\x9F\x98\x80";
    const std::string right = "\xEF\xBB\xBF" + Document(set.name, changedValue, w[1], w[2], w[3]);
    const std::string expected = IconvEncoded(
        set.name, Document(set.name, std::string(w[1]) + "&#x1F600;", w[3], w[2], w[3]));
    ASSERT_FALSE(base.empty());
    ASSERT_FALSE(left.empty());
    ASSERT_FALSE(expected.empty());
    MergeTest::COperation operation(base, left, right, true);
    EXPECT_EQ(operation.model.ConflictCount(), 0u);
    EXPECT_EQ(SavedBytes(operation), expected);
}

INSTANTIATE_TEST_SUITE_P(Sets, CSystemCharsetMerge, testing::ValuesIn(kSets),
                         [](const testing::TestParamInfo<SSetWords>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// A character the set cannot hold in a comment has no reference: the save
// is refused and says which character on which line.
TEST(SystemCharsetMergeFailure, UnrepresentableCharacterInACommentIsRefused) {
    const std::string base = IconvEncoded("KOI8-R", Document("KOI8-R", "Жук", "a", "b", "c"));
    const std::string right = "\xEF\xBB\xBF" + Document("KOI8-R", "Жук", "a", "b", "\xE4\xB8\xAD");
    MergeTest::COperation operation(base, base, right, true);
    const std::string text = operation.Merged();
    NIO::TBuffer<0> out;
    SUnrepresentable where;
    EXPECT_EQ(EncodeResultFile(text, 2084, false, out, &where), EEncodeResult::Unrepresentable);
    EXPECT_EQ(where.codePoint, U'\x4E2D');
    EXPECT_EQ(where.line, 5u);
}
