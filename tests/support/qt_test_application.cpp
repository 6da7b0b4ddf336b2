// The one QApplication of a suite of widget tests, made before the first test
// and ended after the last: a static one would outlive Qt's own state. Never
// on the desktop, even run by hand: without a platform chosen it draws off
// screen, as a test machine has no display.
#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class CWidgetTestApplication final : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[24] = "quillmere_widget_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new CWidgetTestApplication);

} // namespace
