#include "camera_setup_fixture.h"
#include "cameras/messages.h"
#include "ui/ip_address_field.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace netlark::testing {
namespace {

constexpr std::chrono::milliseconds SHORT_GUARD{100};
constexpr std::uint32_t CAMERA_KEY = 0x2468ACE0;

class ScanCycleTest : public CameraSetupTest {
protected:
    void SetUp() override { openDialog(SHORT_GUARD); }

    bool waitForRescanEnabled() {
        return QTest::qWaitFor([&] { return window().button("rescan").isEnabled(); }, 10000);
    }
};

TEST_F(ScanCycleTest, RescanClearsTheListAndTheFormAndScansAgainBehindTheGuard) {
    announce(linuxCamera("LX-0002"));
    ASSERT_TRUE(waitForRows(1));
    window().clickRow(0);
    window().adminId().setText("admin");
    window().adminPassword().setText("secret");
    ASSERT_TRUE(waitForRescanEnabled());

    window().press("rescan");

    EXPECT_EQ(window().model().rowCount(), 0);
    EXPECT_EQ(window().adminId().text(), "");
    EXPECT_EQ(window().adminPassword().text(), "");
    for (const char* field : {"ipAddress", "gateway", "subnetMask", "dns"}) {
        EXPECT_EQ(window().shown(field), "...") << field;
    }
    ASSERT_EQ(sender.sent.size(), 4u);
    EXPECT_EQ(sender.sent[2].bytes, bytesOf(buildLinuxDiscovery(HOST_MAC)));
    EXPECT_EQ(sender.sent[3].bytes, bytesOf(buildVxWorksDiscovery()));
    EXPECT_FALSE(window().button("rescan").isEnabled());
    EXPECT_TRUE(waitForRescanEnabled());
}

TEST_F(ScanCycleTest, AnAnnouncementAfterTheGuardIsStillListed) {
    ASSERT_TRUE(waitForRescanEnabled());
    announce(vxworksCamera("vx-0001"));
    EXPECT_TRUE(waitForRows(1));
}

TEST_F(ScanCycleTest, AFailedRescanLeavesRescanEnabled) {
    ASSERT_TRUE(waitForRescanEnabled());
    sender.failSendNumber = sender.sendAttempts + 2;

    window().press("rescan");

    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0].toStdString(), messages::SENDTO_ERROR);
    EXPECT_TRUE(window().button("rescan").isEnabled()) << "Rescan can be pressed again at once";
}

TEST_F(ScanCycleTest, ALinuxCamerasAcceptanceRescansOnceTheMessageIsDismissed) {
    announce(linuxCamera("LX-0002"));
    ASSERT_TRUE(waitForRows(1));
    std::size_t sentWhileOpen = 0;
    int rowsWhileOpen = -1;
    messages.whileOpen = [&](const QString&) {
        sentWhileOpen = sender.sent.size();
        rowsWhileOpen = window().model().rowCount();
    };

    sendToReplyPort(encodeLinuxResult(OP_SET_DONE, CAMERA_KEY));

    ASSERT_TRUE(messages.waitForCount(1));
    EXPECT_EQ(messages.texts()[0].toStdString(), messages::CHANGE_SUCCEEDED);
    EXPECT_EQ(sentWhileOpen, 2u) << "nothing is sent before the message is dismissed";
    EXPECT_EQ(rowsWhileOpen, 1);
    EXPECT_EQ(sender.sent.size(), 4u);
    EXPECT_EQ(window().model().rowCount(), 0);
}

TEST_F(ScanCycleTest, AVxWorksCamerasAcceptanceOnlyShowsTheMessage) {
    announce(vxworksCamera("vx-0001"));
    ASSERT_TRUE(waitForRows(1));

    sendToReplyPort(encodeVxWorksResult(OP_SET_DONE));

    ASSERT_TRUE(messages.waitForCount(1));
    EXPECT_EQ(messages.texts()[0].toStdString(), messages::CHANGE_SUCCEEDED);
    EXPECT_EQ(sender.sent.size(), 2u);
    EXPECT_EQ(window().model().rowCount(), 1);
}

} // namespace
} // namespace netlark::testing
