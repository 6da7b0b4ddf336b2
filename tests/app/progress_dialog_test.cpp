#include "../formats/formats_test_support.h"
#include "app/progress_dialog.h"
#include "formats/format_list.h"
#include "framework/event.h"
#include "framework/job.h"
#include "framework/job_manager.h"
#include "framework/result.h"
#include "merge/load_job.h"
#include "merge/operation.h"
#include "services/flags.h"
#include "services/settings_backend.h"
#include "widget_test.h"

#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

class ProgressDialogTest : public CWidgetTest {
protected:
    static void SetUpTestSuite() {
        CWidgetTest::SetUpTestSuite();
        ASSERT_EQ(NSys::StartJobThreads(1), NResult::kOk);
    }
    static void TearDownTestSuite() { NSys::StopJobThreads(); }

    static QProgressBar& Bar(const QWidget& dialog) {
        return *dialog.findChild<QProgressBar*>(QStringLiteral("ctl1028"));
    }
};

// Moves the bar to 25 and then waits, as a long load would, until the test
// lets it finish.
class CHeldJob final : public NSys::CJob {
public:
    explicit CHeldJob(CLoadProgress& progress) : m_progress(progress) { released.Create(true); }

    void Execute() override {
        m_progress.SetPosition(25);
        released.Wait();
        m_progress.SetPosition(100);
        m_progress.End();
    }

    NSys::CEvent released;

private:
    CLoadProgress& m_progress;
};

TEST_F(ProgressDialogTest, BarFollowsTheJobAndTheDialogStaysUntilTheJobEnds) {
    CProgressDialog dialog(nullptr);
    auto* job = new CHeldJob(dialog);
    const NPtr::THolder<NSys::CJob> holder(job);
    struct SSeen {
        bool reached25 = false;
        bool shownAfterEscape = false;
        bool shownAfterClose = false;
    } seen;
    QTimer::singleShot(0, &dialog, [&] {
        seen.reached25 = QTest::qWaitFor([&] { return Bar(dialog).value() == 25; }, 10000);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        seen.shownAfterEscape = dialog.isVisible();
        dialog.close();
        seen.shownAfterClose = dialog.isVisible();
        job->released.Set();
    });
    ASSERT_TRUE(dialog.Run(holder));
    EXPECT_TRUE(seen.reached25);
    EXPECT_TRUE(seen.shownAfterEscape);
    EXPECT_TRUE(seen.shownAfterClose);
    EXPECT_EQ(Bar(dialog).value(), 100);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.windowTitle(), Translated("Progress.Title"));
}

// A whole load behind the dialog: the operation is built while the dialog
// waits, and the job's outcome comes back.
TEST_F(ProgressDialogTest, RunsTheLoadOfAnOperation) {
    using FormatsTest::U16;
    NSettings::CMemoryBackend settings;
    NSettings::CScopedBackend backend(settings);
    FormatsTest::CTempFolder formatsFolder;
    FormatsTest::CTempFolder files;
    FormatsTest::WriteTextFile(formatsFolder.Path() / "inventory.qmfmt",
                               "<file name='inventory' filenames='*.xml' root='inventory'>"
                               "<element name='item'><attribute name='sku'/></element></file>");
    CFormatList formats;
    formats.LoadFrom(formatsFolder.Folder().c_str());
    NSettings::CFlags flags;
    flags.Load(NSettings::kDefaultFlags);
    flags.Clear(NSettings::kFlagThreeWay);
    COperation operation{flags, formats};

    struct SCase {
        const char* right;
        bool failed;
        int failedSide;
    };
    const SCase cases[] = {
        {"<inventory><item sku='1'>b</item></inventory>", false, -1},
        {"<inventory><item sku='1'>b</inventory>", true, kSideRight},
    };
    for (const SCase& test : cases) {
        FormatsTest::WriteTextFile(files.Path() / "left.xml",
                                   "<inventory><item sku='1'>a</item></inventory>");
        FormatsTest::WriteTextFile(files.Path() / "right.xml", test.right);
        operation.files[kSideLeft].SetPath(U16(files.Path() / "left.xml").c_str());
        operation.files[kSideRight].SetPath(U16(files.Path() / "right.xml").c_str());
        const NPtr::THolder<CLoadJob> job = RunProgressDialog(operation, nullptr);
        ASSERT_NE(job.Get(), nullptr);
        EXPECT_EQ(flags.Has(NSettings::kFlagLoadFailed), test.failed) << test.right;
        EXPECT_EQ(job->FailedSide(), test.failedSide) << test.right;
        if (!test.failed) {
            EXPECT_EQ(operation.model.DifferenceCount(), 1u);
        }
    }
}

} // namespace
