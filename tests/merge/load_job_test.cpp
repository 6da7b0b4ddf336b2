#include "../formats/formats_test_support.h"
#include "../formats/scripted_prompts.h"
#include "compare/code_page_notice.h"
#include "compare/load_progress.h"
#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "framework/buffer.h"
#include "framework/event.h"
#include "framework/job_manager.h"
#include "framework/result.h"
#include "framework/str.h"
#include "merge/load_job.h"
#include "merge/operation.h"
#include "merge/xml_clipboard.h"
#include "merge/xml_editing.h"
#include "services/flags.h"
#include "services/settings_backend.h"
#include "xml/element.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using FormatsTest::CTempFolder;
using FormatsTest::U16;
using FormatsTest::WriteTextFile;

// Records every progress position and the end.
class CRecordedProgress final : public CLoadProgress {
public:
    void SetPosition(int percent) override { positions.push_back(percent); }
    void End() override { positions.push_back(-1); }
    std::vector<int> positions;
};

// Messages are UTF-16; failures show them as UTF-8.
std::string U8(const std::u16string& text) {
    return NString::TStr<char>(text.c_str()).Text();
}

std::vector<int> g_notices;
bool RecordNotice(int charset) {
    g_notices.push_back(charset);
    return true;
}
bool RecordUnconfirmedNotice(int charset) {
    g_notices.push_back(charset);
    return false;
}

class LoadJob : public ::testing::Test {
protected:
    LoadJob() : m_backend(m_settings) {
        FormatsTest::LoadEnglish();
        formats.LoadFrom(m_formatsFolder.Folder().c_str());
        // The documents share one specification, so no question is asked.
        WriteTextFile(m_formatsFolder.Path() / "inventory.qmfmt",
                      "<file name='inventory' filenames='*.xml' root='inventory'>"
                      "<element name='item'><attribute name='sku'/></element></file>");
        formats.LoadFrom(m_formatsFolder.Folder().c_str());
        flags.Load(NSettings::kDefaultFlags);
    }

    // Writes an input file and names it on `side`.
    std::u16string Input(int side, const std::string& name, const std::string& content) {
        const std::filesystem::path path = m_files.Path() / name;
        WriteTextFile(path, content);
        operation.files[static_cast<std::size_t>(side)].SetPath(U16(path).c_str());
        return U16(path);
    }

    void Mode(bool threeWay, bool merge) {
        flags.Change(NSettings::kFlagThreeWay, threeWay);
        flags.Change(NSettings::kFlagMerge, merge);
    }

    std::vector<int> Run(ELoadInputs inputs = ELoadInputs::Read) {
        CRecordedProgress progress;
        CLoadJob job(operation, progress, &owner, inputs);
        job.Execute();
        failedSide = job.FailedSide();
        return progress.positions;
    }

    bool Failed() const { return flags.Has(NSettings::kFlagLoadFailed); }

    NSettings::CMemoryBackend m_settings;
    NSettings::CScopedBackend m_backend;
    CTempFolder m_formatsFolder;
    CTempFolder m_files;
    FormatsTest::CScriptedPrompts prompts;
    NSettings::CFlags flags;
    CFormatList formats;
    COperation operation{flags, formats};
    int owner = 0;
    int failedSide = -1;
};

const char kInventory[] = "<inventory><item sku='1'/></inventory>\n";

TEST_F(LoadJob, TwoWayLoadReportsEachFileThenTheEnd) {
    Mode(false, false);
    Input(kSideLeft, "a.xml", kInventory);
    Input(kSideRight, "b.xml", "<inventory><item sku='2'/></inventory>");
    EXPECT_EQ(Run(), (std::vector<int>{25, 50, 100, -1}));
    EXPECT_FALSE(Failed());
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_NE(operation.spec, nullptr);
    EXPECT_TRUE(operation.spec->IsInUse());
    EXPECT_EQ(operation.model.DifferenceCount(), 2u);
    EXPECT_FALSE(flags.Has(NSettings::kFlagResultUnsaved)) << "a compare has nothing to save";
}

// A silent compare writes only a report, so what every side holds alike
// is not matched below its top; a merge or a window needs all of it.
TEST_F(LoadJob, OnlyASilentCompareMatchesForAReportOnly) {
    struct SCase {
        bool silent, merge, reportOnly;
    };
    for (const SCase test : {SCase{true, false, true}, SCase{true, true, false},
                             SCase{false, false, false}, SCase{false, true, false}}) {
        Mode(false, test.merge);
        flags.Change(NSettings::kFlagSilent, test.silent);
        Input(kSideLeft, "a.xml", "<inventory><item sku='1'><n>x</n></item></inventory>");
        Input(kSideRight, "b.xml", "<inventory><item sku='1'><n>x</n></item><item/></inventory>");
        Run();
        ASSERT_FALSE(Failed());
        EXPECT_EQ(operation.model.Context().reportOnly, test.reportOnly)
            << test.silent << test.merge;
        // The inventory, and below it both items or the whole of the first.
        EXPECT_EQ(operation.matchRoot.ChildCount(true), test.reportOnly ? 3u : 5u)
            << test.silent << test.merge;
        EXPECT_EQ(operation.model.DifferenceCount(), 1u) << test.silent << test.merge;
    }
}

TEST_F(LoadJob, ThreeWayMergeLoadsLeftBaseRightAndCountsAsUnsaved) {
    Mode(true, true);
    Input(kSideLeft, "a.xml", kInventory);
    Input(kSideBase, "o.xml", kInventory);
    Input(kSideRight, "b.xml", "<inventory><item sku='1'/><item sku='3'/></inventory>");
    EXPECT_EQ(Run(), (std::vector<int>{25, 50, 75, 100, -1}));
    EXPECT_FALSE(Failed());
    EXPECT_EQ(operation.model.DifferenceCount(), 1u);
    EXPECT_EQ(operation.model.ConflictCount(), 0u);
    EXPECT_TRUE(flags.Has(NSettings::kFlagResultUnsaved));
}

TEST_F(LoadJob, ARebuildKeepsTheFilesAndMatchesWithTheChangedSpecification) {
    Mode(false, false);
    Input(kSideLeft, "a.xml", "<inventory><item sku='1'/><item sku='2'/></inventory>");
    const std::u16string right =
        Input(kSideRight, "b.xml", "<inventory><item sku='2'/><item sku='1'/></inventory>");
    Run();
    EXPECT_EQ(operation.model.DifferenceCount(), 2u) << "the items keep their order";
    // The file on disk changes, but a rebuild matches the documents it has.
    WriteTextFile(m_files.Path() / "b.xml", kInventory);
    CFormatList edited;
    edited.CopyFrom(formats);
    auto* inventory = new CElementSpec;
    inventory->name = "inventory";
    inventory->SetFlags(CSpecBase::kRandom);
    edited.FirstSpec()->AddRule(inventory);
    operation.ReplaceFormats(edited);
    EXPECT_EQ(operation.spec, formats.FirstSpec());
    EXPECT_EQ(operation.model.Context().spec, formats.FirstSpec()) << "nothing refers to the old";
    EXPECT_EQ(Run(ELoadInputs::Keep), (std::vector<int>{100, -1}));
    EXPECT_FALSE(Failed());
    EXPECT_EQ(operation.spec, formats.FirstSpec());
    EXPECT_EQ(operation.model.DifferenceCount(), 0u) << "in any order, items of one sku match";
}

TEST_F(LoadJob, ALoadEmptiesTheXMLClipboardThatRefersToTheOldDocuments) {
    Mode(true, true);
    Input(kSideLeft, "a.xml", kInventory);
    Input(kSideBase, "o.xml", kInventory);
    Input(kSideRight, "b.xml", kInventory);
    Run();
    CXMLClipboard& clipboard = TheXMLClipboard();
    ASSERT_TRUE(clipboard.Fill(operation.model, {0, 1}, {0, 0}));
    Run();
    EXPECT_TRUE(clipboard.IsEmpty());
    EXPECT_FALSE(PasteXML(operation.model, clipboard, {0, 0}, {}, nullptr));
}

// The files are read side by side, but only the first in side order that
// fails is told about.
TEST_F(LoadJob, OnlyTheFirstBrokenFileIsToldAndThePreviousOperationIsDiscarded) {
    Mode(true, true);
    Input(kSideLeft, "a.xml", kInventory);
    Input(kSideBase, "o.xml", kInventory);
    Input(kSideRight, "b.xml", "<inventory><item sku='9'/></inventory>");
    Run();
    ASSERT_EQ(operation.model.DifferenceCount(), 2u);

    const std::u16string base = Input(kSideBase, "o.xml", "<inventory>\n  <item sku='1'/>\n");
    Input(kSideRight, "b.xml", "<inventory></item>");
    EXPECT_EQ(Run(), (std::vector<int>{25, 100, -1}));
    EXPECT_TRUE(Failed());
    EXPECT_EQ(failedSide, kSideBase);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find(base), std::u16string::npos);
    EXPECT_NE(prompts.messages[0].text.find(u"is not a well-formed XML file"),
              std::u16string::npos);
    EXPECT_NE(prompts.messages[0].text.find(
                  u"Line 1, column 1: this element has no end tag before the end of the file"),
              std::u16string::npos)
        << U8(prompts.messages[0].text);
    EXPECT_EQ(prompts.messages[0].owner, &owner);
    EXPECT_EQ(prompts.messages[0].icon, NPrompts::EIcon::Error);
    EXPECT_NE(operation.files[kSideLeft].FirstChild(), nullptr) << "the left file loaded";
    EXPECT_EQ(operation.model.DifferenceCount(), 0u);
    EXPECT_EQ(operation.matchRoot.FirstChild(), nullptr);
    EXPECT_EQ(operation.spec, nullptr);
}

// Files that are not whole XML documents are refused with one message that
// says where and why, before any format specification is looked for.
TEST_F(LoadJob, FilesThatAreNotWholeDocumentsAreRefusedWithWhereAndWhy) {
    struct SCase {
        std::string content;
        std::u16string detail;
    };
    const SCase cases[] = {
        {"", u"Line 1, column 1: the file holds no XML element."},
        {"plain text\nin two lines\n", u"Line 3, column 1: the file holds no XML element."},
        {std::string("<inventory>\0</inventory>", 24), u"Line 1, column 12: a zero byte"},
        {"<inventory>\n<item sku='1></inventory>\n",
         u"Line 2, column 11: an attribute value without its closing quotation mark."},
        {"<inventory><item></inventory>", u"Line 1, column 18: an end tag that does not match"},
    };
    Mode(false, true);
    for (const SCase& c : cases) {
        prompts.messages.clear();
        const std::u16string left = Input(kSideLeft, "a.xml", c.content);
        Input(kSideRight, "b.xml", kInventory);
        Run();
        EXPECT_TRUE(Failed());
        EXPECT_EQ(failedSide, kSideLeft);
        ASSERT_EQ(prompts.messages.size(), 1u) << c.content;
        const std::u16string& text = prompts.messages[0].text;
        EXPECT_NE(text.find(left), std::u16string::npos) << U8(text);
        EXPECT_NE(text.find(c.detail), std::u16string::npos) << U8(text);
        EXPECT_EQ(operation.spec, nullptr);
    }
}

TEST_F(LoadJob, MissingFileFailsWithoutAMessage) {
    Mode(false, true);
    Input(kSideLeft, "a.xml", kInventory);
    operation.files[kSideRight].SetPath(U16(m_files.Path() / "missing.xml").c_str());
    EXPECT_EQ(Run(), (std::vector<int>{25, 100, -1}));
    EXPECT_TRUE(Failed());
    EXPECT_EQ(failedSide, kSideRight);
    EXPECT_TRUE(prompts.messages.empty());
}

// The message says the server was told only when the notice's sender
// confirms it.
TEST_F(LoadJob, UnsupportedEncodingSendsTheNoticeThenTellsTheUser) {
    struct SCase {
        FCodePageNoticeSender sender;
        std::size_t notices;
        bool told;
    };
    const SCase cases[] = {
        {RecordNotice, 1, true},
        {RecordUnconfirmedNotice, 1, false},
        {nullptr, 0, false},
    };
    Mode(false, false);
    for (const SCase& c : cases) {
        g_notices.clear();
        prompts.messages.clear();
        const FCodePageNoticeSender previous = InstallCodePageNoticeSender(c.sender);
        const std::u16string left =
            Input(kSideLeft, "a.xml", "<?xml version='1.0' encoding='JIS_Encoding'?><inventory/>");
        Input(kSideRight, "b.xml", kInventory);
        Run();
        InstallCodePageNoticeSender(previous);
        EXPECT_TRUE(Failed());
        EXPECT_EQ(g_notices, std::vector<int>(c.notices, operation.files[kSideLeft].charset));
        ASSERT_EQ(prompts.messages.size(), 1u);
        const std::u16string& text = prompts.messages[0].text;
        EXPECT_NE(text.find(left), std::u16string::npos);
        EXPECT_NE(text.find(u"not supported"), std::u16string::npos);
        EXPECT_EQ(text.find(u"has been told") != std::u16string::npos, c.told) << c.notices;
    }
}

// A set the C library converts, but whose bytes would not come back as they
// are, is refused with a message of its own and no notice: the set is supported.
TEST_F(LoadJob, InexactEncodingIsRefusedWithItsOwnMessage) {
    Mode(false, false);
    g_notices.clear();
    const FCodePageNoticeSender previous = InstallCodePageNoticeSender(RecordNotice);
    // 0x81 starts a two-byte Shift_JIS character that "<" cannot end.
    const std::u16string left =
        Input(kSideLeft, "a.xml",
              "<?xml version='1.0' encoding='Shift_JIS'?><inventory>\x81</inventory>");
    Input(kSideRight, "b.xml", kInventory);
    Run();
    InstallCodePageNoticeSender(previous);
    EXPECT_TRUE(Failed());
    EXPECT_TRUE(g_notices.empty());
    ASSERT_EQ(prompts.messages.size(), 1u);
    const std::u16string& text = prompts.messages[0].text;
    EXPECT_NE(text.find(left), std::u16string::npos);
    EXPECT_NE(text.find(u"written back exactly"), std::u16string::npos);
}

TEST_F(LoadJob, PendingPathReplacesThePathAndIsEmptiedByTheLoad) {
    Mode(false, false);
    Input(kSideLeft, "a.xml", kInventory);
    Input(kSideRight, "b.xml", kInventory);
    const std::filesystem::path chosen = m_files.Path() / "chosen.xml";
    WriteTextFile(chosen, "<inventory><item sku='5'/></inventory>");
    operation.files[kSideRight].SetPendingPath(U16(chosen).c_str());
    Run();
    EXPECT_FALSE(Failed());
    EXPECT_EQ(std::u16string(operation.files[kSideRight].path.Text()), U16(chosen));
    EXPECT_TRUE(operation.files[kSideRight].pendingPath.IsEmpty());
    EXPECT_EQ(operation.model.DifferenceCount(), 2u);
}

// Signals the end of a load to the thread that waits for it.
class CSignalledProgress final : public CLoadProgress {
public:
    CSignalledProgress() { ended.Create(true); }
    void End() override { ended.Set(); }
    NSys::CEvent ended;
};

// On a job thread, as the program runs it: the job threads' stack carries
// the model's walks along a document 100,000 levels deep.
TEST_F(LoadJob, DeepOperationLoadsOnAJobThread) {
    constexpr int kDepth = 100000;
    std::string deep = "<inventory>";
    for (int level = 0; level < kDepth; ++level)
        deep += "<item>";
    deep += "x";
    for (int level = 0; level < kDepth; ++level)
        deep += "</item>";
    deep += "</inventory>";
    Mode(false, true);
    Input(kSideLeft, "a.xml", deep);
    deep[deep.find('x')] = 'y';
    Input(kSideRight, "b.xml", deep);

    NSys::CJobManager jobs;
    ASSERT_EQ(jobs.StartJobThreads(2), NResult::kOk);
    CSignalledProgress progress;
    ASSERT_TRUE(
        jobs.QueueJob(NPtr::THolder<NSys::CJob>(new CLoadJob(operation, progress, &owner)), 0));
    ASSERT_TRUE(progress.ended.Wait(120000));
    jobs.StopJobThreads();
    EXPECT_FALSE(Failed());
    EXPECT_EQ(operation.model.DifferenceCount(), 1u);
    // Start and end tag of every level, and both sides of the changed text.
    EXPECT_EQ(operation.model.LineCount(), 2u * (kDepth + 1) + 2);
}

// Attribute names are looked up by hash wherever one element's attributes
// are gone through: learning, matching, building blocks, writing. With a
// list search at any step this takes over a minute instead of a second; the
// bound leaves room for slow builds (sanitizers) and a busy machine.
TEST_F(LoadJob, AHundredThousandAttributesOnOneElementMergeInLinearTime) {
    constexpr int kAttributes = 100000;
    const auto document = [](int changed) {
        std::string text = "<inventory";
        for (int index = 0; index < kAttributes; ++index)
            text += " a" + std::to_string(index) + (index == changed ? "='x'" : "='v'");
        return text + "/>";
    };
    Mode(true, true);
    Input(kSideBase, "o.xml", document(-1));
    Input(kSideLeft, "a.xml", document(7));
    Input(kSideRight, "b.xml", document(kAttributes - 3));
    const auto start = std::chrono::steady_clock::now();
    Run();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    ASSERT_FALSE(Failed());
    EXPECT_EQ(operation.model.DifferenceCount(), 2u);
    EXPECT_EQ(operation.model.ConflictCount(), 0u);
    NIO::TBuffer<0> merged;
    ASSERT_TRUE(operation.model.Root().WriteMerged(merged));
    std::string expected = document(7);
    expected.replace(expected.find("a99997='v'"), 10, "a99997='x'");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(merged.Data()), merged.Size()), expected);
}

TEST(XMLFile, DisplayNameIsTheLastPartOfTheTitleOrElseThePath) {
    CXMLFile file;
    file.SetPath(u"C:\\data\\a.xml");
    EXPECT_EQ(std::u16string(file.DisplayName()), u"a.xml");
    file.SetPath(u"/home/u/b.xml");
    EXPECT_EQ(std::u16string(file.DisplayName()), u"b.xml");
    file.SetTitle(u"old\\draft");
    EXPECT_EQ(std::u16string(file.DisplayName()), u"draft");
    file.SetTitle(u"Draft");
    EXPECT_EQ(std::u16string(file.DisplayName()), u"Draft");
}

} // namespace
