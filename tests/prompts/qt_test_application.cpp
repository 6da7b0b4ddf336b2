#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The application object lives from before the first test to after the last.
// Destroyed by the exit handlers instead, it would outlive Qt's own globals.
// Without a platform chosen it draws off screen: a test machine has no display.
class CApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[24] = "quillmere_prompts_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CApplicationEnvironment);

} // namespace
