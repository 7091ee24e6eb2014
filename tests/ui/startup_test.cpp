#include "camera_setup_fixture.h"
#include "cameras/messages.h"

#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace netlark::testing {
namespace {

using StartupTest = CameraSetupTest;

TEST_F(StartupTest, SendsLinuxThenVxWorksDiscoveryWithTheHostAdapterAddress) {
    openDialog();

    ASSERT_EQ(sender.sent.size(), 2u);
    EXPECT_EQ(sender.sent[0].bytes, bytesOf(buildLinuxDiscovery(HOST_MAC)));
    EXPECT_EQ(sender.sent[1].bytes, bytesOf(buildVxWorksDiscovery()));
    for (const FakeRequestSender::Datagram& datagram : sender.sent) {
        EXPECT_EQ(datagram.builtFor, HOST_MAC) << "the stand-in where no adapter is found";
    }
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_FALSE(window().button("rescan").isEnabled()) << "the guard holds Rescan back";
    EXPECT_FALSE(window().button("change").isEnabled()) << "no camera is selected yet";
    EXPECT_EQ(dialog->windowTitle(), "New_Netlark(V2.04)");
}

// Cameras behind either adapter must be found, and a Linux camera learns
// from the request the MAC of the adapter that reaches it.
TEST_F(StartupTest, EachAdapterGetsBothDiscoveryRequestsTheLinuxOneWithItsOwnMac) {
    sender.adapterMacs = {WIFI_MAC, ETHERNET_MAC};
    openDialog();

    ASSERT_EQ(sender.sent.size(), 4u);
    EXPECT_EQ(sender.sent[0].bytes, bytesOf(buildLinuxDiscovery(WIFI_MAC)));
    EXPECT_EQ(sender.sent[1].bytes, bytesOf(buildLinuxDiscovery(ETHERNET_MAC)));
    EXPECT_EQ(sender.sent[2].bytes, bytesOf(buildVxWorksDiscovery()));
    EXPECT_EQ(sender.sent[3].bytes, bytesOf(buildVxWorksDiscovery()));
    EXPECT_TRUE(messages.texts().empty());
}

// A camera may answer before the first request's send has even returned: the
// reply port must be bound by then, or that camera is never listed.
TEST_F(StartupTest, ListsACameraThatAnswersBeforeTheFirstSendReturns) {
    sender.whileSending = [this] {
        if (sender.sendAttempts == 1) {
            announce(linuxCamera("EARLY"));
        }
    };
    openDialog();
    ASSERT_TRUE(waitForRows(1));
    EXPECT_EQ(window().rowTexts(0).first(), "EARLY");
}

TEST_F(StartupTest, ShowsOnlyTheThreeVisibleColumns) {
    openDialog();
    ASSERT_EQ(window().model().columnCount(), 9);
    for (int column = 0; column < window().model().columnCount(); ++column) {
        EXPECT_EQ(window().list().isColumnHidden(column), column >= 3) << "column " << column;
    }
}

struct StartupFailure {
    const char* name;
    bool failOpen;
    bool failBroadcast;
    std::optional<int> failSendNumber;
    std::string_view message;
    std::size_t requestsSent;
};

class StartupFailureTest : public CameraSetupTest,
                           public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(StartupFailureTest, ShowsItsMessageAndNeverListsACamera) {
    const StartupFailure& failure = GetParam();
    sender.failOpen = failure.failOpen;
    sender.failBroadcast = failure.failBroadcast;
    sender.failSendNumber = failure.failSendNumber;

    openDialog();

    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0].toStdString(), failure.message);
    EXPECT_EQ(sender.sent.size(), failure.requestsSent);
    EXPECT_EQ(sender.sendAttempts,
              static_cast<int>(failure.requestsSent) + (failure.failSendNumber ? 1 : 0))
        << "after a failed send the next one is not tried";
    EXPECT_TRUE(window().button("rescan").isEnabled()) << "no scan went out, so there is no guard";

    // The receiver was never started, so no answer is ever listed.
    announce(linuxCamera("LX-LATE"));
    QTest::qWait(300);
    EXPECT_EQ(window().model().rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StartupFailureTest,
    ::testing::Values(
        StartupFailure{"SocketRefused", true, false, {}, messages::CANNOT_OPEN_SEND_SOCKET, 0},
        StartupFailure{"BroadcastRefused", false, true, {}, messages::SETSOCKOPT_ERROR, 0},
        StartupFailure{"FirstSendFails", false, false, 1, messages::SENDTO_ERROR, 0},
        StartupFailure{"SecondSendFails", false, false, 2, messages::SENDTO_ERROR, 1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace netlark::testing
