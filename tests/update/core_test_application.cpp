// The one QCoreApplication of the update tests, made before the first test
// and ended after the last: the client's thread and the test server need an
// application object, and no test needs a display.
#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class CCoreTestApplication final : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QCoreApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[24] = "quillmere_update_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new CCoreTestApplication);

} // namespace
