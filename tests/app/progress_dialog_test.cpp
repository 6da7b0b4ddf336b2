#include "app/progress_dialog.h"
#include "framework/event.h"
#include "framework/job.h"
#include "main_window_fixture.h"
#include "merge/load_job.h"

#include <QProgressBar>
#include <QTest>

namespace {

// The fixture's operation and files serve the load; its window is not used.
class ProgressDialogTest : public MainWindowTest {
protected:
    static QProgressBar& Bar(const QWidget& dialog) { return *Control<QProgressBar>(dialog, 1028); }
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
    m_flags.Clear(NSettings::kFlagThreeWay);
    m_operation.files[kSideLeft].SetPath(FormatsTest::U16(File("left.xml")).c_str());
    m_operation.files[kSideRight].SetPath(FormatsTest::U16(File("right.xml")).c_str());
    const struct {
        const char* right;
        bool failed;
        int failedSide;
    } cases[] = {
        {kRight, false, -1},
        {"<inventory><item sku='1'>b</inventory>", true, kSideRight},
    };
    for (const auto& test : cases) {
        FormatsTest::WriteTextFile(File("right.xml"), test.right);
        const NPtr::THolder<CLoadJob> job = RunProgressDialog(m_operation, nullptr);
        ASSERT_NE(job.Get(), nullptr);
        EXPECT_EQ(m_flags.Has(NSettings::kFlagLoadFailed), test.failed) << test.right;
        EXPECT_EQ(job->FailedSide(), test.failedSide) << test.right;
        if (!test.failed) {
            EXPECT_EQ(m_operation.model.DifferenceCount(), 2u);
        }
    }
}

} // namespace
