#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Made and ended around the tests: a static application would outlive Qt's
// globals. Always off screen, so no test needs a display.
class CGuiEnvironment final : public testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QGuiApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    char m_name[24] = "quillmere_icons_tests";
    char m_option[10] = "-platform";
    char m_platform[10] = "offscreen";
    char* m_argv[4] = {m_name, m_option, m_platform, nullptr};
    int m_argc = 3;
    std::unique_ptr<QGuiApplication> m_application;
};

[[maybe_unused]] testing::Environment* const gEnvironment =
    testing::AddGlobalTestEnvironment(new CGuiEnvironment);

} // namespace
