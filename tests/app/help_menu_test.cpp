#include "../support/url_recorder.h"
#include "app/command_table.h"
#include "framework/window/help_page.h"
#include "main_window_fixture.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace NCommands;

// Nothing of the help needs files loaded; the fixture's stay unused.
using HelpMenuTest = MainWindowTest;

// The manual opens from the menu and with F1, the home page only when the
// build names one; nothing needs files loaded.
TEST_F(HelpMenuTest, ManualIsTheShippedPageAndTheHomePageIsOfferedOnlyWhenKnown) {
    CMainWnd window(m_operation, m_resultPath, m_reportPath);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QUrl manual = NWindows::HelpPageUrl(NWindows::kManualHelpPage);
    const QUrl home = NWindows::HomePageUrl();
    const struct {
        const char* name;
        std::uint32_t command;
        std::function<void()> act;
        bool enabled;
        QUrl opened; // empty: nothing opened
    } cases[] = {
        {"Help > Manual", kHelpManual, [&] { window.RunCommand(kHelpManual); }, true, manual},
        {"F1", kHelpManual, [&] { QTest::keyClick(&window, Qt::Key_F1); }, true, manual},
        {"Help > Web Site", kHelpWebsite, [&] { window.RunCommand(kHelpWebsite); }, !home.isEmpty(),
         home},
    };
    EXPECT_TRUE(manual.isLocalFile());
    for (const auto& test : cases) {
        CUrlRecorder recorder;
        test.act();
        EXPECT_EQ(window.IsCommandEnabled(test.command), test.enabled) << test.name;
        if (test.opened.isEmpty()) {
            EXPECT_TRUE(recorder.opened.empty()) << test.name;
            continue;
        }
        ASSERT_EQ(recorder.opened.size(), 1u) << test.name;
        EXPECT_EQ(recorder.opened[0].toString().toStdString(), test.opened.toString().toStdString())
            << test.name;
    }
}

} // namespace
