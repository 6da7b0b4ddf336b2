#include "app/download_wait.h"
#include "widget_test.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <climits>

namespace {

using DownloadWaitTest = CWidgetTest;

TEST_F(DownloadWaitTest, WaitsUntilTheDownloadStopsOrTheUserCancels) {
    const struct {
        int runningPolls; // how often the download still runs when asked
        bool cancel;
        bool finished;
        bool shown;
    } kCases[] = {
        {0, false, true, false},
        {3, false, true, true},
        {INT_MAX, true, false, true},
    };
    for (const auto& entry : kCases) {
        int polls = 0;
        // What the wait shows while it runs, looked at shortly after it started.
        struct {
            bool dialog = false;
            QString text;
        } seen;
        QTimer look;
        look.setSingleShot(true);
        QObject::connect(&look, &QTimer::timeout, [&seen, &entry] {
            QWidget* dialog = QApplication::activeModalWidget();
            seen.dialog = dialog != nullptr;
            if (dialog == nullptr)
                return;
            if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("ctl1018")))
                seen.text = label->text();
            if (entry.cancel)
                dialog->findChild<QPushButton*>(QStringLiteral("ctl2"))->click();
        });
        look.start(50);
        QElapsedTimer clock;
        clock.start();
        const bool finished =
            WaitForDownload(nullptr, [&polls, &entry] { return polls++ < entry.runningPolls; });
        EXPECT_EQ(finished, entry.finished) << entry.runningPolls;
        EXPECT_EQ(seen.dialog, entry.shown) << entry.runningPolls;
        if (entry.shown) {
            EXPECT_EQ(seen.text, Translated("Update.Waiting"));
        }
        if (entry.finished) {
            EXPECT_EQ(polls, entry.runningPolls + 1) << "asked until it stopped";
            // Asked every 200 ms, after the first look before the dialog.
            EXPECT_GE(clock.elapsed(), (entry.runningPolls - 1) * 200);
        }
    }
}

} // namespace
