#include "../formats/formats_test_support.h"
#include "compare/side_order.h"
#include "merge/window_title.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class WindowTitleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { FormatsTest::LoadEnglish(); }

    // Base, left and right named by path; the right side also has a title.
    WindowTitleTest() {
        files[kSideBase].SetPath(u"/repo/base.xml");
        files[kSideLeft].SetPath(u"C:\\work\\mine.xml");
        files[kSideRight].SetPath(u"/tmp/theirs.xml");
        files[kSideRight].SetTitle(u"remote/theirs (HEAD)");
    }

    std::u16string Title(bool loaded, bool merge, bool threeWay, const char16_t* count) const {
        return WindowTitle(files, loaded, merge, threeWay, count).Text();
    }

    std::array<CXMLFile, 3> files;
};

constexpr char16_t kAppName[] = u"Velden\u00A0Quillmere";

} // namespace

TEST_F(WindowTitleTest, NamesTheOperationThenTheProgramThenTheCount) {
    struct SCase {
        bool loaded;
        bool merge;
        bool threeWay;
        const char16_t* count;
        std::u16string expected;
    };
    const std::u16string app = kAppName;
    const SCase cases[] = {
        {true, true, true, nullptr, u"Merging mine.xml with theirs (HEAD), base base.xml - " + app},
        {true, false, true, nullptr,
         u"Comparing mine.xml with theirs (HEAD), base base.xml - " + app},
        {true, true, false, nullptr, u"Merging mine.xml with theirs (HEAD) - " + app},
        {true, false, false, nullptr, u"Comparing mine.xml with theirs (HEAD) - " + app},
        {true, false, false, u"", u"Comparing mine.xml with theirs (HEAD) - " + app},
        {true, true, false, u"1 conflict",
         u"Merging mine.xml with theirs (HEAD) - " + app + u" - 1 conflict"},
        {false, true, true, nullptr, app},
        {false, true, true, u"0 conflicts", app},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(Title(test.loaded, test.merge, test.threeWay, test.count), test.expected)
            << "loaded " << test.loaded << ", merge " << test.merge << ", three-way "
            << test.threeWay;
}

TEST_F(WindowTitleTest, LongNamesAreKeptWhole) {
    const std::u16string longName = std::u16string(3000, u'n') + u".xml";
    files[kSideLeft].SetPath((u"/deep/" + longName).c_str());
    const std::u16string count(1500, u'7');
    EXPECT_EQ(Title(true, false, false, count.c_str()),
              u"Comparing " + longName + u" with theirs (HEAD) - " + kAppName + u" - " + count);
}
