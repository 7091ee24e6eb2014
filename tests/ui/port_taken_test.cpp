#include "camera_setup_fixture.h"
#include "watchdog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cerrno>

namespace netlark::testing {
namespace {

using namespace std::chrono_literals;

// Another program holds the reply port before the window starts: the window
// says so once and is otherwise fully usable, but lists nothing.
class PortTakenTest : public CameraSetupTest {
protected:
    void SetUp() override { openDialog(50ms); }

    UdpTestSocket other = UdpTestSocket::boundTo(REPLY_PORT);
};

TEST_F(PortTakenTest, SaysSoOnceAndListsNothing) {
    ASSERT_TRUE(messages.waitForCount(1));
    EXPECT_EQ(messages.texts()[0].toStdString(), "bind : " + std::to_string(EADDRINUSE));
    EXPECT_EQ(sender.sent.size(), 2u) << "the first scan still goes out";

    announce(linuxCamera("LX-0001"));
    EXPECT_TRUE(other.receive(5s).has_value()) << "the reply went to the port's holder";
    QTest::qWait(100);
    EXPECT_EQ(window().model().rowCount(), 0);
    EXPECT_EQ(messages.texts().size(), 1u);
}

TEST_F(PortTakenTest, RescanAndTheFormStillWork) {
    ASSERT_TRUE(messages.waitForCount(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().button("rescan").isEnabled(); }, 10000));
    window().press("rescan");
    EXPECT_EQ(sender.sent.size(), 4u);
    EXPECT_FALSE(window().button("rescan").isEnabled()) << "the guard holds Rescan back again";
    EXPECT_EQ(messages.texts().size(), 1u) << "a rescan does not report the port again";

    window().typeCredentials("admin", "secret");
    EXPECT_EQ(window().adminId().text(), "admin");
    EXPECT_EQ(window().adminPassword().text(), "secret");
}

TEST_F(PortTakenTest, AboutBoxStillOpens) {
    CameraSetupWindow::AboutVisit about;
    CameraSetupWindow::answerAboutBox(about);

    const Watchdog watchdog(30s, "the context menu and the About box");
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                 dialog->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(dialog.get(), &rightClick);
    EXPECT_EQ(about.title, "About Netlark");
}

} // namespace
} // namespace netlark::testing
