#include "../formats/formats_test_support.h"
#include "merge/report.h"
#include "merge/text_editing.h"
#include "merge_test_support.h"

#include <gtest/gtest.h>
#include <string>

using MergeTest::COperation;

namespace {

class ReportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { FormatsTest::LoadEnglish(); }

    static std::string Report(const COperation& operation) {
        const std::array<SReportFile, 3> files{
            SReportFile{u"/data/base.xml", u"base.xml"},
            SReportFile{u"in/left.xml", u"draft"},
            SReportFile{u"right.xml", u"right.xml"},
        };
        std::tm time{};
        time.tm_year = 2010 - 1900;
        time.tm_mon = 2;
        time.tm_mday = 7;
        time.tm_hour = 9;
        time.tm_min = 5;
        time.tm_sec = 2;
        NIO::TBuffer<0> out;
        if (!WriteReport(out, operation.model, files, time))
            return "<failed>";
        return MergeTest::StreamContent(out);
    }
};

} // namespace

TEST_F(ReportTest, ThreeWayMergeListsResolvedDifferencesAndConflicts) {
    // The left side changes b, the right side adds d; both change c.
    COperation operation("<r><b x='1'/><c>t</c></r>", "<r><b x='2'/><c>u</c></r>",
                         "<r><b x='1'/><c>v</c><d/></r>", true);
    EXPECT_EQ(Report(operation), "Report: Three-way merge.\r\n"
                                 "Time: 2010-03-07 09:05:02\r\n"
                                 "Differences: 2\r\n"
                                 "Conflicts: 1\r\n"
                                 "Input: >>-- in/left.xml (draft)\r\n"
                                 "Input: -==- /data/base.xml (base.xml)\r\n"
                                 "Input: --<< right.xml (right.xml)\r\n"
                                 "\r\n\r\n1-D: <r.b>\r\n"
                                 ">>-- draft\r\n>>--\r\n>>--\tx='2'\r\n>>--\r\n"
                                 "-==- base.xml\r\n-==-\r\n-==-\tx='1'\r\n-==-\r\n"
                                 "--<< right.xml\r\n--<<\r\n--<<\tx='1'\r\n--<<\r\n"
                                 "\r\n\r\n2-C: <r.c>\r\n"
                                 ">>-- draft\r\n>>--\r\n>>--\tu\r\n>>--\r\n"
                                 "-==- base.xml\r\n-==-\r\n-==-\tt\r\n-==-\r\n"
                                 "--<< right.xml\r\n--<<\r\n--<<\tv\r\n--<<\r\n"
                                 // Only the right side has d: the others show their marker lines.
                                 "\r\n\r\n3-D: <r>\r\n"
                                 ">>-- draft\r\n>>--\r\n>>--\r\n"
                                 "-==- base.xml\r\n-==-\r\n-==-\r\n"
                                 "--<< right.xml\r\n--<<\r\n--<<\t<d\r\n--<<\t/>\r\n--<<\r\n");
}

TEST_F(ReportTest, CompareCountsEveryDifferenceAndNoConflict) {
    COperation operation(std::nullopt, "<r><a/><b x='1'/></r>", "<r><b x='2'/><e>t</e></r>", false);
    EXPECT_EQ(Report(operation), "Report: Two-way comparison.\r\n"
                                 "Time: 2010-03-07 09:05:02\r\n"
                                 "Differences: 3\r\n"
                                 "Conflicts: 0\r\n"
                                 "Input: >>-- in/left.xml (draft)\r\n"
                                 "Input: --<< right.xml (right.xml)\r\n"
                                 "\r\n\r\n1-D: <r>\r\n"
                                 ">>-- draft\r\n>>--\r\n>>--\t<a\r\n>>--\t/>\r\n>>--\r\n"
                                 "--<< right.xml\r\n--<<\r\n--<<\r\n"
                                 "\r\n\r\n2-D: <r.b>\r\n"
                                 ">>-- draft\r\n>>--\r\n>>--\tx='1'\r\n>>--\r\n"
                                 "--<< right.xml\r\n--<<\r\n--<<\tx='2'\r\n--<<\r\n"
                                 "\r\n\r\n3-D: <r>\r\n"
                                 ">>-- draft\r\n>>--\r\n>>--\r\n"
                                 "--<< right.xml\r\n--<<\r\n--<<\t<e\r\n--<<\t>\r\n--<<\t\tt\r\n"
                                 "--<<\t</e>\r\n--<<\r\n");
}

TEST_F(ReportTest, WithoutDifferencesOnlyTheHeaderIsWritten) {
    COperation operation(std::nullopt, "<r/>", "<r/>", true);
    EXPECT_EQ(Report(operation), "Report: Two-way merge.\r\n"
                                 "Time: 2010-03-07 09:05:02\r\n"
                                 "Differences: 0\r\n"
                                 "Conflicts: 0\r\n"
                                 "Input: >>-- in/left.xml (draft)\r\n"
                                 "Input: --<< right.xml (right.xml)\r\n");
}

TEST_F(ReportTest, ProcessingInstructionsCdataAndTheDocumentTypeShowTheirText) {
    COperation operation(std::nullopt, "<!DOCTYPE r [<!ENTITY e 'a'>]><r><?pi one\r\ntwo?></r>",
                         "<!DOCTYPE r [<!ENTITY e 'b'>]><r><![CDATA[x\ny]]></r>", false);
    const std::string report = Report(operation);
    const std::size_t body = report.find("\r\n\r\n1-");
    ASSERT_NE(body, std::string::npos) << report;
    // A declaration of the subset is matched by its whole text.
    EXPECT_EQ(report.substr(body), "\r\n\r\n1-D: \r\n"
                                   ">>-- draft\r\n>>--\r\n>>--\t<!ENTITY e 'a'>\r\n>>--\r\n"
                                   "--<< right.xml\r\n--<<\r\n--<<\r\n"
                                   "\r\n\r\n2-D: \r\n"
                                   ">>-- draft\r\n>>--\r\n>>--\r\n"
                                   "--<< right.xml\r\n--<<\r\n--<<\t<!ENTITY e 'b'>\r\n--<<\r\n"
                                   "\r\n\r\n3-D: <r>\r\n"
                                   ">>-- draft\r\n>>--\r\n>>--\t<?pi one\r\n>>--\ttwo?>\r\n>>--\r\n"
                                   "--<< right.xml\r\n--<<\r\n--<<\r\n"
                                   "\r\n\r\n4-D: <r>\r\n"
                                   ">>-- draft\r\n>>--\r\n>>--\r\n"
                                   "--<< right.xml\r\n--<<\r\n--<<\t<![CDATA[x\r\n--<<\ty]]>\r\n"
                                   "--<<\r\n");
}

// Which changes collide shows in a three-way compare too; the counts stay
// those of a compare.
TEST_F(ReportTest, ThreeWayCompareMarksWhereAllThreeSidesDiffer) {
    COperation operation("<r><b x='1'/><c>t</c></r>", "<r><b x='2'/><c>u</c></r>",
                         "<r><b x='1'/><c>v</c></r>", false);
    const std::string report = Report(operation);
    EXPECT_NE(report.find("Differences: 2\r\nConflicts: 0\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\r\n\r\n1-D: <r.b>\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\r\n\r\n2-C: <r.c>\r\n"), std::string::npos) << report;
}

TEST_F(ReportTest, ShowsEditedTextAsItIsWritten) {
    COperation operation("<r><b x='1'/><c>t</c></r>", "<r><b x='2'/><c>u</c></r>",
                         "<r><b x='3'/><c>v</c></r>", true);
    // Values of the right side: the attribute's, then the text's, each after
    // its first character.
    const auto lineShowing = [&operation](const char16_t* shown) {
        for (TLine n = 0; n < operation.model.LineCount(); ++n) {
            NString::TStr<char16_t> text;
            operation.model.Root().FindLine(n)->GetLineText(text, n, nullptr);
            if (std::u16string_view(text.Text()) == shown)
                return n;
        }
        return kNoLine;
    };
    TypeText(operation.model, {lineShowing(u"'3'"), 2}, {}, "<'", nullptr);
    TypeText(operation.model, {lineShowing(u"v"), 1}, {}, "&", nullptr);
    const std::string report = Report(operation);
    EXPECT_NE(report.find("--<<\tx='3&lt;&apos;'\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("--<<\tv&amp;\r\n"), std::string::npos) << report;
}

// A silent compare leaves out the subtrees that every side holds alike, but
// not those within a difference: its alternatives are reported whole. The
// element differs here by the namespace its prefix stands for.
TEST_F(ReportTest, ACompareForAReportOnlyReportsAlikeSubtreesWithinDifferences) {
    const char* left = "<r xmlns:p='u1'><p:a><b k='1'>t</b></p:a><c k='2'>u</c></r>";
    const char* right = "<r xmlns:p='u2'><p:a><b k='1'>t</b></p:a><c k='2'>u</c></r>";
    const COperation whole(std::nullopt, left, right, false);
    const COperation reportOnly(std::nullopt, left, right, false, nullptr, true);
    const std::string report = Report(reportOnly);
    EXPECT_EQ(report, Report(whole));
    EXPECT_NE(report.find("\t\tk='1'"), std::string::npos) << report;
    EXPECT_LT(reportOnly.root.ChildCount(true), whole.root.ChildCount(true));
}
