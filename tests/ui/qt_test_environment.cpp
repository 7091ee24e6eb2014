#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// One QApplication for the whole test binary, on the offscreen platform
// unless the caller chose another.
class QtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
        QApplication::setApplicationName(QStringLiteral("netlark"));
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[8] = "netlark";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace
